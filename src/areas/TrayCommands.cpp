// Trays on the board: making one, putting pieces in and out, moving, renaming, emptying and removing.
#include <QAction>
#include <QMenu>
#include <algorithm>

#include "areas/Blocks.h"
#include "board/Board.h"

namespace tarsio {

namespace {

constexpr int LeftButton = 1;
constexpr int RightButton = 2;

const QString TrayName = QStringLiteral("Vassoio");

// The first place, in rows over the free part of the board, where an empty tray covers no other tray
// and no loose piece; else the first where it covers no other tray.
QPointF freePlaceForTray(const Board& board) {
  const std::vector<QRectF> room = board.freeRoom();
  const QSizeF size = layTray({}, {}).frame.size();
  std::vector<QRectF> trays, pieces;
  for (int t : board.trays.numbers()) trays.push_back(board.trays.frame(t));
  for (int i = 0; i < board.game.PieceCount; ++i)
    if (!board.game.Docked[i] && board.ImA(i).Visible()) pieces.push_back(board.ImA(i).boxTwips());
  const auto clear = [](const std::vector<QRectF>& taken, const QRectF& frame) {
    return std::none_of(taken.begin(), taken.end(), [&](const QRectF& r) { return r.intersects(frame); });
  };
  for (const bool overPieces : {false, true})
    for (const QRectF& free : room)
      for (double y = free.top(); y + size.height() <= free.bottom(); y += size.height() + TrayGap)
        for (double x = free.left(); x + size.width() <= free.right(); x += size.width() + TrayGap) {
          const QRectF frame(QPointF(x, y), size);
          if (clear(trays, frame) && (overPieces || clear(pieces, frame))) return frame.topLeft();
        }
  return room.empty() ? QPointF() : room.front().topLeft();
}

// The tray's pieces go onto the table beside it as they lay in it: to the right, or to the left where
// the right has no room, or below.
void emptyTray(Board& board, int tray) {
  const QRectF frame = board.trays.frame(tray);
  QPointF by(frame.width() + TrayGap, 0);
  if (frame.right() + by.x() > board.screen.width()) by = QPointF(-by.x(), 0);
  if (frame.left() + by.x() < 0) by = QPointF(0, frame.height() + TrayGap);
  const std::vector<int> pieces = board.trays.piecesOf(tray);
  board.trays.take(pieces);
  for (int i : pieces) board.ImA(i).Move(board.ImA(i).Left() + by.x(), board.ImA(i).Top() + by.y());
  board.trays.layOutChanged();
  board.selection.refresh();
}

}  // namespace

void Board::mVassoio_Click() {
  if (game.GamePhase != 3) return;
  const QString title = QStringLiteral("%1 %2").arg(TrayName).arg(trays.numbers().size() + 1);
  const QPointF place = freePlaceForTray(*this);
  undoHistory.trayMade({trays.add(title, place), title, place, {}});
}

// A group goes into a tray, or out of one, whole (with the pieces it has just joined): in a tray it
// lies as one block, as it lay on the table.
void Board::dropPieces(const std::vector<int>& pieces, QPointF at) {
  std::vector<int> loose;
  for (int i : piecesOf(blocksOf(pieces, &groups, ImA)))
    if (!game.Docked[i]) loose.push_back(i);
  // Pieces put down on the table that were in no tray stay where they lie: nothing is laid out again.
  const int tray = trays.trayAt(at);
  if (tray || std::any_of(loose.begin(), loose.end(), [this](int i) { return trays.trayOf(i) != 0; })) {
    undoHistory.include(loose);
    if (tray)
      trays.put(tray, loose);
    else
      trays.take(loose);
    trays.layOutChanged();
    refreshGroupOutline();
  }
  selection.refresh();
}

bool Board::trayTitleMouse(MouseAction action, const MouseArgs& args) {
  const QPointF at(args.x, args.y);
  if (action == MouseAction::Down) {
    const int tray = game.GamePhase == 3 ? trays.titleAt(at) : 0;
    if (!tray) return false;
    if (args.button == LeftButton) {
      trays.held = tray;
      trays.heldAt = at;
    } else if (args.button == RightButton) {
      auto* menu = findChild<QMenu*>(QStringLiteral("trayMenu"));
      menu->setProperty("tray", tray);
      menu->actions().at(1)->setEnabled(trays.piecesOf(tray).empty());
      menu->popup(canvas->globalPosOf(at));
    }
    return true;
  }
  if (!trays.held || !trays.exists(trays.held)) return false;
  trays.moveBy(trays.held, at - trays.heldAt);
  trays.heldAt = at;
  selection.refresh();
  if (action == MouseAction::Up) trays.held = 0;
  return true;
}

// The command is there whenever gathering is; the title's menu is made once and shown for the tray
// clicked.
void Board::createTrayCommands(QMenu* actions) {
  mVassoio.attach(actions->addAction(QStringLiteral("Nuovo &vassoio")));
  mVassoio.onClick = [this] { mVassoio_Click(); };
  enableWithGathering(mVassoio);
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("trayMenu"));
  const auto tray = [menu] { return menu->property("tray").toInt(); };
  // Both are steps that Ctrl+Z takes back.
  connect(menu->addAction(QStringLiteral("Svuota")), &QAction::triggered, this, [this, tray] {
    if (!trays.exists(tray())) return;
    beginMovingLoosePieces(trays.piecesOf(tray()));
    emptyTray(*this, tray());
    undoHistory.finish(UndoHistory::Command);
  });
  connect(menu->addAction(QStringLiteral("Elimina")), &QAction::triggered, this, [this, tray] {
    if (!trays.exists(tray()) || !trays.piecesOf(tray()).empty()) return;
    undoHistory.trayRemoved({tray(), trays.title(tray()), trays.frame(tray()).topLeft(), {}});
    trays.remove(tray());
  });
  canvas->onBoardDoubleClick = [this](QPointF at) {
    const int tray = game.GamePhase == 3 ? trays.titleAt(at) : 0;
    if (!tray) return;
    const QString name = dialogs.InputBox(QStringLiteral("Nome del vassoio:"), TrayName, trays.title(tray));
    if (!name.trimmed().isEmpty()) trays.rename(tray, name.trimmed());
  };
  trays.groups = &groups;
  canvas->boardClaims = [this](QPointF at, int shift) { return shift == 1 || trays.titleAt(at) != 0; };
}

}  // namespace tarsio
