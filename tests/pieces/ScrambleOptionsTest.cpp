// Tests of the scramble options: the check-mark rule, their lock during a game, what a cut deals.
#include <gtest/gtest.h>

#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <array>
#include <cstdlib>
#include <set>
#include <string>

#include "CutFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

class ScrambleOptions : public CutFixture {
 protected:
  std::array<MenuItem*, 4> options() { return {&board->mSpos, &board->mRuot, &board->mRove, &board->mTrasp}; }
  // The check marks as "S R V T" letters, "-" for an unmarked option.
  std::string marks() {
    std::string shown;
    for (int k = 0; k < 4; ++k) shown += options()[k]->Checked() ? "SRVT"[k] : '-';
    return shown;
  }
  // A click on the menu entry, as the menu delivers it.
  void choose(char option) { options()[std::string("SRVT").find(option)]->action()->trigger(); }
};

TEST_F(ScrambleOptions, ClickMovesTheMarkOrTakesItAway) {
  struct Case {
    const char* clicks;
    const char* marks;
  };
  const Case cases[] = {
      {"", "--V-"},      // at start "... più Rovesciare" carries the mark
      {"T", "---T"},     // the mark moves to "... con Trasparenza"
      {"TT", "----"},    // clicking the marked option leaves none marked
      {"V", "----"},     // the same for the option marked at start
      {"S", "S---"},     // "solo Spostare" takes the mark
      {"SR", "-R--"},    // and hands it on to "... più Ruotare"
      {"VRRS", "S---"},  // from none marked, a click marks that option only
      {"VT", "---T"},    // likewise
  };
  for (const Case& c : cases) {
    for (MenuItem* option : options()) option->setChecked(option == &board->mRove);
    for (const char* click = c.clicks; *click; ++click) choose(*click);
    EXPECT_EQ(marks(), c.marks) << "clicks " << c.clicks;
  }
}

TEST_F(ScrambleOptions, LockedAfterTheCutWithTheirMarks) {
  choose('R');
  cut(blocksPicture(200, 150, 3, 4), 3, 4);
  for (MenuItem* option : options()) EXPECT_FALSE(option->Enabled()) << option->Caption().toStdString();
  for (const char option : std::string("SRVT")) choose(option);
  EXPECT_EQ(marks(), "-R--") << "greyed options ignore clicks";
}

// Under the Fusion style a checkable menu item shows an empty box when unchecked; the options show a
// mark beside the marked one and nothing beside the others.
TEST_F(ScrambleOptions, OnlyTheMarkedOptionShowsAnythingBesideItsCaption) {
  QMenu* menu = board->mScom.action()->menu();
  QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
  ASSERT_NE(fusion, nullptr);
  fusion->setParent(menu);
  menu->setStyle(fusion);
  for (int m = 0; m < 4; ++m) {
    for (int k = 0; k < 4; ++k) options()[k]->setChecked(k == m);
    const QImage shot = menu->grab().toImage();
    // The first column of each entry, inside the menu's frame, where something is drawn on its ground.
    std::array<int, 4> firstDrawn{};
    for (int k = 0; k < 4; ++k) {
      const QRect entry = menu->actionGeometry(options()[k]->action()).adjusted(2, 2, -2, -2);
      const QColor ground = shot.pixelColor(entry.right() - 2, entry.center().y());
      const auto drawn = [&](int x) {
        for (int y = entry.top(); y <= entry.bottom(); ++y) {
          const QColor c = shot.pixelColor(x, y);
          if (std::abs(c.red() - ground.red()) + std::abs(c.green() - ground.green()) +
                  std::abs(c.blue() - ground.blue()) > 60)
            return true;
        }
        return false;
      };
      firstDrawn[k] = entry.left();
      while (firstDrawn[k] < entry.right() && !drawn(firstDrawn[k])) ++firstDrawn[k];
    }
    for (int k = 0; k < 4; ++k)
      if (k != m) EXPECT_GT(firstDrawn[k], firstDrawn[m] + 8) << "marked " << m << ", entry " << k;
  }
}

// Each option deals orientations from its own set; with none marked the cut deals as "solo Spostare".
// 400 pieces make a missing value of an eight-value option practically impossible.
TEST_F(ScrambleOptions, CutDealsTheOrientationsOfTheMarkedOption) {
  struct Case {
    const char* clicks;  // from the start state
    int kinds;
  };
  for (const Case c : {Case{"V", 1}, Case{"S", 1}, Case{"R", 4}, Case{"", 8}, Case{"T", 8}}) {
    freshBoard();
    for (const char* click = c.clicks; *click; ++click) choose(*click);
    cut(blocksPicture(400, 300, 4, 4), 20, 20);
    EXPECT_EQ(game().ScrambleKinds, c.kinds) << c.clicks;
    std::set<int> dealt;
    for (int i = 0; i < 400; ++i) dealt.insert(game().Orientation[i]);
    std::set<int> allowed;
    for (int v = 0; v < c.kinds; ++v) allowed.insert(v);
    EXPECT_EQ(dealt, allowed) << "clicks " << c.clicks;
  }
}

}  // namespace
}  // namespace tarsio
