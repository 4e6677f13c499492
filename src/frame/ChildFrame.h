#pragma once
// The window of one HTML document.

#include "framework/ui/MDIChildWndEx.h"

namespace lw {

// The framework's child frame already has the caption, close button and sizing border
// without minimise or maximise buttons that document windows want.
class CChildFrame : public CMDIChildWndEx {};

} // namespace lw
