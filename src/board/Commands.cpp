// Keys, the bare board's mouse events, and closing: the board's own dispatch of commands.
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>

#include "board/Board.h"
#include "platform/Events.h"
#include "platform/Keys.h"

namespace tarsio {

namespace {

// Every gesture on the board and every command ends with one of these.
bool endsAGesture(QEvent::Type type) {
  return type == QEvent::MouseButtonRelease || type == QEvent::KeyPress || type == QEvent::Shortcut ||
         type == FileDropEvent::kind();
}

}  // namespace

// Every key typed into the board's window passes its window handle once, before Qt hands it to the
// focused control; that is where the board sees it. Only typed characters reach Form_KeyPress: a chord
// such as Alt+P is not one. This is also the one place where the keeper hears of changes: it is told of
// the input that ends each gesture and command, and gathers the game once they are over.
bool Board::eventFilter(QObject* watched, QEvent* event) {
  followPlayer(watched, event);
  if (watched == this && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
      placingNormalWindow)
    keepNormalWindowOnScreen();
  if (endsAGesture(event->type())) keeper.changed();
  if (event->type() == QEvent::KeyPress && watched == windowHandle()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (const int typed = typedCharacter(*key)) Form_KeyPress(typed);
    // Escape ends the selection and leaves full screen; a menu or a list that is open takes Escape for
    // itself first.
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) endSelection();
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
        windowState().testFlag(Qt::WindowFullScreen))
      switchFullScreen();
  }
  return QMainWindow::eventFilter(watched, event);
}

// A letter runs the command of its button when that button is enabled, even while the command bar
// is hidden; +, - and 0 always reach the area operations. The key then goes on to the focused control.
void Board::Form_KeyPress(int keyAscii) {
  switch (QChar(keyAscii).toUpper().unicode()) {
    case u'I': if (CmdImma.Enabled()) CmdImma_Click(); break;
    case u'G': if (CmdGriglia.Enabled()) CmdGriglia_Click(); break;
    case u'P': if (CmdTarsio.Enabled()) CmdTarsio_Click(); break;
    case u'O': if (CmdRaccogli.Enabled()) CmdRaccogli_Click(); break;
    case u'Z': if (CmdAzze.Enabled()) CmdAzze_Click(); break;
    case u'B': if (mBordi.Enabled()) mBordi_Click(); break;
    case u'C': showHint(); break;
    case u'L': if (mSimili.Enabled()) showLikePieces(mSimili.Checked() ? likeness.step + 1 : 1); break;
    case u'D': if (mDisponi.Enabled()) mDisponi_Click(); break;
    case u'U': if (mScopri.Enabled()) mScopri_Click(); break;
    case u'R': if (mRaddrizza.Enabled()) mRaddrizza_Click(); break;
    case u'V': if (mVassoio.Enabled()) mVassoio_Click(); break;
    case u'S': if (mSmista.Enabled()) mSmista_Click(); break;
    case u'+': EnlargeGridArea(); break;
    case u'-': ReduceGridArea(); break;
    case u'0': RestoreEqualAreas(); break;
    default: break;
  }
}

// A left press on the bare board ends the selection; with Shift it begins a rectangle that selects.
void Board::Form_MouseDown(const MouseArgs& args) {
  if (trayTitleMouse(MouseAction::Down, args)) return;
  if (args.button == 2 && game.GamePhase > 0) visualMenu->popup(canvas->globalPosOf({args.x, args.y}));
  if (args.button == 1 && args.shift == 1 && game.GamePhase == 3)
    selection.beginRectangle({args.x, args.y});
  else if (args.button == 1 && args.shift == 0)
    endSelection();
}

void Board::Form_MouseMove(const MouseArgs& args) {
  game.DragLeft = args.x;
  game.DragTop = args.y;
  if (!trayTitleMouse(MouseAction::Move, args)) selection.stretchRectangle({args.x, args.y});
}

void Board::mChiudi_Click() { close(); }

}  // namespace tarsio
