// Writing a whole file so that it is either the old file or the new one, on disk, never half of either.
#pragma once

#include <QByteArray>
#include <QString>

namespace tarsio {

// Writes `bytes` to a new file beside `path`, makes sure they reached the disk, and only then gives it
// the name `path` in one step. False when any step fails: the file at `path` is then as it was, and
// `reason`, when given, receives a short English description for diagnostics.
bool writeFileDurably(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

}  // namespace tarsio
