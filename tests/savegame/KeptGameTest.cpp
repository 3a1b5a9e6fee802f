// Tests of the kept-game reader: what it accepts, and every value no game can hold.
#include <gtest/gtest.h>

#include "savegame/KeptGame.h"

namespace tarsio {
namespace {

KeptGame twoByTwo() {
  KeptGame kept;
  kept.saved = {QStringLiteral("/tmp/foto.bmp"),
                QStringLiteral("2"),
                QStringLiteral("2"),
                3,
                {{true, 0, 2}, {false, 5, 0}, {false, 3, 3}, {true, 0, 1}}};
  kept.places = {{4650, 240}, {13000.5, 1000}, {-300, 7000.25}, {6900, 240}};
  kept.board = {19200, 14700};
  kept.areaLevel = -2;
  kept.playedMs = 420000;
  kept.hints = 3;
  return kept;
}

TEST(KeptGame, ReadsWhatItWroteAndTheFilesOfBeforeBoardsWereKept) {
  const QByteArray bytes = formatKeptGame(twoByTwo());
  EXPECT_EQ(parseKeptGame(bytes), twoByTwo());
  KeptGame older = twoByTwo();
  older.board = {};
  EXPECT_EQ(parseKeptGame(QByteArray(bytes).replace("tavolo 19200 14700\n", "")), older);
}

TEST(KeptGame, RefusesWhatNoGameCanHold) {
  const QByteArray bytes = formatKeptGame(twoByTwo());
  const std::vector<std::pair<QByteArray, QByteArray>> damage{
      {"pezzo 3 6900 240", "pezzo 4 6900 240"},        // one past the last piece
      {"pezzo 3 6900 240", "pezzo 2 6900 240"},        // a piece twice, another missing
      {"pezzo 3 6900 240", "pezzo 3 1e300 -1e300"},    // far off any board
      {"pezzo 3 6900 240", "pezzo 3 nan 240"},         //
      {"pezzo 3 6900 240", "pezzo 3 19201 240"},       // further than the board's width off it
      {"pezzo 3 6900 240", "pezzo 3 6900 -14701"},     //
      {"tavolo 19200 14700", "tavolo 0 14700"},        //
      {"tavolo 19200 14700", "tavolo 19200 1e9"},      // larger than any screen
      {"tempo 420000", "tempo 3155760000000"},         // a century
      {"tempo 420000", "tempo -1"},                    //
      {"aiuti 3", "aiuti 1000000"},                    //
      {"aiuti 3", "aiuti 2147483647"},                 //
      {"aree -2", "aree 11"},                          //
      {"aiuti 3\n", "aiuti 3\naiuti 4\n"},             // a field twice
  };
  for (const auto& [from, to] : damage) {
    ASSERT_TRUE(bytes.contains(from)) << from.constData();
    EXPECT_FALSE(parseKeptGame(QByteArray(bytes).replace(from, to))) << to.constData();
  }
  const QByteArray oldFile = QByteArray(bytes).replace("tavolo 19200 14700\n", "");
  EXPECT_FALSE(parseKeptGame(QByteArray(oldFile).replace("pezzo 3 6900 240", "pezzo 3 6900 491506")));
}

}  // namespace
}  // namespace tarsio
