// Writing and checking-reading of the saved-game file.
#include "savegame/SavedGame.h"

#include <QByteArrayView>
#include <QFile>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "picture/GridSize.h"
#include "platform/FileBytes.h"

namespace tarsio {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';
constexpr QByteArrayView TrueField = "#TRUE#";
constexpr QByteArrayView FalseField = "#FALSE#";
constexpr int MaxOrientation = 7;
// "#FALSE#,-2147483648,-2147483648\r\n"
constexpr qsizetype MaxPieceLineBytes = 33;

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
    const char* const end = line_.data() + line_.size();
    const char* at = line_.data() + pos_;
    const bool negative = at != end && *at == '-';
    at += negative ? 1 : 0;
    const char* const firstDigit = at;
    long long value = 0;
    for (; at != end && static_cast<unsigned char>(*at - '0') < 10; ++at) {
      value = value * 10 + (*at - '0');
      if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (at == firstDigit) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    pos_ = at - line_.data();
    return static_cast<int>(value);
  }

  std::optional<bool> boolean() {
    if (literal(TrueField)) return true;
    if (literal(FalseField)) return false;
    return std::nullopt;
  }

 private:
  // The field compared byte by byte: a call into the library costs more than these few bytes.
  bool literal(QByteArrayView field) {
    if (line_.size() - pos_ < field.size()) return false;
    for (qsizetype i = 0; i < field.size(); ++i)
      if (line_[pos_ + i] != field[i]) return false;
    pos_ += field.size();
    return true;
  }

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

// The lines of the file one at a time, without their ends (LF, or CR LF), empty lines at the end left
// out. Reading them in place keeps a long file from being copied or indexed first.
class LineReader {
 public:
  // The bytes must end with a line end (complete()).
  explicit LineReader(QByteArrayView bytes) : bytes_(bytes), end_(bytes.size()) {
    while (end_ > 0) {
      const qsizetype start = end_ >= 2 ? bytes_.lastIndexOf('\n', end_ - 2) + 1 : 0;
      const qsizetype length = end_ - 1 - start;
      if (length > 1 || (length == 1 && bytes_[start] != '\r')) break;
      end_ = start;
    }
  }
  // The last line must have its line end, so a file cut short inside a number is not taken for a whole one.
  static bool complete(QByteArrayView bytes) { return bytes.isEmpty() || bytes.endsWith('\n'); }
  bool atEnd() const { return pos_ >= end_; }
  QByteArrayView next() {
    const qsizetype end = bytes_.indexOf('\n', pos_);
    QByteArrayView line = bytes_.sliced(pos_, end - pos_);
    pos_ = end + 1;
    if (line.endsWith('\r')) line.chop(1);
    return line;
  }

 private:
  QByteArrayView bytes_;
  qsizetype end_;
  qsizetype pos_ = 0;
};

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

bool fileCanHoldPicturePath(const QString& picturePath) {
  return !picturePath.contains(u'\n') && !picturePath.contains(u'\r');
}

QByteArray formatSavedGame(const SavedGame& game) {
  constexpr char LineEnd[] = "\r\n";
  QByteArray bytes = quotedField(QFile::encodeName(game.picturePath)) + LineEnd;
  bytes += quotedField(game.rowText.toLocal8Bit()) + Comma + quotedField(game.columnText.toLocal8Bit());
  bytes += Comma + QByteArray::number(game.scrambleCode) + LineEnd;
  // The piece lines are written straight into the bytes, sized once for the longest possible lines.
  qsizetype at = bytes.size();
  bytes.resize(at + qsizetype(game.pieces.size()) * MaxPieceLineBytes);
  char* const out = bytes.data();
  char* const end = out + bytes.size();
  for (const SavedPiece& piece : game.pieces) {
    const QByteArrayView docked = piece.docked ? TrueField : FalseField;
    std::memcpy(out + at, docked.data(), docked.size());
    at += docked.size();
    out[at++] = Comma;
    // An orientation is one digit: written directly, without the general conversion.
    if (piece.orientation >= 0 && piece.orientation <= 9)
      out[at++] = static_cast<char>('0' + piece.orientation);
    else
      at = std::to_chars(out + at, end, piece.orientation).ptr - out;
    out[at++] = Comma;
    at = std::to_chars(out + at, end, piece.startCell).ptr - out;
    out[at++] = '\r';
    out[at++] = '\n';
  }
  bytes.truncate(at);
  return bytes;
}

std::optional<SavedGame> parseSavedGame(const QByteArray& bytes, QString* problem) {
  if (!LineReader::complete(bytes))
    return failure(problem, QStringLiteral("the last line has no line end (file truncated)"));
  LineReader lines(bytes);
  const QByteArrayView pathLine = lines.atEnd() ? QByteArrayView() : lines.next();
  if (lines.atEnd()) return failure(problem, QStringLiteral("the file ends before the grid line"));
  const QByteArrayView gridLine = lines.next();
  SavedGame game;
  const std::optional<QString> path = readPicturePath(pathLine, problem);
  if (!path) return std::nullopt;
  game.picturePath = *path;
  const std::optional<int> pieceCount = readGrid(gridLine, game, problem);
  if (!pieceCount) return std::nullopt;
  game.pieces.reserve(*pieceCount);
  qsizetype index = 2;
  for (; index < 2 + *pieceCount && !lines.atEnd(); ++index) {
    const std::optional<SavedPiece> piece = readPiece(lines.next(), index, *pieceCount, problem);
    if (!piece) return std::nullopt;
    game.pieces.push_back(*piece);
  }
  const qsizetype pieceLines = index - 2;
  if (pieceLines < *pieceCount)
    return failure(problem,
                   QStringLiteral("the file ends after %1 of %2 pieces").arg(pieceLines).arg(*pieceCount));
  if (!lines.atEnd()) return failure(problem, atLine(index, "unexpected line after the last piece"));
  return game;
}

std::optional<SavedGame> readSavedGameFile(const QString& fileName) {
  constexpr qint64 MaxSavedGameBytes = 4 * 1024 * 1024;
  const std::optional<QByteArray> bytes = readRegularFile(fileName, MaxSavedGameBytes);
  if (!bytes) return std::nullopt;
  return parseSavedGame(*bytes);
}

}  // namespace tarsio
