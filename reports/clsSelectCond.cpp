#include "reports/clsSelectCond.h"
#include "reports/I_SelectCond.h"

void clsSelectCond::Show() {
    if (!m_dialog)
        return;
    m_dialog->Show();
    m_result = m_dialog->plngRet();
}

void clsSelectCond::Hide() {
    if (m_dialog)
        m_dialog->Hide();
}

QString clsSelectCond::GetExecSqlString() const {
    return m_dialog ? m_dialog->GetExecCond() : QString();
}

QString clsSelectCond::GetCondString() const {
    return m_dialog ? m_dialog->GetShowCond() : QString();
}

void clsSelectCond::CloseWin() {
    if (m_dialog)
        m_dialog->Unload();
}
