#pragma once
// Pixel-exact drawing on a 16-pixel picture. Coordinates are pixels; every operation
// paints whole pixels, so pictures stay crisp at their real size. Curves use
// antialiasing only in the high-colour style, and only against the picture's own
// colours: edge pixels are later made either opaque or background (see Render.h).

#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <initializer_list>

namespace imagegen {

class Canvas {
public:
    Canvas(QPainter& painter, const Style& style);

    const Style& style() const { return m_style; }
    bool hi() const { return m_style.hiColor; }
    QPainter& painter() { return m_painter; }

    void dot(int x, int y, const QColor& c);
    void fill(int x, int y, int w, int h, const QColor& c);
    void hline(int x0, int x1, int y, const QColor& c);
    void vline(int x, int y0, int y1, const QColor& c);
    // Bresenham line, both ends included.
    void line(int x0, int y0, int x1, int y1, const QColor& c);
    // A one-pixel edge round a filled inside.
    void box(int x, int y, int w, int h, const QColor& edge, const QColor& inside);
    // A vertical gradient from `top` to `bottom` in the high-colour style; a flat
    // `flat` in 16 colours.
    void shade(int x, int y, int w, int h, const QColor& top, const QColor& bottom, const QColor& flat);
    // Pixel art: one string per row, one key character per pixel (see Style::key);
    // '.' leaves the pixel as it is.
    void art(int x, int y, std::initializer_list<const char*> rows);
    // Pixel art in one colour: every character other than '.' paints `c`.
    void glyph(int x, int y, std::initializer_list<const char*> rows, const QColor& c);
    // A path stroked with an outline: first `edge` at width + 2, then `c` at width.
    // Smooth in the high-colour style, pixel-stepped in 16 colours.
    void strokeOutlined(const QPainterPath& path, qreal width, const QColor& c, const QColor& edge);
    void fillPath(const QPainterPath& path, const QColor& c, const QColor& edge);

private:
    QPainter& m_painter;
    const Style& m_style;
};

// A page with a folded top-right corner, `fold` pixels deep.
void drawPage(Canvas& c, int x, int y, int w, int h, int fold);
// Text lines on a page, every `step` rows from y0 while y <= y1, alternately
// full and three quarters long.
void drawTextLines(Canvas& c, int x0, int x1, int y0, int y1, int step);

} // namespace imagegen
