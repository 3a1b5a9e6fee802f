// The benchmark's board.
#include "BenchBoard.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include "Harness.h"

namespace tarsio::bench {

BenchBoard::BenchBoard(Dialogs* realDialogs) {
  random_.seed(20261208);
  BoardSetup setup;
  setup.dialogs = realDialogs ? realDialogs : &dialogs_;
  setup.random = &random_;
  setup.stateFolder = stateFolder_.path();
  setup.configFolder = stateFolder_.filePath(QStringLiteral("config"));
  board_ = std::make_unique<Board>(setup);
  board_->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  board_->showMaximized();
  if (!QTest::qWaitForWindowExposed(board_.get())) stop(QStringLiteral("the board window was never shown"));
  repaint();
}

BenchBoard::~BenchBoard() {
  board_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BenchBoard::choose(const QString& path) {
  dialogs_.file = path;
  board_->CmdImma_Click();
}

void BenchBoard::grid(int rows, int columns) {
  board_->Righe.setText(QString::number(rows));
  board_->Colonne.setText(QString::number(columns));
  board_->CmdGriglia_Click();
}

void BenchBoard::cut(const QString& photo, int rows, int columns) {
  choose(photo);
  grid(rows, columns);
  board_->CmdTarsio_Click();
  repaint();
  expectNoMessage();
  expectPieces(rows * columns);
}

QString BenchBoard::keptFile() const {
  const QStringList kept = QDir(stateFolder_.path()).entryList({QStringLiteral("partita-*.tarsio")});
  if (kept.size() != 1) stop(QStringLiteral("%1 kept files, not one").arg(kept.size()));
  return QDir(stateFolder_.path()).filePath(kept[0]);
}

void BenchBoard::repaint() { board_->canvas->repaint(); }

// Qt gathers the rectangles marked for repainting and posts one update request to the window; the
// event loop then paints them all in one go.
void BenchBoard::repaintChanged() { QCoreApplication::sendPostedEvents(board_.get(), QEvent::UpdateRequest); }

void BenchBoard::expectNoMessage() const {
  if (!dialogs_.messages.isEmpty())
    stop(QStringLiteral("the game said: ") + dialogs_.messages.join(QStringLiteral("; ")));
}

void BenchBoard::expectPieces(int count) {
  if (board_->game.PieceCount != count || board_->game.GamePhase != 3)
    stop(QStringLiteral("the cut made %1 pieces, not %2").arg(board_->game.PieceCount).arg(count));
}

}  // namespace tarsio::bench
