#pragma once
#include <QString>

class I_SelectCond;

// The report window's driver around its condition dialog: shows it and keeps the result code of the
// last showing. It does not own the dialog.
class clsSelectCond {
public:
    I_SelectCond* dialog() const { return m_dialog; }
    void setDialog(I_SelectCond* dialog) { m_dialog = dialog; }
    // 0 confirmed, 1 cancelled; a copy of the dialog's code after the last Show.
    qint16 result() const { return m_result; }
    void setResult(qint16 result) { m_result = result; }

    void Show();
    void Hide();
    QString GetExecSqlString() const;
    QString GetCondString() const;
    // Unloads the dialog's window.
    void CloseWin();

private:
    I_SelectCond* m_dialog = nullptr;
    qint16 m_result = 0;
};
