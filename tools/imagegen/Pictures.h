#pragma once
// One drawing function per command picture, and the strips that order them.

#include "Canvas.h"

#include <vector>

namespace imagegen {

using DrawFn = void (*)(Canvas&);

struct Picture {
    int command;
    const char* name;
    DrawFn draw;
};

struct Strip {
    int resourceId;
    const char* file;
    int imageHeight;
    int bitsPerPixel; // 4 or 24
    std::vector<Picture> pictures;
};

// The eight bitmap strips, with their pictures in button order.
const std::vector<Strip>& strips();

// File and print commands (FilePictures.cpp).
void drawNew(Canvas& c);
void drawOpen(Canvas& c);
void drawSave(Canvas& c);
void drawSaveAs(Canvas& c);
void drawClose(Canvas& c);
void drawPrint(Canvas& c);
void drawPrintPreview(Canvas& c);
void drawQuickPrint(Canvas& c);
void drawPrintSetup(Canvas& c);
void drawPageSetup(Canvas& c);
void drawSendMail(Canvas& c);
void drawExit(Canvas& c);

// Edit, help and window commands (EditPictures.cpp).
void drawFind(Canvas& c);
void drawUndo(Canvas& c);
void drawRedo(Canvas& c);
void drawCut(Canvas& c);
void drawCopy(Canvas& c);
void drawPaste(Canvas& c);
void drawDelete(Canvas& c);
void drawSelectAll(Canvas& c);
void drawAbout(Canvas& c);
void drawCustomize(Canvas& c);
void drawWindows(Canvas& c);

// Character formatting (TextPictures.cpp).
void drawFontName(Canvas& c);
void drawFontSize(Canvas& c);
void drawBold(Canvas& c);
void drawItalic(Canvas& c);
void drawUnderline(Canvas& c);
void drawStrikethrough(Canvas& c);
void drawSuperscript(Canvas& c);
void drawSubscript(Canvas& c);
void drawForeColor(Canvas& c);
void drawBackColor(Canvas& c);

// Paragraphs and inserts (BlockPictures.cpp).
void drawJustifyLeft(Canvas& c);
void drawJustifyCenter(Canvas& c);
void drawJustifyRight(Canvas& c);
void drawJustifyFull(Canvas& c);
void drawBulletList(Canvas& c);
void drawNumberedList(Canvas& c);
void drawOutdent(Canvas& c);
void drawIndent(Canvas& c);
void drawHyperlink(Canvas& c);
void drawImage(Canvas& c);
void drawHorizontalLine(Canvas& c);
void drawObject(Canvas& c);

} // namespace imagegen
