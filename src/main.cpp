// The program: the splash window, which after four seconds shows the board window maximized.
#include <QApplication>
#include <QScreen>

#include "board/Board.h"
#include "windows/Splash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarsio"));
  tarsio::QtDialogs dialogs;
  tarsio::Random random;
  tarsio::Board board({&dialogs, &random, {}, {}});
  dialogs.setOwner(&board);
  tarsio::Form0 splash([&board] {
    // Without a window manager "maximized" means nothing; the screen's size is set first.
    board.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    board.showMaximized();
  });
  splash.show();
  return QApplication::exec();
}
