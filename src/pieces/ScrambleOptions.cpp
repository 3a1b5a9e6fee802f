// The four scramble options: at most one carries the check mark, and the mark is the setting.
#include <array>

#include "board/Board.h"

namespace tarsio {

namespace {

// The options in the order of their codes, 1 to 4 (const when the board is).
template <class B>
auto optionsOf(B& board) {
  return std::array{&board.mSpos, &board.mRuot, &board.mRove, &board.mTrasp};
}

// Toggles the chosen option's mark; when it is now marked, the other options lose theirs. The choice
// is remembered for the next run.
void checkOnly(Board& board, MenuItem& chosen) {
  chosen.setChecked(!chosen.Checked());
  if (chosen.Checked())
    for (MenuItem* option : optionsOf(board))
      if (option != &chosen) option->setChecked(false);
  board.preferences.set(remembered::Scramble, board.markedScrambleCode());
}

}  // namespace

void Board::mSpos_Click() { checkOnly(*this, mSpos); }
void Board::mRuot_Click() { checkOnly(*this, mRuot); }
void Board::mRove_Click() { checkOnly(*this, mRove); }
void Board::mTrasp_Click() { checkOnly(*this, mTrasp); }

int Board::markedScrambleCode() const {
  const auto options = optionsOf(*this);
  for (int code = 1; code <= 4; ++code)
    if (options[code - 1]->Checked()) return code;
  return 0;
}

void Board::markScrambleOption(int code) {
  const auto options = optionsOf(*this);
  if (code < 1 || code > static_cast<int>(options.size())) return;
  for (int k = 0; k < static_cast<int>(options.size()); ++k) options[k]->setChecked(k == code - 1);
}

}  // namespace tarsio
