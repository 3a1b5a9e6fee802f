// The file of the game in progress: writing, checking reading, and its folder.
#include "savegame/KeptGame.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarsio {

namespace {

constexpr QByteArrayView Header = "Tarsio partita in corso 1\n";
constexpr QByteArrayView GameLine = "partita\n";

void appendNumber(QByteArray& out, double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr - digits);
}

template <typename T>
std::optional<T> number(QByteArrayView text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.isEmpty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

// Reads one "key value" line into `kept`; false for a known key with a value that does not fit it.
bool readField(QByteArrayView key, QByteArrayView value, KeptGame& kept, std::vector<bool>& placed) {
  if (key == "aree") {
    const std::optional<int> level = number<int>(value);
    kept.areaLevel = level.value_or(0);
    return level && std::abs(*level) <= 10;
  }
  if (key == "salva") {
    kept.saveOffered = value == "1";
    return value == "1" || value == "0";
  }
  if (key == "tempo") {
    const std::optional<std::int64_t> played = number<std::int64_t>(value);
    kept.playedMs = played.value_or(0);
    return played && *played >= 0;
  }
  if (key == "aiuti") {
    const std::optional<int> hints = number<int>(value);
    kept.hints = hints.value_or(0);
    return hints && *hints >= 0;
  }
  if (key == "origine") {
    kept.origin = QString::fromUtf8(value);
    return !kept.origin.isEmpty();
  }
  if (key != "pezzo") return true;
  const QList<QByteArray> parts = value.toByteArray().split(' ');
  if (parts.size() != 3) return false;
  const std::optional<int> index = number<int>(parts[0]);
  const std::optional<double> left = number<double>(parts[1]), top = number<double>(parts[2]);
  if (!index || *index < 0 || *index >= static_cast<int>(placed.size()) || placed[*index] || !left || !top ||
      !std::isfinite(*left) || !std::isfinite(*top))
    return false;
  placed[*index] = true;
  kept.places[*index] = QPointF(*left, *top);
  return true;
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
  for (std::size_t i = 0; i < kept.places.size(); ++i) {
    out += "pezzo ";
    out += QByteArray::number(qsizetype(i));
    out += ' ';
    appendNumber(out, kept.places[i].x());
    out += ' ';
    appendNumber(out, kept.places[i].y());
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
  std::vector<bool> placed(kept.places.size(), false);
  for (const QByteArray& line : bytes.mid(Header.size(), gameAt + 1 - Header.size()).split('\n')) {
    if (line.isEmpty()) continue;
    const qsizetype space = line.indexOf(' ');
    if (space <= 0 ||
        !readField(QByteArrayView(line).first(space), QByteArrayView(line).sliced(space + 1), kept, placed))
      return std::nullopt;
  }
  if (!std::all_of(placed.begin(), placed.end(), [](bool b) { return b; })) return std::nullopt;
  return kept;
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
