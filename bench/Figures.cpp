// The timed figures: picture choice and cut against a plain decode.
#include "Figures.h"

#include <QImageReader>
#include <QThreadPool>

#include "BenchBoard.h"

namespace tarsio::bench {

double plainDecode(const QString& path) {
  // A picture the game is still giving back to the system on a pool thread is let go first: the
  // system would hold the decode's fresh memory back meanwhile.
  QThreadPool::globalInstance()->waitForDone();
  QImage image;
  const double ms = millisecondsOf([&] { image = QImageReader(path).read(); });
  if (image.isNull()) stop(QStringLiteral("the photo could not be decoded"));
  return ms;
}

Row choosePicture(const Inputs& in) {
  BenchBoard bench;
  const Paired times = measurePaired(
      7,
      [&] {
        return millisecondsOf([&] {
          bench.choose(in.photo);
          bench.repaint();
        });
      },
      [&] { return plainDecode(in.photo); });
  bench.expectNoMessage();
  return {QStringLiteral("choose a picture (decode, fit, ready for the grid)"), times.figure, times.floor,
          1.15, QStringLiteral("ms")};
}

Row cutPieces(const Inputs& in, int rows, int columns, double target, int runs) {
  const auto cut = [&] {
    BenchBoard bench;
    bench.choose(in.photo);
    bench.grid(rows, columns);
    bench.repaint();
    const double ms = millisecondsOf([&] {
      bench.board().CmdTarsio_Click();
      bench.repaint();
    });
    bench.expectNoMessage();
    bench.expectPieces(rows * columns);
    return ms;
  };
  const Paired times = measurePaired(runs, cut, [&] { return plainDecode(in.photo); });
  return {QStringLiteral("cut into %1 pieces (%2 x %3), painted").arg(rows * columns).arg(columns).arg(rows),
          times.figure, times.floor, target, QStringLiteral("ms")};
}

}  // namespace tarsio::bench
