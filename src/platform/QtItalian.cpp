// Loading Qt's Italian translation at start.
#include "platform/QtItalian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarsio {

bool installQtItalian(QTranslator& translator) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  return translator.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
         QCoreApplication::installTranslator(&translator);
}

}  // namespace tarsio
