#pragma once
#include "pickers/SelectTreeDialog.h"

class QFrame;

// Picks a customer type: tag() is the type's name, typeKey() its key etid as text. "添加" opens the
// customer-type tree editor and rebuilds the main window's navigation tree afterwards.
class frmSelectType : public SelectTreeDialog {
    Q_OBJECT
public:
    explicit frmSelectType(QWidget* parent = nullptr);

    QString typeKey() const { return m_choice.key(); }
    QFrame* panReportList() const { return m_panel; }

public slots:
    void btnAdd_Click() override;

protected:
    bool handsBackKey() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* m_panel;
};
