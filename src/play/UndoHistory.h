// The history of the player's gestures on pieces, for taking them back and doing them again.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tarsio {

// What a gesture can change of one piece: its top-left corner (twips), its orientation (0 to 7) and
// whether it is docked. The box follows from the orientation, the picture from both.
struct PieceState {
  double left = 0;
  double top = 0;
  int orientation = 0;
  bool docked = false;
  bool operator==(const PieceState&) const = default;
};

// One press-to-release on a piece that changed it: the piece as it was at the press and at the release.
struct Gesture {
  int piece = 0;
  PieceState before;
  PieceState after;
};

// The gestures of a game in order, with a cursor between those done and those taken back. A new gesture
// after an undo drops the ones taken back, as in any editor.
class UndoHistory {
 public:
  // A press on a piece opens a gesture. A further press on the same piece before its release (a second
  // button) belongs to the gesture already open.
  void begin(int piece, const PieceState& atPress);
  // The release closes the open gesture of that piece; it is kept only when the piece changed.
  void finish(int piece, const PieceState& atRelease);
  // The gesture to take back, moving the cursor before it; none when nothing is left to undo or a
  // press is open.
  std::optional<Gesture> undo();
  // The gesture to do again, moving the cursor after it; none when nothing is left to redo or a press
  // is open.
  std::optional<Gesture> redo();

  // Forgets every gesture, and the open press with them: the pieces have been rebuilt or rearranged.
  void clear();

 private:
  std::vector<Gesture> gestures_;
  std::size_t done_ = 0;  // gestures_[0, done_) are done, the rest taken back
  std::optional<Gesture> open_;
};

}  // namespace tarsio
