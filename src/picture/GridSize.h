// The limits of a grid of pieces, the reading of a row or column count typed by the player, and the
// grid suggested for a count of pieces.
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace tarsio {

// A grid has at least 2 rows and 2 columns, and at most this many pieces in all.
inline constexpr int MinGridCount = 2;
inline constexpr int MaxPieces = 32767;

// The count a box text or an input-box answer stands for: a plain whole number of decimal digits
// (leading zeros allowed, no sign, no blanks). Empty text, letters, or a value beyond MaxPieces give
// nothing.
std::optional<int> parseGridCount(const QString& text);

// The number an input-box answer starts with, read as the platform's Val reads it: blanks (space, tab,
// line feed) are skipped anywhere, a leading "+" or "-" is the sign, and reading stops at the first
// other character ("1 2" is 12, "12abc" is 12, "+3" is 3). The size is capped at MaxPieces + 1; 0 when
// no digit comes first (an empty answer, Cancel, a letter).
int leadingNumber(const QString& text);

// Whether a grid of rows x columns can be cut from a picture of the given pixel size: no more than
// MaxPieces pieces, and every cell at least one pixel wide and high.
bool gridFitsPicture(int rows, int columns, int pictureWidth, int pictureHeight);

// The counts of pieces the grid choice suggests.
inline constexpr std::array SuggestedPieceCounts{50, 100, 300, 500, 1000, 2000, 5000};

struct GridCounts {
  int rows;
  int columns;
};
// The grid of about `pieces` pieces (within a tenth either way) on a picture of the given pixel size
// that balances cells near to square against a count near to `pieces`: the sum of both relative
// errors, on a logarithmic scale, is least. Nothing when no such grid fits the picture
// (gridFitsPicture).
std::optional<GridCounts> suggestedGrid(int pieces, int pictureWidth, int pictureHeight);

}  // namespace tarsio
