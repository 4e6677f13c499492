#include "framework/ui/MDIFrameWndEx.h"

#include "framework/core/CmdUI.h"
#include "framework/core/Document.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/RecentFileList.h"
#include "framework/core/Resources.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/WinApp.h"
#include "framework/ui/FullScreenImpl.h"
#include "framework/ui/KeyboardManager.h"
#include "framework/ui/MDIChildWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/SmartDockingManager.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"
#include "framework/ui/UserTool.h"
#include "framework/ui/VisualManager.h"
#include "framework/ui/WinAppEx.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

namespace lw {

namespace {
// Menu entries added at run time carry this mark so the next fill can remove them.
constexpr const char* kRunTimeEntry = "lwRunTimeEntry";
constexpr UINT ID_WINDOWS_DIALOG = 131;
constexpr UINT IDS_WINDOWS_MANAGER = 110;
constexpr UINT ID_CUSTOMIZE = 126;
constexpr UINT IDS_CUSTOMIZE = 125;
constexpr UINT ID_USER_TOOLS_PLACEHOLDER = 32945;
// The commands user tools may have, whatever part of it the application enables.
constexpr UINT ID_USER_TOOL_FIRST = 0x8F00;
constexpr UINT ID_USER_TOOL_LAST = 0x8FFF;
// The window list's items are framework commands outside the program's range.
constexpr UINT ID_FIRST_MDICHILD = 0xFF00;
// The menu bar's control ID (the program's resources name it too).
constexpr UINT kMenuBarId = 59398;

bool hasCommand(QMenu* menu, UINT id) {
    for (QAction* a : menu->actions())
        if (AfxActionCommandId(a) == id)
            return true;
    return false;
}

void removeRunTimeEntries(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (a->property(kRunTimeEntry).toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
}

QAction* addRunTimeAction(QMenu* menu, const QString& text, QAction* before = nullptr) {
    auto* action = new QAction(text, menu);
    action->setProperty(kRunTimeEntry, true);
    if (before)
        menu->insertAction(before, action);
    else
        menu->addAction(action);
    return action;
}
} // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMDIFrameWndEx, CMDIFrameWnd)
    ON_COMMAND(ID_WINDOW_CASCADE, &CMDIFrameWndEx::OnWindowCascade)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, &CMDIFrameWndEx::OnWindowTileHorz)
    ON_COMMAND(ID_WINDOW_TILE_VERT, &CMDIFrameWndEx::OnWindowTileVert)
    ON_COMMAND(ID_WINDOW_ARRANGE, &CMDIFrameWndEx::OnWindowArrange)
    ON_COMMAND(ID_VIEW_STATUS_BAR, &CMDIFrameWndEx::OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CMDIFrameWndEx::OnUpdateViewStatusBar)
    ON_COMMAND_RANGE(ID_USER_TOOL_FIRST, ID_USER_TOOL_LAST, &CMDIFrameWndEx::OnUserTool)
END_MESSAGE_MAP()
// clang-format on

CFrameWidget::CFrameWidget(CMDIFrameWndEx* owner) : m_owner(owner), m_clientArea(new CMDIClientAreaWnd(this)) {
    setCentralWidget(m_clientArea);
    setAcceptDrops(true);
}

QMenu* CFrameWidget::createPopupMenu() {
    if (!m_owner)
        return nullptr;
    auto* menu = new QMenu(this);
    m_owner->AddPaneEntries(menu, nullptr);
    return menu;
}

void CFrameWidget::closeEvent(QCloseEvent* event) {
    // The frame decides; it destroys this widget itself when the close goes through.
    event->ignore();
    if (m_owner)
        QTimer::singleShot(0, this, [owner = m_owner] { owner->OnClose(); });
}

void CFrameWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    CMFCVisualManager::GetInstance()->OnFillBarBackground(&p, rect(), CMFCVisualManager::Bar::DockArea, false);
}

void CFrameWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CFrameWidget::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (m_owner && !paths.isEmpty()) {
        activateWindow();
        m_owner->OnDropFiles(paths);
    }
}

CMDIFrameWndEx::CMDIFrameWndEx() : m_fullScreen(std::make_unique<CFullScreenImpl>(this)) {}

CMDIFrameWndEx::~CMDIFrameWndEx() {
    if (m_widget) {
        m_widget->detach();
        delete m_widget;
    }
}

CMDIClientAreaWnd* CMDIFrameWndEx::GetClientArea() const { return m_widget ? m_widget->clientArea() : nullptr; }

QMdiArea* CMDIFrameWndEx::GetMdiArea() const {
    return m_widget ? m_widget->clientArea()->GetMdiArea() : nullptr;
}

void CMDIFrameWndEx::EnableMDITabbedGroups(BOOL bEnable, const CMDITabInfo& params) {
    if (CMDIClientAreaWnd* area = GetClientArea())
        area->EnableMDITabbedGroups(bEnable != FALSE, params);
}

BOOL CMDIFrameWndEx::AreMDITabs() const {
    CMDIClientAreaWnd* area = GetClientArea();
    return area && area->AreMDITabs();
}

BOOL CMDIFrameWndEx::MDITabNewGroup(BOOL bVert) {
    CMDIClientAreaWnd* area = GetClientArea();
    return area && area->MDITabNewGroup(bVert != FALSE);
}

void CMDIFrameWndEx::EnableFullScreenMode(UINT uiFullScreenCmd) { m_fullScreen->SetCommand(uiFullScreenCmd); }

void CMDIFrameWndEx::ShowFullScreen() {
    if (m_fullScreen->IsFullScreen())
        m_fullScreen->RestoreState();
    else
        m_fullScreen->ShowFullScreen();
}

BOOL CMDIFrameWndEx::IsFullScreen() const { return m_fullScreen->IsFullScreen(); }

QToolBar* CMDIFrameWndEx::GetFullScreenBar() const { return m_fullScreen->GetFullScreenBar(); }

BOOL CMDIFrameWndEx::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) {
    m_widget = new CFrameWidget(this);
    m_smartDocking = new CSmartDockingManager(m_widget);
    m_strTitle = AfxLoadString(nIDResource);
    const QString iconPath = CResourceTables::instance().iconPath(nIDResource);
    if (!iconPath.isEmpty())
        m_widget->setWindowIcon(QIcon(iconPath));

    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    CKeyboardManager* keys = app ? app->GetKeyboardManager() : nullptr;
    if (keys) {
        const std::span<const ACCEL> table = CResourceTables::instance().loadAccelerators(nIDResource);
        keys->SetDefaultAccelerators(std::vector<ACCEL>(table.begin(), table.end()));
        keys->SetFrame(this, m_widget);
    }

    CMFCMenuBar::Services services;
    services.frame = this;
    services.keys = keys;
    services.commandIcon = [this](UINT id) { return GetCommandIcon(id); };
    services.showPrompt = [this](const QString& text) { SetMessageText(text); };
    services.fillRunTimeEntries = [this](QMenu* menu) { FillRunTimeEntries(menu); };
    m_menuBar = new CMFCMenuBar(std::move(services));
    m_menuPane = new CMenuBarPane(m_menuBar, m_widget);
    m_menuPane->Create(this, kMenuBarId);
    // Until the frame docks it, the pane holds the top row on its own.
    DockPane(m_menuPane);
    // Right-clicking the menu bar offers the same bar list as the toolbars do.
    m_menuBar->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(m_menuBar, &QWidget::customContextMenuRequested, m_widget, [this](const QPoint& pos) {
        if (!m_widget || !m_menuBar)
            return;
        QMenu* menu = m_widget->createPopupMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_menuBar->mapToGlobal(pos));
    });

    m_messagePane = new QLabel(m_widget);
    m_widget->statusBar()->addWidget(m_messagePane, 1);
    SetMessageText(AfxLoadString(AFX_IDS_IDLEMESSAGE));

    CMDIClientAreaWnd* area = m_widget->clientArea();
    area->onActivated = [this](CChildWidget* widget) {
        CMDIChildWndEx* child = CMDIChildWndEx::FromWidget(widget);
        if (!child) {
            if (MDIGetActive() && !widget)
                MDIActivate(nullptr);
            return;
        }
        // A tab or window the user picked gets the keyboard focus with the activation.
        if (child != MDIGetActive())
            child->ActivateFrame();
    };
    area->onCloseRequested = [this](CChildWidget* widget) {
        if (CMDIChildWndEx* child = CMDIChildWndEx::FromWidget(widget))
            child->OnClose();
    };
    area->sendCommand = [this](unsigned id) { SendCommand(id); };

    if (!CMDIFrameWnd::LoadFrame(nIDResource, pParentWnd, pContext))
        return FALSE;
    // The window exists: the frame's creation handler builds its bars.
    if (SendMessage(WM_CREATE) == -1)
        return FALSE;
    // The bars exist: the layout the user left them in comes back.
    LoadBarState();
    LoadCustomization();
    switchMenu();
    OnUpdateFrameTitle(TRUE);
    return TRUE;
}

void CMDIFrameWndEx::switchMenu() {
    if (!m_menuBar)
        return;
    CMDIChildWnd* child = MDIGetActive();
    const UINT menuId = child && child->GetResourceID() ? child->GetResourceID() : GetResourceID();
    if (auto menu = CResourceTables::instance().loadMenu(menuId))
        m_menuBar->CreateFromMenu(menuId, *menu);
}

void CMDIFrameWndEx::MDIActivate(CMDIChildWnd* child) {
    CMDIFrameWnd::MDIActivate(child);
    switchMenu();
}

void CMDIFrameWndEx::ActivateFrame(int nCmdShow) {
    if (!m_widget)
        return;
    switch (nCmdShow) {
    case SW_HIDE:
        m_widget->hide();
        break;
    case SW_SHOWMAXIMIZED:
        m_widget->showMaximized();
        break;
    case SW_SHOWMINIMIZED:
        m_widget->showMinimized();
        break;
    case SW_SHOWNORMAL:
        m_widget->showNormal();
        break;
    default:
        if (!m_widget->isVisible())
            m_widget->show();
        break;
    }
    if (nCmdShow != SW_HIDE) {
        m_widget->raise();
        m_widget->activateWindow();
    }
}

void CMDIFrameWndEx::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!m_widget)
        return;
    CDocument* doc = bAddToTitle ? GetActiveDocument() : nullptr;
    SetWindowText(doc ? doc->GetTitle() + QStringLiteral(" - ") + m_strTitle : m_strTitle);
}

void CMDIFrameWndEx::SetWindowText(const QString& text) {
    CMDIFrameWnd::SetWindowText(text);
    if (m_widget)
        m_widget->setWindowTitle(text);
}

QString CMDIFrameWndEx::GetWindowText() const {
    return m_widget ? m_widget->windowTitle() : QString();
}

void CMDIFrameWndEx::OnClose() {
    // Full screen is left first, so the workspace written is the normal one.
    if (IsFullScreen())
        ShowFullScreen();
    SaveWorkspaceState();
    CWinApp* app = AfxGetApp();
    if (app && !app->SaveAllModified())
        return;
    if (app)
        app->CloseAllDocuments(FALSE);
    DestroyWindow();
}

QIcon CMDIFrameWndEx::GetCommandIcon(UINT id) const {
    return m_commandImages.icon(id);
}

BOOL CMDIFrameWndEx::LoadCommandImages(UINT toolbarId) {
    const std::optional<ToolbarResource> layout = CResourceTables::instance().loadToolbar(toolbarId);
    if (!layout)
        return FALSE;
    CMFCToolBarImages images;
    if (!images.load(toolbarId, QSize(layout->imageWidth, layout->imageHeight)))
        return FALSE;
    m_commandImages.addFromToolbar(layout->items, images);
    return TRUE;
}

namespace {
const QString kPlacementSection = QStringLiteral("WindowPlacement");
}

void CMDIFrameWndEx::SaveWorkspaceState() {
    CWinApp* app = AfxGetApp();
    if (!app || !m_widget || !app->GetSettingsStore())
        return;
    QRect r = m_widget->normalGeometry().isValid() ? m_widget->normalGeometry() : m_widget->geometry();
    if (IsFullScreen())
        r = m_fullScreen->GetRestoreRect();
    QByteArray rect;
    QDataStream out(&rect, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(r.left()) << qint32(r.top()) << qint32(r.right() + 1) << qint32(r.bottom() + 1);
    const QString section = app->GetRegistryBase() + QLatin1Char('\\') + kPlacementSection;
    SaveBarState();
    SaveCustomization();
    const int showCmd = m_widget->isMaximized() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    app->GetSettingsStore()->apply([&](CSettingsTree& tree) {
        tree.writeBinary(section, QStringLiteral("MainWindowRect"), rect);
        tree.writeDWord(section, QStringLiteral("Flags"), 0);
        tree.writeDWord(section, QStringLiteral("ShowCmd"), static_cast<quint32>(showCmd));
    });
}

void CMDIFrameWndEx::LoadWindowPlacement() {
    CWinApp* app = AfxGetApp();
    if (!app || !m_widget)
        return;
    const QString section = app->GetRegistryBase() + QLatin1Char('\\') + kPlacementSection;
    const std::optional<QByteArray> rect = app->GetProfileBinary(section, QStringLiteral("MainWindowRect"));
    if (!rect || rect->size() != 16)
        return;
    QDataStream in(*rect);
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 l = 0, t = 0, r = 0, b = 0;
    in >> l >> t >> r >> b;
    // A stored rectangle too small to use is ignored.
    if (qint64(r) - l < 100 || qint64(b) - t < 100)
        return;
    // Sizes past any screen are cut before they can overflow the rectangle's arithmetic.
    static constexpr qint64 kLimit = 1 << 20;
    const auto cut = [](qint64 v) { return static_cast<int>(std::clamp(v, -kLimit, kLimit)); };
    m_widget->setGeometry(
        ClampToScreens(QRect(QPoint(cut(l), cut(t)), QSize(cut(qint64(r) - l), cut(qint64(b) - t)))));
}

QRect CMDIFrameWndEx::ClampToScreens(const QRect& stored) {
    // The screen the rectangle mostly lies on, or the primary one when it lies on none.
    QScreen* best = QGuiApplication::primaryScreen();
    qint64 bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(stored);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    if (!best)
        return stored;
    const QRect avail = best->availableGeometry();
    // A window larger than its screen, or out of sight, is brought back within it.
    const QSize size(std::clamp(stored.width(), std::min(200, avail.width()), avail.width()),
                     std::clamp(stored.height(), std::min(150, avail.height()), avail.height()));
    const QPoint pos(std::clamp(stored.left(), avail.left(), avail.right() + 1 - size.width()),
                     std::clamp(stored.top(), avail.top(), avail.bottom() + 1 - size.height()));
    return {pos, size};
}

void CMDIFrameWndEx::SetMessageText(const QString& text) {
    if (m_statusBar && m_statusBar->CommandToIndex(CMFCStatusBar::kMessagePane) >= 0)
        m_statusBar->SetPaneText(m_statusBar->CommandToIndex(CMFCStatusBar::kMessagePane), text);
    else if (m_messagePane)
        m_messagePane->setText(text);
}

QString CMDIFrameWndEx::GetMessageText() const {
    if (m_statusBar && m_statusBar->CommandToIndex(CMFCStatusBar::kMessagePane) >= 0)
        return m_statusBar->GetPaneText(m_statusBar->CommandToIndex(CMFCStatusBar::kMessagePane));
    return m_messagePane ? m_messagePane->text() : QString();
}

void CMDIFrameWndEx::OnIdleUpdateCmdUI() {
    if (!m_widget || IsDestroyed())
        return;
    // Hidden bars are brought up to date when they are shown again.
    for (CMFCToolBar* bar : m_toolBars)
        if (!bar->isHidden())
            bar->OnUpdateCmdUI(this, TRUE);
    if (m_statusBar && !m_statusBar->isHidden())
        m_statusBar->OnUpdateCmdUI();
}

void CMDIFrameWndEx::EnableDocking(UINT align) {
    if (!m_widget)
        return;
    // Side bars take the corners so that top and bottom bars keep the full width.
    m_widget->setCorner(Qt::TopLeftCorner, (align & 0x1000) ? Qt::LeftDockWidgetArea : Qt::TopDockWidgetArea);
    m_widget->setCorner(Qt::BottomLeftCorner,
                        (align & 0x1000) ? Qt::LeftDockWidgetArea : Qt::BottomDockWidgetArea);
    m_widget->setCorner(Qt::TopRightCorner,
                        (align & 0x4000) ? Qt::RightDockWidgetArea : Qt::TopDockWidgetArea);
    m_widget->setCorner(Qt::BottomRightCorner,
                        (align & 0x4000) ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea);
}

void CMDIFrameWndEx::DockPane(CMFCToolBar* bar) {
    if (!m_widget || !bar)
        return;
    m_widget->addToolBar(Qt::TopToolBarArea, bar);
    if (std::find(m_toolBars.begin(), m_toolBars.end(), bar) == m_toolBars.end())
        m_toolBars.push_back(bar);
    // A bar deleted with its widget leaves the list at once.
    QObject::connect(bar, &QObject::destroyed, m_widget, [this, bar] {
        m_toolBars.erase(std::remove(m_toolBars.begin(), m_toolBars.end(), bar), m_toolBars.end());
    });
}

void CMDIFrameWndEx::DockPane(CMenuBarPane* pane) {
    if (!m_widget || !pane)
        return;
    if (pane->isVisibleTo(m_widget) && m_widget->toolBarArea(pane) == Qt::TopToolBarArea &&
        !pane->isFloating())
        return;
    // The menu bar takes the first row of the top edge; the toolbars keep the rows below.
    QToolBar* first = nullptr;
    for (CMFCToolBar* bar : m_toolBars)
        if (!first && m_widget->toolBarArea(bar) == Qt::TopToolBarArea && !bar->isFloating())
            first = bar;
    if (first) {
        m_widget->insertToolBar(first, pane);
        m_widget->insertToolBarBreak(first);
    } else {
        m_widget->addToolBar(Qt::TopToolBarArea, pane);
        m_widget->addToolBarBreak(Qt::TopToolBarArea);
    }
    pane->show();
}

CMFCToolBar* CMDIFrameWndEx::GetToolBar(UINT id) const {
    for (CMFCToolBar* bar : m_toolBars)
        if (bar->GetDlgCtrlID() == id)
            return bar;
    return nullptr;
}

void CMDIFrameWndEx::SetStatusBar(CMFCStatusBar* bar) {
    if (!m_widget || !bar)
        return;
    const QString text = GetMessageText();
    m_widget->setStatusBar(bar);
    m_statusBar = bar;
    SetMessageText(text);
}

void CMDIFrameWndEx::SetDockingMode(UINT mode, int) {
    s_nDockingMode = mode == DT_SMART ? DT_SMART : DT_STANDARD;
}

std::vector<CMDIFrameWndEx::PaneEntry> CMDIFrameWndEx::GetPaneEntries() const {
    std::vector<PaneEntry> entries;
    for (CMFCToolBar* bar : m_toolBars) {
        QPointer<CMFCToolBar> guard(bar);
        entries.push_back({bar->windowTitle(), [guard] { return guard && !guard->isHidden(); },
                           [guard](bool on) {
                               if (guard)
                                   guard->setVisible(on);
                           }});
    }
    return entries;
}

void CMDIFrameWndEx::AddPaneEntries(QMenu* menu, QAction* before) {
    for (const PaneEntry& pane : GetPaneEntries()) {
        QAction* action = addRunTimeAction(menu, pane.caption, before);
        action->setCheckable(true);
        action->setChecked(pane.isVisible());
        QObject::connect(action, &QAction::triggered, m_widget,
                         [setVisible = pane.setVisible](bool on) { setVisible(on); });
    }
    if (menu->actions().size() > 0 && !GetPaneEntries().empty())
        addRunTimeAction(menu, QString(), before)->setSeparator(true);
    QAction* customize = addRunTimeAction(menu, AfxLoadString(IDS_CUSTOMIZE), before);
    AfxSetActionCommandId(customize, ID_CUSTOMIZE);
    QObject::connect(customize, &QAction::triggered, m_widget, [this] { SendCommand(ID_CUSTOMIZE); });
    // The customise entry follows the route's verdict like any menu item.
    CMenuCmdUI ui(customize);
    ui.m_nID = ID_CUSTOMIZE;
    ui.DoUpdate(this, TRUE);
}

void CMDIFrameWndEx::OnDropFiles(const QStringList& paths) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (const QString& path : paths)
        app->OpenDocumentFile(path);
}

void CMDIFrameWndEx::FillRunTimeEntries(QMenu* menu) {
    removeRunTimeEntries(menu);
    if (hasCommand(menu, ID_FILE_MRU_FILE1))
        fillRecentFiles(menu);
    if (hasCommand(menu, ID_WINDOW_CASCADE))
        fillWindowList(menu);
    if (hasCommand(menu, ID_USER_TOOLS_PLACEHOLDER))
        fillUserTools(menu);
    if (hasCommand(menu, ID_VIEW_TOOLBAR))
        fillPaneList(menu);
}

void CMDIFrameWndEx::fillRecentFiles(QMenu* menu) {
    QAction* first = nullptr;
    for (QAction* a : menu->actions())
        if (AfxActionCommandId(a) == ID_FILE_MRU_FILE1)
            first = a;
    CRecentFileList* list = AfxGetApp() ? AfxGetApp()->GetRecentFileList() : nullptr;
    const int count = list ? list->count() : 0;
    if (count == 0) {
        // The single resource item stays, disabled by its update handler.
        first->setText(first->property("lwBaseText").toString());
        return;
    }
    const QString folder = QDir::currentPath();
    first->setText(list->MenuText(0, folder));
    const QList<QAction*> actions = menu->actions();
    QAction* after = actions.value(actions.indexOf(first) + 1);
    for (int i = 1; i < count; ++i) {
        QAction* action = addRunTimeAction(menu, list->MenuText(i, folder), after);
        const UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
        AfxSetActionCommandId(action, id);
        QObject::connect(action, &QAction::triggered, m_widget, [this, id] { SendCommand(id); });
    }
}

void CMDIFrameWndEx::fillWindowList(QMenu* menu) {
    const std::vector<CMDIChildWnd*>& children = Children();
    if (!children.empty())
        addRunTimeAction(menu, QString())->setSeparator(true);
    int n = 0;
    for (CMDIChildWnd* child : children) {
        // Nine windows at most; "Windows..." reaches the rest.
        if (++n > 9)
            break;
        const QString prefix = QStringLiteral("&%1 ").arg(n);
        QString title = child->GetWindowText();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = addRunTimeAction(menu, prefix + title);
        AfxSetActionCommandId(action, ID_FIRST_MDICHILD + static_cast<UINT>(n - 1));
        action->setCheckable(true);
        action->setChecked(child == MDIGetActive());
        QObject::connect(action, &QAction::triggered, m_widget, [child] { child->ActivateFrame(); });
    }
    // "Windows..." always closes the list.
    QAction* windows = addRunTimeAction(menu, AfxLoadString(IDS_WINDOWS_MANAGER));
    AfxSetActionCommandId(windows, ID_WINDOWS_DIALOG);
    QObject::connect(windows, &QAction::triggered, m_widget, [this] { SendCommand(ID_WINDOWS_DIALOG); });
}

void CMDIFrameWndEx::fillUserTools(QMenu* menu) {
    // The placeholder itself is never shown: the tools take its place.
    QAction* placeholder = nullptr;
    for (QAction* a : menu->actions())
        if (AfxActionCommandId(a) == ID_USER_TOOLS_PLACEHOLDER)
            placeholder = a;
    placeholder->setVisible(false);
    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    CUserToolsManager* tools = app ? app->GetUserToolsManager() : nullptr;
    if (!tools)
        return;
    for (const CUserTool& tool : tools->GetUserTools()) {
        QAction* action = addRunTimeAction(menu, tool.m_strLabel, placeholder);
        AfxSetActionCommandId(action, tool.m_uiCmdId);
        QObject::connect(action, &QAction::triggered, m_widget, [this, id = tool.m_uiCmdId] { SendCommand(id); });
    }
}

void CMDIFrameWndEx::OnUserTool(UINT id) {
    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    CUserToolsManager* tools = app ? app->GetUserToolsManager() : nullptr;
    const CUserTool* tool = tools ? tools->FindTool(id) : nullptr;
    if (!tool)
        return;
    CDocument* doc = GetActiveDocument();
    if (!tool->Invoke(doc ? doc->GetPathName() : QString()))
        AfxMessageBox(QStringLiteral("The tool \"%1\" could not be started: %2")
                          .arg(QString(tool->m_strLabel).remove(QLatin1Char('&')), tool->m_strCommand),
                      MB_OK | MB_ICONEXCLAMATION);
}

void CMDIFrameWndEx::fillPaneList(QMenu* menu) {
    QAction* placeholder = nullptr;
    for (QAction* a : menu->actions())
        if (AfxActionCommandId(a) == ID_VIEW_TOOLBAR)
            placeholder = a;
    placeholder->setVisible(false);
    AddPaneEntries(menu, placeholder);
}

void CMDIFrameWndEx::OnWindowCascade() {
    if (CMDIClientAreaWnd* area = GetClientArea(); area && !area->AreMDITabs())
        area->Cascade();
}

void CMDIFrameWndEx::OnWindowTileHorz() {
    if (CMDIClientAreaWnd* area = GetClientArea(); area && !area->AreMDITabs())
        area->TileHorizontally();
}

void CMDIFrameWndEx::OnWindowTileVert() {
    if (CMDIClientAreaWnd* area = GetClientArea(); area && !area->AreMDITabs())
        area->TileVertically();
}

void CMDIFrameWndEx::OnWindowArrange() {
    // Minimised windows line up along the bottom edge.
    QMdiArea* area = GetMdiArea();
    if (!area || AreMDITabs())
        return;
    int x = 0;
    for (QMdiSubWindow* w : area->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        w->move(x, area->viewport()->height() - s.height());
        x += s.width();
    }
}

void CMDIFrameWndEx::OnViewStatusBar() {
    if (m_widget)
        m_widget->statusBar()->setHidden(!m_widget->statusBar()->isHidden());
}

void CMDIFrameWndEx::OnUpdateViewStatusBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_widget && !m_widget->statusBar()->isHidden() ? 1 : 0);
}

void CMDIFrameWndEx::OnDestroy() {
    if (IsFullScreen())
        m_fullScreen->RestoreState();
    // The Customize dialog acts on this frame: it goes first.
    if (CMFCToolBarsCustomizeDialog* dialog = CMFCToolBarsCustomizeDialog::GetInstance();
        dialog && dialog->GetFrame() == this)
        delete dialog;
    CMDIFrameWnd::OnDestroy();
    if (auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp()); app && app->GetKeyboardManager())
        app->GetKeyboardManager()->SetFrame(nullptr, nullptr);
    // The bars outlive this object until the event loop deletes them: they must not
    // reach it meanwhile, nor tell it when they go.
    for (CMFCToolBar* bar : m_toolBars) {
        bar->CWnd::SetParent(nullptr);
        QObject::disconnect(bar, &QObject::destroyed, m_widget, nullptr);
    }
    if (m_statusBar)
        m_statusBar->CWnd::SetParent(nullptr);
    if (m_menuPane)
        m_menuPane->CWnd::SetParent(nullptr);
    if (m_widget) {
        // The close may come from one of the widget's own menu actions, still on the
        // stack: the widget goes once control is back in the event loop.
        m_widget->clientArea()->onActivated = nullptr;
        m_widget->clientArea()->onCloseRequested = nullptr;
        m_widget->clientArea()->sendCommand = nullptr;
        m_widget->detach();
        m_widget->hide();
        m_widget->deleteLater();
        m_widget = nullptr;
    }
    m_menuBar = nullptr;
    m_menuPane = nullptr;
    m_messagePane = nullptr;
    m_statusBar = nullptr;
    m_toolBars.clear();
}

void CMDIFrameWndEx::PostNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        // Only a running loop is ended: an exit outside one would end every loop started later.
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::exit(0);
    }
    // The main frame owns itself, like every frame.
    delete this;
}

} // namespace lw
