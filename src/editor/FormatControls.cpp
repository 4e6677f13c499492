#include "editor/FormatControls.h"

namespace lw {

namespace {
IFormatControls*& current() {
    static IFormatControls* controls = nullptr;
    return controls;
}
} // namespace

void SetFormatControls(IFormatControls* controls) { current() = controls; }
IFormatControls* GetFormatControls() { return current(); }

} // namespace lw
