// Keeps the game in progress on disk: a file of its own per running copy, its owner's alone, written
// at most once a second and only when the game changed, formatted and written off the user-interface
// thread.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "savegame/KeptGame.h"

class QLockFile;

namespace tarsio {

class FileWriter;

class GameKeeper {
 public:
  // The game as it is now, or nothing when there is no game to keep or it is not to be gathered now
  // (a piece is in the player's hand: its release tells the keeper again).
  using Snapshot = std::function<std::optional<KeptGame>()>;

  // Claims a file in `folder` (made readable by its owner only) that no other running copy holds: the
  // most recent one a copy left behind, which is then offered, or else a new one. Without a usable
  // folder nothing is ever kept.
  GameKeeper(const QString& folder, Snapshot snapshot);
  // Waits until what was handed to the disk is there; a change still waiting is not written.
  ~GameKeeper();

  // Called on this thread when the game could not be written, with the file (the folder, when no file
  // could be had) and the reason; once, until a later write succeeds.
  std::function<void(const QString& file, const QString& reason)> onWriteFailed;

  // The game may have changed: a second later it is gathered, once no command holds the player's input
  // back, and written when it differs from the game last written in more than its time. However often
  // this is called, the game is gathered at most once a second.
  void changed();
  // Writes the game at once when it differs from the one last written, its time included, and waits
  // until every write has reached the disk.
  void flush();
  // The game is over (completed, reset, replaced): its file goes.
  void forget();

  // The file a previous run left for this copy to offer, or "" when there is none.
  QString offered() const { return offered_; }
  // The offered file is damaged: it is renamed out of the way, kept for inspection, and is no longer
  // offered. Gives its new name; nothing when it could not be renamed, and then it stays as it is and
  // this copy keeps its games in a new file of its own.
  std::optional<QString> setAsideOffered();
  // The offered file is to stay as it is (its picture is missing): this copy keeps its games in a
  // new file of its own instead.
  void leaveOffered();

  QString folder() const { return folder_; }
  // The file the game is kept in now, "" when there is none.
  QString file() const { return file_; }
  // Lets go of the file kept so far, once what was handed to the disk is there: it stays as last
  // written, for the shelf. Nothing is kept until adopt() or leaveOffered().
  void detach();
  // Keeps the game from now on in `file`, a game of the shelf taken up; false, with nothing changed,
  // when another running copy holds it.
  bool adopt(const QString& file);
  // The kept files of `folder`, the most recently written first.
  static QStringList keptFiles(const QString& folder);
  // Whether a running copy (this one too) holds `file`.
  static bool held(const QString& file);

 private:
  void claim(bool reuseLeftBehind);
  void write(bool timeCounts);
  void written(bool ok, const QString& reason);

  QString folder_;
  Snapshot snapshot_;
  QString file_;  // this copy's file, "" when there is none
  QString offered_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<FileWriter> writer_;
  QTimer timer_;
  // The game last handed to the writer; none when its file holds no game or its last write failed.
  std::shared_ptr<const KeptGame> last_;
  bool failing_ = false;  // the last write failed, and the player was told
};

}  // namespace tarsio
