// The history of the player's gestures on pieces.
#include "play/UndoHistory.h"

namespace tarsio {

void UndoHistory::begin(int piece, const PieceState& atPress) {
  if (open_ && open_->piece == piece) return;
  open_ = Gesture{piece, atPress, atPress};
}

void UndoHistory::finish(int piece, const PieceState& atRelease) {
  if (!open_ || open_->piece != piece) return;
  Gesture gesture = *open_;
  open_.reset();
  if (atRelease == gesture.before) return;
  gesture.after = atRelease;
  gestures_.resize(done_);
  gestures_.push_back(gesture);
  done_ = gestures_.size();
}

std::optional<Gesture> UndoHistory::undo() {
  if (open_ || done_ == 0) return std::nullopt;
  return gestures_[--done_];
}

std::optional<Gesture> UndoHistory::redo() {
  if (open_ || done_ == gestures_.size()) return std::nullopt;
  return gestures_[done_++];
}

void UndoHistory::clear() {
  gestures_.clear();
  done_ = 0;
  open_.reset();
}

}  // namespace tarsio
