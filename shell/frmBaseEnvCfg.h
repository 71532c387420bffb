#pragma once
#include <QDialog>

// The database configuration dialog "系统配置".
class frmBaseEnvCfg : public QDialog {
    Q_OBJECT
public:
    explicit frmBaseEnvCfg(QWidget* parent = nullptr);

    // The one instance of the run that the configured check uses.
    static frmBaseEnvCfg& programInstance();

    // Writes the single-user settings without showing the dialog; answers whether they were saved.
    bool EditBaseCFG();
};
