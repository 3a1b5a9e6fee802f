// The state of one game, owned by the board window: phase, picture, view, grid, pieces, drag.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace tarsio {

// The value of SelectedPiece when no piece is held; never a piece index.
inline constexpr int NoPiece = -1;

struct GameState {
  // 0 no picture, 1 picture shown, 2 grid drawn, 3 pieces made and played, 4 completed.
  int GamePhase = 0;

  // The chosen file and picture. PicturePath is the picture's path after a saved game is loaded.
  QString PicturePath;
  QString PictureBaseName;   // PicturePath up to, not including, its last "."
  QString PictureExtension;  // lower-case text after the last "."
  bool LoadingSavedGame = false;
  // The hidden name under which a completion set aside the saved game it came from, to be put back if
  // that completion is taken back; empty when none is set aside.
  QString RemovedSavedGame;
  double PictureWidth = 0, PictureHeight = 0;  // natural size of the picture, twips

  // The view: the largest picture shown, its size at equal areas and the steps that move size
  // between the picture area and the grid area.
  int MaxPictureWidth = 0, MaxPictureHeight = 0;
  double PictureBaseWidth = 0, PictureBaseHeight = 0;
  double AreaStepWidth = 0, AreaStepHeight = 0;
  int AreaLevel = 0;  // 0 equal areas, negative grid area enlarged, positive reduced

  // The grid. The counts are kept as the box texts they were read from too (a saved game stores the
  // text, so "03" stays "03").
  QString RowCountText, ColumnCountText;
  int RowCount = 0, ColumnCount = 0;
  int PieceCount = 0;
  double GridLeft = 0, GridTop = 0;
  double CellWidth = 0, CellHeight = 0;
  bool GridBeingCreated = false;

  // The pieces, one entry per piece plus one.
  int ScrambleKinds = 0;
  int ScrambleCode = 0;
  std::vector<int> StartCell;
  std::vector<int> Orientation;  // 0..3 face up turned that many quarter turns, 4..7 face down
  std::vector<bool> Docked;
  // The inputs of ShowPiece.
  int CurrentPiece = 0;
  int NewOrientation = 0;
  int RotatedIndex = 0;

  // Playing.
  int SelectedPiece = NoPiece;
  double DragLeft = 0, DragTop = 0;
  double PrevDragLeft = 0, PrevDragTop = 0;
  double GrabX = 0, GrabY = 0;
  double Corner1X = 0, Corner1Y = 0, Corner2X = 0, Corner2Y = 0;
  double Corner3X = 0, Corner3Y = 0, Corner4X = 0, Corner4Y = 0;
  long long CollectX = 0, CollectY = 0;
  // A right click turned the held piece in the hand: its release does not let the piece go.
  bool TurnedInHand = false;
};

}  // namespace tarsio
