// Tests of the drawing of a piece: the eight orientations, the back, the place kept by the turns.
#include <gtest/gtest.h>

#include <string>

#include "CutFixture.h"
#include "pieces/Cells.h"
#include "pieces/Orientation.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

// A 2 x 4 grid over a picture of 4 x 8 colour blocks: every cell holds four blocks, a b over c d.
// Cells are 100 x 150 pixels, so the turned box differs from the upright one.
class ShowPiece : public CutFixture {
 protected:
  static QImage quadrantPicture() { return blocksPicture(400, 300, 4, 8); }

  // The letter of the block of piece i's cell that has this colour: a b over c d; '?' for none of them.
  static char letterOf(const QColor& colour, int i) {
    const int first = (i / 4) * 16 + (i % 4) * 2;  // block index of "a"
    const int blocks[4] = {first, first + 1, first + 8, first + 9};
    for (int k = 0; k < 4; ++k)
      if (colour.rgb() == blockColour(blocks[k], 32).rgb()) return "abcd"[k];
    return '?';
  }

  // The letters that a picture of piece i shows in its quarters: top left, top right, bottom left,
  // bottom right.
  static std::string quadrants(const QImage& shown, int i) {
    std::string letters;
    for (const QPoint at : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 3), QPoint(3, 3)})
      letters += letterOf(shown.pixelColor(at.x() * shown.width() / 4, at.y() * shown.height() / 4), i);
    return letters;
  }

  // Shows piece i again in orientation v, as the gestures do.
  void redraw(int i, int v, Board::PiecePlace place) {
    game().Orientation[i] = v;
    game().NewOrientation = v;
    game().CurrentPiece = i;
    game().RotatedIndex = RotatedIndex(i, game().RowCount, game().ColumnCount);
    board->ShowPiece(place);
  }
};

// The front turned v quarter turns clockwise; face down, that front seen through the piece (mirrored
// top to bottom), so that from the back a further quarter turn turns the picture counter-clockwise.
const char* const FrontOrSeenThrough[OrientationCount] = {"abcd", "cadb", "dcba", "bdac",
                                                          "cdab", "dbca", "badc", "acbd"};

TEST_F(ShowPiece, EightOrientationsSeenThroughAPiece) {
  board->mTrasp.action()->trigger();
  rebuild(quadrantPicture(), 2, 4, {0, 1, 2, 3, 4, 5, 6, 7});
  for (int v = 0; v < OrientationCount; ++v) {
    const ImageElement& piece = board->ImA(v);
    EXPECT_EQ(quadrants(piece.picture().toImage(), v), FrontOrSeenThrough[v]) << "orientation " << v;
    expectBox(piece, dealtBox(v, v), "orientation " + std::to_string(v));
  }
  // Piece 7, made last, lies on top: the board shows its quarters as the picture has them.
  const QRectF box = board->ImA(7).boxTwips();
  std::string shown;
  for (const QPointF at :
       {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.25, 0.75), QPointF(0.75, 0.75)})
    shown += letterOf(shownAt(box.topLeft() + QPointF(at.x() * box.width(), at.y() * box.height())), 7);
  EXPECT_EQ(shown, FrontOrSeenThrough[7]);
}

TEST_F(ShowPiece, OpaqueBackShowsTheBackImageInTheBoxOfTheValue) {
  ASSERT_TRUE(board->mRove.Checked());
  rebuild(quadrantPicture(), 2, 4, {0, 1, 2, 3, 4, 5, 6, 7});
  for (int v = 0; v < OrientationCount; ++v) {
    const ImageElement& piece = board->ImA(v);
    if (v >= 4)
      EXPECT_EQ(piece.picture(), board->Retro(v).picture()) << "orientation " << v;
    else
      EXPECT_EQ(quadrants(piece.picture().toImage(), v), FrontOrSeenThrough[v]) << "orientation " << v;
    expectBox(piece, dealtBox(v, v), "orientation " + std::to_string(v));
  }
}

// A quarter turn turns the piece about its centre, four of them bring it back exactly; a front/back turn
// leaves it where it is, however often repeated.
TEST_F(ShowPiece, QuarterTurnKeepsTheCentreFrontBackTheCorner) {
  rebuild(quadrantPicture(), 2, 4, std::vector<int>(8, 0));
  const int i = 5;
  const ImageElement& piece = board->ImA(i);
  board->ImA(i).Move(piece.Left() + 1234.5, piece.Top() + 321.25);
  const QRectF start = piece.boxTwips();
  for (const int start_v : {0, 4}) {
    int v = start_v;
    redraw(i, v, Board::PiecePlace::Stay);
    for (int turn = 1; turn <= 4; ++turn) {
      v = quarterTurn(v);
      redraw(i, v, Board::PiecePlace::TurnBox);
      EXPECT_NEAR(piece.boxTwips().center().x(), start.center().x(), 1e-9) << v;
      EXPECT_NEAR(piece.boxTwips().center().y(), start.center().y(), 1e-9) << v;
      EXPECT_EQ(QSizeF(piece.Width(), piece.Height()), boxOf(v, game().CellWidth, game().CellHeight)) << v;
    }
    EXPECT_EQ(piece.boxTwips(), start) << "four quarter turns from " << start_v;
  }
  redraw(i, 1, Board::PiecePlace::TurnBox);
  const QRectF turned = piece.boxTwips();
  for (int flip = 0; flip < 5; ++flip) {
    redraw(i, frontBack(game().Orientation[i]), Board::PiecePlace::Stay);
    EXPECT_EQ(piece.boxTwips(), turned) << "flip " << flip;
  }
}

}  // namespace
}  // namespace tarsio
