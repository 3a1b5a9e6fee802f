// The board window: the game's state, its elements and every procedure of the game.
//
// One board, split by concern. The member functions are defined in the folder of their subsystem:
//   board/Board.cpp            window start, fitting the picture, hiding and showing the command bar
//   board/BoardDesign.cpp      the design: elements, buttons, boxes, menu tree
//   board/Commands.cpp         keys, bare-board mouse, menu dispatch, closing
//   board/ViewCommands.cpp     zooming in and out, the whole board
//   board/TableLook.cpp        the table as the player likes it: colour, faint picture, full screen, sounds
//   picture/PictureChoice.cpp  choosing and loading a picture
//   picture/Grid.cpp           choosing and drawing the grid
//   pieces/Cut.cpp             the cut and the deal
//   pieces/ShowPiece.cpp       drawing a piece in its orientation
//   pieces/ScrambleOptions.cpp the four scramble options
//   play/PieceHandling.cpp     pressing, dragging and releasing pieces
//   play/Docking.cpp           docking and completion
//   play/Reset.cpp             the reset
//   play/Undo.cpp              taking gestures on pieces back and doing them again
//   play/GroupHandling.cpp     selecting many pieces, moving and turning them together
//   play/Joining.cpp           right neighbours that join into groups
//   play/PlayAids.cpp          play aids: count and time in the title, border pieces, hint, signs
//   savegame/SaveLoad.cpp      saving and loading a game
//   savegame/KeepGame.cpp      the game in progress kept on disk, offered back at the next start
//   savegame/BestTimes.cpp     the records of completed games and the best times
//   savegame/ShelfCommands.cpp the shelf of kept games, taking one up, their small pictures
//   areas/Collect.cpp          gathering the loose pieces
//   areas/AreaResize.cpp       moving size between the picture and the grid areas
//   areas/SpreadOut.cpp        laying the loose pieces side by side
//   areas/TrayCommands.cpp     trays to sort pieces into
//   areas/ColourSort.cpp       sorting the loose pieces into trays by colour
//   windows/AuxWindows.cpp     the help and information windows
#pragma once

#include <QMainWindow>
#include <QRectF>
#include <QSizeF>
#include <QTimer>
#include <array>
#include <functional>
#include <vector>

#include "areas/Trays.h"
#include "board/GameState.h"
#include "board/Preferences.h"
#include "picture/FirstSight.h"
#include "platform/Background.h"
#include "platform/BoardCanvas.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/ElementArray.h"
#include "platform/MarkElement.h"
#include "platform/Menus.h"
#include "platform/PictureBox.h"
#include "platform/PictureClip.h"
#include "platform/Random.h"
#include "platform/Sounds.h"
#include "play/DragLimits.h"
#include "play/Groups.h"
#include "pieces/PieceColour.h"
#include "play/PlayTime.h"
#include "play/Selection.h"
#include "play/UndoHistory.h"
#include "savegame/BoardSketch.h"
#include "savegame/GameKeeper.h"
#include "savegame/KeptGame.h"
#include "savegame/Records.h"
#include "savegame/Shelf.h"

class QMenu;

namespace tarsio {

// What the board takes from outside: the dialogs, the random numbers, the screen, the clock.
struct BoardSetup {
  Dialogs* dialogs = nullptr;
  Random* random = nullptr;
  QSizeF screen;        // twips; empty: the real screen
  Clock clock;          // empty: the system's steady clock
  QString stateFolder;  // where the game in progress is kept; empty: the per-user state folder
  QString configFolder;  // where the player's choices are kept; empty: the per-user configuration folder
};

// The board window's own caption; while pieces exist the title goes on with the game's progress.
inline constexpr char BoardCaption[] = "  Varnelli - Tarsio mania ...!";

class Board : public QMainWindow {
 public:
  explicit Board(const BoardSetup& setup);
  ~Board() override;

  GameState game;
  Dialogs& dialogs;
  Random& random;
  const QSizeF screen;  // twips

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
  ComboBox Pezzi;  // suggested grids, by the count of pieces
  CommandButton CmdTarsio, CmdRaccogli, CmdAzze;
  MenuItem mFile, mImma, mSalva, mSalvaNome, mChiudi;
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
  // dropped on the board): the file is chosen as if it had been picked in the dialog, and only once it
  // is found good does a grid or game go (a game in progress only if the player agrees).
  void OpenFromOutside(const QString& path);
  void ChoosePicture();
  // The file the player chose: a picture is shown, a saved game (".trs") resumed; one that cannot be
  // used gets "Immagine non valida" and leaves the board as it was. LastFolder and the current
  // directory become the file's folder.
  void ChooseFile(const QString& path);
  // "Immagine non valida", naming the refused file on a second line.
  void refusePicture(const QString& file);
  QString ShowOpenDialog();
  // Shows a decoded picture fitted into the picture area (FitPicture), records its natural size in
  // PictureWidth and PictureHeight, and makes it the source of the pieces in PictureClip1.
  void showPicture(const Picture& picture);
  // A large JPEG is shown at once from a reduced decode while its full decode runs on a worker thread
  // (picture/FullPicture.cpp); firstSight is set while the full picture is on its way.
  Background<Picture> fullDecode;
  std::unique_ptr<FirstSight> firstSight;
  // Whether the picture shown has all its pixels: the full decode is waited for when it has not ended
  // (the pointer busy past a frame). False when it failed: "Immagine non valida", and the board is back
  // as it was before the picture was chosen.
  bool needFullPicture();
  // Puts the full picture the worker made on the board in place of its first sight; a null picture (the
  // decode failed) is refused as needFullPicture says. Whether the full picture is on the board.
  bool fullPictureArrived(const Picture& full);
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
  // Fills the boxes with the grid of about `pieces` pieces whose cells are nearest to square, as if
  // the player had clicked into a box and typed it.
  void Pezzi_Click(int pieces);
  // Fills "Pezzi" with the counts of pieces the picture shown can be cut into.
  void offerPieceCounts();

  // ---- Cut and deal (pieces/Cut.cpp), drawing a piece (pieces/ShowPiece.cpp) ----
  // Cuts the picture of ImaOrig along the grid into the pieces ImA(0 .. RowCount × ColumnCount − 1) and
  // deals them (a saved game: each piece at home with its saved orientation, no random number drawn).
  // The pieces show parts of the decoded picture itself: the cut copies no pixel and writes no file.
  void CmdTarsio_Click();

  // Where ShowPiece leaves the piece. TurnBox: its box turns between upright and turned, and it moves so
  // that its centre stays (a quarter turn in play; an odd value dealt at the cut onto the upright box of
  // a new element). Stay: Left and Top are kept (a front/back turn, which keeps the box; an even value
  // dealt at the cut).
  enum class PiecePlace { Stay, TurnBox };
  // Draws piece CurrentPiece in orientation Orientation(CurrentPiece) (= NewOrientation), taking its
  // turned cell from RotatedIndex: picture, box, place, shown (unless "Solo i &bordi" keeps it out of
  // sight) and enabled without a frame. When the
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
  // Marks the option of the code and unmarks the others; a code outside 1 to 4 changes no mark.
  void markScrambleOption(int code);

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
  // When every piece is docked: phase 4, "Completato !" shown with the game's times beside it,
  // gathering and saving off, the game recorded, and the saved-game file it was loaded from set aside
  // out of sight.
  void CheckCompletion();
  // Puts back, as it was, the saved game the last completion set aside, when it set one aside.
  void restoreRemovedSavedGame();
  // Removes for good the saved game a completion set aside (at the next cut, at the end of the run).
  void dropRemovedSavedGame();
  // Puts the board back as it was before any picture was chosen.
  void CmdAzze_Click();

  // ---- Taking gestures back and doing them again (play/Undo.cpp) ----
  // The gestures and the commands that moved many pieces, since the last cut, reset or area step.
  UndoHistory undoHistory{[this](int index) { return pieceState(index); },
                          [this](int tray) { return trays.piecesOf(tray); }};
  // Ctrl+Z takes the last gesture back, Ctrl+Y or Ctrl+Shift+Z does it again; when there is none, or a
  // piece is in the player's hand, nothing happens.
  void undoGesture();
  void redoGesture();
  PieceState pieceState(int index) const;
  // Gives piece `index` the place, orientation and docked state of `state` through the routines the
  // player's own gestures run, so that the phase, "Completato !" and the commands follow.
  void putPiece(int index, const PieceState& state);

  // ---- Many pieces at once (play/GroupHandling.cpp) ----
  // Shift + drag on the bare board, Ctrl + Shift + click and Ctrl+A select loose pieces in sight; a
  // selected piece dragged or turned moves or turns them all. "Sco&pri" turns every selected piece face
  // up, "&Raddrizza" upright on its face.
  Selection selection{canvas, ImA};
  MenuItem mScopri, mRaddrizza;
  void selectAll();
  void endSelection();
  void Form_MouseUp(const MouseArgs& args);
  void mScopri_Click();
  void mRaddrizza_Click();
  // The pieces a press on piece `index` moves: the selection when the piece is in it, else the piece,
  // each with the group it is joined to; Carried holds them from the press to the release.
  std::vector<int> handOf(int index) const;
  std::vector<int> Carried;
  // The held piece (with the selection it is in) turns about the pointer without being let go: a
  // quarter turn per notch of the wheel, clockwise forward; a right click turns it front to back.
  void turnInHand(int quarterTurns);
  void flipInHand();
  // Gives the pieces of `hand` the orientation `turn` makes of theirs, a turn on the face or between
  // front and back: a piece alone turns about its own centre, a group as one block, so that it stays
  // joined, about piece `pivot` when it holds it, else about the middle of its pieces.
  void turnHand(const std::vector<int>& hand, int pivot, int (*turn)(int));
  // What a dragged piece's new place is checked against.
  DragSurroundings dragSurroundings() const;

  // ---- Pieces that join (play/Joining.cpp) ----
  // "Pezzi che si &uniscono": loose right neighbours put down beside each other, face up and upright,
  // snap together into a group that moves and docks as one and is drawn with a thin common outline.
  Groups groups;
  EdgeElement groupOutline{canvas, Qt::black};
  MenuItem mUniscono;
  void mUniscono_Click();
  // After the pieces `hand` were put down: they snap beside the right neighbours near them and join.
  void joinAfterDrop(const std::vector<int>& hand);
  void takeOutOfGroup(int index);
  int groupLabel(int index) const;
  // Gives the pieces of the step the groups they had before it (or after it); the outline follows.
  void restoreGroups(const Gesture& gesture, bool after);
  // The outline is worked out again when groups change or turn; a drag only moves it.
  void refreshGroupOutline();
  void followGroupOutline();

  // ---- Saved games (savegame/SaveLoad.cpp) ----
  void mSalva_Click();
  // "Salva con &nome…": saves the game in progress under its usual name in a folder the player chooses.
  void mSalvaNome_Click();
  // What became of a file chosen to be opened: opened; refused, as it cannot be used; or not opened,
  // as the player kept the game in progress. Unless opened, the board is exactly as it was.
  enum class OpenResult { Opened, Refused, GameKept };
  // Loads the saved game in `file`. A picture found neither at its stored path nor beside the saved
  // game is named in `missingPicture`, when given.
  OpenResult LoadSavedGame(const QString& file, QString* missingPicture = nullptr);
  // The game on the board as a saved game holds it.
  SavedGame savedGame() const;
  // Puts the saved game on the board, the loose pieces gathered, once the player agrees to leave a
  // game in progress for `file` (the saved game's file, or its picture for a game that came from none).
  OpenResult resumeSavedGame(const SavedGame& saved, const QString& file);

  // ---- The game in progress kept on disk (savegame/KeepGame.cpp) ----
  // Told of every input of the player, whose gestures and commands change the game; writes the game
  // in phase 3 to this copy's file.
  GameKeeper keeper;
  // The game that the last reset (or a new picture) ended: Ctrl+Z brings it back until the next cut.
  std::optional<KeptGame> endedGame;
  KeptGame keptGame() const;
  // After the splash: offers the game a previous run left, if there is one.
  void offerKeptGame();
  // Puts a kept game on the board as it was; false, after telling the player, when its picture is
  // missing or cannot be used, and then the board is as it was.
  bool resumeKeptGame(const KeptGame& kept);

  // ---- The shelf of kept games (savegame/ShelfCommands.cpp) ----
  // Every game in progress stays kept until it ends; "Partite in &corso" (Ctrl+O) lists them.
  MenuItem mPartite;
  SketchMaker sketches;  // the small picture of the game kept now, drawn off this thread
  QTimer sketchTimer;
  // The small pictures the shelf wants while it is open: the board's own, and those it could not read.
  SketchQueue shelfSketches;
  // The games the shelf lists: the one on the board first, then the kept ones, the latest first.
  std::vector<ShelfGame> shelfGames();
  void mPartite_Click();
  // Takes up the game kept in `file`, the game in progress staying on the shelf once the player
  // agrees; false, after telling the player why, when it cannot be.
  bool takeUpKeptGame(const QString& file);
  // Before a fresh cut: a kept game of the same picture and grid is offered instead; true when taken up.
  bool offerSameKeptGame();
  // The small picture of the board is drawn a few seconds after a change, or at once.
  void sketchLater();
  void sketchNow();
  // The game is over: its kept file and its small picture go.
  void forgetKeptGame();

  // ---- Best times (savegame/BestTimes.cpp) ----
  // Every game completed, once per cut, in the records file of the state folder.
  RecordBook records;
  bool GameRecorded = false;
  // This game's time and hints and the best time for its picture and grid, beside "Completato !".
  Label RecordText;
  MenuItem mRecord;
  // At completion: the game is recorded the first time, and the times are shown beside "Completato !".
  void recordCompletion();
  // The records, read the first time they are needed; a damaged file is set aside and the player told.
  const std::vector<GameRecord>& openRecords();
  // "&Record": every picture and grid with its games, best first.
  void mRecord_Click();

  // ---- Work areas (areas/Collect.cpp, areas/AreaResize.cpp) ----
  // `ownStep`: the gathering is a step of the history of its own, not part of the one open.
  void CmdRaccogli_Click(bool ownStep = true);
  // Before the loose pieces `loose` are moved: the selection ends, a held piece is let go, and a step
  // of the history opens, which the command closes once they lie in their new places.
  void beginMovingLoosePieces(const std::vector<int>& loose);
  // The menu item is enabled exactly while gathering is, from now on.
  void enableWithGathering(MenuItem& item);
  void EnlargeGridArea();
  void ReduceGridArea();
  void RestoreEqualAreas();
  // Puts the border between the areas at `level`, the grid and the pieces following their cells.
  void setAreas(int level);
  // Lays every loose piece side by side, in its orientation, over the free part of the board.
  void mDisponi_Click();
  // The free part of the board (twips): outside the picture, the grid and the shown command rows.
  std::vector<QRectF> freeRoom() const;

  // ---- Trays (areas/TrayCommands.cpp) ----
  // "Nuovo &vassoio" puts an empty tray on the free board; its title moves it, renames it (a double
  // click) and offers "Svuota" and "Elimina" (a right click).
  Trays trays{canvas, ImA};
  MenuItem mVassoio;
  void mVassoio_Click();
  // The loose ones of `pieces`, put down at `at` (twips), go into the tray there or out of theirs.
  void dropPieces(const std::vector<int>& pieces, QPointF at);
  // A press, move or release of the bare board on a tray's title; false when it is no tray's.
  bool trayTitleMouse(MouseAction action, const MouseArgs& args);
  // "Smista per &colore" (areas/ColourSort.cpp): the loose pieces outside trays go into new trays of
  // similar colour, named after it, from dark to light, neighbouring colours side by side.
  MenuItem mSmista;
  void mSmista_Click();

  // ---- Play aids (play/PlayAids.cpp) ----
  // The title tells how many pieces are in place and how long the game has been played; "Solo i
  // &bordi" shows only the loose pieces whose home is on the grid's outer ring; "&Nascondi immagine"
  // leaves the picture area bare; the key C outlines the held piece's home cell for a second; a cell
  // lights up for a moment when its piece docks or is freed.
  const Clock clock;
  // Counted from the cut; elapsed() is the plain value a game in progress keeps to come back with.
  PlayTime playTime;
  int HintCount = 0;  // hints asked for since the cut
  MenuItem mBordi, mNascondi;
  MarkElement hintMark{canvas};
  MarkElement dockMark{canvas};
  QTimer hintTimer, dockTimer, titleTimer;
  void mBordi_Click();
  void mNascondi_Click();
  // "Solo i simi&li": only the loose pieces whose colour is like that of the held piece, or of the one
  // the pointer is (or was last) over; L while checked widens the likeness a step, and after the widest
  // step shows every piece again.
  MenuItem mSimili;
  PieceColours colours;  // of the pieces of the last cut
  struct Likeness {
    int step = 0;
    Lab reference;
    float limit = 0;  // the OKLab distance from the reference within which a piece is like it
  } likeness;
  int PointerPiece = NoPiece;  // the piece the pointer is or was last over
  void mSimili_Click();
  void showLikePieces(int step);
  // Outlines the home cell of the held piece, and says so when the piece is turned or face down;
  // nothing when no piece is held.
  void showHint();
  // Whether piece `index` is to be on the screen: docked, or loose and kept out of sight neither by
  // "Solo i &bordi" nor by "Solo i simi&li".
  bool pieceShown(int index) const;
  // After the cut (fresh or resumed): the count and the time start, "Solo i &bordi" is offered.
  void startPlayAids();
  // After the reset: the title is the caption alone, the views are unchecked, the filters are off.
  void stopPlayAids();
  // A new picture is shown: "&Nascondi immagine" is unchecked.
  void showPictureAgain();
  // Piece `index` has docked or been freed: its cell lights up and the count follows. A docked piece
  // is in sight; a freed piece off the ring goes out of sight while "Solo i &bordi" is checked.
  void pieceDocked(int index);
  void pieceFreed(int index);
  // The caption, then while pieces exist how many are in place, the time and the hints used.
  void refreshTitle();
  // Input to the board window is the player acting; the window's activation starts or stops the time.
  void followPlayer(QObject* watched, QEvent* event);

  // ---- The table as the player likes it (board/TableLook.cpp) ----
  // "Immagine sotto la &griglia" shows the picture faintly under the grid, "Colore del &tavolo"
  // colours the table, F11 switches full screen, "&Suoni" plays a click when a piece docks or is freed
  // and a chord at completion; every choice is kept in `preferences` and read back at the next start.
  Preferences preferences;
  Sounds sounds;
  ImageElement ImaSotto{canvas, Layer::Picture};  // the faint picture over the grid's cells
  MenuItem mSotto, mColore, mSuoni;
  std::array<MenuItem, 4> mColori;  // the table's colours: as the window's, dark grey, green, blue
  void mSotto_Click();
  void mSuoni_Click();
  void chooseTableColour(int choice);
  void switchFullScreen();
  // Shows the board window maximized, or full screen when the player left it so.
  void showAtStart();
  // Shows the faint picture over the grid while it is checked and a grid is drawn.
  void placeFaintPicture();

  // ---- Help and information windows (windows/AuxWindows.cpp) ----
  QStringList helpFolders;  // where the help file is looked for, in order; empty: the usual folders
  void mGuida_Click();
  void mInfo_Click();

 protected:
  // Sees every typed key before the focused control of the board.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A window taken out of maximized keeps to the screen's available area, its title bar on it.
  void changeEvent(QEvent* event) override;
  // Moves and shrinks the window, when it is neither maximized nor full screen, to lie on the screen.
  void keepNormalWindowOnScreen();
  bool placingNormalWindow = false;  // the window has just been taken out of maximized

 private:
  // Shows the decoded picture (reduced by 2^level from the checked file, whose full decode then
  // starts) with the commands of a chosen picture.
  void showChosenPicture(const QImage& image, std::unique_ptr<FirstSight> sight);
  // Starts the full decode of the first sight, unless there is none or it has started.
  void startFullDecode();
  void enableGridChoice();
  // The picture command's first steps, before a file is chosen.
  void beginPictureChoice();
  // Once a chosen file is known to be good: asks whether to leave a game in progress for it (false
  // when the player keeps the game), then runs the picture command's first steps (a grid or game goes)
  // and makes `file` the board's file (PicturePath, its base name and extension).
  bool makeRoomForFile(const QString& file);
  void createControls();
  void createMenus();
  void createUndoKeys();
  void createGroupCommands(QMenu* actions);
  void createTrayCommands(QMenu* actions);
  void createSortCommand(QMenu* actions);
  // The selection carried moves as a whole or not at all; put down, its pieces near home dock.
  void moveGroup(int index, const MouseArgs& args);
  void putGroupDown(const std::vector<int>& hand);
  void createPlayAids();
  void createViewCommands(QMenu* menu);
  void createSpreadCommand(QMenu* actions);
  void createTableLook(QMenu* menu);
  void applyPreferences();
  void setCommandBarVisible(bool visible);
  // Saves the game to `fileName` and says so; a failure is told, offering another folder when the
  // file's folder or disk took no file.
  void saveGameIn(const QString& fileName);
  // The game in phase 3 for its kept file; nothing in any other phase, while a piece is in the
  // player's hand, or for a path that the file could not hold.
  std::optional<KeptGame> keptGameNow() const;
  // Ctrl+Z with no gesture to take back: the game the last reset ended comes back.
  void bringBackEndedGame();
  // The kept file could not be written: the player is told, and saves the game to be sure of it.
  void keptGameNotWritten(const QString& file, const QString& reason);
};

}  // namespace tarsio
