#pragma once
// Options every toolbar and menu of the program shares: whether buttons show tooltips
// and name their keys in them, large buttons, menu animation and the rest of what the
// customisation options offer. They are kept with the bar layout between runs.

#include "framework/core/Types.h"

#include <QByteArray>
#include <QString>

namespace lw {

class CKeyboardManager;
class CSettingsTree;

struct CMFCToolBarParameters {
    bool bTooltips = true;               // buttons show their tooltip
    bool bShortcutKeys = true;           // a tooltip names the key bound to its command
    bool bLargeIcons = false;            // buttons show their pictures at twice the size
    bool bMenuAnimation = false;         // popups unfold instead of appearing at once
    bool bRecentlyUsedMenus = false;     // menus show recently used items first
    bool bMenuShadows = true;            // popups cast a shadow
    bool bShowAllMenusAfterDelay = true; // shortened menus show everything after a pause
    // How often each command was used; carried from run to run unchanged.
    QByteArray commandsUsage;

    // The options in force for the whole process.
    static CMFCToolBarParameters& Current();

    // Reads the values stored under `key`; a missing or mistyped one keeps its default.
    void Load(const CSettingsTree& tree, const QString& key);
    void Save(CSettingsTree& tree, const QString& key) const;
    // Applies the options that belong to the whole application (menu animation).
    void Apply() const;

    // The tooltip of a button for command `id`: its text from the string table, with the
    // key `keys` binds to it in brackets when keys are shown.
    QString ToolTipFor(UINT id, const CKeyboardManager* keys) const;
};

} // namespace lw
