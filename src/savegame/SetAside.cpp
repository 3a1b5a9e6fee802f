// Setting a damaged file aside under a dated name.
#include "savegame/SetAside.h"

#include <QDateTime>
#include <QFile>

namespace tarsio {

QString setAside(const QString& file, const QString& marker) {
  const QString aside = file + u'.' + marker + u'-' +
                        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
  QFile::rename(file, aside);
  return aside;
}

}  // namespace tarsio
