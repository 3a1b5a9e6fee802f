// The places a dragged piece is refused: screen edges, the picture's corner, the grid-size corner.
#include <gtest/gtest.h>

#include "play/DragLimits.h"

namespace tarsio {
namespace {

constexpr double W = 900, H = 600;

DragSurroundings surroundings(bool labelShown) {
  DragSurroundings around{QSizeF(19200, 15360), QRectF(120, 240, 4000, 3000), std::nullopt};
  if (labelShown) around.sizeLabel = QRectF(3240, 5520, 1335, 255);
  return around;
}

TEST(PlaceRefused, EachRuleAtItsBoundary) {
  struct Case {
    const char* what;
    double left, top;
    bool refused;
  };
  const Case cases[] = {
      {"free board right of the grid", 9000, 5000, false},
      {"half beyond the left edge", -W / 2, 4000, false},
      {"more than half beyond the left edge", -W / 2 - 1, 4000, true},
      {"half beyond the right edge", 19200 - W / 2, 5000, false},
      {"more than half beyond the right edge", 19200 - W / 2 + 1, 5000, true},
      {"half above the top", 9000, -H / 2, false},
      {"more than half above the top", 9000, -H / 2 - 1, true},
      {"touching the bottom", 9000, 15360 - H, false},
      {"one twip below the bottom", 9000, 15360 - H + 1, true},
      {"centre inside the picture", 1000, 1000, true},
      {"centre on the picture's right edge", 4120 - W / 2, 1000, false},
      {"centre on the picture's bottom edge", 1000, 3240 - H / 2, false},
      {"centre just left of the picture's right edge", 4120 - W / 2 - 1, 3240 - H / 2 - 1, true},
      {"centre right of the picture, above its bottom", 4200, 300, false},
      {"centre below the picture, left of its right edge", 300, 3300, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(placeRefused(QRectF(c.left, c.top, W, H), surroundings(true)), c.refused) << c.what;
}

TEST(PlaceRefused, GridSizeCornerOnlyWhileTheLabelIsShown) {
  struct Case {
    const char* what;
    double left, top;
    bool refusedWithLabel;
  };
  const Case cases[] = {
      {"over the boxes", 3000, 5600, true},
      {"left of the label's right edge, reaching below its top", 4574, 5520 - H + 1, true},
      {"at the label's right edge", 4575, 5600, false},
      {"bottom edge on the label's top", 3000, 5520 - H, false},
      {"far below, at the left", 200, 12000, true},
  };
  for (const Case& c : cases) {
    const QRectF piece(c.left, c.top, W, H);
    EXPECT_EQ(placeRefused(piece, surroundings(true)), c.refusedWithLabel) << c.what;
    EXPECT_FALSE(placeRefused(piece, surroundings(false))) << c.what << ", label hidden";
  }
}

}  // namespace
}  // namespace tarsio
