#include "frame/ChildFrame.h"

namespace lw {

Qt::WindowFlags CChildFrame::ChildWindowFlags() const {
    return Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

} // namespace lw
