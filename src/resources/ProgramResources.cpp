#include "resources/ProgramResources.h"

#include "resources/CommandIds.h"

namespace lw {

void RegisterProgramResources() {
    CResourceTables& tables = CResourceTables::instance();
    tables.addStrings(ProgramStringTable());
    tables.addMenu(IDR_MAINFRAME, MainFrameMenuTemplate());
    tables.addMenu(IDR_HTMLDOCTYPE, HtmlDocumentMenuTemplate());
    tables.addAccelerators(IDR_MAINFRAME, MainFrameAcceleratorTable());
    for (const ToolbarResource& toolbar : ToolbarLayouts())
        tables.addToolbar(toolbar);
}

} // namespace lw
