#pragma once
// The Customize dialog: modeless, it frees itself when it closes, and while it is open
// every bar button can be dragged and given another look. Its pages: Commands (drag a
// command onto a bar or the menu bar), Toolbars, Tools, Keyboard, Menu and Options.

#include "framework/core/Types.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <map>
#include <vector>

class QTabWidget;

namespace lw {

class CMDIFrameWndEx;
class CCustomizeCommandsPage;
class CCustomizeToolbarsPage;
class CCustomizeToolsPage;
class CCustomizeKeyboardPage;
class CCustomizeMenuPage;
class CCustomizeOptionsPage;

// Customisation flags.
inline constexpr UINT AFX_CUSTOMIZE_MENU_SHADOWS = 0x0001;
inline constexpr UINT AFX_CUSTOMIZE_TEXT_LABELS = 0x0002;
inline constexpr UINT AFX_CUSTOMIZE_MENU_ANIMATIONS = 0x0004;
inline constexpr UINT AFX_CUSTOMIZE_NOHELP = 0x0008;

class CMFCToolBarsCustomizeDialog : public QDialog {
public:
    // Commands are gathered from the frame's menus when bAutoSetFromMenus is set.
    CMFCToolBarsCustomizeDialog(CMDIFrameWndEx* frame, BOOL bAutoSetFromMenus, UINT uiFlags);
    ~CMFCToolBarsCustomizeDialog() override;

    // The Toolbars page offers New, Rename and Delete for user toolbars.
    void EnableUserDefinedToolbars(BOOL bEnable = TRUE) { m_bUserToolbars = bEnable != FALSE; }
    bool UserDefinedToolbarsEnabled() const { return m_bUserToolbars; }
    // Builds the pages and shows the dialog without waiting for it.
    BOOL Create();
    // The dialog open now, if any.
    static CMFCToolBarsCustomizeDialog* GetInstance() { return s_instance; }

    CMDIFrameWndEx* GetFrame() const { return m_frame; }
    UINT GetFlags() const { return m_uiFlags; }

    // Command categories in menu order, then "All Commands".
    struct Category {
        QString name;
        std::vector<UINT> commands;
    };
    const std::vector<Category>& GetCategories() const { return m_categories; }
    // A command's name as its menu item shows it, without mnemonics and ellipses.
    QString GetCommandName(UINT id) const;
    // Adds a category (its commands after any it already holds), as the program may.
    void AddToCategory(const QString& category, UINT id, const QString& name);

    CCustomizeCommandsPage* GetCommandsPage() const { return m_commands; }
    CCustomizeToolbarsPage* GetToolbarsPage() const { return m_toolbars; }
    CCustomizeToolsPage* GetToolsPage() const { return m_tools; }
    CCustomizeKeyboardPage* GetKeyboardPage() const { return m_keyboard; }
    CCustomizeMenuPage* GetMenuPage() const { return m_menu; }
    CCustomizeOptionsPage* GetOptionsPage() const { return m_options; }
    QTabWidget* GetTabs() const { return m_tabs; }

private:
    void addCategoriesFromMenus();

    CMDIFrameWndEx* m_frame;
    UINT m_uiFlags;
    bool m_bAutoSetFromMenus;
    bool m_bUserToolbars = false;
    std::vector<Category> m_categories;
    std::map<UINT, QString> m_names;
    QTabWidget* m_tabs = nullptr;
    CCustomizeCommandsPage* m_commands = nullptr;
    CCustomizeToolbarsPage* m_toolbars = nullptr;
    CCustomizeToolsPage* m_tools = nullptr;
    CCustomizeKeyboardPage* m_keyboard = nullptr;
    CCustomizeMenuPage* m_menu = nullptr;
    CCustomizeOptionsPage* m_options = nullptr;
    static inline CMFCToolBarsCustomizeDialog* s_instance = nullptr;
};

} // namespace lw
