// Procedures still being built.
#include "board/Board.h"

namespace tarsio {

void Board::mSpos_Click() {}
void Board::mRuot_Click() {}
void Board::mRove_Click() {}
void Board::mTrasp_Click() {}
void Board::CmdTarsio_Click() {}
void Board::ShowPiece() {}
void Board::MirrorLeftRightUpright() {}
void Board::MirrorLeftRightTurned() {}
void Board::MirrorTopBottomUpright() {}
void Board::MirrorTopBottomTurned() {}
void Board::ImA_MouseDown(int, const MouseArgs&) {}
void Board::ImA_MouseMove(int, const MouseArgs&) {}
void Board::ImA_MouseUp(int, const MouseArgs&) {}
void Board::DockingTest(int) {}
void Board::CheckCompletion() {}
void Board::CmdAzze_Click() {}
void Board::CmdRaccogli_Click() {}
void Board::mGuida_Click() {}
void Board::mInfo_Click() {}

}  // namespace tarsio
