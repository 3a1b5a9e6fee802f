// Pictures: regions, mirrors, reduced copies; element arrays.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "platform/BoardCanvas.h"
#include "platform/ElementArray.h"
#include "platform/Picture.h"

namespace tarsio {
namespace {

QImage numbered(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
  return image;
}

QImage noise(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QRandomGenerator random(20261209);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, random.generate());
  return image;
}

TEST(Picture, rendersItsRegionPixelForPixelAtItsOwnSize) {
  const QImage image = numbered(40, 30);
  const Picture part = Picture::fromImage(image).region(QRect(5, 7, 12, 9));
  EXPECT_EQ(part.size(), QSize(12, 9));
  EXPECT_EQ(part.toImage(), image.copy(5, 7, 12, 9));
}

TEST(Picture, mirrorsLeftRightAndTopBottomExactly) {
  const QImage image = numbered(9, 6);
  const Picture picture = Picture::fromImage(image);
  EXPECT_EQ(picture.mirrored(true, false).toImage(), image.mirrored(true, false));
  EXPECT_EQ(picture.mirrored(false, true).toImage(), image.mirrored(false, true));
  EXPECT_EQ(picture.mirrored(true, true).toImage(), image.mirrored(true, true));
  EXPECT_EQ(picture.mirrored(true, true).mirrored(true, true).toImage(), image);
  // A region of a mirrored picture is the mirror of the matching region.
  EXPECT_EQ(picture.mirrored(true, false).region(QRect(0, 0, 3, 6)).toImage(),
            image.copy(6, 0, 3, 6).mirrored(true, false));
}

// A turned picture, mirrored or not, shows exactly the turned image; its regions are the matching
// regions of that image, also at the far edges.
TEST(Picture, aTurnedPictureShowsItsRegionsTurnedAndMirroredExactly) {
  const QImage image = numbered(9, 6);
  const QImage turned = image.transformed(QTransform().rotate(90));
  struct Case {
    bool leftRight, topBottom;
    QRect rect;
  };
  for (const Case c : {Case{false, false, QRect(0, 0, 6, 9)}, Case{false, false, QRect(1, 2, 3, 4)},
                       Case{true, false, QRect(4, 0, 2, 9)}, Case{false, true, QRect(0, 7, 6, 2)},
                       Case{true, true, QRect(2, 3, 4, 5)}}) {
    const Picture picture = Picture::fromImage(image).turnedQuarter().mirrored(c.leftRight, c.topBottom);
    const Picture part = picture.region(c.rect);
    EXPECT_EQ(part.size(), c.rect.size());
    EXPECT_EQ(part.toImage(), turned.mirrored(c.leftRight, c.topBottom).copy(c.rect))
        << c.leftRight << c.topBottom << " at " << c.rect.x() << "," << c.rect.y();
  }
}

// Each pixel of the halved copy is the rounded mean of its 2 x 2 block, the last column and row
// repeated for odd sizes; widths across the four-pixel steps of the fast path and its remainder.
TEST(Picture, aHalvedCopyHoldsTheRoundedMeanOfEachBlock) {
  for (const QImage& image : {numbered(37, 9), numbered(16, 2), numbered(9, 1), numbered(1, 3), noise(64, 64)}) {
    const QSize size = image.size();
    const SourceImage source(image);
    const QImage& half = source.level(1);
    ASSERT_EQ(half.size(), QSize((size.width() + 1) / 2, (size.height() + 1) / 2));
    for (int y = 0; y < half.height(); ++y)
      for (int x = 0; x < half.width(); ++x) {
        const int x1 = std::min(2 * x + 1, size.width() - 1), y1 = std::min(2 * y + 1, size.height() - 1);
        const QRgb block[] = {image.pixel(2 * x, 2 * y), image.pixel(x1, 2 * y), image.pixel(2 * x, y1),
                              image.pixel(x1, y1)};
        const auto mean = [&](int (*channel)(QRgb)) {
          return (channel(block[0]) + channel(block[1]) + channel(block[2]) + channel(block[3]) + 2) / 4;
        };
        ASSERT_EQ(half.pixel(x, y), qRgb(mean(qRed), mean(qGreen), mean(qBlue)))
            << size.width() << " x " << size.height() << " at " << x << "," << y;
      }
  }
}

// A photo of a million pixels or more has its copy made by two threads at once.
TEST(Picture, aCopyReducedSeveralStepsAtOnceEqualsOneHalvingAfterAnother) {
  for (const QImage& image : {numbered(75, 37), numbered(64, 33), numbered(9, 70), noise(1031, 1023)}) {
    const QSize size = image.size();
    const SourceImage stepByStep(image), direct(image), fromAnother(image);
    for (int level = 1; level <= 5; ++level) stepByStep.level(level);
    fromAnother.level(2);
    for (int level : {5, 3, 4})
      EXPECT_EQ(direct.level(level), stepByStep.level(level)) << size.width() << " x " << size.height();
    EXPECT_EQ(fromAnother.level(5), stepByStep.level(5)) << size.width() << " x " << size.height();
  }
}

// Drawn from only the reduced copies already made, a part of a picture, turned or not, is reduced on its
// own, to the same pixels, and no copy is kept; parts at the picture's edges included.
TEST(Picture, aPartReducedOnItsOwnGivesThePixelsOfTheWholeCopyAndKeepsNone) {
  const Picture whole = Picture::fromImage(noise(1031, 1023));
  std::vector<std::pair<Picture, QSize>> drawn;
  for (const QRect part : {QRect(0, 0, 300, 200), QRect(517, 333, 97, 131), QRect(700, 801, 331, 222)})
    for (const QSize pixels : {QSize(140, 90), QSize(40, 30), QSize(11, 7)}) {
      drawn.emplace_back(whole.region(part), pixels);
      drawn.emplace_back(whole.region(part).turnedQuarter().mirrored(true, false), pixels.transposed());
    }
  std::vector<QImage> alone;
  for (const auto& [picture, pixels] : drawn) alone.push_back(picture.render(pixels, Copies::OnlyMade));
  for (int level = 1; level < 6; ++level) EXPECT_TRUE(whole.source()->madeLevel(level).isNull());
  for (std::size_t k = 0; k < drawn.size(); ++k)
    EXPECT_EQ(alone[k], drawn[k].first.render(drawn[k].second)) << "drawing " << k;
}

TEST(Picture, aLargePictureDrawnSmallLooksLikeItsAverage) {
  QImage image(4000, 3000, QImage::Format_RGB32);
  image.fill(qRgb(200, 40, 90));
  const QImage small = Picture::fromImage(image).render(QSize(30, 20));
  EXPECT_EQ(small.size(), QSize(30, 20));
  EXPECT_EQ(small.pixelColor(15, 10), QColor(200, 40, 90));
  EXPECT_EQ(small.pixelColor(29, 19), QColor(200, 40, 90));
}

TEST(ElementArray, loadedElementsCopyTheTemplateAndStartHidden) {
  BoardCanvas canvas;
  ElementArray<ImageElement> array(&canvas, Layer::Pieces, {999});
  array(999).setStretch(true);
  array(999).setBox(0, 0, 300, 200);
  ImageElement& piece = array.Load(3);
  EXPECT_FALSE(piece.Visible());
  EXPECT_TRUE(piece.Stretch());
  EXPECT_EQ(piece.Width(), 300);
  EXPECT_EQ(piece.Height(), 200);
  EXPECT_TRUE(array.exists(3) && !array.exists(2) && !array.exists(4));
  EXPECT_EQ(array.count(), 2);
  array.Unload(3);
  EXPECT_FALSE(array.exists(3));
  EXPECT_EQ(array.count(), 1);
}

}  // namespace
}  // namespace tarsio
