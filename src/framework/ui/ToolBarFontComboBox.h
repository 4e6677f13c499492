#pragma once
// The font name box: a drop-down list of the system's scalable font families, shared
// by every font box of the process and gathered once.

#include "framework/ui/ToolBarComboBoxButton.h"

#include <QStringList>

namespace lw {

inline constexpr int TRUETYPE_FONTTYPE = 4;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int DEFAULT_PITCH = 0;

class CMFCToolBarFontComboBox : public CMFCToolBarComboBoxButton {
public:
    CMFCToolBarFontComboBox(UINT id, int image, int fontType = TRUETYPE_FONTTYPE,
                            int charSet = DEFAULT_CHARSET, UINT style = CBS_DROPDOWNLIST, int width = 0,
                            int pitchAndFamily = DEFAULT_PITCH);

    // The families offered: scalable fonts of any script, sorted by name.
    static const QStringList& FontFamilies();
};

} // namespace lw
