// Pictures: regions of shared images, reduced copies for small boxes, mirrored rendering.
#include "platform/Picture.h"

#include <QPainter>

namespace tarsio {

namespace {

// The image at half its size (rounded up), each pixel the mean of a 2 x 2 block; works on raw rows.
QImage halve(const QImage& image) {
  const int w = image.width(), h = image.height();
  const int hw = (w + 1) / 2, hh = (h + 1) / 2;
  QImage out(hw, hh, image.format());
  for (int y = 0; y < hh; ++y) {
    const auto* r0 = reinterpret_cast<const quint32*>(image.constScanLine(2 * y));
    const auto* r1 = reinterpret_cast<const quint32*>(image.constScanLine(std::min(2 * y + 1, h - 1)));
    auto* dst = reinterpret_cast<quint32*>(out.scanLine(y));
    for (int x = 0; x < hw; ++x) {
      const int x0 = 2 * x, x1 = std::min(2 * x + 1, w - 1);
      const quint32 a = r0[x0], b = r0[x1], c = r1[x0], d = r1[x1];
      // Sum the even and odd bytes separately, eight bits of headroom each.
      const quint64 lo = (a & 0x00ff00ffu) + quint64(b & 0x00ff00ffu) + (c & 0x00ff00ffu) + (d & 0x00ff00ffu);
      const quint64 hi = ((a >> 8) & 0x00ff00ffu) + quint64((b >> 8) & 0x00ff00ffu) +
                         ((c >> 8) & 0x00ff00ffu) + ((d >> 8) & 0x00ff00ffu);
      dst[x] = quint32(((lo + 0x00020002u) >> 2) & 0x00ff00ffu) |
               (quint32(((hi + 0x00020002u) >> 2) & 0x00ff00ffu) << 8);
    }
  }
  return out;
}

}  // namespace

SourceImage::SourceImage(QImage image) : full_(std::move(image)) {}

const QImage& SourceImage::level(int level) const {
  if (level <= 0) return full_;
  while (static_cast<int>(reduced_.size()) < level) {
    const QImage& previous = reduced_.empty() ? full_ : reduced_.back();
    reduced_.push_back(halve(previous));
  }
  return reduced_[level - 1];
}

Picture Picture::fromImage(const QImage& image) {
  Picture picture;
  if (image.isNull()) return picture;
  const QImage::Format format =
      image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  picture.source_ = std::make_shared<const SourceImage>(image.convertToFormat(format));
  picture.rect_ = image.rect();
  return picture;
}

Picture Picture::region(const QRect& rect) const {
  Picture part = *this;
  const int x = mirrorX_ ? rect_.width() - rect.x() - rect.width() : rect.x();
  const int y = mirrorY_ ? rect_.height() - rect.y() - rect.height() : rect.y();
  part.rect_ = QRect(rect_.x() + x, rect_.y() + y, rect.width(), rect.height()) & rect_;
  return part;
}

Picture Picture::mirrored(bool leftRight, bool topBottom) const {
  Picture m = *this;
  m.mirrorX_ = mirrorX_ != leftRight;
  m.mirrorY_ = mirrorY_ != topBottom;
  return m;
}

QImage Picture::render(QSize pixels) const {
  if (isNull() || pixels.isEmpty()) return {};
  const QImage& full = source_->full();
  QImage out(pixels, full.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  out.fill(Qt::transparent);
  int level = 0;
  while (rect_.width() >> (level + 1) >= pixels.width() && rect_.height() >> (level + 1) >= pixels.height())
    ++level;
  const double factor = 1.0 / (1 << level);
  const QRectF from(rect_.x() * factor, rect_.y() * factor, rect_.width() * factor, rect_.height() * factor);
  QPainter painter(&out);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, pixels != rect_.size());
  painter.translate(mirrorX_ ? pixels.width() : 0, mirrorY_ ? pixels.height() : 0);
  painter.scale(mirrorX_ ? -1 : 1, mirrorY_ ? -1 : 1);
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(pixels)), source_->level(level), from);
  return out;
}

}  // namespace tarsio
