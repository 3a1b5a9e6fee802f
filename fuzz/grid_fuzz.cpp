// Fuzz target: the grid choice on plain values. The input is four lines: the picture's width and height
// in pixels, then the texts of the row and column boxes. Counts must be read exactly as plain whole
// numbers; a grid the choice accepts must cut into non-empty cells inside the picture, upright and
// turned, and a grid it refuses must really not fit.
#include <QByteArray>
#include <QList>
#include <QRect>
#include <cstdint>
#include <cstdlib>

#include "picture/GridSize.h"
#include "picture/PictureFile.h"
#include "pieces/Cells.h"

namespace tarsio {
namespace {

// The leading digits of a line as a number, capped at `cap`.
qint64 leadingDigits(QByteArrayView line, qint64 cap) {
  qint64 value = 0;
  for (char c : line) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), cap);
  }
  return value;
}

// The count a box text stands for, worked out another way: all digits, and no more than MaxPieces once
// its leading zeros are gone.
std::optional<int> expectedCount(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return std::nullopt;
  QString digits = text;
  while (digits.size() > 1 && digits.front() == u'0') digits.remove(0, 1);
  const QString limit = QString::number(MaxPieces);
  if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) return std::nullopt;
  return digits.toInt();
}

void checkCountText(const QString& text) {
  const std::optional<int> count = parseGridCount(text);
  if (count != expectedCount(text)) std::abort();
  const int leading = leadingNumber(text);
  if (leading < -(MaxPieces + 1) || leading > MaxPieces + 1) std::abort();
  if (count && leading != *count) std::abort();
}

void checkCell(int k, int rows, int columns, QSize picture) {
  const QRect upright = uprightCellRect(k, rows, columns, picture);
  if (upright.isEmpty() || !QRect(QPoint(0, 0), picture).contains(upright)) std::abort();
  const int turnedIndex = RotatedIndex(k, rows, columns);
  if (turnedIndex < 0 || turnedIndex >= rows * columns) std::abort();
  const QRect turned = turnedCellRect(turnedIndex, rows, columns, picture);
  if (turned.size() != upright.size().transposed()) std::abort();
  if (!QRect(QPoint(0, 0), picture.transposed()).contains(turned)) std::abort();
}

void check(const QByteArray& input) {
  const QList<QByteArray> lines = input.split('\n');
  if (lines.size() < 4) return;
  const int width = static_cast<int>(std::max<qint64>(1, leadingDigits(lines[0], MaxPicturePixels)));
  const int height = static_cast<int>(std::max<qint64>(1, leadingDigits(lines[1], MaxPicturePixels / width)));
  const QString rowText = QString::fromUtf8(lines[2]);
  const QString columnText = QString::fromUtf8(lines[3]);
  checkCountText(rowText);
  checkCountText(columnText);

  const std::optional<int> rows = parseGridCount(rowText);
  const std::optional<int> columns = parseGridCount(columnText);
  if (!rows || !columns || *rows < MinGridCount || *columns < MinGridCount) return;
  const QSize picture(width, height);
  const long long pieces = static_cast<long long>(*rows) * *columns;
  if (!gridFitsPicture(*rows, *columns, width, height)) {
    // Refused: too many pieces, or some cell would have no pixel (the first cell is the smallest).
    if (pieces <= MaxPieces && !uprightCellRect(0, *rows, *columns, picture).isEmpty()) std::abort();
    return;
  }
  const int last = static_cast<int>(pieces) - 1;
  const int chosen =
      static_cast<int>(leadingDigits(lines.size() > 4 ? QByteArrayView(lines[4]) : QByteArrayView(), last));
  for (int k : {0, last, chosen}) checkCell(k, *rows, *columns, picture);
}

}  // namespace
}  // namespace tarsio

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarsio::check(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return 0;
}
