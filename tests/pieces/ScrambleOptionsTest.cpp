// Tests of the scramble options: the check-mark rule, their lock during a game, what a cut deals.
#include <gtest/gtest.h>

#include <array>
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
