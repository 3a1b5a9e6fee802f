// The program: Qt's own texts in Italian, then the splash window, which after four seconds shows the
// board window maximized (full screen, if the player left it so); a file named on the command line is
// then chosen as if picked in the open-file dialog, or else the game a previous run left is offered back.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include "board/Board.h"
#include "platform/QtItalian.h"
#include "savegame/DurableFile.h"
#include "windows/Splash.h"

int main(int argc, char** argv) {
  // Before any thread: a save over the file-size limit is told to the player, the game goes on.
  tarsio::letOversizedWritesFail();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarsio"));
  // Before the first window: Qt's own buttons and dialogs speak the game's language.
  QTranslator qtItalian;
  tarsio::installQtItalian(qtItalian);
  const QString file = QApplication::arguments().value(1);
  tarsio::QtDialogs dialogs;
  tarsio::Random random;
  tarsio::Board board({&dialogs, &random, {}});
  dialogs.setOwner(&board);
  tarsio::Form0 splash([&board, file] {
    // Without a window manager "maximized" means nothing; the screen's size is set first.
    board.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    board.showAtStart();
    // A file named on the command line wins over the game a previous run left, which stays on the
    // shelf.
    if (!file.isEmpty())
      QTimer::singleShot(0, &board, [&board, file] {
        if (!board.keeper.offered().isEmpty()) board.keeper.leaveOffered();
        board.OpenFromOutside(file);
      });
    else
      QTimer::singleShot(0, &board, [&board] { board.offerKeptGame(); });
  });
  splash.show();
  return QApplication::exec();
}
