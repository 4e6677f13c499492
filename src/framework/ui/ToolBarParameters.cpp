#include "framework/ui/ToolBarParameters.h"

#include "framework/core/Resources.h"
#include "framework/core/SettingsTree.h"
#include "framework/ui/KeyboardManager.h"

#include <QApplication>

namespace lw {

namespace {
struct Flag {
    const char* name;
    bool CMFCToolBarParameters::*member;
};
constexpr Flag kFlags[] = {
    {"Tooltips", &CMFCToolBarParameters::bTooltips},
    {"ShortcutKeys", &CMFCToolBarParameters::bShortcutKeys},
    {"LargeIcons", &CMFCToolBarParameters::bLargeIcons},
    {"MenuAnimation", &CMFCToolBarParameters::bMenuAnimation},
    {"RecentlyUsedMenus", &CMFCToolBarParameters::bRecentlyUsedMenus},
    {"MenuShadows", &CMFCToolBarParameters::bMenuShadows},
    {"ShowAllMenusAfterDelay", &CMFCToolBarParameters::bShowAllMenusAfterDelay},
};
} // namespace

CMFCToolBarParameters& CMFCToolBarParameters::Current() {
    static CMFCToolBarParameters current;
    return current;
}

void CMFCToolBarParameters::Load(const CSettingsTree& tree, const QString& key) {
    for (const Flag& f : kFlags)
        if (const std::optional<quint32> v = tree.readDWord(key, QLatin1String(f.name)))
            this->*f.member = *v != 0;
    if (const std::optional<QByteArray> usage = tree.readBinary(key, QStringLiteral("CommandsUsage")))
        commandsUsage = *usage;
}

void CMFCToolBarParameters::Save(CSettingsTree& tree, const QString& key) const {
    for (const Flag& f : kFlags)
        tree.writeDWord(key, QLatin1String(f.name), this->*f.member ? 1 : 0);
    tree.writeBinary(key, QStringLiteral("CommandsUsage"), commandsUsage);
}

void CMFCToolBarParameters::Apply() const {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    // Menu animation needs the general effects switch; it turns no other effect on.
    if (bMenuAnimation)
        QApplication::setEffectEnabled(Qt::UI_General, true);
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, bMenuAnimation);
}

QString CMFCToolBarParameters::ToolTipFor(UINT id, const CKeyboardManager* keys) const {
    QString tip = AfxCommandText(id).tooltip;
    const QString key = bShortcutKeys && keys && !tip.isEmpty() ? keys->KeyTextForCommand(id) : QString();
    return key.isEmpty() ? tip : tip + QStringLiteral(" (%1)").arg(key);
}

} // namespace lw
