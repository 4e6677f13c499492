#pragma once
// A window as the command machinery sees it: a command target that receives window
// messages through its own message-map chain. The widget that shows it lives in the
// UI layer, which forwards what happens on screen into these virtual operations.

#include "framework/core/CmdTarget.h"

#include <QString>

namespace lw {

class CFrameWnd;

// The window message being handled, kept while it is dispatched so that handlers can
// see, for instance, the notification code a control sent with a command.
struct AfxCurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
const AfxCurrentMessage& AfxGetCurrentMessage();

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Synchronous delivery to this window (registered and window messages are looked
    // up in this window's chain only; WM_COMMAND is routed).
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A command as a menu item, toolbar button or key sends it (no sending control).
    LRESULT SendCommand(UINT nID) { return SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<std::uint16_t>(nID), 0), 0); }
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Receiving a command. lParam is the sending control (a CWnd*) or 0 for a menu
    // item, a toolbar button or an accelerator.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control gets its own notification back first (reflection); TRUE consumes it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    CWnd* GetParent() const { return m_pParent; }
    void SetParent(CWnd* parent) { m_pParent = parent; }
    virtual CFrameWnd* GetParentFrame() const;
    UINT GetDlgCtrlID() const { return m_nID; }
    void SetDlgCtrlID(UINT id) { m_nID = id; }

    // While locked, control notifications to this window are ignored.
    void LockNotifications(bool locked) { m_bNotificationsLocked = locked; }

    // Ends the window. The default calls OnDestroy and then PostNcDestroy, where a
    // window that owns itself deletes itself.
    virtual void DestroyWindow();
    bool IsDestroyed() const { return m_bDestroyed; }

    virtual void SetWindowText(const QString& text) { m_strText = text; }
    virtual QString GetWindowText() const { return m_strText; }

protected:
    virtual void OnDestroy() {}
    virtual void PostNcDestroy() {}

private:
    CWnd* m_pParent = nullptr;
    UINT m_nID = 0;
    bool m_bNotificationsLocked = false;
    bool m_bDestroyed = false;
    QString m_strText;
};

} // namespace lw
