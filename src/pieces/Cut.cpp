// The cut: the picture's bitmap files, the quarter-turned picture, one piece per cell, the deal.
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "board/Board.h"
#include "pieces/Cells.h"
#include "pieces/Deal.h"
#include "pieces/Orientation.h"

namespace tarsio {

namespace {

// The folder of the cut's bitmap files: the work folder when one is set, else the program's per-user
// cache folder. A missing folder is created readable by its owner only, since the files hold the
// player's picture. Empty when there is no such folder and it cannot be made.
QString bitmapFolder(const QString& workFolder) {
  const QString path =
      workFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) : workFolder;
  if (path.isEmpty() || QFileInfo(path).isDir()) return path;
  const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !QDir().mkdir(path, ownerOnly)) return {};
  return path;
}

// Writes the image as a BMP file, replacing any file of that name.
bool writeBitmap(const QImage& image, const QString& folder, const QString& name) {
  return !folder.isEmpty() && image.save(QDir(folder).filePath(name), "BMP");
}

// The two failures the cut cannot go on from: a message, then the program ends.
void failCut(Board& board, const char* text) {
  board.dialogs.MsgBox(QString::fromUtf8(text), QStringLiteral("Errore bmp"), MessageIcon::None);
  board.endProgram(1);
}

// Writes both bitmap files and gives PictureClip2 the picture turned a quarter turn clockwise, with
// ColumnCount rows of RowCount cells. False after a failure has been reported.
bool prepareTurnedPicture(Board& board) {
  // ImaOrig holds the whole decoded picture; it is written and turned without a copy.
  const QImage& picture = board.ImaOrig.picture().source()->full();
  const QString folder = bitmapFolder(board.workFolder);
  if (!writeBitmap(picture, folder, QStringLiteral("temp.bmp"))) {
    failCut(board, "Impossibile caricare la bmp dell'immagine");
    return false;
  }
  const QImage turned = board.turnPicture(picture);
  if (turned.isNull()) {
    failCut(board, "Impossibile creare il Device Context per la bmp dell'immagine");
    return false;
  }
  // The game reads the turned picture from memory; the file is only a by-product of the cut.
  writeBitmap(turned, folder, QStringLiteral("tempV.bmp"));
  board.PictureClip2.setPicture(Picture::fromImage(turned));
  board.PictureClip2.setGrid(board.game.ColumnCount, board.game.RowCount,
                             [](int k, int rows, int columns, QSize turnedSize) {
                               // The turned grid's rows are the upright columns, its columns the rows.
                               return turnedCellRect(k, columns, rows, turnedSize.transposed());
                             });
  return true;
}

// Creates piece i (the template itself when i is 999), puts its top-left corner on the corner of
// `cell`, gives it orientation v and draws it. An odd value turns the template's upright box about the
// cell's centre.
void makePiece(Board& board, int i, int cell, int v) {
  GameState& game = board.game;
  game.RotatedIndex = RotatedIndex(i, game.RowCount, game.ColumnCount);
  ImageElement& piece = i == 999 ? board.ImA(i) : board.ImA.Load(i);
  piece.Move(cellColumn(cell, game.ColumnCount) * game.CellWidth + game.GridLeft,
             cellRow(cell, game.ColumnCount) * game.CellHeight + game.GridTop);
  game.Orientation[i] = v;
  game.NewOrientation = v;
  game.CurrentPiece = i;
  board.ShowPiece(v % 2 != 0 ? Board::PiecePlace::TurnBox : Board::PiecePlace::Stay);
}

// A fresh cut: every piece into a random free cell with a random orientation of the scramble option.
void dealFresh(Board& board, int pieces) {
  GameState& game = board.game;
  game.Orientation.assign(pieces + 1, 0);
  game.StartCell.assign(pieces + 1, 0);
  const std::vector<DealtPiece> dealt = dealPieces(pieces, game.ScrambleKinds, board.random);
  for (int i = 0; i < pieces; ++i) {
    game.StartCell[i] = dealt[i].cell;
    makePiece(board, i, dealt[i].cell, dealt[i].orientation);
  }
  game.Docked.assign(pieces + 1, false);
}

// A saved game: every piece at home with the orientation the loader stored; Orientation, StartCell and
// Docked keep what the loader put there, and no random number is drawn.
void rebuildSaved(Board& board, int pieces) {
  GameState& game = board.game;
  // Arrays shorter than the grid would be read past their end; lengthening keeps every stored value.
  for (auto* values : {&game.Orientation, &game.StartCell})
    if (static_cast<int>(values->size()) <= pieces) values->resize(pieces + 1, 0);
  if (static_cast<int>(game.Docked.size()) <= pieces) game.Docked.resize(pieces + 1, false);
  for (int i = 0; i < pieces; ++i) makePiece(board, i, i, game.Orientation[i]);
}

}  // namespace

void Board::CmdTarsio_Click() {
  for (Control* control :
       std::initializer_list<Control*>{&CmdImma, &CmdGriglia, &CmdTarsio, &Righe, &Colonne})
    control->setEnabled(false);
  for (MenuItem* item : {&mImma, &mGrig, &mTarsio}) item->setEnabled(false);
  if (!prepareTurnedPicture(*this)) return;

  ImageElement& design = ImA(999);
  design.setStretch(true);
  design.setBox(design.Left(), design.Top(), game.CellWidth, game.CellHeight);
  // No option marked deals as "solo Spostare": every piece face up and upright.
  game.ScrambleKinds = scrambleKinds(markedScrambleCode());
  const int pieces = game.RowCount * game.ColumnCount;
  if (game.LoadingSavedGame)
    rebuildSaved(*this, pieces);
  else
    dealFresh(*this, pieces);
  game.PieceCount = pieces;

  CmdRaccogli.setEnabled(true);
  mRaccogli.setEnabled(true);
  for (MenuItem* option : {&mSpos, &mRuot, &mRove, &mTrasp}) option->setEnabled(false);
  game.GamePhase = 3;
}

}  // namespace tarsio
