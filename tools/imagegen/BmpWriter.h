#pragma once
// Device-independent bitmap encoding: BITMAPINFOHEADER, palette and bottom-up pixel
// rows padded to four bytes, as stored in .bmp files and in icon entries.

#include <QByteArray>
#include <QImage>
#include <QVector>
#include <cstdint>

namespace imagegen {

void appendU16(QByteArray& out, std::uint16_t value);
void appendU32(QByteArray& out, std::uint32_t value);

// Bytes of one pixel row of `width` pixels at `bitsPerPixel`, rounded up to four.
int dibStride(int width, int bitsPerPixel);

// The 40-byte BITMAPINFOHEADER. `storedHeight` is the height written in the header
// (icon entries store twice the image height); `paletteSize` is biClrUsed.
QByteArray infoHeader(int width, int storedHeight, int bitsPerPixel, std::uint32_t imageBytes,
                      std::uint32_t paletteSize);

// RGBQUAD entries of a palette.
QByteArray paletteBytes(const QVector<QRgb>& palette);

// Bottom-up pixel rows. For 1, 4 and 8 bits `image` must be Format_Indexed8 with
// indices below 2^bitsPerPixel; for 24 bits any RGB image; for 32 bits the alpha
// channel is kept.
QByteArray dibPixels(const QImage& image, int bitsPerPixel);

// A complete .bmp file. 4-bit files carry the image's 16-entry colour table.
QByteArray encodeBmp4(const QImage& indexed);
QByteArray encodeBmp24(const QImage& image);

} // namespace imagegen
