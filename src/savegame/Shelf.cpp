// The shelf as a plain list: a kept game's line, its order, its text.
#include "savegame/Shelf.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <tuple>

#include "play/PlayTime.h"

namespace tarsio {

ShelfGame shelfGame(const QString& file, const KeptGame& kept, const QDateTime& lastPlayed, bool pictureMissing) {
  return {file,
          kept.saved.picturePath,
          kept.saved.rowText.toInt(),
          kept.saved.columnText.toInt(),
          kept.piecesInPlace(),
          int(kept.saved.pieces.size()),
          kept.playedMs,
          lastPlayed,
          pictureMissing,
          {}};
}

void sortByLastPlayed(std::vector<ShelfGame>& games) {
  std::stable_sort(games.begin(), games.end(), [](const ShelfGame& a, const ShelfGame& b) {
    return std::tie(b.lastPlayed, a.file) < std::tie(a.lastPlayed, b.file);
  });
}

QString shelfText(const ShelfGame& game) {
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  QString text = QStringLiteral("%1 — %2 x %3\n%4 pezzi a posto su %5 — %6 — giocata il %7")
                     .arg(QFileInfo(game.picture).fileName())
                     .arg(game.rows)
                     .arg(game.columns)
                     .arg(game.inPlace)
                     .arg(game.pieces)
                     .arg(playTimeText(game.playedMs),
                          italian.toString(game.lastPlayed.toLocalTime(), QLocale::ShortFormat));
  if (game.pictureMissing) text += QStringLiteral("\nManca l'immagine %1").arg(game.picture);
  return text;
}

}  // namespace tarsio
