#include "framework/core/CmdUI.h"

#include "framework/core/CmdTarget.h"

namespace lw {

void CCmdUI::Enable(BOOL) { m_bEnableChanged = true; }
void CCmdUI::SetCheck(int) {}
void CCmdUI::SetRadio(BOOL) {}
void CCmdUI::SetText(const QString&) {}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    // ID 0 (separators) and 0xFFFF (placeholders) are never updated.
    if (m_nID == 0 || (m_nID & 0xFFFF) == 0xFFFF || !pTarget)
        return TRUE;
    m_bEnableChanged = false;
    const BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        const BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

void CTestCmdUI::Enable(BOOL bOn) {
    m_bEnabled = bOn != FALSE;
    m_bEnableChanged = true;
}
void CTestCmdUI::SetCheck(int nCheck) {
    m_nCheck = nCheck;
    m_bCheckSet = true;
}
void CTestCmdUI::SetRadio(BOOL bOn) {
    m_bRadio = bOn != FALSE;
    m_bRadioSet = true;
}
void CTestCmdUI::SetText(const QString& text) {
    m_strText = text;
    m_bTextSet = true;
}

} // namespace lw
