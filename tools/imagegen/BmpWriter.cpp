#include "BmpWriter.h"

namespace imagegen {

void appendU16(QByteArray& out, std::uint16_t value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void appendU32(QByteArray& out, std::uint32_t value) {
    appendU16(out, std::uint16_t(value & 0xFFFF));
    appendU16(out, std::uint16_t(value >> 16));
}

int dibStride(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray infoHeader(int width, int storedHeight, int bitsPerPixel, std::uint32_t imageBytes,
                      std::uint32_t paletteSize) {
    QByteArray h;
    appendU32(h, 40);
    appendU32(h, std::uint32_t(width));
    appendU32(h, std::uint32_t(storedHeight));
    appendU16(h, 1);
    appendU16(h, std::uint16_t(bitsPerPixel));
    appendU32(h, 0); // BI_RGB: uncompressed
    appendU32(h, imageBytes);
    appendU32(h, 2835); // 72 dots per inch
    appendU32(h, 2835);
    appendU32(h, paletteSize);
    appendU32(h, 0);
    return h;
}

QByteArray paletteBytes(const QVector<QRgb>& palette) {
    QByteArray out;
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    return out;
}

QByteArray dibPixels(const QImage& image, int bitsPerPixel) {
    const int stride = dibStride(image.width(), bitsPerPixel);
    QByteArray out(stride * image.height(), '\0');
    const QImage src = bitsPerPixel <= 8 ? image : image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        // Rows are stored bottom-up.
        char* row = out.data() + (src.height() - 1 - y) * stride;
        for (int x = 0; x < src.width(); ++x) {
            switch (bitsPerPixel) {
            case 1:
                if (src.pixelIndex(x, y) & 1)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
                break;
            case 4: {
                const int index = src.pixelIndex(x, y) & 0x0F;
                row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
                break;
            }
            case 8:
                row[x] = char(src.pixelIndex(x, y));
                break;
            case 24:
            case 32: {
                const QRgb c = src.pixel(x, y);
                const int bytes = bitsPerPixel / 8;
                row[x * bytes] = char(qBlue(c));
                row[x * bytes + 1] = char(qGreen(c));
                row[x * bytes + 2] = char(qRed(c));
                if (bytes == 4)
                    row[x * bytes + 3] = char(qAlpha(c));
                break;
            }
            default:
                break;
            }
        }
    }
    return out;
}

namespace {

QByteArray bmpFile(const QImage& image, int bitsPerPixel, const QVector<QRgb>& palette) {
    const QByteArray pixels = dibPixels(image, bitsPerPixel);
    const QByteArray colours = paletteBytes(palette);
    const std::uint32_t offset = 14 + 40 + std::uint32_t(colours.size());
    QByteArray out("BM");
    appendU32(out, offset + std::uint32_t(pixels.size()));
    appendU32(out, 0);
    appendU32(out, offset);
    out += infoHeader(image.width(), image.height(), bitsPerPixel, std::uint32_t(pixels.size()),
                      std::uint32_t(palette.size()));
    out += colours;
    out += pixels;
    return out;
}

} // namespace

QByteArray encodeBmp4(const QImage& indexed) {
    QVector<QRgb> palette = indexed.colorTable();
    palette.resize(16);
    return bmpFile(indexed, 4, palette);
}

QByteArray encodeBmp24(const QImage& image) {
    return bmpFile(image, 24, {});
}

} // namespace imagegen
