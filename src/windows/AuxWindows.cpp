// The board's "Aiuto" commands: the help window and the information window, both modal.
#include "board/Board.h"
#include "windows/HelpWindow.h"

namespace tarsio {

void Board::mGuida_Click() {
  FormA help(*this, dialogs, helpFolders);
  if (help.load()) help.exec();
}

}  // namespace tarsio
