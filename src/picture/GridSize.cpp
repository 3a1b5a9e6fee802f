// Reading a row or column count typed by the player, and the grid suggested for a count of pieces.
#include "picture/GridSize.h"

#include <algorithm>
#include <cmath>

namespace tarsio {

std::optional<int> parseGridCount(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  long long value = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > MaxPieces) return std::nullopt;
  }
  return static_cast<int>(value);
}

int leadingNumber(const QString& text) {
  int sign = 1;
  int value = 0;
  bool started = false;  // a sign or a digit has been read
  for (QChar c : text) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    if (!started && (c == u'+' || c == u'-')) {
      sign = c == u'-' ? -1 : 1;
    } else if (c >= u'0' && c <= u'9') {
      value = std::min(value * 10 + (c.unicode() - u'0'), MaxPieces + 1);
    } else {
      break;
    }
    started = true;
  }
  return sign * value;
}

bool gridFitsPicture(int rows, int columns, int pictureWidth, int pictureHeight) {
  return static_cast<long long>(rows) * columns <= MaxPieces && columns <= pictureWidth && rows <= pictureHeight;
}

std::optional<GridCounts> suggestedGrid(int pieces, int pictureWidth, int pictureHeight) {
  if (pieces < MinGridCount * MinGridCount || pictureWidth <= 0 || pictureHeight <= 0) return std::nullopt;
  const double aspect = double(pictureWidth) / pictureHeight;
  const int fewest = (pieces * 9 + 9) / 10, most = pieces * 11 / 10;
  std::optional<GridCounts> best;
  double bestError = 0;
  for (int rows = MinGridCount; rows * MinGridCount <= most; ++rows) {
    for (int columns = std::max(MinGridCount, (fewest + rows - 1) / rows); rows * columns <= most; ++columns) {
      if (!gridFitsPicture(rows, columns, pictureWidth, pictureHeight)) continue;
      // A cell is (width / columns) by (height / rows) pixels.
      const double error = std::abs(std::log(aspect * rows / columns)) +
                           std::abs(std::log(double(rows) * columns / pieces));
      if (!best || error < bestError) {
        best = GridCounts{rows, columns};
        bestError = error;
      }
    }
  }
  return best;
}

}  // namespace tarsio
