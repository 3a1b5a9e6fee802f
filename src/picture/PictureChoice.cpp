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
  ChooseFile(QFileInfo(path).absoluteFilePath());
}

void Board::beginPictureChoice() {
  if (game.GamePhase > 1) CmdAzze_Click();
  game.GamePhase = 0;
  game.GridLeft = ImaOrig.Left() + ImaOrig.Width() + 30;
  game.GridTop = ImaOrig.Top();
  mVisual.setEnabled(true);
}

bool Board::makeRoomForFile(const QString& file) {
  if (game.GamePhase == 3) {
    const QString question =
        QStringLiteral("Lasciare il gioco in corso per aprire %1?").arg(QFileInfo(file).fileName());
    if (!dialogs.YesNo(question, QStringLiteral("Tarsio"), Answer::No)) return false;
  }
  // A game that goes here is remembered under its own file's names; only then does the board take
  // the chosen file's.
  beginPictureChoice();
  game.PicturePath = file;
  const PathParts parts = splitPath(file);
  game.PictureBaseName = parts.baseName;
  game.PictureExtension = parts.extension;
  game.LoadingSavedGame = parts.extension == u"trs";
  return true;
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
  // The board takes the chosen file's names only once it opens: one not opened (it cannot be used, or
  // the player keeps the game in progress) leaves the board naming the file it showed before, so that
  // a later save, completion or grid-box click does not act on the other file. A saved game whose
  // picture is gone names the picture on a second line of the refusal.
  const auto refuse = [this](const QString& missing = {}) {
    const QString text = QStringLiteral("Immagine non valida");
    dialogs.MsgBox(missing.isEmpty() ? text : text + u'\n' + missing, QStringLiteral("Tarsio"),
                   MessageIcon::None);
  };
  // The next dialog opens in the chosen file's folder, which is also the current directory from now on.
  LastFolder = QFileInfo(path).absolutePath();
  preferences.set(remembered::LastFolder, LastFolder);
  QDir::setCurrent(LastFolder);
  if (splitPath(path).extension == u"trs") {
    QString missing;
    if (LoadSavedGame(path, &missing) == OpenResult::Refused) refuse(missing);
    return;
  }
  // Decoding comes first, so a broken file leaves the board, a game in progress included, exactly as
  // it was; the picture decoded for the check is the one shown.
  const std::optional<QImage> image = readPicture(path);
  if (!image) {
    refuse();
    return;
  }
  if (!makeRoomForFile(path)) return;
  showPicture(Picture::fromImage(*image));
  game.GamePhase = 1;
  CmdGriglia.setEnabled(true);
  mGrig.setEnabled(true);
  CmdGriglia.setCaption(QStringLiteral("2 - Scegli Griglia"));
  mGrig.setCaption(QStringLiteral("2 - Scegli &Griglia..."));
  for (Control* control : std::initializer_list<Control*>{&Righe, &Colonne, &Pezzi, &CmdAzze})
    control->setEnabled(true);
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
