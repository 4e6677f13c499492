#pragma once
// The program's main window.

#include "framework/ui/MDIFrameWndEx.h"

namespace lw {

class CMainFrame : public CMDIFrameWndEx {
    DECLARE_MESSAGE_MAP()
public:
    // Reads the image-set and look settings the frame is built with.
    CMainFrame();

    LRESULT OnCreate(WPARAM, LPARAM);

    int m_hiColorIcons = 1;
    int m_applicationLook = 0;
};

} // namespace lw
