#pragma once
// Smart docking: while the user drags a bar of the main window, markers over the window
// show where it can dock (four at the window's edges and a cross in the middle of the
// document area) and a preview shows the place under the pointer; dropping the bar on a
// marker docks it there. In standard docking the bar goes wherever Qt's layout takes it.

#include "framework/ui/VisualManager.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <vector>

class QMainWindow;
class QToolBar;
class QWidget;

namespace lw {

class CSmartDockingManager : public QObject {
public:
    using Marker = CMFCVisualManager::Marker;
    // Where a bar would go: a side, at the window's edge (outer) or next to the documents.
    struct Place {
        Marker side = Marker::None;
        bool outer = false;
        bool operator==(const Place&) const = default;
    };

    explicit CSmartDockingManager(QMainWindow* frame);

    // Shows the markers for `bar` being dragged, with the place under `globalPos` lit.
    void ShowMarkers(QToolBar* bar, const QPoint& globalPos);
    void HideMarkers();
    bool AreMarkersShown() const;
    // A marker's rectangle in the window's coordinates.
    QRect MarkerRect(const Place& place) const;
    // The marker under a point of the screen (side None when there is none).
    Place HitTest(const QPoint& globalPos) const;
    // Where `bar` would lie if docked at `place`, in the window's coordinates.
    QRect PreviewRect(QToolBar* bar, const Place& place) const;
    // Docks `bar` at `place`: a row (or column) of its own at that side.
    void Dock(QToolBar* bar, const Place& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Overlay;
    class MarkerWindow;
    void watch(QObject* child);
    bool barEvent(QToolBar* bar, QEvent* event);

    QMainWindow* m_frame;
    Overlay* m_overlay;
    std::vector<MarkerWindow*> m_markers; // owned by the frame
    QPointer<QToolBar> m_pressed;
    QPoint m_pressGlobal;
    QPoint m_pressBarPos;
    bool m_dragging = false;
};

} // namespace lw
