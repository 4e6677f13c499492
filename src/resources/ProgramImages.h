#pragma once
// The program's toolbar strips, menu-image strips and icons, embedded as Qt resources
// under ":/images/".

namespace lw {

// Registers the eight bitmap strips (128, 129, 310, 316, 312, 317, 318, 320) and the
// icons 128 (application) and 130 (HTML document) with CResourceTables::instance().
void RegisterProgramImages();

} // namespace lw
