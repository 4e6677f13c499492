#include "framework/ui/ToolBarImages.h"

#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QtEndian>
#include <cstdlib>
#include <optional>

namespace lw {

namespace {

constexpr QRgb kTransparentKey = 0x00C0C0C0;
constexpr int kFileHeaderBytes = 14;

struct BmpDimensions {
    qint64 width = 0;
    qint64 height = 0;
};

// Compression codes whose pixel rows are stored unpacked.
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;

// Reads the dimensions from a BMP's headers without decoding it, so a damaged or
// hostile file is refused before any pixel memory is allocated. Uncompressed rows
// must all be present: the decoder would silently fill a truncated file.
std::optional<BmpDimensions> bmpDimensions(const QByteArray& bytes) {
    if (bytes.size() < kFileHeaderBytes + 12 || !bytes.startsWith("BM"))
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(data + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(data + kFileHeaderBytes);
    if (pixelOffset >= quint32(bytes.size()))
        return std::nullopt;
    BmpDimensions d;
    qint64 bitsPerPixel = 0;
    quint32 compression = kBiRgb;
    if (infoSize == 12) {
        d.width = qFromLittleEndian<quint16>(data + kFileHeaderBytes + 4);
        d.height = qFromLittleEndian<quint16>(data + kFileHeaderBytes + 6);
        bitsPerPixel = qFromLittleEndian<quint16>(data + kFileHeaderBytes + 10);
    } else if (infoSize >= 40 && bytes.size() >= kFileHeaderBytes + 40) {
        d.width = qFromLittleEndian<qint32>(data + kFileHeaderBytes + 4);
        // A negative height marks rows stored top-down.
        d.height = std::llabs(qint64(qFromLittleEndian<qint32>(data + kFileHeaderBytes + 8)));
        bitsPerPixel = qFromLittleEndian<quint16>(data + kFileHeaderBytes + 14);
        compression = qFromLittleEndian<quint32>(data + kFileHeaderBytes + 16);
    } else {
        return std::nullopt;
    }
    if (d.width <= 0 || d.height <= 0 || bitsPerPixel <= 0 || bitsPerPixel > 32)
        return std::nullopt;
    if (compression == kBiRgb || compression == kBiBitfields) {
        const qint64 stride = (d.width * bitsPerPixel + 31) / 32 * 4;
        if (pixelOffset + stride * d.height > bytes.size())
            return std::nullopt;
    }
    return d;
}

} // namespace

bool CMFCToolBarImages::load(UINT bitmapId, QSize imageSize) {
    const QString path = CResourceTables::instance().bitmapPath(bitmapId);
    if (path.isEmpty()) {
        clear();
        return fail(QStringLiteral("no bitmap resource %1").arg(bitmapId));
    }
    return loadFile(path, imageSize);
}

bool CMFCToolBarImages::loadFile(const QString& path, QSize imageSize) {
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(path));
    return loadBytes(file.readAll(), imageSize);
}

bool CMFCToolBarImages::loadUserImages(const QString& path, QSize imageSize, qint64 maxBytes) {
    clear();
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(QStringLiteral("no file %1").arg(path));
    if (info.size() > maxBytes)
        return fail(QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(path));
    // The file may have grown since it was measured: never read past the limit.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return fail(QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes));
    return loadBytes(bytes, imageSize);
}

bool CMFCToolBarImages::loadBytes(const QByteArray& bytes, QSize imageSize) {
    if (imageSize.width() <= 0 || imageSize.height() <= 0)
        return fail(QStringLiteral("invalid image size"));
    const std::optional<BmpDimensions> dims = bmpDimensions(bytes);
    if (!dims)
        return fail(QStringLiteral("not a BMP file"));
    if (dims->height != imageSize.height())
        return fail(QStringLiteral("bitmap is %1 pixels high, images are %2")
                        .arg(dims->height)
                        .arg(imageSize.height()));
    if (dims->width % imageSize.width() != 0 || dims->width / imageSize.width() > kMaxImages)
        return fail(QStringLiteral("bitmap width %1 is not a whole number of %2-pixel images")
                        .arg(dims->width)
                        .arg(imageSize.width()));
    QImage strip = QImage::fromData(bytes, "BMP");
    if (strip.isNull() || strip.width() != dims->width || strip.height() != dims->height)
        return fail(QStringLiteral("damaged BMP file"));
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == kTransparentKey)
                line[x] = 0;
    }
    const int n = strip.width() / imageSize.width();
    m_images.reserve(n);
    for (int i = 0; i < n; ++i)
        m_images.push_back(strip.copy(i * imageSize.width(), 0, imageSize.width(), imageSize.height()));
    m_imageSize = imageSize;
    m_error.clear();
    return true;
}

bool CMFCToolBarImages::fail(const QString& why) {
    m_error = why;
    return false;
}

QImage CMFCToolBarImages::image(int index) const {
    if (index < 0 || index >= count())
        return {};
    return m_images[std::size_t(index)];
}

QIcon CMFCToolBarImages::icon(int index) const {
    const QImage picture = image(index);
    if (picture.isNull())
        return {};
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(picture));
    return icon;
}

void CMFCToolBarImages::clear() {
    m_images.clear();
    m_imageSize = QSize();
    m_error.clear();
}

} // namespace lw
