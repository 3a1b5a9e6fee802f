// Tests of the information window: its place on the screen, its texts, and closing it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "support/BoardFixture.h"
#include "windows/InfoWindow.h"
#include "windows/ModalWatcher.h"

namespace tarsio {
namespace {

TEST(InfoWindow, PlacedAt2000TwipsWithItsTexts) {
  FormI info(nullptr);
  info.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
  EXPECT_EQ(info.pos(), QPoint(133, 133));
  EXPECT_EQ(info.size(), QSize(278, 198));
  EXPECT_TRUE(info.windowFlags() & Qt::FramelessWindowHint);
  struct Case {
    Label* label;
    QString text;
    bool bold;
    int width;  // pixels, as designed
  };
  const Case cases[] = {{&info.Label1, QStringLiteral("Programma Tarsio V.4"), true, 169},
                        {&info.Label2, QStringLiteral("Un'immagine\nda ricomporre"), true, 145},
                        {&info.Label3, QString::fromUtf8("versione 4.0 — 2026"), false, 145}};
  const QImage shot = info.grab().toImage();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(c.label->Caption(), c.text);
    EXPECT_EQ(c.label->widget()->font().bold(), c.bold);
    // The text fits the designed box, so the label does not grow over the picture.
    EXPECT_EQ(c.label->widget()->width(), c.width);
    // The label's own corner shows white over the picture.
    EXPECT_EQ(shot.pixelColor(c.label->widget()->geometry().bottomRight()), QColor(Qt::white));
  }
  auto* button = static_cast<QPushButton*>(info.Command1.widget());
  EXPECT_TRUE(button->text().isEmpty());
  EXPECT_FALSE(button->icon().isNull());
}

TEST(InfoWindow, ItsPictureKeepsItsOwnSizeAtTheTopLeft) {
  FormI info(nullptr);
  info.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
  const QImage picture = QImage(QStringLiteral(":/info.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(picture.size(), QSize(249, 196));
  const QImage shot = info.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Left of the labels and below the button the window shows the picture pixel for pixel.
  int differing = 0;
  for (const QRect& free : {QRect(0, 0, 50, 196), QRect(0, 186, 249, 10)})
    for (int y = free.top(); y <= free.bottom(); ++y)
      for (int x = free.left(); x <= free.right(); ++x) differing += shot.pixel(x, y) != picture.pixel(x, y);
  EXPECT_EQ(differing, 0);
  // Beside and below it, the window's own colour.
  const QRgb window = info.palette().color(QPalette::Window).rgb();
  int notWindow = 0;
  for (int y = 0; y < shot.height(); ++y) notWindow += shot.pixel(270, y) != window;
  for (int x = 0; x < 50; ++x) notWindow += shot.pixel(x, 197) != window;
  // That colour is the picture's ground: all round the labels, right of the compass rose and below.
  for (const QRect& ground : {QRect(52, 0, 197, 120), QRect(116, 0, 133, 196), QRect(0, 190, 249, 6)})
    for (int y = ground.top(); y <= ground.bottom(); ++y)
      for (int x = ground.left(); x <= ground.right(); ++x) notWindow += picture.pixel(x, y) != window;
  EXPECT_EQ(notWindow, 0);
}

TEST(InfoWindow, ButtonClosesIt) {
  FormI info(nullptr);
  info.show();
  QTest::mouseClick(info.Command1.widget(), Qt::LeftButton);
  EXPECT_FALSE(info.isVisible());
}

class InfoFromBoardTest : public BoardFixture {};

TEST_F(InfoFromBoardTest, MenuOpensItModallyAndItsButtonClosesIt) {
  const int seen =
      answerModal<FormI>([this] { board->mInfo.action()->trigger(); },
                         [](FormI& info) { QTest::mouseClick(info.Command1.widget(), Qt::LeftButton); });
  EXPECT_EQ(seen, 1);
}

}  // namespace
}  // namespace tarsio
