// Writing a whole file so that it is either all there under its name or not changed at all, and
// moving a file out of sight and back unchanged.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tarsio {

// Whether the file was written, and when it was not, why, as an Italian sentence for the player
// ("il disco è pieno.") and as the system's error number.
struct DurableWrite {
  bool written = false;
  QString reason;
  int error = 0;
};

// Puts `bytes` into the file `path` (the file a symbolic link leads to, when `path` is one; the link
// stays). The bytes go to a new file beside it, reach the disk, and only then take the file's name in
// one step. On any failure the old file keeps every byte and no new file is left behind. A folder
// that takes no new file gets no save, even when the old file could be rewritten in place: a rewrite
// that fails halfway would leave neither the old game nor the new. A file that this user may not write
// is not replaced either: made read-only, it is to stay as it is.
// The file gets the permission bits `mode` (0600: its owner's only) exactly, whatever the umask; by
// default those of the file it replaces, or for a new file 0666 less the umask.
DurableWrite writeDurably(const QString& path, QByteArrayView bytes, std::optional<unsigned> mode = {});

// Makes a write past the process's file-size limit fail with an error, reported like any failed
// write, where the system's default would end the program. Called once at start, before any thread.
void letOversizedWritesFail();

// Moves the file at `path` (a symbolic link itself, not what it leads to) under a new name in its
// folder, with its bytes, permissions and owner, never over another file. With no `marker` the name is
// hidden, for a file to be put back or dropped; with one it is `path` + "." + `marker` + "-" + the local
// date and time (yyyyMMdd-hhmmss), for a damaged file kept for the player to look at. Gives the new
// name, or "" when it cannot be moved or is no file (a folder).
QString setAside(const QString& path, const QString& marker = {});

// Moves a file set aside back to `path`, unless another file has taken that name meanwhile.
DurableWrite putBack(const QString& aside, const QString& path);

}  // namespace tarsio
