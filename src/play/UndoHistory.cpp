// The history of the player's gestures on pieces.
#include "play/UndoHistory.h"

#include <algorithm>

namespace tarsio {

void UndoHistory::begin(int holder, const std::vector<int>& pieces) {
  if (open_ && holder_ == holder) return;
  holder_ = holder;
  open_ = Gesture{};
  open_->changes.reserve(pieces.size());
  for (int piece : pieces) open(piece);
}

// A tray is taken as it is the first time one of its pieces joins the step.
void UndoHistory::open(int piece) {
  const PieceState now = stateOf_(piece);
  open_->changes.push_back({piece, now, now});
  const auto taken = [&](const TrayOrder& order) { return order.number == now.tray; };
  if (now.tray && std::none_of(open_->traysLeft.begin(), open_->traysLeft.end(), taken))
    open_->traysLeft.push_back({now.tray, orderOf_(now.tray)});
}

// Each piece once, looked up among the step's pieces by halving, so a group of thousands comes in fast.
void UndoHistory::include(const std::vector<int>& pieces) {
  if (!open_) return;
  std::vector<int> held;
  held.reserve(open_->changes.size());
  for (const PieceChange& c : open_->changes) held.push_back(c.piece);
  std::sort(held.begin(), held.end());
  std::vector<int> added = pieces;
  std::sort(added.begin(), added.end());
  added.erase(std::unique(added.begin(), added.end()), added.end());
  for (int piece : added)
    if (!std::binary_search(held.begin(), held.end(), piece)) open(piece);
}

void UndoHistory::finish(int holder) {
  if (!open_ || holder_ != holder) return;
  Gesture gesture = std::move(*open_);
  open_.reset();
  std::erase_if(gesture.changes, [&](PieceChange& change) {
    change.after = stateOf_(change.piece);
    return change.after == change.before;
  });
  std::erase_if(gesture.traysLeft, [&](const TrayOrder& order) {
    return std::none_of(gesture.changes.begin(), gesture.changes.end(), [&](const PieceChange& change) {
      return change.before.tray == order.number && change.after.tray != order.number;
    });
  });
  if (gesture.changes.empty() && gesture.areasBefore == gesture.areasAfter && gesture.traysMade.empty() &&
      gesture.traysRemoved.empty())
    return;
  keep(std::move(gesture));
}

void UndoHistory::keepTray(std::vector<MadeTray> Gesture::*trays, MadeTray tray) {
  if (open_) return ((*open_).*trays).push_back(std::move(tray));
  Gesture gesture;
  (gesture.*trays).push_back(std::move(tray));
  keep(std::move(gesture));
}

void UndoHistory::keep(Gesture gesture) {
  gestures_.resize(done_);
  gestures_.push_back(std::move(gesture));
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
