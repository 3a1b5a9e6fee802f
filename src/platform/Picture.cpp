// Pictures: regions of shared images, reduced copies for small boxes, turned and mirrored rendering.
#include "platform/Picture.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <QPainter>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/ShareOut.h"

namespace tarsio {

namespace {

// Reduced copies of pictures of at least this many pixels are made band by band on two threads, so many
// rows at a time; smaller ones are halved whole on one.
constexpr qint64 MinPixelsToShare = 1 << 20;
constexpr int RowsAChunk = 32;

// Parts of pictures up to this many pixels are reduced on their own when their copy is not kept.
constexpr qint64 MaxPixelsReducedAlone = 1 << 20;

bool reducedAlone(const QRect& part) { return qint64(part.width()) * part.height() <= MaxPixelsReducedAlone; }

// Pictures rendered at most this many pixels wide and high are drawn on a kept scratch image.
constexpr int ScratchSide = 256;

struct Scratch {
  QImage image;
  std::unique_ptr<QPainter> painter;  // open on `image` for as long as the thread lives
};

// Output pixels [0, count) of a halved row from two source rows, four at a time, where every 2 x 2
// block lies inside the rows; gives how many it made (the rest is left to the caller). The rounded mean
// of a block, (a + b + c + d + 2) / 4 per byte, is the rounded mean of the two rounded vertical means,
// less one exactly when a vertical pair has an odd sum and the two vertical means differ in parity.
int halveRowFourAtATime(const quint32* r0, const quint32* r1, quint32* dst, int count) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i one = _mm_set1_epi8(1);
  const auto load = [](const quint32* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
  // The four even pixels, then the four odd ones, of two vectors of four.
  const auto evens = [](__m128i a, __m128i b) {
    return _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(a), _mm_castsi128_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
  };
  const auto odds = [](__m128i a, __m128i b) {
    return _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(a), _mm_castsi128_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
  };
  for (; x + 4 <= count; x += 4) {
    const __m128i top0 = load(r0 + 2 * x), top1 = load(r0 + 2 * x + 4);
    const __m128i bottom0 = load(r1 + 2 * x), bottom1 = load(r1 + 2 * x + 4);
    const __m128i mean0 = _mm_avg_epu8(top0, bottom0), mean1 = _mm_avg_epu8(top1, bottom1);
    const __m128i odd0 = _mm_xor_si128(top0, bottom0), odd1 = _mm_xor_si128(top1, bottom1);
    const __m128i left = evens(mean0, mean1), right = odds(mean0, mean1);
    const __m128i oddSum = _mm_or_si128(evens(odd0, odd1), odds(odd0, odd1));
    const __m128i excess = _mm_and_si128(_mm_and_si128(oddSum, _mm_xor_si128(left, right)), one);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_sub_epi8(_mm_avg_epu8(left, right), excess));
  }
#endif
  return x;
}

// The image at half its size (rounded up), each pixel the rounded mean of a 2 x 2 block (the last
// column and row repeated when the size is odd); works on raw rows.
QImage halve(const QImage& image) {
  const int w = image.width(), h = image.height();
  const int hw = (w + 1) / 2, hh = (h + 1) / 2;
  QImage out(QSize(hw, hh), image.format());
  if (out.isNull()) return out;
  for (int y = 0; y < hh; ++y) {
    const auto* r0 = reinterpret_cast<const quint32*>(image.constScanLine(2 * y));
    const auto* r1 = reinterpret_cast<const quint32*>(image.constScanLine(std::min(2 * y + 1, h - 1)));
    auto* dst = reinterpret_cast<quint32*>(out.scanLine(y));
    for (int x = halveRowFourAtATime(r0, r1, dst, w / 2); x < hw; ++x) {
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

// The image reduced by 2^steps, each pixel as `steps` successive halvings give it, made band by band:
// a band of 2^steps rows halved `steps` times on its own gives one row of the result, the same as the
// halvings of the whole image would (a halving looks only at 2 x 2 blocks, and every band starts at a
// multiple of 2^steps), without ever holding the larger images in between. Making the copy of a large
// photo is bound by how fast memory is read, and two cores read it faster than one: the rows of a large
// one are shared out with one of Qt's pool threads.
QImage reduce(const QImage& image, int steps) {
  // A small image (a piece's part) is halved whole, step after step: fewer images to make.
  if (steps == 1 || qint64(image.width()) * image.height() < MinPixelsToShare) {
    QImage out = halve(image);
    for (int step = 1; step < steps && !out.isNull(); ++step) out = halve(out);
    return out;
  }
  QSize size = image.size();
  for (int step = 0; step < steps; ++step) size = QSize((size.width() + 1) / 2, (size.height() + 1) / 2);
  QImage out(size, image.format());
  if (out.isNull()) return out;
  // Taken once, before the rows are written from two threads.
  uchar* const bits = out.bits();
  const qsizetype bytesPerLine = out.bytesPerLine();
  const int band = 1 << steps;
  std::atomic<bool> failed = false;
  const auto makeRows = [&](int first, int last) {
    for (int row = first; row < last; ++row) {
      const int top = row * band;
      QImage rows(image.constScanLine(top), image.width(), std::min(band, image.height() - top),
                  image.bytesPerLine(), image.format());
      for (int step = 0; step < steps && !rows.isNull(); ++step) rows = halve(rows);
      if (rows.isNull()) {
        failed = true;
        return;
      }
      std::memcpy(bits + row * bytesPerLine, rows.constScanLine(0), std::size_t(size.width()) * 4);
    }
  };
  shareOut(size.height(), RowsAChunk, makeRows);
  return failed ? QImage() : out;
}

}  // namespace

SourceImage::SourceImage(QImage image) : full_(std::move(image)) {}

SourceImage::SourceImage(QImage reduced, int level) : finest_(level) {
  Q_ASSERT(level > 0);
  reduced_[level - 1] = std::move(reduced);
}

// A level is made from the nearest larger one that exists, skipping the levels in between: a photo
// shown small needs none of its large reduced copies.
const QImage& SourceImage::level(int level) const {
  level = std::max(level, finest_);
  if (level <= 0) return full_;
  const std::lock_guard made(mutex_);
  QImage& wanted = reduced_[level - 1];
  if (wanted.isNull()) {
    int from = level - 1;
    while (from > finest_ && reduced_[from - 1].isNull()) --from;
    wanted = reduce(from == 0 ? full_ : reduced_[from - 1], level - from);
  }
  return wanted;
}

QImage SourceImage::madeLevel(int level) const {
  level = std::max(level, finest_);
  if (level <= 0) return full_;
  const std::lock_guard made(mutex_);
  return reduced_[level - 1];
}

// A reduction looks only at blocks of 2^level pixels aligned on the full image, so the blocks around
// `rect` reduced on their own give what the whole copy holds there; the image's last, partial blocks are
// reduced the same way in both.
QImage SourceImage::levelPart(int level, const QRect& rect, QPoint* origin) const {
  const QRect around = blocksAround(level, rect);
  const QImage blocks(full_.constScanLine(around.top()) + std::size_t(around.left()) * 4, around.width(),
                      around.height(), full_.bytesPerLine(), full_.format());
  *origin = around.topLeft() / (1 << level);
  return reduce(blocks, level);
}

QRect SourceImage::blocksAround(int level, const QRect& rect) const {
  const int block = 1 << level;
  const int left = std::max(0, (rect.left() / block - 1) * block);
  const int top = std::max(0, (rect.top() / block - 1) * block);
  const int right = std::min(full_.width(), ((rect.right() + block) / block + 1) * block);
  const int bottom = std::min(full_.height(), ((rect.bottom() + block) / block + 1) * block);
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

namespace {
QImage::Format formatFor(const QImage& image) {
  return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}
}  // namespace

Picture Picture::fromImage(const QImage& image, int madeLevel) {
  Picture picture;
  if (image.isNull()) return picture;
  picture.source_ = std::make_shared<const SourceImage>(image.convertToFormat(formatFor(image)));
  if (madeLevel > 0) picture.source_->level(madeLevel);
  picture.rect_ = image.rect();
  return picture;
}

Picture Picture::fromReduced(const QImage& reduced, int level, QSize fullSize) {
  Picture picture;
  if (reduced.isNull()) return picture;
  picture.source_ =
      std::make_shared<const SourceImage>(reduced.convertToFormat(formatFor(reduced)), level);
  picture.rect_ = QRect(QPoint(0, 0), fullSize);
  return picture;
}

Picture Picture::region(const QRect& rect) const {
  Picture part = *this;
  const QSize shown = size();
  // The rectangle before the mirrors, then before the turn: turned pixel (x, y) shows (y, h − 1 − x).
  QRect r(mirrorX_ ? shown.width() - rect.x() - rect.width() : rect.x(),
          mirrorY_ ? shown.height() - rect.y() - rect.height() : rect.y(), rect.width(), rect.height());
  if (turned_) r = QRect(r.y(), rect_.height() - r.x() - r.width(), r.height(), r.width());
  part.rect_ = r.translated(rect_.topLeft()) & rect_;
  return part;
}

Picture Picture::mirrored(bool leftRight, bool topBottom) const {
  Picture m = *this;
  m.mirrorX_ = mirrorX_ != leftRight;
  m.mirrorY_ = mirrorY_ != topBottom;
  return m;
}

Picture Picture::turnedQuarter() const {
  Q_ASSERT(!turned_ && !mirrorX_ && !mirrorY_);
  Picture turned = *this;
  turned.turned_ = true;
  return turned;
}

namespace {

// The reduced copy to scale from: the smallest one still at least `pixels` large.
int levelFor(const QRect& rect, QSize pixels) {
  int level = 0;
  while (rect.width() >> (level + 1) >= pixels.width() && rect.height() >> (level + 1) >= pixels.height())
    ++level;
  return level;
}

QRectF scaledRect(const QRect& rect, int level) {
  const double factor = 1.0 / (1 << level);
  return QRectF(rect.x() * factor, rect.y() * factor, rect.width() * factor, rect.height() * factor);
}

}  // namespace

int Picture::levelAt(QSize upright) const { return std::max(levelFor(rect_, upright), source_->finest()); }

// The mirrors apply after the turn, about the middle of the target, as in render().
void Picture::draw(QPainter& painter, const QRectF& target, QSize pixels) const {
  if (isNull() || pixels.isEmpty()) return;
  const int level = levelAt(turned_ ? pixels.transposed() : pixels);
  const QSizeF box = turned_ ? target.size().transposed() : target.size();
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.translate(target.center());
  painter.scale(mirrorX_ ? -1 : 1, mirrorY_ ? -1 : 1);
  if (turned_) painter.rotate(90);
  const Scaling from = scalingFrom(level, Copies::OnlyMade);
  painter.drawImage(QRectF(QPointF(-box.width() / 2, -box.height() / 2), box), from.image, from.rect);
  painter.restore();
}

QImage Picture::render(QSize pixels, Copies copies) const {
  if (isNull() || pixels.isEmpty()) return {};
  if (turned_) {
    Picture upright = *this;
    upright.turned_ = upright.mirrorX_ = upright.mirrorY_ = false;
    return upright.render(pixels.transposed(), copies)
        .transformed(QTransform().rotate(90))
        .mirrored(mirrorX_, mirrorY_);
  }
  const QImage::Format format = hasAlpha() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  if (pixels.width() > ScratchSide || pixels.height() > ScratchSide) {
    QImage out(pixels, format);
    QPainter painter(&out);
    paintUpright(painter, pixels, copies);
    return out;
  }
  // A painter set up for each of thousands of small pieces costs more than drawing them: they are drawn
  // one after the other at the corner of an image kept with its painter, and copied out.
  thread_local Scratch scratch[2];
  Scratch& s = scratch[format == QImage::Format_RGB32 ? 0 : 1];
  if (!s.painter) {
    s.image = QImage(ScratchSide, ScratchSide, format);
    s.painter = std::make_unique<QPainter>(&s.image);
  }
  paintUpright(*s.painter, pixels, copies);
  return s.image.copy(QRect(QPoint(0, 0), pixels));
}

// Draws the upright picture, mirrored, over the top-left `pixels` of the painter's image, which it clears
// first when the picture may leave pixels uncovered.
void Picture::paintUpright(QPainter& painter, QSize pixels, Copies copies) const {
  const QRect area(QPoint(0, 0), pixels);
  if (hasAlpha()) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  const int level = levelAt(pixels);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, pixels != rect_.size());
  painter.setTransform(QTransform(mirrorX_ ? -1 : 1, 0, 0, mirrorY_ ? -1 : 1, mirrorX_ ? pixels.width() : 0,
                                  mirrorY_ ? pixels.height() : 0));
  const Scaling from = scalingFrom(level, copies);
  painter.drawImage(QRectF(area), from.image, from.rect);
}

// A small part of a large photo is read from rows far apart, each a wait for memory of its own: asked
// for while the picture before is made, they come meanwhile, several at a time.
void Picture::prefetch(QSize pixels, Copies copies) const {
  if (isNull() || pixels.isEmpty()) return;
  const int level = levelAt(turned_ ? pixels.transposed() : pixels);
  const QImage made = source_->madeLevel(level);
  // A whole copy still to be made reads the whole photo anyway; a large part is read row after row.
  if (made.isNull() && (copies == Copies::MakeAndKeep || !reducedAlone(rect_))) return;
  const QImage& from = made.isNull() ? source_->full() : made;
  const QRect area =
      (made.isNull() ? source_->blocksAround(level, rect_) : scaledRect(rect_, level).toAlignedRect()) & from.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const char* row = reinterpret_cast<const char*>(from.constScanLine(y)) + std::size_t(area.left()) * 4;
    for (int at = 0; at < area.width() * 4; at += 64) __builtin_prefetch(row + at);
    __builtin_prefetch(row + area.width() * 4 - 1);
  }
}

// Without the copy, a small part is reduced on its own; a large one (the picture seen closely) is
// scaled from the full image instead, as reducing it would hold a copy as large as the one not kept.
Picture::Scaling Picture::scalingFrom(int level, Copies copies) const {
  if (copies == Copies::MakeAndKeep || isReduced()) return {source_->level(level), scaledRect(rect_, level)};
  if (QImage made = source_->madeLevel(level); !made.isNull()) return {made, scaledRect(rect_, level)};
  if (!reducedAlone(rect_)) return {source_->full(), rect_};
  QPoint origin;
  QImage part = source_->levelPart(level, rect_, &origin);
  return {part, scaledRect(rect_, level).translated(-origin)};
}

void releaseAside(Picture picture) {
  std::shared_ptr<const SourceImage> source = picture.source();
  picture = Picture();
  // Only this thread ever holds pictures, so a count of one cannot grow behind our back.
  if (source.use_count() != 1) return;
  QThreadPool::globalInstance()->start([source = std::move(source)]() mutable { source.reset(); });
}

}  // namespace tarsio
