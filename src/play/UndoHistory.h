// The history of the player's gestures on pieces, for taking them back and doing them again.
#pragma once

#include <QPointF>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace tarsio {

// What a gesture can change of one piece: its top-left corner (twips), its orientation (0 to 7),
// whether it is docked, the tray it lies in (0 for none) and its group of joined pieces (its lowest
// piece, -1 for none). The box follows from the orientation, the
// picture from both.
struct PieceState {
  double left = 0;
  double top = 0;
  int orientation = 0;
  bool docked = false;
  int tray = 0;
  int group = -1;
  bool operator==(const PieceState&) const = default;
};

// One piece as a step found it and left it.
struct PieceChange {
  int piece = 0;
  PieceState before;
  PieceState after;
};

// A tray a step made: its number, its title, its frame's top-left corner (twips) and its pieces, in
// their order, as the step left them.
struct MadeTray {
  int number = 0;
  QString title;
  QPointF topLeft;
  std::vector<int> pieces;
};

// A tray's pieces in their order.
struct TrayOrder {
  int number = 0;
  std::vector<int> pieces;
};

// One step the player can take back: a press-to-release on a piece (the pieces of the selection with
// it) or a command that moved many pieces. Its changes are in the order they were made; a piece appears
// at most once.
struct Gesture {
  std::vector<PieceChange> changes;
  // The signed count of area steps before and after the step.
  int areasBefore = 0;
  int areasAfter = 0;
  // The trays it made, which taking it back removes and doing it again makes again.
  std::vector<MadeTray> traysMade;
  // Each tray a piece left, in its order before the step, so that taking the step back puts the pieces
  // back in their places rather than at the tray's end.
  std::vector<TrayOrder> traysLeft;
  // The empty trays it removed, which taking it back makes again.
  std::vector<MadeTray> traysRemoved;
};

// The steps of a game in order, with a cursor between those done and those taken back. A new step
// after an undo drops the ones taken back, as in any editor.
class UndoHistory {
 public:
  using StateOf = std::function<PieceState(int piece)>;
  using OrderOf = std::function<std::vector<int>(int tray)>;
  // The holder of a step that a command opens rather than a press on a piece.
  static constexpr int Command = -1;

  // `stateOf` tells how a piece is now, `orderOf` the pieces of a tray.
  UndoHistory(StateOf stateOf, OrderOf orderOf) : stateOf_(std::move(stateOf)), orderOf_(std::move(orderOf)) {}

  // A press on piece `holder` (or a command, holder Command) opens a step over `pieces`, each taken as
  // it is now. A further press on the same piece before its release (a second button) belongs to the
  // step already open.
  void begin(int holder, const std::vector<int>& pieces);
  // The release (or the command's end) closes the open step of that holder; it keeps the pieces that
  // changed, and is kept only when one did.
  void finish(int holder);
  // Pieces the open step changes besides those it opened over, each taken as it is now.
  void include(const std::vector<int>& pieces);
  // The open step also moved the border between the areas from level `before` to `after`; it is kept
  // even when no piece changed.
  void areasMoved(int before, int after) {
    if (open_) std::tie(open_->areasBefore, open_->areasAfter) = std::pair(before, after);
  }
  // A tray was made, or an empty one removed: by the open step, or, with none open, as a step of its own.
  void trayMade(MadeTray tray) { keepTray(&Gesture::traysMade, std::move(tray)); }
  void trayRemoved(MadeTray tray) { keepTray(&Gesture::traysRemoved, std::move(tray)); }
  // Closes the open step, whatever its holder.
  void finishOpen() {
    if (open_) finish(holder_);
  }
  // The step to take back, moving the cursor before it; none when nothing is left to undo or a step is
  // open.
  std::optional<Gesture> undo();
  // The step to do again, moving the cursor after it; none when nothing is left to redo or a step is
  // open.
  std::optional<Gesture> redo();

  // Forgets every step, and the open one with them: the pieces have been rebuilt.
  void clear();

 private:
  void keep(Gesture gesture);
  void keepTray(std::vector<MadeTray> Gesture::*trays, MadeTray tray);
  // Piece `piece`, as it is now, joins the open step.
  void open(int piece);

  StateOf stateOf_;
  OrderOf orderOf_;
  std::vector<Gesture> gestures_;
  std::size_t done_ = 0;  // gestures_[0, done_) are done, the rest taken back
  int holder_ = 0;
  std::optional<Gesture> open_;
};

}  // namespace tarsio
