// The layout rules: the largest picture shown, fitting, and the command rows.
#include <gtest/gtest.h>

#include "board/Layout.h"

namespace tarsio {
namespace {

TEST(Layout, limitsComeFromTheScreenRoundedHalvesToEven) {
  EXPECT_EQ(pictureLimits({12000, 9000}).maxWidth, 5850);
  EXPECT_EQ(pictureLimits({12000, 9000}).maxHeight, 6600);
  EXPECT_EQ(pictureLimits({12301, 9000.5}).maxWidth, 6000);  // 6000.5 goes to the even 6000
  EXPECT_EQ(pictureLimits({12303, 9000.5}).maxWidth, 6002);  // 6001.5 goes to the even 6002
  EXPECT_EQ(pictureLimits({12303, 9000.5}).maxHeight, 6600);
}

TEST(Layout, aPictureIsOnlyEverMadeSmallerAndKeepsItsProportions) {
  const PictureLimits limits{5850, 6600};
  struct Case {
    double width, height, scale, shownWidth, shownHeight;
  } cases[] = {
      {5850, 6600, 1, 5850, 6600},      // exactly at both limits
      {5850, 100, 1, 5850, 100},        // exactly as wide as allowed
      {11700, 6600, 2, 5850, 3300},     // twice too wide, exactly as tall as allowed
      {8775, 13200, 2, 4387.5, 6600},   // too wide by 1.5 and too tall by 2
      {1500, 1500, 1, 1500, 1500},      // a small picture is not enlarged
      {5851, 6600, 5851.0 / 5850, 5850, 6600 * 5850 / 5851.0},
  };
  for (const Case& c : cases) {
    const PictureFit fit = fitPicture(c.width, c.height, limits);
    EXPECT_DOUBLE_EQ(fit.scale, c.scale) << c.width << " x " << c.height;
    EXPECT_DOUBLE_EQ(fit.baseWidth, c.shownWidth) << c.width << " x " << c.height;
    EXPECT_DOUBLE_EQ(fit.baseHeight, c.shownHeight) << c.width << " x " << c.height;
  }
}

TEST(Layout, commandRowsFollowThePicturesBottomEdge) {
  const CommandRowTops small = commandRowTops(240, 1500);
  EXPECT_EQ(small.label, 1840);
  EXPECT_EQ(small.first, 2080);
  EXPECT_EQ(small.second, 2560);
  const CommandRowTops placeholder = commandRowTops(240, 3780);
  EXPECT_EQ(placeholder.label, 4120);
  EXPECT_EQ(placeholder.first, 4360);
  EXPECT_EQ(placeholder.second, 4840);
}

TEST(Layout, aWindowOutOfMaximizedFitsTheAvailableAreaWithItsTitleBar) {
  const QMargins frame(1, 24, 1, 1);
  const QRect available(0, 30, 1366, 738);  // a panel at the top
  const struct {
    QRect inside, placed;
  } cases[] = {
      {{0, 30, 1366, 738}, {1, 54, 1364, 713}},        // the whole available area, title bar above it
      {{100, 100, 1000, 640}, {100, 100, 1000, 640}},  // fits as it is
      {{900, -20, 1000, 640}, {365, 54, 1000, 640}},   // pushed back from the right and the top
  };
  for (const auto& c : cases) EXPECT_EQ(windowOnScreen(c.inside, frame, available), c.placed) << c.inside.x();
}

}  // namespace
}  // namespace tarsio
