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

protected:
    CWnd* TopLevelFrame() const;
};

} // namespace lw
