// The game in progress kept on disk: claiming a file under a lock, coalescing changes, formatting and
// writing on a thread of its own.
#include "savegame/GameKeeper.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QThreadPool>
#include <mutex>

#include "platform/Events.h"
#include "savegame/DurableFile.h"

namespace tarsio {

namespace {

constexpr int WriteDelayMs = 1000;
// The kept file is its owner's alone, whatever folder it lies in.
constexpr unsigned OwnerOnly = 0600;
const QString FilePattern = QStringLiteral("partita-*.tarsio");

QString slotFile(const QString& folder, int n) {
  return QDir(folder).filePath(QStringLiteral("partita-%1.tarsio").arg(n));
}

// A lock held while this copy runs; one left by a copy that died is taken over.
std::unique_ptr<QLockFile> tryLock(const QString& file) {
  auto lock = std::make_unique<QLockFile>(file + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

bool makeOwnerOnlyFolder(const QString& folder) {
  if (QFileInfo(folder).isDir()) return true;
  const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  return QDir().mkpath(QFileInfo(folder).absolutePath()) && QDir().mkdir(folder, ownerOnly);
}

}  // namespace

// Formats and writes games one at a time on a thread of its own. Of the jobs handed over while one is
// being written only the last counts: each holds the whole game, or the file's removal. Each write's
// outcome is handed to `done`, on the writing thread.
class FileWriter {
 public:
  using Done = std::function<void(const DurableWrite&)>;
  explicit FileWriter(Done done) : done_(std::move(done)) { pool_.setMaxThreadCount(1); }
  ~FileWriter() { pool_.waitForDone(); }

  // No game: the file is removed.
  void put(const QString& path, std::shared_ptr<const KeptGame> game) {
    const std::lock_guard<std::mutex> hold(mutex_);
    next_ = Job{path, std::move(game)};
    if (busy_) return;
    busy_ = true;
    pool_.start([this] { drain(); });
  }
  void wait() { pool_.waitForDone(); }

 private:
  struct Job {
    QString path;
    std::shared_ptr<const KeptGame> game;
  };

  void drain() {
    for (;;) {
      Job job;
      {
        const std::lock_guard<std::mutex> hold(mutex_);
        if (!next_) {
          busy_ = false;
          return;
        }
        job = std::move(*next_);
        next_.reset();
      }
      if (job.game)
        done_(writeDurably(job.path, formatKeptGame(*job.game), OwnerOnly));
      else
        QFile::remove(job.path);
    }
  }

  Done done_;
  QThreadPool pool_;
  std::mutex mutex_;
  std::optional<Job> next_;
  bool busy_ = false;
};

GameKeeper::GameKeeper(const QString& folder, Snapshot snapshot)
    : folder_(folder),
      snapshot_(std::move(snapshot)),
      writer_(std::make_unique<FileWriter>([this](const DurableWrite& result) {
        QMetaObject::invokeMethod(
            &timer_, [this, result] { written(result.written, result.reason); }, Qt::QueuedConnection);
      })) {
  timer_.setSingleShot(true);
  timer_.setInterval(WriteDelayMs);
  timer_.callOnTimeout([this] { write(false); });
  if (makeOwnerOnlyFolder(folder_)) claim(true);
}

// The writer posts each outcome to the timer, which goes before the writer: no write may be running then.
GameKeeper::~GameKeeper() { writer_->wait(); }

void GameKeeper::claim(bool reuseLeftBehind) {
  lock_.reset();
  file_.clear();
  last_.reset();
  const QDir dir(folder_);
  if (reuseLeftBehind) {
    for (const QFileInfo& left : dir.entryInfoList({FilePattern}, QDir::Files, QDir::Time)) {
      if (auto lock = tryLock(left.filePath())) {
        lock_ = std::move(lock);
        file_ = offered_ = left.filePath();
        return;
      }
    }
  }
  for (int n = 1; n < 1000; ++n) {
    const QString candidate = slotFile(folder_, n);
    if (QFileInfo::exists(candidate)) continue;
    if (auto lock = tryLock(candidate)) {
      lock_ = std::move(lock);
      file_ = candidate;
      return;
    }
  }
}

void GameKeeper::changed() {
  if (!timer_.isActive()) timer_.start();
}

// Only the time goes on while the player thinks: that alone is written when the game is flushed.
void GameKeeper::write(bool timeCounts) {
  if (!timeCounts && InputHold::holding()) return InputHold::afterInput(&timer_, [this] { changed(); });
  std::optional<KeptGame> game = snapshot_();
  if (!game) return;
  if (last_) {
    const std::int64_t played = std::exchange(game->playedMs, timeCounts ? game->playedMs : last_->playedMs);
    if (*game == *last_) return;
    game->playedMs = played;
  }
  if (file_.isEmpty()) return written(false, QStringLiteral("la cartella non è utilizzabile."));
  last_ = std::make_shared<const KeptGame>(std::move(*game));
  writer_->put(file_, last_);
}

void GameKeeper::written(bool ok, const QString& reason) {
  const bool told = failing_;
  failing_ = !ok;
  // A game that did not reach the disk is written again at the next change, even one of its time alone.
  if (!ok) last_.reset();
  if (!ok && !told && onWriteFailed) onWriteFailed(file_.isEmpty() ? folder_ : file_, reason);
}

void GameKeeper::flush() {
  timer_.stop();
  write(true);
  writer_->wait();
}

void GameKeeper::forget() {
  timer_.stop();
  last_.reset();
  if (!file_.isEmpty()) writer_->put(file_, nullptr);
  offered_.clear();
}

std::optional<QString> GameKeeper::setAsideOffered() {
  const QString aside = setAside(offered_, QStringLiteral("danneggiata"));
  offered_.clear();
  if (!aside.isEmpty()) return aside;
  // The damaged file is not written over: it stays for the player to look at.
  claim(false);
  return std::nullopt;
}

void GameKeeper::detach() {
  flush();
  lock_.reset();
  file_.clear();
  last_.reset();
  offered_.clear();
}

bool GameKeeper::adopt(const QString& file) {
  auto lock = tryLock(file);
  if (!lock) return false;
  flush();
  lock_ = std::move(lock);
  file_ = file;
  last_.reset();
  offered_.clear();
  failing_ = false;
  return true;
}

QStringList GameKeeper::keptFiles(const QString& folder) {
  QStringList files;
  for (const QFileInfo& kept : QDir(folder).entryInfoList({FilePattern}, QDir::Files, QDir::Time))
    files << kept.filePath();
  return files;
}

// Taking a lock writes its file to the disk; a file without one is held by no copy, and is not locked.
bool GameKeeper::held(const QString& file) {
  return QFileInfo::exists(file + QStringLiteral(".lock")) && !tryLock(file);
}

void GameKeeper::leaveOffered() {
  offered_.clear();
  claim(false);
}

}  // namespace tarsio
