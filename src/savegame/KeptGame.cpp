// The file of the game in progress: writing, checking reading, the places on another board, its folder.
#include "savegame/KeptGame.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

namespace tarsio {

namespace {

constexpr QByteArrayView Header = "Tarsio partita in corso 1\n";
constexpr QByteArrayView GameLine = "partita\n";

void appendNumber(QByteArray& out, double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr - digits);
}

void appendPair(QByteArray& out, QPointF pair) {
  appendNumber(out, pair.x());
  out += ' ';
  appendNumber(out, pair.y());
}

template <typename T>
std::optional<T> number(QByteArrayView text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.isEmpty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

template <typename T>
bool within(std::optional<T> value, T low, T high) {
  return value && *value >= low && *value <= high;
}

// Two numbers parted by one space.
std::optional<QPointF> pair(QByteArrayView text) {
  const qsizetype space = text.indexOf(' ');
  if (space < 0) return std::nullopt;
  const std::optional<double> x = number<double>(text.first(space)),
                              y = number<double>(text.sliced(space + 1));
  if (!x || !y) return std::nullopt;
  return QPointF(*x, *y);
}

// Reads one "key value" line into `kept`; false for a known key with a value that does not fit it.
// Places are checked against the board once every line is read.
bool readField(QByteArrayView key, QByteArrayView value, KeptGame& kept, std::vector<bool>& placed) {
  if (key == "aree") {
    const std::optional<int> level = number<int>(value);
    kept.areaLevel = level.value_or(0);
    return within(level, -10, 10);
  }
  if (key == "salva") {
    kept.saveOffered = value == "1";
    return value == "1" || value == "0";
  }
  if (key == "tempo") {
    const std::optional<std::int64_t> played = number<std::int64_t>(value);
    kept.playedMs = played.value_or(0);
    return within<std::int64_t>(played, 0, MaxKeptPlayedMs - 1);
  }
  if (key == "aiuti") {
    const std::optional<int> hints = number<int>(value);
    kept.hints = hints.value_or(0);
    return within(hints, 0, MaxKeptHints);
  }
  if (key == "origine") {
    kept.origin = QString::fromUtf8(value);
    return !kept.origin.isEmpty();
  }
  if (key == "tavolo") {
    const std::optional<QPointF> size = pair(value);
    if (!size) return false;
    kept.board = QSizeF(size->x(), size->y());
    return within<double>(size->x(), 1, MaxKeptBoardTwips) && within<double>(size->y(), 1, MaxKeptBoardTwips);
  }
  if (key != "pezzo") return true;
  const qsizetype space = value.indexOf(' ');
  const std::optional<int> index = space > 0 ? number<int>(value.first(space)) : std::nullopt;
  const std::optional<QPointF> place = space > 0 ? pair(value.sliced(space + 1)) : std::nullopt;
  if (!within(index, 0, static_cast<int>(placed.size()) - 1) || placed[*index] || !place) return false;
  placed[*index] = true;
  kept.places[*index] = *place;
  return true;
}

// A list of loose pieces parted by commas, each in none of the lists read before (marked in `taken`).
bool readPieces(QByteArrayView list, const KeptGame& kept, std::vector<bool>& taken,
                std::vector<int>& pieces) {
  for (const QByteArray& item : list.toByteArray().split(',')) {
    const std::optional<int> piece = number<int>(item);
    if (!within(piece, 0, static_cast<int>(taken.size()) - 1) || taken[*piece] ||
        kept.saved.pieces[*piece].docked)
      return false;
    taken[*piece] = true;
    pieces.push_back(*piece);
  }
  return true;
}

void appendPieces(QByteArray& out, const std::vector<int>& pieces) {
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (k) out += ',';
    out += QByteArray::number(pieces[k]);
  }
}

// A tray's line after its key: "x y pieces title". Each piece is a loose one, in no tray before.
bool readTray(QByteArrayView value, KeptGame& kept, std::vector<bool>& inTray) {
  qsizetype spaces[3]{}, from = 0;
  for (qsizetype& space : spaces) {
    space = value.indexOf(' ', from);
    if (space < 0) return false;
    from = space + 1;
  }
  const std::optional<QPointF> corner = pair(value.first(spaces[1]));
  KeptTray tray{QString::fromUtf8(value.sliced(spaces[2] + 1)), corner.value_or(QPointF()), {}};
  if (!corner || tray.title.size() > MaxKeptTrayTitle || kept.trays.size() >= MaxKeptTrays) return false;
  const QByteArrayView list = value.sliced(spaces[1] + 1, spaces[2] - spaces[1] - 1);
  if (list != "-" && !readPieces(list, kept, inTray, tray.pieces)) return false;
  kept.trays.push_back(std::move(tray));
  return true;
}

void appendTray(QByteArray& out, const KeptTray& tray) {
  out += "vassoio ";
  appendPair(out, tray.topLeft);
  out += ' ';
  appendPieces(out, tray.pieces);
  if (tray.pieces.empty()) out += '-';
  out += ' ' + tray.title.left(MaxKeptTrayTitle).toUtf8().replace('\n', ' ') + '\n';
}

// A group's line after its key: two or more loose pieces, in no group before.
bool readGroup(QByteArrayView value, KeptGame& kept, std::vector<bool>& inGroup) {
  std::vector<int> pieces;
  if (!readPieces(value, kept, inGroup, pieces) || pieces.size() < 2) return false;
  kept.groups.push_back(std::move(pieces));
  return true;
}

// Every corner, of a piece or a tray, within a board's width and height of the board: none lies
// further out.
bool placesOnBoard(const KeptGame& kept) {
  const QSizeF board = kept.board.isEmpty() ? QSizeF(MaxKeptBoardTwips, MaxKeptBoardTwips) : kept.board;
  const auto onBoard = [&](const QPointF& p) {
    return within<double>(p.x(), -board.width(), board.width()) &&
           within<double>(p.y(), -board.height(), board.height());
  };
  return std::all_of(kept.places.begin(), kept.places.end(), onBoard) &&
         std::all_of(kept.trays.begin(), kept.trays.end(),
                     [&](const KeptTray& t) { return onBoard(t.topLeft); });
}

}  // namespace

int KeptGame::piecesInPlace() const {
  return static_cast<int>(
      std::count_if(saved.pieces.begin(), saved.pieces.end(), [](const SavedPiece& p) { return p.docked; }));
}

QByteArray formatKeptGame(const KeptGame& kept) {
  const QByteArray game = formatSavedGame(kept.saved);
  QByteArray out;
  out.reserve(game.size() + 40 * qsizetype(kept.places.size()) + 256);
  out += Header;
  out += "aree " + QByteArray::number(kept.areaLevel) + '\n';
  out += kept.saveOffered ? "salva 1\n" : "salva 0\n";
  out += "tempo " + QByteArray::number(kept.playedMs) + '\n';
  out += "aiuti " + QByteArray::number(kept.hints) + '\n';
  if (!kept.origin.isEmpty()) out += "origine " + kept.origin.toUtf8() + '\n';
  if (!kept.board.isEmpty()) {
    out += "tavolo ";
    appendNumber(out, kept.board.width());
    out += ' ';
    appendNumber(out, kept.board.height());
    out += '\n';
  }
  for (std::size_t i = 0; i < kept.places.size(); ++i) {
    out += "pezzo ";
    out += QByteArray::number(qsizetype(i));
    out += ' ';
    appendNumber(out, kept.places[i].x());
    out += ' ';
    appendNumber(out, kept.places[i].y());
    out += '\n';
  }
  for (std::size_t t = 0; t < kept.trays.size() && t < MaxKeptTrays; ++t) appendTray(out, kept.trays[t]);
  for (const std::vector<int>& group : kept.groups) {
    out += "gruppo ";
    appendPieces(out, group);
    out += '\n';
  }
  out += GameLine;
  out += game;
  return out;
}

std::optional<KeptGame> parseKeptGame(const QByteArray& bytes) {
  if (!bytes.startsWith(Header)) return std::nullopt;
  const qsizetype gameAt = bytes.indexOf("\n" + GameLine.toByteArray());
  if (gameAt < 0) return std::nullopt;
  KeptGame kept;
  std::optional<SavedGame> saved = parseSavedGame(bytes.mid(gameAt + 1 + GameLine.size()));
  if (!saved) return std::nullopt;
  kept.saved = std::move(*saved);
  kept.places.resize(kept.saved.pieces.size());
  std::vector<bool> placed(kept.places.size(), false), inTray(placed), inGroup(placed);
  std::set<QByteArray> seen;
  for (const QByteArray& line : bytes.mid(Header.size(), gameAt + 1 - Header.size()).split('\n')) {
    if (line.isEmpty()) continue;
    const qsizetype space = line.indexOf(' ');
    if (space <= 0) return std::nullopt;
    const QByteArrayView key = QByteArrayView(line).first(space);
    const QByteArrayView value = QByteArrayView(line).sliced(space + 1);
    if (key == "vassoio") {
      if (!readTray(value, kept, inTray)) return std::nullopt;
      continue;
    }
    if (key == "gruppo") {
      if (!readGroup(value, kept, inGroup)) return std::nullopt;
      continue;
    }
    if (key != "pezzo" && !seen.insert(key.toByteArray()).second) return std::nullopt;
    if (!readField(key, value, kept, placed)) return std::nullopt;
  }
  if (!std::all_of(placed.begin(), placed.end(), [](bool b) { return b; }) || !placesOnBoard(kept))
    return std::nullopt;
  return kept;
}

QPointF placeOnBoard(QPointF place, QSizeF size, QSizeF kept, QSizeF board) {
  if (!kept.isEmpty())
    place = {place.x() * board.width() / kept.width(), place.y() * board.height() / kept.height()};
  return {std::max(0.0, std::min(place.x(), board.width() - size.width())),
          std::max(0.0, std::min(place.y(), board.height() - size.height()))};
}

QString keptGameFolder() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (!QDir::isAbsolutePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
  return state + QStringLiteral("/tarsio");
}

std::optional<KeptGame> readKeptGameFile(const QString& path) {
  // Larger than the file of the largest game.
  constexpr qint64 MaxKeptGameBytes = 16 * 1024 * 1024;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxKeptGameBytes) return std::nullopt;
  return parseKeptGame(file.readAll());
}

}  // namespace tarsio
