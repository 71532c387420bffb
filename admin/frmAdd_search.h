#pragma once
#include "admin/CombinedSearch.h"
#include "pickers/ActivatingDialog.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

// Combines up to four column searches into one condition for its opener. "查询" leaves the condition
// and its values and hides the window; "取消" leaves none.
class frmAdd_search : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmAdd_search(QWidget* parent = nullptr);

    // The condition text (" where  ..."), empty until a query was confirmed and after a cancel.
    QString tag() const { return m_result ? m_result->sql : QString(); }
    // The values bound to the condition's "?", in order.
    QVariantList values() const { return m_result ? m_result->values : QVariantList(); }

    QComboBox* cmbSearch(int row) const { return m_cmbSearch.at(row - 1); }           // 1 to 4
    QLineEdit* txtSearchValue(int row) const { return m_txtSearchValue.at(row - 1); } // 1 to 4
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();
    void reject() override;

protected:
    void onActivate() override {}

private:
    std::array<QComboBox*, 4> m_cmbSearch{};
    std::array<QLineEdit*, 4> m_txtSearchValue{};
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
    std::optional<CombinedSearch::Condition> m_result;
};
