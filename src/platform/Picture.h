// A picture as the board shows it: a region of a shared decoded image, possibly turned and mirrored.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <memory>
#include <mutex>

class QPainter;

namespace tarsio {

// One decoded image, held once however many pictures show parts of it, with smaller copies (each half
// the size of the one before) made on demand so that a small box never scales down a huge photo; only
// the copies asked for are kept.
class SourceImage {
 public:
  explicit SourceImage(QImage image);
  const QImage& full() const { return full_; }
  // The copy reduced by 2^level; level 0 is the full image. Safe to ask from several threads at once.
  const QImage& level(int level) const;

 private:
  QImage full_;
  mutable std::mutex mutex_;                // held while a copy is looked up or made
  mutable std::array<QImage, 32> reduced_;  // level k at k - 1; null until asked for
};

class Picture {
 public:
  Picture() = default;
  // Converts the image to a 32-bit format once; an image with transparency keeps it.
  static Picture fromImage(const QImage& image);

  bool isNull() const { return !source_; }
  // Whether the picture may hold pixels that are not opaque.
  bool hasAlpha() const { return source_ && source_->full().hasAlphaChannel(); }
  // Size in pixels of the region shown (turned, when the picture is turned).
  QSize size() const { return turned_ ? rect_.size().transposed() : rect_.size(); }
  bool mirroredLeftRight() const { return mirrorX_; }
  bool mirroredTopBottom() const { return mirrorY_; }
  const std::shared_ptr<const SourceImage>& source() const { return source_; }

  // The part of this picture inside `rect`, in this picture's own pixel coordinates.
  Picture region(const QRect& rect) const;
  // This picture mirrored left to right and/or top to bottom.
  Picture mirrored(bool leftRight, bool topBottom) const;
  // This picture, neither turned nor mirrored, turned a quarter turn clockwise without copying a pixel:
  // pixel (x, y) of a W × H picture's turned H × W picture shows its pixel (y, H − 1 − x).
  Picture turnedQuarter() const;
  // The picture drawn into an image of `pixels` size: an exact copy at its own size, smoothly scaled
  // otherwise (from the smallest reduced copy that is still at least as large as the target). A turned
  // picture is drawn upright, then turned and mirrored exactly.
  QImage render(QSize pixels) const;
  // The picture drawn straight onto `painter` into `target` (the painter's coordinates), which covers
  // `pixels` device pixels, with no image of its own: only the pixels the painter is clipped to are
  // worked out. Turned and mirrored as render() gives it.
  void draw(QPainter& painter, const QRectF& target, QSize pixels) const;
  // The picture as an image at its own size.
  QImage toImage() const { return render(size()); }

  bool operator==(const Picture& other) const = default;

 private:
  void paintUpright(QPainter& painter, QSize pixels) const;

  std::shared_ptr<const SourceImage> source_;
  QRect rect_;  // in the shared image, before the turn
  bool turned_ = false;
  bool mirrorX_ = false;
  bool mirrorY_ = false;
};

// Lets go of `picture`. When it was the last holder of its image, the image is given back to the system
// on one of Qt's pool threads: returning the hundreds of megabytes of a large photo takes the system
// milliseconds that the player, who has just chosen the next picture, would otherwise wait for.
void releaseAside(Picture picture);

}  // namespace tarsio
