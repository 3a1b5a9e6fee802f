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
void Board::mSalva_Click() {}
bool Board::LoadSavedGame() { return false; }
void Board::EnlargeGridArea() {}
void Board::ReduceGridArea() {}
void Board::RestoreEqualAreas() {}
void Board::mGuida_Click() {}
void Board::mInfo_Click() {}

}  // namespace tarsio
