#pragma once
// Colour tables the pictures are drawn with: the classic 16-colour palette for the
// 4-bit sets, a fixed 256-colour palette for 8-bit icon entries, and the named colours
// each picture style uses.

#include <QColor>
#include <QImage>
#include <QVector>
#include <QtGlobal>

namespace imagegen {

// The toolbar background, drawn as transparent by the program. No picture may use it.
inline constexpr QRgb kBackground = 0xFFC0C0C0;

// The 16 colours of the classic VGA palette, in their customary order (index 7 is the
// background grey).
const QVector<QRgb>& vgaPalette();

// 16 VGA colours, a 6x6x6 colour cube and 24 greys.
const QVector<QRgb>& palette256();

// Index of the palette entry nearest to rgb, never choosing `excluded` (pass -1 to
// allow every entry).
int nearestIndex(const QVector<QRgb>& palette, QRgb rgb, int excluded);

// Converts a picture to an indexed image over `palette`: pixels equal to kBackground
// become the background entry; every other pixel takes its nearest entry other than
// the background, so no picture pixel can turn transparent.
QImage toIndexed(const QImage& picture, const QVector<QRgb>& palette);

// The named colours a picture is drawn with. The 16-colour style holds only VGA
// colours, so its pictures map onto the palette without loss.
struct Style {
    bool hiColor = false;
    QColor outline;   // k: edges and strokes
    QColor black;     // K
    QColor white;     // W: highlights
    QColor paper;     // w
    QColor paperDim;  // s: folds, shaded paper
    QColor text;      // t: text lines on a page
    QColor metal;     // m: light metal and plastic
    QColor metalDark; // M
    QColor dark;      // d: dark grey
    QColor blue;      // b
    QColor blueDark;  // B
    QColor cyan;      // c: glass, sky
    QColor teal;      // T
    QColor yellow;    // y
    QColor ochre;     // Y: dark yellow
    QColor brown;     // o
    QColor red;       // r
    QColor redDark;   // R
    QColor green;     // g
    QColor lime;      // l
    QColor purple;    // v
    QColor pink;      // f

    // The colour a pixel-art key character stands for; invalid for '.' (leave empty).
    QColor key(char c) const;
};

const Style& hiColorStyle();
const Style& sixteenColorStyle();

} // namespace imagegen
