// Pictures of the paragraph commands and of the insert commands.

#include "Pictures.h"

namespace imagegen {

namespace {

enum class Align { Left, Center, Right, Full };

// Six lines of text, alternately long and short, aligned as asked.
void justifiedLines(Canvas& c, Align align) {
    const QColor ink = c.style().outline;
    for (int i = 0; i < 6; ++i) {
        const int y = 2 + 2 * i;
        const bool longLine = i % 2 == 0 || (align == Align::Full && i != 5);
        const int width = longLine ? 14 : 9;
        int x = 1;
        if (align == Align::Center)
            x = 1 + (14 - width) / 2 + (longLine ? 0 : 1);
        else if (align == Align::Right)
            x = 15 - width;
        c.hline(x, x + width - 1, y, ink);
    }
}

// Text lines with an arrow on the left: pointing left for outdent, right for indent.
void indentLines(Canvas& c, bool inwards) {
    const Style& s = c.style();
    c.hline(1, 14, 2, s.outline);
    for (int y : {5, 7, 9})
        c.hline(7, 14, y, s.outline);
    c.hline(1, 14, 12, s.outline);
    if (inwards)
        c.art(0, 4, {"...b..", "...bb.", "bbbbbb", "...bb.", "...b.."});
    else
        c.art(0, 4, {"..b...", ".bb...", "bbbbbb", ".bb...", "..b..."});
}

} // namespace

void drawJustifyLeft(Canvas& c) {
    justifiedLines(c, Align::Left);
}
void drawJustifyCenter(Canvas& c) {
    justifiedLines(c, Align::Center);
}
void drawJustifyRight(Canvas& c) {
    justifiedLines(c, Align::Right);
}
void drawJustifyFull(Canvas& c) {
    justifiedLines(c, Align::Full);
}

void drawBulletList(Canvas& c) {
    const Style& s = c.style();
    for (int y : {3, 7, 11}) {
        c.art(1, y - 1, {"kkk", "kbk", "kkk"});
        if (c.hi())
            c.dot(2, y, s.cyan);
        c.hline(6, 14, y, s.outline);
    }
}

void drawNumberedList(Canvas& c) {
    const Style& s = c.style();
    c.glyph(1, 1, {".#.", "##.", ".#.", "###"}, s.blue);
    c.glyph(1, 6, {"##.", "..#", ".#.", "###"}, s.blue);
    c.glyph(1, 11, {"###", ".##", "..#", "###"}, s.blue);
    for (int y : {2, 7, 12})
        c.hline(6, 14, y, s.outline);
}

void drawOutdent(Canvas& c) {
    indentLines(c, false);
}
void drawIndent(Canvas& c) {
    indentLines(c, true);
}

void drawHyperlink(Canvas& c) {
    const Style& s = c.style();
    // Two links of a chain; the first is drawn again over one side of the second so
    // that they hook through each other.
    auto link = [](qreal cx, qreal cy) {
        QPainterPath p;
        p.addRoundedRect(QRectF(-5.0, -2.0, 10.0, 4.0), 2.0, 2.0);
        QTransform t;
        t.translate(cx, cy);
        t.rotate(-45.0);
        return t.map(p);
    };
    const QPainterPath first = link(5.5, 9.5);
    const QPainterPath second = link(10.5, 4.5);
    c.strokeOutlined(first, 1.5, s.blueDark, QColor());
    c.strokeOutlined(second, 1.5, s.blue, QColor());
    QPainter& p = c.painter();
    p.save();
    p.setClipRect(QRect(8, 4, 4, 4));
    c.strokeOutlined(first, 1.5, s.blueDark, QColor());
    p.restore();
}

void drawImage(Canvas& c) {
    const Style& s = c.style();
    c.box(0, 1, 16, 13, s.outline, s.cyan);
    c.shade(1, 2, 14, 11, QColor(120, 180, 240), QColor(200, 228, 250), s.cyan);
    // Sun and hills.
    c.art(10, 3, {".yy.", "yyyy", "yyyy", ".yy."});
    c.art(1, 6,
          {
              "...g..........",
              "..ggg.........",
              ".ggggg....l...",
              "gggggggg.lll..",
              "ggggggggllllll",
              "gggggggllllll",
              "gggggglllllll",
          });
    c.hline(1, 14, 12, s.green);
}

void drawHorizontalLine(Canvas& c) {
    const Style& s = c.style();
    c.hline(1, 11, 2, s.text);
    c.hline(1, 8, 4, s.text);
    // The rule itself: an engraved line across the page.
    c.hline(0, 15, 7, s.outline);
    c.hline(0, 15, 8, s.dark);
    c.hline(0, 15, 9, s.white);
    c.hline(1, 12, 12, s.text);
    c.hline(1, 9, 14, s.text);
}

void drawObject(Canvas& c) {
    // A puzzle piece: a part that plugs into the page.
    c.art(0, 1,
          {
              ".....kkkk.......",
              "....kggggk......",
              "....kggggk......",
              ".kkkkkggkkkkk...",
              ".kggggggggggk...",
              ".kggggggggggkkk.",
              ".kgggggggggggggk",
              ".kgggggggggggggk",
              ".kggggggggggkkk.",
              ".kggggggggggk...",
              ".kggggggggggk...",
              ".kggggkkggggk...",
              ".kgggk..kgggk...",
              ".kkkkk..kkkkk...",
          });
    if (c.hi()) {
        c.hline(2, 11, 5, c.style().lime);
        c.vline(2, 5, 12, c.style().lime);
        c.hline(5, 8, 2, c.style().lime);
    }
}

} // namespace imagegen
