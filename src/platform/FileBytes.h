// Reading a whole file that the player named, without waiting on it or reading it without end.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarsio {

// The bytes of the regular file at `path` (through symbolic links), read rather than mapped: a file
// that shrinks meanwhile (still being copied, on a stick pulled out) comes out short, where touching a
// mapped page past its new end would end the program. Nothing for a file that is missing or
// unreadable, larger than `maxBytes`, or no regular file (a device, a pipe, a folder): such a file
// could give bytes without end, or none until another program writes, and is not waited for.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

}  // namespace tarsio
