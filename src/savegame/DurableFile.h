// Writing a whole file so that it is either all there under its name or not changed at all.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace tarsio {

// Whether the file was written, and when it was not, why, as an Italian sentence for the player
// ("il disco è pieno.").
struct DurableWrite {
  bool written = false;
  QString reason;
};

// Puts `bytes` into the file `path` (the file a symbolic link leads to, when `path` is one; the link
// stays). The bytes go to a new file beside it, reach the disk, and only then take the file's name in
// one step, with the old file's permissions. On any failure the old file keeps every byte and no new
// file is left behind. A folder that takes no new file gets no save, even when the old file could be
// rewritten in place: a rewrite that fails halfway would leave neither the old game nor the new.
DurableWrite writeDurably(const QString& path, QByteArrayView bytes);

}  // namespace tarsio
