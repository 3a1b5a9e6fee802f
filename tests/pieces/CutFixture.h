// A board fixture for the cut: a picture and a grid chosen, then a fresh cut or a saved game rebuilt.
#pragma once

#include <QDir>
#include <QRectF>
#include <string>
#include <vector>

#include "support/BoardFixture.h"

namespace tarsio {

class CutFixture : public BoardFixture {
 protected:
  // A new board on the same work folder, dialogs and random numbers.
  void freshBoard() {
    board.reset();
    // As at the first start, with no choice of an earlier board remembered.
    QDir(folder.filePath(QStringLiteral("config"))).removeRecursively();
    BoardFixture::SetUp();
  }

  // Chooses the picture and the grid, then cuts.
  void cut(const QImage& picture, int rows, int columns) {
    choosePicture(picture);
    chooseGrid(rows, columns);
    click(board->CmdTarsio);
  }

  // Chooses the picture and the grid, then fills the per-piece arrays as the saved-game reader does and
  // cuts: orientations[i] for piece i; StartCell and Docked get recognisable values of their own.
  void rebuild(const QImage& picture, int rows, int columns, const std::vector<int>& orientations) {
    choosePicture(picture);
    chooseGrid(rows, columns);
    const int pieces = rows * columns;
    game().LoadingSavedGame = true;
    game().Orientation = orientations;
    game().Orientation.resize(pieces + 1, 0);
    game().StartCell.assign(pieces + 1, 0);
    game().Docked.assign(pieces + 1, false);
    for (int i = 0; i < pieces; ++i) {
      game().StartCell[i] = pieces - 1 - i;
      game().Docked[i] = i % 3 == 0;
    }
    click(board->CmdTarsio);
  }

  // Grid cell k in board twips.
  QRectF cellBox(int k) const {
    const GameState& g = board->game;
    return QRectF(g.GridLeft + (k % g.ColumnCount) * g.CellWidth,
                  g.GridTop + (k / g.ColumnCount) * g.CellHeight, g.CellWidth, g.CellHeight);
  }

  // Where a piece of orientation v dealt into cell k lies: an upright box covers the cell, a turned box
  // (CellHeight wide, CellWidth tall) has the cell's centre.
  QRectF dealtBox(int k, int v) const {
    const QRectF cell = cellBox(k);
    if (v % 2 == 0) return cell;
    QRectF turned(0, 0, cell.height(), cell.width());
    turned.moveCenter(cell.center());
    return turned;
  }

  static void expectBox(const ImageElement& piece, const QRectF& box, const std::string& what) {
    EXPECT_NEAR(piece.Left(), box.left(), 1e-6) << what;
    EXPECT_NEAR(piece.Top(), box.top(), 1e-6) << what;
    EXPECT_NEAR(piece.Width(), box.width(), 1e-6) << what;
    EXPECT_NEAR(piece.Height(), box.height(), 1e-6) << what;
  }
};

}  // namespace tarsio
