#pragma once
// What every control placed on a toolbar in a button's stead shares: the command it
// stands for and the way it tells the frame that something happened to it.

#include "framework/core/Wnd.h"

class QWidget;

namespace lw {

// Combo box notification codes carried in the high word of a control's command.
inline constexpr int CBN_CLOSEUP = 8;
inline constexpr int CBN_SELENDOK = 9;

class CMFCToolBarControl : public CWnd {
public:
    explicit CMFCToolBarControl(UINT id) { SetDlgCtrlID(id); }
    UINT GetCommandID() const { return GetDlgCtrlID(); }

    // The widget the toolbar shows for this control.
    virtual QWidget* GetWidget() = 0;

    // Sends the control's command with a notification code to the top-level frame,
    // naming itself as the sender, so the frame reflects it and then routes it.
    void NotifyFrame(int code);
    // Sends the control's command as if a plain button had been pressed.
    void SendCommand();

    // The control is enabled while the route offers its command and its owner allows
    // it (a box stays off while there is no value to show, whatever the route says).
    void SetRouteEnabled(bool on);
    void AllowEnable(bool on);
    bool IsEnableAllowed() const { return m_bAllowed; }

protected:
    CWnd* TopLevelFrame() const;

private:
    void applyEnabled();
    bool m_bRouteEnabled = true;
    bool m_bAllowed = true;
};

} // namespace lw
