// Test pictures.
#include "support/Pictures.h"

#include <QDir>
#include <QFile>
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

namespace {

// Qt cannot write GIF files, so the tests make their own: a 128-colour palette and LZW codes that
// never grow past 8 bits (a clear code every 126 pixels), which every decoder reads.
QByteArray gifBytes(const QImage& image) {
  QList<QRgb> palette;
  std::vector<int> indices;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = image.pixel(x, y) | 0xff000000u;
      qsizetype at = palette.indexOf(colour);
      if (at < 0) {
        at = palette.size();
        palette.append(colour);
      }
      indices.push_back(static_cast<int>(at));
    }
  EXPECT_LE(palette.size(), 128) << "too many colours for the test GIF writer";
  palette.resize(128);
  QByteArray out("GIF89a");
  const auto word = [&](int v) { out.append(char(v & 0xff)).append(char(v >> 8)); };
  word(image.width());
  word(image.height());
  out.append(char(0xF6)).append('\0').append('\0');  // global table of 128 colours
  for (QRgb c : palette) out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
  out.append(',');
  word(0);
  word(0);
  word(image.width());
  word(image.height());
  out.append('\0').append(char(7));
  QByteArray data;
  quint32 bits = 0;
  int count = 0;
  const auto code = [&](int c) {
    bits |= quint32(c) << count;
    for (count += 8; count >= 8; count -= 8, bits >>= 8) data.append(char(bits & 0xff));
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 126 == 0) code(128);
    code(indices[i]);
  }
  code(129);
  for (qsizetype at = 0; at < data.size(); at += 255) {
    const QByteArray block = data.mid(at, 255);
    out.append(char(block.size())).append(block);
  }
  out.append('\0').append(';');
  return out;
}

}  // namespace

QString writePicture(const QString& folder, const QString& name, const QImage& image) {
  const QString path = QDir(folder).filePath(name);
  if (name.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gifBytes(image));
  } else {
    EXPECT_TRUE(image.save(path)) << path.toStdString();
  }
  return path;
}

}  // namespace tarsio
