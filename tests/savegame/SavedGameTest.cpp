// Tests of the saved-game writer and reader: exact bytes, round trips and every kind of damage.
#include <gtest/gtest.h>

#include <cctype>

#include "savegame/SavedGame.h"

namespace tarsio {
namespace {

SavedGame twoByThree() {
  SavedGame game;
  game.picturePath = QStringLiteral("/home/anna/foto/gatto.jpg");
  game.rowText = QStringLiteral("2");
  game.columnText = QStringLiteral("03");
  game.scrambleCode = 2;
  game.pieces = {{true, 0, 3}, {false, 1, 4}, {false, 7, 0}, {true, 0, 5}, {false, 4, 1}, {false, 2, 2}};
  return game;
}

const QByteArray TwoByThreeBytes =
    "\"/home/anna/foto/gatto.jpg\"\r\n"
    "\"2\",\"03\",2\r\n"
    "#TRUE#,0,3\r\n"
    "#FALSE#,1,4\r\n"
    "#FALSE#,7,0\r\n"
    "#TRUE#,0,5\r\n"
    "#FALSE#,4,1\r\n"
    "#FALSE#,2,2\r\n";

TEST(SavedGame, WritesTheExactBytes) { EXPECT_EQ(formatSavedGame(twoByThree()), TwoByThreeBytes); }

TEST(SavedGame, ReadsWhatItWrote) {
  QString problem;
  const std::optional<SavedGame> read = parseSavedGame(TwoByThreeBytes, &problem);
  ASSERT_TRUE(read) << problem.toStdString();
  EXPECT_EQ(*read, twoByThree());
  EXPECT_EQ(read->columnText, QStringLiteral("03"));
}

TEST(SavedGame, PathWithSpacesCommasQuoteAndAccentsSurvives) {
  SavedGame game = twoByThree();
  game.picturePath = QStringLiteral("/tmp/le \"mie\" foto, più belle/caffè à.jpg");
  const QByteArray bytes = formatSavedGame(game);
  EXPECT_TRUE(bytes.startsWith("\"/tmp/le \"\"mie\"\" foto, pi"));
  const std::optional<SavedGame> read = parseSavedGame(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->picturePath, game.picturePath);
}

TEST(SavedGame, OrdinaryPathIsWrittenByteForByte) {
  SavedGame game = twoByThree();
  game.picturePath = QStringLiteral("/tmp/perù.bmp");
  EXPECT_TRUE(formatSavedGame(game).startsWith("\"/tmp/per\xc3\xb9.bmp\"\r\n"));
}

TEST(SavedGame, AcceptsLineFeedsAndTrailingEmptyLines) {
  QByteArray unixBytes = TwoByThreeBytes;
  unixBytes.replace("\r\n", "\n");
  EXPECT_EQ(parseSavedGame(unixBytes), twoByThree());
  EXPECT_EQ(parseSavedGame(TwoByThreeBytes + "\r\n\n\r\n"), twoByThree());
}

TEST(SavedGame, KeepsScrambleCodesOutsideTheMenu) {
  QByteArray bytes = TwoByThreeBytes;
  bytes.replace("\"03\",2", "\"03\",-9");
  const std::optional<SavedGame> read = parseSavedGame(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->scrambleCode, -9);
}

// Each damaged file is the 2 x 3 game with one substitution (or a cut) applied.
struct Damage {
  const char* name;
  QByteArray from;
  QByteArray to;
  const char* problem;  // part of the problem text, naming the check that must refuse the file
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class DamagedSavedGame : public testing::TestWithParam<Damage> {};

TEST_P(DamagedSavedGame, IsRefusedWithAProblem) {
  const Damage& damage = GetParam();
  QByteArray bytes = TwoByThreeBytes;
  ASSERT_TRUE(bytes.contains(damage.from)) << damage.name;
  bytes.replace(damage.from, damage.to);
  QString problem;
  EXPECT_FALSE(parseSavedGame(bytes, &problem)) << damage.name;
  EXPECT_TRUE(problem.contains(QLatin1String(damage.problem)))
      << damage.name << ": " << problem.toStdString();
}

const QByteArray Tail = "#FALSE#,2,2\r\n";

INSTANTIATE_TEST_SUITE_P(
    AllCases, DamagedSavedGame,
    testing::Values(
        Damage{"empty file", TwoByThreeBytes, "", "grid line"},
        Damage{"only the path",
               "\"2\",\"03\",2\r\n#TRUE#,0,3\r\n#FALSE#,1,4\r\n#FALSE#,7,0\r\n#TRUE#,0,5\r\n"
               "#FALSE#,4,1\r\n" +
                   Tail,
               "", "grid line"},
        Damage{"one piece missing", Tail, "", "after 5 of 6"},
        Damage{"last line cut inside a number", Tail, "#FALSE#,2,", "no line end"},
        Damage{"last line without line end", Tail, "#FALSE#,2,2", "no line end"},
        Damage{"extra piece line", Tail, Tail + "#FALSE#,0,0\r\n", "line 9: unexpected"},
        Damage{"extra empty line inside", "#TRUE#,0,5\r\n", "#TRUE#,0,5\r\n\r\n", "line 7: expected #TRUE#"},
        Damage{"path without quotes", "\"/home/anna/foto/gatto.jpg\"", "/home/anna/foto/gatto.jpg",
               "one quoted text"},
        Damage{"path not closed", "gatto.jpg\"\r\n", "gatto.jpg\r\n", "one quoted text"},
        Damage{"text after the path", "gatto.jpg\"\r\n", "gatto.jpg\"x\r\n", "one quoted text"},
        Damage{"lone quote inside the path", "anna/", "an\"na/", "one quoted text"},
        Damage{"empty path", "\"/home/anna/foto/gatto.jpg\"", "\"\"", "path is empty"},
        Damage{"rows not quoted", "\"2\",\"03\"", "2,\"03\"", "expected \"rows\""},
        Damage{"space after comma", "\"2\",\"03\"", "\"2\", \"03\"", "expected \"rows\""},
        Damage{"rows not a number", "\"2\",", "\"due\",", "at least 2"},
        Damage{"rows with a sign", "\"2\",", "\"+2\",", "at least 2"},
        Damage{"rows empty", "\"2\",", "\"\",", "at least 2"},
        Damage{"rows below 2", "\"2\",", "\"1\",", "at least 2"},
        Damage{"columns below 2", "\"03\"", "\"01\"", "at least 2"},
        Damage{"too many pieces", "\"2\",\"03\"", "\"200\",\"200\"", "too many pieces"},
        Damage{"code missing", "\"03\",2\r\n", "\"03\"\r\n", "expected \"rows\""},
        Damage{"code not a number", "\"03\",2\r\n", "\"03\",x\r\n", "expected \"rows\""},
        Damage{"code too large", "\"03\",2\r\n", "\"03\",99999999999\r\n", "expected \"rows\""},
        Damage{"docked field lower case", "#TRUE#,0,3", "#true#,0,3", "line 3: expected #TRUE#"},
        Damage{"docked field bare", "#FALSE#,1,4", "FALSE,1,4", "line 4: expected #TRUE#"},
        Damage{"orientation not a number", "#FALSE#,1,4", "#FALSE#,a,4", "expected #TRUE#"},
        Damage{"orientation negative", "#FALSE#,1,4", "#FALSE#,-1,4", "the orientation"},
        Damage{"orientation 8", "#FALSE#,1,4", "#FALSE#,8,4", "line 4: the orientation"},
        Damage{"start cell negative", "#FALSE#,1,4", "#FALSE#,1,-1", "start cell is outside"},
        Damage{"start cell equal to the piece count", "#FALSE#,1,4", "#FALSE#,1,6", "start cell is outside"},
        Damage{"start cell fractional", "#FALSE#,1,4", "#FALSE#,1,4.5", "expected #TRUE#"},
        Damage{"start cell missing", "#FALSE#,1,4", "#FALSE#,1", "expected #TRUE#"},
        Damage{"fourth field", "#FALSE#,1,4", "#FALSE#,1,4,0", "expected #TRUE#"},
        Damage{"docked piece turned", "#TRUE#,0,3", "#TRUE#,1,3", "line 3: a docked piece"}),
    [](const testing::TestParamInfo<Damage>& info) {
      std::string name;
      for (const char* c = info.param.name; *c; ++c) name += std::isalnum(*c) ? *c : '_';
      return name;
    });

TEST(SavedGame, LargestAndSmallestValuesAreAccepted) {
  QByteArray bytes = TwoByThreeBytes;
  bytes.replace("#FALSE#,7,0", "#FALSE#,7,5").replace("#FALSE#,4,1", "#FALSE#,0,0");
  const std::optional<SavedGame> read = parseSavedGame(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->pieces[2], (SavedPiece{false, 7, 5}));
  EXPECT_EQ(read->pieces[4], (SavedPiece{false, 0, 0}));
}

}  // namespace
}  // namespace tarsio
