// Tests of the eight orientations: turns, boxes, the drawing recipe and the place change of a turn.
#include <gtest/gtest.h>

#include "PatternPicture.h"
#include "pieces/Orientation.h"
#include "support/Turn.h"

namespace tarsio {
namespace {

TEST(Orientation, QuarterTurnAndFrontBackCycles) {
  const int afterQuarterTurn[OrientationCount] = {1, 2, 3, 0, 5, 6, 7, 4};
  const int afterFrontBack[OrientationCount] = {4, 5, 6, 7, 0, 1, 2, 3};
  for (int v = 0; v < OrientationCount; ++v) {
    EXPECT_EQ(quarterTurn(v), afterQuarterTurn[v]) << v;
    EXPECT_EQ(frontBack(v), afterFrontBack[v]) << v;
    EXPECT_EQ(boxOf(frontBack(v), 150, 90), boxOf(v, 150, 90)) << "front/back keeps the box of " << v;
  }
}

TEST(Orientation, BoxPerValue) {
  for (int v = 0; v < OrientationCount; ++v)
    EXPECT_EQ(boxOf(v, 1500, 900), v % 2 == 0 ? QSizeF(1500, 900) : QSizeF(900, 1500)) << v;
}

// Drawing a whole picture (a grid of one cell) by the look of v must give the front turned v mod 4
// quarter turns, seen through the piece (mirrored top to bottom) when face down, in the box of v.
TEST(Orientation, LookDrawsTheTurnedFrontOrItsMirror) {
  const QImage front = patternPicture(5, 3);
  for (int v = 0; v < OrientationCount; ++v) {
    const OrientationLook look = orientationLook(v);
    const QImage cell = look.fromTurnedPicture ? TurnBitmap(front) : front;
    const QImage drawn = cell.mirrored(look.mirrorLeftRight, look.mirrorTopBottom);
    QImage expected = front;
    for (int turn = 0; turn < v % 4; ++turn) expected = TurnBitmap(expected);
    if (v >= 4) expected = expected.mirrored(false, true);
    EXPECT_EQ(drawn, expected) << v;
    EXPECT_EQ(look.faceDown, v >= 4) << v;
    EXPECT_EQ(QSizeF(drawn.size()), boxOf(v, front.width(), front.height())) << v;
    EXPECT_EQ(look.turnedBox, boxOf(v, 5, 3).width() == 3) << v;
  }
}

TEST(Orientation, QuarterTurnsKeepTheCentreAndFourReturnToTheStart) {
  for (const QSizeF cell : {QSizeF(1500, 900), QSizeF(900, 1500), QSizeF(1000, 1000), QSizeF(7, 4)}) {
    for (const int start : {0, 4}) {
      const QPointF first(100, 250);
      const QPointF centre = first + QPointF(cell.width() / 2, cell.height() / 2);
      QPointF topLeft = first;
      int v = start;
      for (int turn = 0; turn < 4; ++turn) {
        v = quarterTurn(v);
        topLeft = moveForBox(v, topLeft, cell.width(), cell.height());
        const QSizeF box = boxOf(v, cell.width(), cell.height());
        EXPECT_EQ(topLeft + QPointF(box.width() / 2, box.height() / 2), centre) << v;
      }
      EXPECT_EQ(v, start);
      EXPECT_EQ(topLeft, first);
    }
  }
}

TEST(Orientation, ScrambleKindsPerOption) {
  const int kinds[] = {1, 1, 4, 8, 8};
  for (int code = 0; code <= 4; ++code) EXPECT_EQ(scrambleKinds(code), kinds[code]) << code;
}

}  // namespace
}  // namespace tarsio
