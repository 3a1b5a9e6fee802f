// Trays on the board: making one, putting pieces in and out, moving, renaming, emptying and removing.
#include <QAction>
#include <QMenu>

#include "board/Board.h"

namespace tarsio {

namespace {

constexpr int LeftButton = 1;
constexpr int RightButton = 2;

const QString TrayName = QStringLiteral("Vassoio");

// The first place, in rows over the free part of the board, where an empty tray overlaps no other.
QPointF freePlaceForTray(const Board& board) {
  const std::vector<QRectF> room = board.freeRoom();
  const QSizeF size = layTray({}, {}).frame.size();
  for (const QRectF& free : room)
    for (double y = free.top(); y + size.height() <= free.bottom(); y += size.height() + TrayGap)
      for (double x = free.left(); x + size.width() <= free.right(); x += size.width() + TrayGap) {
        const QRectF frame(QPointF(x, y), size);
        const std::vector<int> trays = board.trays.numbers();
        if (std::none_of(trays.begin(), trays.end(),
                         [&](int t) { return board.trays.frame(t).intersects(frame); }))
          return frame.topLeft();
      }
  return room.empty() ? QPointF() : room.front().topLeft();
}

}  // namespace

void Board::mVassoio_Click() {
  if (game.GamePhase != 3) return;
  const int made = static_cast<int>(trays.numbers().size()) + 1;
  trays.add(QStringLiteral("%1 %2").arg(TrayName).arg(made), freePlaceForTray(*this));
  keeper.changed();
}

void Board::dropPieces(const std::vector<int>& pieces, QPointF at) {
  std::vector<int> loose;
  for (int i : pieces)
    if (!game.Docked[i]) loose.push_back(i);
  if (const int tray = trays.trayAt(at))
    trays.put(tray, loose);
  else
    trays.take(loose);
  trays.layOutChanged();
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
  if (action == MouseAction::Up) {
    trays.held = 0;
    keeper.changed();
  }
  return true;
}

// Beside it to the right, or to the left where the right has no room, or below.
void Board::emptyTray(int tray) {
  const QRectF frame = trays.frame(tray);
  QPointF by(frame.width() + TrayGap, 0);
  if (frame.right() + by.x() > screen.width()) by = QPointF(-by.x(), 0);
  if (frame.left() + by.x() < 0) by = QPointF(0, frame.height() + TrayGap);
  const std::vector<int> pieces = trays.piecesOf(tray);
  trays.take(pieces);
  for (int i : pieces) ImA(i).Move(ImA(i).Left() + by.x(), ImA(i).Top() + by.y());
  trays.layOutChanged();
  selection.refresh();
  keeper.changed();
}

// The command is there whenever gathering is; the title's menu is made once and shown for the tray
// clicked.
void Board::createTrayCommands(QMenu* actions) {
  mVassoio.attach(actions->addAction(QStringLiteral("Nuovo &vassoio")));
  mVassoio.onClick = [this] { mVassoio_Click(); };
  mVassoio.setEnabled(false);
  connect(mRaccogli.action(), &QAction::changed, this, [this] { mVassoio.setEnabled(mRaccogli.Enabled()); });
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("trayMenu"));
  const auto tray = [menu] { return menu->property("tray").toInt(); };
  connect(menu->addAction(QStringLiteral("Svuota")), &QAction::triggered, this, [this, tray] {
    if (trays.exists(tray())) emptyTray(tray());
  });
  connect(menu->addAction(QStringLiteral("Elimina")), &QAction::triggered, this, [this, tray] {
    if (trays.exists(tray()) && trays.piecesOf(tray()).empty()) trays.remove(tray());
    keeper.changed();
  });
  canvas->onBoardDoubleClick = [this](QPointF at) {
    const int tray = game.GamePhase == 3 ? trays.titleAt(at) : 0;
    if (!tray) return;
    const QString name = dialogs.InputBox(QStringLiteral("Nome del vassoio:"), TrayName, trays.title(tray));
    if (!name.trimmed().isEmpty()) trays.rename(tray, name.trimmed());
    keeper.changed();
  };
  canvas->boardClaims = [this](QPointF at, int shift) { return shift == 1 || trays.titleAt(at) != 0; };
}

}  // namespace tarsio
