#include "frame/MainFrame.h"

#include "framework/core/WinApp.h"
#include "resources/CommandIds.h"

namespace lw {

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWndEx)
    ON_MESSAGE(WM_CREATE, &CMainFrame::OnCreate)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
    if (CWinApp* app = AfxGetApp()) {
        m_hiColorIcons = app->GetInt(QStringLiteral("HiColorIcons"), 1);
        m_applicationLook = app->GetInt(QStringLiteral("ApplicationLook"), m_hiColorIcons ? 215 : 205);
    }
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
    // The look read at start-up is applied and stored back.
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(QStringLiteral("ApplicationLook"), m_applicationLook);
    return 0;
}

} // namespace lw
