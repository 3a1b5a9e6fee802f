// Tests of saving and loading a game on a real board.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <algorithm>

#include "pieces/Orientation.h"
#include "platform/Twips.h"
#include "savegame/DurableFile.h"
#include "savegame/KeptGame.h"
#include "savegame/SavedGame.h"
#include "support/BoardFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

// What a player can see of the board and what the next command relies on.
struct BoardLook {
  int phase = 0;
  QString path, baseName, extension;
  bool loadingSavedGame = false;
  QRectF picture;
  Picture shown;
  int pieces = 0, rowLines = 0, columnLines = 0;
  QString rows, columns;
  std::vector<bool> enabled, marks;
  std::vector<int> orientation, startCell;
  std::vector<bool> docked;
  std::vector<QRectF> pieceBoxes;

  bool operator==(const BoardLook&) const = default;
};

void PrintTo(const BoardLook& look, std::ostream* out) {
  *out << "phase " << look.phase << ", file " << look.path.toStdString() << ", " << look.pieces << " pieces, "
       << look.rowLines << " x " << look.columnLines << " lines, boxes " << look.rows.toStdString() << " x "
       << look.columns.toStdString();
}

BoardLook lookOf(Board& b) {
  BoardLook look{b.game.GamePhase,
                 b.game.PicturePath,
                 b.game.PictureBaseName,
                 b.game.PictureExtension,
                 b.game.LoadingSavedGame,
                 b.ImaOrig.boxTwips(),
                 b.ImaOrig.picture(),
                 b.ImA.count(),
                 b.liO.count(),
                 b.Liv.count(),
                 b.Righe.Text(),
                 b.Colonne.Text(),
                 {},
                 {},
                 b.game.Orientation,
                 b.game.StartCell,
                 b.game.Docked,
                 {}};
  for (int i = 0; i < b.game.PieceCount && b.ImA.exists(i); ++i)
    look.pieceBoxes.push_back(b.ImA(i).boxTwips());
  for (Control* c : std::initializer_list<Control*>{&b.CmdImma, &b.CmdGriglia, &b.Righe, &b.Colonne,
                                                    &b.CmdTarsio, &b.CmdRaccogli, &b.CmdAzze})
    look.enabled.push_back(c->Enabled());
  for (MenuItem* m : {&b.mSalva, &b.mVisual, &b.mGrig, &b.mTarsio, &b.mRaccogli, &b.mAzze})
    look.enabled.push_back(m->Enabled());
  for (MenuItem* m : {&b.mSpos, &b.mRuot, &b.mRove, &b.mTrasp}) look.marks.push_back(m->Checked());
  return look;
}

class SaveLoad : public BoardFixture {
 protected:
  // A file in the work folder with the given bytes.
  QString writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
  }
  QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void markOption(MenuItem& option) {
    if (!option.Checked()) option.action()->trigger();
  }
  // Clicks piece i in its middle with the keys held.
  void clickPiece(int i, Qt::KeyboardModifiers keys) {
    const QPointF at = centreOf(board->ImA(i));
    press(at, Qt::LeftButton, keys);
    release(at);
  }
  QPointF home(int i) {
    return {game().GridLeft + (i % game().ColumnCount) * game().CellWidth,
            game().GridTop + (i / game().ColumnCount) * game().CellHeight};
  }
  // Turns piece i face up and upright, as the player does, and drags it onto its cell.
  void dockPiece(int i) {
    for (int k = 0; k < 2 && game().Orientation[i] >= 4; ++k) clickPiece(i, Qt::ShiftModifier);
    for (int k = 0; k < 4 && game().Orientation[i] != 0; ++k) clickPiece(i, Qt::ControlModifier);
    drag(i, home(i) - board->ImA(i).boxTwips().topLeft());
    ASSERT_TRUE(game().Docked[i]) << "piece " << i;
  }
  void saveGame() { board->mSalva.action()->trigger(); }
  DialogCall lastMessage() {
    const std::vector<DialogCall> messages = dialogs.messages();
    return messages.empty() ? DialogCall{} : messages.back();
  }

  // A 2 x 2 game of a picture in the work folder, made with the option "... con Trasparenza".
  SavedGame twoByTwo(const QString& picturePath) {
    return {picturePath,
            QStringLiteral("2"),
            QStringLiteral("2"),
            4,
            {{true, 0, 2}, {false, 5, 0}, {false, 3, 3}, {true, 0, 1}}};
  }
};

TEST_F(SaveLoad, UndamagedFileResumesItsPictureGridAndOption) {
  const QString picture =
      writePicture(folder.path(), QStringLiteral("foto.bmp"), blocksPicture(300, 200, 2, 2));
  const QString saved = writeFile(QStringLiteral("partita.TRS"), formatSavedGame(twoByTwo(picture)));
  chooseFile(saved);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(game().PicturePath, picture);
  EXPECT_EQ(game().PictureBaseName, folder.filePath(QStringLiteral("partita")));
  EXPECT_TRUE(game().LoadingSavedGame);
  EXPECT_EQ(board->ImaOrig.boxTwips(), QRectF(120, 240, 4500, 3000));
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("2"));
  EXPECT_EQ(board->liO.count(), 3);
  EXPECT_EQ(game().ScrambleCode, 4);
  EXPECT_EQ(lookOf(*board).marks, (std::vector<bool>{false, false, false, true}));
}

TEST_F(SaveLoad, BoardWritesTheGameByteForByte) {
  const QString picture = choosePicture(blocksPicture(300, 200, 2, 3), QStringLiteral("foto.bmp"));
  markOption(board->mRuot);
  chooseGrid(2, 3);
  click(board->CmdTarsio);
  dockPiece(4);
  saveGame();

  const QString saved = picture + QStringLiteral(".trs");
  QByteArray expected = "\"" + QFile::encodeName(picture) + "\"\r\n\"2\",\"3\",2\r\n";
  std::vector<int> startCells;
  for (int i = 0; i < 6; ++i) {
    expected += QByteArray(game().Docked[i] ? "#TRUE#" : "#FALSE#") + ',' +
                QByteArray::number(game().Orientation[i]) + ',' + QByteArray::number(game().StartCell[i]) +
                "\r\n";
    startCells.push_back(game().StartCell[i]);
  }
  EXPECT_EQ(fileBytes(saved), expected);
  EXPECT_EQ(expected.count("#TRUE#,0,"), 1);
  std::sort(startCells.begin(), startCells.end());
  EXPECT_EQ(startCells, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(lastMessage().text, QStringLiteral("Gioco salvato in ") + saved);
  EXPECT_EQ(lastMessage().title, QStringLiteral("Salvataggio"));
  EXPECT_EQ(lastMessage().icon, MessageIcon::None);

  // Saving again needs a piece docked or released first.
  EXPECT_FALSE(board->mSalva.Enabled());
  saveGame();
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

struct OptionCase {
  const char* name;
  MenuItem Board::*option;
  int code;
};

void PrintTo(const OptionCase& c, std::ostream* out) { *out << c.name; }

class SaveAndLoad : public SaveLoad, public testing::WithParamInterface<OptionCase> {};

TEST_P(SaveAndLoad, GivesBackTheOptionOrientationsDockedPiecesAndStartCells) {
  // A double quote and a comma in the picture's name survive too.
  const QString picture = choosePicture(blocksPicture(300, 200, 2, 3), QStringLiteral("mare \"blu\", 2.bmp"));
  markOption((*board).*GetParam().option);
  chooseGrid(2, 3);
  click(board->CmdTarsio);
  dockPiece(1);
  dockPiece(5);
  saveGame();
  const BoardLook saved = lookOf(*board);
  const QList<QByteArray> lines = fileBytes(picture + QStringLiteral(".trs")).split('\n');
  ASSERT_EQ(lines.size(), 9);
  EXPECT_TRUE(lines[0].endsWith("/mare \"\"blu\"\", 2.bmp\"\r"));
  EXPECT_EQ(lines[1], "\"2\",\"3\"," + QByteArray::number(GetParam().code) + '\r');

  click(board->CmdAzze);
  markOption(board->mSpos);
  chooseFile(picture + QStringLiteral(".trs"));
  const BoardLook loaded = lookOf(*board);
  EXPECT_EQ(loaded.phase, 3);
  EXPECT_EQ(loaded.path, picture);
  EXPECT_EQ(loaded.marks, saved.marks);
  EXPECT_EQ(loaded.orientation, saved.orientation);
  EXPECT_EQ(loaded.startCell, saved.startCell);
  EXPECT_EQ(loaded.docked, saved.docked);
  EXPECT_FALSE(board->mSalva.Enabled());
  const double gridBottom = game().GridTop + 2 * game().CellHeight;
  for (int i = 0; i < 6; ++i) {
    const QRectF box = board->ImA(i).boxTwips();
    EXPECT_EQ(box.size(), boxOf(game().Orientation[i], game().CellWidth, game().CellHeight)) << i;
    if (game().Docked[i])
      EXPECT_EQ(box.topLeft(), home(i)) << i;
    else
      EXPECT_GT(box.top(), gridBottom) << "loose piece " << i << " gathered below the grid";
  }
}

INSTANTIATE_TEST_SUITE_P(Options, SaveAndLoad,
                         testing::Values(OptionCase{"more turned over", &Board::mRove, 3},
                                         OptionCase{"see-through backs", &Board::mTrasp, 4}),
                         [](const testing::TestParamInfo<OptionCase>& info) {
                           return "code" + std::to_string(info.param.code);
                         });

TEST_F(SaveLoad, LoadedGameSavesBesideItsPictureAndItsCompletionDeletesTheLoadedFile) {
  const QString picture =
      writePicture(folder.path(), QStringLiteral("foto.bmp"), blocksPicture(300, 200, 2, 2));
  const QByteArray loadedBytes =
      formatSavedGame({picture,
                       QStringLiteral("2"),
                       QStringLiteral("2"),
                       1,
                       {{true, 0, 3}, {false, 0, 2}, {true, 0, 1}, {false, 0, 0}}});
  const QString loaded = writeFile(QStringLiteral("partita di ieri.trs"), loadedBytes);
  chooseFile(loaded);
  ASSERT_EQ(game().GamePhase, 3);
  dockPiece(1);
  saveGame();
  EXPECT_EQ(lastMessage().text, QStringLiteral("Gioco salvato in ") + picture + QStringLiteral(".trs"));
  EXPECT_TRUE(
      fileBytes(picture + QStringLiteral(".trs")).startsWith("\"" + QFile::encodeName(picture) + "\""));
  EXPECT_EQ(fileBytes(loaded), loadedBytes);

  dockPiece(3);
  EXPECT_EQ(game().GamePhase, 4);
  EXPECT_FALSE(QFile::exists(loaded));
  EXPECT_TRUE(QFile::exists(picture + QStringLiteral(".trs")));
}

// Moved with its picture (elsewhere, or from a computer writing backslashes), a saved game finds it.
TEST_F(SaveLoad, AMovedSavedGameFindsItsPictureBesideItAndSavesThere) {
  const QString picture =
      writePicture(folder.path(), QStringLiteral("foto.bmp"), blocksPicture(300, 200, 2, 2));
  for (const char* stored : {"/altrove/giochi/foto.bmp", "C:\\giochi\\foto.bmp"}) {
    click(board->CmdAzze);
    chooseFile(
        writeFile(QStringLiteral("partita.trs"), formatSavedGame(twoByTwo(QString::fromLatin1(stored)))));
    EXPECT_EQ(game().PicturePath, picture) << stored;
    dockPiece(1);
    saveGame();
    EXPECT_EQ(lastMessage().text, QStringLiteral("Gioco salvato in ") + picture + QStringLiteral(".trs"));
  }
}

TEST_F(SaveLoad, ACancelledPictureChoiceStillSavesBesideTheShownPicture) {
  const QString picture = choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("foto.bmp"));
  dialogs.answers.push_back(QString());
  QTest::keyClick(board->windowHandle(), 'i');
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  dockPiece(0);
  saveGame();
  const QString saved = picture + QStringLiteral(".trs");
  EXPECT_EQ(lastMessage().text, QStringLiteral("Gioco salvato in ") + saved);
  click(board->CmdAzze);
  chooseFile(saved);
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_EQ(game().PicturePath, picture);
  EXPECT_TRUE(game().Docked[0]);
}

TEST_F(SaveLoad, APicturePathWithALineEndIsNotSavedAndTheCommandStays) {
  for (const char* name : {"mare\nblu.bmp", "mare\rblu.bmp"}) {
    choosePicture(blocksPicture(300, 200, 2, 2), QString::fromLatin1(name));
    chooseGrid(2, 2);
    click(board->CmdTarsio);
    dockPiece(0);
    const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    saveGame();
    EXPECT_TRUE(lastMessage().text.startsWith(QStringLiteral("Impossibile salvare il gioco"))) << name;
    EXPECT_EQ(lastMessage().title, QStringLiteral("Salvataggio"));
    EXPECT_EQ(lastMessage().icon, MessageIcon::Critical);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), files) << name;
    EXPECT_TRUE(board->mSalva.Enabled());
    click(board->CmdAzze);
  }
}

// The saved game's name leads through two links to the file that gets the game; both links stay.
TEST_F(SaveLoad, ASavedGameThatIsALinkStaysOneAndTheFileBehindItGetsTheGame) {
  const QString picture = choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("foto.bmp"));
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  dockPiece(0);
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("partite")));
  const QString target = writeFile(QStringLiteral("partite/foto.trs"), "\"earlier\"\r\n");
  const QString saved = picture + QStringLiteral(".trs");
  ASSERT_TRUE(QFile::link(QStringLiteral("foto.trs"), folder.filePath(QStringLiteral("partite/ultima.trs"))));
  ASSERT_TRUE(QFile::link(QStringLiteral("partite/ultima.trs"), saved));
  saveGame();
  EXPECT_EQ(lastMessage().text, QStringLiteral("Gioco salvato in ") + saved);
  EXPECT_TRUE(QFileInfo(saved).isSymLink());
  EXPECT_TRUE(QFileInfo(folder.filePath(QStringLiteral("partite/ultima.trs"))).isSymLink());
  EXPECT_TRUE(fileBytes(target).startsWith("\"" + QFile::encodeName(picture) + "\"\r\n\"2\",\"2\","));
  EXPECT_EQ(
      QDir(folder.filePath(QStringLiteral("partite"))).entryList(QDir::Files | QDir::System | QDir::Hidden),
      QStringList({"foto.trs", "ultima.trs"}));
}

class FailedSave : public SaveLoad {
 protected:
  // A game of four pieces, one docked, whose picture lies in a folder of its own.
  void SetUp() override {
    SaveLoad::SetUp();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("foto")));
    pictureFolder = folder.filePath(QStringLiteral("foto"));
    picture = writePicture(pictureFolder, QStringLiteral("mare.bmp"), blocksPicture(300, 200, 2, 2));
    saved = picture + QStringLiteral(".trs");
    chooseFile(picture);
    chooseGrid(2, 2);
    click(board->CmdTarsio);
    dockPiece(0);
  }
  void TearDown() override {
    QFile::setPermissions(pictureFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SaveLoad::TearDown();
  }
  // The refusal offers another folder; the player declines.
  void expectRefusedSave(const QString& reason) {
    dialogs.answers.push_back(QString());
    saveGame();
    EXPECT_EQ(lastMessage().text, QStringLiteral("Impossibile salvare il gioco in ") + saved + ": " + reason);
    EXPECT_EQ(lastMessage().title, QStringLiteral("Salvataggio"));
    EXPECT_EQ(lastMessage().icon, MessageIcon::Critical);
    EXPECT_EQ(lastMessage().defaultAnswer, QStringLiteral("Salva altrove…"));
    EXPECT_TRUE(board->mSalva.Enabled());
    EXPECT_EQ(game().GamePhase, 3);
  }

  QString pictureFolder, picture, saved;
};

// Read-only places keep the saved game as it was: a file made read-only, and a folder that takes no
// file, even for a writable saved game (a rewrite in place could fail halfway and lose both games).
// The refusal offers a folder of the player's choice, where the game is saved under its own name.
TEST_F(FailedSave, ReadOnlyPlacesKeepTheSavedGameAndOfferAnotherFolder) {
  const QByteArray earlier = "\"earlier\"\r\n";
  writeFile(QStringLiteral("foto/mare.bmp.trs"), earlier);
  const QString elsewhere = folder.filePath(QStringLiteral("altrove"));
  ASSERT_TRUE(QDir().mkdir(elsewhere));
  ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), 0711), 0);
  EXPECT_TRUE(asPlainUser({pictureFolder, saved, elsewhere}, [&] {
    const std::tuple<mode_t, mode_t, const char*> places[] = {{0700, 0400, "il file è di sola lettura."},
                                                              {0500, 0400, "la cartella non è scrivibile."},
                                                              {0500, 0600, "la cartella non è scrivibile."}};
    for (const auto& [folderMode, fileMode, reason] : places) {
      ASSERT_EQ(chmod(QFile::encodeName(pictureFolder).constData(), folderMode) |
                    chmod(QFile::encodeName(saved).constData(), fileMode),
                0);
      expectRefusedSave(QString::fromUtf8(reason));
      EXPECT_EQ(fileBytes(saved), earlier);
      EXPECT_EQ(QDir(pictureFolder).entryList(QDir::Files | QDir::Hidden),
                QStringList({"mare.bmp", "mare.bmp.trs"}));
    }
    dialogs.answers.insert(dialogs.answers.end(), {QStringLiteral("Salva altrove…"), elsewhere});
    saveGame();
    EXPECT_EQ(lastMessage().text, QStringLiteral("Gioco salvato in ") + elsewhere + "/mare.bmp.trs");
    EXPECT_FALSE(board->mSalva.Enabled());
  }));
}

// A file-size limit stops the save: a game that fits in a write buffer, and one of 19 KB that does not.
// The program's own start makes the write fail rather than end the program.
TEST_F(FailedSave, AWriteStoppedPartwayKeepsTheEarlierSavedGameByteForByte) {
  const QByteArray earlier = fileBytes(writeFile(QStringLiteral("foto/mare.bmp.trs"), "\"earlier\"\r\n"));
  for (const int side : {2, 40}) {
    click(board->CmdAzze);
    chooseFile(picture);
    chooseGrid(side, side);
    click(board->CmdTarsio);
    dockPiece(0);
    const pid_t child = fork();
    if (child == 0) {
      letOversizedWritesFail();
      const rlimit limit{64, 64};
      setrlimit(RLIMIT_FSIZE, &limit);
      board->mSalva_Click();
      const bool refused =
          lastMessage().text.endsWith(QStringLiteral("la dimensione che il sistema consente.")) &&
          lastMessage().icon == MessageIcon::Critical && board->mSalva.Enabled();
      _exit(refused ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << side;
    EXPECT_EQ(fileBytes(saved), earlier) << side;
    EXPECT_EQ(QDir(pictureFolder).entryList(QDir::Files | QDir::Hidden),
              QStringList({"mare.bmp", "mare.bmp.trs"}));
  }
}

TEST_F(FailedSave, RemovedFolderKeepsTheGameGoing) {
  ASSERT_TRUE(QDir(pictureFolder).removeRecursively());
  expectRefusedSave(QStringLiteral("la cartella non esiste."));
  dockPiece(1);
  EXPECT_TRUE(game().Docked[1]);
}

// Each damaged saved game is the good 2 x 2 game with one change.
struct Damage {
  enum Kind { Replace, Missing, Truncated, TooFine } kind;
  const char* name;
  QByteArray from = {};
  QByteArray to = {};
  const char* missing = nullptr;  // the picture the refusal names as missing
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class DamagedFile : public SaveLoad, public testing::WithParamInterface<Damage> {
 protected:
  // The saved game with the damage applied, written as damaged.trs (or not at all when missing).
  QString damagedFile() {
    const QString picture =
        writePicture(folder.path(), QStringLiteral("foto.bmp"), blocksPicture(300, 200, 2, 2));
    writeFile(QStringLiteral("broken.bmp"), QByteArray("BM") + QByteArray(60, '\x7f'));
    const Damage& damage = GetParam();
    QByteArray bytes = formatSavedGame(twoByTwo(picture));
    switch (damage.kind) {
      case Damage::Missing:
        return folder.filePath(QStringLiteral("damaged.trs"));
      case Damage::Truncated:
        bytes.chop(3);
        break;
      case Damage::Replace:
        bytes.replace(damage.from, damage.to);
        break;
      case Damage::TooFine: {
        // A whole 2 x 4 game of a picture 3 pixels wide: one column would have no pixel.
        const QString tiny =
            writePicture(folder.path(), QStringLiteral("tiny.bmp"), blocksPicture(3, 2, 1, 1));
        SavedGame fine{tiny, QStringLiteral("2"), QStringLiteral("4"), 1, {}};
        for (int i = 0; i < 8; ++i) fine.pieces.push_back({false, 0, i});
        bytes = formatSavedGame(fine);
        break;
      }
    }
    return writeFile(QStringLiteral("damaged.trs"), bytes);
  }
};

TEST_P(DamagedFile, ChosenInTheDialogIsRefusedAndTheShownPictureStays) {
  const QString bad = damagedFile();
  choosePicture(blocksPicture(240, 160, 2, 2), QStringLiteral("shown.png"));
  board->mRuot.action()->trigger();
  BoardLook before = lookOf(*board);
  before.phase = 0;  // the picture command starts every choice at phase 0
  const std::size_t messages = dialogs.messages().size();

  chooseFile(bad);
  ASSERT_EQ(dialogs.messages().size(), messages + 1);
  const QString named = GetParam().missing ? folder.filePath(GetParam().missing) : bad;
  EXPECT_EQ(dialogs.messages().back().text, QStringLiteral("Immagine non valida\n") + named);
  EXPECT_EQ(dialogs.messages().back().title, QStringLiteral("Tarsio"));
  EXPECT_EQ(dialogs.messages().back().icon, MessageIcon::None);
  EXPECT_EQ(lookOf(*board), before);
}

TEST_P(DamagedFile, LeavesAGameInProgressAsItWas) {
  const QString bad = damagedFile();
  choosePicture(blocksPicture(240, 160, 2, 2), QStringLiteral("shown.png"));
  chooseGrid(3, 5);
  click(board->CmdTarsio);
  ASSERT_EQ(game().GamePhase, 3);
  const BoardLook before = lookOf(*board);
  EXPECT_EQ(board->LoadSavedGame(bad), Board::OpenResult::Refused);
  EXPECT_EQ(lookOf(*board), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    testing::Values(Damage{Damage::Missing, "missing file"}, Damage{Damage::Truncated, "truncated file"},
                    Damage{Damage::Replace, "malformed piece line", "#FALSE#,5,0", "#FALSE#;5;0"},
                    Damage{Damage::Replace, "fewer pieces than the grid", "\"2\",\"2\"", "\"2\",\"3\""},
                    Damage{Damage::Replace, "orientation 8", "#FALSE#,5,0", "#FALSE#,8,0"},
                    Damage{Damage::Replace, "start cell outside the grid", "#FALSE#,3,3", "#FALSE#,3,4"},
                    Damage{Damage::Replace, "picture no longer there", "foto.bmp", "gone.bmp", "gone.bmp"},
                    Damage{Damage::Replace, "picture that cannot be decoded", "foto.bmp", "broken.bmp"},
                    Damage{Damage::TooFine, "grid too fine for the picture"}),
    [](const testing::TestParamInfo<Damage>& info) { return "case" + std::to_string(info.index); });

// The game kept on disk is taken up by a later run piece for piece, with the areas, the trays, the
// joined pieces, the saving command and the saved game it came from; answered "No", it stays and is offered
// again.
TEST_F(SaveLoad, AKeptGameComesBackInALaterRunAsItWas) {
  const QString picture = choosePicture(blocksPicture(300, 200, 3, 4), QStringLiteral("foto.bmp"));
  markOption(board->mRove);
  chooseGrid(3, 4);
  click(board->CmdTarsio);
  dockPiece(1);
  saveGame();
  click(board->CmdAzze);
  chooseFile(picture + QStringLiteral(".trs"));
  QTest::keyClick(board->windowHandle(), '+');
  dockPiece(6);
  drag(2, QPointF(-313.3, 71.9));
  clickPiece(3, Qt::ShiftModifier);
  board->mVassoio_Click();
  board->trays.rename(1, QStringLiteral("Cielo"));
  board->dropPieces({3, 2}, board->trays.frame(1).center());
  board->playTime.start(now, 7 * 60 * 1000);
  board->HintCount = 2;
  board->refreshTitle();
  board->mUniscono_Click();
  board->ImA(5).Move(board->ImA(4).Left() + board->ImA(4).Width(), board->ImA(4).Top());
  board->groups.join(4, 5);
  const auto seen = [this] {
    BoardLook look = lookOf(*board);
    look.shown = {};
    std::vector<std::tuple<QString, QRectF, std::vector<int>>> trays;
    for (int t : board->trays.numbers())
      trays.emplace_back(board->trays.title(t), board->trays.frame(t), board->trays.piecesOf(t));
    return std::tuple(look, game().AreaLevel, board->windowTitle(), trays, board->groups.all());
  };
  const auto before = seen();
  ASSERT_LT(std::get<1>(before), 0);
  ASSERT_TRUE(std::get<2>(before).contains(QStringLiteral("7 min, 2 aiuti")));
  ASSERT_EQ(std::get<3>(before).size(), 1u);
  for (const char* answer : {"No", "Sì"}) {
    board.reset();
    board = makeBoard();
    dialogs.answers.push_back(QString::fromUtf8(answer));
    board->offerKeptGame();
  }
  EXPECT_EQ(seen(), before);
  const std::vector<DialogCall> asked = dialogs.ofKind(DialogCall::Question);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].text,
            QStringLiteral("C'è una partita interrotta con l'immagine foto.bmp: 2 pezzi a posto su "
                           "12.\nRiprenderla?"));
}

// A kept file that cannot be read is renamed out of the way, whole, and the player told once. One that
// cannot be renamed (the new name would be too long) is left as it is, the player is told so, and the
// game that follows is kept in another file.
TEST_F(SaveLoad, ADamagedKeptGameIsSetAsideAndTheBoardStartsAsUsual) {
  const QByteArray damaged = "Tarsio partita in corso 1\naree x\n";
  board.reset();
  const QString kept = writeFile(QStringLiteral("state/partita-1.tarsio"), damaged);
  for (int run = 0; run < 2; ++run) {
    board.reset();
    board = makeBoard();
    board->offerKeptGame();
  }
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_TRUE(dialogs.calls[0].text.contains(QStringLiteral("danneggiato")));
  EXPECT_FALSE(QFile::exists(kept));
  const QStringList aside =
      QDir(folder.filePath(QStringLiteral("state"))).entryList({"partita-1.tarsio.danneggiata-*"});
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(fileBytes(folder.filePath(QStringLiteral("state/")) + aside[0]), damaged);
  EXPECT_EQ(game().GamePhase, 0);

  board.reset();
  const QString stuck = writeFile(QStringLiteral("state/partita-%1.tarsio").arg(QString(230, u'x')), damaged);
  board = makeBoard();
  board->offerKeptGame();
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_TRUE(dialogs.calls[1].text.contains(QStringLiteral("Non si è potuto metterlo da parte: resta com'è in ") +
                                             stuck));
  choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("foto.bmp"));
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  board->keeper.flush();
  EXPECT_EQ(fileBytes(stuck), damaged);
  EXPECT_TRUE(parseKeptGame(fileBytes(kept)));
}

// A game that cannot be kept (its file's place is taken by a folder) is told once, with the reason.
TEST_F(SaveLoad, AKeptGameThatCannotBeWrittenIsToldOnce) {
  const QString kept = folder.filePath(QStringLiteral("state/partita-1.tarsio"));
  ASSERT_TRUE(QDir().mkpath(kept + QStringLiteral("/occupato")));
  choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("foto.bmp"));
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  for (const double by : {450.0, -450.0}) {
    drag(1, QPointF(by, by));
    board->keeper.flush();
    // The failure arrives while the staircase is being drawn; the message waits for its end.
    board->CmdRaccogli_Click();
    EXPECT_EQ(dialogs.messages().size(), by > 0 ? 0u : 1u);
    QCoreApplication::processEvents();
  }
  const std::vector<DialogCall> told = dialogs.messages();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].text, QStringLiteral("Impossibile conservare la partita in corso in %1: la scrittura non è "
                                         "riuscita.\nFinché non si potrà, salvare la partita per non perderla.")
                              .arg(kept));
}

// Two boards running at once keep their games in two files: neither is offered the other's. Each file
// is its owner's alone, in a folder that others may read.
TEST_F(SaveLoad, TwoRunningCopiesKeepTheirGamesApart) {
  const mode_t mask = ::umask(022);
  ASSERT_EQ(::chmod(QFile::encodeName(folder.filePath(QStringLiteral("state"))).constData(), 0755), 0);
  choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("foto.bmp"));
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  board->keeper.flush();
  const std::unique_ptr<Board> first = std::move(board);
  board = makeBoard();
  board->offerKeptGame();
  EXPECT_TRUE(dialogs.ofKind(DialogCall::Question).empty());
  choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("altra.bmp"));
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  board->keeper.flush();
  const QFileInfoList kept = QDir(folder.filePath(QStringLiteral("state"))).entryInfoList({"partita-*.tarsio"});
  EXPECT_EQ(kept.size(), 2);
  for (const QFileInfo& file : kept)
    EXPECT_EQ(file.permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
  ::umask(mask);
}

// The game is gathered a second after the player's input, never while a piece is held, and a game
// that did not change is not written again, however the time goes on.
TEST_F(SaveLoad, AHeldPieceIsKeptOnceReleasedAndAnUnchangedGameIsNotWrittenAgain) {
  choosePicture(blocksPicture(300, 200, 2, 2), QStringLiteral("foto.bmp"));
  chooseGrid(2, 2);
  click(board->CmdTarsio);
  const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("state/partita-1.tarsio")));
  QTest::qWait(1200);
  const std::optional<KeptGame> cut = parseKeptGame(fileBytes(file));
  ASSERT_TRUE(cut);
  const QPointF from = centreOf(board->ImA(1)), to = from + QPointF(600, 600);
  press(from);
  move(to);
  QTest::qWait(1200);
  EXPECT_EQ(parseKeptGame(fileBytes(file)), cut);
  release(to);
  QTest::qWait(1200);
  EXPECT_EQ(parseKeptGame(fileBytes(file))->places[1], board->ImA(1).boxTwips().topLeft());
  struct stat before {}, after {};
  ASSERT_EQ(::stat(file.constData(), &before), 0);
  now += 60 * 1000;
  QTest::keyClick(board->windowHandle(), Qt::Key_F5);
  QTest::qWait(1200);
  ASSERT_EQ(::stat(file.constData(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

// A game kept on a larger screen and taken up on a smaller one: the docked pieces lie in their cells
// on the new grid, the loose ones wholly on the new board.
TEST_F(SaveLoad, AKeptGameTakenUpOnASmallerScreenHasItsPiecesInTheirCellsAndOnTheBoard) {
  choosePicture(blocksPicture(300, 200, 3, 4), QStringLiteral("foto.bmp"));
  chooseGrid(3, 4);
  click(board->CmdTarsio);
  dockPiece(1);
  dockPiece(6);
  board->ImA(0).Move(pixelsToTwips(board->canvas->width()) - board->ImA(0).Width(),
                     pixelsToTwips(board->canvas->height()) - board->ImA(0).Height());
  board.reset();
  const QSizeF small(800 * 15, 600 * 15);
  board = makeBoard(small);
  dialogs.answers.push_back(QStringLiteral("Sì"));
  board->offerKeptGame();
  for (int i = 0; i < game().PieceCount; ++i) {
    const QRectF box = board->ImA(i).boxTwips();
    if (game().Docked[i])
      EXPECT_EQ(box.topLeft(), home(i)) << "piece " << i;
    else
      EXPECT_TRUE(QRectF(QPointF(), small).contains(box)) << "piece " << i;
  }
  EXPECT_EQ(std::count(game().Docked.begin(), game().Docked.end(), true), 2);
}

}  // namespace
}  // namespace tarsio
