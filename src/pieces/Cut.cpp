// The cut: the picture's bitmap files, the quarter-turned picture, one piece per cell, the deal.
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>
#include <algorithm>

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

// An uncompressed 32-bit BMP file written from raw pixel rows, top row first. An existing file is
// overwritten in place and then cut to length, not emptied first: the previous cut's file then still
// sits in the page cache, and rewriting those pages is several times faster than getting new ones.
class BitmapFile {
 public:
  // Opens the file and writes the header of a picture of `size` pixels.
  bool open(const QString& path, QSize size, int dotsPerMeterX, int dotsPerMeterY) {
    file_.setFileName(path);
    size_ = qint64(size.width()) * size.height() * 4;
    return file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
           file_.write(header(size, dotsPerMeterX, dotsPerMeterY)) == HeaderBytes;
  }
  // Writes the next rows of the picture, given as a Format_RGB32 or Format_ARGB32_Premultiplied image
  // of the picture's width (the file keeps colours without premultiplied alpha, as Qt's writer does).
  bool append(const QImage& rows) {
    const QImage plain =
        rows.format() == QImage::Format_RGB32 ? rows : rows.convertToFormat(QImage::Format_ARGB32);
    const qint64 rowBytes = qint64(plain.width()) * 4;
    if (plain.bytesPerLine() == rowBytes) return write(plain.constBits(), rowBytes * plain.height());
    for (int y = 0; y < plain.height(); ++y)
      if (!write(plain.constScanLine(y), rowBytes)) return false;
    return true;
  }
  // Cuts the file to its length and closes it; true when every byte reached the file.
  bool finish() {
    const bool complete = file_.pos() == HeaderBytes + size_ && file_.resize(HeaderBytes + size_);
    file_.close();
    return complete;
  }
  void remove() { file_.remove(); }

 private:
  static constexpr qint64 HeaderBytes = 54;

  static QByteArray header(QSize size, int dotsPerMeterX, int dotsPerMeterY) {
    const quint32 pixelBytes = quint32(size.width()) * quint32(size.height()) * 4;
    QByteArray bytes(HeaderBytes, '\0');
    char* h = bytes.data();
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(HeaderBytes + pixelBytes, h + 2);
    qToLittleEndian<quint32>(HeaderBytes, h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<qint32>(size.width(), h + 18);
    qToLittleEndian<qint32>(-size.height(), h + 22);  // a negative height: rows from the top down
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(32, h + 28);  // bits per pixel, no compression
    qToLittleEndian<quint32>(pixelBytes, h + 34);
    qToLittleEndian<qint32>(dotsPerMeterX, h + 38);
    qToLittleEndian<qint32>(dotsPerMeterY, h + 42);
    return bytes;
  }
  bool write(const uchar* data, qint64 bytes) {
    return file_.write(reinterpret_cast<const char*>(data), bytes) == bytes;
  }

  QFile file_;
  qint64 size_ = 0;
};

bool writeBitmap(const QImage& image, const QString& path) {
  BitmapFile file;
  const bool written =
      file.open(path, image.size(), image.dotsPerMeterX(), image.dotsPerMeterY()) && file.append(image);
  return file.finish() && written;
}

// Width in pixels of the strips the picture is turned in; the quarter turn works in tiles of this side.
constexpr int StripWidth = 64;

// Writes the picture turned a quarter turn clockwise (by board.turnPicture) as a BMP file, one vertical
// strip of the picture at a time: turned, each strip gives the next rows of the turned picture, so the
// turned picture is never held whole in memory. False when a strip could not be turned (the file is
// then removed); a file that could not be written is no failure of the cut.
bool writeTurnedBitmap(Board& board, const QImage& picture, const QString& path) {
  BitmapFile file;
  bool writing = false;
  for (int left = 0; left < picture.width(); left += StripWidth) {
    const QImage strip(picture.constScanLine(0) + qsizetype(left) * 4,
                       std::min(StripWidth, picture.width() - left), picture.height(), picture.bytesPerLine(),
                       picture.format());
    const QImage turned = board.turnPicture(strip);
    if (turned.isNull()) {
      if (left > 0) file.remove();
      return false;
    }
    if (left == 0)
      writing =
          file.open(path, picture.size().transposed(), picture.dotsPerMeterY(), picture.dotsPerMeterX());
    writing = writing && file.append(turned);
  }
  if (writing) file.finish();
  return true;
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
  if (folder.isEmpty() || !writeBitmap(picture, QDir(folder).filePath(QStringLiteral("temp.bmp")))) {
    failCut(board, "Impossibile caricare la bmp dell'immagine");
    return false;
  }
  if (!writeTurnedBitmap(board, picture, QDir(folder).filePath(QStringLiteral("tempV.bmp")))) {
    failCut(board, "Impossibile creare il Device Context per la bmp dell'immagine");
    return false;
  }
  // The pieces show their turned cells straight from the upright picture, turned as they are drawn.
  board.PictureClip2.setPicture(board.ImaOrig.picture().turnedQuarter());
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
  const GameState& game = board.game;
  ImageElement& piece = i == 999 ? board.ImA(i) : board.ImA.Load(i);
  piece.Move(cellColumn(cell, game.ColumnCount) * game.CellWidth + game.GridLeft,
             cellRow(cell, game.ColumnCount) * game.CellHeight + game.GridTop);
  board.drawInOrientation(i, v, v % 2 != 0 ? Board::PiecePlace::TurnBox : Board::PiecePlace::Stay);
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
  // Gestures on the pieces of an earlier cut mean nothing for these.
  undoHistory.clear();
  // A game a reset ended can no longer come back; the new one is kept in its place.
  endedGame.reset();
  keeper.changed();

  CmdRaccogli.setEnabled(true);
  mRaccogli.setEnabled(true);
  for (MenuItem* option : {&mSpos, &mRuot, &mRove, &mTrasp}) option->setEnabled(false);
  game.GamePhase = 3;
  startPlayAids();
}

}  // namespace tarsio
