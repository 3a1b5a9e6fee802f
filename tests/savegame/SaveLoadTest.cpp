// Tests of saving and loading a game on a real board.
#include <QFile>

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
  std::vector<int> orientation;
  std::vector<bool> docked;

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
                 b.game.Docked};
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

// Each damaged saved game is the good 2 x 2 game with one change.
struct Damage {
  enum Kind { Replace, Missing, Truncated, TooFine } kind;
  const char* name;
  QByteArray from = {};
  QByteArray to = {};
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
  EXPECT_EQ(dialogs.messages().back().text, QStringLiteral("Immagine non valida"));
  EXPECT_EQ(dialogs.messages().back().title, QStringLiteral("Tarsio"));
  EXPECT_EQ(dialogs.messages().back().icon, MessageIcon::None);
  EXPECT_EQ(lookOf(*board), before);
}

TEST_P(DamagedFile, LeavesAGridOnTheBoardAsItWas) {
  const QString bad = damagedFile();
  choosePicture(blocksPicture(240, 160, 2, 2), QStringLiteral("shown.png"));
  chooseGrid(3, 5);
  game().PicturePath = bad;
  const BoardLook before = lookOf(*board);
  EXPECT_FALSE(board->LoadSavedGame());
  EXPECT_EQ(lookOf(*board), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    testing::Values(Damage{Damage::Missing, "missing file"}, Damage{Damage::Truncated, "truncated file"},
                    Damage{Damage::Replace, "malformed piece line", "#FALSE#,5,0", "#FALSE#;5;0"},
                    Damage{Damage::Replace, "fewer pieces than the grid", "\"2\",\"2\"", "\"2\",\"3\""},
                    Damage{Damage::Replace, "orientation 8", "#FALSE#,5,0", "#FALSE#,8,0"},
                    Damage{Damage::Replace, "start cell outside the grid", "#FALSE#,3,3", "#FALSE#,3,4"},
                    Damage{Damage::Replace, "picture no longer there", "foto.bmp", "gone.bmp"},
                    Damage{Damage::Replace, "picture that cannot be decoded", "foto.bmp", "broken.bmp"},
                    Damage{Damage::TooFine, "grid too fine for the picture"}),
    [](const testing::TestParamInfo<Damage>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace tarsio
