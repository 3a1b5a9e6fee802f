// The game in progress as kept on disk: what a saved game holds, plus what the board needs to go on
// exactly (where every piece lies, the sizes of the areas, the saved game it came from).
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "savegame/SavedGame.h"

namespace tarsio {

struct KeptGame {
  SavedGame saved;
  std::vector<QPointF> places;  // every piece's top-left corner, twips, in piece order
  int areaLevel = 0;            // the signed count of area steps
  bool saveOffered = false;     // "&Salva a questo punto" was enabled
  QString origin;               // the saved-game file the game was loaded from; empty for none
  std::int64_t playedMs = 0;    // the playing time counted so far, milliseconds
  int hints = 0;                // the hints asked for since the cut

  int piecesInPlace() const;
  bool operator==(const KeptGame&) const = default;
};

// The bytes of the file: a first line naming the format, then one "key value" line per field, a
// line "partita", and the saved game's own bytes. A reader skips keys it does not know, so fields can
// be added. Positions are written as the shortest decimals that read back to the same doubles.
QByteArray formatKeptGame(const KeptGame& kept);

// Nothing for bytes that the writer could not have written, or whose game could not be played.
std::optional<KeptGame> parseKeptGame(const QByteArray& bytes);

// The game in the file, or nothing for a file that is missing, larger than the file of the largest
// game, or damaged.
std::optional<KeptGame> readKeptGameFile(const QString& path);

// The per-user folder of the game in progress: $XDG_STATE_HOME/tarsio, or ~/.local/state/tarsio when
// that variable is unset or not an absolute path.
QString keptGameFolder();

}  // namespace tarsio
