// Pictures of the file and print commands.

#include "Pictures.h"

namespace imagegen {

namespace {

void floppy(Canvas& c, int x, int y) {
    c.art(x, y,
          {
              "kkkkkkkkkkkkk.",
              "kBkwwwwwwwwkBk",
              "kBkwttttttwkBk",
              "kBkwwwwwwwwkBk",
              "kBkwttttttwkBk",
              "kBkwwwwwwwwkBk",
              "kBBkkkkkkkkBBk",
              "kBBBBBBBBBBBBk",
              "kBBkkkkkkkkBBk",
              "kBBkMMMBBMkBBk",
              "kBBkMMMBBMkBBk",
              "kBBkMMMMMMkBBk",
              "kkkkkkkkkkkkkk",
          });
    if (c.hi()) {
        // A lighter edge down the left of the case.
        c.vline(x + 1, y + 1, y + 11, c.style().blue);
    }
}

void printer(Canvas& c, int x, int y) {
    c.art(x, y,
          {
              "...kkkkkkkk...",
              "...kwwwwwwk...",
              "...kwttttwk...",
              "...kwwwwwwk...",
              ".kkkkkkkkkkkk.",
              "kmmmmmmmmmmmmk",
              "kmmmmmmmmmlgmk",
              "kMMMMMMMMMMMMk",
              "kMkkkkkkkkkkMk",
              "kMMMMMMMMMMMMk",
              ".kkkkkkkkkkkk.",
          });
    if (c.hi()) {
        const Style& s = c.style();
        c.shade(x + 1, y + 5, 12, 2, QColor(236, 238, 242), s.metal, s.metal);
        c.dot(x + 10, y + 6, s.lime);
        c.dot(x + 11, y + 6, s.green);
    }
}

// A magnifying glass whose lens is 8 pixels across, with the handle towards the bottom right.
void magnifier(Canvas& c, int x, int y) {
    c.art(x, y,
          {
              "..kkkk....",
              ".kcWWck...",
              "kcWcccck..",
              "kcWcccck..",
              "kcccccck..",
              "kcccccck..",
              ".kcccck...",
              "..kkkkok..",
              "......ook.",
              ".......ook",
              "........ok",
          });
}

} // namespace

void drawNew(Canvas& c) {
    drawPage(c, 2, 0, 12, 15, 4);
}

void drawOpen(Canvas& c) {
    c.art(0, 3,
          {
              ".kkkk...........",
              "kyyyyk..........",
              "kyyyyykkkkkkk...",
              "kyYYYYYYYYYYYk..",
              "kyYkkkkkkkkkkkkk",
              "kyYkyyyyyyyyyyk.",
              "kykyyyyyyyyyyyk.",
              "kykyyyyyyyyyyk..",
              "kkyyyyyyyyyyyk..",
              "kkyyyyyyyyyyk...",
              "kkkkkkkkkkkkk...",
          });
    if (c.hi()) {
        // Lighter along the front flap's top edge.
        c.hline(4, 13, 8, QColor(255, 236, 160));
    }
}

void drawSave(Canvas& c) {
    floppy(c, 1, 1);
}

void drawSaveAs(Canvas& c) {
    floppy(c, 0, 0);
    // A pencil writing a new name across the corner.
    c.art(7, 6,
          {
              "......kk.",
              ".....krrk",
              "....kyrk.",
              "...kyyk..",
              "..kyyk...",
              ".kwyk....",
              "kwwk.....",
              "kkk......",
          });
}

void drawClose(Canvas& c) {
    c.art(3, 3,
          {
              "kk......kk",
              "kkk....kkk",
              ".kkk..kkk.",
              "..kkkkkk..",
              "...kkkk...",
              "...kkkk...",
              "..kkkkkk..",
              ".kkk..kkk.",
              "kkk....kkk",
              "kk......kk",
          });
}

void drawPrint(Canvas& c) {
    printer(c, 1, 2);
}

void drawQuickPrint(Canvas& c) {
    printer(c, 0, 4);
    // A lightning bolt: printing at once, without the dialog.
    c.art(9, 0,
          {
              "..kkkk.",
              "..kyyk.",
              ".kyyk..",
              ".kyykkk",
              "kyyyyyk",
              "kkkyyk.",
              "..kyk..",
              "..kk...",
          });
}

void drawPrintSetup(Canvas& c) {
    printer(c, 0, 4);
    // A cog: the printer's settings.
    c.art(8, 0,
          {
              "...kk...",
              ".k.bb.k.",
              "..bbbb..",
              "kbbkkbbk",
              "kbbkkbbk",
              "..bbbb..",
              ".k.bb.k.",
              "...kk...",
          });
}

void drawPrintPreview(Canvas& c) {
    drawPage(c, 1, 0, 11, 15, 3);
    drawTextLines(c, 3, 9, 3, 12, 2);
    magnifier(c, 6, 4);
}

void drawPageSetup(Canvas& c) {
    drawPage(c, 2, 0, 12, 15, 3);
    const Style& s = c.style();
    // Dotted margins round the printable area.
    for (int x = 4; x <= 11; x += 2) {
        c.dot(x, 4, s.blue);
        c.dot(x, 12, s.blue);
    }
    for (int y = 4; y <= 12; y += 2) {
        c.dot(4, y, s.blue);
        c.dot(11, y, s.blue);
    }
    drawTextLines(c, 6, 9, 6, 10, 2);
}

void drawSendMail(Canvas& c) {
    const Style& s = c.style();
    c.box(0, 3, 16, 11, s.outline, s.paper);
    c.shade(1, 4, 14, 9, s.paper, QColor(226, 232, 242), s.paper);
    c.line(1, 4, 7, 9, s.outline);
    c.line(14, 4, 8, 9, s.outline);
    c.line(1, 12, 5, 8, s.text);
    c.line(14, 12, 10, 8, s.text);
    // A stamp.
    c.fill(12, 5, 2, 2, s.red);
}

void drawExit(Canvas& c) {
    c.art(1, 1,
          {
              "kkkkkkkk",
              "kooooook",
              "koYYYYok",
              "koYooYok",
              "koYYYYok",
              "kooooook",
              "kooooook",
              "kooooyok",
              "kooooook",
              "koYYYYok",
              "koYooYok",
              "koYYYYok",
              "kooooook",
              "kkkkkkkk",
          });
    // Leaving through the door.
    c.art(8, 4,
          {
              "....k...",
              "....kk..",
              "kkkkkgk.",
              "kggggggk",
              "kggggggk",
              "kkkkkgk.",
              "....kk..",
              "....k...",
          });
}

} // namespace imagegen
