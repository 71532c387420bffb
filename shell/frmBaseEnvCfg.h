#pragma once
#include "core/DbConfig.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The database configuration dialog "系统配置": writes the database settings and the configured flag.
// A successful save asks for a restart and ends the program.
class frmBaseEnvCfg : public QDialog {
    Q_OBJECT
public:
    // Fixed heights in pixels (15 twips to a pixel): the first frame only, and with the options.
    static constexpr int ClosedHeight = 2670 / 15;
    static constexpr int OpenHeight = 4530 / 15;

    explicit frmBaseEnvCfg(QWidget* parent = nullptr);

    // The one instance of the run that the configured check uses.
    static frmBaseEnvCfg& programInstance();

    // Writes the single-user settings without showing the dialog; answers whether they were saved.
    bool EditBaseCFG();

    // Set by a successful save, cleared by Cancel and at the start of EditBaseCFG.
    bool saved() const { return m_saved; }
    bool optionsOpen() const { return m_optionsOpen; }
    // Whether this instance saved the settings. Only when the program-wide instance did are the stored
    // settings loaded into the fields (at activation and when "网络数据库" is chosen).
    bool hasSavedSettings() const { return m_hasSavedSettings; }
    void setHasSavedSettings(bool value) { m_hasSavedSettings = value; }

    // The values of the fields as a save takes them.
    DbConfig values() const;

    QGroupBox* Frame1;
    QLabel* Label1[8];
    QRadioButton* Option1[2]; // 0 "单机数据库" (hidden), 1 "网络数据库"
    QLineEdit* txtInput[6];   // server, database, user, password, time-out, cache size
    QGroupBox* Frame2;
    QComboBox* cboBaseCfg;
    QPushButton* cmdOK[4]; // OK, Cancel, help (hidden), options

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void chooseDatabaseKind(int index);
    bool saveSettings();
    void cancel();
    void showHelp();
    void toggleOptions();
    void setOptionsOpen(bool open);
    void loadStoredIfSaved();
    void reportProblem(const DbConfig::Problem& problem);

    bool m_saved = false;
    bool m_optionsOpen = false;
    bool m_hasSavedSettings = false;
    bool m_centred = false;
};
