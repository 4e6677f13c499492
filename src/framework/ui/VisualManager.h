#pragma once
// The visual manager: everything the framework draws around the documents (menu bar and
// menus, toolbars and their buttons, bar captions, the status bar, document tabs, child
// frame captions, docking markers) is painted by the one running manager. The base class
// draws the flat grey classic look from its colour set; each look is a subclass that
// sets its own colours and redraws the parts whose shape differs.

#include <QColor>
#include <QRect>
#include <memory>
#include <vector>

class QPainter;
class QPainterPath;
class QString;
class QWidget;

namespace lw {

class CMFCVisualManager {
public:
    // The surfaces the framework fills.
    enum class Bar { DockArea, MenuBar, ToolBar, StatusBar, TabRow };
    // What a button shows beside its picture.
    enum ButtonState { Hot = 1, Pressed = 2, Checked = 4 };
    // The five places a dragged bar can be dropped on the docking markers.
    enum class Marker { None, Left, Top, Right, Bottom };

    CMFCVisualManager();
    virtual ~CMFCVisualManager();
    CMFCVisualManager(const CMFCVisualManager&) = delete;
    CMFCVisualManager& operator=(const CMFCVisualManager&) = delete;

    // The running manager; the classic one until another is made the default.
    static CMFCVisualManager* GetInstance();
    // Replaces the running manager by a new instance of T and resets the docking mode to
    // standard docking, as every change of manager does.
    template <class T> static void SetDefaultManager() { setInstance(std::make_unique<T>()); }
    // Repaints every window of the program in the running manager's colours.
    static void RedrawAll();

    virtual void OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar, bool vertical) const;
    // A button's face behind its picture for a combination of ButtonState bits.
    virtual void OnFillButtonInterior(QPainter* p, const QRect& rect, int state) const;
    virtual void OnDrawSeparator(QPainter* p, const QRect& rect, bool horizontalBar) const;
    virtual void OnDrawBarGripper(QPainter* p, const QRect& rect, bool horizontalBar) const;
    // The caption strip of a floating bar or a document window.
    virtual void OnDrawCaption(QPainter* p, const QRect& rect, bool active) const;
    QColor GetCaptionTextColor(bool active) const {
        return active ? m_c.captionText : m_c.captionTextInactive;
    }
    QColor GetCaptionColor(bool active) const { return active ? m_c.captionLeft : m_c.captionInactiveLeft; }

    // Menus: the background with its picture column, the border, a highlighted item.
    virtual void OnFillMenuBackground(QPainter* p, const QRect& rect, int imageColumn) const;
    virtual void OnDrawMenuBorder(QPainter* p, const QRect& rect) const;
    virtual void OnHighlightMenuItem(QPainter* p, const QRect& rect, bool onMenuBar, bool open) const;
    QColor GetMenuTextColor(bool highlighted, bool enabled, bool onMenuBar) const;
    virtual void OnDrawMenuSeparator(QPainter* p, const QRect& rect, int imageColumn) const;

    virtual void OnDrawStatusBarPaneBorder(QPainter* p, const QRect& rect) const;
    QColor GetStatusBarTextColor() const { return m_c.statusText; }

    // Document tabs: the colours tabs take in turn, and one tab's shape filled.
    const std::vector<QColor>& GetAutoTabColors() const { return m_c.tabColors; }
    virtual void OnFillTab(QPainter* p, const QPainterPath& shape, QColor color, bool current) const;
    QColor GetTabLineColor() const { return m_c.tabLine; }
    QColor GetTabTextColor() const { return m_c.tabText; }

    // Smart docking: one marker (hot while the pointer is on it) and the preview of the place.
    virtual void OnDrawDockingMarker(QPainter* p, const QRect& rect, Marker side, bool hot) const;
    virtual void OnFillDockingPreview(QPainter* p, const QRect& rect) const;

protected:
    struct Colors {
        QColor dockTop, dockBottom;
        QColor barTop, barBottom, barBorder;
        QColor menuBarTop, menuBarBottom, menuBarText;
        QColor menuBack, menuColumn, menuBorder, menuText, menuTextDisabled;
        QColor hotTop, hotBottom, hotBorder, hotText;
        // A solid highlight of menu items, where the look has one (else the hot colours).
        QColor menuHot, menuHotText;
        QColor pressTop, pressBottom, pressBorder;
        QColor checkFill;
        QColor separatorDark, separatorLight, gripper;
        QColor statusTop, statusBottom, statusText, paneBorder;
        QColor captionLeft, captionRight, captionText;
        QColor captionInactiveLeft, captionInactiveRight, captionTextInactive;
        QColor tabRow, tabLine, tabText;
        std::vector<QColor> tabColors;
        QColor markerFace, markerFrame, markerArrow, markerHot, preview;
    };
    // Fills rect top to bottom (left to right when vertical) from `from` to `to`.
    static void fillGradient(QPainter* p, const QRect& rect, QColor from, QColor to, bool vertical = false);
    // A raised (or sunken) one-pixel bevel, the classic button edge.
    void drawBevel(QPainter* p, const QRect& rect, bool sunken) const;
    // A filled rectangle with a one-pixel frame, optionally with rounded corners.
    static void drawFramed(QPainter* p, const QRect& rect, QColor top, QColor bottom, QColor frame,
                           qreal radius);

    Colors m_c;
    // The classic look raises hot buttons with bevels; the others frame them.
    bool m_bBevelButtons = true;
    qreal m_nRadius = 0;

private:
    static void setInstance(std::unique_ptr<CMFCVisualManager> manager);
};

} // namespace lw
