// The figures of play: a drag step, collecting, the area steps, saving and loading, keeping the game.
#include "PlayFigures.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>

#include "BenchBoard.h"
#include "platform/Twips.h"
#include "savegame/SavedGame.h"

namespace tarsio::bench {

namespace {

// A loose piece that never docks (turned or face down) and lies on top at its own centre.
int pieceToDrag(Board& board) {
  for (int i = 0; i < board.game.PieceCount; ++i) {
    if (board.game.Orientation[i] == 0) continue;
    if (board.canvas->elementAt(board.ImA(i).boxTwips().center()) == &board.ImA(i)) return i;
  }
  stop(QStringLiteral("no piece to drag"));
}

// The event the window system sends the canvas.
void sendMouse(Board& board, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, at, board.canvas->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(board.canvas, &event);
}

// Runs `step` on the board `runs` times and gives the median, in milliseconds.
double medianOfRuns(int runs, BenchBoard& bench, const std::function<void(Board&)>& step) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run)
    times.push_back(millisecondsOf([&] {
      step(bench.board());
      bench.repaintChanged();
    }));
  bench.expectNoMessage();
  return median(times);
}

// The kept file's writes, seen from outside: a new file takes the name at every write.
class KeptFileWatch {
 public:
  explicit KeptFileWatch(QString path) : path_(QFile::encodeName(path)) {}
  void look() {
    struct stat now {};
    if (::stat(path_.constData(), &now) != 0 || now.st_ino == inode_) return;
    inode_ = now.st_ino;
    ++writes;
    bytes += static_cast<double>(now.st_size);
  }
  int writes = 0;
  double bytes = 0;

 private:
  QByteArray path_;
  ino_t inode_ = 0;
};

// Pending events run, as the event loop runs them between two moves of the hand.
void runEvents(BenchBoard& bench) {
  QCoreApplication::processEvents();
  bench.repaintChanged();
}

}  // namespace

Row dragStep(const Inputs& in, int rows, int columns, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  const int piece = pieceToDrag(board);
  const double left = board.ImA(piece).Left();
  const QPointF centre = board.ImA(piece).boxTwips().center();
  const QPoint start = twipsToPixelPoint(centre.x(), centre.y());
  sendMouse(board, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  bench.repaintChanged();
  int step = 0;
  // Back and forth along a slant of 40 pixels, one pixel a move, as a slow hand drags.
  const double ms = medianOfRuns(600, bench, [&](Board& b) {
    const int along = step / 40 % 2 == 0 ? step % 40 : 40 - step % 40;
    ++step;
    sendMouse(b, QEvent::MouseMove, start + QPoint(along + 1, (along + 1) / 2), Qt::NoButton, Qt::LeftButton);
  });
  if (board.ImA(piece).Left() == left || board.game.SelectedPiece != piece)
    stop(QStringLiteral("the piece did not follow"));
  sendMouse(board, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
  return {QStringLiteral("one drag step, %1 pieces (move handled, canvas repainted)").arg(rows * columns), ms,
          Frame, target, QStringLiteral("ms")};
}

Row collectPieces(const Inputs& in, int rows, int columns, double target, int runs) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  const double ms = medianOfRuns(runs, bench, [](Board& board) { board.CmdRaccogli_Click(); });
  return {QStringLiteral("\"Racc&ogli\" of %1 loose pieces, pending events run between pieces")
              .arg(rows * columns),
          ms, Frame, target, QStringLiteral("ms")};
}

Row spreadOut(const Inputs& in, int rows, int columns, double target, int runs) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  const double ms = medianOfRuns(runs, bench, [](Board& board) { board.mDisponi_Click(); });
  return {QStringLiteral("\"&Disponi\" of %1 loose pieces, painted").arg(rows * columns), ms, Frame, target,
          QStringLiteral("ms")};
}

Row resizeAreas(const Inputs& in, int rows, int columns, double target, int runs) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  const double ms = medianOfRuns(runs, bench, [](Board& board) {
    board.EnlargeGridArea();
    board.RestoreEqualAreas();
  });
  return {QStringLiteral("\"+\" then \"0\" with %1 pieces").arg(rows * columns), ms, Frame, target,
          QStringLiteral("ms")};
}

namespace {

// The median time of checking a view filter (`toggle` checks it, and unchecks it after each run) over
// rows x columns loose pieces gathered, painted; `expect` gives why the pieces shown are wrong, if so.
double filterTime(const Inputs& in, int rows, int columns, int runs,
                  const std::function<void(Board&)>& toggle,
                  const std::function<QString(int shown, Board&)>& wrong) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  board.CmdRaccogli_Click();
  bench.repaintChanged();
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    times.push_back(millisecondsOf([&] {
      toggle(board);
      bench.repaintChanged();
    }));
    int shown = 0;
    for (int i = 0; i < board.game.PieceCount; ++i) shown += board.ImA(i).Visible();
    if (const QString why = wrong(shown, board); !why.isEmpty()) stop(why);
    toggle(board);
    bench.repaintChanged();
  }
  return median(times);
}

}  // namespace

Row bordersOnly(const Inputs& in, int rows, int columns, double target, int runs) {
  const int ring = 2 * (rows + columns) - 4;
  const double ms = filterTime(
      in, rows, columns, runs, [](Board& board) { board.mBordi_Click(); },
      [&](int shown, Board&) {
        return shown == ring ? QString()
                             : QStringLiteral("%1 pieces shown, not the %2 of the ring").arg(shown).arg(ring);
      });
  return {QStringLiteral("\"Solo i &bordi\" checked, %1 loose pieces gathered").arg(rows * columns), ms,
          Frame, target, QStringLiteral("ms")};
}

Row likeOnly(const Inputs& in, int rows, int columns, double target, int runs) {
  const int pieces = rows * columns;
  const double ms = filterTime(
      in, rows, columns, runs,
      [pieces](Board& board) {
        board.PointerPiece = pieces / 2;
        board.mSimili_Click();
      },
      [&](int shown, Board& board) {
        return shown >= pieces / 20 && board.ImA(pieces / 2).Visible()
                   ? QString()
                   : QStringLiteral("%1 pieces shown of %2").arg(shown).arg(pieces);
      });
  return {QStringLiteral("\"Solo i simi&li\" checked, %1 loose pieces gathered").arg(pieces), ms, Frame,
          target, QStringLiteral("ms")};
}

Row resumeGame(const Inputs& in, int rows, int columns, double target, int runs) {
  QString saved;
  {
    BenchBoard bench;
    bench.cut(in.photo, rows, columns);
    bench.board().mSalva_Click();
    saved = bench.board().game.PicturePath + QStringLiteral(".trs");
  }
  const auto resume = [&] {
    BenchBoard bench;
    const double ms = millisecondsOf([&] {
      bench.choose(saved);
      bench.repaintChanged();
    });
    bench.expectNoMessage();
    bench.expectPieces(rows * columns);
    return ms;
  };
  const Paired times = measurePaired(runs, resume, [&] { return plainDecode(in.photo); });
  QFile::remove(saved);
  return {QStringLiteral("resume a saved %1-piece game (file, decode, cut, collect)").arg(rows * columns),
          times.figure, times.floor, target, QStringLiteral("ms")};
}

Row saveAndLoad(const Inputs& in) {
  BenchBoard bench;
  bench.cut(in.photo, 80, 125);
  Board& board = bench.board();
  const QString saved = board.game.PicturePath + QStringLiteral(".trs");
  // The board's own save, then the reader the board runs before it loads a game.
  const auto figure = [&] {
    std::optional<SavedGame> game;
    const double ms = millisecondsOf([&] {
      board.mSalva_Click();
      game = readSavedGameFile(saved);
    });
    if (!game || game->pieces.size() != 10000u || bench.dialogs().messages.size() != 1)
      stop(QStringLiteral("the save failed"));
    bench.dialogs().messages.clear();
    return ms;
  };
  figure();
  QFile file(saved);
  const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  file.close();
  // The same bytes written plainly over the same file, flushed to the disk as the save flushes them, and
  // read back: no check, no safe replacement.
  const auto floor = [&] {
    return millisecondsOf([&] {
      QFile out(saved);
      if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush() ||
          ::fdatasync(out.handle()) != 0)
        stop(QStringLiteral("no plain write"));
      out.close();
      QFile back(saved);
      if (!back.open(QIODevice::ReadOnly) || back.readAll().size() != bytes.size())
        stop(QStringLiteral("no plain read"));
    });
  };
  const Paired times = measurePaired(31, figure, floor);
  return {QStringLiteral("save and load of a 10000-piece game (the file only)"), times.figure, times.floor, 3,
          QStringLiteral("ms")};
}

Row keptDragStep(const Inputs& in, int rows, int columns, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  board.keeper.flush();
  const int piece = pieceToDrag(board);
  const QPointF centre = board.ImA(piece).boxTwips().center();
  const QPoint start = twipsToPixelPoint(centre.x(), centre.y());
  sendMouse(board, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  runEvents(bench);
  std::vector<double> steps;
  QElapsedTimer dragging;
  dragging.start();
  // Three seconds of a slow hand, long enough for the keeper to gather the game twice if it would.
  for (int step = 0; dragging.elapsed() < 3000; ++step) {
    const int along = step / 40 % 2 == 0 ? step % 40 : 40 - step % 40;
    steps.push_back(millisecondsOf([&] {
      sendMouse(board, QEvent::MouseMove, start + QPoint(along + 1, (along + 1) / 2), Qt::NoButton,
                Qt::LeftButton);
      runEvents(bench);
    }));
  }
  sendMouse(board, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
  bench.expectNoMessage();
  double total = 0;
  for (double ms : steps) total += ms;
  std::vector<double> snapshots;
  for (int run = 0; run < 9; ++run) snapshots.push_back(millisecondsOf([&] { (void)board.keptGame(); }));
  const double snapshot = median(snapshots);
  return {QStringLiteral("one drag step, %1 pieces, the game kept (mean of %2 steps in 3 s, events run, the "
                         "snapshot's share included; one snapshot at the release: %3 ms)")
              .arg(rows * columns)
              .arg(steps.size())
              .arg(snapshot, 0, 'f', 2),
          total / static_cast<double>(steps.size()), Frame, target, QStringLiteral("ms")};
}

std::vector<Row> keptPlay(const Inputs& in, int rows, int columns) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  board.keeper.flush();
  KeptFileWatch watch(bench.keptFile());
  const int piece = pieceToDrag(board);
  const auto play = [&](int ms, bool moving) {
    QElapsedTimer clock;
    clock.start();
    for (int gesture = 0; clock.elapsed() < ms; ++gesture) {
      // A piece picked up, carried a few pixels and put down, twice a second.
      if (moving) {
        const QPointF centre = board.ImA(piece).boxTwips().center();
        const QPoint from = twipsToPixelPoint(centre.x(), centre.y());
        const QPoint to = from + QPoint(gesture % 2 == 0 ? 20 : -20, 0);
        sendMouse(board, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        sendMouse(board, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        sendMouse(board, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
      }
      while (clock.elapsed() < (gesture + 1) * 500) {
        runEvents(bench);
        watch.look();
        ::usleep(5000);
      }
    }
  };
  watch.look();
  const int atStart = watch.writes;
  const double bytesAtStart = watch.bytes;
  constexpr int PlayMs = 12000;
  play(PlayMs, true);
  watch.look();
  const int played = watch.writes - atStart;
  const double bytes = watch.bytes - bytesAtStart;
  // The last change reaches the disk; then, with nothing changing, nothing is written.
  play(1500, false);
  const int settled = watch.writes;
  play(3000, false);
  if (watch.writes != settled) stop(QStringLiteral("the game was written while nothing changed"));
  bench.expectNoMessage();
  const double perMinute = 60000.0 / PlayMs;
  const double fileMB = played > 0 ? bytes / played / 1e6 : 0;
  return {{QStringLiteral("writes of the kept game a minute, %1 pieces, a piece put down twice a second")
               .arg(rows * columns),
           played * perMinute, 60, 1, QStringLiteral("writes")},
          {QStringLiteral("bytes kept a minute, %1 pieces, against 60 writes of its %2 MB file")
               .arg(rows * columns)
               .arg(fileMB, 0, 'f', 2),
           bytes * perMinute / 1e6, 60 * fileMB, 1, QStringLiteral("MB")}};
}

}  // namespace tarsio::bench
