#pragma once
// Full-screen mode of the main frame: the workspace is written and a key of its own
// takes its place, every bar but the menu bar goes, the window covers its monitor, and
// a small floating bar offers the way back; leaving restores the window and the bars.

#include "framework/core/Types.h"

#include <QPointer>
#include <QRect>
#include <QString>

class QToolBar;

namespace lw {

class CMDIFrameWndEx;

class CFullScreenImpl {
public:
    explicit CFullScreenImpl(CMDIFrameWndEx* frame) : m_frame(frame) {}
    ~CFullScreenImpl();

    // The command the floating bar's button sends (0: full screen not enabled).
    void SetCommand(UINT id) { m_command = id; }
    UINT GetCommand() const { return m_command; }
    bool IsFullScreen() const { return m_on; }
    void ShowFullScreen();
    void RestoreState();
    // The floating "Full Screen" bar while full screen is on.
    QToolBar* GetFullScreenBar() const { return m_bar; }
    // The window's rectangle to come back to, for a placement written meanwhile.
    QRect GetRestoreRect() const { return m_rect; }

private:
    CMDIFrameWndEx* m_frame;
    UINT m_command = 0;
    bool m_on = false;
    QRect m_rect;
    bool m_wasMaximized = false;
    QString m_previousBase;
    QPointer<QToolBar> m_bar;
};

} // namespace lw
