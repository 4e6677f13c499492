#include "Canvas.h"

#include <cstdlib>

namespace imagegen {

Canvas::Canvas(QPainter& painter, const Style& style) : m_painter(painter), m_style(style) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void Canvas::dot(int x, int y, const QColor& c) {
    m_painter.fillRect(x, y, 1, 1, c);
}

void Canvas::fill(int x, int y, int w, int h, const QColor& c) {
    if (w > 0 && h > 0)
        m_painter.fillRect(x, y, w, h, c);
}

void Canvas::hline(int x0, int x1, int y, const QColor& c) {
    if (x1 < x0)
        std::swap(x0, x1);
    fill(x0, y, x1 - x0 + 1, 1, c);
}

void Canvas::vline(int x, int y0, int y1, const QColor& c) {
    if (y1 < y0)
        std::swap(y0, y1);
    fill(x, y0, 1, y1 - y0 + 1, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, const QColor& c) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        dot(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::box(int x, int y, int w, int h, const QColor& edge, const QColor& inside) {
    fill(x, y, w, h, edge);
    fill(x + 1, y + 1, w - 2, h - 2, inside);
}

void Canvas::shade(int x, int y, int w, int h, const QColor& top, const QColor& bottom, const QColor& flat) {
    if (!hi() || h <= 1) {
        fill(x, y, w, h, hi() ? top : flat);
        return;
    }
    for (int i = 0; i < h; ++i) {
        const qreal t = qreal(i) / (h - 1);
        const QColor row = QColor::fromRgbF(top.redF() + (bottom.redF() - top.redF()) * t,
                                            top.greenF() + (bottom.greenF() - top.greenF()) * t,
                                            top.blueF() + (bottom.blueF() - top.blueF()) * t);
        fill(x, y + i, w, 1, row);
    }
}

void Canvas::art(int x, int y, std::initializer_list<const char*> rows) {
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col]; ++col) {
            const QColor colour = m_style.key(line[col]);
            if (colour.isValid())
                dot(x + col, y + row, colour);
        }
        ++row;
    }
}

void Canvas::glyph(int x, int y, std::initializer_list<const char*> rows, const QColor& c) {
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col]; ++col)
            if (line[col] != '.' && line[col] != ' ')
                dot(x + col, y + row, c);
        ++row;
    }
}

void Canvas::strokeOutlined(const QPainterPath& path, qreal width, const QColor& c, const QColor& edge) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, hi());
    m_painter.setBrush(Qt::NoBrush);
    if (edge.isValid()) {
        m_painter.setPen(QPen(edge, width + 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        m_painter.drawPath(path);
    }
    m_painter.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    m_painter.drawPath(path);
    m_painter.restore();
}

void Canvas::fillPath(const QPainterPath& path, const QColor& c, const QColor& edge) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, hi());
    m_painter.setPen(edge.isValid() ? QPen(edge, 1) : QPen(Qt::NoPen));
    m_painter.setBrush(c);
    m_painter.drawPath(path);
    m_painter.restore();
}

void drawPage(Canvas& c, int x, int y, int w, int h, int fold) {
    const Style& s = c.style();
    const int right = x + w - 1;
    const int bottom = y + h - 1;
    const int foldX = right - fold;
    // Paper, lighter at the top in the high-colour style.
    for (int row = y + 1; row < bottom; ++row) {
        const int end = row < y + fold ? foldX - 1 : right - 1;
        const QColor paper =
            c.hi() ? QColor::fromRgbF(1.0, 1.0 - 0.06 * (row - y) / h, 1.0 - 0.1 * (row - y) / h) : s.paper;
        c.hline(x + 1, end, row, paper);
        if (row < y + fold && row - y > 1)
            c.hline(foldX + 1, foldX + (row - y) - 1, row, s.paperDim);
    }
    c.hline(x, foldX, y, s.outline);
    c.line(foldX, y, right, y + fold, s.outline);
    c.vline(right, y + fold, bottom, s.outline);
    c.hline(x, right, bottom, s.outline);
    c.vline(x, y, bottom, s.outline);
    c.vline(foldX, y, y + fold, s.outline);
    c.hline(foldX, right, y + fold, s.outline);
}

void drawTextLines(Canvas& c, int x0, int x1, int y0, int y1, int step) {
    bool full = true;
    for (int y = y0; y <= y1; y += step) {
        c.hline(x0, full ? x1 : x0 + (x1 - x0) * 3 / 4, y, c.style().text);
        full = !full;
    }
}

} // namespace imagegen
