// Tests of the picture-shaped window outline: white cut out, everything else kept.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <random>

#include "windows/WindowShape.h"

namespace tarsio {
namespace {

bool sameRegion(const QRegion& a, const QRegion& b) { return (a ^ b).isEmpty(); }

QImage filled(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// The outline built the plain way: the whole rectangle minus one rectangle per white run of each row.
QRegion referenceRegion(const QImage& image) {
  QRegion region(0, 0, image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width();) {
      const int start = x;
      while (x < image.width() && (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) ++x;
      if (start < x)
        region -= QRect(start, y, x - start, 1);
      else
        ++x;
    }
  }
  return region;
}

TEST(RegionWithoutWhite, PictureWithoutWhiteIsItsRectangle) {
  EXPECT_TRUE(sameRegion(regionWithoutWhite(filled(37, 21, QColor(200, 10, 90))), QRegion(0, 0, 37, 21)));
}

TEST(RegionWithoutWhite, NearWhiteStays) {
  for (const QColor& nearWhite : {QColor(254, 255, 255), QColor(255, 254, 255), QColor(255, 255, 254)})
    EXPECT_TRUE(sameRegion(regionWithoutWhite(filled(5, 4, nearWhite)), QRegion(0, 0, 5, 4)));
}

TEST(RegionWithoutWhite, AllWhiteIsEmpty) {
  EXPECT_TRUE(regionWithoutWhite(filled(9, 7, Qt::white)).isEmpty());
}

TEST(RegionWithoutWhite, WhiteRowIsRemovedEntirely) {
  QImage image = filled(10, 5, Qt::black);
  for (int x = 0; x < 10; ++x) image.setPixel(x, 2, 0xFFFFFFFF);
  const QRegion expected = QRegion(0, 0, 10, 5) - QRegion(0, 2, 10, 1);
  EXPECT_TRUE(sameRegion(regionWithoutWhite(image), expected));
}

TEST(RegionWithoutWhite, RunsAtBothEdgesEndAtTheEdges) {
  QImage image = filled(10, 3, Qt::blue);
  for (int x = 6; x < 10; ++x) image.setPixel(x, 1, 0xFFFFFFFF);
  image.setPixel(0, 0, 0xFFFFFFFF);
  const QRegion expected = QRegion(0, 0, 10, 3) - QRegion(6, 1, 4, 1) - QRegion(0, 0, 1, 1);
  EXPECT_TRUE(sameRegion(regionWithoutWhite(image), expected));
}

TEST(RegionWithoutWhite, IgnoresAlpha) {
  QImage image(4, 4, QImage::Format_ARGB32);
  image.fill(QColor(10, 20, 30, 0));
  image.setPixel(1, 1, qRgba(255, 255, 255, 0));
  EXPECT_TRUE(sameRegion(regionWithoutWhite(image), QRegion(0, 0, 4, 4) - QRegion(1, 1, 1, 1)));
}

TEST(RegionWithoutWhite, MatchesThePlainConstructionOnRandomPictures) {
  std::mt19937 engine(7);
  for (int round = 0; round < 20; ++round) {
    const int width = 1 + static_cast<int>(engine() % 40);
    const int height = 1 + static_cast<int>(engine() % 30);
    QImage image = filled(width, height, Qt::white);
    // Blocks of colour repeated over several rows make bands that must merge correctly.
    for (int block = 0; block < 6; ++block) {
      const int left = static_cast<int>(engine() % width);
      const int top = static_cast<int>(engine() % height);
      const QRect area(left, top, 1 + static_cast<int>(engine() % 12), 1 + static_cast<int>(engine() % 9));
      for (int y = area.top(); y <= area.bottom() && y < height; ++y)
        for (int x = area.left(); x <= area.right() && x < width; ++x) image.setPixel(x, y, 0xFF204060);
    }
    EXPECT_TRUE(sameRegion(regionWithoutWhite(image), referenceRegion(image))) << "round " << round;
    // The same number of rectangles: the region is in the merged form the toolkit builds itself.
    EXPECT_EQ(regionWithoutWhite(image).rectCount(), referenceRegion(image).rectCount()) << "round " << round;
  }
}

TEST(RegionWithoutWhite, LargePictureIsQuick) {
  QImage image = filled(2000, 1500, Qt::white);
  for (int y = 0; y < 1500; ++y)
    for (int x = (y * 7) % 13; x < 2000; x += 13 + y % 5) image.setPixel(x, y, 0xFF000000);
  QElapsedTimer timer;
  timer.start();
  const QRegion region = regionWithoutWhite(image);
  EXPECT_LT(timer.elapsed(), 1000);
  EXPECT_TRUE(region.contains(QPoint(0, 0)));
  EXPECT_FALSE(region.contains(QPoint(1, 0)));
}

}  // namespace
}  // namespace tarsio
