// The game's sounds over QSoundEffect: small WAV files embedded in the program, loaded once.
#include "platform/Sounds.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace tarsio {

namespace {

// Soft enough to sit under the player's own music.
constexpr float Volume = 0.5f;

// Qt's sound layer tells the terminal when there is no sound server; the game has nothing to say.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

Sounds::Sounds() = default;
Sounds::~Sounds() = default;

void Sounds::setOn(bool on) {
  on_ = on;
  if (on_ && !loaded_) load();
}

void Sounds::load() {
  loaded_ = true;
  const QtMessageHandler previous = qInstallMessageHandler(quiet);
  const QAudioDevice output = QMediaDevices::defaultAudioOutput();
  qInstallMessageHandler(previous);
  if (output.isNull()) return;
  const char* files[] = {"qrc:/sounds/docked.wav", "qrc:/sounds/freed.wav", "qrc:/sounds/completed.wav"};
  for (std::size_t k = 0; k < effects_.size(); ++k) {
    effects_[k] = std::make_unique<QSoundEffect>(output);
    effects_[k]->setSource(QUrl(QString::fromLatin1(files[k])));
    effects_[k]->setVolume(Volume);
  }
}

void Sounds::play(Sound sound) {
  QSoundEffect* effect = effects_[static_cast<std::size_t>(sound)].get();
  if (on_ && effect) effect->play();
}

}  // namespace tarsio
