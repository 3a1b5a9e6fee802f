// Play aids: how far along and for how long (in the title), the border pieces alone, the pieces like one
// alone, the picture hidden, where the held piece goes, and a sign when a piece docks or is freed.
#include <QEvent>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>

#include "board/Board.h"
#include "play/BorderRing.h"
#include "play/Docking.h"

namespace tarsio {

namespace {

constexpr int HintMs = 1000;
constexpr int CellSignMs = 500;
// The title shows whole minutes; reading the clock once a second keeps it at most a second late.
constexpr int TitleTickMs = 1000;

// Black and yellow together show on any picture; the dashed inner outline says that the piece will not
// dock as it is (turned or face down).
const MarkLook HintLook{Qt::transparent, Qt::black, QColor(255, 220, 0), false};
const MarkLook DockedLook{QColor(90, 255, 90, 110), QColor(0, 90, 0), Qt::white, false};
const MarkLook FreedLook{QColor(255, 140, 0, 110), QColor(140, 40, 0), Qt::white, false};

QRectF homeCell(const GameState& game, int index) {
  const HomePosition home =
      homePosition(index, {game.GridLeft, game.GridTop, game.CellWidth, game.CellHeight, game.ColumnCount});
  return {home.left, home.top, game.CellWidth, game.CellHeight};
}

// A key that may be a shortcut (Ctrl+Z) reaches the focused control only as a shortcut override.
bool isInput(QEvent::Type type) {
  switch (type) {
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
      return true;
    default:
      return false;
  }
}

bool inBoardWindow(const QObject* watched, const Board& board) {
  return watched == static_cast<const QObject*>(board.windowHandle()) ||
         (watched->isWidgetType() && static_cast<const QWidget*>(watched)->window() == &board);
}

// The window system's focus counts as well as the widgets' active window: after a modal dialog whose
// text box showed a completion list, Qt gives the board the focus again without making it active.
bool boardActive(const Board& board) {
  return board.isActiveWindow() ||
         (board.windowHandle() && QGuiApplication::focusWindow() == board.windowHandle());
}

// Shows the pieces the filters let through and hides the others, where they lie, and outlines only
// the groups' pieces in sight. A held piece that
// goes out of sight is let go where it is; its release still closes the gesture.
void applyFilters(Board& board) {
  GameState& game = board.game;
  if (game.SelectedPiece != NoPiece && !board.pieceShown(game.SelectedPiece)) {
    game.SelectedPiece = NoPiece;
    board.setFrameVisible(false);
  }
  for (int i = 0; i < game.PieceCount; ++i) board.ImA(i).setVisible(board.pieceShown(i));
  // Pieces out of sight are out of reach, and out of the selection.
  std::vector<int> kept;
  for (int i : board.selection.pieces())
    if (board.pieceShown(i)) kept.push_back(i);
  board.selection.clear();
  board.selection.add(kept);
  board.refreshGroupOutline();
}

void showMark(MarkElement& mark, QTimer& timer, const QRectF& cell, const MarkLook& look, int ms) {
  mark.setBox(cell);
  mark.setLook(look);
  mark.setVisible(true);
  timer.start(ms);
}

}  // namespace

void Board::createPlayAids() {
  for (QTimer* timer : {&hintTimer, &dockTimer}) timer->setSingleShot(true);
  connect(&hintTimer, &QTimer::timeout, this, [this] { hintMark.setVisible(false); });
  connect(&dockTimer, &QTimer::timeout, this, [this] { dockMark.setVisible(false); });
  connect(&titleTimer, &QTimer::timeout, this, [this] { refreshTitle(); });
  mBordi.setEnabled(false);
  mSimili.setEnabled(false);
}

// No filter is checked while the cut draws the pieces, before they have their docked states.
bool Board::pieceShown(int index) const {
  if ((!mBordi.Checked() && !mSimili.Checked()) || game.Docked[index]) return true;
  return (!mBordi.Checked() || onBorderRing(index, game.RowCount, game.ColumnCount)) &&
         (!mSimili.Checked() || labDistance(colours[index].mean, likeness.reference) <= likeness.limit);
}

// The pieces stay where they lie: the filters only take them out of sight, and out of reach with it.
void Board::mBordi_Click() {
  mBordi.setChecked(!mBordi.Checked());
  applyFilters(*this);
}

void Board::mSimili_Click() { showLikePieces(mSimili.Checked() ? 0 : 1); }

// Step 0, or one past the widest, shows every piece again. The likeness is of the colour of the piece
// held when the filter is checked, or else of the one the pointer is or was last over; with neither,
// the filter stays off.
void Board::showLikePieces(int step) {
  if (step < 1 || step > LikeSteps) {
    likeness.step = 0;
    mSimili.setChecked(false);
  } else {
    if (!mSimili.Checked()) {
      const int reference = game.SelectedPiece != NoPiece ? game.SelectedPiece : PointerPiece;
      if (reference == NoPiece) {
        dialogs.Beep();
        return;
      }
      likeness.reference = colours[reference].mean;
    }
    std::vector<int> loose;
    for (int i = 0; i < game.PieceCount; ++i)
      if (!game.Docked[i]) loose.push_back(i);
    likeness.limit = likeLimit(colours.all(), loose, likeness.reference, step);
    likeness.step = step;
    mSimili.setChecked(true);
  }
  applyFilters(*this);
}

void Board::mNascondi_Click() {
  mNascondi.setChecked(!mNascondi.Checked());
  ImaOrig.setVisible(!mNascondi.Checked());
}

void Board::showPictureAgain() {
  mNascondi.setChecked(false);
  ImaOrig.setVisible(true);
}

void Board::showHint() {
  const int held = game.SelectedPiece;
  if (held == NoPiece || game.GamePhase < 3) return;
  MarkLook look = HintLook;
  look.dashed = game.Orientation[held] != 0;
  // The cell is shown where the player can see it, at the zoom the player chose.
  canvas->bringIntoSight(homeCell(game, held));
  showMark(hintMark, hintTimer, homeCell(game, held), look, HintMs);
  ++HintCount;
  refreshTitle();
}

void Board::startPlayAids() {
  for (MenuItem* filter : {&mBordi, &mSimili}) {
    filter->setChecked(false);
    filter->setEnabled(true);
  }
  likeness.step = 0;
  PointerPiece = NoPiece;
  HintCount = 0;
  GameRecorded = false;
  playTime.start(clock());
  titleTimer.start(TitleTickMs);
  refreshTitle();
}

void Board::stopPlayAids() {
  for (MenuItem* filter : {&mBordi, &mSimili}) {
    filter->setChecked(false);
    filter->setEnabled(false);
  }
  likeness.step = 0;
  PointerPiece = NoPiece;
  showPictureAgain();
  titleTimer.stop();
  hintMark.setVisible(false);
  dockMark.setVisible(false);
  refreshTitle();
}

void Board::pieceDocked(int index) {
  ImA(index).setVisible(pieceShown(index));
  sounds.play(game.GamePhase == 4 ? Sound::Completed : Sound::Docked);
  showMark(dockMark, dockTimer, homeCell(game, index), DockedLook, CellSignMs);
  refreshTitle();
}

void Board::pieceFreed(int index) {
  sounds.play(Sound::Freed);
  ImA(index).setVisible(pieceShown(index));
  showMark(dockMark, dockTimer, homeCell(game, index), FreedLook, CellSignMs);
  refreshTitle();
}

// Only the window's title changes: the board is not repainted.
void Board::refreshTitle() {
  QString title = QString::fromLatin1(BoardCaption);
  if (game.GamePhase >= 3) {
    playTime.advance(clock(), game.GamePhase == 3 && boardActive(*this));
    const auto docked = std::count(game.Docked.begin(), game.Docked.begin() + game.PieceCount, true);
    title += QStringLiteral(" — %1 di %2 a posto — %3")
                 .arg(docked)
                 .arg(game.PieceCount)
                 .arg(playTimeText(playTime.elapsed()));
    if (HintCount > 0)
      title += HintCount == 1 ? QStringLiteral(", 1 aiuto") : QStringLiteral(", %1 aiuti").arg(HintCount);
  }
  setWindowTitle(title);
}

// Every event of the application passes here first; only the input of the board window counts (a
// press or a key may be seen twice, by the window and by the control it goes to).
void Board::followPlayer(QObject* watched, QEvent* event) {
  if (game.GamePhase < 3) return;
  if (isInput(event->type()) && inBoardWindow(watched, *this))
    playTime.playerActed(clock());
  else if ((watched == this && event->type() == QEvent::ActivationChange) ||
           (watched == windowHandle() &&
            (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)))
    refreshTitle();
}

}  // namespace tarsio
