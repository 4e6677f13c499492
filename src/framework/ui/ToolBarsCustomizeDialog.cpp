#include "framework/ui/ToolBarsCustomizeDialog.h"

#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/Resources.h"
#include "framework/core/WinApp.h"
#include "framework/ui/CustomizePages.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBar.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace lw {

namespace {
// Menu entries the framework fills at run time stand for no command of their own.
constexpr UINT ID_USER_TOOLS_PLACEHOLDER = 32945;
constexpr UINT ID_TOOLBARS_PLACEHOLDER = 59392;
constexpr UINT ID_MRU_FIRST = 57616;
constexpr UINT ID_MRU_LAST = 57631;

QString plainName(QString text) {
    text = text.left(text.indexOf(QLatin1Char('\t')) >= 0 ? text.indexOf(QLatin1Char('\t')) : text.size());
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
}
} // namespace

CMFCToolBarsCustomizeDialog::CMFCToolBarsCustomizeDialog(CMDIFrameWndEx* frame, BOOL bAutoSetFromMenus,
                                                         UINT uiFlags)
    : QDialog(frame ? frame->GetWidget() : nullptr), m_frame(frame), m_uiFlags(uiFlags),
      m_bAutoSetFromMenus(bAutoSetFromMenus != FALSE) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Customize"));
    setModal(false);
    if (m_bAutoSetFromMenus)
        addCategoriesFromMenus();
}

CMFCToolBarsCustomizeDialog::~CMFCToolBarsCustomizeDialog() {
    if (s_instance == this) {
        s_instance = nullptr;
        CMFCToolBar::SetCustomizeMode(false);
    }
}

void CMFCToolBarsCustomizeDialog::AddToCategory(const QString& category, UINT id, const QString& name) {
    auto it = std::find_if(m_categories.begin(), m_categories.end(),
                           [&](const Category& c) { return c.name == category; });
    if (it == m_categories.end()) {
        m_categories.push_back({category, {}});
        it = m_categories.end() - 1;
    }
    if (std::find(it->commands.begin(), it->commands.end(), id) == it->commands.end())
        it->commands.push_back(id);
    if (!m_names.count(id))
        m_names[id] = name;
}

QString CMFCToolBarsCustomizeDialog::GetCommandName(UINT id) const {
    const auto it = m_names.find(id);
    if (it != m_names.end())
        return it->second;
    const QString tip = AfxCommandText(id).tooltip;
    return tip.isEmpty() ? QString::number(id) : tip;
}

void CMFCToolBarsCustomizeDialog::addCategoriesFromMenus() {
    std::vector<UINT> menus;
    // The documents' menus hold every command; the frame's own adds what they lack.
    if (CWinApp* app = AfxGetApp(); app && app->GetDocManager())
        for (const auto& tmpl : app->GetDocManager()->Templates())
            menus.push_back(tmpl->GetResourceID());
    if (m_frame)
        menus.push_back(m_frame->GetResourceID());
    std::function<void(const QString&, const std::vector<MenuNode>&)> walk =
        [&](const QString& category, const std::vector<MenuNode>& nodes) {
            for (const MenuNode& node : nodes) {
                if (node.popup) {
                    walk(category, node.children);
                    continue;
                }
                const UINT id = node.id;
                if (node.isSeparator() || id == ID_USER_TOOLS_PLACEHOLDER || id == ID_TOOLBARS_PLACEHOLDER ||
                    (id >= ID_MRU_FIRST && id <= ID_MRU_LAST))
                    continue;
                AddToCategory(category, id, plainName(node.text));
            }
        };
    for (UINT menuId : menus) {
        const std::optional<std::vector<MenuNode>> menu = CResourceTables::instance().loadMenu(menuId);
        if (!menu)
            continue;
        for (const MenuNode& top : *menu)
            if (top.popup)
                walk(plainName(top.text), top.children);
    }
    // Commands only the toolbars carry (Bold, the font boxes) are among all commands too.
    if (m_frame)
        for (CMFCToolBar* bar : m_frame->GetToolBars())
            for (UINT id : bar->GetOriginalItems())
                if (id != 0 && !m_names.count(id))
                    m_names[id] = AfxCommandText(id).tooltip.isEmpty() ? QString::number(id)
                                                                       : AfxCommandText(id).tooltip;
    std::vector<UINT> all;
    for (const auto& [id, name] : m_names)
        all.push_back(id);
    std::sort(all.begin(), all.end(), [this](UINT a, UINT b) {
        return QString::localeAwareCompare(GetCommandName(a), GetCommandName(b)) < 0;
    });
    m_categories.push_back({QStringLiteral("All Commands"), all});
}

BOOL CMFCToolBarsCustomizeDialog::Create() {
    if (s_instance && s_instance != this)
        return FALSE;
    s_instance = this;
    CMFCToolBar::SetCustomizeMode(true);
    m_tabs = new QTabWidget(this);
    m_commands = new CCustomizeCommandsPage(this);
    m_toolbars = new CCustomizeToolbarsPage(this);
    m_tools = new CCustomizeToolsPage(this);
    m_keyboard = new CCustomizeKeyboardPage(this);
    m_menu = new CCustomizeMenuPage(this);
    m_options = new CCustomizeOptionsPage(this);
    m_tabs->addTab(m_commands, QStringLiteral("Commands"));
    m_tabs->addTab(m_toolbars, QStringLiteral("Toolbars"));
    m_tabs->addTab(m_tools, QStringLiteral("Tools"));
    m_tabs->addTab(m_keyboard, QStringLiteral("Keyboard"));
    m_tabs->addTab(m_menu, QStringLiteral("Menu"));
    m_tabs->addTab(m_options, QStringLiteral("Options"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    if (!(m_uiFlags & AFX_CUSTOMIZE_NOHELP))
        buttons->addButton(QDialogButtonBox::Help)->setEnabled(false);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    show();
    raise();
    activateWindow();
    return TRUE;
}

} // namespace lw
