#pragma once
// A dockable toolbar: buttons from a toolbar resource with pictures from its strip,
// commands sent to the frame through the route, tooltips and status-bar prompts from
// the string table, a "Toolbar Options" drop-down at its end, and buttons that a
// control (a combo box, a colour button) can take the place of. Floating, the user
// drags its left, right or bottom edge and the buttons wrap into as many rows as fit.

#include "framework/core/CmdUI.h"
#include "framework/core/Wnd.h"
#include "framework/ui/ToolBarImages.h"

#include <QByteArray>
#include <QEvent>
#include <QToolBar>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QMouseEvent;
class QToolButton;

namespace lw {

class CFrameWnd;
class CMFCToolBarControl;
class CToolBarStrip;

// Docking sides, as bar styles name them.
inline constexpr UINT CBRS_ALIGN_LEFT = 0x1000;
inline constexpr UINT CBRS_ALIGN_TOP = 0x2000;
inline constexpr UINT CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr UINT CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr UINT CBRS_ALIGN_ANY = 0xF000;

// Qt's docking areas for a set of bar alignment bits.
Qt::ToolBarAreas AfxToolBarAreas(UINT align);

class CMFCToolBar : public QToolBar, public CWnd {
public:
    explicit CMFCToolBar(QWidget* parent = nullptr);
    ~CMFCToolBar() override;

    // Attaches the bar to its frame (where commands go) under a control ID.
    BOOL Create(CWnd* frame, UINT id);
    // Sets the buttons from a toolbar resource and its strip, then tells the top-level
    // frame ("TOOLBAR_RESETTOOLBAR", the resource ID in wParam).
    BOOL LoadToolBar(UINT resourceId);
    UINT GetResourceID() const { return m_nResourceID; }
    // Puts the resource's buttons back ("Reset Toolbar").
    void ResetToolBar();

    void SetWindowText(const QString& text) override;
    QString GetWindowText() const override;

    // The customise button at the bar's end: its menu shows and hides the bar's own
    // buttons, resets the bar and offers `customizeText` sending `customizeCmd`.
    void EnableCustomizeButton(BOOL enable, UINT customizeCmd, const QString& customizeText);
    QToolButton* GetCustomizeButton() const { return m_customizeButton; }
    // The drop-down menu of the customise button, filled for its current state.
    QMenu* BuildOptionsMenu();

    // Docking sides this bar accepts (CBRS_ALIGN_* bits).
    void EnableDocking(UINT align);

    // Buttons, in order; a separator has command 0.
    int GetCount() const { return int(m_items.size()); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    QAction* GetAction(int index) const;
    CMFCToolBarControl* GetControl(int index) const;
    // The widget showing a button, separator or control.
    QWidget* GetButtonWidget(int index) const;
    // The buttons' commands as they are now, and as the resource lists them.
    std::vector<UINT> GetButtons() const;
    const std::vector<UINT>& GetOriginalItems() const { return m_originalItems; }

    // Replaces the first button with `id` by `control`, which the bar then owns;
    // returns its index, or -1 (and frees the control) when the bar has no such button.
    int ReplaceButton(UINT id, std::unique_ptr<CMFCToolBarControl> control);
    // Inserts a plain button for `id` at `index` (-1 for the end).
    int InsertButton(UINT id, int index = -1);
    BOOL RemoveButton(int index);
    // Sets the buttons from a stored list; commands the program does not know are
    // dropped with a warning.
    void SetButtons(std::span<const UINT> ids);

    // Takes up the shared bar options again (button size, tooltips and their keys).
    void ApplyParameters();

    // Routes one update request per button from `target`.
    void OnUpdateCmdUI(CFrameWnd* target, BOOL bDisableIfNoHandler);

    // Toolbar images are shown at their stored pixel size on every display.
    static void SetNonScaledImages(bool on) { s_bDontScaleImages = on; }
    static bool IsNonScaledImages() { return s_bDontScaleImages; }
    // User-defined button images shared by all toolbars; the bars do not own them.
    static void SetUserImages(CMFCToolBarImages* images) { s_pUserImages = images; }
    static CMFCToolBarImages* GetUserImages() { return s_pUserImages; }

    // The name the frame stores a bar's settings under.
    QString SettingsName() const;

    // The position a button dropped at `pos` (bar coordinates) would take.
    int DropIndexAt(const QPoint& pos) const;

    // While the Customize dialog is open every bar button can be dragged without Alt, and
    // right-clicking one offers its appearance.
    static void SetCustomizeMode(bool on) { s_bCustomizing = on; }
    static bool IsCustomizeMode() { return s_bCustomizing; }
    // Puts a command on the bar or menu bar under `globalPos`; FALSE when none is there.
    static BOOL DropCommand(UINT id, const QPoint& globalPos);

    // Floats the bar as a window of its own with its top-left corner at `globalPos`.
    void FloatAt(const QPoint& globalPos);

    // Buttons show their text under their pictures.
    void SetTextLabels(bool on);
    bool GetTextLabels() const { return m_bTextLabels; }
    // How one button shows: its picture, its text or both; a user image in place of its
    // picture (-1 for its own).
    enum class ButtonLook : std::uint8_t { Default = 0, Image = 1, Text = 2, ImageAndText = 3 };
    void SetButtonLook(int index, ButtonLook look, int userImage = -1);
    ButtonLook GetButtonLook(int index) const;
    int GetButtonUserImage(int index) const;
    // The per-button looks in stored form, aligned with GetButtons(), and back.
    QByteArray SaveButtonLooks() const;
    void LoadButtonLooks(const QByteArray& bytes);
    // The appearance menu of the button at `index`, as right-clicking it while customising shows it.
    QMenu* BuildAppearanceMenu(int index, QWidget* parent);

    // The edges of a floating bar the user can drag at `pos` (bar coordinates).
    Qt::Edges ResizeEdgesAt(const QPoint& pos) const;
    // How wide a floating bar's rows are (-1 while docked), kept with the bar layout; set
    // before the layout is restored, the bar floats again with rows of that width.
    int GetFloatingRowWidth() const;
    void SetFloatingRowWidth(int width);

protected:
    bool event(QEvent* e) override;
    // Holding Alt while dragging a button moves it, on this bar or onto another.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Item {
        UINT id = 0;
        QAction* action = nullptr;
        CMFCToolBarControl* control = nullptr; // owned through its widget
        ButtonLook look = ButtonLook::Default;
        int userImage = -1;
    };
    void applyButtonLook(int index);
    // Tells the frame that the user changed the buttons.
    void notifyContentsChanged();
    QAction* createAction(UINT id);
    QSize buttonImageSize() const;
    QIcon buttonIcon(UINT id) const;
    QString buttonToolTip(UINT id) const;
    void clearItems();
    void sendResetNotice();
    void showPrompt(UINT id);
    CWnd* topLevelFrame() const;

    void watchButton(int index);
    void dropButton(int index, const QPoint& globalPos);

    // Resizing a floating bar by an edge.
    void onTopLevelChanged(bool floating);
    void fitFloating();
    bool resizeMouseEvent(QEvent::Type type, const QMouseEvent* e);
    void resizeFloating(const QPoint& delta);
    void showResizeCursor(Qt::Edges edges);

    std::vector<Item> m_items;
    int m_nDragIndex = -1;
    int m_nRestoredRowWidth = -1;
    std::vector<UINT> m_originalItems;
    CMFCToolBarImages m_images;
    UINT m_nResourceID = 0;
    UINT m_nCustomizeCmd = 0;
    QString m_strCustomizeText;
    QToolButton* m_customizeButton = nullptr;
    CToolBarStrip* m_strip = nullptr;
    Qt::Edges m_resizeEdges;
    QPoint m_resizeOrigin;
    QRect m_resizeGeometry;
    QSize m_resizeContents;
    bool m_bResizeCursor = false;
    QMenu* m_optionsMenu = nullptr;
    bool m_bTextLabels = false;
    static inline bool s_bDontScaleImages = false;
    static inline bool s_bCustomizing = false;
    static inline CMFCToolBarImages* s_pUserImages = nullptr;
};

// An update request for one toolbar button or control; it only touches the widget
// when the answer differs from what it shows.
class CToolCmdUI : public CCmdUI {
public:
    CToolCmdUI(QAction* action, CMFCToolBarControl* control) : m_action(action), m_control(control) {}
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;

private:
    QAction* m_action;
    CMFCToolBarControl* m_control;
};

} // namespace lw
