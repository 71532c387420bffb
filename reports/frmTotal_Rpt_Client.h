#pragma once
#include "reports/ConditionDialog.h"
#include "reports/ListConditions.h"

class QComboBox;
class QLineEdit;

// The condition dialog of the list report: two rows of a column, "=" and a value to look for in it.
class frmTotal_Rpt_Client : public ConditionDialog {
    Q_OBJECT
public:
    explicit frmTotal_Rpt_Client(QWidget* parent = nullptr);

    // The rows as they stand.
    ListConditions conditions() const;
    const QStringList& captionList() const { return m_captions; }

    QComboBox* cmbSearch1() const { return m_cmbSearch1; }
    QComboBox* cmbSearch2() const { return m_cmbSearch2; }
    QLineEdit* txtSearchValue1() const { return m_txtSearchValue1; }
    QLineEdit* txtSearchValue2() const { return m_txtSearchValue2; }

protected:
    // The twin dialog: another caption list.
    frmTotal_Rpt_Client(const QStringList& captions, QWidget* parent);

    void Form_Load() override;
    void clearFields() override;
    QString BuildExecCond() const override;
    QString BuildShowCond() const override;

private:
    QStringList m_captions;
    QComboBox* m_cmbSearch1;
    QComboBox* m_cmbSearch2;
    QLineEdit* m_txtSearchValue1;
    QLineEdit* m_txtSearchValue2;
};
