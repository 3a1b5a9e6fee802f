// Tests of the quarter turn of a whole picture.
#include <gtest/gtest.h>

#include "PatternPicture.h"
#include "support/Turn.h"

namespace tarsio {
namespace {

struct TurnCase {
  int width;
  int height;
  QImage::Format format;
  QImage::Format turnedFormat;
};

class TurnBitmapTest : public ::testing::TestWithParam<TurnCase> {};

// Sizes from a single pixel to a few rows of them, and formats kept or converted.
INSTANTIATE_TEST_SUITE_P(Sizes, TurnBitmapTest,
                         ::testing::Values(TurnCase{1, 1, QImage::Format_RGB32, QImage::Format_RGB32},
                                           TurnCase{1, 130, QImage::Format_RGB32, QImage::Format_RGB32},
                                           TurnCase{130, 1, QImage::Format_RGB32, QImage::Format_RGB32},
                                           TurnCase{64, 64, QImage::Format_RGB32, QImage::Format_RGB32},
                                           TurnCase{65, 129, QImage::Format_RGB32, QImage::Format_RGB32},
                                           TurnCase{200, 67, QImage::Format_ARGB32_Premultiplied,
                                                    QImage::Format_ARGB32_Premultiplied},
                                           TurnCase{67, 200, QImage::Format_RGB888, QImage::Format_RGB32},
                                           TurnCase{33, 70, QImage::Format_ARGB32, QImage::Format_RGB32}));

TEST_P(TurnBitmapTest, EveryPixelComesFromTheQuarterTurnedPlace) {
  const auto [width, height, format, turnedFormat] = GetParam();
  const QImage picture = patternPicture(width, height, format);
  const QImage turned = TurnBitmap(picture);
  ASSERT_EQ(turned.size(), QSize(height, width));
  EXPECT_EQ(turned.format(), turnedFormat);
  for (int y = 0; y < width; ++y)
    for (int x = 0; x < height; ++x)
      ASSERT_EQ(turned.pixel(x, y), picture.pixel(y, height - 1 - x)) << x << "," << y;
}

TEST_P(TurnBitmapTest, FourTurnsGiveThePictureBack) {
  const auto [width, height, format, turnedFormat] = GetParam();
  const QImage picture = patternPicture(width, height, turnedFormat);
  EXPECT_EQ(TurnBitmap(TurnBitmap(TurnBitmap(TurnBitmap(picture)))), picture);
}

TEST(TurnBitmap, CornersOfTheTurnedPicture) {
  const QImage picture = patternPicture(40, 25);
  const QImage turned = TurnBitmap(picture);
  EXPECT_EQ(turned.pixel(0, 0), picture.pixel(0, 24));    // top-left from bottom-left
  EXPECT_EQ(turned.pixel(24, 0), picture.pixel(0, 0));    // top-right from top-left
  EXPECT_EQ(turned.pixel(24, 39), picture.pixel(39, 0));  // bottom-right from top-right
  EXPECT_EQ(turned.pixel(0, 39), picture.pixel(39, 24));  // bottom-left from bottom-right
}

TEST(TurnBitmap, NullPictureGivesNullPicture) { EXPECT_TRUE(TurnBitmap(QImage()).isNull()); }

}  // namespace
}  // namespace tarsio
