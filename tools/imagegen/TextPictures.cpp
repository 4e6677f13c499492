// Pictures of the character formatting commands: letters drawn pixel by pixel, so
// they look the same whatever fonts the machine has.

#include "Pictures.h"

namespace imagegen {

namespace {

void capitalA(Canvas& c, int x, int y, const QColor& colour) {
    c.glyph(x, y,
            {
                "...###...",
                "...###...",
                "..##.##..",
                "..##.##..",
                ".##...##.",
                ".#######.",
                ".#######.",
                "##.....##",
                "##.....##",
                "##.....##",
            },
            colour);
}

void letterX(Canvas& c, int x, int y) {
    c.glyph(x, y,
            {
                "##...##",
                ".##.##.",
                "..###..",
                "..###..",
                ".##.##.",
                "##...##",
            },
            c.style().outline);
}

void digitTwo(Canvas& c, int x, int y) {
    c.glyph(x, y, {"###.", "...#", ".##.", "#...", "####"}, c.style().blue);
}

// A colour sample under a letter or a pen.
void colourBar(Canvas& c, const QColor& colour) {
    c.fill(1, 12, 14, 3, colour);
}

} // namespace

void drawFontName(Canvas& c) {
    capitalA(c, 0, 3, c.style().outline);
    c.glyph(10, 7, {".###.", "....#", ".####", "#...#", "#..##", ".##.#"}, c.style().blue);
}

void drawFontSize(Canvas& c) {
    capitalA(c, 0, 3, c.style().outline);
    // The double arrow: larger or smaller.
    c.glyph(10, 2,
            {
                "..#..",
                ".###.",
                "#####",
                "..#..",
                "..#..",
                "..#..",
                "..#..",
                "..#..",
                "..#..",
                "#####",
                ".###.",
                "..#..",
            },
            c.style().blue);
}

void drawBold(Canvas& c) {
    c.glyph(3, 2,
            {
                "########..",
                ".###..###.",
                ".###...###",
                ".###...###",
                ".###..###.",
                ".#######..",
                ".###..###.",
                ".###...###",
                ".###...###",
                ".###..###.",
                "########..",
            },
            c.style().outline);
}

void drawItalic(Canvas& c) {
    c.glyph(4, 2,
            {
                "...#####",
                ".....##.",
                ".....##.",
                "....##..",
                "....##..",
                "....##..",
                "...##...",
                "...##...",
                "..##....",
                "..##....",
                "#####...",
            },
            c.style().outline);
}

void drawUnderline(Canvas& c) {
    c.glyph(4, 2,
            {
                "##....##",
                "##....##",
                "##....##",
                "##....##",
                "##....##",
                "##....##",
                "##....##",
                ".##..##.",
                "..####..",
            },
            c.style().outline);
    c.hline(2, 13, 12, c.style().outline);
}

void drawStrikethrough(Canvas& c) {
    c.glyph(5, 3,
            {
                ".#####.",
                "##...##",
                "##.....",
                "###....",
                ".#####.",
                "....###",
                ".....##",
                "##...##",
                ".#####.",
            },
            c.style().outline);
    c.hline(2, 13, 7, c.style().red);
}

void drawSuperscript(Canvas& c) {
    letterX(c, 1, 7);
    digitTwo(c, 10, 2);
}

void drawSubscript(Canvas& c) {
    letterX(c, 1, 3);
    digitTwo(c, 10, 9);
}

void drawForeColor(Canvas& c) {
    capitalA(c, 3, 1, c.style().outline);
    colourBar(c, c.style().red);
}

void drawBackColor(Canvas& c) {
    // A highlighter pen over the colour it paints.
    c.art(3, 0,
          {
              "........kkk.",
              ".......kbbbk",
              "......kWbbbk",
              ".....kWbbbk.",
              "....kWbbbk..",
              "...kkbbbk...",
              "..kmkkkk....",
              ".kyymk......",
              "kyyyk.......",
              "kkkk........",
          });
    colourBar(c, c.style().yellow);
}

} // namespace imagegen
