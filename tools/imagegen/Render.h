#pragma once
// Turns drawing functions into finished strip images: every pixel either the exact
// background grey or an opaque picture colour, never the background colour inside a
// picture, and in 16 colours only palette colours.

#include "Pictures.h"

#include <QImage>
#include <QStringList>

namespace imagegen {

inline constexpr int kImageWidth = 16;

// One picture, `height` pixels high (15 or 16). Pictures are drawn on 16 rows; a
// 15-row picture drops an empty top or bottom row. Problems are added to `warnings`.
QImage renderPicture(const Picture& picture, const Style& style, int height, QStringList& warnings);

// The whole strip: RGB32 for 24-bit strips, Format_Indexed8 over the VGA palette for
// 4-bit strips.
QImage renderStrip(const Strip& strip, QStringList& warnings);

} // namespace imagegen
