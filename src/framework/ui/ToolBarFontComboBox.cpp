#include "framework/ui/ToolBarFontComboBox.h"

#include <QFontDatabase>
#include <QSignalBlocker>

namespace lw {

const QStringList& CMFCToolBarFontComboBox::FontFamilies() {
    static const QStringList families = [] {
        QStringList list;
        for (const QString& family : QFontDatabase::families()) {
            // Bitmap fonts cannot be drawn at every size a page may ask for.
            if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
                list << family;
        }
        list.sort(Qt::CaseInsensitive);
        list.removeDuplicates();
        return list;
    }();
    return families;
}

CMFCToolBarFontComboBox::CMFCToolBarFontComboBox(UINT id, int image, int fontType, int charSet, UINT style,
                                                 int width, int pitchAndFamily)
    : CMFCToolBarComboBoxButton(id, image, style, width > 0 ? width : 150) {
    (void)fontType;
    (void)charSet;
    (void)pitchAndFamily;
    const QSignalBlocker block(this);
    addItems(FontFamilies());
    setCurrentIndex(-1);
}

} // namespace lw
