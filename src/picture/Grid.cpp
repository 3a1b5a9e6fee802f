// Choosing the grid of rows x columns and drawing its lines beside the picture.
#include "board/Board.h"
#include "picture/GridSize.h"
#include "pieces/Cells.h"

namespace tarsio {

void Board::CmdGriglia_Click() {
  const std::optional<int> rows = parseGridCount(Righe.Text());
  const std::optional<int> columns = parseGridCount(Colonne.Text());
  if (!rows || !columns || *rows < MinGridCount || *columns < MinGridCount) {
    dialogs.MsgBox(QStringLiteral("Almeno 2 Righe e almeno 2 Colonne"), QStringLiteral("Attenzione !"),
                   MessageIcon::Critical);
    return;
  }
  const QSize pixels = PictureClip1.picture().size();
  if (!gridFitsPicture(*rows, *columns, pixels.width(), pixels.height())) {
    dialogs.MsgBox(QStringLiteral("Griglia troppo fitta: al massimo %1 tessere, e ogni tessera "
                                  "deve avere almeno un pixel dell'immagine (questa ne ha %2 x %3).")
                       .arg(MaxPieces)
                       .arg(pixels.width())
                       .arg(pixels.height()),
                   QStringLiteral("Attenzione !"), MessageIcon::Critical);
    return;
  }
  if (game.GamePhase >= 2) RemoveGrid();
  game.RowCountText = Righe.Text();
  game.ColumnCountText = Colonne.Text();
  game.RowCount = *rows;
  game.ColumnCount = *columns;
  PictureClip1.setGrid(game.RowCount, game.ColumnCount, uprightCellRect);
  CmdTarsio.setEnabled(true);
  mTarsio.setEnabled(true);
  game.GridBeingCreated = true;
  game.PieceCount = game.ColumnCount * game.RowCount;
  DrawGrid();
  game.GridBeingCreated = false;
  CmdAzze.setEnabled(true);
  mAzze.setEnabled(true);
  game.SelectedPiece = NoPiece;
  game.GamePhase = 2;
}

void Board::DrawGrid() {
  game.GridLeft = ImaOrig.Left() + ImaOrig.Width() + 30;
  game.GridTop = ImaOrig.Top();
  game.CellWidth = (ImaOrig.Width() - 2 * game.AreaStepWidth * game.AreaLevel) / game.ColumnCount;
  game.CellHeight = (ImaOrig.Height() - 2 * game.AreaStepHeight * game.AreaLevel) / game.RowCount;
  // A grid taken away by a click into a box stays undrawn until the next grid choice.
  if (game.GridBeingCreated || liO.exists(game.RowCount)) {
    for (int i = 0; i <= game.RowCount; ++i) {
      if (i > 0 && game.GridBeingCreated) liO.Load(i);
      const double y = game.GridTop + game.CellHeight * i;
      liO(i).setLine(game.GridLeft, y, game.GridLeft + game.CellWidth * game.ColumnCount, y);
      liO(i).setVisible(true);
    }
    for (int j = 0; j <= game.ColumnCount; ++j) {
      if (j > 0 && game.GridBeingCreated) Liv.Load(j);
      const double x = game.GridLeft + game.CellWidth * j;
      Liv(j).setLine(x, game.GridTop, x, game.GridTop + game.CellHeight * game.RowCount);
      Liv(j).setVisible(true);
    }
  }
  // The picture is the map of the grid for a closer look.
  if (liO(0).Visible())
    canvas->setMap(ImaOrig.boxTwips(), QRectF(game.GridLeft, game.GridTop, game.CellWidth * game.ColumnCount,
                                              game.CellHeight * game.RowCount));
  placeFaintPicture();
  CmdGriglia.setEnabled(false);
}

void Board::RemoveGrid() {
  for (ElementArray<LineElement>* lines : {&liO, &Liv}) {
    for (int i = lines->count() - 1; i >= 1; --i) lines->Unload(i);
    (*lines)(0).setVisible(false);
  }
  canvas->setMap({}, {});
  placeFaintPicture();
}

void Board::GridBox_Click() {
  if (game.PictureExtension == u"trs") return;
  CmdTarsio.setEnabled(false);
  mTarsio.setEnabled(false);
  RemoveGrid();
  CmdGriglia.setCaption(QStringLiteral("2 - Prova Griglia"));
  mGrig.setCaption(QStringLiteral("2 - Prova &Griglia..."));
  CmdGriglia.setEnabled(true);
  mGrig.setEnabled(true);
}

// Only digits, Backspace, Tab, line feed and Enter reach the boxes.
void Board::GridBox_KeyPress(int& keyAscii) {
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  if (!digit && keyAscii != 8 && keyAscii != 9 && keyAscii != 10 && keyAscii != 13) keyAscii = 0;
}

void Board::offerPieceCounts() {
  const QSize pixels = PictureClip1.picture().size();
  QStringList captions;
  QList<int> counts;
  for (const int pieces : SuggestedPieceCounts) {
    if (!suggestedGrid(pieces, pixels.width(), pixels.height())) continue;
    captions << (pieces < 1000 ? QString::number(pieces) : QStringLiteral("%1 000").arg(pieces / 1000));
    counts << pieces;
  }
  Pezzi.setItems(captions, counts);
}

void Board::Pezzi_Click(int pieces) {
  const QSize pixels = PictureClip1.picture().size();
  const std::optional<GridCounts> grid = suggestedGrid(pieces, pixels.width(), pixels.height());
  if (!grid) return;
  GridBox_Click();
  Righe.setText(QString::number(grid->rows));
  Colonne.setText(QString::number(grid->columns));
}

void Board::mGrig_Click() {
  const QString title = QStringLiteral("Rispondi qui");
  const int rows = leadingNumber(dialogs.InputBox(QStringLiteral("Quante Righe ?"), title, Righe.Text()));
  if (rows < MinGridCount) return;
  const int columns =
      leadingNumber(dialogs.InputBox(QStringLiteral("Quante Colonne ?"), title, Colonne.Text()));
  if (columns < MinGridCount) return;
  // The boxes take the numbers as read, so that "+3" or "1 2" draws the grid it stands for and the
  // boxes, like the saved game, hold digits only.
  Righe.setText(QString::number(rows));
  Colonne.setText(QString::number(columns));
  CmdGriglia_Click();
}

}  // namespace tarsio
