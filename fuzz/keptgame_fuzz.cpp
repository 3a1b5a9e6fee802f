// Fuzz target: the reader of the game in progress kept on disk. A game it accepts has a place for every
// piece, every value within what a game can hold, and formats back to bytes that read as the same game.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "savegame/KeptGame.h"

namespace tarsio {
namespace {

bool holdable(const KeptGame& kept) {
  if (kept.places.size() != kept.saved.pieces.size() || kept.saved.pieces.empty()) return false;
  if (kept.playedMs < 0 || kept.playedMs >= MaxKeptPlayedMs || kept.hints < 0 || kept.hints > MaxKeptHints)
    return false;
  if (kept.areaLevel < -10 || kept.areaLevel > 10) return false;
  const QSizeF board = kept.board.isEmpty() ? QSizeF(MaxKeptBoardTwips, MaxKeptBoardTwips) : kept.board;
  if (board.width() > MaxKeptBoardTwips || board.height() > MaxKeptBoardTwips) return false;
  return std::all_of(kept.places.begin(), kept.places.end(), [&](const QPointF& p) {
    return std::abs(p.x()) <= board.width() && std::abs(p.y()) <= board.height();
  });
}

void check(const QByteArray& bytes) {
  const std::optional<KeptGame> kept = parseKeptGame(bytes);
  if (!kept) return;
  if (!holdable(*kept)) std::abort();
  if (parseKeptGame(formatKeptGame(*kept)) != kept) std::abort();
}

}  // namespace
}  // namespace tarsio

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarsio::check(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return 0;
}
