// Docking on a real board: the tolerance, turned and face-down pieces, completion, the saved-game file.
#include <QDir>
#include <QFile>
#include <QTest>

#include "play/GameFixture.h"

namespace tarsio {
namespace {

const QSize Picture(300, 200);

using Completion = GameFixture;

// Pieces are handled in ascending order: a later piece lies above every earlier one, so a press in its
// middle reaches it even when an earlier piece has been put over its cell. A pointer position that
// cannot give the exact twips errs toward home for the pieces that must dock, away for the others.
TEST_F(Completion, aPieceDocksWhenPutLessThanOneHundredTwipsFromHomeOnEachAxis) {
  startGame(Picture, 2, 2, board->mSpos);
  struct Case {
    QPointF offset;
    bool docks;
  };
  const Case cases[] = {{{99, 99}, true}, {{100, 0}, false}, {{0, -100}, false}, {{-99, -99}, true}};
  const auto side = [](double offset, bool docks) { return (offset < 0) == docks ? 1 : -1; };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const Case& c = cases[i];
    const QPointF homeCorner(home(i).left, home(i).top);
    const QPointF target = homeCorner + c.offset;
    const QPointF grab = centreOf(piece(i));
    const QPointF pointer = grab + (target - topLeftOf(i));
    pressAt(grab);
    moveTo(pointer, Qt::LeftButton, {side(c.offset.x(), c.docks), side(c.offset.y(), c.docks)});
    EXPECT_EQ(game().Docked[i], c.docks);
    EXPECT_EQ(frameShown(), !c.docks);
    const QPointF expected = c.docks ? homeCorner : target;
    EXPECT_NEAR(topLeftOf(i).x(), expected.x(), 1e-6);
    EXPECT_NEAR(topLeftOf(i).y(), expected.y(), 1e-6);
    // Held on, a docked piece stays in its cell; a loose one goes on following the pointer.
    moveTo(pointer + QPointF(0, 3000), Qt::LeftButton, {1, 1});
    EXPECT_NEAR(topLeftOf(i).y(), expected.y() + (c.docks ? 0 : 3000), 1e-6);
    releaseAt(grab);
  }
  EXPECT_TRUE(board->mSalva.Enabled());
  EXPECT_EQ(game().GamePhase, 3);
}

TEST_F(Completion, turnedAndFaceDownPiecesNeverDockAndTheUprightFaceUpOneDoes) {
  startGame(Picture, 2, 2, board->mRove);
  for (int v : {1, 2, 3, 4, 5, 6, 7, 0}) {
    turnTo(3, v);
    dragHome(3);
    EXPECT_EQ(topLeftOf(3), QPointF(home(3).left, home(3).top)) << "orientation " << v;
    EXPECT_EQ(game().Docked[3], v == 0) << "orientation " << v;
    if (v != 0) dragTo(3, topLeftOf(3) + QPointF(0, 6000));
  }
}

TEST_F(Completion, theLastPieceCompletesThePictureAndARightPressUndoesIt) {
  startGame(Picture, 2, 2, board->mSpos);
  for (int i = 0; i < 3; ++i) {
    dragHome(i);
    ASSERT_TRUE(game().Docked[i]);
    EXPECT_EQ(game().GamePhase, 3);
    EXPECT_FALSE(board->ImaCompl.Visible());
    EXPECT_TRUE(board->mSalva.Enabled());
    EXPECT_TRUE(board->CmdRaccogli.Enabled() && board->mRaccogli.Enabled());
  }
  dragHome(3);
  EXPECT_EQ(game().GamePhase, 4);
  EXPECT_TRUE(board->ImaCompl.Visible());
  EXPECT_FALSE(board->CmdRaccogli.Enabled());
  EXPECT_FALSE(board->mRaccogli.Enabled());
  EXPECT_FALSE(board->mSalva.Enabled());

  const QPointF place = topLeftOf(3);
  pressAt(centreOf(piece(3)), Qt::RightButton);
  releaseAt(centreOf(piece(3)), Qt::RightButton);
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_FALSE(game().Docked[3]);
  EXPECT_EQ(topLeftOf(3), place);
  EXPECT_FALSE(board->ImaCompl.Visible());
  EXPECT_TRUE(board->mSalva.Enabled());
  EXPECT_TRUE(board->CmdRaccogli.Enabled() && board->mRaccogli.Enabled());

  dragTo(3, topLeftOf(3) + QPointF(0, 6000));
  dragHome(3);
  EXPECT_EQ(game().GamePhase, 4);
  EXPECT_TRUE(board->ImaCompl.Visible());
}

// The file named after the game's base name with ".trs" goes only when the game came from it; a file
// that cannot be removed leaves the game completed all the same. Taking the completion back puts the
// removed file back as it was (a link with the file behind it untouched), and doing it again removes
// it again; the next cut removes it for good.
TEST_F(Completion, aGameLoadedFromASavedFileRemovesThatFileWhenCompleted) {
  struct Case {
    const char* what;
    const char* extension;
    bool undeletable;
    bool removed;
    bool link = false;
  };
  const Case cases[] = {
      {"game from a picture", "bmp", false, false},
      {"game from a saved file", "trs", false, true},
      {"game from a link to a private saved file", "trs", false, true, true},
      {"saved file that cannot be removed", "trs", true, false},
  };
  const QByteArray kept = "\"a.bmp\"\r\n";
  const QString target = folder.filePath(QStringLiteral("privata.trs"));
  const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (game().GamePhase >= 3) click(board->CmdAzze);
    startGame(Picture, 2, 2, board->mSpos);
    const QString saved = game().PictureBaseName + QStringLiteral(".trs");
    if (c.undeletable) {
      ASSERT_TRUE(QDir().mkpath(saved + QStringLiteral("/inside")));
    } else {
      QFile file(c.link ? target : saved);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kept) == kept.size());
      ASSERT_TRUE(file.setPermissions(owner));
      if (c.link) ASSERT_TRUE(QFile::link(target, saved));
    }
    game().PictureExtension = QString::fromLatin1(c.extension);
    for (int i = 0; i < 4; ++i) dragHome(i);
    EXPECT_EQ(game().GamePhase, 4);
    EXPECT_TRUE(board->ImaCompl.Visible());
    EXPECT_EQ(QFileInfo::exists(saved), !c.removed);
    QTest::keyClick(board->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    QFile back(saved);
    EXPECT_EQ(back.open(QIODevice::ReadOnly) ? back.readAll() : "", c.undeletable ? "" : kept);
    EXPECT_EQ(QFileInfo(saved).isSymLink(), c.link);
    if (!c.undeletable) EXPECT_EQ(back.permissions() & ~QFile::Permissions(0x0700), owner);
    QTest::keyClick(board->windowHandle(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(QFileInfo::exists(saved), !c.removed);
    if (c.undeletable) QDir(saved).removeRecursively();
    QFile::remove(saved);
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList({"picture.bmp", "privata.trs"}));
}

// A game is recorded at its first completion after its cut, however often it is completed again; beside
// "Completato !" the board shows its time and the best of its picture and grid. A damaged records file
// is set aside, the player told once, and a new one begun.
TEST_F(Completion, aCompletedGameIsRecordedOnceAndShowsItsTimeAndTheBestBesideCompletato) {
  const QDir state(folder.filePath(QStringLiteral("state")));
  const QString file = state.filePath(QStringLiteral("record.txt"));
  for (bool damaged : {false, true}) {
    SCOPED_TRACE(damaged ? "damaged" : "good");
    board.reset();
    dialogs.calls.clear();
    board = makeBoard();
    startGame(Picture, 2, 2, board->mSpos);
    const QString picture = game().PicturePath;
    const QDateTime longAgo = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    const std::vector<GameRecord> before = {{picture, 2, 2, 2, 60'000, 4, longAgo},
                                            {picture, 2, 3, 1, 1'000, 0, longAgo}};
    const QByteArray bytes = damaged ? QByteArray("tarsio-record 1\nrotto\n") : formatRecords(before);
    QFile out(file);
    ASSERT_TRUE(state.mkpath(QStringLiteral(".")) && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    now += 90'000;
    for (int i = 0; i < 4; ++i) dragHome(i);
    pressAt(centreOf(piece(3)), Qt::RightButton);
    releaseAt(centreOf(piece(3)), Qt::RightButton);
    EXPECT_FALSE(board->RecordText.Visible());
    dragTo(3, topLeftOf(3) + QPointF(0, 6000));
    dragHome(3);
    EXPECT_TRUE(board->RecordText.Visible());

    board->records.wait();
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const std::optional<std::vector<GameRecord>> read = parseRecords(in.readAll());
    ASSERT_TRUE(read && !read->empty());
    const GameRecord mine{picture, 2, 2, 1, 90'000, 0, read->back().completed};
    std::vector<GameRecord> expected = damaged ? std::vector<GameRecord>{} : before;
    expected.push_back(mine);
    EXPECT_EQ(*read, expected);
    EXPECT_EQ(board->RecordText.Caption(), completionText(mine, damaged ? mine : before[0]));
    // Beside "Completato !", below the grid, large enough for its two lines.
    EXPECT_GE(board->RecordText.Left(), board->ImaCompl.Left() + board->ImaCompl.Width());
    EXPECT_GT(board->RecordText.Top(), game().GridTop + 2 * game().CellHeight);
    EXPECT_GE(board->RecordText.widget()->height(), 2 * board->RecordText.widget()->fontMetrics().height());
    const QStringList aside = state.entryList({QStringLiteral("record.txt.danneggiato-*")});
    EXPECT_EQ(aside.size(), damaged ? 1 : 0);
    ASSERT_EQ(dialogs.messages().size(), damaged ? 1u : 0u);
    if (!damaged) continue;
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Record"));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(state.filePath(aside.value(0))));
    QFile kept(state.filePath(aside.value(0)));
    EXPECT_EQ(kept.open(QIODevice::ReadOnly) ? kept.readAll() : "", bytes);
  }
}

TEST_F(Completion, aWholeGameIsPlayedWithTheMouseFromPictureToCompletato) {
  startGame(Picture, 2, 2, board->mSpos);
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(game().GamePhase, 3);
    dragHome(i);
  }
  EXPECT_EQ(game().GamePhase, 4);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(game().Docked[i]);
  EXPECT_TRUE(board->ImaCompl.Visible());
  // The canvas shows the completion picture.
  const QImage star = board->ImaCompl.picture().toImage();
  const QPoint middle(star.width() / 2, star.height() / 2);
  const QPointF at = board->ImaCompl.boxTwips().topLeft() + QPointF(middle.x() * 15, middle.y() * 15);
  EXPECT_EQ(shownAt(at), star.pixelColor(middle));
  // Its corner lets the board show through, as just left of it.
  const QPointF corner = board->ImaCompl.boxTwips().topLeft() + QPointF(7, 7);
  EXPECT_EQ(shownAt(corner), shownAt(corner - QPointF(150, 0)));
}

}  // namespace
}  // namespace tarsio
