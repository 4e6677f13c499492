#include "framework/ui/SmartDockingManager.h"

#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBar.h"

#include <QApplication>
#include <QChildEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <array>

namespace lw {

namespace {
constexpr int kMarkerSize = 32;
constexpr int kEdgeInset = 12;

Qt::ToolBarArea areaOf(CMFCVisualManager::Marker side) {
    switch (side) {
    case CMFCVisualManager::Marker::Left:
        return Qt::LeftToolBarArea;
    case CMFCVisualManager::Marker::Right:
        return Qt::RightToolBarArea;
    case CMFCVisualManager::Marker::Bottom:
        return Qt::BottomToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

constexpr std::array<CMFCVisualManager::Marker, 4> kSides = {
    CMFCVisualManager::Marker::Left, CMFCVisualManager::Marker::Top, CMFCVisualManager::Marker::Right,
    CMFCVisualManager::Marker::Bottom};
} // namespace

// Lies over the whole window while a bar is dragged; the pointer passes through it.
class CSmartDockingManager::Overlay : public QWidget {
public:
    Overlay(CSmartDockingManager* owner, QWidget* parent) : QWidget(parent), m_owner(owner) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }
    QPointer<QToolBar> bar;
    Place hot;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const CMFCVisualManager* look = CMFCVisualManager::GetInstance();
        if (hot.side != Marker::None && bar)
            look->OnFillDockingPreview(&p, m_owner->PreviewRect(bar, hot));
    }

private:
    CSmartDockingManager* m_owner;
};

// One marker: a small window of its own, so that it shows above the bar being dragged.
class CSmartDockingManager::MarkerWindow : public QWidget {
public:
    MarkerWindow(Place place, QWidget* frame)
        : QWidget(frame, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
          m_place(place) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(kMarkerSize, kMarkerSize);
    }
    const Place m_place;
    bool m_hot = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // The frame's dock shows round the marker's rounded corners.
        CMFCVisualManager::GetInstance()->OnFillBarBackground(&p, rect(), CMFCVisualManager::Bar::DockArea,
                                                              false);
        CMFCVisualManager::GetInstance()->OnDrawDockingMarker(&p, rect(), m_place.side, m_hot);
    }
};

CSmartDockingManager::CSmartDockingManager(QMainWindow* frame)
    : QObject(frame), m_frame(frame), m_overlay(new Overlay(this, frame)) {
    // The centre of the cross has no side: it only joins the four arms.
    m_markers.push_back(new MarkerWindow({}, frame));
    for (bool outer : {false, true})
        for (Marker side : kSides)
            m_markers.push_back(new MarkerWindow({side, outer}, frame));
    frame->installEventFilter(this);
    for (QObject* child : frame->children())
        watch(child);
}

void CSmartDockingManager::watch(QObject* child) {
    if (auto* bar = qobject_cast<QToolBar*>(child)) {
        bar->removeEventFilter(this);
        bar->installEventFilter(this);
    }
}

bool CSmartDockingManager::AreMarkersShown() const {
    return m_overlay->isVisible();
}

QRect CSmartDockingManager::MarkerRect(const Place& place) const {
    QWidget* central = m_frame->centralWidget();
    const QRect area = central ? central->geometry() : m_frame->rect();
    const QPoint c = area.center();
    const int m = kMarkerSize, half = kMarkerSize / 2;
    if (place.outer) {
        switch (place.side) {
        case Marker::Left:
            return {area.left() + kEdgeInset, c.y() - half, m, m};
        case Marker::Right:
            return {area.right() - kEdgeInset - m + 1, c.y() - half, m, m};
        case Marker::Top:
            return {c.x() - half, area.top() + kEdgeInset, m, m};
        case Marker::Bottom:
            return {c.x() - half, area.bottom() - kEdgeInset - m + 1, m, m};
        case Marker::None:
            return {};
        }
    }
    switch (place.side) {
    case Marker::Left:
        return {c.x() - half - m, c.y() - half, m, m};
    case Marker::Right:
        return {c.x() + half, c.y() - half, m, m};
    case Marker::Top:
        return {c.x() - half, c.y() - half - m, m, m};
    case Marker::Bottom:
        return {c.x() - half, c.y() + half, m, m};
    case Marker::None:
        break;
    }
    return {};
}

CSmartDockingManager::Place CSmartDockingManager::HitTest(const QPoint& globalPos) const {
    const QPoint pos = m_frame->mapFromGlobal(globalPos);
    for (bool outer : {false, true})
        for (Marker side : kSides)
            if (MarkerRect({side, outer}).contains(pos))
                return {side, outer};
    return {};
}

QRect CSmartDockingManager::PreviewRect(QToolBar* bar, const Place& place) const {
    const bool across = place.side == Marker::Top || place.side == Marker::Bottom;
    const QSize hint = bar->sizeHint();
    const int thickness =
        across ? std::min(hint.height(), hint.width()) : std::min(hint.width(), hint.height());
    QWidget* central = m_frame->centralWidget();
    const QRect inner = central ? central->geometry() : m_frame->rect();
    QRect outer = m_frame->rect();
    if (QStatusBar* status = m_frame->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
        status && status->isVisible())
        outer.setBottom(status->geometry().top() - 1);
    const QRect& r = place.outer ? outer : inner;
    switch (place.side) {
    case Marker::Left:
        return {r.left(), inner.top(), thickness, inner.height()};
    case Marker::Right:
        return {r.right() - thickness + 1, inner.top(), thickness, inner.height()};
    case Marker::Top:
        return {outer.left(), r.top(), outer.width(), thickness};
    case Marker::Bottom:
        return {outer.left(), r.bottom() - thickness + 1, outer.width(), thickness};
    case Marker::None:
        break;
    }
    return {};
}

void CSmartDockingManager::Dock(QToolBar* bar, const Place& place) {
    if (!bar || place.side == Marker::None)
        return;
    const Qt::ToolBarArea area = areaOf(place.side);
    // The other bars docked on that side, to go before (outer) or after (inner) them.
    QToolBar* edgemost = nullptr;
    bool others = false;
    auto distance = [&](QToolBar* b) {
        const QRect g = b->geometry();
        switch (area) {
        case Qt::LeftToolBarArea:
            return g.left() * 100000 + g.top();
        case Qt::RightToolBarArea:
            return -g.right() * 100000 + g.top();
        case Qt::BottomToolBarArea:
            return -g.bottom() * 100000 + g.left();
        default:
            return g.top() * 100000 + g.left();
        }
    };
    for (QToolBar* other : m_frame->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other == bar || other->isHidden() || other->isWindow() || m_frame->toolBarArea(other) != area)
            continue;
        others = true;
        if (!edgemost || distance(other) < distance(edgemost))
            edgemost = other;
    }
    if (place.outer && edgemost) {
        m_frame->insertToolBar(edgemost, bar);
        m_frame->insertToolBarBreak(edgemost);
    } else {
        if (others)
            m_frame->addToolBarBreak(area);
        m_frame->addToolBar(area, bar);
    }
    bar->show();
}

void CSmartDockingManager::ShowMarkers(QToolBar* bar, const QPoint& globalPos) {
    const Place hot = HitTest(globalPos);
    if (m_overlay->isVisible() && m_overlay->bar == bar && m_overlay->hot == hot)
        return;
    m_overlay->bar = bar;
    m_overlay->hot = hot;
    m_overlay->setGeometry(m_frame->rect());
    m_overlay->raise();
    m_overlay->show();
    m_overlay->update();
    for (MarkerWindow* marker : m_markers) {
        const QRect r = marker->m_place.side == Marker::None
                            ? MarkerRect({Marker::Left, false}).translated(kMarkerSize, 0)
                            : MarkerRect(marker->m_place);
        marker->move(m_frame->mapToGlobal(r.topLeft()));
        marker->m_hot = marker->m_place.side != Marker::None && marker->m_place == hot;
        marker->show();
        marker->raise();
        marker->update();
    }
}

void CSmartDockingManager::HideMarkers() {
    m_overlay->hide();
    for (MarkerWindow* marker : m_markers)
        marker->hide();
    m_overlay->bar = nullptr;
    m_overlay->hot = {};
}

bool CSmartDockingManager::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_frame) {
        // A child is still being constructed when it is added: it is known for a bar once polished.
        if (event->type() == QEvent::ChildPolished)
            watch(static_cast<QChildEvent*>(event)->child());
        return false;
    }
    if (auto* bar = qobject_cast<QToolBar*>(watched))
        return barEvent(bar, event);
    return false;
}

bool CSmartDockingManager::barEvent(QToolBar* bar, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_dragging = false;
        m_pressed = nullptr;
        const auto* toolBar = dynamic_cast<CMFCToolBar*>(bar);
        // A press on a floating bar's resizing edge resizes it; it is no drag.
        if (mouse->button() != Qt::LeftButton ||
            (toolBar && toolBar->ResizeEdgesAt(mouse->position().toPoint()) != Qt::Edges()))
            return false;
        m_pressed = bar;
        m_pressGlobal = mouse->globalPosition().toPoint();
        m_pressBarPos = bar->mapToGlobal(QPoint());
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (bar != m_pressed || !(mouse->buttons() & Qt::LeftButton))
            return false;
        const QPoint global = mouse->globalPosition().toPoint();
        // Qt's drag has taken the bar when it floats and follows the pointer.
        if (!m_dragging && bar->isWindow() && bar->mapToGlobal(QPoint()) != m_pressBarPos &&
            (global - m_pressGlobal).manhattanLength() >= QApplication::startDragDistance())
            m_dragging = true;
        if (m_dragging && CMDIFrameWndEx::GetDockingMode() == DT_SMART)
            ShowMarkers(bar, global);
        return false;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool dropped = m_dragging && bar == m_pressed && AreMarkersShown();
        const Place place = dropped ? HitTest(mouse->globalPosition().toPoint()) : Place{};
        m_dragging = false;
        m_pressed = nullptr;
        HideMarkers();
        // Docked once Qt's own drag has let the bar go.
        if (place.side != Marker::None)
            QTimer::singleShot(0, this, [this, guard = QPointer<QToolBar>(bar), place] {
                if (guard)
                    Dock(guard, place);
            });
        return false;
    }
    default:
        return false;
    }
}

} // namespace lw
