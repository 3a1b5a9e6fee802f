// Choosing a picture (or a saved game) in the open-file dialog or from outside, and showing it fitted.
#include <QDir>
#include <QFileInfo>

#include "board/Board.h"
#include "picture/PictureFile.h"
#include "picture/PicturePath.h"
#include "platform/Twips.h"

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
  // a later save, completion or grid-box click does not act on the other file.
  // The next dialog opens in the chosen file's folder, which is also the current directory from now on.
  LastFolder = QFileInfo(path).absolutePath();
  preferences.set(remembered::LastFolder, LastFolder);
  QDir::setCurrent(LastFolder);
  if (splitPath(path).extension == u"trs") {
    // A saved game whose picture is gone names that picture rather than itself.
    QString missing;
    if (LoadSavedGame(path, &missing) == OpenResult::Refused) refusePicture(missing.isEmpty() ? path : missing);
    return;
  }
  // Decoding comes first, so a broken file leaves the board, a game in progress included, exactly as
  // it was; the picture decoded for the check is the one shown. A large JPEG is decoded reduced for its
  // first sight, and in full on a worker thread.
  const GameState before = game;
  const std::optional<CheckedPicture> checked = checkPicture(path);
  const int level = checked ? firstSightLevel(*checked, screenDevicePixels()) : 0;
  const std::optional<QImage> image = checked ? decodePicture(*checked, level) : std::nullopt;
  if (!image) {
    refusePicture(path);
    return;
  }
  if (!makeRoomForFile(path)) return;
  std::unique_ptr<FirstSight> sight;
  if (level > 0) {
    const bool replacesFirstSight = ImaOrig.picture().isReduced() && firstSight;
    sight.reset(new FirstSight{*checked, level, before, ImaOrig.picture(), before.GamePhase >= 3,
                               replacesFirstSight ? std::move(firstSight) : nullptr});
  }
  showChosenPicture(*image, std::move(sight));
}

void Board::refusePicture(const QString& file) {
  dialogs.MsgBox(QStringLiteral("Immagine non valida") + u'\n' + file, QStringLiteral("Tarsio"), MessageIcon::None);
}

void Board::showChosenPicture(const QImage& image, std::unique_ptr<FirstSight> sight) {
  if (!sight) {
    showPicture(Picture::fromImage(image));
  } else {
    // The full decode starts once the board has painted the first sight, which it would slow down.
    showPicture(Picture::fromReduced(image, sight->level, sight->file.size));
    firstSight = std::move(sight);
  }
  game.GamePhase = 1;
  enableGridChoice();
}

void Board::startFullDecode() {
  if (!firstSight || fullDecode.pending()) return;
  fullDecode.start(
      [file = firstSight->file, level = firstSight->level](const std::atomic<bool>& dropped) {
        const std::optional<QImage> full = decodePicture(file, 0, &dropped);
        return full ? Picture::fromImage(*full, level) : Picture();
      },
      this, [this] { fullPictureArrived(fullDecode.take(std::chrono::milliseconds(0))); });
}

void Board::enableGridChoice() {
  CmdGriglia.setEnabled(true);
  mGrig.setEnabled(true);
  CmdGriglia.setCaption(QStringLiteral("2 - Scegli Griglia"));
  mGrig.setCaption(QStringLiteral("2 - Scegli &Griglia..."));
  for (Control* control : std::initializer_list<Control*>{&Righe, &Colonne, &Pezzi, &CmdAzze})
    control->setEnabled(true);
  mAzze.setEnabled(true);
}

void Board::showPicture(const Picture& picture) {
  // A full picture still on its way is not this one's.
  fullDecode.drop();
  firstSight.reset();
  ReplacedPicture = ImaOrig.picture();
  ImaOrig.setStretch(false);
  ImaOrig.setPicture(picture);
  game.PictureWidth = ImaOrig.Width();
  game.PictureHeight = ImaOrig.Height();
  FitPicture();
  PictureClip1.setPicture(picture);
  showPictureAgain();
  canvas->showWholeBoard();
}

QString Board::ShowOpenDialog() {
  const QStringList others{QStringLiteral("*.png"), QStringLiteral("*.webp"), QStringLiteral("*.tif"),
                           QStringLiteral("*.tiff")};
  // The first filter, selected when the dialog opens, lists every picture the game opens besides the
  // kinds its description names, so that no picture is hidden until the player changes the filter.
  const QList<FileFilter> filters{
      {QStringLiteral("Tutti i file(*.bmp;*.gif;*.jpg;*.jpeg;*.trs)"),
       QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                   QStringLiteral("*.jpeg"), QStringLiteral("*.trs")} +
           others},
      {QStringLiteral("Altre immagini (*.png;*.webp;*.tif;*.tiff)"), others},
  };
  return dialogs.GetOpenFileName(
      {QStringLiteral("Seleziona il file da aprire"), filters, QDir::currentPath()});
}

}  // namespace tarsio
