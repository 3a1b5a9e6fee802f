// Fuzz target: the saved-game reader. A game it accepts must be playable as its header promises, and
// must format back to bytes that read as the same game.
#include <cstdint>
#include <cstdlib>

#include "picture/GridSize.h"
#include "savegame/SavedGame.h"

namespace tarsio {
namespace {

bool playable(const SavedGame& game) {
  const std::optional<int> rows = parseGridCount(game.rowText);
  const std::optional<int> columns = parseGridCount(game.columnText);
  if (!rows || !columns || *rows < MinGridCount || *columns < MinGridCount) return false;
  const long long pieces = static_cast<long long>(*rows) * *columns;
  if (pieces > MaxPieces || static_cast<long long>(game.pieces.size()) != pieces) return false;
  if (game.picturePath.isEmpty()) return false;
  for (const SavedPiece& piece : game.pieces) {
    if (piece.orientation < 0 || piece.orientation > 7 || (piece.docked && piece.orientation != 0))
      return false;
    if (piece.startCell < 0 || piece.startCell >= pieces) return false;
  }
  return true;
}

void check(const QByteArray& bytes) {
  const std::optional<SavedGame> game = parseSavedGame(bytes);
  if (!game) return;
  if (!playable(*game)) std::abort();
  if (parseSavedGame(formatSavedGame(*game)) != game) std::abort();
}

}  // namespace
}  // namespace tarsio

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarsio::check(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return 0;
}
