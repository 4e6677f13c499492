#include "Preview.h"

#include "Pictures.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>

namespace imagegen {

namespace {

const QColor kSheetGround(110, 120, 130);

QList<QImage> icoEntries(const QString& path) {
    QList<QImage> images;
    QImageReader reader(path);
    QImage image;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i) && reader.read(&image); ++i)
        images << image;
    return images;
}

// The images side by side, each enlarged `scale` times, on a mid-grey ground.
QImage iconSheet(const QList<QImage>& images, int scale) {
    int width = 0;
    int height = 0;
    for (const QImage& one : images) {
        width += one.width() * scale + 8;
        height = std::max(height, one.height() * scale);
    }
    QImage sheet(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    sheet.fill(kSheetGround);
    QPainter p(&sheet);
    int x = 0;
    for (const QImage& one : images) {
        p.drawImage(QRect(x, 0, one.width() * scale, one.height() * scale), one);
        x += one.width() * scale + 8;
    }
    return sheet;
}

} // namespace

QImage contactSheet(const QImage& strip, int imageWidth, int perRow, int scale) {
    const int count = strip.width() / imageWidth;
    const int rows = (count + perRow - 1) / perRow;
    const int cellW = imageWidth * scale + 2;
    const int cellH = strip.height() * scale + 2;
    QImage sheet(cellW * std::min(count, perRow), cellH * rows, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 40));
    QPainter p(&sheet);
    for (int i = 0; i < count; ++i) {
        const QImage one =
            strip.copy(i * imageWidth, 0, imageWidth, strip.height()).convertToFormat(QImage::Format_RGB32);
        p.drawImage(QRect((i % perRow) * cellW + 1, (i / perRow) * cellH + 1, imageWidth * scale,
                          strip.height() * scale),
                    one);
    }
    return sheet;
}

bool writePreviews(const QString& outputDir, const QString& previewDir) {
    QDir().mkpath(previewDir);
    const QDir out(outputDir);
    const QDir preview(previewDir);
    bool ok = true;
    for (const Strip& strip : strips()) {
        const QImage image(out.filePath(QLatin1String(strip.file)));
        if (image.isNull()) {
            ok = false;
            continue;
        }
        const QString name =
            QString::fromLatin1(strip.file).replace(QLatin1String(".bmp"), QLatin1String(".png"));
        ok = contactSheet(image, 16, 10, 8).save(preview.filePath(name)) && ok;
        ok = contactSheet(image, 16, 20, 2).save(preview.filePath(QStringLiteral("x2-") + name)) && ok;
    }
    const QList<QImage> app = icoEntries(out.filePath(QStringLiteral("loomwrite.ico")));
    const QList<QImage> document = icoEntries(out.filePath(QStringLiteral("htmldocument.ico")));
    if (app.isEmpty() || document.isEmpty())
        return false;
    ok = iconSheet(app, 2).save(preview.filePath(QStringLiteral("loomwrite.ico.png"))) && ok;
    // The small sizes, where every pixel counts, enlarged further.
    QList<QImage> small;
    for (const QImage& image : app)
        if (image.width() <= 48)
            small << image;
    ok = iconSheet(small, 8).save(preview.filePath(QStringLiteral("appicon-small.png"))) && ok;
    ok = iconSheet(document, 8).save(preview.filePath(QStringLiteral("htmldocument.ico.png"))) && ok;
    return ok;
}

} // namespace imagegen
