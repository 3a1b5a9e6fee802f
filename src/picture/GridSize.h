// The limits of a grid of pieces and the reading of a row or column count typed by the player.
#pragma once

#include <QString>
#include <optional>

namespace tarsio {

// A grid has at least 2 rows and 2 columns, and at most this many pieces in all.
inline constexpr int MinGridCount = 2;
inline constexpr int MaxPieces = 32767;

// The count a box text or an input-box answer stands for: a plain whole number of decimal digits
// (leading zeros allowed, no sign, no blanks). Empty text, letters, or a value beyond MaxPieces give
// nothing.
std::optional<int> parseGridCount(const QString& text);

}  // namespace tarsio
