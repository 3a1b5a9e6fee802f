// A test picture in which every pixel has its own colour, so a pixel moved to a wrong place shows.
#pragma once

#include <QImage>

namespace tarsio {

// Pixel (x, y) gets the 24-bit colour (y·W + x)·2654435761 mod 2^24, opaque: distinct for every pixel
// of a picture of fewer than 2^24 pixels, and unlike its neighbours.
inline QImage patternPicture(int width, int height, QImage::Format format = QImage::Format_RGB32) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x)
      row[x] = 0xff000000u | ((static_cast<quint32>(y * width + x) * 2654435761u) & 0xffffffu);
  }
  return picture.convertToFormat(format);
}

}  // namespace tarsio
