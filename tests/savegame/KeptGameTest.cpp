// Tests of the kept-game reader: what it accepts, and every value no game can hold.
#include <gtest/gtest.h>

#include <tuple>

#include "savegame/KeptGame.h"

namespace tarsio {
namespace {

TEST(KeptGame, ReadsWhatItWroteAndFilesWithoutABoardButRefusesWhatNoGameCanHold) {
  KeptGame kept;
  kept.saved = {QStringLiteral("/tmp/foto.bmp"), QStringLiteral("2"), QStringLiteral("2"), 3,
                {{true, 0, 1}, {false, 5, 0}, {false, 3, 3}, {true, 0, 2}}};
  kept.places = {{4650, 240}, {-300.5, 7000.25}, {0, 0}, {6900, 240}};
  kept.board = {19200, 14700};
  kept.trays = {{QStringLiteral("Cielo e mare"), {300, 9000.5}, {2, 1}},
                {QStringLiteral("Vassoio 2"), {0, 0}, {}}};
  kept.groups = {{2, 1}};
  std::tie(kept.areaLevel, kept.saveOffered, kept.playedMs, kept.hints) = std::tuple(-2, true, 420000, 3);
  const QByteArray bytes = formatKeptGame(kept);
  EXPECT_EQ(parseKeptGame(bytes), kept);
  const QByteArray older = QByteArray(bytes).replace("tavolo 19200 14700\n", "").replace("gruppo 2,1\n", "");
  kept.board = {};
  kept.groups = {};
  EXPECT_EQ(parseKeptGame(older), kept);
  const std::vector<std::pair<QByteArray, QByteArray>> damage{
      {"pezzo 3 6900", "pezzo 4 6900"},      // one past the last piece
      {"pezzo 1 -300.5", "pezzo 0 -300.5"},  // a piece twice, another missing
      {"pezzo 1 -300.5 7000.25", "pezzo 1 1e300 -1e300"},
      {"pezzo 1 -300.5 7000.25", "pezzo 1 nan 0"},
      {"pezzo 1 -300.5", "pezzo 1 -19201"},  // further than the board's width off it
      {"tavolo 19200 14700", "tavolo 0 14700"},
      {"tavolo 19200 14700", "tavolo 19200 1e9"},  // larger than any screen
      {"tempo 420000", "tempo 3155760000000"},     // a century
      {"tempo 420000", "tempo -1"},
      {"aiuti 3", "aiuti 1000000"},
      {"aree -2", "aree 11"},
      {"aiuti 3\n", "aiuti 3\naiuti 4\n"},                   // a field twice
      {"vassoio 300 9000.5 2,1", "vassoio 300 9000.5 2,0"},  // a docked piece in a tray
      {"vassoio 0 0 -", "vassoio 0 0 2"},                    // a piece in two trays
      {"vassoio 300 9000.5", "vassoio 300 29401"},           // further than the board's height off it
      {"gruppo 2,1", "gruppo 2"},                            // a group of one
      {"gruppo 2,1", "gruppo 2,3"},                          // a docked piece in a group
      {"gruppo 2,1\n", "gruppo 2,1\ngruppo 1,2\n"},          // a piece in two groups
  };
  for (const auto& [from, to] : damage) {
    ASSERT_TRUE(bytes.contains(from)) << from.constData();
    EXPECT_FALSE(parseKeptGame(QByteArray(bytes).replace(from, to))) << to.constData();
  }
  EXPECT_FALSE(parseKeptGame(QByteArray(older).replace("pezzo 1 -300.5", "pezzo 1 -491506")));
}

}  // namespace
}  // namespace tarsio
