#include "resources/ProgramImages.h"

#include "framework/core/Resources.h"
#include "resources/CommandIds.h"

#include <QtGlobal>

// The images live in a static library, where nothing else refers to the resource
// initialiser; naming it here keeps the linker from dropping the embedded files.
// The macro declares a global function, so it must be used outside any namespace.
static void initProgramImageResources() {
    Q_INIT_RESOURCE(images);
}

namespace lw {

void RegisterProgramImages() {
    initProgramImageResources();
    CResourceTables& tables = CResourceTables::instance();
    tables.addBitmap(IDR_MAINFRAME, QStringLiteral(":/images/standard-16color.bmp"));
    tables.addBitmap(IDR_MAINFRAME_256, QStringLiteral(":/images/standard.bmp"));
    tables.addBitmap(IDR_FORMAT_BAR, QStringLiteral(":/images/format-16color.bmp"));
    tables.addBitmap(IDR_FORMAT_BAR_256, QStringLiteral(":/images/format.bmp"));
    tables.addBitmap(IDR_INSERT_BAR, QStringLiteral(":/images/insert-16color.bmp"));
    tables.addBitmap(IDR_INSERT_BAR_256, QStringLiteral(":/images/insert.bmp"));
    tables.addBitmap(IDR_MENU_IMAGES, QStringLiteral(":/images/menuimages.bmp"));
    tables.addBitmap(IDB_MENU_IMAGES_16, QStringLiteral(":/images/menuimages-16color.bmp"));
    tables.addIcon(IDR_MAINFRAME, QStringLiteral(":/images/loomwrite.ico"));
    tables.addIcon(IDR_HTMLDOCTYPE, QStringLiteral(":/images/htmldocument.ico"));
}

} // namespace lw
