// Taking gestures on pieces back and doing them again, on a real board with real mouse and key events.
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "play/GameFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

const QSize Picture(300, 200);

class Undo : public GameFixture {
 protected:
  void ctrlZ() { QTest::keyClick(board->windowHandle(), Qt::Key_Z, Qt::ControlModifier); }
  void ctrlY() { QTest::keyClick(board->windowHandle(), Qt::Key_Y, Qt::ControlModifier); }
  void ctrlShiftZ() {
    QTest::keyClick(board->windowHandle(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  }
  // The pixel of the canvas nearest to a point, in twips.
  static QPointF onPixel(QPointF twips) {
    return QPointF(std::round(twips.x() / 15), std::round(twips.y() / 15)) * 15;
  }
  void click(int i, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    const QPointF at = onPixel(centreOf(piece(i)));
    pressAt(at, button, mods);
    releaseAt(at, button);
  }
  // Drags piece i by whole pixels so that its top-left corner comes within half a pixel of `topLeft`.
  void dragNear(int i, QPointF topLeft) {
    const QPointF grab = onPixel(centreOf(piece(i)));
    const QPointF to = grab + onPixel(topLeft - topLeftOf(i));
    pressAt(grab);
    moveTo(to);
    releaseAt(to);
  }
  using GameFixture::click;

  // Everything of the board a gesture or its undoing may change, exactly: every piece's box, orientation,
  // docked state and picture, the phase, "Completato !", the gathering command, the areas and the trays.
  std::string look() {
    std::string text =
        "phase " + std::to_string(game().GamePhase) + (board->ImaCompl.Visible() ? " completed" : "") +
        (board->CmdRaccogli.Enabled() ? " gathering" : "") +
        QString::asprintf(" areas %d %.9g", game().AreaLevel, board->ImaOrig.Width()).toStdString() + "\n";
    for (int i = 0; board->ImA.exists(i) && i < game().PieceCount; ++i) {
      const ImageElement& p = piece(i);
      const QImage image = p.picture().toImage();
      text +=
          QString::asprintf("%d: %.17g %.17g %.17g %.17g v%d%s picture %zx\n", i, p.Left(), p.Top(),
                            p.Width(), p.Height(), game().Orientation[i], game().Docked[i] ? " docked" : "",
                            qHashBits(image.constBits(), static_cast<size_t>(image.sizeInBytes())))
              .toStdString();
    }
    for (int t : board->trays.numbers()) {
      const QRectF frame = board->trays.frame(t);
      text += QString::asprintf("tray %d %s %g %g %g %g:", t, qPrintable(board->trays.title(t)), frame.x(),
                                frame.y(), frame.width(), frame.height())
                  .toStdString();
      for (int i : board->trays.piecesOf(t)) text += " " + std::to_string(i);
      text += "\n";
    }
    return text;
  }
  // A free place on the board right of the grid, one per piece.
  QPointF parking(int i) { return {10500.0 + 2500 * (i % 2), 1000.0 + 2000 * (i / 2)}; }
};

// Each kind of gesture is taken back by Ctrl+Z and done again by Ctrl+Y and by Ctrl+Shift+Z; a click
// that changes nothing in between is no gesture, and once everything is redone there is nothing more.
TEST_F(Undo, everyKindOfGestureIsTakenBackAndDoneAgain) {
  startGame(Picture, 2, 2, board->mRove);
  for (int i = 0; i < 4; ++i) dragTo(i, parking(i));
  struct Case {
    const char* gesture;
    std::function<void()> prepare;
    std::function<void()> perform;
  };
  const Case cases[] = {
      {"drag", [] {}, [&] { dragTo(0, parking(0) + QPointF(0, 2500)); }},
      {"quarter turn", [] {}, [&] { click(1, Qt::LeftButton, Qt::ControlModifier); }},
      {"front/back turn", [] {}, [&] { click(1, Qt::LeftButton, Qt::ShiftModifier); }},
      {"dock", [&] { turnTo(2, 0); }, [&] { dragHome(2); }},
      {"release of a docked piece", [] {}, [&] { click(2, Qt::RightButton); }},
      {"colour sort", [] {}, [&] { QTest::keyClick(board->windowHandle(), 'S'); }},
      {"new tray", [] {}, [&] { QTest::keyClick(board->windowHandle(), 'V'); }},
      {"dock that completes the picture",
       [&] {
         for (int i = 0; i < 4; ++i) turnTo(i, 0);
         for (int i = 0; i < 3; ++i) dragHome(i);
       },
       [&] { dragHome(3); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gesture);
    c.prepare();
    const std::string before = look();
    c.perform();
    const std::string after = look();
    ASSERT_NE(after, before);
    click(3);
    EXPECT_EQ(look(), after);
    ctrlZ();
    EXPECT_EQ(look(), before);
    ctrlY();
    EXPECT_EQ(look(), after);
    ctrlZ();
    ctrlShiftZ();
    EXPECT_EQ(look(), after);
    ctrlY();
    EXPECT_EQ(look(), after);
  }
  // The completing dock taken back leaves the game as a right press would: playing, saving on.
  EXPECT_EQ(game().GamePhase, 4);
  ctrlZ();
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_FALSE(board->ImaCompl.Visible());
  EXPECT_TRUE(board->CmdRaccogli.Enabled() && board->mRaccogli.Enabled() && board->mSalva.Enabled());
  ctrlY();
  EXPECT_EQ(game().GamePhase, 4);
  EXPECT_TRUE(board->ImaCompl.Visible());
  EXPECT_FALSE(board->CmdRaccogli.Enabled() || board->mRaccogli.Enabled() || board->mSalva.Enabled());
}

// The keys belong to the board wherever the focus is: neither a grid box nor the letter key "Z" of
// "A&zzera" takes them, and before the cut they do nothing.
TEST_F(Undo, theKeysAreTheBoardsChordsWhateverControlHasTheFocus) {
  choosePicture(blocksPicture(Picture.width(), Picture.height(), 2, 2));
  chooseGrid(2, 2);
  board->Righe.widget()->setFocus();
  const std::string drawn = look();
  ctrlZ();
  ctrlY();
  ctrlShiftZ();
  ASSERT_EQ(game().GamePhase, 2);
  EXPECT_EQ(look(), drawn);
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("2"));
  EXPECT_EQ(board->liO.count(), 3);

  click(board->CmdTarsio);
  const std::string cut = look();
  dragTo(0, parking(0));
  board->CmdAzze.widget()->setFocus();
  ctrlZ();
  EXPECT_EQ(look(), cut);
}

// Gathering, spreading and a step of the areas (the pieces' sizes with it) are steps that Ctrl+Z
// takes back; a command that rebuilds the pieces forgets the gestures before it; saving does not. One
// that ends the game (a reset, a new picture) lets Ctrl+Z bring the whole game back instead.
TEST_F(Undo, commandsThatRebuildOrRearrangeThePiecesForgetTheGestures) {
  enum Undone { Forgets, TakesBack, EndsGame, Keeps };
  struct Case {
    const char* command;
    std::function<void()> run;
    Undone undone;
  };
  const QString picture = folder.filePath(QStringLiteral("picture.bmp"));
  const auto key = [this](char c) { QTest::keyClick(board->windowHandle(), c); };
  // A file dropped on the board or named on the command line goes through the picture command.
  const auto choose = [this](const QString& path) {
    dialogs.answers.push_back(path);
    board->CmdImma_Click();
  };
  const Case cases[] = {
      {"Racc&ogli", [&] { click(board->CmdRaccogli); }, TakesBack},
      {"&Disponi", [&] { key('d'); }, TakesBack},
      {"+", [&] { key('+'); }, TakesBack},
      {"-", [&] { key('-'); }, TakesBack},
      {"0", [&] { key('0'); }, TakesBack},
      {"A&zzera", [&] { click(board->CmdAzze); }, EndsGame},
      {"a new picture", [&] { choose(picture); }, EndsGame},
      {"another picture dropped on the game",
       [&] {
         dialogs.answers.push_back(QStringLiteral("Sì"));
         board->OpenFromOutside(writePicture(folder.path(), "altra.bmp", blocksPicture(200, 300, 3, 2)));
       },
       EndsGame},
      {"loading a saved game",
       [&] {
         board->mSalva_Click();
         choose(picture + QStringLiteral(".trs"));
       },
       Forgets},
      {"&Salva a questo punto", [&] { board->mSalva_Click(); }, Keeps},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    // "+" and "-" hide the command bar, and only "0" shows it again.
    if (game().GamePhase > 1) key('z');
    key('0');
    startGame(Picture, 2, 2, board->mSpos);
    dragHome(0);
    dragTo(1, parking(1));
    const std::string before = look();
    c.run();
    const std::string after = look();
    ctrlZ();
    EXPECT_EQ(look() == after, c.undone == Forgets);
    EXPECT_EQ(look() == before, c.undone == TakesBack || c.undone == EndsGame);
    if (c.undone != TakesBack) continue;
    ctrlY();
    EXPECT_EQ(look(), after);
  }
}

// Random gestures through the mouse, all taken back one by one and then all done again, retrace the
// board's states exactly: a gesture lost or counted twice would put a step out of line. Gestures made
// after some were taken back replace those.
TEST_F(Undo, aLongGameIsUndoneToItsStartAndRedoneToItsEnd) {
  startGame(Picture, 3, 3, board->mRove);
  std::vector<std::string> states{look()};
  click(board->CmdRaccogli);
  states.push_back(look());
  std::mt19937 draw(16);
  const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(draw); };
  const auto play = [&](int presses) {
    for (int step = 0; step < presses; ++step) {
      int i = below(game().PieceCount);
      switch (below(8)) {
        case 0:
        case 1:
        case 2:
          // Toward docking the first loose piece: one turn nearer to upright and face up, or home.
          i = int(std::find(game().Docked.begin(), game().Docked.end(), false) - game().Docked.begin());
          if (i >= game().PieceCount) break;
          if (game().Orientation[i] == 0)
            dragNear(i, {home(i).left, home(i).top});
          else
            click(i, Qt::LeftButton, game().Orientation[i] > 3 ? Qt::ShiftModifier : Qt::ControlModifier);
          break;
        case 3:
          click(i, Qt::LeftButton, Qt::ControlModifier);
          break;
        case 4:
          click(i, Qt::LeftButton, Qt::ShiftModifier);
          break;
        case 5:
          click(i, Qt::RightButton);
          break;
        default:
          dragNear(i, QPointF(game().GridLeft + below(9000), game().GridTop + below(7000)));
          break;
      }
      if (look() != states.back()) states.push_back(look());
    }
  };
  play(50);
  for (int k = 0; k < 8; ++k) {
    ctrlZ();
    states.pop_back();
    ASSERT_EQ(look(), states.back()) << "undo " << k;
  }
  play(30);
  ASSERT_GT(states.size(), 40u);

  for (size_t k = states.size() - 1; k > 0; --k) {
    ctrlZ();
    ASSERT_EQ(look(), states[k - 1]) << "undo back to state " << k - 1;
  }
  ctrlZ();
  EXPECT_EQ(look(), states.front());
  for (size_t k = 1; k < states.size(); ++k) {
    ctrlY();
    ASSERT_EQ(look(), states[k]) << "redo to state " << k;
  }
  ctrlY();
  EXPECT_EQ(look(), states.back());
}

}  // namespace
}  // namespace tarsio
