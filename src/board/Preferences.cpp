// The remembered choices over QSettings, with every value checked as it is read.
#include "board/Preferences.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace tarsio {

QString preferencesFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("tarsio"));
}

Preferences::Preferences(const QString& folder)
    : path_(QDir(folder).filePath(QStringLiteral("tarsio.conf"))),
      settings_(std::make_unique<QSettings>(path_, QSettings::IniFormat)) {
  if (settings_->status() == QSettings::NoError) return;
  // QSettings keeps what it could read of a damaged file, and cannot rewrite one it cannot read.
  settings_.reset();
  QFile::remove(path_);
  settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
}

Preferences::~Preferences() = default;

bool Preferences::get(const FlagKey& key) const {
  const QString value = settings_->value(QLatin1String(key.name)).toString();
  if (value == u"true") return true;
  if (value == u"false") return false;
  return key.fallback;
}

int Preferences::get(const ChoiceKey& key) const {
  bool number = false;
  const int value = settings_->value(QLatin1String(key.name)).toString().toInt(&number);
  return number && value >= 0 && value < key.count ? value : key.fallback;
}

QString Preferences::get(const TextKey& key) const {
  return settings_->value(QLatin1String(key.name)).toString();
}

void Preferences::set(const FlagKey& key, bool value) {
  if (value != get(key)) write(key.name, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void Preferences::set(const ChoiceKey& key, int value) {
  if (value != get(key)) write(key.name, QString::number(value));
}

void Preferences::set(const TextKey& key, const QString& value) {
  if (value != get(key)) write(key.name, value);
}

void Preferences::write(const char* name, const QString& value) {
  settings_->setValue(QLatin1String(name), value);
  settings_->sync();
}

}  // namespace tarsio
