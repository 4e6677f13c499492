// What the user changed beside the bars, kept under the workspace key between runs: the
// main frame's key table ("Keyboard-0") and the user tools ("Tools").

#include "framework/core/Resources.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/WinApp.h"
#include "framework/ui/KeyboardManager.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/UserTool.h"
#include "framework/ui/WinAppEx.h"

#include <algorithm>

namespace lw {

namespace {
const QString kKeyboardKey = QStringLiteral("Keyboard-0");
const QString kAccelerators = QStringLiteral("Accelerators");
const QString kTools = QStringLiteral("Tools");
} // namespace

void CMDIFrameWndEx::SaveCustomization() const {
    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    if (!app || !app->GetSettingsStore())
        return;
    const QString base = app->GetRegistryBase();
    app->GetSettingsStore()->apply([&](CSettingsTree& tree) {
        if (CKeyboardManager* keys = app->GetKeyboardManager())
            tree.writeBinary(base + QLatin1Char('\\') + kKeyboardKey, kAccelerators, keys->SaveState());
        if (CUserToolsManager* tools = app->GetUserToolsManager())
            tree.writeBinary(base, kTools, tools->Save());
    });
}

void CMDIFrameWndEx::LoadCustomization() {
    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    if (!app || !app->GetSettingsStore())
        return;
    const CSettingsStore& store = *app->GetSettingsStore();
    const QString base = app->GetRegistryBase();
    CUserToolsManager* tools = app->GetUserToolsManager();
    if (tools)
        if (const std::optional<QByteArray> stored = store.readBinary(base, kTools))
            tools->Load(*stored);
    if (CKeyboardManager* keys = app->GetKeyboardManager()) {
        if (const std::optional<QByteArray> stored =
                store.readBinary(base + QLatin1Char('\\') + kKeyboardKey, kAccelerators)) {
            const std::vector<ACCEL>& builtIn = keys->DefaultAccelerators();
            keys->LoadState(*stored, [&](UINT cmd) {
                return CResourceTables::instance().hasString(cmd) || (tools && tools->IsUserToolCmd(cmd)) ||
                       std::any_of(builtIn.begin(), builtIn.end(),
                                   [cmd](const ACCEL& a) { return a.cmd == cmd; });
            });
        }
    }
    OnKeyboardChanged();
}

} // namespace lw
