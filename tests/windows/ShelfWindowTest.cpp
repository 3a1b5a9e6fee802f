// The shelf's window over a plain list of kept games: its order, taking a game up, throwing one away.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "support/ScriptedDialogs.h"
#include "windows/ShelfWindow.h"

namespace tarsio {
namespace {

ShelfGame kept(const char* name, qint64 playedAt, bool missing = false) {
  KeptGame game;
  game.saved = {QStringLiteral("/foto/%1.jpg").arg(QLatin1String(name)), QStringLiteral("2"), QStringLiteral("03"),
                1, {{true, 0, 0}, {false, 1, 2}, {false, 0, 1}, {true, 0, 3}, {false, 0, 4}, {false, 0, 5}}};
  game.playedMs = 12 * 60000;
  return shelfGame(QStringLiteral("/stato/%1.tarsio").arg(QLatin1String(name)), game,
                   QDateTime::fromSecsSinceEpoch(playedAt, Qt::UTC), missing);
}

// The list shows the most recently played first; a game without its picture is listed but not taken
// up; "Elimina" throws the chosen game away only when the player says "Sì"; Return takes a game up.
TEST(ShelfWindow, listsTheLatestFirstAndTakesUpOrThrowsAwayTheChosenGame) {
  std::vector<ShelfGame> games = {kept("mare", 100), kept("monti", 300, true), kept("lago", 200),
                                  kept("fiume", 200)};
  sortByLastPlayed(games);
  ScriptedDialogs dialogs;
  ShelfWindow window(nullptr, dialogs, games);
  std::vector<QString> thrown;
  window.onDelete = [&](const ShelfGame& game) {
    thrown.push_back(game.file);
    return true;
  };
  window.show();
  ASSERT_EQ(window.list->count(), 4);
  const QStringList expected = {"monti.jpg", "fiume.jpg", "lago.jpg", "mare.jpg"};
  for (int row = 0; row < 4; ++row) EXPECT_TRUE(window.list->item(row)->text().startsWith(expected[row])) << row;
  EXPECT_TRUE(window.list->item(0)->text().contains(QStringLiteral("2 x 3\n2 pezzi a posto su 6 — 12 min")));
  // A picture's name with a "%" and a digit in it is shown as it is.
  EXPECT_TRUE(shelfText(kept("50%1", 0)).startsWith(QStringLiteral("50%1.jpg — 2 x 3\n2 pezzi")));

  window.list->setFocus();
  QTest::keyClick(window.list, Qt::Key_Return);
  EXPECT_FALSE(window.chosen());
  EXPECT_FALSE(window.resumeButton->isEnabled());
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("/foto/monti.jpg")));

  window.list->setCurrentRow(2);
  dialogs.answers = {QStringLiteral("No"), QStringLiteral("Sì")};
  window.deleteButton->click();
  EXPECT_EQ(window.list->count(), 4);
  window.deleteButton->click();
  ASSERT_EQ(dialogs.ofKind(DialogCall::Question).size(), 2u);
  EXPECT_EQ(dialogs.ofKind(DialogCall::Question)[1].defaultAnswer, QStringLiteral("No"));
  EXPECT_EQ(thrown, std::vector<QString>{QStringLiteral("/stato/lago.tarsio")});
  ASSERT_EQ(window.list->count(), 3);
  EXPECT_TRUE(window.list->item(2)->text().startsWith(QStringLiteral("mare.jpg")));

  window.list->setCurrentRow(2);
  QTest::keyClick(window.list, Qt::Key_Return);
  ASSERT_TRUE(window.chosen());
  EXPECT_EQ(window.chosen()->file, QStringLiteral("/stato/mare.tarsio"));
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace tarsio
