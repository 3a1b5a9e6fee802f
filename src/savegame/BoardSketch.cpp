// The small picture of a board: drawing it from plain values, writing it on a thread of its own, drawing
// it again from a kept game's file.
#include "savegame/BoardSketch.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <mutex>

#include "picture/PictureFile.h"
#include "pieces/Cells.h"
#include "platform/Picture.h"
#include "platform/Twips.h"
#include "savegame/DurableFile.h"
#include "savegame/KeptGame.h"

namespace tarsio {

namespace {

const QColor BoardColour(212, 208, 200);
const QColor GridColour(160, 160, 160);
const QColor BackColour(120, 96, 72);

bool turnedBox(int orientation) { return orientation % 2 == 1; }

// The picture the sketch is drawn from needs no more pixels than this across.
constexpr int RedrawPixels = 512;

}  // namespace

void writeSketch(const QString& file, const QImage& sketch) {
  if (sketch.isNull()) {
    QFile::remove(file);
    return;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  sketch.save(&buffer, "PNG");
  // A sketch that cannot be written is only missing from the shelf, which then shows none.
  writeDurably(file, bytes);
}

QImage drawBoardSketch(const BoardSketch& sketch, int largest) {
  if (!sketch.source || sketch.rows < 1 || sketch.columns < 1 || sketch.grid.isEmpty()) return {};
  const double cellWidth = sketch.grid.width() / sketch.columns, cellHeight = sketch.grid.height() / sketch.rows;
  QRectF area = sketch.grid;
  for (const BoardSketch::Piece& piece : sketch.pieces)
    area |= turnedBox(piece.orientation) ? QRectF(piece.place, QSizeF(cellHeight, cellWidth))
                                         : QRectF(piece.place, QSizeF(cellWidth, cellHeight));
  const double scale = largest / std::max(area.width(), area.height());
  QImage image(std::max(1, int(std::ceil(area.width() * scale))), std::max(1, int(std::ceil(area.height() * scale))),
               QImage::Format_RGB32);
  image.fill(BoardColour);
  // The reduced copy whose cells are still at least as large as the sketch draws them.
  const QSize full = sketch.source->full().size();
  const double reduction = full.width() / std::max(1.0, sketch.grid.width() * scale);
  const int level = std::clamp(int(std::floor(std::log2(std::max(1.0, reduction)))), 0, 20);
  const QImage& from = sketch.source->level(level);
  const double fromScale = double(from.width()) / full.width();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(scale, scale);
  painter.translate(-area.topLeft());
  painter.setPen(QPen(GridColour, 0));
  painter.drawRect(sketch.grid);
  const int cells = sketch.rows * sketch.columns;
  for (int i = 0; i < int(sketch.pieces.size()) && i < cells; ++i) {
    const BoardSketch::Piece& piece = sketch.pieces[i];
    const QRectF box = turnedBox(piece.orientation) ? QRectF(piece.place, QSizeF(cellHeight, cellWidth))
                                                    : QRectF(piece.place, QSizeF(cellWidth, cellHeight));
    if (piece.orientation >= 4) {
      painter.fillRect(box, BackColour);
      continue;
    }
    const QRect cell = uprightCellRect(i, sketch.rows, sketch.columns, full);
    const QRectF source(cell.x() * fromScale, cell.y() * fromScale, cell.width() * fromScale,
                        cell.height() * fromScale);
    painter.save();
    painter.translate(box.center());
    painter.rotate(90.0 * piece.orientation);
    painter.drawImage(QRectF(-cellWidth / 2, -cellHeight / 2, cellWidth, cellHeight), from, source);
    painter.restore();
  }
  return image;
}

struct SketchMaker::Shared {
  std::mutex mutex;
  bool running = false;
  std::optional<std::pair<QString, std::optional<BoardSketch>>> next;
};

SketchMaker::SketchMaker() : shared_(std::make_shared<Shared>()), pool_(std::make_unique<QThreadPool>()) {
  pool_->setMaxThreadCount(1);
}

SketchMaker::~SketchMaker() { wait(); }

void SketchMaker::wait() { pool_->waitForDone(); }

void SketchMaker::put(const QString& file, std::optional<BoardSketch> sketch) {
  {
    const std::lock_guard lock(shared_->mutex);
    const bool queued = shared_->next.has_value();
    shared_->next.emplace(file, std::move(sketch));
    if (queued || shared_->running) return;
    shared_->running = true;
  }
  pool_->start([shared = shared_] {
    for (;;) {
      std::pair<QString, std::optional<BoardSketch>> job;
      {
        const std::lock_guard lock(shared->mutex);
        if (!shared->next) {
          shared->running = false;
          return;
        }
        job = std::move(*shared->next);
        shared->next.reset();
      }
      writeSketch(job.first, job.second ? drawBoardSketch(*job.second) : QImage());
    }
  });
}

QRectF keptGrid(QSizeF picture, const PictureLimits& limits, int areaLevel) {
  const PictureFit fit = fitPicture(picture.width(), picture.height(), limits);
  const QSizeF base(fit.baseWidth, fit.baseHeight), step = base / 10;
  const QSizeF shown = base + step * areaLevel;
  return {PictureLeft + shown.width() + 30, PictureTop, (base - step * areaLevel).width(),
          (base - step * areaLevel).height()};
}

QImage redrawKeptSketch(const QString& keptFile, const PictureLimits& limits) {
  const std::optional<KeptGame> kept = readKeptGameFile(keptFile);
  if (!kept) return {};
  const std::optional<CheckedPicture> checked = checkPicture(kept->saved.picturePath);
  if (!checked) return {};
  int level = 0;
  while (level < MaxFirstSightLevel &&
         std::max(checked->size.width(), checked->size.height()) >> (level + 1) >= RedrawPixels)
    ++level;
  const std::optional<QImage> picture = decodePicture(*checked, level);
  if (!picture || picture->isNull()) return {};
  BoardSketch sketch{
      std::make_shared<const SourceImage>(*picture),
      kept->saved.rowText.toInt(),
      kept->saved.columnText.toInt(),
      keptGrid(QSizeF(pixelsToTwips(checked->size.width()), pixelsToTwips(checked->size.height())), limits,
               kept->areaLevel),
      {}};
  const double cellWidth = sketch.grid.width() / std::max(1, sketch.columns);
  const double cellHeight = sketch.grid.height() / std::max(1, sketch.rows);
  for (std::size_t i = 0; i < kept->saved.pieces.size() && i < kept->places.size(); ++i) {
    const SavedPiece& piece = kept->saved.pieces[i];
    const QPointF cell = sketch.grid.topLeft() + QPointF(cellColumn(int(i), sketch.columns) * cellWidth,
                                                         cellRow(int(i), sketch.columns) * cellHeight);
    sketch.pieces.push_back({piece.docked ? cell : kept->places[i], piece.orientation});
  }
  return drawBoardSketch(sketch);
}

SketchQueue::SketchQueue() : pool_(std::make_unique<QThreadPool>()) { pool_->setMaxThreadCount(1); }

SketchQueue::~SketchQueue() {
  dropWaiting();
  wait();
}

void SketchQueue::add(const QString& key, std::function<QImage()> draw) {
  pool_->start([this, key, draw = std::move(draw)] {
    QMetaObject::invokeMethod(
        &receiver_,
        [this, key, sketch = draw()] {
          if (onDrawn) onDrawn(key, sketch);
        },
        Qt::QueuedConnection);
  });
}

void SketchQueue::dropWaiting() { pool_->clear(); }

void SketchQueue::wait() { pool_->waitForDone(); }

}  // namespace tarsio
