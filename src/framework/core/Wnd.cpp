#include "framework/core/Wnd.h"

#include "framework/core/CmdUI.h"
#include "framework/core/FrameWnd.h"

namespace lw {

namespace {
AfxCurrentMessage& currentMessage() {
    static AfxCurrentMessage msg;
    return msg;
}
} // namespace

const AfxCurrentMessage& AfxGetCurrentMessage() { return currentMessage(); }

CWnd::~CWnd() = default;

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages can nest (a handler sends another): the outer one is current again after.
    const AfxCurrentMessage saved = currentMessage();
    currentMessage() = {message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    currentMessage() = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    OnWndMsg(message, wParam, lParam, &result);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        const BOOL handled = OnCommand(wParam, lParam);
        if (pResult)
            *pResult = handled;
        return handled;
    }
    if (message == WM_NOTIFY) {
        LRESULT r = 0;
        const BOOL handled = OnNotify(wParam, lParam, &r);
        if (pResult)
            *pResult = r;
        return handled;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
    if (!entry || (entry->kind != AfxHandlerKind::WindowMessage && entry->kind != AfxHandlerKind::RegisteredMessage))
        return FALSE;
    const LRESULT r = std::get<AfxPmsgMessage>(entry->pfn)(this, wParam, lParam);
    if (pResult)
        *pResult = r;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    auto* control = reinterpret_cast<CWnd*>(lParam);
    int nCode = static_cast<std::int16_t>(HIWORD(wParam));
    if (!control) {
        if (nID == 0)
            return FALSE;
        // A command whose update handler disables it is dropped without effect.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (m_bNotificationsLocked)
            return TRUE;
        LRESULT reflected = 0;
        if (control->OnChildNotify(WM_COMMAND, wParam, lParam, &reflected))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    if (header->hwndFrom && header->hwndFrom->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_NOTIFY, header->code, header->idFrom);
    if (!entry || entry->kind != AfxHandlerKind::ControlNotification)
        return FALSE;
    LRESULT local = 0;
    std::get<AfxPmsgNotify>(entry->pfn)(this, header, pResult ? pResult : &local);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* w = m_pParent; w; w = w->GetParent()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(w))
            return frame;
    }
    return nullptr;
}

void CWnd::DestroyWindow() {
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    OnDestroy();
    PostNcDestroy();
}

} // namespace lw
