// The board's "Aiuto" commands: the help window and the information window, both modal.
#include "board/Board.h"
#include "windows/HelpWindow.h"
#include "windows/InfoWindow.h"

namespace tarsio {

void Board::mGuida_Click() {
  FormA help(*this, dialogs, helpFolders);
  if (help.load()) help.exec();
}

void Board::mInfo_Click() {
  FormI info(this);
  info.exec();
}

}  // namespace tarsio
