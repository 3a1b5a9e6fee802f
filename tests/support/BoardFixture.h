// A real board on the offscreen screen, with scripted dialogs, seeded random numbers and a private
// work folder, and helpers that drive it with real mouse and key events.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "board/Board.h"
#include "support/ScriptedDialogs.h"

namespace tarsio {

// Runs `checks` in a forked child as a user whom permissions bind (nobody when the suite runs as root,
// as in CI, given `files` first); true when none of the checks failed there.
bool asPlainUser(const QStringList& files, const std::function<void()>& checks);

class BoardFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a picture of blocks into the work folder and chooses it through the picture command.
  // A board shown maximized, keeping its games in progress in the folder's "state"; laid out for
  // `screen` (twips) when given.
  std::unique_ptr<Board> makeBoard(QSizeF screen = {});
  QString choosePicture(const QImage& image, const QString& name = QStringLiteral("picture.bmp"));
  void chooseFile(const QString& path);
  // Types the counts into the boxes and presses the grid button.
  void chooseGrid(int rows, int columns);
  void chooseGrid(const QString& rows, const QString& columns);
  void click(CommandButton& button);
  void typeInto(TextBox& box, const QString& text);
  // Mouse events on the board at a point in board twips.
  void press(QPointF twips, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {});
  void move(QPointF twips, Qt::MouseButton held = Qt::LeftButton);
  void release(QPointF twips, Qt::MouseButton button = Qt::LeftButton);
  // Presses in the middle of piece i, moves by (dx, dy) twips and releases.
  void drag(int piece, QPointF by);
  QPointF centreOf(const ImageElement& element) const;
  // The colour the canvas shows at a point in board twips.
  QColor shownAt(QPointF twips);

  QTemporaryDir folder;
  ScriptedDialogs dialogs;
  // The clock stands still, so that with the fixed seed every deal and gathering is the same at each run.
  Random random{[] { return std::uint64_t{0}; }};
  std::int64_t now = 0;  // the board's clock, in milliseconds; it moves only when a test moves it
  std::unique_ptr<Board> board;
  GameState& game() { return board->game; }
};

}  // namespace tarsio
