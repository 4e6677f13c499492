#include "Pictures.h"

namespace imagegen {

namespace {

const std::vector<Picture>& standardPictures() {
    static const std::vector<Picture> p = {
        {57600, "New", drawNew},
        {57601, "Open", drawOpen},
        {57603, "Save", drawSave},
        {57607, "Print", drawPrint},
        {57609, "Print Preview", drawPrintPreview},
        {57636, "Find", drawFind},
        {57643, "Undo", drawUndo},
        {57644, "Redo", drawRedo},
        {57635, "Cut", drawCut},
        {57634, "Copy", drawCopy},
        {57637, "Paste", drawPaste},
        {57664, "About", drawAbout},
    };
    return p;
}

const std::vector<Picture>& formatPictures() {
    static const std::vector<Picture> p = {
        {32946, "Font Name", drawFontName},
        {32948, "Font Size", drawFontSize},
        {32776, "Bold", drawBold},
        {32777, "Italic", drawItalic},
        {32778, "Underline", drawUnderline},
        {32779, "Strikethrough", drawStrikethrough},
        {32780, "Superscript", drawSuperscript},
        {32781, "Subscript", drawSubscript},
        {32845, "Fore Color", drawForeColor},
        {32846, "Back Color", drawBackColor},
        {32782, "Justify Left", drawJustifyLeft},
        {32783, "Justify Center", drawJustifyCenter},
        {32784, "Justify Right", drawJustifyRight},
        {32883, "Justify Full", drawJustifyFull},
        {32785, "Unordered List", drawBulletList},
        {32786, "Ordered List", drawNumberedList},
        {32787, "Outdent", drawOutdent},
        {32788, "Indent", drawIndent},
        {32827, "Hyperlink", drawHyperlink},
    };
    return p;
}

const std::vector<Picture>& insertPictures() {
    static const std::vector<Picture> p = {
        {32833, "Image", drawImage},
        {32837, "Horizontal Line", drawHorizontalLine},
        {32840, "Insert Object", drawObject},
    };
    return p;
}

} // namespace

const std::vector<Strip>& strips() {
    static const std::vector<Strip> all = {
        {128, "standard-16color.bmp", 15, 4, standardPictures()},
        {129, "standard.bmp", 16, 24, standardPictures()},
        {310, "format-16color.bmp", 15, 4, formatPictures()},
        {316, "format.bmp", 16, 24, formatPictures()},
        {312, "insert-16color.bmp", 15, 4, insertPictures()},
        {317, "insert.bmp", 16, 24, insertPictures()},
        {318,
         "menuimages.bmp",
         16,
         24,
         {
             {57602, "Close", drawClose},
             {57604, "Save As", drawSaveAs},
             {57608, "Quick Print", drawQuickPrint},
             {57606, "Print Setup", drawPrintSetup},
             {57605, "Page Setup", drawPageSetup},
             {57612, "Send Mail", drawSendMail},
             {57642, "Select All", drawSelectAll},
             {126, "Customize", drawCustomize},
             {131, "Windows", drawWindows},
             {57665, "Exit", drawExit},
         }},
        {320,
         "menuimages-16color.bmp",
         16,
         4,
         {{57632, "Delete", drawDelete}, {131, "Windows", drawWindows}}},
    };
    return all;
}

} // namespace imagegen
