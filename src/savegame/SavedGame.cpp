// Writing and checking-reading of the saved-game file.
#include "savegame/SavedGame.h"

#include <QByteArrayView>
#include <QFile>
#include <algorithm>
#include <limits>

#include "picture/GridSize.h"

namespace tarsio {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';
constexpr QByteArrayView TrueField = "#TRUE#";
constexpr QByteArrayView FalseField = "#FALSE#";
constexpr int MaxOrientation = 7;

// A text field: the bytes between double quotes, a quote inside written twice.
QByteArray quotedField(const QByteArray& text) {
  QByteArray field;
  field.reserve(text.size() + 2);
  field += Quote;
  for (char c : text) {
    if (c == Quote) field += Quote;
    field += c;
  }
  field += Quote;
  return field;
}

// Reads the fields of one line from left to right; every read fails on anything unexpected.
class FieldReader {
 public:
  explicit FieldReader(QByteArrayView line) : line_(line) {}

  bool atEnd() const { return pos_ == line_.size(); }

  bool comma() {
    if (atEnd() || line_[pos_] != Comma) return false;
    ++pos_;
    return true;
  }

  std::optional<QByteArray> quotedText() {
    if (atEnd() || line_[pos_] != Quote) return std::nullopt;
    QByteArray text;
    for (++pos_; pos_ < line_.size(); ++pos_) {
      if (line_[pos_] != Quote) {
        text += line_[pos_];
      } else if (pos_ + 1 < line_.size() && line_[pos_ + 1] == Quote) {
        text += Quote;
        ++pos_;
      } else {
        ++pos_;
        return text;
      }
    }
    return std::nullopt;
  }

  // An optional minus sign and at least one decimal digit, within the range of int.
  std::optional<int> integer() {
    const bool negative = !atEnd() && line_[pos_] == '-';
    qsizetype at = pos_ + (negative ? 1 : 0);
    const qsizetype firstDigit = at;
    long long value = 0;
    for (; at < line_.size() && line_[at] >= '0' && line_[at] <= '9'; ++at) {
      value = value * 10 + (line_[at] - '0');
      if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (at == firstDigit) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    pos_ = at;
    return static_cast<int>(value);
  }

  std::optional<bool> boolean() {
    const QByteArrayView rest = line_.sliced(pos_);
    for (bool value : {true, false}) {
      const QByteArrayView field = value ? TrueField : FalseField;
      if (rest.startsWith(field)) {
        pos_ += field.size();
        return value;
      }
    }
    return std::nullopt;
  }

 private:
  QByteArrayView line_;
  qsizetype pos_ = 0;
};

// Sets the problem text, when asked for, and gives nothing.
std::nullopt_t failure(QString* problem, const QString& text) {
  if (problem) *problem = text;
  return std::nullopt;
}

QString atLine(qsizetype index, const char* text) {
  return QStringLiteral("line %1: %2").arg(index + 1).arg(QString::fromLatin1(text));
}

// The lines of the file without their ends (LF, or CR LF), empty lines at the end left out. The last
// line must have its line end, so a file cut short inside a number is not taken for a whole one.
std::optional<std::vector<QByteArrayView>> splitLines(QByteArrayView bytes, QString* problem) {
  std::vector<QByteArrayView> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype end = bytes.indexOf('\n', start);
    if (end < 0) return failure(problem, QStringLiteral("the last line has no line end (file truncated)"));
    QByteArrayView line = bytes.sliced(start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && lines.back().isEmpty()) lines.pop_back();
  return lines;
}

std::optional<QString> readPicturePath(QByteArrayView line, QString* problem) {
  FieldReader reader(line);
  const std::optional<QByteArray> path = reader.quotedText();
  if (!path || !reader.atEnd()) return failure(problem, atLine(0, "the picture path is not one quoted text"));
  if (path->isEmpty()) return failure(problem, atLine(0, "the picture path is empty"));
  return QFile::decodeName(*path);
}

// Reads line 2 into the game and checks the grid it describes; gives the number of pieces.
std::optional<int> readGrid(QByteArrayView line, SavedGame& game, QString* problem) {
  FieldReader reader(line);
  const std::optional<QByteArray> rows = reader.quotedText();
  const std::optional<QByteArray> columns = rows && reader.comma() ? reader.quotedText() : std::nullopt;
  const std::optional<int> code = columns && reader.comma() ? reader.integer() : std::nullopt;
  if (!code || !reader.atEnd()) return failure(problem, atLine(1, "expected \"rows\",\"columns\",code"));
  game.rowText = QString::fromLocal8Bit(*rows);
  game.columnText = QString::fromLocal8Bit(*columns);
  game.scrambleCode = *code;
  const std::optional<int> rowCount = parseGridCount(game.rowText);
  const std::optional<int> columnCount = parseGridCount(game.columnText);
  if (!rowCount || *rowCount < MinGridCount || !columnCount || *columnCount < MinGridCount)
    return failure(problem, atLine(1, "the row and column counts must be whole numbers of at least 2"));
  const long long pieceCount = static_cast<long long>(*rowCount) * *columnCount;
  if (pieceCount > MaxPieces) return failure(problem, atLine(1, "the grid has too many pieces"));
  return static_cast<int>(pieceCount);
}

std::optional<SavedPiece> readPiece(QByteArrayView line, qsizetype index, int pieceCount, QString* problem) {
  FieldReader reader(line);
  const std::optional<bool> docked = reader.boolean();
  const std::optional<int> orientation = docked && reader.comma() ? reader.integer() : std::nullopt;
  const std::optional<int> startCell = orientation && reader.comma() ? reader.integer() : std::nullopt;
  if (!startCell || !reader.atEnd())
    return failure(problem, atLine(index, "expected #TRUE# or #FALSE#, orientation, start cell"));
  if (*orientation < 0 || *orientation > MaxOrientation)
    return failure(problem, atLine(index, "the orientation is outside 0 to 7"));
  if (*startCell < 0 || *startCell >= pieceCount)
    return failure(problem, atLine(index, "the start cell is outside the grid"));
  if (*docked && *orientation != 0)
    return failure(problem, atLine(index, "a docked piece must have orientation 0"));
  return SavedPiece{*docked, *orientation, *startCell};
}

}  // namespace

QByteArray formatSavedGame(const SavedGame& game) {
  constexpr char LineEnd[] = "\r\n";
  QByteArray bytes = quotedField(QFile::encodeName(game.picturePath)) + LineEnd;
  bytes += quotedField(game.rowText.toLocal8Bit()) + Comma + quotedField(game.columnText.toLocal8Bit());
  bytes += Comma + QByteArray::number(game.scrambleCode) + LineEnd;
  for (const SavedPiece& piece : game.pieces) {
    bytes.append(piece.docked ? TrueField : FalseField);
    bytes += Comma + QByteArray::number(piece.orientation) + Comma + QByteArray::number(piece.startCell);
    bytes += LineEnd;
  }
  return bytes;
}

std::optional<SavedGame> parseSavedGame(const QByteArray& bytes, QString* problem) {
  const std::optional<std::vector<QByteArrayView>> lines = splitLines(bytes, problem);
  if (!lines) return std::nullopt;
  if (lines->size() < 2) return failure(problem, QStringLiteral("the file ends before the grid line"));
  SavedGame game;
  const std::optional<QString> path = readPicturePath((*lines)[0], problem);
  if (!path) return std::nullopt;
  game.picturePath = *path;
  const std::optional<int> pieceCount = readGrid((*lines)[1], game, problem);
  if (!pieceCount) return std::nullopt;
  const qsizetype pieceLines = std::min<qsizetype>(static_cast<qsizetype>(lines->size()) - 2, *pieceCount);
  game.pieces.reserve(pieceLines);
  for (qsizetype index = 2; index < 2 + pieceLines; ++index) {
    const std::optional<SavedPiece> piece = readPiece((*lines)[index], index, *pieceCount, problem);
    if (!piece) return std::nullopt;
    game.pieces.push_back(*piece);
  }
  if (pieceLines < *pieceCount)
    return failure(problem,
                   QStringLiteral("the file ends after %1 of %2 pieces").arg(pieceLines).arg(*pieceCount));
  if (static_cast<qsizetype>(lines->size()) > 2 + pieceLines)
    return failure(problem, atLine(2 + pieceLines, "unexpected line after the last piece"));
  return game;
}

}  // namespace tarsio
