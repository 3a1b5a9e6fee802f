// Saving the game in progress to a ".trs" file beside its picture, and resuming a saved game.
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "board/Board.h"
#include "picture/GridSize.h"
#include "picture/PictureFile.h"
#include "savegame/DurableFile.h"
#include "savegame/SavedGame.h"

namespace tarsio {

namespace {

// The saved game's picture: at its stored path, or, when nothing is there, the file of the same name
// beside the saved game, where it lies when the two have been moved together (to another folder, disk
// or computer, whose path may be written with backslashes). Nothing when neither exists.
std::optional<QString> findPicture(const QString& stored, const QString& savedGameFile) {
  if (QFileInfo::exists(stored)) return stored;
  const QString name = stored.mid(std::max(stored.lastIndexOf(u'/'), stored.lastIndexOf(u'\\')) + 1);
  const QString beside = QFileInfo(savedGameFile).dir().filePath(name);
  if (!name.isEmpty() && QFileInfo::exists(beside)) return beside;
  return std::nullopt;
}

// Whether the picture can be decoded and cut into the saved game's grid; gives the picture.
std::optional<QImage> playablePicture(const SavedGame& saved) {
  std::optional<QImage> image = readPicture(saved.picturePath);
  if (!image) return std::nullopt;
  const std::optional<int> rows = parseGridCount(saved.rowText);
  const std::optional<int> columns = parseGridCount(saved.columnText);
  if (!rows || !columns || !gridFitsPicture(*rows, *columns, image->width(), image->height()))
    return std::nullopt;
  return image;
}

// Where the folder or its disk takes no file, or the file is read-only, another folder may do.
bool anotherFolderMayDo(int error) {
  for (const int placeRefused : {EACCES, EPERM, EROFS, ENOSPC, EDQUOT, ENOENT, ENOTDIR})
    if (error == placeRefused) return true;
  return false;
}

}  // namespace

void Board::mSalva_Click() { saveGameIn(game.PicturePath + QStringLiteral(".trs")); }

void Board::mSalvaNome_Click() {
  const QFileInfo picture(game.PicturePath);
  const QString name = picture.fileName() + QStringLiteral(".trs");
  // The dialog opens beside the picture, or in the home folder when that folder takes no file.
  const QString beside = picture.absolutePath();
  const QString folder =
      dialogs.GetFolder(QStringLiteral("Scegliere la cartella in cui salvare %1").arg(name),
                        QFileInfo(beside).isWritable() ? beside : QDir::homePath());
  if (!folder.isEmpty()) saveGameIn(QDir(folder).filePath(name));
}

void Board::saveGameIn(const QString& fileName) {
  // The options keep at most one mark; with none the game was dealt as with the first option.
  game.ScrambleCode = std::max(markedScrambleCode(), 1);
  const SavedGame saved = savedGame();
  const QString title = QStringLiteral("Salvataggio");
  // A failed save leaves the command enabled so that the player can try again.
  if (!fileCanHoldPicturePath(game.PicturePath)) {
    dialogs.MsgBox(QStringLiteral("Impossibile salvare il gioco: il percorso dell'immagine contiene un "
                                  "ritorno a capo, che il gioco salvato non potrebbe rileggere. "
                                  "Rinominare l'immagine o la sua cartella e riprovare."),
                   title, MessageIcon::Critical);
    return;
  }
  if (const DurableWrite write = writeDurably(fileName, formatSavedGame(saved)); !write.written) {
    const QString text = QStringLiteral("Impossibile salvare il gioco in %1: %2").arg(fileName, write.reason);
    if (!anotherFolderMayDo(write.error))
      dialogs.MsgBox(text, title, MessageIcon::Critical);
    else if (dialogs.MsgBoxOffering(text, title, MessageIcon::Critical, QStringLiteral("Salva altrove…")))
      mSalvaNome_Click();
    return;
  }
  mSalva.setEnabled(false);
  dialogs.MsgBox(QStringLiteral("Gioco salvato in ") + fileName, title, MessageIcon::None);
}

SavedGame Board::savedGame() const {
  SavedGame saved{
      game.PicturePath, game.RowCountText, game.ColumnCountText, std::max(markedScrambleCode(), 1), {}};
  saved.pieces.reserve(game.PieceCount);
  for (int i = 0; i < game.PieceCount; ++i)
    saved.pieces.push_back({game.Docked[i], game.Orientation[i], game.StartCell[i]});
  return saved;
}

// Everything is checked before the board is touched: a file or picture that cannot be used leaves
// the board, a game in progress included, exactly as it was.
Board::OpenResult Board::LoadSavedGame(const QString& file, QString* missingPicture) {
  std::optional<SavedGame> saved = readSavedGameFile(file);
  if (!saved) return OpenResult::Refused;
  const std::optional<QString> picturePath = findPicture(saved->picturePath, file);
  if (!picturePath) {
    if (missingPicture) *missingPicture = saved->picturePath;
    return OpenResult::Refused;
  }
  saved->picturePath = *picturePath;
  return resumeSavedGame(*saved, file);
}

Board::OpenResult Board::resumeSavedGame(const SavedGame& saved, const QString& file) {
  const std::optional<QImage> image = playablePicture(saved);
  if (!image) return OpenResult::Refused;

  // Only now may a game in progress go, if the player agrees.
  if (!makeRoomForFile(file)) return OpenResult::GameKept;
  game.LoadingSavedGame = true;
  game.PicturePath = saved.picturePath;
  showPicture(Picture::fromImage(*image));
  Righe.setText(saved.rowText);
  Colonne.setText(saved.columnText);
  CmdGriglia_Click();
  game.ScrambleCode = saved.scrambleCode;
  markScrambleOption(game.ScrambleCode);

  // The cut keeps these as they are while a saved game is being loaded, and puts every piece in its
  // home cell with its orientation.
  const std::size_t entries = static_cast<std::size_t>(game.PieceCount) + 1;
  game.Docked.assign(entries, false);
  game.Orientation.assign(entries, 0);
  game.StartCell.assign(entries, 0);
  for (std::size_t i = 0; i < saved.pieces.size(); ++i) {
    game.Docked[i] = saved.pieces[i].docked;
    game.Orientation[i] = saved.pieces[i].orientation;
    game.StartCell[i] = saved.pieces[i].startCell;
  }
  CmdTarsio_Click();
  CmdRaccogli_Click();
  // The game starts here: gathering it is no step to take back.
  undoHistory.clear();
  return OpenResult::Opened;
}

}  // namespace tarsio
