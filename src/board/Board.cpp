// The board window: construction, window start, fitting the picture, the command bar.
#include "board/Board.h"

#include <QApplication>
#include <QScreen>
#include <QWindowStateChangeEvent>

#include "board/Layout.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {
QSizeF screenOrReal(QSizeF screen) { return screen.isEmpty() ? screenSizeTwips() : screen; }
QString stateFolderOf(const BoardSetup& setup) {
  return setup.stateFolder.isEmpty() ? keptGameFolder() : setup.stateFolder;
}
}  // namespace

Board::Board(const BoardSetup& setup)
    : dialogs(*setup.dialogs),
      random(*setup.random),
      screen(screenOrReal(setup.screen)),
      canvas(new BoardCanvas(this)),
      ImaOrig(canvas, Layer::Picture),
      ImaCompl(canvas, Layer::Completion),
      ImA(canvas, Layer::Pieces, {999}),
      Retro(canvas, Layer::Picture, {4, 5, 6, 7}),
      liO(canvas, Layer::GridLines, {0}),
      Liv(canvas, Layer::GridLines, {0}),
      liN(canvas, Layer::Frame),
      liE(canvas, Layer::Frame),
      liS(canvas, Layer::Frame),
      liOv(canvas, Layer::Frame),
      RC1(canvas),
      RC2(canvas),
      CmdImma(canvas),
      CmdGriglia(canvas),
      Righe(canvas),
      Colonne(canvas),
      Pezzi(canvas),
      CmdTarsio(canvas),
      CmdRaccogli(canvas),
      CmdAzze(canvas),
      keeper(stateFolderOf(setup),
             [this] {
               std::optional<KeptGame> kept = keptGameNow();
               if (kept) sketchLater();
               return kept;
             }),
      records(stateFolderOf(setup)),
      RecordText(canvas),
      clock(setup.clock ? setup.clock : Clock(steadyMilliseconds)),
      preferences(setup.configFolder.isEmpty() ? preferencesFolder() : setup.configFolder) {
  setCentralWidget(canvas);
  keeper.onWriteFailed = [this](const QString& file, const QString& reason) {
    keptGameNotWritten(file, reason);
  };
  sketchTimer.setSingleShot(true);
  sketchTimer.callOnTimeout(this, [this] { sketchNow(); });
  createControls();
  createMenus();
  createUndoKeys();
  createPlayAids();
  applyPreferences();
  qApp->installEventFilter(this);
  Form_Load();
}

// A change not yet written reaches the disk before the board goes.
Board::~Board() {
  sketchNow();
  dropRemovedSavedGame();
  keeper.flush();
  qApp->removeEventFilter(this);
}

void Board::Form_Load() {
  const PictureLimits limits = pictureLimits(screen);
  game.MaxPictureWidth = limits.maxWidth;
  game.MaxPictureHeight = limits.maxHeight;
  ImaOrig.setStretch(false);
  ImaOrig.setPicture(CopiaImIni);
  game.GamePhase = 0;
  FitPicture();
}

void Board::FitPicture() {
  ImA(999).setStretch(false);
  const PictureFit fit =
      fitPicture(ImaOrig.Width(), ImaOrig.Height(), {game.MaxPictureWidth, game.MaxPictureHeight});
  game.PictureBaseWidth = fit.baseWidth;
  game.PictureBaseHeight = fit.baseHeight;
  ImaOrig.setStretch(true);
  // The element holds its size as single-precision twips.
  ImaOrig.setBox(PictureLeft, PictureTop, static_cast<float>(fit.baseWidth),
                 static_cast<float>(fit.baseHeight));
  game.AreaStepWidth = game.PictureBaseWidth / 10;
  game.AreaStepHeight = game.PictureBaseHeight / 10;
  game.AreaLevel = 0;
  const CommandRowTops rows = commandRowTops(ImaOrig.Top(), ImaOrig.Height());
  RC1.setTop(rows.label);
  for (Control* control : std::initializer_list<Control*>{&CmdImma, &CmdGriglia, &Righe, &RC2, &Colonne, &Pezzi})
    control->setTop(rows.first);
  for (Control* control : std::initializer_list<Control*>{&CmdTarsio, &CmdRaccogli, &CmdAzze})
    control->setTop(rows.second);
  ImaCompl.setTop(screen.height() - ImaCompl.Height() - 900);
}

// The window manager gives the window its normal place after telling of the change, in one or more
// moves and resizes: those of the next second are kept on the screen.
void Board::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const auto before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
  placingNormalWindow = windowState() == Qt::WindowNoState && before & Qt::WindowMaximized;
  if (placingNormalWindow) QTimer::singleShot(1000, this, [this] { placingNormalWindow = false; });
}

void Board::keepNormalWindowOnScreen() {
  if (!QWidget::screen() || windowState() != Qt::WindowNoState) return;
  const QRect inside = geometry(), outside = frameGeometry();
  const QMargins frame(inside.left() - outside.left(), inside.top() - outside.top(),
                       outside.right() - inside.right(), outside.bottom() - inside.bottom());
  const QRect placed = windowOnScreen(inside, frame, QWidget::screen()->availableGeometry());
  if (placed != inside) setGeometry(placed);
}

void Board::HideCommandBar() { setCommandBarVisible(false); }

void Board::ShowCommandBar() { setCommandBarVisible(true); }

// Hiding does not disable: the keys still reach the commands that are enabled.
void Board::setCommandBarVisible(bool visible) {
  for (Control* control : std::initializer_list<Control*>{&CmdAzze, &CmdRaccogli, &CmdImma, &CmdGriglia,
                                                          &CmdTarsio, &RC1, &RC2, &Righe, &Colonne, &Pezzi})
    control->setVisible(visible);
}

}  // namespace tarsio
