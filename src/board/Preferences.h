// The player's choices kept between runs: a small settings file in the per-user configuration folder.
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace tarsio {

// A remembered choice: its name in the file and the value it has while the file holds no good one.
struct FlagKey {
  const char* name;
  bool fallback;
};
struct ChoiceKey {  // one of `count` choices, 0 to count - 1
  const char* name;
  int fallback;
  int count;
};
struct TextKey {
  const char* name;
};

// Every choice the board remembers. A new one is a key here, read where the board starts and written
// where the player changes it.
namespace remembered {
inline constexpr FlagKey FaintPicture{"immagine_sotto_griglia", false};
inline constexpr ChoiceKey TableColour{"colore_tavolo", 0, 4};
inline constexpr FlagKey FullScreen{"schermo_intero", false};
inline constexpr FlagKey Sounds{"suoni", false};
inline constexpr FlagKey Joining{"pezzi_uniti", false};
inline constexpr ChoiceKey Scramble{"scomposizione", 3, 5};  // the marked option's code, 0 none
inline constexpr TextKey LastFolder{"ultima_cartella"};
}  // namespace remembered

// The folder of the settings file: "tarsio" in $XDG_CONFIG_HOME (by default ~/.config).
QString preferencesFolder();

class Preferences {
 public:
  // Reads "tarsio.conf" in `folder`. A damaged or unreadable file is ignored and goes, so that the
  // next choice writes a sound one; without a file every choice has its fallback and nothing is written
  // until the player changes one.
  explicit Preferences(const QString& folder);
  ~Preferences();

  bool get(const FlagKey& key) const;
  int get(const ChoiceKey& key) const;
  QString get(const TextKey& key) const;
  // Each change reaches the file at once; a choice given the value it already has writes nothing, so
  // that the file is made only when the player changes a choice. A file that cannot be written is left
  // alone, silently.
  void set(const FlagKey& key, bool value);
  void set(const ChoiceKey& key, int value);
  void set(const TextKey& key, const QString& value);

 private:
  void write(const char* name, const QString& value);
  QString path_;
  std::unique_ptr<QSettings> settings_;
};

}  // namespace tarsio
