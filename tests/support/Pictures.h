// Pictures made by the tests: distinct colour blocks, files of every supported kind.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace tarsio {

// A picture of rows x columns blocks, each of its own saturated colour (blockColour).
QImage blocksPicture(int width, int height, int rows, int columns);
QColor blockColour(int block, int blocks);
// Writes the image into the folder under the name; the format follows the extension.
QString writePicture(const QString& folder, const QString& name, const QImage& image);

}  // namespace tarsio
