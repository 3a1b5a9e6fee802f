// Many pieces at once: selecting them, carrying and turning them together, turning the piece in the
// hand, and the commands that turn every selected piece.
#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <algorithm>

#include "board/Board.h"
#include "pieces/Orientation.h"
#include "play/Docking.h"
#include "play/DragLimits.h"

namespace tarsio {

namespace {

QPointF centreOf(const ImageElement& piece) { return piece.boxTwips().center(); }

// A new place for every piece of `hand`: the orientation and the centre each is to have. The place is
// taken only when no piece of it is refused, so the hand moves or turns as a whole or not at all. A
// piece that already lies where a drag could not put it (put there by a command) refuses nothing.
struct Placing {
  int piece;
  int orientation;
  QPointF centre;
};

bool placeHand(Board& board, const std::vector<Placing>& placings) {
  const GameState& game = board.game;
  const DragSurroundings around = board.dragSurroundings();
  for (const Placing& p : placings) {
    const QSizeF box = boxOf(p.orientation, game.CellWidth, game.CellHeight);
    if (placeRefused(QRectF(p.centre - QPointF(box.width(), box.height()) / 2, box), around) &&
        !placeRefused(board.ImA(p.piece).boxTwips(), around))
      return false;
  }
  for (const Placing& p : placings) {
    if (game.Orientation[p.piece] != p.orientation)
      board.drawInOrientation(p.piece, p.orientation, Board::PiecePlace::Stay);
    ImageElement& piece = board.ImA(p.piece);
    piece.Move(p.centre.x() - piece.Width() / 2, p.centre.y() - piece.Height() / 2);
  }
  return true;
}

// After the hand turned about the pointer, the held piece keeps the pointer where it is.
void regrip(Board& board, QPointF pointer) {
  GameState& game = board.game;
  const ImageElement& held = board.ImA(game.SelectedPiece);
  game.GrabX = pointer.x() - held.Left();
  game.GrabY = pointer.y() - held.Top();
  game.DragLeft = held.Left();
  game.DragTop = held.Top();
  board.selection.refresh();
  board.refreshGroupOutline();
  board.setFrameVisible(false);
}

// Gives every selected piece, with its group, the orientation `turn` makes of its own. One step of the
// history; nothing while a piece is in the player's hand.
void turnSelected(Board& board, int (*turn)(int)) {
  if (board.game.SelectedPiece != NoPiece || board.selection.empty()) return;
  const std::vector<int> hand = board.handOf(board.selection.pieces().front());
  board.undoHistory.begin(UndoHistory::Command, hand);
  {
    const PacedRepaints paced(board.canvas);
    board.turnHand(hand, NoPiece, turn);
  }
  board.undoHistory.finish(UndoHistory::Command);
}

// Where a group turns about: the pivot's centre when the group holds it, else the middle of its pieces.
QPointF pivotOf(const Board& board, const std::vector<int>& group, int pivot) {
  if (std::find(group.begin(), group.end(), pivot) != group.end()) return centreOf(board.ImA(pivot));
  QRectF all;
  for (int i : group) all |= board.ImA(i).boxTwips();
  return all.center();
}

int faceUp(int v) { return v > 3 ? v - 4 : v; }
int upright(int v) { return v > 3 ? 4 : 0; }

}  // namespace

void Board::selectAll() {
  if (game.GamePhase != 3) return;
  std::vector<int> inSight;
  for (int i = 0; i < game.PieceCount; ++i)
    if (!game.Docked[i] && pieceShown(i)) inSight.push_back(i);
  selection.add(inSight);
}

void Board::endSelection() {
  selection.clear();
  if (selection.drawing()) selection.endRectangle();
}

void Board::moveGroup(int index, const MouseArgs& args) {
  ImageElement& held = ImA(index);
  const QPointF by(game.DragLeft + args.x - game.GrabX - held.Left(),
                   game.DragTop + args.y - game.GrabY - held.Top());
  std::vector<Placing> placings;
  placings.reserve(Carried.size());
  for (int i : Carried) placings.push_back({i, game.Orientation[i], centreOf(ImA(i)) + by});
  const PacedRepaints paced(canvas);
  if (!placeHand(*this, placings)) {
    held.setMousePointer(PointerNoDrop);
    return;
  }
  held.setMousePointer(PointerSizeAll);
  game.DragLeft = held.Left();
  game.DragTop = held.Top();
  selection.refresh();
  followGroupOutline();
  setFrameVisible(false);
}

// A piece of a group near its home takes the whole group home.
void Board::putGroupDown(const std::vector<int>& hand) {
  const GridPlace grid{game.GridLeft, game.GridTop, game.CellWidth, game.CellHeight, game.ColumnCount};
  std::vector<int> home;
  for (int i : hand)
    if (docks(homePosition(i, grid), ImA(i).Left(), ImA(i).Top(), game.Orientation[i]))
      for (int j : groups.withGroup(i)) home.push_back(j);
  for (int i : home)
    if (!game.Docked[i]) dockPiece(i);
  refreshGroupOutline();
}

void Board::turnInHand(int quarterTurns) {
  const int held = game.SelectedPiece;
  if (held == NoPiece || game.Docked[held] || mSpos.Checked()) return;
  const QPointF pointer(ImA(held).Left() + game.GrabX, ImA(held).Top() + game.GrabY);
  std::vector<Placing> placings;
  for (int i : handOf(held)) {
    int v = game.Orientation[i];
    for (int k = 0; k < ((quarterTurns % 4) + 4) % 4; ++k) v = quarterTurn(v);
    placings.push_back({i, v, turnedAbout(centreOf(ImA(i)), pointer, quarterTurns)});
  }
  if (placeHand(*this, placings)) regrip(*this, pointer);
}

void Board::flipInHand() {
  const int held = game.SelectedPiece;
  if (held == NoPiece || game.Docked[held] || !(mRove.Checked() || mTrasp.Checked())) return;
  const QPointF pointer(ImA(held).Left() + game.GrabX, ImA(held).Top() + game.GrabY);
  std::vector<Placing> placings;
  for (int i : handOf(held))
    placings.push_back({i, frontBack(game.Orientation[i]), flippedAbout(centreOf(ImA(i)), pointer)});
  if (placeHand(*this, placings)) regrip(*this, pointer);
}

void Board::turnHand(const std::vector<int>& hand, int pivot, int (*turn)(int)) {
  std::vector<char> done(game.PieceCount, 0);
  for (int i : hand) {
    if (std::exchange(done[i], 1)) continue;
    const std::vector<int> group = groups.withGroup(i);
    const int before = game.Orientation[i], after = turn(before);
    if (after == before) continue;
    if (group.size() == 1) {
      drawInOrientation(i, after, (after - before) % 2 != 0 ? PiecePlace::TurnBox : PiecePlace::Stay);
      continue;
    }
    const QPointF about = pivotOf(*this, group, pivot);
    const bool flips = (before > 3) != (after > 3);
    for (int m : group) {
      done[m] = 1;
      const QPointF centre = flips ? flippedAbout(centreOf(ImA(m)), about)
                                   : turnedAbout(centreOf(ImA(m)), about, after - before);
      drawInOrientation(m, turn(game.Orientation[m]), PiecePlace::Stay);
      ImA(m).Move(centre.x() - ImA(m).Width() / 2, centre.y() - ImA(m).Height() / 2);
    }
  }
  selection.refresh();
  refreshGroupOutline();
}

void Board::mScopri_Click() { turnSelected(*this, faceUp); }
void Board::mRaddrizza_Click() { turnSelected(*this, upright); }

// A plain press on the bare board ends the selection; Shift + press begins a rectangle that adds the
// loose pieces in sight it touches.
void Board::Form_MouseUp(const MouseArgs& args) {
  if (trayTitleMouse(MouseAction::Up, args) || !selection.drawing()) return;
  selection.stretchRectangle({args.x, args.y});
  std::vector<std::pair<int, QRectF>> inSight;
  for (int i = 0; i < game.PieceCount && game.GamePhase == 3; ++i)
    if (!game.Docked[i] && pieceShown(i)) inSight.emplace_back(i, ImA(i).boxTwips());
  selection.add(piecesTouched(selection.endRectangle(), inSight));
}

// The commands are there whenever gathering is.
void Board::createGroupCommands(QMenu* actions) {
  const auto item = [&](MenuItem& menuItem, const QString& caption, std::function<void()> run) {
    menuItem.attach(actions->addAction(caption));
    menuItem.onClick = std::move(run);
    enableWithGathering(menuItem);
  };
  item(mScopri, QStringLiteral("Sco&pri"), [this] { mScopri_Click(); });
  item(mRaddrizza, QStringLiteral("&Raddrizza"), [this] { mRaddrizza_Click(); });
  auto* all = new QShortcut(QKeySequence::SelectAll, this);
  all->setContext(Qt::WindowShortcut);
  connect(all, &QShortcut::activated, this, [this] { selectAll(); });
  canvas->onWheelWhileHeld = [this](int notches) { turnInHand(notches); };
}

}  // namespace tarsio
