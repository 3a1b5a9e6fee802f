// The table as the player likes it: the picture faint under the grid, the table's colour, full screen
// and sounds, each choice remembered between runs.
#include <QMenu>
#include <QShortcut>

#include "board/Board.h"

namespace tarsio {

namespace {

// The faint picture's strength over the table: enough to find a place, not enough to copy it.
constexpr double FaintOpacity = 0.25;

struct TableColour {
  const char* caption;
  QColor table;  // invalid: the window's own colours
  QColor ink;    // of lines and captions on it
};
// On the dark tables the lines are light, so that the grid and every frame stand out.
const TableColour TableColours[] = {
    {"&Normale", {}, {}},
    {"&Grigio scuro", QColor(60, 60, 60), QColor(225, 225, 225)},
    {"&Verde scuro", QColor(22, 78, 46), QColor(225, 225, 225)},
    {"&Blu scuro", QColor(24, 40, 84), QColor(225, 225, 225)},
};

QAction* addCheckItem(QMenu* menu, MenuItem& item, const char* caption, std::function<void()> onClick) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  item.attach(action);
  item.onClick = std::move(onClick);
  return action;
}

}  // namespace

void Board::createTableLook(QMenu* menu) {
  addCheckItem(menu, mSotto, "Immagine sotto la &griglia", [this] { mSotto_Click(); });
  menu->addSeparator();
  QMenu* colours = menu->addMenu(QStringLiteral("Colore del &tavolo"));
  mColore.attach(colours->menuAction());
  for (int k = 0; k < static_cast<int>(mColori.size()); ++k)
    addCheckItem(colours, mColori[k], TableColours[k].caption, [this, k] { chooseTableColour(k); });
  addCheckItem(menu, mSuoni, "&Suoni", [this] { mSuoni_Click(); });
  ImaSotto.setStretch(true);
  ImaSotto.setOpacity(FaintOpacity);
  // F11 is the window's, whether or not the menu is enabled; Escape is seen with the typed keys.
  auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
  fullScreen->setContext(Qt::WindowShortcut);
  connect(fullScreen, &QShortcut::activated, this, [this] { switchFullScreen(); });
}

void Board::applyPreferences() {
  mSotto.setChecked(preferences.get(remembered::FaintPicture));
  chooseTableColour(preferences.get(remembered::TableColour));
  mSuoni.setChecked(preferences.get(remembered::Sounds));
  sounds.setOn(mSuoni.Checked());
  const int scramble = preferences.get(remembered::Scramble);
  if (scramble == 0) mRove.setChecked(false);
  markScrambleOption(scramble);
  LastFolder = preferences.get(remembered::LastFolder);
  mUniscono.setChecked(preferences.get(remembered::Joining));
}

void Board::mSotto_Click() {
  mSotto.setChecked(!mSotto.Checked());
  preferences.set(remembered::FaintPicture, mSotto.Checked());
  placeFaintPicture();
}

void Board::placeFaintPicture() {
  // The first line of the grid is shown exactly while a grid is drawn.
  ImaSotto.setVisible(mSotto.Checked() && liO(0).Visible());
  // Out of sight it lets go of the picture, which may be a large photo.
  ImaSotto.setPicture(ImaSotto.Visible() ? ImaOrig.picture() : Picture());
  if (ImaSotto.Visible())
    ImaSotto.setBox(game.GridLeft, game.GridTop, game.CellWidth * game.ColumnCount,
                    game.CellHeight * game.RowCount);
}

void Board::chooseTableColour(int choice) {
  for (int k = 0; k < static_cast<int>(mColori.size()); ++k) mColori[k].setChecked(k == choice);
  canvas->setTable(TableColours[choice].table, TableColours[choice].ink);
  refreshGroupOutline();
  preferences.set(remembered::TableColour, choice);
}

void Board::mSuoni_Click() {
  mSuoni.setChecked(!mSuoni.Checked());
  sounds.setOn(mSuoni.Checked());
  preferences.set(remembered::Sounds, mSuoni.Checked());
}

// Leaving full screen gives back the window's state before it, maximized at start.
void Board::switchFullScreen() {
  setWindowState(windowState() ^ Qt::WindowFullScreen);
  preferences.set(remembered::FullScreen, windowState().testFlag(Qt::WindowFullScreen));
}

void Board::showAtStart() {
  setWindowState(preferences.get(remembered::FullScreen) ? Qt::WindowMaximized | Qt::WindowFullScreen
                                                         : Qt::WindowMaximized);
  show();
}

}  // namespace tarsio
