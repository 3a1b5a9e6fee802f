// The game in progress kept on disk: what the board hands its keeper, the question at the next start,
// and the game a reset ended, brought back by Ctrl+Z.
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "board/Board.h"
#include "platform/Events.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

const QString Title = QStringLiteral("Tarsio");

// The board the pieces come back to: the screen the layout is fitted to, as far as the window shows it.
QSizeF boardRoom(const Board& board) {
  const QSizeF window(pixelsToTwips(board.canvas->width()), pixelsToTwips(board.canvas->height()));
  return window.isEmpty() ? board.screen : board.screen.boundedTo(window);
}

const QString NotResumed = QStringLiteral(
    "La partita interrotta non si è potuta riprendere: il file che la conservava è danneggiato o "
    "illeggibile. ");

// The kept groups join again, each put back on this board as one block: its pieces keep their places
// beside one another, and the block moves the least that keeps it on the board.
void restoreKeptGroups(Board& board, const KeptGame& kept, QSizeF room) {
  std::vector<int> numbering(board.game.PieceCount, Groups::None);
  for (std::size_t g = 0; g < kept.groups.size(); ++g)
    for (int i : kept.groups[g]) numbering[i] = static_cast<int>(g);
  board.groups.restore(numbering);
  for (const std::vector<int>& group : kept.groups) {
    QRectF block;
    for (int i : group) block |= QRectF(kept.places[i], board.ImA(i).boxTwips().size());
    const QPointF by = placeOnBoard(block.topLeft(), block.size(), kept.board, room) - block.topLeft();
    for (int i : group) board.ImA(i).Move(kept.places[i].x() + by.x(), kept.places[i].y() + by.y());
  }
}

}  // namespace

KeptGame Board::keptGame() const {
  KeptGame kept{savedGame(),
                {},
                boardRoom(*this),
                game.AreaLevel,
                mSalva.Enabled(),
                {},
                playTime.elapsed(),
                std::min(HintCount, MaxKeptHints),
                {},
                groups.all()};
  if (game.PictureExtension == u"trs") kept.origin = game.PictureBaseName + QStringLiteral(".trs");
  kept.places.reserve(game.PieceCount);
  for (int i = 0; i < game.PieceCount; ++i) kept.places.emplace_back(ImA(i).Left(), ImA(i).Top());
  for (int t : trays.numbers())
    kept.trays.push_back({trays.title(t), trays.frame(t).topLeft(), trays.piecesOf(t)});
  return kept;
}

std::optional<KeptGame> Board::keptGameNow() const {
  if (game.GamePhase != 3 || game.SelectedPiece != NoPiece) return std::nullopt;
  KeptGame kept = keptGame();
  if (!fileCanHoldPicturePath(kept.saved.picturePath) || !fileCanHoldPicturePath(kept.origin))
    return std::nullopt;
  return kept;
}

void Board::offerKeptGame() {
  const QString file = keeper.offered();
  if (file.isEmpty()) return;
  const std::optional<KeptGame> kept = readKeptGameFile(file);
  if (!kept) {
    const std::optional<QString> aside = keeper.setAsideOffered();
    dialogs.MsgBox(aside ? NotResumed + QStringLiteral("È stato messo da parte come %1.").arg(*aside)
                         : NotResumed + QStringLiteral("Non si è potuto metterlo da parte: resta com'è in "
                                                       "%1, e la partita di ora sarà conservata in un "
                                                       "altro file.")
                                            .arg(file),
                   Title, MessageIcon::Critical);
    return;
  }
  const QString picture = kept->saved.picturePath;
  const QString question = QStringLiteral(
                               "C'è una partita interrotta con l'immagine %1: %2 pezzi a posto su %3.\n"
                               "Riprenderla?")
                               .arg(QFileInfo(picture).fileName())
                               .arg(kept->piecesInPlace())
                               .arg(kept->saved.pieces.size());
  if (QFileInfo::exists(picture)) {
    // The shelf is offered too when it holds more than this game; a game not taken up stays on it.
    const bool others = GameKeeper::keptFiles(keeper.folder()).size() > 1;
    const Answer answer = others ? dialogs.YesNoOr(question, Title, QStringLiteral("Altre partite…"), Answer::Yes)
                                 : dialogs.YesNo(question, Title, Answer::Yes) ? Answer::Yes
                                                                               : Answer::No;
    if (answer != Answer::Yes) {
      keeper.leaveOffered();
      if (answer == Answer::Other) mPartite_Click();
      return;
    }
  }
  // A game whose picture is gone or unusable stays on disk for when the picture is back; this run
  // keeps its own games in another file.
  if (!resumeKeptGame(*kept)) keeper.leaveOffered();
}

bool Board::resumeKeptGame(const KeptGame& kept) {
  const QString picture = kept.saved.picturePath;
  if (!QFileInfo::exists(picture)) {
    dialogs.MsgBox(QStringLiteral("La partita interrotta non si può riprendere: manca la sua immagine %1. "
                                  "Resta conservata per quando l'immagine sarà di nuovo al suo posto.")
                       .arg(picture),
                   Title, MessageIcon::Information);
    return false;
  }
  // Completing the game removes the saved game it came from, as after loading that file.
  const QString file = kept.origin.isEmpty() ? picture : kept.origin;
  if (const OpenResult result = resumeSavedGame(kept.saved, file); result != OpenResult::Opened) {
    if (result == OpenResult::Refused) refusePicture(picture);
    return false;
  }
  mVisual.setEnabled(true);
  game.LoadingSavedGame = !kept.origin.isEmpty();
  for (int level = 0; level > kept.areaLevel; --level) EnlargeGridArea();
  for (int level = 0; level < kept.areaLevel; ++level) ReduceGridArea();
  // The game comes back as it was, not as steps to take back.
  undoHistory.clear();
  // The cut has put the docked pieces into their cells, wherever the grid lies on this board.
  const QSizeF board = boardRoom(*this);
  for (int i = 0; i < game.PieceCount; ++i) {
    if (game.Docked[i]) continue;
    const QPointF at = placeOnBoard(kept.places[i], {ImA(i).Width(), ImA(i).Height()}, kept.board, board);
    ImA(i).Move(at.x(), at.y());
  }
  // Pieces are joined only while joining is checked.
  if (mUniscono.Checked()) restoreKeptGroups(*this, kept, board);
  // Each tray lays its pieces out again from its corner, kept on this board as an empty tray would be.
  const QSizeF trayLeast = layTray({}, {}).frame.size();
  for (const KeptTray& tray : kept.trays)
    trays.add(tray.title, placeOnBoard(tray.topLeft, trayLeast, kept.board, board), tray.pieces);
  refreshGroupOutline();
  mSalva.setEnabled(kept.saveOffered);
  playTime.start(clock(), kept.playedMs);
  HintCount = kept.hints;
  refreshTitle();
  return true;
}

// A command half way (the staircase half drawn) is not interrupted: the message waits for its end.
void Board::keptGameNotWritten(const QString& file, const QString& reason) {
  InputHold::afterInput(this, [this, file, reason] {
    dialogs.MsgBox(QStringLiteral("Impossibile conservare la partita in corso in %1: %2\n"
                                  "Finché non si potrà, salvare la partita per non perderla.")
                       .arg(file, reason),
                   Title, MessageIcon::Critical);
  });
}

void Board::bringBackEndedGame() {
  if (!endedGame) return;
  // The cut that brings it back ends the time in which it can be brought back.
  const KeptGame ended = std::move(*endedGame);
  endedGame.reset();
  if (!resumeKeptGame(ended)) endedGame = ended;
}

}  // namespace tarsio
