// Procedures still being built.
#include "board/Board.h"

namespace tarsio {

void Board::mSalva_Click() {}
bool Board::LoadSavedGame() { return false; }
void Board::EnlargeGridArea() {}
void Board::ReduceGridArea() {}
void Board::RestoreEqualAreas() {}

}  // namespace tarsio
