#pragma once
// The program's built-in resource data: string table, menus, accelerators and toolbar layouts.

#include "framework/core/Resources.h"

#include <span>

namespace lw {

// Registers every table below with CResourceTables::instance(). Bitmaps and icons are
// registered with the images, not here. Calling it again registers the same data again.
void RegisterProgramResources();

// The raw tables, in stored order; they live for the whole process.
std::span<const StringResource> ProgramStringTable();
std::span<const MenuTemplateItem> MainFrameMenuTemplate();    // menu 128, no document open
std::span<const MenuTemplateItem> HtmlDocumentMenuTemplate(); // menu 130, an HTML document active
std::span<const ACCEL> MainFrameAcceleratorTable();           // accelerator table 128
std::span<const ToolbarResource> ToolbarLayouts();            // toolbars and menu-image strips

} // namespace lw
