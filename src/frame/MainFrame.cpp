#include "frame/MainFrame.h"

#include "framework/core/WinApp.h"
#include "resources/CommandIds.h"

#include <span>

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
    // One picture per command, from the toolbars and the menu-image strip of the chosen set.
    const UINT hiColor[] = {IDR_MAINFRAME_256, IDR_FORMAT_BAR_256, IDR_INSERT_BAR_256, IDR_MENU_IMAGES};
    const UINT sixteenColor[] = {IDR_MAINFRAME, IDR_FORMAT_BAR, IDR_INSERT_BAR, IDB_MENU_IMAGES_16};
    for (UINT id : m_hiColorIcons ? std::span<const UINT>(hiColor) : std::span<const UINT>(sixteenColor))
        LoadCommandImages(id);
    // The look read at start-up is applied and stored back.
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(QStringLiteral("ApplicationLook"), m_applicationLook);
    return 0;
}

} // namespace lw
