// Reading a row or column count typed by the player.
#include "picture/GridSize.h"

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

}  // namespace tarsio
