// Procedures still being built.
#include "board/Board.h"

namespace tarsio {

void Board::CmdImma_Click() {}
void Board::ChoosePicture() {}
QString Board::ShowOpenDialog() { return {}; }
void Board::CmdGriglia_Click() {}
void Board::DrawGrid() {}
void Board::RemoveGrid() {}
void Board::GridBox_Click() {}
void Board::GridBox_KeyPress(int&) {}
void Board::mGrig_Click() {}
void Board::ImA_MouseDown(int, const MouseArgs&) {}
void Board::ImA_MouseMove(int, const MouseArgs&) {}
void Board::ImA_MouseUp(int, const MouseArgs&) {}
void Board::DockingTest(int) {}
void Board::CheckCompletion() {}
void Board::CmdAzze_Click() {}
void Board::mSalva_Click() {}
void Board::LoadSavedGame() {}
void Board::CmdRaccogli_Click() {}
void Board::EnlargeGridArea() {}
void Board::ReduceGridArea() {}
void Board::RestoreEqualAreas() {}
void Board::mGuida_Click() {}
void Board::mInfo_Click() {}

}  // namespace tarsio
