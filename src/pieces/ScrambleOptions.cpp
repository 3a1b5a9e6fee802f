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

// Toggles the chosen option's mark; when it is now marked, the other options lose theirs.
void checkOnly(Board& board, MenuItem& chosen) {
  chosen.setChecked(!chosen.Checked());
  if (!chosen.Checked()) return;
  for (MenuItem* option : optionsOf(board))
    if (option != &chosen) option->setChecked(false);
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

}  // namespace tarsio
