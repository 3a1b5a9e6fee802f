// The shelf of kept games on the board: "Partite in &corso" with the game on the board among them,
// taking a kept game up, a kept game of the same picture and grid offered before a cut, and the small
// pictures of the game kept now and of those whose own could not be read.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "board/Board.h"
#include "savegame/DurableFile.h"
#include "savegame/Shelf.h"
#include "windows/ShelfWindow.h"

namespace tarsio {

namespace {

const QString Title = QStringLiteral("Partite in corso");
// Drawing the small picture once every few seconds of play is enough for the shelf to show the board.
constexpr int SketchDelayMs = 3000;

// What became of the damaged kept file `file`, moved to `aside` ("" when it could not be moved).
QString asideText(const QString& file, const QString& aside) {
  return aside.isEmpty() ? QStringLiteral("Non si è potuto metterlo da parte: resta com'è in %1.").arg(file)
                         : QStringLiteral("È stato messo da parte come %1.").arg(aside);
}

// The games of the shelf; the player is told of each damaged file set aside.
std::vector<ShelfGame> readShelfGames(Board& board) {
  std::vector<std::pair<QString, QString>> damaged;
  std::vector<ShelfGame> games = readShelf(board.keeper.folder(), damaged);
  for (const auto& [file, aside] : damaged)
    board.dialogs.MsgBox(QStringLiteral("Il file di una partita conservata è danneggiato o illeggibile. ") +
                             asideText(file, aside),
                         Title, MessageIcon::Critical);
  return games;
}

// The board as its small picture shows it: plain values, gathered in a few operations per piece.
BoardSketch boardSketch(const Board& board) {
  const GameState& game = board.game;
  BoardSketch sketch{board.PictureClip1.picture().source(), game.RowCount, game.ColumnCount,
                     QRectF(game.GridLeft, game.GridTop, game.ColumnCount * game.CellWidth,
                            game.RowCount * game.CellHeight),
                     {}};
  sketch.pieces.reserve(game.PieceCount);
  for (int i = 0; i < game.PieceCount; ++i)
    sketch.pieces.push_back({QPointF(board.ImA(i).Left(), board.ImA(i).Top()), game.Orientation[i]});
  return sketch;
}

// Draws the small picture the shelf wants off this thread: the board's own as it stands now, or a kept
// game's again from its file, written beside it unless the game went meanwhile.
void drawForShelf(Board& board, const ShelfGame& wanted) {
  if (wanted.onBoard)
    return board.shelfSketches.add(wanted.file,
                                   [sketch = boardSketch(board)] { return drawBoardSketch(sketch); });
  const PictureLimits limits{board.game.MaxPictureWidth, board.game.MaxPictureHeight};
  board.shelfSketches.add(wanted.file, [file = wanted.file, limits] {
    const QImage sketch = redrawKeptSketch(file, limits);
    if (QFileInfo::exists(file)) writeSketch(sketchFileOf(file), sketch);
    return sketch;
  });
}

}  // namespace

// The game on the board is listed first, as played now: taking it up closes the shelf, and throwing
// it away resets the board, which Ctrl+Z takes back until the next cut.
std::vector<ShelfGame> Board::shelfGames() {
  std::vector<ShelfGame> games = readShelfGames(*this);
  if (game.GamePhase == 3) {
    ShelfGame onBoard = shelfGame(keeper.file(), keptGame(), QDateTime::currentDateTimeUtc(), false);
    onBoard.onBoard = true;
    games.insert(games.begin(), std::move(onBoard));
  }
  return games;
}

void Board::mPartite_Click() {
  ShelfWindow window(this, dialogs, shelfGames());
  window.onDelete = [this](const ShelfGame& thrown) {
    if (!thrown.onBoard) return throwAwayKeptGame(thrown.file);
    CmdAzze_Click();
    return true;
  };
  window.onSketchWanted = [this](const ShelfGame& wanted) { drawForShelf(*this, wanted); };
  shelfSketches.onDrawn = [&window](const QString& file, const QImage& sketch) {
    window.showSketch(file, sketch);
  };
  const int result = window.exec();
  shelfSketches.onDrawn = nullptr;
  shelfSketches.dropWaiting();
  if (result == QDialog::Accepted && window.chosen()) takeUpKeptGame(window.chosen()->file);
}

bool Board::takeUpKeptGame(const QString& file) {
  const std::optional<KeptGame> kept = readKeptGameFile(file);
  if (!kept) {
    dialogs.MsgBox(QStringLiteral("La partita non si è potuta riprendere: il file che la conservava è "
                                  "danneggiato o illeggibile. ") +
                       asideText(file, setAside(file, QStringLiteral("danneggiata"))),
                   Title, MessageIcon::Critical);
    return false;
  }
  if (game.GamePhase == 3) {
    const QString question = QStringLiteral("Lasciare il gioco in corso per riprendere %1? Resterà fra le "
                                            "partite in corso.")
                                 .arg(QFileInfo(kept->saved.picturePath).fileName());
    if (!dialogs.YesNo(question, Title, Answer::No)) return false;
  }
  if (GameKeeper::held(file)) {
    dialogs.MsgBox(QStringLiteral("La partita è aperta in un'altra finestra di Tarsio."), Title,
                   MessageIcon::Information);
    return false;
  }
  // The game left stays on the shelf as it was last kept: the reset that clears the board ends nothing.
  sketchNow();
  keeper.detach();
  if (game.GamePhase > 1) CmdAzze_Click();
  endedGame.reset();
  const bool adopted = keeper.adopt(file);
  if (adopted && resumeKeptGame(*kept)) return true;
  // Another copy took the game meanwhile, or its picture cannot be used: it stays where it is.
  keeper.leaveOffered();
  if (!adopted)
    dialogs.MsgBox(QStringLiteral("La partita è aperta in un'altra finestra di Tarsio."), Title,
                   MessageIcon::Information);
  return false;
}

bool Board::offerSameKeptGame() {
  for (const ShelfGame& kept : readShelfGames(*this)) {
    if (QDir::cleanPath(kept.picture) != QDir::cleanPath(game.PicturePath) || kept.rows != game.RowCount ||
        kept.columns != game.ColumnCount)
      continue;
    const QString question = QStringLiteral("C'è già una partita in corso con questa immagine e questa "
                                            "griglia: %1 pezzi a posto su %2.\nRiprenderla?")
                                 .arg(kept.inPlace)
                                 .arg(kept.pieces);
    return dialogs.YesNo(question, Title, Answer::Yes) && takeUpKeptGame(kept.file);
  }
  return false;
}

void Board::sketchLater() {
  if (!sketchTimer.isActive()) sketchTimer.start(SketchDelayMs);
}

void Board::sketchNow() {
  sketchTimer.stop();
  if (game.GamePhase == 3 && !keeper.file().isEmpty()) sketches.put(sketchFileOf(keeper.file()), boardSketch(*this));
}

void Board::forgetKeptGame() {
  sketchTimer.stop();
  if (!keeper.file().isEmpty()) sketches.put(sketchFileOf(keeper.file()), std::nullopt);
  keeper.forget();
}

}  // namespace tarsio
