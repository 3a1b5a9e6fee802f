// The table as the player likes it: choices kept between runs, the faint picture, the table's colour,
// full screen and the suggested grid.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

#include "board/Preferences.h"
#include "support/BoardFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

using TableLook = BoardFixture;

// Runs `check` as the user nobody in a forked child (the tests run as root, who reads any file).
bool asNobody(const std::function<bool()>& check) {
  const pid_t child = fork();
  if (child == 0) _exit(setresgid(65534, 65534, 65534) == 0 && setresuid(65534, 65534, 65534) == 0 && check() ? 0 : 1);
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(Preferences, aDamagedOrUnreadableFileIsIgnoredAndTheNextChoiceWritesASoundOne) {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("tarsio.conf"));
  const auto write = [&](const QByteArray& bytes) {
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
  };
  const auto ignoredThenRewritten = [&] {
    Preferences damaged(folder.path());
    const bool ignored = !damaged.get(remembered::Sounds) && damaged.get(remembered::TableColour) == 0 &&
                         damaged.get(remembered::Scramble) == 3 && damaged.get(remembered::LastFolder).isEmpty();
    damaged.set(remembered::TableColour, 2);
    const Preferences after(folder.path());
    return ignored && after.get(remembered::TableColour) == 2 && !after.get(remembered::Sounds);
  };
  // Bytes that are no settings file, then a sound file of values that are none of the choices'.
  const QByteArray damaged[] = {QByteArray("[General\n\xff", 10) + '\0' + "suoni=\"true\n[[[",
                                "suoni=1\ncolore_tavolo=4\nscomposizione=-1\n"};
  for (const QByteArray& bytes : damaged) {
    ASSERT_TRUE(write(bytes));
    EXPECT_TRUE(ignoredThenRewritten()) << bytes.toStdString();
  }
  ASSERT_TRUE(write("suoni=true\nultima_cartella=/tmp\n") && QFile::setPermissions(file, {}));
  ASSERT_EQ(chown(qPrintable(folder.path()), 65534, 65534), 0);
  ASSERT_EQ(chown(qPrintable(file), 65534, 65534), 0);
  EXPECT_TRUE(asNobody(ignoredThenRewritten));
}

// A second board with the same configuration folder is the next run of the game.
TEST_F(TableLook, theChoicesOfOneRunAreThereAtTheNextAndNoFileIsMadeUntilOneChanges) {
  EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("config/tarsio.conf"))));
  choosePicture(blocksPicture(60, 40, 2, 2));
  board->mColori[3].action()->trigger();
  board->mSotto.action()->trigger();
  board->mSuoni.action()->trigger();
  board->mTrasp.action()->trigger();
  QTest::keyClick(board->windowHandle(), Qt::Key_F11);
  board = makeBoard();
  board->showAtStart();
  EXPECT_TRUE(board->mColori[3].Checked() && !board->mColori[0].Checked());
  EXPECT_TRUE(board->mSotto.Checked() && board->mSuoni.Checked() && board->sounds.on());
  EXPECT_EQ(board->markedScrambleCode(), 4);
  EXPECT_EQ(board->LastFolder, folder.path());
  EXPECT_TRUE(board->isFullScreen());
  EXPECT_EQ(shownAt({3000, 12000}), QColor(24, 40, 84));
  QTest::keyClick(board->windowHandle(), Qt::Key_Escape);
  EXPECT_TRUE(!board->isFullScreen() && board->isMaximized());
}

// A uniform picture, 20 % of whose strength would be too faint and 30 % too strong.
TEST_F(TableLook, thePictureShowsAtAQuarterOfItsStrengthInTheGridsCellsWhileAGridIsDrawn) {
  QImage red(60, 40, QImage::Format_RGB32);
  red.fill(QColor(250, 0, 0));
  choosePicture(red);
  board->mColori[1].action()->trigger();
  board->mSotto.action()->trigger();
  // The picture is 900 x 600 twips; the 2 x 2 grid beside it starts at (1050, 240).
  const QPointF cell(1300, 400);
  EXPECT_EQ(shownAt(cell), QColor(60, 60, 60)) << "no grid yet";
  chooseGrid(2, 2);
  const QColor faint = shownAt(cell);
  EXPECT_NEAR(faint.red(), 0.75 * 60 + 0.25 * 250, 3);
  EXPECT_NEAR(faint.green(), 0.75 * 60, 3);
  EXPECT_EQ(shownAt({1050, 400}), QColor(225, 225, 225)) << "the grid's ink";
  QTest::mouseClick(board->Righe.widget(), Qt::LeftButton);
  EXPECT_EQ(shownAt(cell), QColor(60, 60, 60)) << "the grid taken away";
}

// 100 pieces of a 3:2 picture are 8 x 12 square cells, typed into the boxes as by the player; a picture
// of 40 x 30 pixels holds no 2 000 pieces.
TEST_F(TableLook, pezziFillsTheBoxesWithTheSuggestedGridOfTheCountChosen) {
  choosePicture(blocksPicture(40, 30, 2, 2));
  auto* list = static_cast<QComboBox*>(board->Pezzi.widget());
  list->showPopup();
  QStringList offered;
  for (int k = 0; k < list->count(); ++k) offered << list->itemText(k);
  EXPECT_EQ(offered, QStringList({"50", "100", "300", "500", "1 000"}));
  list->hidePopup();
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(3, 4);
  list->showPopup();
  QAbstractItemView* view = list->view();
  view->setCurrentIndex(view->model()->index(1, 0));
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("8"));
  EXPECT_EQ(board->Colonne.Text(), QStringLiteral("12"));
  EXPECT_EQ(board->CmdGriglia.Caption(), QStringLiteral("2 - Prova Griglia"));
  EXPECT_FALSE(board->liO(0).Visible());
  EXPECT_EQ(list->currentIndex(), -1);
}

}  // namespace
}  // namespace tarsio
