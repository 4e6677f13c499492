// The main frame's bars between runs: each toolbar's buttons and resource layout, each
// bar's visibility and the docking positions of all of them, kept under the workspace
// key and read back only when a layout version was stored with them.

#include "framework/core/Resources.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/WinApp.h"
#include "framework/ui/ColorMenuButton.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarParameters.h"

#include <QtDebug>
#include <algorithm>

namespace lw {

namespace {

constexpr quint32 kLayoutMajor = 14;
constexpr quint32 kLayoutMinor = 44;
// The version QMainWindow's docking state is saved with; another one is not restored.
constexpr int kDockingStateVersion = 1;
// More buttons than a bar shows on any screen: a longer stored list is damaged, and building
// it would keep the window from ever showing.
constexpr size_t kMaxStoredButtons = 256;
// Torn-off palettes come from the colour buttons, a handful at most.
constexpr int kMaxTornOffPalettes = 64;

QByteArray encodeIds(const std::vector<UINT>& ids) {
    QByteArray bytes;
    bytes.reserve(int(ids.size()) * 2);
    for (UINT id : ids) {
        bytes.append(char(id & 0xFF));
        bytes.append(char((id >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<UINT> decodeIds(const QByteArray& bytes, UINT barId, const char* what) {
    std::vector<UINT> ids;
    // A stray last byte of a damaged value is ignored.
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        if (ids.size() == kMaxStoredButtons) {
            qWarning("Toolbar %u: stored %s list of %lld buttons is longer than a bar holds; all after the "
                     "first %zu are dropped",
                     barId, what, static_cast<long long>(bytes.size() / 2), kMaxStoredButtons);
            break;
        }
        ids.push_back(UINT(quint8(bytes[i])) | (UINT(quint8(bytes[i + 1])) << 8));
    }
    return ids;
}

QByteArray encodeRect(const QRect& r) {
    QByteArray bytes;
    for (int v : {r.left(), r.top(), r.width(), r.height()})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(char((quint32(v) >> shift) & 0xFF));
    return bytes;
}

std::optional<QRect> decodeRect(const QByteArray& bytes) {
    if (bytes.size() != 16)
        return std::nullopt;
    int v[4] = {};
    for (int i = 0; i < 4; ++i) {
        quint32 n = 0;
        for (int b = 0; b < 4; ++b)
            n |= quint32(quint8(bytes[i * 4 + b])) << (8 * b);
        v[i] = int(n);
    }
    if (v[2] <= 0 || v[3] <= 0)
        return std::nullopt;
    return QRect(v[0], v[1], v[2], v[3]);
}

QString tearOffKey(const QString& base, int n) {
    return base + QStringLiteral("ControlBars-TearOff-%1").arg(n);
}

bool contains(const std::vector<UINT>& ids, UINT id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The user's buttons brought in line with a resource that changed since they were
// stored: buttons the resource dropped go, buttons it gained are added at the end.
std::vector<UINT> mergeWithResource(std::vector<UINT> buttons, const std::vector<UINT>& storedOriginal,
                                    const std::vector<UINT>& original) {
    if (storedOriginal == original)
        return buttons;
    std::erase_if(
        buttons, [&](UINT id) { return id != 0 && contains(storedOriginal, id) && !contains(original, id); });
    for (UINT id : original)
        if (id != 0 && !contains(storedOriginal, id) && !contains(buttons, id))
            buttons.push_back(id);
    return buttons;
}

} // namespace

void CMDIFrameWndEx::SaveBarState() const {
    CWinApp* app = AfxGetApp();
    if (!app || !app->GetSettingsStore() || !m_widget)
        return;
    const QString base = app->GetRegistryBase() + QLatin1Char('\\');
    const QByteArray docking = m_widget->saveState(kDockingStateVersion);
    app->GetSettingsStore()->apply([&](CSettingsTree& tree) {
        const QString version = base + QStringLiteral("ControlBarVersion");
        tree.writeDWord(version, QStringLiteral("Major"), kLayoutMajor);
        tree.writeDWord(version, QStringLiteral("Minor"), kLayoutMinor);
        CMFCToolBarParameters::Current().Save(tree, base + QStringLiteral("MFCToolBarParameters"));
        for (CMFCToolBar* bar : m_toolBars) {
            const QString id = QString::number(bar->GetDlgCtrlID());
            const QString key = base + QStringLiteral("MFCToolBar-") + id;
            tree.writeString(key, QStringLiteral("Name"), bar->windowTitle());
            tree.writeBinary(key, QStringLiteral("Buttons"), encodeIds(bar->GetButtons()));
            tree.writeBinary(key, QStringLiteral("OriginalItems"), encodeIds(bar->GetOriginalItems()));
            tree.writeDWord(key, QStringLiteral("FloatingRowWidth"),
                            quint32(std::max(0, bar->GetFloatingRowWidth())));
            tree.writeBinary(key, QStringLiteral("ButtonLooks"), bar->SaveButtonLooks());
            tree.writeDWord(key, QStringLiteral("TextLabels"), bar->GetTextLabels() ? 1 : 0);
            tree.writeDWord(base + QStringLiteral("BasePane-") + id, QStringLiteral("IsVisible"),
                            bar->isHidden() ? 0 : 1);
        }
        // A user toolbar deleted since the last save leaves its slot empty.
        for (int slot = 0; slot < GetMaxUserToolBars(); ++slot) {
            const UINT id = m_nFirstUserBarId + UINT(slot);
            if (!GetToolBar(id)) {
                tree.deleteKey(base + QStringLiteral("MFCToolBar-%1").arg(id));
                tree.deleteKey(base + QStringLiteral("BasePane-%1").arg(id));
            }
        }
        if (m_menuBar && m_menuPane) {
            const QString key = base + QStringLiteral("MFCMenuBar-%1").arg(m_menuPane->GetDlgCtrlID());
            tree.deleteKey(key);
            for (const auto& [menuId, commands] : m_menuBar->GetUserCommands()) {
                std::vector<UINT> pairs;
                for (const CMFCMenuBar::UserCommand& c : commands) {
                    pairs.push_back(UINT(c.index));
                    pairs.push_back(c.id);
                }
                if (!pairs.empty())
                    tree.writeBinary(key, QStringLiteral("Commands-%1").arg(menuId), encodeIds(pairs));
            }
        }
        if (m_statusBar)
            tree.writeDWord(base + QStringLiteral("BasePane-%1").arg(m_statusBar->GetDlgCtrlID()),
                            QStringLiteral("IsVisible"), m_statusBar->isHidden() ? 0 : 1);
        // The torn-off list is written whole each time: older entries go first.
        for (const QString& key : tree.subKeys(app->GetRegistryBase()))
            if (key.startsWith(QStringLiteral("ControlBars-TearOff-"), Qt::CaseInsensitive))
                tree.deleteKey(base + key);
        int n = 0;
        for (const CMFCColorMenuButton::TornOffPalette& p : CMFCColorMenuButton::TornOffPalettes()) {
            tree.writeDWord(tearOffKey(base, n), QStringLiteral("ID"), p.id);
            tree.writeString(tearOffKey(base, n), QStringLiteral("Name"), p.name);
            tree.writeBinary(tearOffKey(base, n), QStringLiteral("State"), encodeRect(p.geometry));
            ++n;
        }
        tree.writeBinary(base + QStringLiteral("DockingManager-%1").arg(GetResourceID()),
                         QStringLiteral("DockingPaneAndPaneDividers"), docking);
    });
}

BOOL CMDIFrameWndEx::LoadBarState() {
    CWinApp* app = AfxGetApp();
    if (!app || !app->GetSettingsStore() || !m_widget)
        return FALSE;
    const CSettingsStore& store = *app->GetSettingsStore();
    const QString base = app->GetRegistryBase() + QLatin1Char('\\');
    const QString version = base + QStringLiteral("ControlBarVersion");
    if (!store.readDWord(version, QStringLiteral("Major")) ||
        !store.readDWord(version, QStringLiteral("Minor")))
        return FALSE;
    restoreUserToolBars();
    CMFCToolBarParameters& params = CMFCToolBarParameters::Current();
    params.Load(store.snapshot(), base + QStringLiteral("MFCToolBarParameters"));
    params.Apply();
    for (CMFCToolBar* bar : m_toolBars)
        bar->ApplyParameters();
    std::vector<std::pair<CMFCToolBar*, int>> rowWidths;
    for (CMFCToolBar* bar : std::vector<CMFCToolBar*>(m_toolBars)) {
        const QString id = QString::number(bar->GetDlgCtrlID());
        const QString key = base + QStringLiteral("MFCToolBar-") + id;
        if (const std::optional<QByteArray> buttons = store.readBinary(key, QStringLiteral("Buttons"))) {
            const std::optional<QByteArray> original = store.readBinary(key, QStringLiteral("OriginalItems"));
            const std::vector<UINT> storedOriginal =
                original ? decodeIds(*original, bar->GetDlgCtrlID(), "original") : bar->GetOriginalItems();
            const std::vector<UINT> ids = mergeWithResource(
                decodeIds(*buttons, bar->GetDlgCtrlID(), "button"), storedOriginal, bar->GetOriginalItems());
            // Unchanged contents keep the bar's live controls (the Format toolbar's boxes).
            if (ids != bar->GetButtons())
                bar->SetButtons(ids);
            if (const std::optional<QByteArray> looks = store.readBinary(key, QStringLiteral("ButtonLooks")))
                bar->LoadButtonLooks(*looks);
        }
        if (store.readDWord(key, QStringLiteral("TextLabels")).value_or(0) != 0)
            bar->SetTextLabels(true);
        // A floating bar comes back with the rows it was left with, whatever size the
        // window system first gives it.
        if (const std::optional<quint32> row = store.readDWord(key, QStringLiteral("FloatingRowWidth"))) {
            const int width = *row > 0 && *row < 100000 ? int(*row) : -1;
            bar->SetFloatingRowWidth(width);
            rowWidths.emplace_back(bar, width);
        }
    }
    if (const std::optional<QByteArray> docking =
            store.readBinary(base + QStringLiteral("DockingManager-%1").arg(GetResourceID()),
                             QStringLiteral("DockingPaneAndPaneDividers"))) {
        if (!m_widget->restoreState(*docking, kDockingStateVersion))
            qWarning("The stored bar layout could not be read; the bars keep their built-in places");
    }
    if (m_menuBar && m_menuPane) {
        const QString key = base + QStringLiteral("MFCMenuBar-%1").arg(m_menuPane->GetDlgCtrlID());
        std::map<UINT, std::vector<CMFCMenuBar::UserCommand>> commands;
        const CSettingsTree tree = store.snapshot();
        for (const QString& name : tree.valueNames(key)) {
            bool ok = false;
            const UINT menuId = name.startsWith(QStringLiteral("Commands-")) ? name.mid(9).toUInt(&ok) : 0;
            const std::optional<QByteArray> bytes = ok ? tree.readBinary(key, name) : std::nullopt;
            if (!bytes)
                continue;
            const std::vector<UINT> pairs = decodeIds(*bytes, m_menuPane->GetDlgCtrlID(), "menu bar");
            for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
                if (!CResourceTables::instance().hasString(pairs[i + 1])) {
                    qWarning("Menu bar: stored command %u names no command and is dropped", pairs[i + 1]);
                    continue;
                }
                commands[menuId].push_back({int(pairs[i]), pairs[i + 1]});
            }
        }
        m_menuBar->SetUserCommands(std::move(commands));
    }
    std::vector<QWidget*> panes(m_toolBars.begin(), m_toolBars.end());
    if (m_statusBar)
        panes.push_back(m_statusBar);
    for (QWidget* pane : panes) {
        const UINT id = dynamic_cast<CWnd*>(pane)->GetDlgCtrlID();
        const QString key = base + QStringLiteral("BasePane-%1").arg(id);
        if (const std::optional<quint32> visible = store.readDWord(key, QStringLiteral("IsVisible")))
            pane->setVisible(*visible != 0);
    }
    return TRUE;
}

void CMDIFrameWndEx::RestoreTornOffBars() {
    CWinApp* app = AfxGetApp();
    if (!app || !app->GetSettingsStore())
        return;
    const CSettingsStore& store = *app->GetSettingsStore();
    const QString base = app->GetRegistryBase() + QLatin1Char('\\');
    if (!store.readDWord(base + QStringLiteral("ControlBarVersion"), QStringLiteral("Major")))
        return;
    for (int n = 0; n < kMaxTornOffPalettes && store.keyExists(tearOffKey(base, n)); ++n) {
        const std::optional<quint32> id = store.readDWord(tearOffKey(base, n), QStringLiteral("ID"));
        const std::optional<QByteArray> state =
            store.readBinary(tearOffKey(base, n), QStringLiteral("State"));
        const std::optional<QRect> where = state ? decodeRect(*state) : std::nullopt;
        if (id && where)
            CMFCColorMenuButton::ShowTornOffPalette(*id, *where);
    }
}

} // namespace lw
