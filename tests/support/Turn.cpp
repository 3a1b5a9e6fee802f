// The tests' quarter turn, copying the raw 32-bit pixels one by one.
#include "support/Turn.h"

namespace tarsio {

QImage TurnBitmap(const QImage& picture) {
  if (picture.isNull()) return {};
  const bool keepsFormat =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied;
  const QImage source = keepsFormat ? picture : picture.convertToFormat(QImage::Format_RGB32);
  QImage turned(source.height(), source.width(), source.format());
  turned.setDevicePixelRatio(source.devicePixelRatio());
  turned.setDotsPerMeterX(source.dotsPerMeterY());
  turned.setDotsPerMeterY(source.dotsPerMeterX());
  for (int y = 0; y < turned.height(); ++y) {
    auto* out = reinterpret_cast<quint32*>(turned.scanLine(y));
    for (int x = 0; x < turned.width(); ++x)
      out[x] = reinterpret_cast<const quint32*>(source.constScanLine(source.height() - 1 - x))[y];
  }
  return turned;
}

}  // namespace tarsio
