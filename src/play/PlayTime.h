// The playing time of a game: counted only while the game is played and the player is at it.
#pragma once

#include <QString>
#include <cstdint>

namespace tarsio {

// Time is read in milliseconds of a steady clock. The count runs while the caller says it may (the
// pieces are being played and the board window is active) and no longer than two minutes after the
// player's last action, so that a game left open does not count the hours nobody played it.
class PlayTime {
 public:
  static constexpr std::int64_t IdleLimit = 2 * 60 * 1000;

  // Starts a game at `now` with `elapsed` milliseconds already played (0 for a new one, the kept value
  // for a game brought back), the player acting now; nothing counts until the next advance() says so.
  void start(std::int64_t now, std::int64_t elapsed = 0);
  // Counts the time from the last reading to `now` if it was counting then, up to two minutes after the
  // player's last action; from `now` on it counts when `counting` holds.
  void advance(std::int64_t now, bool counting);
  // The player did something at `now`: the time up to now is counted as before, and the two minutes
  // start again.
  void playerActed(std::int64_t now);
  // Milliseconds counted so far: the value a game in progress keeps to come back with.
  std::int64_t elapsed() const { return elapsed_; }

 private:
  std::int64_t elapsed_ = 0;
  std::int64_t readAt_ = 0;
  std::int64_t actedAt_ = 0;
  bool counting_ = false;
};

// Whole minutes of `milliseconds` as the title shows them: "12 min", "1 h 12 min".
QString playTimeText(std::int64_t milliseconds);

}  // namespace tarsio
