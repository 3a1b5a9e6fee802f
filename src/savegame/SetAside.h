// Damaged files of the state folder renamed out of the way, kept for inspection.
#pragma once

#include <QString>

namespace tarsio {

// Renames `file` to `file` + "." + `marker` + "-" + the local date and time (yyyyMMdd-hhmmss); gives
// the new name.
QString setAside(const QString& file, const QString& marker);

}  // namespace tarsio
