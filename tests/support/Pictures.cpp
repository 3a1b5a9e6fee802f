// Test pictures.
#include "support/Pictures.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

namespace tarsio {

QColor blockColour(int block, int blocks) { return QColor::fromHsv(block * 359 / blocks, 255, 230); }

QImage blocksPicture(int width, int height, int rows, int columns) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const int x0 = c * width / columns, x1 = (c + 1) * width / columns;
      const int y0 = r * height / rows, y1 = (r + 1) * height / rows;
      painter.fillRect(x0, y0, x1 - x0, y1 - y0, blockColour(r * columns + c, rows * columns));
    }
  return image;
}

QString writePicture(const QString& folder, const QString& name, const QImage& image) {
  const QString path = QDir(folder).filePath(name);
  EXPECT_TRUE(image.save(path)) << path.toStdString();
  return path;
}

}  // namespace tarsio
