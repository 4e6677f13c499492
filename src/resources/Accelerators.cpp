#include "resources/CommandIds.h"
#include "resources/ProgramResources.h"

namespace lw {

namespace {

// Every key is a virtual-key code and never flashes the menu bar title.
constexpr std::uint8_t kPlain = FVIRTKEY | FNOINVERT;
constexpr std::uint8_t kCtrl = kPlain | FCONTROL;
constexpr std::uint8_t kCtrlShift = kPlain | FCONTROL | FSHIFT;
constexpr std::uint8_t kShift = kPlain | FSHIFT;

constexpr std::uint16_t VK_F6 = 0x75;

// Table 128, in stored order; the document type has no table, so this one always applies.
const ACCEL kMainFrameAccelerators[] = {
    {kCtrl, 'B', ID_TEXT_BOLD},
    {kCtrl, 'I', ID_TEXT_ITALIC},
    {kCtrl, 'U', ID_TEXT_UNDERLINE},
    {kCtrl, 'C', ID_EDIT_COPY},
    {kCtrl, 'X', ID_EDIT_CUT},
    {kCtrl, 'F', ID_EDIT_FIND},
    {kCtrl, 'V', ID_EDIT_PASTE},
    {kCtrl, 'Y', ID_EDIT_REDO},
    {kCtrl, 'A', ID_EDIT_SELECT_ALL},
    {kCtrl, 'Z', ID_EDIT_UNDO},
    {kCtrl, 'N', ID_FILE_NEW},
    {kCtrl, 'O', ID_FILE_OPEN},
    {kCtrl, 'P', ID_FILE_PRINT},
    {kCtrl, 'S', ID_FILE_SAVE},
    {kCtrlShift, 'S', ID_FILE_SAVE_AS},
    {kCtrl, 'K', ID_EDIT_HYPERLINK},
    {kCtrlShift, 'K', ID_EDIT_UNLINK},
    {kCtrl, 'E', ID_BLOCK_JUSTIFY_CENTER},
    {kCtrl, 'L', ID_BLOCK_JUSTIFY_LEFT},
    {kCtrl, 'J', ID_BLOCK_JUSTIFY_FULL},
    {kCtrl, 'R', ID_BLOCK_JUSTIFY_RIGHT},
    {kPlain, VK_F6, ID_NEXT_PANE},
    {kShift | FLASTKEY, VK_F6, ID_PREV_PANE},
};

} // namespace

std::span<const ACCEL> MainFrameAcceleratorTable() {
    return kMainFrameAccelerators;
}

} // namespace lw
