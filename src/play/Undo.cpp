// Taking the player's gestures on pieces back (Ctrl+Z) and doing them again (Ctrl+Y, Ctrl+Shift+Z).
#include <QKeyEvent>
#include <QShortcut>

#include "board/Board.h"

namespace tarsio {

namespace {

QList<QKeySequence> undoKeys() { return {QKeySequence(Qt::CTRL | Qt::Key_Z)}; }
QList<QKeySequence> redoKeys() {
  return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
}

// A text box claims Ctrl+Z and its kin for undoing its own typing. On the board these chords belong to
// the board's history wherever the focus is, so the box is not asked whether it wants them.
class BoardChords : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    return undoKeys().contains(pressed) || redoKeys().contains(pressed);
  }
};

}  // namespace

// The keys are shortcuts of the board window: Qt takes a matching chord before it becomes a typed key,
// so it reaches neither the board's letter keys nor the focused control. Input held back during a
// gathering holds these too; they run after it, on the history it has cleared.
void Board::createUndoKeys() {
  auto* undo = new QShortcut(this);
  undo->setKeys(undoKeys());
  undo->setContext(Qt::WindowShortcut);
  connect(undo, &QShortcut::activated, this, [this] { undoGesture(); });
  auto* redo = new QShortcut(this);
  redo->setKeys(redoKeys());
  redo->setContext(Qt::WindowShortcut);
  connect(redo, &QShortcut::activated, this, [this] { redoGesture(); });
  auto* chords = new BoardChords(this);
  for (TextBox* box : {&Righe, &Colonne}) box->widget()->installEventFilter(chords);
}

// Taking the completion back takes back the removal of the saved game it came from; doing it again
// removes the file again. A step of thousands of pieces is repainted once a frame.
void Board::undoGesture() {
  const std::optional<Gesture> gesture = undoHistory.undo();
  if (!gesture) {
    if (game.SelectedPiece == NoPiece) bringBackEndedGame();
    return;
  }
  const bool wasComplete = game.GamePhase == 4;
  const PacedRepaints paced(canvas);
  const bool areasMoved = gesture->areasBefore != gesture->areasAfter;
  if (areasMoved) setAreas(gesture->areasBefore);
  for (auto change = gesture->changes.rbegin(); change != gesture->changes.rend(); ++change)
    putPiece(change->piece, change->before);
  for (const MadeTray& tray : gesture->traysMade) trays.remove(tray.number);
  for (const MadeTray& tray : gesture->traysRemoved) trays.bringBack(tray.number, tray.title, tray.topLeft, {});
  for (const TrayOrder& order : gesture->traysLeft) trays.reorder(order.number, order.pieces);
  restoreGroups(*gesture, false);
  trays.layOutChanged(areasMoved);
  selection.refresh();
  if (wasComplete && game.GamePhase != 4) restoreRemovedSavedGame();
}

void Board::redoGesture() {
  const std::optional<Gesture> gesture = undoHistory.redo();
  if (!gesture) return;
  const PacedRepaints paced(canvas);
  const bool areasMoved = gesture->areasBefore != gesture->areasAfter;
  if (areasMoved) setAreas(gesture->areasAfter);
  for (const MadeTray& tray : gesture->traysMade)
    trays.bringBack(tray.number, tray.title, tray.topLeft, tray.pieces);
  for (const MadeTray& tray : gesture->traysRemoved) trays.remove(tray.number);
  for (const PieceChange& change : gesture->changes) putPiece(change.piece, change.after);
  restoreGroups(*gesture, true);
  trays.layOutChanged(areasMoved);
  selection.refresh();
}

PieceState Board::pieceState(int index) const {
  const ImageElement& piece = ImA(index);
  return {piece.Left(), piece.Top(), game.Orientation[index], game.Docked[index], trays.trayOf(index),
          groupLabel(index)};
}

// A docked piece is freed as by a right press before it moves, and docks as by a drag once it is home,
// so that completing the picture, and taking the completion back, go as by hand.
void Board::putPiece(int index, const PieceState& state) {
  if (game.Docked[index] && !state.docked) releaseDocked(index);
  if (game.Orientation[index] != state.orientation)
    drawInOrientation(index, state.orientation, PiecePlace::Stay);
  ImA(index).Move(state.left, state.top);
  // A tray gone since lets the piece lie loose where it was.
  if (trays.trayOf(index) != state.tray) {
    if (trays.exists(state.tray))
      trays.put(state.tray, {index});
    else
      trays.take({index});
  }
  if (!game.Docked[index] && state.docked) dockPiece(index);
}

}  // namespace tarsio
