#pragma once
// The application icon (a page woven from threads, with the pen that weaves it) and
// the HTML document icon.

#include <QImage>
#include <QString>

namespace imagegen {

// The application icon at `size` pixels, with alpha. Small sizes get fewer, thicker
// threads so the weave still reads.
QImage renderAppIcon(int size);

// The same design as scalable vector graphics.
QString appIconSvg();

// The document icon at 16 or 32 pixels, drawn pixel by pixel: in the 16 VGA colours
// when `sixteenColours`, else in the high-colour style.
QImage renderDocumentIcon(int size, bool sixteenColours);

} // namespace imagegen
