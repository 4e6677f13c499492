#include "framework/ui/VisualManager.h"

#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/VisualManagerStyle.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMdiArea>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QWidget>

namespace lw {

namespace {
std::unique_ptr<CMFCVisualManager>& instance() {
    static std::unique_ptr<CMFCVisualManager> manager;
    return manager;
}
} // namespace

CMFCVisualManager::CMFCVisualManager() {
    const QColor face(0xd4, 0xd0, 0xc8), shadow(0x80, 0x80, 0x80), navy(0x0a, 0x24, 0x6a);
    m_c.dockTop = m_c.dockBottom = face;
    m_c.barTop = m_c.barBottom = face;
    m_c.barBorder = face;
    m_c.menuBarTop = m_c.menuBarBottom = face;
    m_c.menuBarText = Qt::black;
    m_c.menuBack = m_c.menuColumn = face;
    m_c.menuBorder = shadow;
    m_c.menuText = Qt::black;
    m_c.menuTextDisabled = shadow;
    m_c.hotTop = m_c.hotBottom = navy;
    m_c.hotBorder = navy;
    m_c.hotText = Qt::white;
    m_c.menuHot = navy;
    m_c.menuHotText = Qt::white;
    m_c.pressTop = m_c.pressBottom = face;
    m_c.pressBorder = shadow;
    m_c.checkFill = QColor(0xea, 0xe8, 0xe3);
    m_c.separatorDark = shadow;
    m_c.separatorLight = Qt::white;
    m_c.gripper = shadow;
    m_c.statusTop = m_c.statusBottom = face;
    m_c.statusText = Qt::black;
    m_c.paneBorder = shadow;
    m_c.captionLeft = navy;
    m_c.captionRight = QColor(0xa6, 0xca, 0xf0);
    m_c.captionText = Qt::white;
    m_c.captionInactiveLeft = shadow;
    m_c.captionInactiveRight = QColor(0xc0, 0xc0, 0xc0);
    m_c.captionTextInactive = QColor(0xd4, 0xd0, 0xc8);
    m_c.tabRow = face;
    m_c.tabLine = shadow;
    m_c.tabText = Qt::black;
    m_c.tabColors = {QColor(0xc0, 0xc0, 0xc0), QColor(0xd8, 0xd8, 0xc0), QColor(0xc0, 0xd0, 0xd8),
                     QColor(0xd8, 0xc8, 0xc8), QColor(0xc8, 0xd8, 0xc8)};
    m_c.markerFace = face;
    m_c.markerFrame = shadow;
    m_c.markerArrow = navy;
    m_c.markerHot = QColor(0xa6, 0xca, 0xf0);
    m_c.preview = QColor(0x0a, 0x24, 0x6a, 80);
}

CMFCVisualManager::~CMFCVisualManager() = default;

CMFCVisualManager* CMFCVisualManager::GetInstance() {
    if (!instance())
        instance() = std::make_unique<CMFCVisualManager>();
    return instance().get();
}

void CMFCVisualManager::setInstance(std::unique_ptr<CMFCVisualManager> manager) {
    instance() = std::move(manager);
    CMDIFrameWndEx::SetDockingMode(DT_STANDARD);
    CVisualManagerStyle::Install();
    // Status panes are labels that take their text colour from the palette; the overlapping
    // windows' area paints its own background.
    const QColor text = instance()->GetStatusBarTextColor();
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* area = qobject_cast<QMdiArea*>(w))
            area->setBackground(instance()->m_c.dockBottom.darker(115));
        if (auto* bar = qobject_cast<QStatusBar*>(w);
            bar && bar->palette().color(QPalette::WindowText) != text) {
            QPalette pal = bar->palette();
            pal.setColor(QPalette::WindowText, text);
            bar->setPalette(pal);
        }
    }
}

void CMFCVisualManager::RedrawAll() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->repaint();
}

void CMFCVisualManager::fillGradient(QPainter* p, const QRect& rect, QColor from, QColor to, bool vertical) {
    if (from == to) {
        p->fillRect(rect, from);
        return;
    }
    QLinearGradient g(rect.topLeft(), vertical ? rect.topRight() : rect.bottomLeft());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p->fillRect(rect, g);
}

void CMFCVisualManager::drawBevel(QPainter* p, const QRect& r, bool sunken) const {
    p->save();
    p->setPen(sunken ? m_c.separatorDark : m_c.separatorLight);
    p->drawLine(r.topLeft(), r.topRight());
    p->drawLine(r.topLeft(), r.bottomLeft());
    p->setPen(sunken ? m_c.separatorLight : m_c.separatorDark);
    p->drawLine(r.bottomLeft(), r.bottomRight());
    p->drawLine(r.topRight(), r.bottomRight());
    p->restore();
}

void CMFCVisualManager::drawFramed(QPainter* p, const QRect& r, QColor top, QColor bottom, QColor frame,
                                   qreal radius) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing, radius > 0);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p->setBrush(g);
    p->setPen(frame.isValid() ? QPen(frame) : QPen(Qt::NoPen));
    const QRectF f = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    if (radius > 0)
        p->drawRoundedRect(f, radius, radius);
    else
        p->drawRect(f);
    p->restore();
}

void CMFCVisualManager::OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar, bool vertical) const {
    switch (bar) {
    case Bar::DockArea:
        fillGradient(p, rect, m_c.dockTop, m_c.dockBottom, true);
        break;
    case Bar::MenuBar:
        fillGradient(p, rect, m_c.menuBarTop, m_c.menuBarBottom, vertical);
        break;
    case Bar::ToolBar:
        fillGradient(p, rect, m_c.barTop, m_c.barBottom, vertical);
        if (m_c.barBorder != m_c.barBottom) {
            p->save();
            p->setPen(m_c.barBorder);
            if (vertical)
                p->drawLine(rect.topRight(), rect.bottomRight());
            else
                p->drawLine(rect.bottomLeft(), rect.bottomRight());
            p->restore();
        }
        break;
    case Bar::StatusBar:
        fillGradient(p, rect, m_c.statusTop, m_c.statusBottom);
        break;
    case Bar::TabRow:
        p->fillRect(rect, m_c.tabRow);
        break;
    }
}

void CMFCVisualManager::OnFillButtonInterior(QPainter* p, const QRect& rect, int state) const {
    if (!state)
        return;
    const QRect r = rect.adjusted(0, 0, -1, -1);
    if (m_bBevelButtons) {
        if (state & Checked && !(state & Pressed)) {
            p->fillRect(r, QBrush(m_c.checkFill));
            p->fillRect(r, QBrush(m_c.separatorLight, Qt::Dense4Pattern));
        }
        drawBevel(p, r, (state & (Pressed | Checked)) != 0);
        return;
    }
    if (state & Pressed)
        drawFramed(p, rect, m_c.pressTop, m_c.pressBottom, m_c.pressBorder, m_nRadius);
    else if (state & Checked)
        drawFramed(p, rect, (state & Hot) ? m_c.pressTop : m_c.checkFill, m_c.checkFill, m_c.hotBorder,
                   m_nRadius);
    else
        drawFramed(p, rect, m_c.hotTop, m_c.hotBottom, m_c.hotBorder, m_nRadius);
}

void CMFCVisualManager::OnDrawSeparator(QPainter* p, const QRect& rect, bool horizontalBar) const {
    p->save();
    const QPoint c = rect.center();
    if (horizontalBar) {
        p->setPen(m_c.separatorDark);
        p->drawLine(c.x(), rect.top() + 2, c.x(), rect.bottom() - 2);
        p->setPen(m_c.separatorLight);
        p->drawLine(c.x() + 1, rect.top() + 2, c.x() + 1, rect.bottom() - 2);
    } else {
        p->setPen(m_c.separatorDark);
        p->drawLine(rect.left() + 2, c.y(), rect.right() - 2, c.y());
        p->setPen(m_c.separatorLight);
        p->drawLine(rect.left() + 2, c.y() + 1, rect.right() - 2, c.y() + 1);
    }
    p->restore();
}

void CMFCVisualManager::OnDrawBarGripper(QPainter* p, const QRect& rect, bool horizontalBar) const {
    // Two raised ridges along the bar's short side.
    const QPoint c = rect.center();
    for (int i = 0; i < 2; ++i) {
        const QRect ridge = horizontalBar ? QRect(c.x() - 2 + 3 * i, rect.top() + 3, 3, rect.height() - 6)
                                          : QRect(rect.left() + 3, c.y() - 2 + 3 * i, rect.width() - 6, 3);
        drawBevel(p, ridge.adjusted(0, 0, -1, -1), false);
    }
}

void CMFCVisualManager::OnDrawCaption(QPainter* p, const QRect& rect, bool active) const {
    fillGradient(p, rect, active ? m_c.captionLeft : m_c.captionInactiveLeft,
                 active ? m_c.captionRight : m_c.captionInactiveRight, true);
}

void CMFCVisualManager::OnFillMenuBackground(QPainter* p, const QRect& rect, int imageColumn) const {
    p->fillRect(rect, m_c.menuBack);
    if (imageColumn > 0 && m_c.menuColumn != m_c.menuBack)
        fillGradient(p, QRect(rect.left(), rect.top(), imageColumn, rect.height()), m_c.menuBack,
                     m_c.menuColumn, true);
}

void CMFCVisualManager::OnDrawMenuBorder(QPainter* p, const QRect& rect) const {
    if (m_bBevelButtons) {
        drawBevel(p, rect.adjusted(0, 0, -1, -1), false);
        return;
    }
    p->save();
    p->setPen(m_c.menuBorder);
    p->drawRect(rect.adjusted(0, 0, -1, -1));
    p->restore();
}

void CMFCVisualManager::OnHighlightMenuItem(QPainter* p, const QRect& rect, bool onMenuBar, bool open) const {
    if (onMenuBar && m_bBevelButtons)
        drawBevel(p, rect.adjusted(0, 0, -1, -1), open);
    else if (onMenuBar && open)
        drawFramed(p, rect, m_c.pressTop, m_c.pressBottom, m_c.pressBorder, m_nRadius);
    else if (!onMenuBar && m_c.menuHot.isValid())
        drawFramed(p, rect.adjusted(1, 0, -1, 0), m_c.menuHot, m_c.menuHot, QColor(),
                   m_bBevelButtons ? 0 : m_nRadius);
    else
        drawFramed(p, rect.adjusted(1, 0, -1, 0), m_c.hotTop, m_c.hotBottom, m_c.hotBorder, m_nRadius);
}

QColor CMFCVisualManager::GetMenuTextColor(bool highlighted, bool enabled, bool onMenuBar) const {
    if (!enabled)
        return m_c.menuTextDisabled;
    if (highlighted && !onMenuBar)
        return m_c.menuHot.isValid() ? m_c.menuHotText : m_c.hotText;
    if (highlighted && !m_bBevelButtons)
        return m_c.hotText;
    return onMenuBar ? m_c.menuBarText : m_c.menuText;
}

void CMFCVisualManager::OnDrawMenuSeparator(QPainter* p, const QRect& rect, int imageColumn) const {
    p->save();
    const int y = rect.center().y();
    p->setPen(m_c.separatorDark);
    p->drawLine(rect.left() + imageColumn + 4, y, rect.right() - 2, y);
    if (m_bBevelButtons) {
        p->setPen(m_c.separatorLight);
        p->drawLine(rect.left() + 2, y + 1, rect.right() - 2, y + 1);
    }
    p->restore();
}

void CMFCVisualManager::OnDrawStatusBarPaneBorder(QPainter* p, const QRect& rect) const {
    if (m_bBevelButtons) {
        drawBevel(p, rect.adjusted(0, 0, -1, -1), true);
        return;
    }
    p->save();
    p->setPen(m_c.paneBorder);
    p->drawLine(rect.topLeft() + QPoint(0, 3), rect.bottomLeft() - QPoint(0, 3));
    p->restore();
}

void CMFCVisualManager::OnFillTab(QPainter* p, const QPainterPath& shape, QColor color, bool current) const {
    p->save();
    p->setPen(QPen(m_c.tabLine, 1));
    p->setBrush(current ? color : color.darker(108));
    p->drawPath(shape);
    p->restore();
}

void CMFCVisualManager::OnDrawDockingMarker(QPainter* p, const QRect& rect, Marker side, bool hot) const {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    drawFramed(p, rect, hot ? m_c.markerHot : m_c.markerFace,
               hot ? m_c.markerHot : m_c.markerFace.darker(106), m_c.markerFrame, m_nRadius > 0 ? 4 : 0);
    // An arrow pointing to the side the bar docks on.
    const QPointF c = QRectF(rect).center();
    const qreal s = rect.width() / 5.0;
    QPolygonF arrow;
    switch (side) {
    case Marker::Left:
        arrow << QPointF(c.x() - s, c.y()) << QPointF(c.x() + s / 2, c.y() - s)
              << QPointF(c.x() + s / 2, c.y() + s);
        break;
    case Marker::Right:
        arrow << QPointF(c.x() + s, c.y()) << QPointF(c.x() - s / 2, c.y() - s)
              << QPointF(c.x() - s / 2, c.y() + s);
        break;
    case Marker::Top:
        arrow << QPointF(c.x(), c.y() - s) << QPointF(c.x() - s, c.y() + s / 2)
              << QPointF(c.x() + s, c.y() + s / 2);
        break;
    case Marker::Bottom:
        arrow << QPointF(c.x(), c.y() + s) << QPointF(c.x() - s, c.y() - s / 2)
              << QPointF(c.x() + s, c.y() - s / 2);
        break;
    case Marker::None:
        break;
    }
    p->setPen(Qt::NoPen);
    p->setBrush(m_c.markerArrow);
    p->drawPolygon(arrow);
    p->restore();
}

void CMFCVisualManager::OnFillDockingPreview(QPainter* p, const QRect& rect) const {
    p->save();
    p->fillRect(rect, m_c.preview);
    QColor edge = m_c.preview;
    edge.setAlpha(220);
    p->setPen(QPen(edge, 2));
    p->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    p->restore();
}

} // namespace lw
