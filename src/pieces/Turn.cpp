// The quarter turn clockwise of a whole picture, copied tile by tile on raw 32-bit pixel rows.
#include "pieces/Turn.h"

#include <algorithm>

namespace tarsio {

namespace {

// Side of the square tiles, in pixels. One tile of the source and one of the result (16 KiB each) stay
// in the first-level cache together, so the source rows read across a tile are fetched from memory once.
constexpr int TileSide = 64;

struct PixelRows {
  const quint32* source;
  qsizetype sourceStride;  // in pixels
  int sourceHeight;
  quint32* target;
  qsizetype targetStride;  // in pixels
};

// Fills target rows [top, bottom) and columns [left, right). Target row y is source column y read from
// the bottom up, so target pixel (x, y) comes from source row H − 1 − x.
void turnTile(const PixelRows& rows, int left, int right, int top, int bottom) {
  for (int y = top; y < bottom; ++y) {
    quint32* out = rows.target + y * rows.targetStride;
    const quint32* in = rows.source + (rows.sourceHeight - 1 - left) * rows.sourceStride + y;
    for (int x = left; x < right; ++x, in -= rows.sourceStride) out[x] = *in;
  }
}

}  // namespace

QImage TurnBitmap(const QImage& picture) {
  if (picture.isNull()) return {};
  const bool keepsFormat =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied;
  const QImage source = keepsFormat ? picture : picture.convertToFormat(QImage::Format_RGB32);
  const int width = source.width();
  const int height = source.height();

  QImage turned(height, width, source.format());
  if (source.isNull() || turned.isNull()) return {};  // no memory for the conversion or the result
  turned.setDevicePixelRatio(source.devicePixelRatio());
  turned.setDotsPerMeterX(source.dotsPerMeterY());
  turned.setDotsPerMeterY(source.dotsPerMeterX());

  const PixelRows rows{reinterpret_cast<const quint32*>(source.constScanLine(0)),
                       source.bytesPerLine() / qsizetype(sizeof(quint32)), height,
                       reinterpret_cast<quint32*>(turned.scanLine(0)),
                       turned.bytesPerLine() / qsizetype(sizeof(quint32))};
  for (int top = 0; top < width; top += TileSide) {
    const int bottom = std::min(top + TileSide, width);
    for (int left = 0; left < height; left += TileSide)
      turnTile(rows, left, std::min(left + TileSide, height), top, bottom);
  }
  return turned;
}

}  // namespace tarsio
