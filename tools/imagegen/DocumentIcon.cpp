// The HTML document icon: a page with markup brackets over a strip of weave.

#include "AppIcon.h"
#include "Canvas.h"

namespace imagegen {

namespace {

void weaveStrip(Canvas& c, int x, int y, int w, int h, int cell) {
    const Style& s = c.style();
    for (int row = 0; row * cell < h; ++row)
        for (int col = 0; col * cell < w; ++col)
            c.fill(x + col * cell, y + row * cell, std::min(cell, w - col * cell),
                   std::min(cell, h - row * cell), (row + col) % 2 ? s.yellow : s.teal);
}

void draw32(Canvas& c) {
    const Style& s = c.style();
    drawPage(c, 4, 1, 24, 30, 7);
    c.glyph(8, 8, {"....#", "...##", "..##.", ".##..", "##...", ".##..", "..##.", "...##", "....#"}, s.blue);
    c.glyph(14, 8, {"....#", "...##", "...#.", "..##.", "..#..", ".##..", ".#...", "##...", "#...."},
            s.blueDark);
    c.glyph(20, 8, {"#....", "##...", ".##..", "..##.", "...##", "..##.", ".##..", "##...", "#...."}, s.blue);
    weaveStrip(c, 8, 20, 16, 6, 2);
    c.hline(8, 23, 27, s.text);
}

void draw16(Canvas& c) {
    const Style& s = c.style();
    drawPage(c, 2, 0, 12, 16, 4);
    c.glyph(4, 5, {"..#", ".#.", "#..", ".#.", "..#"}, s.blue);
    c.glyph(9, 5, {"#..", ".#.", "..#", ".#.", "#.."}, s.blue);
    weaveStrip(c, 4, 11, 8, 3, 1);
}

// The 256-colour entries: high-colour tones, but flat fills, since a gradient would
// quantise into visible bands.
const Style& flatStyle() {
    static const Style style = [] {
        Style s = hiColorStyle();
        s.hiColor = false;
        return s;
    }();
    return style;
}

} // namespace

QImage renderDocumentIcon(int size, bool sixteenColours) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        Canvas c(p, sixteenColours ? sixteenColorStyle() : flatStyle());
        if (size >= 32)
            draw32(c);
        else
            draw16(c);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace imagegen
