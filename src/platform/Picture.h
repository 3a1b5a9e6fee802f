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
  // A source whose full image is not decoded yet: `reduced` stands for its copy reduced by 2^level, the
  // finest it can show.
  SourceImage(QImage reduced, int level);
  // Null for a source made from a reduced image alone.
  const QImage& full() const { return full_; }
  // The finest copy there is: 0 when the full image is there.
  int finest() const { return finest_; }
  bool hasAlpha() const { return (finest_ == 0 ? full_ : reduced_[finest_ - 1]).hasAlphaChannel(); }
  // The copy reduced by 2^level, made and kept; level 0 is the full image. Safe to ask from several
  // threads at once, as are the two below.
  const QImage& level(int level) const;
  // That copy when it has been made, else a null image.
  QImage madeLevel(int level) const;
  // The part of that copy over `rect` (full-image pixels) and a pixel around it, made for the caller
  // alone: the pixels the whole copy holds there. `origin` gets the part's top-left in the copy.
  QImage levelPart(int level, const QRect& rect, QPoint* origin) const;
  // The full-image pixels that part is made from: the blocks of 2^level pixels over `rect` and one
  // block around it, within the image.
  QRect blocksAround(int level, const QRect& rect) const;

 private:
  QImage full_;
  int finest_ = 0;
  mutable std::mutex mutex_;                // held while a copy is looked up or made
  mutable std::array<QImage, 32> reduced_;  // level k at k - 1; null until asked for
};

// Which reduced copies a picture drawn smaller than its source may scale from: any it needs, made and
// kept once for every later drawing, or only those already made, with just its own part of a missing
// one reduced for this drawing.
enum class Copies { MakeAndKeep, OnlyMade };

class Picture {
 public:
  Picture() = default;
  // Converts the image to a 32-bit format once; an image with transparency keeps it. Its copy reduced
  // by 2^madeLevel, when asked for, is made now on the calling thread (a worker's, for a large photo),
  // so that no paint that shows the picture at that size waits for it.
  static Picture fromImage(const QImage& image, int madeLevel = 0);
  // A picture of `fullSize` pixels that only has its copy reduced by 2^level, `reduced`, to show: it
  // has the full picture's size and regions, and is drawn from that copy whatever its size on the
  // screen, so it looks coarse seen closely.
  static Picture fromReduced(const QImage& reduced, int level, QSize fullSize);
  // Whether the picture has only a reduced copy to show.
  bool isReduced() const { return source_ && source_->finest() > 0; }

  bool isNull() const { return !source_; }
  // Whether the picture may hold pixels that are not opaque.
  bool hasAlpha() const { return source_ && source_->hasAlpha(); }
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
  // picture is drawn upright, then turned and mirrored exactly. The pixels are the same whichever the
  // copies, but for a picture of over a million pixels drawn at less than half its size without its copy.
  QImage render(QSize pixels, Copies copies = Copies::MakeAndKeep) const;
  // Starts the reading of the source pixels that render(pixels, copies) reads, without waiting for it.
  void prefetch(QSize pixels, Copies copies) const;
  // The picture drawn straight onto `painter` into `target` (the painter's coordinates), which covers
  // `pixels` device pixels, with no image of its own: only the pixels the painter is clipped to are
  // worked out, from the reduced copies already made only. Turned and mirrored as render() gives it.
  void draw(QPainter& painter, const QRectF& target, QSize pixels) const;
  // The picture as an image at its own size.
  QImage toImage() const { return render(size()); }

  bool operator==(const Picture& other) const = default;

 private:
  void paintUpright(QPainter& painter, QSize pixels, Copies copies) const;
  // The copy the picture is scaled from into `upright` pixels (before the turn): the smallest one still
  // at least that large, and none finer than the source has.
  int levelAt(QSize upright) const;
  // The image to scale this picture from at `level` with those copies, and the picture's place in it.
  struct Scaling {
    QImage image;
    QRectF rect;
  };
  Scaling scalingFrom(int level, Copies copies) const;

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
