// Tests of the splash window: its outline, its hand-over to the board and dragging it by hand.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "windows/Splash.h"
#include "windows/WindowShape.h"

namespace tarsio {
namespace {

TEST(Splash, OutlineIsThePictureWithoutItsWhite) {
  Form0 splash({});
  const QImage picture(QStringLiteral(":/splash.png"));
  ASSERT_EQ(picture.size(), QSize(379, 215));
  EXPECT_EQ(splash.size(), QSize(380, 216));
  const QRegion expected = regionWithoutWhite(picture);
  EXPECT_TRUE((splash.mask() ^ expected).isEmpty());
  // The picture has white to cut away and colour to keep.
  EXPECT_FALSE(expected.isEmpty());
  EXPECT_FALSE((QRegion(picture.rect()) ^ expected).isEmpty());
}

TEST(Splash, TranslucentOutlineIsTransparentExactlyWhereThePictureIsWhite) {
  Form0 splash({}, Outline::MaskAndTransparency);
  const QImage picture = QImage(QStringLiteral(":/splash.png")).convertToFormat(QImage::Format_RGB32);
  const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(shown.size(), splash.size());
  EXPECT_TRUE(splash.testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_TRUE((splash.mask() ^ regionWithoutWhite(picture)).isEmpty());
  int transparent = 0;
  int wrong = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb pixel = shown.pixel(x, y);
      const bool inPicture = picture.rect().contains(x, y);
      const bool white = !inPicture || (picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
      transparent += white;
      // White pixels let the desktop through; every other pixel is the picture's own, fully opaque.
      wrong += white ? qAlpha(pixel) != 0 : pixel != (picture.pixel(x, y) | 0xFF000000);
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(transparent, 1000);
}

TEST(Splash, HandsOverOnceAfterFourSecondsWhileStillShown) {
  int handOvers = 0;
  bool shownAtHandOver = false;
  Form0 splash([&] {
    ++handOvers;
    shownAtHandOver = splash.isVisible();
  });
  splash.show();
  EXPECT_TRUE(splash.Timer2.isActive());
  EXPECT_EQ(splash.Timer2.interval(), 4000);
  EXPECT_EQ(handOvers, 0);
  QMetaObject::invokeMethod(&splash.Timer2, "timeout");
  QMetaObject::invokeMethod(&splash.Timer2, "timeout");
  EXPECT_EQ(handOvers, 1);
  // The board is shown before the splash goes, so the program never runs without a window.
  EXPECT_TRUE(shownAtHandOver);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_FALSE(splash.Timer2.isActive());
}

void sendMove(QWidget& window, QPoint global, Qt::MouseButtons held) {
  const QPoint local = global - window.pos();
  QMouseEvent event(QEvent::MouseMove, local, global, Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(&window, &event);
}

TEST(Splash, AnyMouseButtonDragsTheWindow) {
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    SCOPED_TRACE(button);
    Form0 splash({});
    splash.move(200, 150);
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    const QPoint start = splash.pos();
    const QPoint grip(40, 30);
    QTest::mousePress(&splash, button, {}, grip);
    sendMove(splash, start + grip + QPoint(25, 17), button);
    sendMove(splash, start + grip + QPoint(60, -20), button);
    EXPECT_EQ(splash.pos(), start + QPoint(60, -20));
    QTest::mouseRelease(&splash, button, {}, grip + QPoint(60, -20));
    // Once released, the pointer moves on alone.
    sendMove(splash, start + QPoint(300, 300), Qt::NoButton);
    EXPECT_EQ(splash.pos(), start + QPoint(60, -20));
    EXPECT_TRUE(splash.Timer2.isActive());
  }
}

TEST(Splash, AClickOrAKeyEndsItAtOnce) {
  for (const bool key : {false, true}) {
    int handOvers = 0;
    Form0 splash([&] { ++handOvers; });
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    if (key)
      QTest::keyClick(&splash, Qt::Key_Space);
    else
      QTest::mouseClick(&splash, Qt::RightButton, {}, QPoint(40, 30));
    EXPECT_EQ(handOvers, 1) << key;
    EXPECT_FALSE(splash.isVisible()) << key;
  }
}

}  // namespace
}  // namespace tarsio
