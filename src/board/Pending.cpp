// Procedures still being built.
#include "board/Board.h"

namespace tarsio {

void Board::ImA_MouseDown(int, const MouseArgs&) {}
void Board::ImA_MouseMove(int, const MouseArgs&) {}
void Board::ImA_MouseUp(int, const MouseArgs&) {}
void Board::DockingTest(int) {}
void Board::CheckCompletion() {}
void Board::CmdAzze_Click() {}
void Board::mSalva_Click() {}
bool Board::LoadSavedGame() { return false; }
void Board::CmdRaccogli_Click() {}
void Board::EnlargeGridArea() {}
void Board::ReduceGridArea() {}
void Board::RestoreEqualAreas() {}

}  // namespace tarsio
