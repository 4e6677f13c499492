#pragma once
// What the editing view needs from the Format toolbar's controls: the font name box, the
// font size box and the two colour buttons. The main frame provides them; all views share
// them.

#include <QString>
#include <cstdint>

namespace lw {

class IFormatControls {
public:
    virtual ~IFormatControls() = default;

    // Font name box.
    virtual QString selectedFontName() const = 0; // empty when nothing is selected
    // Selects the first font whose name begins with name, ignoring case; keeps the
    // selection when none does.
    virtual void selectFontByName(const QString& name) = 0;
    virtual void clearFontName() = 0;
    virtual void enableFontName(bool on) = 0;

    // Font size box: the items 8, 10, 12, 14, 18, 24, 36.
    virtual int selectedSizeIndex() const = 0; // -1 when nothing is selected
    virtual int sizeCount() const = 0;
    virtual void selectSizeIndex(int index) = 0; // -1 clears
    virtual void enableSize(bool on) = 0;

    // The colour (0x00BBGGRR) a colour button shows, by its command ID.
    virtual std::uint32_t buttonColor(unsigned commandId) const = 0;

    // Repaints the Format toolbar.
    virtual void invalidate() = 0;
};

// The controls in force (set by the main frame; none without one).
void SetFormatControls(IFormatControls* controls);
IFormatControls* GetFormatControls();

} // namespace lw
