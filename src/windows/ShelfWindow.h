// The window of the games in progress: each kept game with a small picture of its board, to be taken up
// or thrown away.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"
#include "savegame/Shelf.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tarsio {

class ShelfWindow : public QDialog {
 public:
  // `games` in the order shown, the first one chosen.
  ShelfWindow(QWidget* parent, Dialogs& dialogs, std::vector<ShelfGame> games);

  // Throws a game away once the player has agreed; false when it could not be, and it stays listed.
  std::function<bool(const ShelfGame&)> onDelete;
  // Asked for the small picture of a game whose picture cannot be read, and of the game on the board;
  // what is drawn comes back through showSketch().
  std::function<void(const ShelfGame&)> onSketchWanted;
  // Shows `sketch` beside the game kept in `file`, while it is listed.
  void showSketch(const QString& file, const QImage& sketch);
  // The game the player took up (Return, a double click, "Riprendi"); nothing when the window was
  // closed without one, or with the game on the board.
  const std::optional<ShelfGame>& chosen() const { return chosen_; }

  QListWidget* const list;
  QPushButton* const resumeButton;
  QPushButton* const deleteButton;
  // Tells, once the window has found them, how many small pictures were damaged and are made again.
  QLabel* const note;

 private:
  // A game whose picture is missing is not taken up: the player is told why, and the window stays. The
  // game on the board is where the player is already: the window closes.
  void takeUp();
  // Asks first, "No" the default answer.
  void throwAway();
  void followChoice();
  void showSketches();

  Dialogs& dialogs_;
  std::vector<ShelfGame> games_;
  std::optional<ShelfGame> chosen_;
  QTimer sketchTimer_;
  int sketchesShown_ = 0;  // the rows whose small picture has been read
  int damagedSketches_ = 0;
};

}  // namespace tarsio
