// Tests of the cut on a real board: pieces, deal, turned cells, the template, saved games, no file written.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <numeric>

#include "CutFixture.h"
#include "PatternPicture.h"
#include "pieces/Cells.h"
#include "support/Pictures.h"
#include "support/Turn.h"

namespace tarsio {
namespace {

using Cut = CutFixture;

TEST_F(Cut, OnePiecePerCellAndThePlayBegins) {
  cut(blocksPicture(400, 300, 3, 4), 3, 4);
  EXPECT_EQ(board->ImA.count(), 13) << "twelve pieces and the template";
  for (int i = 0; i < 12; ++i) {
    EXPECT_TRUE(board->ImA(i).Visible()) << i;
    EXPECT_TRUE(board->ImA(i).Enabled()) << i;
    EXPECT_EQ(board->ImA(i).BorderStyle(), 0) << i;
  }
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_EQ(game().PieceCount, 12);
  EXPECT_EQ(game().Docked, std::vector<bool>(13, false));
  EXPECT_EQ(game().Orientation.size(), 13u);
  EXPECT_EQ(game().StartCell.size(), 13u);
  for (Control* off : std::initializer_list<Control*>{&board->CmdImma, &board->CmdGriglia, &board->CmdTarsio,
                                                      &board->Righe, &board->Colonne})
    EXPECT_FALSE(off->Enabled());
  for (MenuItem* off : {&board->mImma, &board->mGrig, &board->mTarsio}) EXPECT_FALSE(off->Enabled());
  EXPECT_TRUE(board->CmdRaccogli.Enabled());
  EXPECT_TRUE(board->mRaccogli.Enabled());
}

TEST_F(Cut, EveryPieceLandsInADistinctCell) {
  board->mTrasp.action()->trigger();
  cut(blocksPicture(400, 300, 3, 4), 10, 12);
  std::vector<int> cells(game().StartCell.begin(), game().StartCell.begin() + 120);
  for (int i = 0; i < 120; ++i)
    expectBox(board->ImA(i), dealtBox(cells[i], game().Orientation[i]), std::to_string(i));
  std::sort(cells.begin(), cells.end());
  std::vector<int> all(120);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(cells, all);
}

// Every piece turned a quarter turn shows exactly the pixels of its own cell, turned, also when the
// picture's size does not divide evenly into the grid.
TEST_F(Cut, TurnedPieceShowsItsUprightCellTurned) {
  const QImage picture = patternPicture(301, 203);
  rebuild(picture, 3, 4, std::vector<int>(12, 1));
  EXPECT_EQ(board->PictureClip2.Rows(), 4);
  EXPECT_EQ(board->PictureClip2.Cols(), 3);
  for (int i = 0; i < 12; ++i) {
    const QImage shown = board->ImA(i).picture().toImage();
    EXPECT_EQ(shown, TurnBitmap(picture.copy(uprightCellRect(i, 3, 4, picture.size())))) << "piece " << i;
  }
}

TEST_F(Cut, TurnedPieceTakesTheCellOfItsRotatedIndex) {
  struct Case {
    int rows, columns, piece, turnedCell;
  };
  for (const Case c :
       {Case{2, 2, 0, 1}, Case{2, 2, 1, 3}, Case{2, 2, 2, 0}, Case{2, 2, 3, 2}, Case{3, 4, 5, 4}}) {
    freshBoard();
    rebuild(blocksPicture(300, 200, c.rows, c.columns), c.rows, c.columns,
            std::vector<int>(c.rows * c.columns, 1));
    EXPECT_EQ(board->ImA(c.piece).picture(), board->PictureClip2.GraphicCell(c.turnedCell))
        << c.rows << " x " << c.columns << " piece " << c.piece;
  }
}

// Piece 999 is the template element itself once the grid has 1000 pieces; below that the template stays
// hidden, sized to the cell, and is no piece.
TEST_F(Cut, TemplateIsPiece999OnlyFromAThousandPieces) {
  struct Case {
    int rows, columns;
  };
  for (const Case c : {Case{3, 4}, Case{27, 37}, Case{25, 40}, Case{30, 40}}) {
    freshBoard();
    cut(blocksPicture(400, 300, 3, 4), c.rows, c.columns);
    const int pieces = c.rows * c.columns;
    const ImageElement& design = board->ImA(999);
    const std::string grid = std::to_string(c.rows) + " x " + std::to_string(c.columns);
    if (pieces > 999) {
      EXPECT_EQ(board->ImA.count(), pieces) << grid;
      EXPECT_TRUE(design.Visible()) << grid;
      expectBox(design, dealtBox(game().StartCell[999], game().Orientation[999]), grid);
    } else {
      EXPECT_EQ(board->ImA.count(), pieces + 1) << grid;
      EXPECT_FALSE(design.Visible()) << grid;
      EXPECT_TRUE(design.Stretch()) << grid;
      EXPECT_NEAR(design.Width(), game().CellWidth, 1e-9) << grid;
      EXPECT_NEAR(design.Height(), game().CellHeight, 1e-9) << grid;
    }
  }
}

// The reader's arrays stay as they are, every piece starts at home in its saved orientation, and the
// generator is exactly where it was seeded.
TEST_F(Cut, SavedGameRebuildsAtHomeWithoutRandomNumbers) {
  const std::vector<int> saved = {7, 6, 5, 4, 3, 2, 1, 0, 1, 3, 5, 7};
  random.seed(4242);
  rebuild(blocksPicture(400, 300, 3, 4), 3, 4, saved);
  Random seededAlike;
  seededAlike.seed(4242);
  EXPECT_EQ(random.Rnd(), seededAlike.Rnd()) << "the rebuild drew or re-seeded";
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(game().Orientation[i], saved[i]) << i;
    EXPECT_EQ(game().StartCell[i], 11 - i) << i;
    EXPECT_EQ(game().Docked[i], i % 3 == 0) << i;
    expectBox(board->ImA(i), dealtBox(i, saved[i]), std::to_string(i));
  }
  EXPECT_EQ(game().GamePhase, 3);
}

// The pieces come from the decoded picture alone: the cut writes no file, in the cache folder or
// anywhere else, so a full disk cannot stop it. Only the game in progress is kept, in the state folder,
// and the picture's folder is remembered, in the configuration folder.
TEST_F(Cut, WritesNoFile) {
  const QByteArray cache = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath(QStringLiteral("cache"))));
  cut(patternPicture(90, 140), 2, 3);
  qputenv("XDG_CACHE_HOME", cache);
  QStringList written;
  for (QDirIterator file(folder.path(), QDir::Files, QDirIterator::Subdirectories); file.hasNext();)
    if (const QString path = file.next(); !path.startsWith(folder.filePath(QStringLiteral("state/"))) &&
                                          !path.startsWith(folder.filePath(QStringLiteral("config/"))))
      written << path;
  EXPECT_EQ(written.join(u' ').toStdString(), folder.filePath(QStringLiteral("picture.bmp")).toStdString());
  EXPECT_EQ(game().PieceCount, 6);
}

}  // namespace
}  // namespace tarsio
