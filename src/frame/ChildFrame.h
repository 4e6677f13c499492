#pragma once
// The window of one HTML document.

#include "framework/ui/MDIChildWndEx.h"

namespace lw {

class CChildFrame : public CMDIChildWndEx {
public:
    // Caption, close button and sizing border; no minimise or maximise button.
    Qt::WindowFlags ChildWindowFlags() const override;
};

} // namespace lw
