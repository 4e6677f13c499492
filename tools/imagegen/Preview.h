#pragma once
// Enlarged contact sheets of the generated pictures, for checking them by eye.

#include <QImage>
#include <QString>

namespace imagegen {

// The strip's images in rows of `perRow`, each enlarged `scale` times without
// smoothing and separated by thin dark lines.
QImage contactSheet(const QImage& strip, int imageWidth, int perRow, int scale);

// Writes a sheet of every strip and icon into `dir`.
bool writePreviews(const QString& outputDir, const QString& previewDir);

} // namespace imagegen
