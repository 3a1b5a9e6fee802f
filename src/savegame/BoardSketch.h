// A small picture of a board as it stands, for the shelf of kept games; its maker, which draws and
// writes it off the interface thread; and its redrawing from a kept game's file.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "board/Layout.h"

class QThreadPool;

namespace tarsio {

class SourceImage;

// What the small picture is drawn from: plain values, so that another thread may draw it while the
// board goes on.
struct BoardSketch {
  std::shared_ptr<const SourceImage> source;  // the decoded picture the pieces are cut from
  int rows = 0, columns = 0;
  QRectF grid;  // twips
  struct Piece {
    QPointF place;  // top-left corner, twips
    int orientation = 0;
  };
  std::vector<Piece> pieces;  // piece i shows upright cell i
};

// The grid and every piece where it lies, in its orientation (a face-down piece as its plain back), at
// most `largest` pixels across; drawn from the smallest reduced copy of the picture that is enough. A
// null image when there is nothing to draw.
QImage drawBoardSketch(const BoardSketch& sketch, int largest = 256);

// Writes `sketch` to `file` as a PNG, through the durable writer; a null sketch removes the file.
void writeSketch(const QString& file, const QImage& sketch);

// Draws sketches and writes them as PNG files, one at a time on a thread of its own. Of the sketches
// handed over while one is being drawn only the last counts.
class SketchMaker {
 public:
  SketchMaker();
  // Waits until the sketch being drawn is written.
  ~SketchMaker();
  // Draws `sketch` and writes it to `file`; nothing when `sketch` is empty: `file` is removed.
  void put(const QString& file, std::optional<BoardSketch> sketch);
  void wait();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  std::unique_ptr<QThreadPool> pool_;
};

// Where the board lays out the grid (twips) for a picture of natural size `picture` (twips) fitted
// within `limits`, the areas `areaLevel` steps from equal.
QRectF keptGrid(QSizeF picture, const PictureLimits& limits, int areaLevel);

// The small picture of the game kept in `keptFile`, drawn again from that file and its picture with
// the board laid out within `limits`: docked pieces in their cells, loose ones where they were kept.
// A null image when the game or its picture cannot be read.
QImage redrawKeptSketch(const QString& keptFile, const PictureLimits& limits);

// Draws small pictures one after another on a thread of its own and hands each back to this thread.
class SketchQueue {
 public:
  SketchQueue();
  // Drops the drawings still waiting and waits for the one being drawn.
  ~SketchQueue();
  // Called on this thread with `key` and the picture drawn for it (null when none could be drawn).
  std::function<void(const QString& key, const QImage& sketch)> onDrawn;
  void add(const QString& key, std::function<QImage()> draw);
  // The drawings not yet begun are not wanted any more.
  void dropWaiting();
  void wait();

 private:
  QObject receiver_;  // on this thread: what each drawing is handed back through
  std::unique_ptr<QThreadPool> pool_;
};

}  // namespace tarsio
