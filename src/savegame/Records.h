// The best times: every completed game as a record, the small file that holds them, and the book of
// records in the state folder.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThreadPool;

#include "savegame/DurableFile.h"

namespace tarsio {

struct GameRecord {
  QString picture;  // the picture's full path
  int rows = 0, columns = 0;
  int scramble = 0;  // the scramble option, 1 to 4
  std::int64_t playedMs = 0;
  int hints = 0;
  QDateTime completed;  // whole seconds, UTC
  bool operator==(const GameRecord&) const = default;
};

// A first line naming the format, then one line per record: the date (ISO 8601, UTC), rows, columns,
// scramble option, milliseconds played, hints, and the picture's path percent-encoded.
QByteArray formatRecords(const std::vector<GameRecord>& records);
// Nothing for bytes that the writer could not have written.
std::optional<std::vector<GameRecord>> parseRecords(const QByteArray& bytes);

// Whether `a` is a better game than `b`: less time, then fewer hints, then the earlier one.
bool betterRecord(const GameRecord& a, const GameRecord& b);
// The best record of the picture and grid, or nothing when that picture and grid have none.
std::optional<GameRecord> bestRecord(const std::vector<GameRecord>& records, const QString& picture,
                                     int rows, int columns);
// Every record, grouped by picture (by file name, then path) and grid, each group best first.
std::vector<GameRecord> recordsBestFirst(std::vector<GameRecord> records);

// A time as the records show it: "0:45", "12:05", "1:02:03" (seconds dropped, not rounded).
QString recordTimeText(std::int64_t milliseconds);
// What the completion shows: this game's time and hints, and the best time of its picture and grid
// (which may be this game's own).
QString completionText(const GameRecord& game, const GameRecord& best);

// The records file of a folder, read once when first needed and written whole at each new record, on
// a thread of its own: the fsync of a slow disk does not hold the game up.
class RecordBook {
 public:
  explicit RecordBook(const QString& folder);
  // Waits until every record added is written.
  ~RecordBook();
  QString file() const { return file_; }
  // Reads the file the first time. A damaged file is renamed out of the way, kept for inspection, and
  // a new book begun: its new name is given, once; nothing otherwise. A damaged file that could not be
  // renamed gives "", and the book then writes nothing over it.
  std::optional<QString> open();
  const std::vector<GameRecord>& records() const { return records_; }
  // Adds the record to the book opened before and has the whole file written; `written`, when given,
  // is called on this thread with the outcome. The record stays in the book even when the file could
  // not be written.
  void add(const GameRecord& record, std::function<void(const DurableWrite&)> written = {});
  // Waits until every record added is written; the outcomes are handed over by this thread's events.
  void wait();

 private:
  QString file_;
  std::vector<GameRecord> records_;
  bool opened_ = false;
  bool stuck_ = false;  // a damaged file could not be moved out of the way
  QObject receiver_;    // on this thread: what each outcome is handed back through
  std::unique_ptr<QThreadPool> pool_;
};

}  // namespace tarsio
