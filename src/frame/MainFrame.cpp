#include "frame/MainFrame.h"

#include "frame/FormatBarControls.h"
#include "frame/WindowsDialog.h"
#include "framework/core/CmdUI.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/WinApp.h"
#include "framework/ui/ColorMenuButton.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarFontComboBox.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"
#include "framework/ui/VisualManagers.h"
#include "resources/CommandIds.h"

#include <QDir>
#include <QGuiApplication>
#include <span>

namespace lw {

namespace {
constexpr UINT ID_TOOLBAR_FORMAT = 59399;
constexpr UINT ID_TOOLBAR_INSERT = 59400;
constexpr const char* kUserImagesFile = "UserImages.bmp";
constexpr UINT ID_FIRST_USER_TOOLBAR = 59432;
constexpr UINT ID_LAST_USER_TOOLBAR = 59441;
constexpr UINT AFX_CUSTOMIZE_FLAGS = 0x000F;
} // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWndEx)
    ON_MESSAGE(WM_CREATE, &CMainFrame::OnCreate)
    ON_COMMAND(ID_WINDOW_MANAGER, &CMainFrame::OnWindowsDialog)
    ON_COMMAND(ID_VIEW_CUSTOMIZE, &CMainFrame::OnCustomizeBars)
    ON_REGISTERED_MESSAGE("TOOLBAR_CREATE", &CMainFrame::OnUserToolbarCreated)
    ON_REGISTERED_MESSAGE("TOOLBAR_RESETTOOLBAR", &CMainFrame::OnToolbarReset)
    ON_COMMAND_RANGE(ID_VIEW_APPLOOK_FIRST, ID_VIEW_APPLOOK_LAST, &CMainFrame::OnSelectLook)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_APPLOOK_FIRST, ID_VIEW_APPLOOK_LAST, &CMainFrame::OnUpdateSelectLook)
    ON_COMMAND(ID_VIEW_FULLSCREEN, &CMainFrame::OnToggleFullScreen)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FULLSCREEN, &CMainFrame::OnUpdateFullScreen)
    ON_COMMAND(ID_VIEW_TABBED_DOCUMENTS, &CMainFrame::OnToggleTabbedDocuments)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TABBED_DOCUMENTS, &CMainFrame::OnUpdateTabbedDocuments)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, &CMainFrame::OnUpdateArrangeWindows)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, &CMainFrame::OnUpdateArrangeWindows)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, &CMainFrame::OnUpdateArrangeWindows)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, &CMainFrame::OnUpdateArrangeWindows)
    ON_COMMAND(ID_WINDOW_NEW_HORIZONTAL_TAB_GROUP, &CMainFrame::OnNewHorizontalTabGroup)
    ON_COMMAND(ID_WINDOW_NEW_VERTICAL_TAB_GROUP, &CMainFrame::OnNewVerticalTabGroup)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW_HORIZONTAL_TAB_GROUP, &CMainFrame::OnUpdateNewTabGroup)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW_VERTICAL_TAB_GROUP, &CMainFrame::OnUpdateNewTabGroup)
END_MESSAGE_MAP()
// clang-format on

CMainFrame::CMainFrame() {
    if (CWinApp* app = AfxGetApp()) {
        m_hiColorIcons = app->GetInt(QStringLiteral("HiColorIcons"), 1);
        m_applicationLook = app->GetInt(QStringLiteral("ApplicationLook"), m_hiColorIcons ? 215 : 205);
    }
}

CMainFrame::~CMainFrame() {
    if (GetFormatControls() == m_formatControls.get())
        SetFormatControls(nullptr);
    // The user images are shared by every toolbar of the process while this frame lives.
    if (CMFCToolBar::GetUserImages() == &m_userImages)
        CMFCToolBar::SetUserImages(nullptr);
}

CMFCToolBar* CMainFrame::createToolBar(UINT id, UINT resourceId, UINT titleId) {
    auto* bar = new CMFCToolBar(GetWidget());
    if (!bar->Create(this, id)) {
        delete bar;
        return nullptr;
    }
    // Registered first: loading tells the frame, whose reset handler looks for the bars.
    if (id == ID_VIEW_TOOLBAR)
        m_standardBar = bar;
    else if (id == ID_TOOLBAR_FORMAT)
        m_formatBar = bar;
    else
        m_insertBar = bar;
    if (!bar->LoadToolBar(resourceId))
        return nullptr;
    bar->SetWindowText(AfxLoadString(titleId));
    return bar;
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
    const bool hi = m_hiColorIcons != 0;
    m_tabParams.m_style = CMDITabInfo::STYLE_3D_ONENOTE;
    m_tabParams.m_bTabIcons = false;
    m_tabParams.m_bActiveTabCloseButton = true;
    m_tabParams.m_bAutoColor = true;
    m_tabParams.m_bDocumentMenu = true;
    const int tabbed = AfxGetApp() ? AfxGetApp()->GetInt(QStringLiteral("TabbedDocuments"), 1) : 1;
    EnableMDITabbedGroups(tabbed != 0, m_tabParams);

    const UINT bars[][3] = {
        {ID_VIEW_TOOLBAR, hi ? IDR_MAINFRAME_256 : IDR_MAINFRAME, IDS_TOOLBAR_STANDARD},
        {ID_TOOLBAR_FORMAT, hi ? IDR_FORMAT_BAR_256 : IDR_FORMAT_BAR, IDS_TOOLBAR_FORMAT},
        {ID_TOOLBAR_INSERT, hi ? IDR_INSERT_BAR_256 : IDR_INSERT_BAR, IDS_TOOLBAR_INSERT}};
    // Set before the bars load: a bar takes its button size when it loads its images.
    CMFCToolBar::SetNonScaledImages(true);
    std::vector<CMFCToolBar*> toolBars;
    for (const auto& b : bars) {
        CMFCToolBar* bar = createToolBar(b[0], b[1], b[2]);
        if (!bar)
            return -1;
        toolBars.push_back(bar);
    }
    const QString customize = AfxLoadString(IDS_TOOLBAR_CUSTOMIZE);
    for (CMFCToolBar* bar : toolBars)
        bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, customize);
    InitUserToolbars(ID_FIRST_USER_TOOLBAR, ID_LAST_USER_TOOLBAR);

    auto* statusBar = new CMFCStatusBar(GetWidget());
    if (!statusBar->Create(this, ID_VIEW_STATUS_BAR))
        return -1;
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    statusBar->SetIndicators(indicators);
    SetStatusBar(statusBar);

    if (GetMenuPane())
        GetMenuPane()->EnableDocking(CBRS_ALIGN_ANY);
    for (CMFCToolBar* bar : toolBars)
        bar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(GetMenuPane());
    for (CMFCToolBar* bar : toolBars)
        DockPane(bar);
    SetDockingMode(DT_SMART);

    // One picture per command, from the toolbars and the menu-image strip of the chosen set.
    const UINT hiColor[] = {IDR_MAINFRAME_256, IDR_FORMAT_BAR_256, IDR_INSERT_BAR_256, IDR_MENU_IMAGES};
    const UINT sixteenColor[] = {IDR_MAINFRAME, IDR_FORMAT_BAR, IDR_INSERT_BAR, IDB_MENU_IMAGES_16};
    for (UINT id : hi ? std::span<const UINT>(hiColor) : std::span<const UINT>(sixteenColor))
        LoadCommandImages(id);
    OnSelectLook(UINT(m_applicationLook));

    loadUserImages();
    EnableFullScreenMode(ID_VIEW_FULLSCREEN);
    m_formatControls = std::make_unique<CFormatBarControls>(this);
    SetFormatControls(m_formatControls.get());
    return 0;
}

void CMainFrame::loadUserImages() {
    // Shared by the whole process: only the first frame reads the file.
    if (CMFCToolBar::GetUserImages())
        return;
    const QSize size(16, m_hiColorIcons ? 16 : 15);
    if (m_userImages.loadUserImages(QDir::current().filePath(QLatin1String(kUserImagesFile)), size))
        CMFCToolBar::SetUserImages(&m_userImages);
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) {
    if (!CMDIFrameWndEx::LoadFrame(nIDResource, pParentWnd, pContext))
        return FALSE;
    const QString customize = AfxLoadString(IDS_TOOLBAR_CUSTOMIZE);
    for (int slot = 0; slot < GetMaxUserToolBars(); ++slot)
        if (CMFCToolBar* bar = GetUserToolBarByIndex(slot))
            bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, customize);
    // Restored toolbar contents hold plain buttons where the controls were.
    InstallFormatControls();
    RestoreTornOffBars();
    return TRUE;
}

void CMainFrame::InstallFormatControls() {
    if (!m_formatBar)
        return;
    auto fontBox = std::make_unique<CMFCToolBarFontComboBox>(
        ID_FORMAT_FONT_NAME, -1, TRUETYPE_FONTTYPE, DEFAULT_CHARSET, CBS_DROPDOWNLIST, 200, DEFAULT_PITCH);
    auto sizeBox = std::make_unique<CMFCToolBarComboBoxButton>(ID_FORMAT_FONT_SIZE, -1, CBS_DROPDOWNLIST, 50);
    for (const char* size : {"8", "10", "12", "14", "18", "24", "36"})
        sizeBox->AddItem(QLatin1String(size), 0);
    const QString other = AfxLoadString(IDS_COLOR_OTHER);

    auto colorButton = [&](UINT id, UINT tearOffId, QColor color) {
        auto button =
            std::make_unique<CMFCColorMenuButton>(id, AfxCommandText(id).tooltip, GetCommandIcon(id));
        button->EnableOtherButton(other);
        button->SetTearOff(tearOffId);
        button->SetColor(color, TRUE);
        return button;
    };
    auto fore = colorButton(ID_FORMAT_FORE_COLOR, ID_FORE_COLOR_PALETTE_BAR, QColor(255, 0, 0));
    auto back = colorButton(ID_FORMAT_BACK_COLOR, ID_BACK_COLOR_PALETTE_BAR, QColor(255, 255, 0));

    m_formatBar->ReplaceButton(ID_FORMAT_FONT_NAME, std::move(fontBox));
    m_formatBar->ReplaceButton(ID_FORMAT_FONT_SIZE, std::move(sizeBox));
    m_formatBar->ReplaceButton(ID_FORMAT_FORE_COLOR, std::move(fore));
    m_formatBar->ReplaceButton(ID_FORMAT_BACK_COLOR, std::move(back));
}

CMFCToolBarComboBoxButton* CMainFrame::FindComboBox(UINT id) const {
    if (!m_formatBar)
        return nullptr;
    return dynamic_cast<CMFCToolBarComboBoxButton*>(m_formatBar->GetControl(m_formatBar->CommandToIndex(id)));
}

CMFCToolBarFontComboBox* CMainFrame::GetFontNameBox() const {
    return dynamic_cast<CMFCToolBarFontComboBox*>(FindComboBox(ID_FORMAT_FONT_NAME));
}

CMFCToolBarComboBoxButton* CMainFrame::GetFontSizeBox() const {
    return FindComboBox(ID_FORMAT_FONT_SIZE);
}

CMFCColorMenuButton* CMainFrame::FindColorButton(UINT id) const {
    if (!m_formatBar)
        return nullptr;
    return dynamic_cast<CMFCColorMenuButton*>(m_formatBar->GetControl(m_formatBar->CommandToIndex(id)));
}

LRESULT CMainFrame::OnToolbarReset(WPARAM, LPARAM) {
    InstallFormatControls();
    return 0;
}

LRESULT CMainFrame::OnUserToolbarCreated(WPARAM, LPARAM lParam) {
    const auto* name = reinterpret_cast<const QString*>(lParam);
    CMFCToolBar* bar = CreateNewToolBar(name ? *name : QString());
    if (!bar)
        return 0;
    bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, AfxLoadString(IDS_TOOLBAR_CUSTOMIZE));
    return reinterpret_cast<LRESULT>(bar);
}

void CMainFrame::OnToolbarContentsChanged(CMFCToolBar* bar) {
    if (bar != m_formatBar)
        return;
    // Only a plain button standing for a control needs one: live controls keep their state.
    for (UINT id : {ID_FORMAT_FONT_NAME, ID_FORMAT_FONT_SIZE, ID_FORMAT_FORE_COLOR, ID_FORMAT_BACK_COLOR}) {
        const int index = m_formatBar->CommandToIndex(id);
        if (index >= 0 && !m_formatBar->GetControl(index)) {
            InstallFormatControls();
            return;
        }
    }
}

void CMainFrame::OnWindowsDialog() {
    CWindowsDialog dialog(this, GetWidget());
    dialog.exec();
}

void CMainFrame::OnSelectLook(UINT id) {
    // The wait cursor shows until the whole window has been drawn in the new look.
    struct WaitCursor {
        WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    } wait;
    m_applicationLook = int(id);
    switch (id) {
    case ID_VIEW_APPLOOK_WIN_2000:
        CMFCVisualManager::SetDefaultManager<CMFCVisualManager>();
        break;
    case ID_VIEW_APPLOOK_OFF_XP:
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerOfficeXP>();
        break;
    case ID_VIEW_APPLOOK_WIN_XP:
        CMFCVisualManagerWindows::m_b3DTabsXPTheme = true;
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerWindows>();
        break;
    case ID_VIEW_APPLOOK_OFF_2003:
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerOffice2003>();
        break;
    case ID_VIEW_APPLOOK_VS_2005:
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerVS2005>();
        break;
    case ID_VIEW_APPLOOK_VS_2008:
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerVS2008>();
        break;
    case ID_VIEW_APPLOOK_WINDOWS_7:
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerWindows7>();
        break;
    default:
        // Other values, stored by hand, keep the colour style in force.
        switch (id) {
        case ID_VIEW_APPLOOK_OFF_2007_BLUE:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Blue);
            break;
        case ID_VIEW_APPLOOK_OFF_2007_BLACK:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Black);
            break;
        case ID_VIEW_APPLOOK_OFF_2007_SILVER:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Silver);
            break;
        case ID_VIEW_APPLOOK_OFF_2007_AQUA:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Aqua);
            break;
        default:
            break;
        }
        CMFCVisualManager::SetDefaultManager<CMFCVisualManagerOffice2007>();
        break;
    }
    if (id != ID_VIEW_APPLOOK_WIN_2000 && id != ID_VIEW_APPLOOK_OFF_XP && id != ID_VIEW_APPLOOK_WIN_XP)
        SetDockingMode(DT_SMART);
    if (GetClientArea())
        GetClientArea()->SetAutoColors(CMFCVisualManager::GetInstance()->GetAutoTabColors());
    CMFCVisualManager::RedrawAll();
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(QStringLiteral("ApplicationLook"), int(id));
}

void CMainFrame::OnUpdateSelectLook(CCmdUI* pCmdUI) { pCmdUI->SetRadio(int(pCmdUI->m_nID) == m_applicationLook); }

void CMainFrame::OnToggleFullScreen() { ShowFullScreen(); }

void CMainFrame::OnUpdateFullScreen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(IsFullScreen() ? 1 : 0); }

void CMainFrame::OnToggleTabbedDocuments() {
    const bool tabs = !AreMDITabs();
    EnableMDITabbedGroups(tabs, m_tabParams);
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(QStringLiteral("TabbedDocuments"), tabs ? 1 : 0);
}

void CMainFrame::OnUpdateTabbedDocuments(CCmdUI* pCmdUI) { pCmdUI->SetCheck(AreMDITabs() ? 1 : 0); }

void CMainFrame::OnUpdateArrangeWindows(CCmdUI* pCmdUI) { pCmdUI->Enable(!AreMDITabs()); }

void CMainFrame::OnNewHorizontalTabGroup() { MDITabNewGroup(FALSE); }

void CMainFrame::OnNewVerticalTabGroup() { MDITabNewGroup(TRUE); }

void CMainFrame::OnUpdateNewTabGroup(CCmdUI* pCmdUI) { pCmdUI->Enable(AreMDITabs()); }

void CMainFrame::OnCustomizeBars() {
    // One dialog at a time: asked again, the open one comes to the front.
    if (CMFCToolBarsCustomizeDialog* open = CMFCToolBarsCustomizeDialog::GetInstance()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dialog = new CMFCToolBarsCustomizeDialog(this, TRUE, AFX_CUSTOMIZE_FLAGS);
    dialog->EnableUserDefinedToolbars();
    dialog->Create();
}

} // namespace lw
