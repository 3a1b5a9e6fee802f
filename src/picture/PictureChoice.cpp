// Choosing a picture (or a saved game) in the open-file dialog or from outside, and showing it fitted.
#include <QDir>
#include <QFileInfo>

#include "board/Board.h"
#include "picture/PictureFile.h"
#include "picture/PicturePath.h"

namespace tarsio {

void Board::CmdImma_Click() {
  beginPictureChoice();
  ChoosePicture();
}

void Board::OpenFromOutside(const QString& path) {
  // A relative path names a file in the folder the program was started from.
  const QString absolute = QFileInfo(path).absoluteFilePath();
  beginPictureChoice();
  ChooseFile(absolute);
}

void Board::beginPictureChoice() {
  if (game.GamePhase > 1) CmdAzze_Click();
  game.GamePhase = 0;
  game.GridLeft = ImaOrig.Left() + ImaOrig.Width() + 30;
  game.GridTop = ImaOrig.Top();
  mVisual.setEnabled(true);
}

void Board::ChoosePicture() {
  if (LastFolder.isEmpty()) LastFolder = QDir::currentPath();
  QDir::setCurrent(LastFolder);
  // A cancelled dialog keeps the path of the picture still shown, so that a later save goes beside it.
  const QString chosen = ShowOpenDialog();
  if (chosen.trimmed().isEmpty()) return;
  ChooseFile(chosen);
}

void Board::ChooseFile(const QString& path) {
  // A chosen file that cannot be shown leaves the board naming the file it showed before, so that a
  // later save, completion or grid-box click does not act on the refused file.
  const GameState before = game;
  const auto refuse = [this, &before] {
    game = before;
    dialogs.MsgBox(QStringLiteral("Immagine non valida"), QStringLiteral("Tarsio"), MessageIcon::None);
  };
  game.PicturePath = path;
  // The next dialog opens in the chosen file's folder, which is also the current directory from now on.
  LastFolder = QFileInfo(game.PicturePath).absolutePath();
  QDir::setCurrent(LastFolder);
  const PathParts parts = splitPath(game.PicturePath);
  game.PictureBaseName = parts.baseName;
  game.PictureExtension = parts.extension;

  game.LoadingSavedGame = false;
  if (game.PictureExtension == u"trs") {
    game.LoadingSavedGame = true;
    if (!LoadSavedGame()) refuse();
    return;
  }
  // Decoding comes first, so a broken file leaves the picture shown before exactly as it was.
  const std::optional<QImage> image = readPicture(game.PicturePath);
  if (!image) {
    refuse();
    return;
  }
  showPicture(Picture::fromImage(*image));
  game.GamePhase = 1;
  CmdGriglia.setEnabled(true);
  mGrig.setEnabled(true);
  CmdGriglia.setCaption(QStringLiteral("2 - Scegli Griglia"));
  mGrig.setCaption(QStringLiteral("2 - Scegli &Griglia..."));
  for (Control* control : std::initializer_list<Control*>{&Righe, &Colonne, &CmdAzze}) control->setEnabled(true);
  mAzze.setEnabled(true);
}

void Board::showPicture(const Picture& picture) {
  ReplacedPicture = ImaOrig.picture();
  ImaOrig.setStretch(false);
  ImaOrig.setPicture(picture);
  game.PictureWidth = ImaOrig.Width();
  game.PictureHeight = ImaOrig.Height();
  FitPicture();
  PictureClip1.setPicture(picture);
  showPictureAgain();
}

QString Board::ShowOpenDialog() {
  const QList<FileFilter> filters{
      {QStringLiteral("Tutti i file(*.bmp;*.gif;*.jpg;*.jpeg;*.trs)"),
       {QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
        QStringLiteral("*.trs")}},
      {QStringLiteral("Altre immagini (*.png;*.webp;*.tif;*.tiff)"),
       {QStringLiteral("*.png"), QStringLiteral("*.webp"), QStringLiteral("*.tif"),
        QStringLiteral("*.tiff")}},
  };
  return dialogs.GetOpenFileName(
      {QStringLiteral("Seleziona il file da aprire"), filters, QDir::currentPath()});
}

}  // namespace tarsio
