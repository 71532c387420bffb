#pragma once
#include "pickers/ActivatingDialog.h"

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Copies the database the program works on into a folder the user picks, under the database's own
// file name, overwriting a copy there. The path comes only from the folder dialog.
class frmBackData : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmBackData(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1() const { return m_progressBar1; }
    QLineEdit* txtPath() const { return m_txtPath; }
    QPushButton* btnFilePath() const { return m_btnFilePath; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    void btnFilePath_Click();
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override {}

private:
    QProgressBar* m_progressBar1;
    QGroupBox* m_frame;
    QLineEdit* m_txtPath;
    QPushButton* m_btnFilePath;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
};
