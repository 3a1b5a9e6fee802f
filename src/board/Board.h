// The board window: the game's state, its elements and every procedure of the game.
//
// One board, split by concern. The member functions are defined in the folder of their subsystem:
//   board/Board.cpp            window start, fitting the picture, hiding and showing the command bar
//   board/BoardDesign.cpp      the design: elements, buttons, boxes, menu tree
//   board/Commands.cpp         keys, bare-board mouse, menu dispatch, closing
//   board/ViewCommands.cpp     zooming in and out, the whole board
//   picture/PictureChoice.cpp  choosing and loading a picture
//   picture/Grid.cpp           choosing and drawing the grid
//   pieces/Cut.cpp             the cut and the deal
//   pieces/ShowPiece.cpp       drawing a piece in its orientation
//   pieces/ScrambleOptions.cpp the four scramble options
//   play/PieceHandling.cpp     pressing, dragging and releasing pieces
//   play/Docking.cpp           docking and completion
//   play/Reset.cpp             the reset
//   play/Undo.cpp              taking gestures on pieces back and doing them again
//   savegame/SaveLoad.cpp      saving and loading a game
//   areas/Collect.cpp          gathering the loose pieces
//   areas/AreaResize.cpp       moving size between the picture and the grid areas
//   areas/SpreadOut.cpp        laying the loose pieces side by side
//   windows/AuxWindows.cpp     the help and information windows
#pragma once

#include <QCoreApplication>
#include <QMainWindow>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <vector>

#include "board/GameState.h"
#include "pieces/Turn.h"
#include "platform/BoardCanvas.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ElementArray.h"
#include "platform/Menus.h"
#include "platform/PictureBox.h"
#include "platform/PictureClip.h"
#include "platform/Random.h"
#include "play/UndoHistory.h"

class QMenu;

namespace tarsio {

// What the board takes from outside: the dialogs, the random numbers, the screen, the work folder.
struct BoardSetup {
  Dialogs* dialogs = nullptr;
  Random* random = nullptr;
  QSizeF screen;       // twips; empty: the real screen
  QString workFolder;  // where the cut writes its bitmap files; empty: the per-user cache folder
};

class Board : public QMainWindow {
 public:
  explicit Board(const BoardSetup& setup);
  ~Board() override;

  GameState game;
  Dialogs& dialogs;
  Random& random;
  const QSizeF screen;  // twips
  const QString workFolder;

  // ---- The design (board/BoardDesign.cpp) ----
  BoardCanvas* const canvas;
  ImageElement ImaOrig;
  Picture CopiaImIni;  // the placeholder picture, taken back at start and on reset
  ImageElement ImaCompl;
  ElementArray<ImageElement> ImA;    // pieces 0..n-1 and the template 999
  ElementArray<ImageElement> Retro;  // back images 4..7, hidden
  ElementArray<LineElement> liO;     // horizontal grid lines, 0 the design element
  ElementArray<LineElement> Liv;     // vertical grid lines, 0 the design element
  LineElement liN, liE, liS, liOv;   // the frame around the held piece
  Label RC1, RC2;
  CommandButton CmdImma, CmdGriglia;
  TextBox Righe, Colonne;
  CommandButton CmdTarsio, CmdRaccogli, CmdAzze;
  MenuItem mFile, mImma, mSalva, mChiudi;
  MenuItem mVisual, mGrande, mPicco, mNorma;
  MenuItem mZoomPiu, mZoomMeno, mTavolo;  // the view: closer, farther, the whole board
  MenuItem mAzio, mGrig, mTarsio, mRaccogli, mAzze, mDisponi;
  MenuItem mScom, mSpos, mRuot, mRove, mTrasp;
  MenuItem mAiuto, mGuida, n0, n1, n2, n3, n4, mInfo;
  QMenu* visualMenu = nullptr;
  PictureClip PictureClip1, PictureClip2;  // upright and quarter-turned cells
  PictureBox pBox;

  // ---- Window start, layout (board/Board.cpp) ----
  void Form_Load();
  void FitPicture();
  void HideCommandBar();
  void ShowCommandBar();

  // ---- Commands, menus, keys (board/Commands.cpp) ----
  void Form_KeyPress(int keyAscii);
  void Form_MouseDown(const MouseArgs& args);
  void Form_MouseMove(const MouseArgs& args);
  void mChiudi_Click();

  // ---- Picture choice (picture/PictureChoice.cpp) ----
  QString LastFolder;
  void CmdImma_Click();
  // The picture command with its file already chosen outside the game (named on the command line,
  // dropped on the board): resets a grid or game as the command does, then chooses the file as if
  // it had been picked in the dialog.
  void OpenFromOutside(const QString& path);
  void ChoosePicture();
  // The file the player chose: a picture is shown, a saved game (".trs") resumed; one that cannot be
  // used gets "Immagine non valida". LastFolder and the current directory become the file's folder.
  void ChooseFile(const QString& path);
  QString ShowOpenDialog();
  // Shows a decoded picture fitted into the picture area (FitPicture), records its natural size in
  // PictureWidth and PictureHeight, and makes it the source of the pieces in PictureClip1.
  void showPicture(const Picture& picture);
  // The picture the last one shown replaced, let go once the board has painted the new one: while the
  // system takes a large photo's memory back, a paint that needs fresh memory would wait for it.
  Picture ReplacedPicture;

  // ---- Grid (picture/Grid.cpp) ----
  void CmdGriglia_Click();
  void DrawGrid();
  void RemoveGrid();
  void GridBox_Click();              // Righe_Click and Colonne_Click
  void GridBox_KeyPress(int& keyAscii);  // Righe_KeyPress and Colonne_KeyPress
  void mGrig_Click();

  // ---- Cut and deal (pieces/Cut.cpp), drawing a piece (pieces/ShowPiece.cpp) ----
  // Cuts the picture of ImaOrig along the grid into the pieces ImA(0 .. RowCount × ColumnCount − 1) and
  // deals them (a saved game: each piece at home with its saved orientation, no random number drawn).
  // Writes "temp.bmp" and "tempV.bmp" into workFolder, or the per-user cache folder when it is empty.
  void CmdTarsio_Click();
  // The quarter turn clockwise the cut makes of the picture, strip by strip as it writes the turned
  // bitmap file; a null result means a turned strip could not be made (no memory). Tests replace it to
  // reach that failure.
  std::function<QImage(const QImage&)> turnPicture = TurnBitmap;
  // Ends the program with an exit code after a failure of the cut that the game cannot go on from;
  // by default the event loop ends with that code. Tests replace it.
  std::function<void(int code)> endProgram = [](int code) { QCoreApplication::exit(code); };

  // Where ShowPiece leaves the piece. TurnBox: its box turns between upright and turned, and it moves so
  // that its centre stays (a quarter turn in play; an odd value dealt at the cut onto the upright box of
  // a new element). Stay: Left and Top are kept (a front/back turn, which keeps the box; an even value
  // dealt at the cut).
  enum class PiecePlace { Stay, TurnBox };
  // Draws piece CurrentPiece in orientation Orientation(CurrentPiece) (= NewOrientation), taking its
  // turned cell from RotatedIndex: picture, box, place, shown and enabled without a frame. When the
  // orientation is 0 in phase 3 it runs CheckCompletion.
  void ShowPiece(PiecePlace place);
  // Gives piece `index` orientation v and draws it: sets the inputs of ShowPiece and runs it.
  void drawInOrientation(int index, int v, PiecePlace place);
  // Each replaces the picture of ImA(CurrentPiece) by its mirror image in a box of the named shape.
  void MirrorLeftRightUpright();
  void MirrorLeftRightTurned();
  void MirrorTopBottomUpright();
  void MirrorTopBottomTurned();

  // ---- Scramble options (pieces/ScrambleOptions.cpp) ----
  // Each moves the check mark to its own option, or takes it away when the option carries it.
  void mSpos_Click();
  void mRuot_Click();
  void mRove_Click();
  void mTrasp_Click();
  // The option that carries the check mark: 1 mSpos, 2 mRuot, 3 mRove, 4 mTrasp; 0 when none does.
  int markedScrambleCode() const;

  // ---- Piece handling (play/PieceHandling.cpp), docking (play/Docking.cpp), reset (play/Reset.cpp) ----
  void ImA_MouseDown(int index, const MouseArgs& args);
  void ImA_MouseMove(int index, const MouseArgs& args);
  void ImA_MouseUp(int index, const MouseArgs& args);
  // Shows or hides the four lines of the frame around the held piece (liN, liE, liS, liOv).
  void setFrameVisible(bool visible);
  // Frees docked piece `index` where it lies: phase 3, "Completato !" hidden, gathering and saving on.
  void releaseDocked(int index);
  // Snaps piece `index` into its home cell when it has just been put (DragLeft, DragTop) close enough
  // to it, face up and upright, and then runs CheckCompletion.
  void DockingTest(int index);
  // Puts piece `index` into its home cell, docked, with saving on, and runs CheckCompletion.
  void dockPiece(int index);
  // When every piece is docked: phase 4, "Completato !" shown, gathering and saving off, and the
  // saved-game file the game was loaded from removed.
  void CheckCompletion();
  // Puts the board back as it was before any picture was chosen.
  void CmdAzze_Click();

  // ---- Taking gestures back and doing them again (play/Undo.cpp) ----
  // The gestures on pieces since the pieces were last made or rearranged (cut, reset, collecting).
  UndoHistory undoHistory;
  // Ctrl+Z takes the last gesture back, Ctrl+Y or Ctrl+Shift+Z does it again; when there is none, or a
  // piece is in the player's hand, nothing happens.
  void undoGesture();
  void redoGesture();
  PieceState pieceState(int index) const;
  // Gives piece `index` the place, orientation and docked state of `state` through the routines the
  // player's own gestures run, so that the phase, "Completato !" and the commands follow.
  void putPiece(int index, const PieceState& state);

  // ---- Saved games (savegame/SaveLoad.cpp) ----
  void mSalva_Click();
  // Loads the saved game named by PicturePath; false when the file or its picture cannot be used,
  // and then the board is exactly as it was.
  bool LoadSavedGame();

  // ---- Work areas (areas/Collect.cpp, areas/AreaResize.cpp) ----
  void CmdRaccogli_Click();
  // Clears the history of gestures and lets go of a held piece, before the loose pieces are moved.
  void beginMovingLoosePieces();
  void EnlargeGridArea();
  void ReduceGridArea();
  void RestoreEqualAreas();
  // Lays every loose piece side by side, in its orientation, over the free part of the board.
  void mDisponi_Click();
  // The free part of the board (twips): outside the picture, the grid and the shown command rows.
  std::vector<QRectF> freeRoom() const;

  // ---- Help and information windows (windows/AuxWindows.cpp) ----
  QStringList helpFolders;  // where the help file is looked for, in order; empty: the usual folders
  void mGuida_Click();
  void mInfo_Click();

 protected:
  // Sees every typed key before the focused control of the board.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The picture command's first steps, before a file is chosen.
  void beginPictureChoice();
  void createControls();
  void createMenus();
  void createUndoKeys();
  void createViewCommands(QMenu* menu);
  void createSpreadCommand(QMenu* actions);
  void setCommandBarVisible(bool visible);
};

}  // namespace tarsio
