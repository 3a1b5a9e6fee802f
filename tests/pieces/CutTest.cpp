// Tests of the cut on a real board: pieces, deal, turned cells, the template, saved games, bitmap files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <numeric>

#include "CutFixture.h"
#include "PatternPicture.h"
#include "pieces/Cells.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

class Cut : public CutFixture {
 protected:
  QString workFile(const char* name) const { return QDir(workFolder()).filePath(QString::fromUtf8(name)); }
  QString workFolder() const { return board->workFolder; }
};

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
  EXPECT_EQ(endedWith, -1);
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

// The second picture is smaller: a file rewritten in place must lose the first one's tail.
TEST_F(Cut, BitmapFilesHoldThePicturesAndAreReplacedByTheNextCut) {
  for (const QSize size : {QSize(90, 140), QSize(120, 80)}) {
    freshBoard();
    const QImage picture = patternPicture(size.width(), size.height());
    cut(picture, 2, 3);
    EXPECT_EQ(QImage(workFile("temp.bmp")).convertToFormat(QImage::Format_RGB32), picture) << size.width();
    EXPECT_EQ(QImage(workFile("tempV.bmp")).convertToFormat(QImage::Format_RGB32), TurnBitmap(picture))
        << size.width();
    for (const char* name : {"temp.bmp", "tempV.bmp"})
      EXPECT_EQ(QFileInfo(workFile(name)).size(), 54 + 4 * size.width() * size.height()) << name;
  }
  const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_EQ(QFileInfo(workFolder()).permissions() & others, QFile::Permissions())
      << "made for its owner only";
}

// Both failures show their message, end the program and leave the cut where it stopped: no pieces, the
// commands still disabled, the phase unchanged.
TEST_F(Cut, BitmapFailureReportsAndEndsTheProgram) {
  struct Case {
    bool folderBlocked;  // a plain file stands where the work folder would be made
    const char* message;
  };
  for (const Case c : {Case{true, "Impossibile caricare la bmp dell'immagine"},
                       Case{false, "Impossibile creare il Device Context per la bmp dell'immagine"}}) {
    freshBoard();
    QFile::remove(workFolder());
    QDir(workFolder()).removeRecursively();
    if (c.folderBlocked) {
      QFile blocker(workFolder());
      ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    } else {
      board->turnPicture = [](const QImage&) { return QImage(); };
    }
    choosePicture(blocksPicture(200, 150, 3, 4));
    chooseGrid(3, 4);
    dialogs.calls.clear();
    click(board->CmdTarsio);
    ASSERT_EQ(dialogs.messages().size(), 1u) << c.message;
    EXPECT_EQ(dialogs.messages()[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(dialogs.messages()[0].title, "Errore bmp");
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(endedWith, 1) << c.message;
    EXPECT_EQ(board->ImA.count(), 1) << "no piece made";
    EXPECT_EQ(game().GamePhase, 2);
    EXPECT_FALSE(board->CmdTarsio.Enabled());
    EXPECT_FALSE(board->CmdRaccogli.Enabled());
    EXPECT_TRUE(board->mRove.Enabled()) << "the options stay open";
    EXPECT_EQ(QFileInfo::exists(workFile("temp.bmp")), !c.folderBlocked) << "written before the failure";
    EXPECT_FALSE(QFileInfo::exists(workFile("tempV.bmp")));
  }
}

}  // namespace
}  // namespace tarsio
