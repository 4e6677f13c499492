#include "framework/ui/VisualManagers.h"

#include <QPainter>
#include <QPainterPath>

namespace lw {

namespace {
QColor rgb(QRgb value) {
    return QColor::fromRgb(value);
}

// A glossy fill: a light upper band over a deeper lower one.
void fillGlossy(QPainter* p, const QRect& r, QColor top, QColor bottom, bool vertical) {
    QLinearGradient g(r.topLeft(), vertical ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, top.lighter(106));
    g.setColorAt(0.45, top);
    g.setColorAt(0.5, bottom.lighter(104));
    g.setColorAt(1, bottom);
    p->fillRect(r, g);
}

void drawDots(QPainter* p, const QRect& rect, bool horizontalBar, QColor dark, QColor light) {
    const QPoint c = rect.center();
    for (int i = -3; i <= 3; ++i) {
        const QPoint at = horizontalBar ? QPoint(c.x() - 1, c.y() + 4 * i) : QPoint(c.x() + 4 * i, c.y() - 1);
        p->fillRect(QRect(at + QPoint(1, 1), QSize(2, 2)), light);
        p->fillRect(QRect(at, QSize(2, 2)), dark);
    }
}
} // namespace

// ---------------------------------------------------------------------------------------

CMFCVisualManagerOfficeXP::CMFCVisualManagerOfficeXP() {
    m_bBevelButtons = false;
    m_c.menuHot = QColor();
    const QColor bar = rgb(0xefede6), column = rgb(0xdbd8d1), navy = rgb(0x0a246a);
    m_c.dockTop = m_c.dockBottom = rgb(0xd4d0c8);
    m_c.barTop = m_c.barBottom = bar;
    m_c.barBorder = rgb(0xc6c3bd);
    m_c.menuBarTop = m_c.menuBarBottom = rgb(0xd4d0c8);
    m_c.menuBack = rgb(0xfcfcf9);
    m_c.menuColumn = column;
    m_c.menuBorder = rgb(0x666666);
    m_c.hotTop = m_c.hotBottom = rgb(0xb6bdd2);
    m_c.hotBorder = navy;
    m_c.hotText = Qt::black;
    m_c.pressTop = m_c.pressBottom = rgb(0x8592b5);
    m_c.pressBorder = navy;
    m_c.checkFill = rgb(0xd4d5d8);
    m_c.separatorDark = rgb(0xa6a6a6);
    m_c.separatorLight = bar;
    m_c.gripper = rgb(0x999999);
    m_c.statusTop = m_c.statusBottom = rgb(0xd4d0c8);
    m_c.paneBorder = rgb(0xa6a6a6);
    m_c.tabRow = rgb(0xefede6);
    m_c.tabLine = rgb(0x808080);
    m_c.markerFace = bar;
    m_c.markerFrame = navy;
    m_c.markerHot = rgb(0xb6bdd2);
}

void CMFCVisualManagerOfficeXP::OnDrawBarGripper(QPainter* p, const QRect& rect, bool horizontalBar) const {
    // A column of short dashes.
    const QPoint c = rect.center();
    p->save();
    p->setPen(m_c.gripper);
    for (int i = -4; i <= 4; ++i) {
        if (horizontalBar)
            p->drawLine(c.x() - 1, c.y() + 2 * i, c.x() + 1, c.y() + 2 * i);
        else
            p->drawLine(c.x() + 2 * i, c.y() - 1, c.x() + 2 * i, c.y() + 1);
    }
    p->restore();
}

void CMFCVisualManagerOfficeXP::OnDrawSeparator(QPainter* p, const QRect& rect, bool horizontalBar) const {
    p->save();
    p->setPen(m_c.separatorDark);
    const QPoint c = rect.center();
    if (horizontalBar)
        p->drawLine(c.x(), rect.top() + 3, c.x(), rect.bottom() - 3);
    else
        p->drawLine(rect.left() + 3, c.y(), rect.right() - 3, c.y());
    p->restore();
}

// ---------------------------------------------------------------------------------------

CMFCVisualManagerWindows::CMFCVisualManagerWindows() {
    m_bBevelButtons = false;
    m_nRadius = 3;
    const QColor beige = rgb(0xece9d8), blue = rgb(0x0a58d8), green = rgb(0x3c9a2c);
    m_c.dockTop = rgb(0xf4f2e8);
    m_c.dockBottom = beige;
    m_c.barTop = rgb(0xfbfaf5);
    m_c.barBottom = rgb(0xe3dfcb);
    m_c.barBorder = rgb(0xc2bd9f);
    m_c.menuBarTop = m_c.menuBarBottom = beige;
    m_c.menuBack = rgb(0xffffff);
    m_c.menuColumn = rgb(0xf0eee2);
    m_c.menuBorder = rgb(0xaca899);
    m_c.hotTop = rgb(0xfefefd);
    m_c.hotBottom = rgb(0xe3e0d0);
    m_c.hotBorder = rgb(0x3d7be0);
    m_c.hotText = Qt::black;
    m_c.menuHot = rgb(0x316ac5);
    m_c.pressTop = rgb(0xdad6c4);
    m_c.pressBottom = rgb(0xe8e5d6);
    m_c.pressBorder = rgb(0x8d8a78);
    m_c.checkFill = rgb(0xd6ecc8);
    m_c.separatorDark = rgb(0xaca899);
    m_c.separatorLight = Qt::white;
    m_c.gripper = green;
    m_c.statusTop = rgb(0xf2f0e4);
    m_c.statusBottom = rgb(0xdcd8c2);
    m_c.paneBorder = rgb(0xaca899);
    m_c.captionLeft = blue;
    m_c.captionRight = rgb(0x3d95ff);
    m_c.captionInactiveLeft = rgb(0x7a96df);
    m_c.captionInactiveRight = rgb(0xa6b9ed);
    m_c.captionTextInactive = rgb(0xd8e4f8);
    m_c.tabRow = beige;
    m_c.tabLine = rgb(0x919b9c);
    m_c.tabColors = {rgb(0xc4d8f5), rgb(0xc8e6b4), rgb(0xf5e0b0),
                     rgb(0xe0c8ef), rgb(0xb4e0dc), rgb(0xf0c0b4)};
    m_c.markerFace = rgb(0xf6f5ee);
    m_c.markerFrame = rgb(0x1d4a94);
    m_c.markerArrow = green;
    m_c.markerHot = rgb(0xd6ecc8);
    m_c.preview = QColor(0x31, 0x6a, 0xc5, 80);
}

void CMFCVisualManagerWindows::OnFillTab(QPainter* p, const QPainterPath& shape, QColor color,
                                         bool current) const {
    if (!m_b3DTabsXPTheme) {
        CMFCVisualManager::OnFillTab(p, shape, color, current);
        return;
    }
    // Raised: light at the top, the tab's colour below, an orange rim on the current one.
    const QRectF r = shape.boundingRect();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(0.6, current ? color : color.darker(106));
    g.setColorAt(1, color.darker(115));
    p->save();
    p->setPen(QPen(m_c.tabLine, 1));
    p->setBrush(g);
    p->drawPath(shape);
    if (current) {
        p->setPen(QPen(rgb(0xf2a10c), 2));
        p->drawLine(r.topLeft() + QPointF(r.height() / 2 + 4, 1), r.topRight() + QPointF(-3, 1));
    }
    p->restore();
}

// ---------------------------------------------------------------------------------------

CMFCVisualManagerOffice2003::CMFCVisualManagerOffice2003() {
    m_nRadius = 0;
    m_c.dockTop = rgb(0x9ebef5);
    m_c.dockBottom = rgb(0xc4daf9);
    m_c.barTop = rgb(0xe3effe);
    m_c.barBottom = rgb(0x93b4ea);
    m_c.barBorder = rgb(0x3b619c);
    m_c.menuBarTop = rgb(0x9ebef5);
    m_c.menuBarBottom = rgb(0xc4daf9);
    m_c.menuBack = rgb(0xf6f6f6);
    m_c.menuColumn = rgb(0x88abe6);
    m_c.menuBorder = rgb(0x002d96);
    m_c.hotTop = rgb(0xfff4cc);
    m_c.hotBottom = rgb(0xffd091);
    m_c.hotBorder = rgb(0x000080);
    m_c.pressTop = rgb(0xfe9555);
    m_c.pressBottom = rgb(0xffd48c);
    m_c.pressBorder = rgb(0x000080);
    m_c.checkFill = rgb(0xffc06b);
    m_c.separatorDark = rgb(0x6a8ccb);
    m_c.separatorLight = Qt::white;
    m_c.gripper = rgb(0x27418f);
    m_c.statusTop = rgb(0xc4daf9);
    m_c.statusBottom = rgb(0x9ebef5);
    m_c.paneBorder = rgb(0x6a8ccb);
    m_c.captionLeft = rgb(0x0054e3);
    m_c.captionRight = rgb(0x6c9ff2);
    m_c.tabRow = rgb(0xc4daf9);
    m_c.tabLine = rgb(0x3b619c);
    m_c.tabColors = {rgb(0x9dc1ee), rgb(0xf9dc90), rgb(0xb7d88c),
                     rgb(0xf2b497), rgb(0xc7b2e5), rgb(0x8fd3d8)};
    m_c.markerFace = rgb(0xe3effe);
    m_c.markerFrame = rgb(0x3b619c);
    m_c.markerArrow = rgb(0x27418f);
    m_c.markerHot = rgb(0xffd091);
    m_c.preview = QColor(0x00, 0x54, 0xe3, 70);
}

void CMFCVisualManagerOffice2003::OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar,
                                                      bool vertical) const {
    if (bar != Bar::ToolBar) {
        CMFCVisualManagerOfficeXP::OnFillBarBackground(p, rect, bar, vertical);
        return;
    }
    // The dock shows round the bar's rounded ends, with a shadow line under it.
    OnFillBarBackground(p, rect, Bar::DockArea, false);
    QLinearGradient g(rect.topLeft(), vertical ? rect.topRight() : rect.bottomLeft());
    g.setColorAt(0, m_c.barTop);
    g.setColorAt(0.4, m_c.barTop.darker(104));
    g.setColorAt(1, m_c.barBottom);
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    p->setBrush(m_c.barBorder);
    p->drawRoundedRect(QRectF(rect).adjusted(1, 1, 0, 0), 4, 4);
    p->setBrush(g);
    p->drawRoundedRect(QRectF(rect).adjusted(0, 0, -1, -1), 4, 4);
    p->restore();
}

void CMFCVisualManagerOffice2003::OnDrawBarGripper(QPainter* p, const QRect& rect, bool horizontalBar) const {
    drawDots(p, rect, horizontalBar, m_c.gripper, Qt::white);
}

// ---------------------------------------------------------------------------------------

CMFCVisualManagerVS2005::CMFCVisualManagerVS2005() {
    m_c.dockTop = rgb(0xe5e3d8);
    m_c.dockBottom = rgb(0xf2f1ea);
    m_c.barTop = rgb(0xfafaf7);
    m_c.barBottom = rgb(0xd8d5c7);
    m_c.barBorder = rgb(0xa7a390);
    m_c.menuBarTop = rgb(0xe5e3d8);
    m_c.menuBarBottom = rgb(0xf2f1ea);
    m_c.menuBack = rgb(0xfcfcfb);
    m_c.menuColumn = rgb(0xcbc7b5);
    m_c.menuBorder = rgb(0x8a867a);
    m_c.hotTop = m_c.hotBottom = rgb(0xc1d2ee);
    m_c.hotBorder = rgb(0x316ac5);
    m_c.pressTop = m_c.pressBottom = rgb(0x98b5e2);
    m_c.pressBorder = rgb(0x4b4b6f);
    m_c.checkFill = rgb(0xe1e6e8);
    m_c.separatorDark = rgb(0xc5c2b2);
    m_c.gripper = rgb(0xa0a0a0);
    m_c.statusTop = rgb(0xf2f1ea);
    m_c.statusBottom = rgb(0xdcdad0);
    m_c.paneBorder = rgb(0xc5c2b2);
    m_c.captionLeft = rgb(0x3d5f95);
    m_c.captionRight = rgb(0x8aa8d8);
    m_c.captionInactiveLeft = rgb(0xa9a799);
    m_c.captionInactiveRight = rgb(0xd6d4c8);
    m_c.tabRow = rgb(0xeae8de);
    m_c.tabLine = rgb(0xa7a390);
    m_c.tabColors = {rgb(0xd8d2bd), rgb(0xc6d3e5), rgb(0xdce3c4), rgb(0xe8d0c2), rgb(0xd6cfe2)};
    m_c.markerFace = rgb(0xf2f1ea);
    m_c.markerFrame = rgb(0x8a867a);
    m_c.markerArrow = rgb(0x316ac5);
    m_c.markerHot = rgb(0xc1d2ee);
    m_c.preview = QColor(0x31, 0x6a, 0xc5, 70);
}

// ---------------------------------------------------------------------------------------

CMFCVisualManagerVS2008::CMFCVisualManagerVS2008() {
    m_nRadius = 2;
    m_c.dockTop = rgb(0xbdcbe1);
    m_c.dockBottom = rgb(0xd5deec);
    m_c.barTop = rgb(0xfafbfd);
    m_c.barBottom = rgb(0xd8e1ef);
    m_c.barBorder = rgb(0x9aadcb);
    m_c.menuBarTop = rgb(0xcbd7e8);
    m_c.menuBarBottom = rgb(0xdfe6f1);
    m_c.menuBack = rgb(0xf6f7fb);
    m_c.menuColumn = rgb(0xe3e8f2);
    m_c.menuBorder = rgb(0x7f93b7);
    m_c.hotTop = rgb(0xf1f7fe);
    m_c.hotBottom = rgb(0xd6e7fb);
    m_c.hotBorder = rgb(0x7da2ce);
    m_c.pressTop = rgb(0xcfe3fb);
    m_c.pressBottom = rgb(0xb6d2f5);
    m_c.pressBorder = rgb(0x5a83b8);
    m_c.checkFill = rgb(0xe3eefc);
    m_c.separatorDark = rgb(0xb3c2d9);
    m_c.gripper = rgb(0x7888a8);
    m_c.statusTop = rgb(0xd5deec);
    m_c.statusBottom = rgb(0xbdcbe1);
    m_c.paneBorder = rgb(0x9aadcb);
    m_c.captionLeft = rgb(0x4d6082);
    m_c.captionRight = rgb(0xa1b5d3);
    m_c.captionInactiveLeft = rgb(0x8c9ab3);
    m_c.captionInactiveRight = rgb(0xc6d0e0);
    m_c.tabRow = rgb(0xd5deec);
    m_c.tabLine = rgb(0x8195b8);
    m_c.tabColors = {rgb(0xc3d4ee), rgb(0xd5e5c6), rgb(0xeed9bd), rgb(0xdccdeb), rgb(0xc4e4e6)};
    m_c.markerFace = rgb(0xf1f4f9);
    m_c.markerFrame = rgb(0x5a6f94);
    m_c.markerArrow = rgb(0x38598c);
    m_c.markerHot = rgb(0xd6e7fb);
    m_c.preview = QColor(0x38, 0x59, 0x8c, 70);
}

void CMFCVisualManagerVS2008::OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar,
                                                  bool vertical) const {
    if (bar != Bar::ToolBar) {
        CMFCVisualManagerVS2005::OnFillBarBackground(p, rect, bar, vertical);
        return;
    }
    // Square bars with a light inner edge.
    fillGradient(p, rect, m_c.barTop, m_c.barBottom, vertical);
    p->save();
    p->setPen(m_c.barBorder);
    p->drawRect(rect.adjusted(0, 0, -1, -1));
    p->setPen(Qt::white);
    p->drawLine(rect.topLeft() + QPoint(1, 1), rect.topRight() + QPoint(-1, 1));
    p->restore();
}

// ---------------------------------------------------------------------------------------

bool CMFCVisualManagerOffice2007::SetStyle(Style style) {
    if (style < Office2007_Blue || style > Office2007_Silver)
        return false;
    s_style = style;
    return true;
}

CMFCVisualManagerOffice2007::CMFCVisualManagerOffice2007() {
    m_nRadius = 3;
    // Shared by every colour style: the amber highlight.
    m_c.hotTop = rgb(0xfffbe0);
    m_c.hotBottom = rgb(0xffd964);
    m_c.hotBorder = rgb(0xdbb85c);
    m_c.pressTop = rgb(0xfcc58a);
    m_c.pressBottom = rgb(0xf79a3a);
    m_c.pressBorder = rgb(0xb7823e);
    m_c.checkFill = rgb(0xffd18e);
    m_c.hotText = Qt::black;
    m_c.menuBack = rgb(0xfafafa);
    m_c.separatorLight = Qt::white;
    m_c.markerHot = rgb(0xffd964);
    switch (s_style) {
    case Office2007_Blue:
        m_c.dockTop = rgb(0xbfdbff);
        m_c.dockBottom = rgb(0xd6e8ff);
        m_c.barTop = rgb(0xe3effe);
        m_c.barBottom = rgb(0xb1cdf1);
        m_c.barBorder = rgb(0x8db2e3);
        m_c.menuBarTop = rgb(0xd7e6f9);
        m_c.menuBarBottom = rgb(0xc2d9f7);
        m_c.menuBarText = rgb(0x15428b);
        m_c.menuColumn = rgb(0xe9eef4);
        m_c.menuBorder = rgb(0x97a9c3);
        m_c.separatorDark = rgb(0x9ab8e0);
        m_c.gripper = rgb(0x5b87c4);
        m_c.statusTop = rgb(0xd6e5f8);
        m_c.statusBottom = rgb(0xa7c4ea);
        m_c.statusText = rgb(0x15428b);
        m_c.paneBorder = rgb(0x87a9d6);
        m_c.captionLeft = rgb(0x4a7cc0);
        m_c.captionRight = rgb(0xbfdbff);
        m_c.tabRow = rgb(0xbfdbff);
        m_c.tabLine = rgb(0x6593cf);
        m_c.tabText = rgb(0x15428b);
        m_c.tabColors = {rgb(0xa8c8f0), rgb(0xf7d68b), rgb(0xb9dd96),
                         rgb(0xf1b2a1), rgb(0xcbb5e8), rgb(0x94d6d9)};
        m_c.markerFace = rgb(0xe3effe);
        m_c.markerFrame = rgb(0x6593cf);
        m_c.markerArrow = rgb(0x15428b);
        m_c.preview = QColor(0x4a, 0x7c, 0xc0, 80);
        break;
    case Office2007_Black:
        m_c.dockTop = rgb(0x535353);
        m_c.dockBottom = rgb(0x3c3c3c);
        m_c.barTop = rgb(0xf2f2f2);
        m_c.barBottom = rgb(0xbfc2c6);
        m_c.barBorder = rgb(0x2e2e2e);
        m_c.menuBarTop = rgb(0x4a4a4a);
        m_c.menuBarBottom = rgb(0x262626);
        m_c.menuBarText = Qt::white;
        m_c.menuColumn = rgb(0xe9e9e9);
        m_c.menuBorder = rgb(0x5d5d5d);
        m_c.separatorDark = rgb(0x8e8e8e);
        m_c.gripper = rgb(0x464646);
        m_c.statusTop = rgb(0x555555);
        m_c.statusBottom = rgb(0x2b2b2b);
        m_c.statusText = Qt::white;
        m_c.paneBorder = rgb(0x777777);
        m_c.captionLeft = rgb(0x111111);
        m_c.captionRight = rgb(0x5c5c5c);
        m_c.tabRow = rgb(0x535353);
        m_c.tabLine = rgb(0x1e1e1e);
        m_c.tabText = Qt::black;
        m_c.tabColors = {rgb(0xc9c9c9), rgb(0xe6cf8e), rgb(0xa9c7a0),
                         rgb(0xd6a79d), rgb(0xb2b2d6), rgb(0x9cc6c8)};
        m_c.markerFace = rgb(0x5c5c5c);
        m_c.markerFrame = rgb(0x1e1e1e);
        m_c.markerArrow = Qt::white;
        m_c.preview = QColor(0x20, 0x20, 0x20, 90);
        break;
    case Office2007_Aqua:
        m_c.dockTop = rgb(0xa9c4d5);
        m_c.dockBottom = rgb(0xcadce7);
        m_c.barTop = rgb(0xeaf2f7);
        m_c.barBottom = rgb(0xa8c6d9);
        m_c.barBorder = rgb(0x6f97b0);
        m_c.menuBarTop = rgb(0xc6dae6);
        m_c.menuBarBottom = rgb(0xaac6d7);
        m_c.menuBarText = rgb(0x17445c);
        m_c.menuColumn = rgb(0xe4edf2);
        m_c.menuBorder = rgb(0x7fa0b4);
        m_c.separatorDark = rgb(0x86aac0);
        m_c.gripper = rgb(0x3f7391);
        m_c.statusTop = rgb(0xc9dce8);
        m_c.statusBottom = rgb(0x8db3ca);
        m_c.statusText = rgb(0x17445c);
        m_c.paneBorder = rgb(0x6f97b0);
        m_c.captionLeft = rgb(0x2f6f8f);
        m_c.captionRight = rgb(0x9fc8d8);
        m_c.tabRow = rgb(0xa9c4d5);
        m_c.tabLine = rgb(0x4e7f9c);
        m_c.tabText = rgb(0x17445c);
        m_c.tabColors = {rgb(0x9fcbe0), rgb(0xb3e0c8), rgb(0xf3dda0),
                         rgb(0xe7b7ac), rgb(0xc4bde6), rgb(0x8fd9d4)};
        m_c.markerFace = rgb(0xeaf2f7);
        m_c.markerFrame = rgb(0x4e7f9c);
        m_c.markerArrow = rgb(0x17445c);
        m_c.preview = QColor(0x2f, 0x6f, 0x8f, 80);
        break;
    case Office2007_Silver:
        m_c.dockTop = rgb(0xdde0e6);
        m_c.dockBottom = rgb(0xeff0f3);
        m_c.barTop = rgb(0xfbfbfc);
        m_c.barBottom = rgb(0xd3d7de);
        m_c.barBorder = rgb(0xa4a9b3);
        m_c.menuBarTop = rgb(0xeef0f3);
        m_c.menuBarBottom = rgb(0xdcdfe5);
        m_c.menuBarText = rgb(0x3b3b3b);
        m_c.menuColumn = rgb(0xeceef1);
        m_c.menuBorder = rgb(0xa4a9b3);
        m_c.separatorDark = rgb(0xb9bec7);
        m_c.gripper = rgb(0x7c818b);
        m_c.statusTop = rgb(0xf0f1f4);
        m_c.statusBottom = rgb(0xcdd1d8);
        m_c.statusText = rgb(0x3b3b3b);
        m_c.paneBorder = rgb(0xa4a9b3);
        m_c.captionLeft = rgb(0x6e7583);
        m_c.captionRight = rgb(0xc9cdd5);
        m_c.tabRow = rgb(0xdde0e6);
        m_c.tabLine = rgb(0x8d939e);
        m_c.tabText = rgb(0x3b3b3b);
        m_c.tabColors = {rgb(0xd6dae2), rgb(0xeadcb3), rgb(0xc9dcc4),
                         rgb(0xe3c9c4), rgb(0xd0cbe2), rgb(0xc4dcdf)};
        m_c.markerFace = rgb(0xf7f8f9);
        m_c.markerFrame = rgb(0x8d939e);
        m_c.markerArrow = rgb(0x3b3b3b);
        m_c.preview = QColor(0x6e, 0x75, 0x83, 80);
        break;
    }
}

void CMFCVisualManagerOffice2007::OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar,
                                                      bool vertical) const {
    if (bar == Bar::ToolBar) {
        OnFillBarBackground(p, rect, Bar::DockArea, false);
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p->setClipPath(shape);
        fillGlossy(p, rect, m_c.barTop, m_c.barBottom, vertical);
        p->setClipping(false);
        p->setPen(m_c.barBorder);
        p->setBrush(Qt::NoBrush);
        p->drawPath(shape);
        p->restore();
        return;
    }
    if (bar == Bar::StatusBar || bar == Bar::MenuBar) {
        fillGlossy(p, rect, bar == Bar::StatusBar ? m_c.statusTop : m_c.menuBarTop,
                   bar == Bar::StatusBar ? m_c.statusBottom : m_c.menuBarBottom, vertical);
        return;
    }
    CMFCVisualManagerOffice2003::OnFillBarBackground(p, rect, bar, vertical);
}

void CMFCVisualManagerOffice2007::OnFillButtonInterior(QPainter* p, const QRect& rect, int state) const {
    if (!state)
        return;
    const bool pressed = state & Pressed, checked = state & Checked;
    const QColor top = pressed ? m_c.pressTop : checked ? m_c.checkFill : m_c.hotTop;
    const QColor bottom = pressed ? m_c.pressBottom : checked ? m_c.checkFill.darker(110) : m_c.hotBottom;
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), m_nRadius, m_nRadius);
    p->setClipPath(shape);
    fillGlossy(p, rect, top, bottom, false);
    p->setClipping(false);
    p->setPen(pressed ? m_c.pressBorder : m_c.hotBorder);
    p->drawPath(shape);
    p->restore();
}

// ---------------------------------------------------------------------------------------

CMFCVisualManagerWindows7::CMFCVisualManagerWindows7() {
    m_nRadius = 3;
    m_c.dockTop = rgb(0xf5f8fc);
    m_c.dockBottom = rgb(0xdae4f1);
    m_c.barTop = rgb(0xffffff);
    m_c.barBottom = rgb(0xe6edf6);
    m_c.barBorder = rgb(0xb6c3d4);
    m_c.menuBarTop = rgb(0xffffff);
    m_c.menuBarBottom = rgb(0xe8eef7);
    m_c.menuBack = rgb(0xf5f5f5);
    m_c.menuColumn = rgb(0xf1f1f1);
    m_c.menuBorder = rgb(0x979797);
    m_c.hotTop = rgb(0xf5f9fe);
    m_c.hotBottom = rgb(0xd9e9fb);
    m_c.hotBorder = rgb(0x8ab7e6);
    m_c.hotText = Qt::black;
    m_c.pressTop = rgb(0xc9e2fb);
    m_c.pressBottom = rgb(0xa9cff7);
    m_c.pressBorder = rgb(0x4f8fd3);
    m_c.checkFill = rgb(0xdcecfc);
    m_c.separatorDark = rgb(0xc5d0dd);
    m_c.gripper = rgb(0x94a6bd);
    m_c.statusTop = rgb(0xf1f5fb);
    m_c.statusBottom = rgb(0xd7e2ef);
    m_c.paneBorder = rgb(0xb6c3d4);
    m_c.captionLeft = rgb(0x6f9dd1);
    m_c.captionRight = rgb(0xc4dbf3);
    m_c.captionText = Qt::white;
    m_c.captionInactiveLeft = rgb(0xaec2d8);
    m_c.captionInactiveRight = rgb(0xdde6f0);
    m_c.tabRow = rgb(0xdae4f1);
    m_c.tabLine = rgb(0x8ea5c1);
    m_c.tabColors = {rgb(0xcfe2f8), rgb(0xd9efcf), rgb(0xfbe5c0),
                     rgb(0xf3d0cb), rgb(0xe2d6f3), rgb(0xcdeced)};
    m_c.markerFace = rgb(0xffffff);
    m_c.markerFrame = rgb(0x8ab7e6);
    m_c.markerArrow = rgb(0x2d6bb3);
    m_c.markerHot = rgb(0xd9e9fb);
    m_c.preview = QColor(0x4f, 0x8f, 0xd3, 70);
    m_c.menuHot = QColor();
}

void CMFCVisualManagerWindows7::OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar,
                                                    bool vertical) const {
    CMFCVisualManagerWindows::OnFillBarBackground(p, rect, bar, vertical);
    if (bar == Bar::ToolBar || bar == Bar::MenuBar) {
        // The glass: a soft white sheen over the upper half.
        QRect sheen = rect;
        sheen.setHeight(rect.height() / 2);
        QLinearGradient g(sheen.topLeft(), sheen.bottomLeft());
        g.setColorAt(0, QColor(255, 255, 255, 200));
        g.setColorAt(1, QColor(255, 255, 255, 40));
        p->fillRect(sheen, g);
    }
}

void CMFCVisualManagerWindows7::OnFillButtonInterior(QPainter* p, const QRect& rect, int state) const {
    if (!state)
        return;
    CMFCVisualManagerWindows::OnFillButtonInterior(p, rect, state);
    // An inner white rim makes the button look like glass.
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(QColor(255, 255, 255, 170));
    p->setBrush(Qt::NoBrush);
    p->drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5), m_nRadius - 1, m_nRadius - 1);
    p->restore();
}

} // namespace lw
