// The playing time: counting while the player is at the game, and its text for the title.
#include "play/PlayTime.h"

#include <algorithm>

namespace tarsio {

void PlayTime::start(std::int64_t now, std::int64_t elapsed) {
  elapsed_ = elapsed;
  readAt_ = now;
  actedAt_ = now;
  counting_ = false;
}

void PlayTime::advance(std::int64_t now, bool counting) {
  if (counting_) elapsed_ += std::max<std::int64_t>(0, std::min(now, actedAt_ + IdleLimit) - readAt_);
  readAt_ = std::max(readAt_, now);
  counting_ = counting;
}

void PlayTime::playerActed(std::int64_t now) {
  advance(now, counting_);
  actedAt_ = now;
}

QString playTimeText(std::int64_t milliseconds) {
  const std::int64_t minutes = milliseconds / 60000;
  if (minutes < 60) return QStringLiteral("%1 min").arg(minutes);
  return QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

}  // namespace tarsio
