// The game's short sounds, played through the system's default sound output while they are on.
#pragma once

#include <array>
#include <memory>

class QSoundEffect;

namespace tarsio {

enum class Sound { Docked, Freed, Completed };

class Sounds {
 public:
  Sounds();
  ~Sounds();
  Sounds(const Sounds&) = delete;
  Sounds& operator=(const Sounds&) = delete;

  bool on() const { return on_; }
  // Nothing of the sound system is touched until the sounds are first switched on.
  void setOn(bool on);
  // Plays the sound while the sounds are on; a machine without a sound output plays nothing and
  // says nothing.
  void play(Sound sound);

 private:
  void load();
  bool on_ = false;
  bool loaded_ = false;
  std::array<std::unique_ptr<QSoundEffect>, 3> effects_;
};

}  // namespace tarsio
