// Choosing the grid: reading the boxes, drawing the lines, trying again, the input boxes.
#include <QClipboard>
#include <QGraphicsEffect>
#include <QGuiApplication>
#include <QTest>
#include <functional>

#include "picture/GridSize.h"
#include "support/BoardFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

TEST(GridSize, onlyPlainWholeNumbersAreCounts) {
  EXPECT_EQ(parseGridCount(QStringLiteral("03")), 3);
  EXPECT_EQ(parseGridCount(QStringLiteral("32767")), 32767);
  for (const char* bad : {"", " 3", "3 ", "-3", "3a", "2.5", "32768", "99999999999999999999"})
    EXPECT_FALSE(parseGridCount(QString::fromLatin1(bad))) << bad;
  const std::pair<const char*, int> answers[] = {
      {"  12abc", 12}, {"1 2", 12}, {"+3", 3}, {" - 3", -3}, {"\t4\n", 4}, {"2.9", 2}, {"+-3", 0},
      {"3-4", 3},      {"abc", 0},  {"", 0},   {"99999999999", MaxPieces + 1}};
  for (const auto& [answer, value] : answers)
    EXPECT_EQ(leadingNumber(QString::fromLatin1(answer)), value) << answer;
  EXPECT_TRUE(gridFitsPicture(2, 3, 3, 2));
  EXPECT_FALSE(gridFitsPicture(2, 4, 3, 2));
  EXPECT_FALSE(gridFitsPicture(200, 200, 10000, 10000));
}

// Pictures of 3:2, 4:3, 16:9, square, portrait and a panorama: the cells of each suggested grid are
// within 6 % of square and the count within a tenth of the one asked for (4:3 gives 27 x 37 = 999
// cells 3 % from square rather than 27 x 36 = 972 square ones); a picture with too few pixels for the
// count gets none.
TEST(GridSize, theSuggestedGridHasNearlySquareCellsAndAboutTheCountAskedFor) {
  const struct {
    int pieces, width, height;
    GridCounts grid;
  } cases[] = {{1000, 3000, 2000, {26, 39}}, {1000, 4000, 3000, {27, 37}}, {1000, 1920, 1080, {24, 42}},
               {100, 500, 500, {10, 10}},    {1000, 2000, 3000, {39, 26}}, {50, 6000, 1000, {3, 17}},
               {5000, 6000, 4000, {58, 87}}};
  for (const auto& c : cases) {
    const std::optional<GridCounts> grid = suggestedGrid(c.pieces, c.width, c.height);
    ASSERT_TRUE(grid) << c.pieces << " on " << c.width << "x" << c.height;
    EXPECT_EQ(grid->rows, c.grid.rows) << c.pieces << " on " << c.width << "x" << c.height;
    EXPECT_EQ(grid->columns, c.grid.columns) << c.pieces << " on " << c.width << "x" << c.height;
    EXPECT_NEAR(double(c.width) / grid->columns / (double(c.height) / grid->rows), 1, 0.06);
    EXPECT_LE(std::abs(grid->rows * grid->columns - c.pieces), c.pieces / 10);
  }
  EXPECT_FALSE(suggestedGrid(1000, 30, 20));
  EXPECT_TRUE(suggestedGrid(500, 30, 20));
}

class Grid : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    choosePicture(blocksPicture(360, 252, 3, 4));  // shown at 5400 x 3780 twips
  }
  int lines(const ElementArray<LineElement>& array) { return array.count(); }
  void expectGrid(int rows, int columns) {
    EXPECT_EQ(board->liO.count(), rows + 1);
    EXPECT_EQ(board->Liv.count(), columns + 1);
    for (int i = 0; i <= rows; ++i) EXPECT_TRUE(board->liO.exists(i) && board->liO(i).Visible()) << i;
    for (int j = 0; j <= columns; ++j) EXPECT_TRUE(board->Liv.exists(j) && board->Liv(j).Visible()) << j;
  }
  void expectNoGrid() {
    EXPECT_EQ(board->liO.count(), 1);
    EXPECT_EQ(board->Liv.count(), 1);
    EXPECT_FALSE(board->liO(0).Visible() || board->Liv(0).Visible());
  }
  void clickInto(TextBox& box) { QTest::mouseClick(box.widget(), Qt::LeftButton); }
};

TEST_F(Grid, threeByFourStandsBesideThePictureAtItsExactPlace) {
  chooseGrid(3, 4);
  EXPECT_EQ(game().GridLeft, 5550);
  EXPECT_EQ(game().GridTop, 240);
  EXPECT_EQ(game().CellWidth, 1350);
  EXPECT_EQ(game().CellHeight, 1260);
  expectGrid(3, 4);
  const double ys[] = {240, 1500, 2760, 4020};
  for (int i = 0; i <= 3; ++i) {
    const LineElement& line = board->liO(i);
    EXPECT_EQ(QLineF(line.X1(), line.Y1(), line.X2(), line.Y2()), QLineF(5550, ys[i], 10950, ys[i])) << i;
  }
  const double xs[] = {5550, 6900, 8250, 9600, 10950};
  for (int j = 0; j <= 4; ++j) {
    const LineElement& line = board->Liv(j);
    EXPECT_EQ(QLineF(line.X1(), line.Y1(), line.X2(), line.Y2()), QLineF(xs[j], 240, xs[j], 4020)) << j;
  }
  EXPECT_EQ(game().GamePhase, 2);
  EXPECT_EQ(game().PieceCount, 12);
  EXPECT_EQ(game().SelectedPiece, NoPiece);
  EXPECT_EQ(game().RowCountText, QStringLiteral("3"));
  EXPECT_FALSE(board->CmdGriglia.Enabled());
  EXPECT_TRUE(board->mGrig.Enabled());
  EXPECT_TRUE(board->CmdTarsio.Enabled() && board->mTarsio.Enabled());
  EXPECT_TRUE(board->CmdAzze.Enabled() && board->mAzze.Enabled());
}

TEST_F(Grid, aClickIntoABoxTakesTheGridAwayAndOffersToTryAgain) {
  chooseGrid(3, 4);
  clickInto(board->Righe);
  expectNoGrid();
  EXPECT_EQ(game().GamePhase, 2);
  EXPECT_FALSE(board->CmdTarsio.Enabled() || board->mTarsio.Enabled());
  EXPECT_TRUE(board->CmdGriglia.Enabled() && board->mGrig.Enabled());
  EXPECT_EQ(board->CmdGriglia.Caption(), QStringLiteral("2 - Prova Griglia"));
  EXPECT_EQ(board->mGrig.Caption(), QStringLiteral("2 - Prova &Griglia..."));
  board->Righe.setText(QString());
  typeInto(board->Righe, QStringLiteral("5"));
  QTest::keyClick(board->windowHandle(), 'g');
  expectGrid(5, 4);
  EXPECT_FALSE(board->liO.exists(6));
  EXPECT_FALSE(board->Liv.exists(5));
}

TEST_F(Grid, theBoxesTakeOnlyDigitsAndControlKeys) {
  board->Righe.setText(QString());
  typeInto(board->Righe, QStringLiteral("1a2.x3"));
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("123"));
  int keys[] = {'0', '9', 8, 9, 10, 13, 'a', '+', ' ', 0xF9};
  int kept[] = {'0', '9', 8, 9, 10, 13, 0, 0, 0, 0};
  for (size_t k = 0; k < std::size(keys); ++k) {
    board->GridBox_KeyPress(keys[k]);
    EXPECT_EQ(keys[k], kept[k]) << k;
  }
}

// Editing keys and chords are no typed characters: they edit the box as in any text box, and what
// is pasted must be a number. Each key carries the text the X server gives it: Delete and the Ctrl
// chords carry control characters.
TEST_F(Grid, theBoxesKeepTheirEditingKeysAndTakeOnlyNumbersPasted) {
  board->Colonne.setText(QStringLiteral("123"));
  board->Colonne.widget()->setFocus();
  const auto key = [this](Qt::Key code, int text = 0, Qt::KeyboardModifiers modifiers = {}) {
    QTest::sendKeyEvent(QTest::Click, board->windowHandle(), code, text ? QString(QChar(text)) : QString(),
                        modifiers);
  };
  const auto paste = [&](const char* text) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
    key(Qt::Key_V, 0x16, Qt::ControlModifier);
  };
  const auto selectAll = [&] { key(Qt::Key_A, 0x01, Qt::ControlModifier); };
  const struct {
    std::function<void()> keys;
    const char* text;
  } steps[] = {
      {[&] { key(Qt::Key_Home); key(Qt::Key_Delete, 0x7F); }, "23"},
      {[&] { key(Qt::Key_End); key(Qt::Key_Backspace, 0x08); }, "2"},
      {[&] { key(Qt::Key_Left); key(Qt::Key_1, '1'); }, "12"},
      {[&] { selectAll(); key(Qt::Key_Delete, 0x7F); }, ""},
      {[&] { paste("45"); }, "45"},
      {[&] { selectAll(); paste("4x"); }, "45"},
  };
  for (size_t k = 0; k < std::size(steps); ++k) {
    steps[k].keys();
    EXPECT_EQ(board->Colonne.Text(), QString::fromLatin1(steps[k].text)) << "step " << k;
  }
}

TEST_F(Grid, wrongCountsAreRefusedAndNothingChanges) {
  chooseGrid(3, 4);
  const QString tooFine = QStringLiteral("Griglia troppo fitta");
  const struct {
    const char *rows, *columns;
    bool fine;
  } cases[] = {
      {"1", "4", false}, {"3", "1", false}, {"", "4", false}, {"3", "4a", false}, {"00", "4", false},
      {"2", "361", true},  // more columns than the picture has pixels
      {"253", "2", true},  // more rows than pixels
      {"200", "200", true},  // 40000 pieces
  };
  for (const auto& c : cases) {
    clickInto(board->Righe);
    board->Righe.setText(QString::fromLatin1(c.rows));
    board->Colonne.setText(QString::fromLatin1(c.columns));
    const auto before = dialogs.messages().size();
    click(board->CmdGriglia);
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), before + 1) << c.rows << " x " << c.columns;
    EXPECT_EQ(messages.back().title, QStringLiteral("Attenzione !"));
    EXPECT_EQ(messages.back().icon, MessageIcon::Critical);
    if (c.fine)
      EXPECT_TRUE(messages.back().text.startsWith(tooFine)) << messages.back().text.toStdString();
    else
      EXPECT_EQ(messages.back().text, QStringLiteral("Almeno 2 Righe e almeno 2 Colonne"));
    expectNoGrid();
    EXPECT_EQ(game().RowCount, 3);
    EXPECT_EQ(game().ColumnCount, 4);
    EXPECT_EQ(board->Righe.Text(), QString::fromLatin1(c.rows));
  }
  chooseGrid(2, 2);
  expectGrid(2, 2);
  EXPECT_EQ(game().PieceCount, 4);
}

TEST_F(Grid, theMenuAsksBothCountsAndReplacesADrawnGrid) {
  chooseGrid(3, 4);
  dialogs.answers = {QStringLiteral("+4"), QStringLiteral("5 x")};
  board->mGrig.action()->trigger();
  const auto asked = dialogs.ofKind(DialogCall::Input);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].text, QStringLiteral("Quante Righe ?"));
  EXPECT_EQ(asked[0].title, QStringLiteral("Rispondi qui"));
  EXPECT_EQ(asked[0].defaultAnswer, QStringLiteral("3"));
  EXPECT_EQ(asked[1].text, QStringLiteral("Quante Colonne ?"));
  EXPECT_EQ(asked[1].defaultAnswer, QStringLiteral("4"));
  expectGrid(4, 5);
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("4"));
  EXPECT_EQ(board->Colonne.Text(), QStringLiteral("5"));
  dialogs.answers = {QStringLiteral("1 2"), QStringLiteral("2")};
  board->mGrig.action()->trigger();
  expectGrid(12, 2);
}

TEST_F(Grid, cancelOrASmallAnswerInTheMenuStopsSilently) {
  chooseGrid(3, 4);
  dialogs.answers = {QString()};
  board->mGrig.action()->trigger();
  EXPECT_EQ(dialogs.ofKind(DialogCall::Input).size(), 1u);
  dialogs.answers = {QStringLiteral("3"), QStringLiteral("1")};
  board->mGrig.action()->trigger();
  EXPECT_EQ(dialogs.ofKind(DialogCall::Input).size(), 3u);
  EXPECT_TRUE(dialogs.messages().empty());
  expectGrid(3, 4);
  EXPECT_EQ(board->Colonne.Text(), QStringLiteral("4"));
}

TEST_F(Grid, aBoxClickDoesNothingWhileTheBoardHoldsASavedGame) {
  chooseGrid(3, 4);
  game().PictureExtension = QStringLiteral("trs");
  clickInto(board->Colonne);
  expectGrid(3, 4);
  EXPECT_TRUE(board->CmdTarsio.Enabled());
}

TEST_F(Grid, movingAGridThatABoxClickTookAwayLeavesItUndrawn) {
  chooseGrid(3, 4);
  clickInto(board->Righe);
  board->DrawGrid();
  expectNoGrid();
  EXPECT_EQ(game().CellWidth, 1350);
}

}  // namespace
}  // namespace tarsio

namespace tarsio {
namespace {

// Seen closely, the picture is the map of the grid, and the command rows keep out of the way.
TEST_F(Grid, zoomedAClickOnThePictureCentresTheViewOnTheSameSpotOfTheGrid) {
  choosePicture(blocksPicture(400, 300, 2, 2));
  chooseGrid(3, 4);
  for (int step = 0; step < 6; ++step) board->canvas->zoomIn();
  const View& view = board->canvas->view();
  ASSERT_FALSE(view.showsAll());
  const QRectF picture = board->ImaOrig.boxTwips();
  const QPointF spot = picture.topLeft() + QPointF(picture.width() * 0.75, picture.height() * 0.6);
  // The picture's spot must be on the screen to be clicked: the view goes there first.
  board->canvas->showWholeBoard();
  QTest::mouseClick(board->canvas, Qt::MiddleButton, {}, view.toCanvas(spot).toPoint());
  const QPoint at = view.toCanvas(spot).toPoint();
  QTest::mouseClick(board->canvas, Qt::LeftButton, {}, at);
  const QPointF centre = view.toTwips(QPointF(board->canvas->width() / 2.0, board->canvas->height() / 2.0));
  const QPointF expected(game().GridLeft + 0.75 * 4 * game().CellWidth, game().GridTop + 0.6 * 3 * game().CellHeight);
  EXPECT_NEAR(centre.x(), expected.x(), 30);
  EXPECT_NEAR(centre.y(), expected.y(), 30);
  const auto faint = [&] { return board->CmdImma.widget()->graphicsEffect() != nullptr; };
  QTest::mouseMove(board->canvas, QPoint(board->canvas->width() - 40, board->canvas->height() - 40));
  EXPECT_TRUE(faint());
  QTest::mouseMove(board->canvas, board->CmdImma.widget()->geometry().center() + QPoint(0, -120));
  EXPECT_TRUE(faint());
  QTest::mouseMove(board->canvas, board->CmdImma.widget()->geometry().topLeft() + QPoint(5, -20));
  EXPECT_FALSE(faint());
  board->canvas->showWholeBoard();
  EXPECT_FALSE(faint());
}

}  // namespace
}  // namespace tarsio
