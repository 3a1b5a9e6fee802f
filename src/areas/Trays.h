// Trays: framed areas of the board with a title, each holding loose pieces side by side in rows, and
// the rule that lays a tray out.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

#include "platform/ElementArray.h"
#include "platform/PanelElement.h"
#include "play/Groups.h"

namespace tarsio {

// Twips: the title band across a tray's top, the room around and between its pieces, and the least
// size of a tray's inside (an empty tray has it).
inline constexpr double TrayTitleHeight = 300;
inline constexpr double TrayGap = 60;
inline constexpr QSizeF TrayLeastInside{3000, 1500};

// A laid-out tray: its frame, and the top-left corner of each piece in the order given.
struct TrayShape {
  QRectF frame;
  std::vector<QPointF> places;
};
// The tray whose frame's top-left corner is `topLeft`, with the pieces of the given sizes (twips, in
// their orientations): below the title band, left to right in rows TrayGap apart, each row as tall as
// its tallest piece, none overlapping another. The rows are as wide as the square root of the count of
// the widest pieces (so the tray grows both ways), at least TrayLeastInside; the frame holds them all.
TrayShape layTray(QPointF topLeft, const std::vector<QSizeF>& sizes);

// The board's trays, numbered from 1 in the order they are made. A piece lies in at most one tray; the
// tray decides where its pieces (and blocks of them) lie, and lays them out again whenever its pieces change
// (call layOutChanged() after put, take or a change of their sizes). Nothing here knows the game's rules: the
// board decides which pieces may go in.
class Trays {
 public:
  Trays(BoardCanvas* canvas, ElementArray<ImageElement>& pieces);
  ~Trays();

  // Makes a tray titled `title` with its frame's top-left corner at `topLeft` (twips), holding
  // `pieces` in that order (each leaves the tray it was in), laid out. Gives the tray's number.
  int add(const QString& title, QPointF topLeft, const std::vector<int>& pieces = {});
  // Makes a removed tray again under its number, as add() would; its number must be free.
  void bringBack(int tray, const QString& title, QPointF topLeft, const std::vector<int>& pieces);
  // Removes a tray; its pieces, if any, lie loose where they are.
  void remove(int tray);
  void clear();

  std::vector<int> numbers() const;
  bool exists(int tray) const { return find(tray) != nullptr; }
  // The tray piece `piece` lies in, 0 for none.
  int trayOf(int piece) const;
  // The tray whose frame, or whose title band, holds the point; 0 for none.
  int trayAt(QPointF twips) const;
  int titleAt(QPointF twips) const;
  QRectF frame(int tray) const;
  const QString& title(int tray) const;
  void rename(int tray, const QString& title);
  const std::vector<int>& piecesOf(int tray) const;

  // Appends the pieces not yet in `tray` to it, in the order given (each leaves the tray it was in).
  void put(int tray, const std::vector<int>& pieces);
  // The tray's pieces that `order` holds go first, in that order, and the others after them.
  void reorder(int tray, const std::vector<int>& order);
  // Takes the pieces out of their trays, which close their gaps; the pieces stay where they lie.
  void take(const std::vector<int>& pieces);
  // Moves a tray and its pieces.
  void moveBy(int tray, QPointF by);
  // Lays out again every tray whose pieces changed since, or `all` of them (their pieces were resized).
  void layOutChanged(bool all = false);

  // The groups whose pieces (all in the same tray) lie in it as one block each, in their places
  // beside one another; none, every piece lies alone.
  const Groups* groups = nullptr;

  // The tray whose title the player holds (0 for none), and where the pointer was last.
  int held = 0;
  QPointF heldAt;

 private:
  struct Tray;
  Tray* find(int tray) const;
  void layOut(Tray& tray);

  BoardCanvas* canvas_;
  ElementArray<ImageElement>& pieces_;
  std::vector<std::unique_ptr<Tray>> trays_;
  std::vector<int> trayOf_;  // per piece
  int next_ = 1;
};

}  // namespace tarsio
