#pragma once
// The program's main window: menu bar, the Standard, Format and Insert toolbars, the
// status bar, docking, and the controls of the Format toolbar.

#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBarImages.h"

#include <memory>

namespace lw {

class CFormatBarControls;
class CMFCColorMenuButton;
class CMFCStatusBar;
class CMFCToolBar;
class CMFCToolBarComboBoxButton;
class CMFCToolBarFontComboBox;

class CMainFrame : public CMDIFrameWndEx {
    DECLARE_MESSAGE_MAP()
public:
    // Reads the image-set and look settings the frame is built with.
    CMainFrame();
    ~CMainFrame() override;

    BOOL LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) override;
    // Puts the font name box, the font size box and the two colour buttons in place of
    // their buttons on the Format toolbar, wherever the toolbar still carries them.
    virtual void InstallFormatControls();

    CMFCToolBar* GetFormatBar() const { return m_formatBar; }
    CMFCToolBar* GetStandardBar() const { return m_standardBar; }
    CMFCToolBar* GetInsertBar() const { return m_insertBar; }
    const CMFCToolBarImages& GetUserImages() const { return m_userImages; }

    // The Format toolbar's controls by command ID; nullptr when the toolbar does not
    // carry it (the user may have removed it).
    CMFCToolBarComboBoxButton* FindComboBox(UINT id) const;
    CMFCToolBarFontComboBox* GetFontNameBox() const;
    CMFCToolBarComboBoxButton* GetFontSizeBox() const;
    CMFCColorMenuButton* FindColorButton(UINT id) const;

    // A Format control the user put back on the Format toolbar comes back as the control.
    void OnToolbarContentsChanged(CMFCToolBar* bar) override;

    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnToolbarReset(WPARAM, LPARAM);
    LRESULT OnUserToolbarCreated(WPARAM, LPARAM);
    void OnWindowsDialog();
    void OnCustomizeBars();
    // Switches the whole window to the look with this command ID and stores it.
    void OnSelectLook(UINT id);
    void OnUpdateSelectLook(CCmdUI* pCmdUI);
    void OnToggleFullScreen();
    void OnUpdateFullScreen(CCmdUI* pCmdUI);
    void OnToggleTabbedDocuments();
    void OnUpdateTabbedDocuments(CCmdUI* pCmdUI);
    void OnUpdateArrangeWindows(CCmdUI* pCmdUI);
    void OnNewHorizontalTabGroup();
    void OnNewVerticalTabGroup();
    void OnUpdateNewTabGroup(CCmdUI* pCmdUI);

    // Document-tab settings handed over whenever tab groups are switched on or off.
    CMDITabInfo m_tabParams;
    int m_hiColorIcons = 1;
    int m_applicationLook = 0;

private:
    CMFCToolBar* createToolBar(UINT id, UINT resourceId, UINT titleId);
    void loadUserImages();

    CMFCToolBar* m_standardBar = nullptr;
    CMFCToolBar* m_formatBar = nullptr;
    CMFCToolBar* m_insertBar = nullptr;
    CMFCToolBarImages m_userImages;
    // What the editing views read and set the Format toolbar's controls through.
    std::unique_ptr<CFormatBarControls> m_formatControls;
};

} // namespace lw
