// Draws Loomwrite's toolbar strips, menu images and icons and writes them in the
// formats the program embeds: lw_imagegen OUTPUT_DIR [--preview DIR]

#include "AppIcon.h"
#include "BmpWriter.h"
#include "IcoWriter.h"
#include "Palette.h"
#include "Preview.h"
#include "Render.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

using namespace imagegen;

namespace {

bool writeFile(const QDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

QByteArray encodePng(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

bool writeStrips(const QDir& dir, QStringList& warnings) {
    bool ok = true;
    for (const Strip& strip : strips()) {
        const QImage image = renderStrip(strip, warnings);
        ok = writeFile(dir, QLatin1String(strip.file),
                       strip.bitsPerPixel == 4 ? encodeBmp4(image) : encodeBmp24(image)) &&
             ok;
    }
    return ok;
}

bool writeIcons(const QDir& dir) {
    QVector<IconEntry> app;
    for (int size : {16, 24, 32, 48, 64, 72, 96, 128})
        app << argbEntry(renderAppIcon(size));
    app << pngEntry(renderAppIcon(256));
    bool ok = writeFile(dir, QStringLiteral("loomwrite.ico"), encodeIco(app));

    QVector<IconEntry> document;
    for (int bits : {4, 8})
        for (int size : {32, 16})
            document << indexedEntry(renderDocumentIcon(size, bits == 4), bits,
                                     bits == 4 ? vgaPalette() : palette256());
    ok = writeFile(dir, QStringLiteral("htmldocument.ico"), encodeIco(document)) && ok;

    // The desktop's icon theme takes plain PNGs in every size the icons hold, and the scalable original.
    for (int size : {16, 24, 32, 48, 64, 72, 96, 128, 256})
        ok = writeFile(dir, QStringLiteral("loomwrite-%1.png").arg(size), encodePng(renderAppIcon(size))) &&
             ok;
    for (int size : {16, 32})
        ok = writeFile(dir, QStringLiteral("htmldocument-%1.png").arg(size),
                       encodePng(renderDocumentIcon(size, false))) &&
             ok;
    return writeFile(dir, QStringLiteral("loomwrite.svg"), appIconSvg().toUtf8()) && ok;
}

} // namespace

int main(int argc, char** argv) {
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString preview;
    const qsizetype previewAt = args.indexOf(QStringLiteral("--preview"));
    if (previewAt >= 0 && previewAt + 1 < args.size()) {
        preview = args.at(previewAt + 1);
        args.remove(previewAt, 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: lw_imagegen OUTPUT_DIR [--preview DIR]\n");
        return 2;
    }
    const QDir dir(args.first());
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    QStringList warnings;
    bool ok = writeStrips(dir, warnings);
    ok = writeIcons(dir) && ok;
    if (!preview.isEmpty())
        ok = writePreviews(dir.path(), preview) && ok;
    for (const QString& w : warnings)
        std::fprintf(stderr, "warning: %s\n", qPrintable(w));
    return ok && warnings.isEmpty() ? 0 : 1;
}
