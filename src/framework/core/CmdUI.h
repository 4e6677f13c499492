#pragma once
// The update request handed to every update handler.

#include "framework/core/Types.h"

#include <QString>

namespace lw {

class CCmdTarget;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    // What the item belongs to; the framework's UI layer sets the one that applies.
    void* m_pMenu = nullptr;    // the menu holding the item
    void* m_pSubMenu = nullptr; // for an item that opens a submenu: that submenu
    void* m_pOther = nullptr;   // the bar holding a button or pane
    bool m_bEnableChanged = false;
    bool m_bContinueRouting = false;

    // Operations in the order of their slots.
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const QString& text);

    // Routes the request from pTarget; when nobody calls Enable and
    // bDisableIfNoHandler is set, the item is enabled exactly when a command
    // handler exists on the route. Returns whether some handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    void ContinueRouting() { m_bContinueRouting = true; }
};

// Records the answer of an update request without showing it anywhere: used before a
// command from a menu, button or key runs, and by tests.
class CTestCmdUI : public CCmdUI {
public:
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bRadio = false;
    bool m_bRadioSet = false;
    bool m_bCheckSet = false;
    QString m_strText;
    bool m_bTextSet = false;

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(const QString& text) override;
};

} // namespace lw
