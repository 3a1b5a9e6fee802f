// The view commands of the "Visualizza" menu and their keys: the board asks the canvas for a closer
// look, a farther one or the whole board.
#include <QMenu>
#include <QShortcut>

#include "board/Board.h"

namespace tarsio {

namespace {

void addViewItem(QMenu* menu, MenuItem& item, const char* caption, QList<QKeySequence> keys, QWidget* window,
                 std::function<void()> run) {
  item.attach(menu->addAction(QString::fromUtf8(caption)));
  item.onClick = run;
  // The keys are shortcuts of the window, not of the item, so that they work whether or not the menu
  // is enabled and the caption shows them in the menu's own way.
  auto* shortcut = new QShortcut(window);
  shortcut->setKeys(keys);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, std::move(run));
}

}  // namespace

void Board::createViewCommands(QMenu* menu) {
  menu->addSeparator();
  addViewItem(menu, mZoomPiu, "Zoom avanti                       (Ctrl +)",
              {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, this,
              [this] { canvas->zoomIn(); });
  addViewItem(menu, mZoomMeno, "Zoom indietro                     (Ctrl -)",
              {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, this, [this] { canvas->zoomOut(); });
  addViewItem(menu, mTavolo, "Tutto il tavolo                   (Ctrl 0)",
              {QKeySequence(Qt::CTRL | Qt::Key_0)}, this, [this] { canvas->showWholeBoard(); });
}

}  // namespace tarsio
