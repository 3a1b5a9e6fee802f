// The records of completed games: their file format, the best time, and the book in the state folder.
#include "savegame/Records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QThreadPool>
#include <algorithm>
#include <cctype>
#include <tuple>
#include <utility>

#include "savegame/DurableFile.h"

namespace tarsio {

namespace {

const QByteArray Header = "tarsio-record 1";
constexpr int FieldCount = 7;
// Far more than a lifetime of games; a larger file is not one the writer made.
constexpr qint64 MaxRecordsBytes = 8 * 1024 * 1024;

std::optional<long long> number(const QByteArray& field, long long least, long long most) {
  bool ok = false;
  const long long value = field.toLongLong(&ok);
  // toLongLong takes a sign and spaces the writer never puts.
  if (!ok || field.isEmpty() || !std::isdigit(static_cast<unsigned char>(field.front())) || value < least ||
      value > most)
    return std::nullopt;
  return value;
}

std::optional<GameRecord> parseLine(const QByteArray& line) {
  const QList<QByteArray> fields = line.split(' ');
  if (fields.size() != FieldCount) return std::nullopt;
  GameRecord record;
  record.completed = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
  const auto rows = number(fields[1], 2, 1 << 20), columns = number(fields[2], 2, 1 << 20),
             scramble = number(fields[3], 1, 4), ms = number(fields[4], 0, INT64_MAX),
             hints = number(fields[5], 0, INT32_MAX);
  record.picture = QString::fromUtf8(QByteArray::fromPercentEncoding(fields[6]));
  if (!record.completed.isValid() || !rows || !columns || !scramble || !ms || !hints || record.picture.isEmpty())
    return std::nullopt;
  record.completed = record.completed.toUTC();
  record.rows = int(*rows);
  record.columns = int(*columns);
  record.scramble = int(*scramble);
  record.playedMs = *ms;
  record.hints = int(*hints);
  return record;
}

auto groupKey(const GameRecord& r) {
  return std::make_tuple(QFileInfo(r.picture).fileName(), r.picture, r.rows, r.columns);
}

}  // namespace

QByteArray formatRecords(const std::vector<GameRecord>& records) {
  QByteArray bytes = Header + '\n';
  for (const GameRecord& r : records)
    bytes += r.completed.toUTC().toString(Qt::ISODate).toLatin1() + ' ' + QByteArray::number(r.rows) + ' ' +
             QByteArray::number(r.columns) + ' ' + QByteArray::number(r.scramble) + ' ' +
             QByteArray::number(qint64(r.playedMs)) + ' ' + QByteArray::number(r.hints) + ' ' +
             r.picture.toUtf8().toPercentEncoding() + '\n';
  return bytes;
}

std::optional<std::vector<GameRecord>> parseRecords(const QByteArray& bytes) {
  if (!bytes.endsWith('\n')) return std::nullopt;
  QList<QByteArray> lines = bytes.split('\n');
  lines.removeLast();
  if (lines.isEmpty() || lines.front() != Header) return std::nullopt;
  std::vector<GameRecord> records;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    std::optional<GameRecord> record = parseLine(lines[i]);
    if (!record) return std::nullopt;
    records.push_back(std::move(*record));
  }
  return records;
}

bool betterRecord(const GameRecord& a, const GameRecord& b) {
  return std::tie(a.playedMs, a.hints, a.completed) < std::tie(b.playedMs, b.hints, b.completed);
}

std::optional<GameRecord> bestRecord(const std::vector<GameRecord>& records, const QString& picture,
                                     int rows, int columns) {
  std::optional<GameRecord> best;
  for (const GameRecord& r : records)
    if (r.picture == picture && r.rows == rows && r.columns == columns && (!best || betterRecord(r, *best)))
      best = r;
  return best;
}

std::vector<GameRecord> recordsBestFirst(std::vector<GameRecord> records) {
  std::stable_sort(records.begin(), records.end(), [](const GameRecord& a, const GameRecord& b) {
    const auto ka = groupKey(a), kb = groupKey(b);
    return ka != kb ? ka < kb : betterRecord(a, b);
  });
  return records;
}

QString recordTimeText(std::int64_t milliseconds) {
  const std::int64_t seconds = milliseconds / 1000;
  const QString minutesAndSeconds =
      QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
  if (seconds < 3600) return minutesAndSeconds;
  return QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds, 5, QLatin1Char('0'));
}

QString completionText(const GameRecord& game, const GameRecord& best) {
  const QString hints = game.hints == 0   ? QStringLiteral("nessun aiuto")
                        : game.hints == 1 ? QStringLiteral("1 aiuto")
                                          : QStringLiteral("%1 aiuti").arg(game.hints);
  QString text = QStringLiteral("Tempo: %1, %2\nRecord per questa immagine e griglia: %3")
                     .arg(recordTimeText(game.playedMs), hints, recordTimeText(best.playedMs));
  if (best == game) text += QStringLiteral(" (questa partita)");
  return text;
}

RecordBook::RecordBook(const QString& folder)
    : file_(QDir(folder).filePath(QStringLiteral("record.txt"))), pool_(std::make_unique<QThreadPool>()) {
  // One thread: the files are written in the order of their records.
  pool_->setMaxThreadCount(1);
}

RecordBook::~RecordBook() { wait(); }

void RecordBook::wait() { pool_->waitForDone(); }

std::optional<QString> RecordBook::open() {
  if (std::exchange(opened_, true)) return std::nullopt;
  QFile file(file_);
  if (!file.exists()) return std::nullopt;
  std::optional<std::vector<GameRecord>> read;
  if (file.open(QIODevice::ReadOnly) && file.size() <= MaxRecordsBytes) read = parseRecords(file.readAll());
  file.close();
  if (read) {
    records_ = std::move(*read);
    return std::nullopt;
  }
  const QString aside = setAside(file_, QStringLiteral("danneggiato"));
  stuck_ = aside.isEmpty();
  return aside;
}

void RecordBook::add(const GameRecord& record, std::function<void(const DurableWrite&)> written) {
  records_.push_back(record);
  const auto handOver = [this, written](const DurableWrite& outcome) {
    QMetaObject::invokeMethod(
        &receiver_,
        [written, outcome] {
          if (written) written(outcome);
        },
        Qt::QueuedConnection);
  };
  if (stuck_)
    return handOver(
        {false, QStringLiteral("il file dei record è danneggiato e non si è potuto metterlo da parte."), 0});
  pool_->start(
      [file = file_, records = records_, handOver] { handOver(writeDurably(file, formatRecords(records))); });
}

}  // namespace tarsio
