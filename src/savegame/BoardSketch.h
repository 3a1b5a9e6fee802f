// A small picture of a board as it stands, for the shelf of kept games, and its maker, which draws and
// writes it off the interface thread.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

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

}  // namespace tarsio
