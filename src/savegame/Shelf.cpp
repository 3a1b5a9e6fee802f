// The shelf as a plain list: a kept game's line, its order, its text.
#include "savegame/Shelf.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <algorithm>
#include <tuple>

#include "play/PlayTime.h"
#include "savegame/DurableFile.h"
#include "savegame/GameKeeper.h"

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

QString sketchFileOf(const QString& keptFile) { return keptFile + QStringLiteral(".png"); }

std::vector<ShelfGame> readShelf(const QString& folder, std::vector<std::pair<QString, QString>>& damaged) {
  std::vector<ShelfGame> games;
  for (const QString& file : GameKeeper::keptFiles(folder)) {
    if (GameKeeper::held(file)) continue;
    const std::optional<KeptGame> kept = readKeptGameFile(file);
    if (!kept) {
      damaged.emplace_back(file, setAside(file, QStringLiteral("danneggiata")));
      continue;
    }
    ShelfGame game = shelfGame(file, *kept, QFileInfo(file).lastModified().toUTC(),
                               !QFileInfo::exists(kept->saved.picturePath));
    game.sketch = sketchFileOf(file);
    games.push_back(std::move(game));
  }
  sortByLastPlayed(games);
  return games;
}

QImage readSketch(const QString& file) {
  QImageReader sketch(file, "PNG");
  const QSize size = sketch.size();
  if (!size.isValid() || size.width() > 256 || size.height() > 256) return {};
  return sketch.read();
}

bool throwAwayKeptGame(const QString& file) {
  if (GameKeeper::held(file) || !QFile::remove(file)) return false;
  QFile::remove(sketchFileOf(file));
  return true;
}

QString shelfText(const ShelfGame& game) {
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  // One pass, so that a picture named with a "%" and a digit keeps its name.
  QString text =
      QStringLiteral("%1 — %2 x %3%8\n%4 pezzi a posto su %5 — %6 — giocata il %7")
          .arg(QFileInfo(game.picture).fileName(), QString::number(game.rows), QString::number(game.columns),
               QString::number(game.inPlace), QString::number(game.pieces), playTimeText(game.playedMs),
               italian.toString(game.lastPlayed.toLocalTime(), QLocale::ShortFormat),
               game.onBoard ? QStringLiteral(" (sul tavolo)") : QString());
  if (game.pictureMissing) text += QStringLiteral("\nManca l'immagine %1").arg(game.picture);
  return text;
}

}  // namespace tarsio
