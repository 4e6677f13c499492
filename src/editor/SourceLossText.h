#pragma once
// What the user is told about a page whose own bytes a save cannot keep beyond an edit.

#include "engine/EngineTypes.h"

#include <QString>

namespace lw {

// The note for a loss, from the string table; empty when nothing is lost.
QString SourceLossText(const SourceLoss& loss);

// The note over a loaded page: what an edit cannot keep of it, and what a large page goes
// without; empty when there is nothing to tell.
QString PageNoteText(const SourceLoss& loss, bool largePage);

} // namespace lw
