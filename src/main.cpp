// The program: the board window, opened maximized.
#include <QApplication>

#include "board/Board.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarsio"));
  tarsio::QtDialogs dialogs;
  tarsio::Random random;
  tarsio::Board board({&dialogs, &random, {}, {}});
  dialogs.setOwner(&board);
  board.showMaximized();
  return QApplication::exec();
}
