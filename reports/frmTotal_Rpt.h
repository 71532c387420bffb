#pragma once
#include "reports/ConditionDialog.h"
#include "reports/StatisticsConditions.h"

class QGroupBox;
class QLineEdit;
class QToolButton;
class ctrl_SelectValue_Single;

// The condition dialog of the statistics report: purchase period, type, department, name and
// status. 查询 checks the period and builds the grouped count over customer_info_view.
class frmTotal_Rpt : public ConditionDialog {
    Q_OBJECT
public:
    explicit frmTotal_Rpt(QWidget* parent = nullptr);

    bool CheckData() override;

    // The fields as they stand.
    StatisticsConditions conditions() const;

    QLineEdit* txtBuyDate() const { return m_txtBuyDate; }
    QLineEdit* txtBuyDate1() const { return m_txtBuyDate1; }
    QLineEdit* txtEpTypeName() const { return m_txtEpTypeName; }
    QLineEdit* txtUserDpt() const { return m_txtUserDpt; }
    QLineEdit* txtEpName() const { return m_txtEpName; }
    ctrl_SelectValue_Single* cmbStatus() const { return m_cmbStatus; }

public slots:
    void btnSelectDate1_Click();
    void btnSelect_Click();
    void btnSelectEpType_Click();
    void btnSelectDpt_Click();

protected:
    // The twin dialog: another caption and the plain list statement.
    frmTotal_Rpt(const QString& caption, StatisticsConditions::Statement statement, QWidget* parent);

    void Form_Load() override;
    void clearFields() override;
    QString BuildExecCond() const override;
    QString BuildShowCond() const override;

private:
    QToolButton* pickerButton(const QString& name);

    StatisticsConditions::Statement m_statement;
    QGroupBox* m_frame;
    QLineEdit* m_txtBuyDate;
    QLineEdit* m_txtBuyDate1;
    QLineEdit* m_txtEpTypeName;
    QLineEdit* m_txtUserDpt;
    QLineEdit* m_txtEpName;
    ctrl_SelectValue_Single* m_cmbStatus;
};
