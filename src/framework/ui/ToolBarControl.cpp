#include "framework/ui/ToolBarControl.h"

#include "framework/core/FrameWnd.h"

#include <QWidget>

namespace lw {

CWnd* CMFCToolBarControl::TopLevelFrame() const {
    CWnd* top = nullptr;
    for (CWnd* w = GetParent(); w; w = w->GetParent())
        if (dynamic_cast<CFrameWnd*>(w))
            top = w;
    return top;
}

void CMFCToolBarControl::NotifyFrame(int code) {
    if (CWnd* frame = TopLevelFrame())
        frame->SendMessage(
            WM_COMMAND,
            MAKEWPARAM(static_cast<std::uint16_t>(GetCommandID()), static_cast<std::uint16_t>(code)),
            reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

void CMFCToolBarControl::SendCommand() {
    if (CWnd* frame = TopLevelFrame())
        frame->SendCommand(GetCommandID());
}

void CMFCToolBarControl::SetRouteEnabled(bool on) {
    m_bRouteEnabled = on;
    applyEnabled();
}

void CMFCToolBarControl::AllowEnable(bool on) {
    m_bAllowed = on;
    applyEnabled();
}

void CMFCToolBarControl::applyEnabled() {
    QWidget* widget = GetWidget();
    const bool on = m_bRouteEnabled && m_bAllowed;
    if (widget && widget->isEnabled() != on)
        widget->setEnabled(on);
}

} // namespace lw
