// Pictures of the edit, help and window commands.

#include "Pictures.h"

namespace imagegen {

namespace {

// A curved arrow turning back to the left: the undo shape. Redo draws it mirrored.
void backArrow(Canvas& c) {
    const Style& s = c.style();
    QPainterPath shaft;
    shaft.moveTo(13.0, 14.0);
    shaft.lineTo(13.0, 10.0);
    shaft.arcTo(QRectF(4.0, 5.0, 9.0, 9.0), 0.0, 90.0);
    shaft.lineTo(5.5, 5.0);
    c.strokeOutlined(shaft, 2.5, s.blue, s.blueDark);
    QPainterPath head;
    head.moveTo(0.5, 5.0);
    head.lineTo(6.5, 0.5);
    head.lineTo(6.5, 9.5);
    head.closeSubpath();
    c.fillPath(head, s.blue, s.blueDark);
}

void window(Canvas& c, int x, int y, int w, int h) {
    const Style& s = c.style();
    c.box(x, y, w, h, s.outline, s.paper);
    c.shade(x + 1, y + 1, w - 2, 2, s.blue, s.blueDark, s.blueDark);
    c.hline(x + 1, x + w - 2, y + 3, s.outline);
}

} // namespace

void drawFind(Canvas& c) {
    c.art(1, 1,
          {
              "..kkkkk...",
              ".kcWWcck..",
              "kcWcccccK.",
              "kcWcccccK.",
              "kccccccck.",
              "kccccccck.",
              "kccccccck.",
              ".kccccck..",
              "..kkkkkok.",
          });
    const Style& s = c.style();
    QPainterPath handle;
    handle.moveTo(8.5, 8.5);
    handle.lineTo(13.5, 13.5);
    c.strokeOutlined(handle, 2.5, s.brown, s.outline);
}

void drawUndo(Canvas& c) {
    backArrow(c);
}

void drawRedo(Canvas& c) {
    QPainter& p = c.painter();
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    backArrow(c);
    p.restore();
}

void drawCut(Canvas& c) {
    const Style& s = c.style();
    // Blades cross at the pivot and run on to the opposite handles.
    c.line(4, 0, 10, 10, s.outline);
    c.line(5, 0, 11, 10, s.metal);
    c.line(11, 0, 5, 10, s.outline);
    c.line(10, 0, 4, 10, s.metal);
    c.dot(4, 0, s.outline);
    c.dot(11, 0, s.outline);
    c.dot(7, 5, s.outline);
    c.dot(8, 5, s.outline);
    for (int x : {1, 9}) {
        c.art(x, 9, {".rrrr.", "rr..rr", "r....r", "rr..rr", ".rrrr."});
        // Darker rims give the handles some depth.
        if (c.hi())
            c.art(x, 9, {".RRRR.", "R....R", "......", "R....R", ".RRRR."});
    }
}

void drawCopy(Canvas& c) {
    drawPage(c, 0, 0, 10, 11, 3);
    drawTextLines(c, 2, 6, 4, 9, 2);
    drawPage(c, 5, 4, 11, 11, 3);
    drawTextLines(c, 7, 12, 8, 13, 2);
}

void drawPaste(Canvas& c) {
    const Style& s = c.style();
    c.box(1, 2, 11, 13, s.outline, s.brown);
    c.shade(2, 3, 9, 11, QColor(184, 124, 66), s.brown, s.brown);
    // The clip.
    c.art(3, 0, {"..kkk..", ".kmMmk.", "kmmmmmk", "kkkkkkk"});
    drawPage(c, 6, 5, 10, 10, 3);
    drawTextLines(c, 8, 12, 8, 13, 2);
}

void drawDelete(Canvas& c) {
    c.art(2, 2,
          {
              "rR........Rr",
              "Rrr......rrR",
              ".Rrr....rrR.",
              "..Rrr..rrR..",
              "...RrrrrR...",
              "....rrrr....",
              "....rrrr....",
              "...RrrrrR...",
              "..Rrr..rrR..",
              ".Rrr....rrR.",
              "Rrr......rrR",
              "rR........Rr",
          });
}

void drawSelectAll(Canvas& c) {
    const Style& s = c.style();
    c.fill(2, 2, 12, 12, s.paper);
    // A dotted selection frame round the whole page.
    for (int i = 1; i <= 14; ++i) {
        const QColor dash = i % 2 ? s.outline : s.paper;
        c.dot(i, 1, dash);
        c.dot(i, 14, dash);
        c.dot(1, i, dash);
        c.dot(14, i, dash);
    }
    for (int y : {4, 7, 10}) {
        c.fill(3, y, 10, 2, s.blueDark);
        c.hline(4, y == 7 ? 9 : 11, y, s.white);
    }
}

void drawAbout(Canvas& c) {
    c.art(1, 1,
          {
              "....kkkkk....",
              "..kkbbbbbkk..",
              ".kbbccbbbbbk.",
              ".kbcbbbbbbbk.",
              "kbbbbbbbbbbbk",
              "kbbbbbbbbbbbk",
              "kbbbbbbbbbbbk",
              "kbbbbbbbbbbbk",
              "kbbbbbbbbbbbk",
              ".kbbbbbbbbbk.",
              ".kbbbbbbbbbk.",
              "..kkbbbbbkk..",
              "....kkkkk....",
          });
    c.glyph(5, 3,
            {
                ".WWWW.",
                "WW..WW",
                "....WW",
                "...WW.",
                "..WW..",
                "..WW..",
                "......",
                "..WW..",
                "..WW..",
            },
            c.style().white);
}

void drawCustomize(Canvas& c) {
    const Style& s = c.style();
    // A button dragged out of a toolbar, leaving its place empty.
    c.box(0, 0, 16, 7, s.outline, s.metal);
    c.box(2, 1, 5, 5, s.blueDark, s.blue);
    for (int i = 0; i < 5; ++i) {
        c.dot(8 + i, 1 + (i % 2) * 4, s.dark);
        c.dot(8 + (i % 2) * 4, 1 + i, s.dark);
    }
    c.box(4, 8, 5, 5, s.redDark, s.red);
    c.art(7, 9,
          {
              "k.....",
              "kk....",
              "kWk...",
              "kWWk..",
              "kWWWk.",
              "kWWkkk",
              "kWk...",
          });
}

void drawWindows(Canvas& c) {
    window(c, 0, 0, 11, 9);
    window(c, 5, 6, 11, 9);
}

} // namespace imagegen
