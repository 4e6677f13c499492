#include "AppIcon.h"

#include "Canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <vector>

namespace imagegen {

namespace {

// The design is laid out on a 256-unit square.
constexpr qreal kUnits = 256.0;

struct Shape {
    QPainterPath path;
    QColor fill;          // used when `stops` is empty
    QGradientStops stops; // linear gradient from `from` to `to`
    QPointF from;
    QPointF to;
    QColor stroke; // invalid: no stroke
    qreal strokeWidth = 0;
};

const QColor kInk(0x2A, 0x34, 0x46);
const QColor kWarp(0x1B, 0x80, 0x8E);
const QColor kWarpEdge(0x12, 0x58, 0x63);
const QColor kWeftA(0xF0, 0xA8, 0x30);
const QColor kWeftB(0xE0, 0x60, 0x4A);
const QColor kWeftEdge(0x9A, 0x50, 0x1C);
const QColor kGold(0xE8, 0xB9, 0x4A);

QPainterPath rectPath(qreal x, qreal y, qreal w, qreal h, qreal radius = 0) {
    QPainterPath p;
    if (radius > 0)
        p.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    else
        p.addRect(QRectF(x, y, w, h));
    return p;
}

Shape solid(const QPainterPath& path, const QColor& fill, const QColor& stroke = QColor(), qreal width = 0) {
    Shape s;
    s.path = path;
    s.fill = fill;
    s.stroke = stroke;
    s.strokeWidth = width;
    return s;
}

Shape line(const QPainterPath& path, const QColor& stroke, qreal width) {
    return solid(path, QColor(), stroke, width);
}

std::vector<Shape> shapes(int pixelSize) {
    // One pixel in design units, so outlines stay at least a pixel wide when small.
    const qreal px = kUnits / pixelSize;
    const qreal edge = std::max<qreal>(7.0, px);
    const bool small = pixelSize <= 32;
    std::vector<Shape> out;

    // The page with its folded corner.
    QPainterPath page;
    page.moveTo(40, 12);
    page.lineTo(160, 12);
    page.lineTo(208, 60);
    page.lineTo(208, 244);
    page.lineTo(40, 244);
    page.closeSubpath();
    Shape sheet = solid(page, QColor(), kInk, edge);
    sheet.stops = {{0.0, QColor(0xFF, 0xFF, 0xFF)}, {1.0, QColor(0xE4, 0xEA, 0xF3)}};
    sheet.from = QPointF(0, 12);
    sheet.to = QPointF(0, 244);
    out.push_back(sheet);
    QPainterPath fold;
    fold.moveTo(160, 12);
    fold.lineTo(160, 60);
    fold.lineTo(208, 60);
    fold.closeSubpath();
    out.push_back(solid(fold, QColor(0xC6, 0xD2, 0xE2), kInk, edge));

    // Lines of text above the weave.
    if (!small) {
        out.push_back(solid(rectPath(68, 44, 72, 10, 5), QColor(0x8C, 0x99, 0xAE)));
        out.push_back(solid(rectPath(68, 66, 104, 10, 5), QColor(0x8C, 0x99, 0xAE)));
    }

    // The weave: warp threads run down, weft threads across, passing alternately
    // over and under each other.
    const int warps = pixelSize <= 16 ? 3 : small ? 4 : 6;
    const int wefts = pixelSize <= 16 ? 3 : small ? 4 : 5;
    // Thread positions fall on whole pixels so the weave stays sharp at every size.
    auto snap = [px](qreal v) { return std::round(v / px) * px; };
    const QRectF area(snap(60), snap(small ? 72 : 96), snap(124), snap(small ? 152 : 128));
    const qreal warpStep = snap(area.width() / warps);
    const qreal weftStep = snap(area.height() / wefts);
    const qreal warpWidth = std::max(px, snap(warpStep * 0.7));
    const qreal weftWidth = std::max(px, snap(weftStep * 0.7));
    const qreal threadEdge = pixelSize < 64 ? 0.0 : std::max<qreal>(3.0, px * 0.6);
    auto warpX = [&](int i) { return area.left() + snap(warpStep * (i + 0.5) - warpWidth / 2); };
    auto weftY = [&](int j) { return area.top() + snap(weftStep * (j + 0.5) - weftWidth / 2); };
    for (int i = 0; i < warps; ++i)
        out.push_back(
            solid(rectPath(warpX(i), area.top(), warpWidth, area.height(), small ? 0 : warpWidth / 3), kWarp,
                  threadEdge > 0 ? kWarpEdge : QColor(), threadEdge));
    for (int j = 0; j < wefts; ++j)
        out.push_back(
            solid(rectPath(area.left(), weftY(j), area.width(), weftWidth, small ? 0 : weftWidth / 3),
                  j % 2 ? kWeftB : kWeftA, threadEdge > 0 ? kWeftEdge : QColor(), threadEdge));
    for (int i = 0; i < warps; ++i) {
        for (int j = 0; j < wefts; ++j) {
            if ((i + j) % 2)
                continue;
            // The warp passes over this weft: redraw its piece with its side edges.
            const qreal x = warpX(i);
            const qreal y = weftY(j) - threadEdge;
            const qreal h = weftWidth + 2 * threadEdge;
            out.push_back(solid(rectPath(x, y, warpWidth, h), kWarp));
            if (threadEdge <= 0)
                continue;
            QPainterPath sides;
            sides.moveTo(x, y);
            sides.lineTo(x, y + h);
            sides.moveTo(x + warpWidth, y);
            sides.lineTo(x + warpWidth, y + h);
            out.push_back(line(sides, kWarpEdge, threadEdge));
        }
    }

    // The pen, laid along its own axis from the nib's tip, then turned into place.
    const qreal length = 120;
    const qreal half = small ? 20 : 15;
    QTransform place;
    place.translate(182, 226);
    place.rotate(-65);
    std::vector<Shape> pen;
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.lineTo(36, -half * 0.75);
    nib.lineTo(36, half * 0.75);
    nib.closeSubpath();
    pen.push_back(solid(nib, kGold, kInk, edge * 0.8));
    if (!small) {
        QPainterPath slit;
        slit.moveTo(6, 0);
        slit.lineTo(26, 0);
        pen.push_back(line(slit, kInk, 3));
    }
    pen.push_back(
        solid(rectPath(36, -half * 0.85, 16, half * 1.7), QColor(0x26, 0x2F, 0x45), kInk, edge * 0.8));
    Shape body = solid(rectPath(52, -half, length - 52, 2 * half, half * 0.6), QColor(), kInk, edge * 0.8);
    body.stops = {{0.0, QColor(0x4F, 0x78, 0xC8)}, {1.0, QColor(0x24, 0x3E, 0x7E)}};
    body.from = QPointF(0, -half);
    body.to = QPointF(0, half);
    pen.push_back(body);
    if (!small)
        pen.push_back(solid(rectPath(76, -half, 8, 2 * half), kGold, kInk, 2));
    for (Shape& s : pen) {
        s.path = place.map(s.path);
        s.from = place.map(s.from);
        s.to = place.map(s.to);
        out.push_back(s);
    }

    // The thread the pen has just laid, running from the weave to the nib.
    if (!small) {
        QPainterPath thread;
        thread.moveTo(area.right() - 2, weftY(wefts - 1) + weftWidth / 2);
        thread.cubicTo(area.right() + 8, 222, 172, 236, 182, 226);
        out.push_back(line(thread, kWeftB, 6));
    }
    return out;
}

QString number(qreal v) {
    return QString::number(v, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString svgPath(const QPainterPath& path) {
    QStringList d;
    QPointF start;
    QPointF current;
    // A subpath that returns to where it began is closed, so its stroke joins there.
    auto closeIfBack = [&] {
        if (!d.isEmpty() && current == start && !d.last().startsWith(QLatin1Char('M')))
            d << QStringLiteral("Z");
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            closeIfBack();
            start = current = e;
            d << QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::LineToElement: {
            current = e;
            const bool lastOfSubpath =
                i + 1 == path.elementCount() || path.elementAt(i + 1).type == QPainterPath::MoveToElement;
            if (current != start || !lastOfSubpath)
                d << QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
            break;
        }
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x), number(end.y));
            current = end;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    closeIfBack();
    return d.join(QLatin1Char(' '));
}

// The icon's own colours under the pixel-art keys.
Style appStyle() {
    Style s = hiColorStyle();
    s.outline = kInk;
    s.teal = kWarp;
    s.yellow = kWeftA;
    s.red = kWeftB;
    s.ochre = kGold;
    s.blue = QColor(0x3B, 0x5F, 0xB0);
    s.blueDark = QColor(0x24, 0x3E, 0x7E);
    return s;
}

// Warp (teal) over weft and weft over warp in turn, `cell` pixels per crossing.
void pixelWeave(Canvas& c, int x, int y, int columns, int rows, int cell) {
    const Style& s = c.style();
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            c.fill(x + i * cell, y + j * cell, cell, cell,
                   (i + j) % 2 == 0 ? s.teal
                   : j % 2          ? s.red
                                    : s.yellow);
}

// Sizes below 32 pixels are drawn pixel by pixel: scaled-down vectors blur there.
QImage renderPixelAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const Style style = appStyle();
    Canvas c(p, style);
    if (size <= 16) {
        drawPage(c, 1, 0, 14, 16, 4);
        pixelWeave(c, 3, 5, 5, 5, 2);
    } else {
        drawPage(c, 1, 0, 18, 24, 5);
        c.hline(4, 10, 4, style.text);
        pixelWeave(c, 4, 7, 6, 7, 2);
        c.art(13, 7,
              {
                  "........kk",
                  ".......kbbk",
                  "......kbbBk",
                  "......kbBk.",
                  ".....kbbBk.",
                  ".....kbBk..",
                  "....kYYYk..",
                  "....kbBk...",
                  "...kbbBk...",
                  "...kkkk....",
                  "..kYYk.....",
                  "..kYk......",
                  ".kYk.......",
                  ".kk........",
              });
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QImage renderAppIcon(int size) {
    if (size < 32)
        return renderPixelAppIcon(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kUnits, size / kUnits);
    for (const Shape& s : shapes(size)) {
        if (!s.stops.isEmpty()) {
            QLinearGradient g(s.from, s.to);
            g.setStops(s.stops);
            p.setBrush(g);
        } else {
            p.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush(Qt::NoBrush));
        }
        p.setPen(s.stroke.isValid()
                     ? QPen(s.stroke, s.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                     : QPen(Qt::NoPen));
        p.drawPath(s.path);
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString appIconSvg() {
    QStringList defs;
    QStringList body;
    int gradients = 0;
    for (const Shape& s : shapes(256)) {
        QString fill = QStringLiteral("none");
        if (!s.stops.isEmpty()) {
            const QString id = QStringLiteral("g%1").arg(++gradients);
            QString g =
                QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" "
                               "y1=\"%3\" x2=\"%4\" y2=\"%5\">")
                    .arg(id, number(s.from.x()), number(s.from.y()), number(s.to.x()), number(s.to.y()));
            for (const QGradientStop& stop : s.stops)
                g += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>")
                         .arg(number(stop.first), stop.second.name());
            defs << g + QStringLiteral("</linearGradient>");
            fill = QStringLiteral("url(#%1)").arg(id);
        } else if (s.fill.isValid()) {
            fill = s.fill.name();
        }
        QString element = QStringLiteral("<path d=\"%1\" fill=\"%2\"").arg(svgPath(s.path), fill);
        if (s.stroke.isValid())
            element += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\" "
                                      "stroke-linecap=\"round\"")
                           .arg(s.stroke.name(), number(s.strokeWidth));
        body << element + QStringLiteral("/>");
    }
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 256 256\">\n");
    if (!defs.isEmpty())
        svg += QStringLiteral("<defs>\n") + defs.join(QLatin1Char('\n')) + QStringLiteral("\n</defs>\n");
    svg += body.join(QLatin1Char('\n')) + QStringLiteral("\n</svg>\n");
    return svg;
}

} // namespace imagegen
