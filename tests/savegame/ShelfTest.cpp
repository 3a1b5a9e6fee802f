// Games kept side by side on a real board: a file of their own each, taken up from the shelf, a
// completion removing only its own.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "play/GameFixture.h"
#include "support/Pictures.h"
#include "windows/ModalWatcher.h"
#include "windows/ShelfWindow.h"

namespace tarsio {
namespace {

using Shelf = GameFixture;

QByteArray bytesOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

TEST_F(Shelf, twoGamesKeptSideBySideSurviveEachOthersCutsAndACompletionRemovesOnlyItsOwn) {
  startGame(QSize(300, 200), 2, 2, board->mSpos);
  const QString firstPicture = game().PicturePath;
  dragTo(0, topLeftOf(0) + QPointF(0, 3000));
  const QPointF moved = topLeftOf(0);
  board->keeper.flush();
  const QString first = board->keeper.file();
  // The next run opens another picture: the game the last one left stays on the shelf.
  board.reset();
  board = makeBoard();
  ASSERT_EQ(board->keeper.offered(), first);
  board->keeper.leaveOffered();
  choosePicture(blocksPicture(300, 200, 2, 3), QStringLiteral("other.bmp"));
  chooseGrid(2, 3);
  click(board->CmdTarsio);
  board->keeper.flush();
  const QString second = board->keeper.file();
  ASSERT_NE(second, first);
  ASSERT_TRUE(readKeptGameFile(first) && readKeptGameFile(second));
  EXPECT_EQ(readKeptGameFile(first)->saved.picturePath, firstPicture);
  EXPECT_EQ(readKeptGameFile(second)->saved.pieces.size(), 6u);

  // Taken up from the shelf, below the game on the board: the game in progress stays kept as it was,
  // with its small picture; the first game's damaged one is drawn again and the player told.
  const QImage drawnByTheBoard(sketchFileOf(first));
  QFile damaged(sketchFileOf(first));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              damaged.write("\x89PNG broken") > 0);
  damaged.close();
  dialogs.answers = {QStringLiteral("Sì")};
  const int shown = answerModal<ShelfWindow>(
      [&] { QTest::keyClick(board->windowHandle(), Qt::Key_O, Qt::ControlModifier); },
      [&](ShelfWindow& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Partite in corso"));
        ASSERT_EQ(window.list->count(), 2);
        EXPECT_TRUE(
            window.list->item(0)->text().contains(QStringLiteral("other.bmp — 2 x 3 (sul tavolo)\n0 pezzi")));
        EXPECT_TRUE(window.list->item(0)->font().bold());
        QTRY_VERIFY(!window.list->item(0)->icon().isNull() && !window.list->item(1)->icon().isNull());
        EXPECT_TRUE(window.note->isVisible());
        window.list->setCurrentRow(1);
        QTest::keyClick(window.list, Qt::Key_Return);
      });
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(game().PicturePath, firstPicture);
  EXPECT_EQ(game().PieceCount, 4);
  EXPECT_EQ(topLeftOf(0), moved);
  const QByteArray secondBytes = bytesOf(second);
  board->keeper.flush();
  board->sketches.wait();
  EXPECT_EQ(board->keeper.file(), first);
  const QImage sketch(sketchFileOf(second));
  EXPECT_TRUE(!sketch.isNull() && sketch.width() <= 256 && sketch.height() <= 256);
  EXPECT_EQ(QImage(sketchFileOf(first)), drawnByTheBoard);

  for (int i = 0; i < 4; ++i) dragHome(i);
  board->keeper.flush();
  board->sketches.wait();
  EXPECT_FALSE(QFileInfo::exists(first));
  EXPECT_EQ(bytesOf(second), secondBytes);
  EXPECT_EQ(board->records.records().size(), 1u);

  // The same picture and grid again: "No" starts a new game beside the kept one.
  dialogs.answers = {folder.filePath(QStringLiteral("other.bmp"))};
  board->CmdImma_Click();
  chooseGrid(2, 3);
  dialogs.answers = {QStringLiteral("No")};
  click(board->CmdTarsio);
  ASSERT_EQ(dialogs.ofKind(DialogCall::Question).size(), 2u);
  EXPECT_TRUE(dialogs.ofKind(DialogCall::Question)[1].text.startsWith(QStringLiteral("C'è già una partita")));
  board->keeper.flush();
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_EQ(bytesOf(second), secondBytes);
  EXPECT_TRUE(QFileInfo::exists(board->keeper.file()));

  // The game on the board: taking it up only closes the shelf; throwing it away resets the board.
  const QString onBoard = board->keeper.file();
  for (const char* answer : {"", "Sì"}) {
    dialogs.calls.clear();
    dialogs.answers = {QString::fromUtf8(answer)};
    answerModal<ShelfWindow>([&] { board->mPartite_Click(); },
                             [&](ShelfWindow& window) {
                               if (!*answer) return QTest::keyClick(window.list, Qt::Key_Return);
                               window.deleteButton->click();
                               window.reject();
                             });
    board->keeper.flush();
    EXPECT_EQ(game().GamePhase, *answer ? 0 : 3);
    EXPECT_EQ(QFileInfo::exists(onBoard), !*answer);
    EXPECT_EQ(dialogs.calls.size(), *answer ? 1u : 0u);
  }
  EXPECT_EQ(bytesOf(second), secondBytes);
}

}  // namespace
}  // namespace tarsio
