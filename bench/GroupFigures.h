// The figures of many pieces at once, each measured on a real board with its pieces cut from the photo.
#pragma once

#include "Figures.h"

namespace tarsio::bench {

// One mouse move of `selected` spread-out selected pieces carried together, handled and painted,
// against one frame.
Row groupDragStep(const Inputs& in, int rows, int columns, int selected, double target);
// One mouse move of a group of `blockRows` x `blockColumns` joined pieces, handled and painted, against
// one frame.
Row joinedDragStep(const Inputs& in, int rows, int columns, int blockRows, int blockColumns, double target);
// A piece put down beside such a group joining it, not painted, against one frame.
Row joinAtDrop(const Inputs& in, int rows, int columns, int blockRows, int blockColumns, double target);
// "Smista per &colore" of every loose piece, painted, against one frame.
Row colourSort(const Inputs& in, int rows, int columns, double target);
// Ctrl+A, then Ctrl + click on a selected piece turning every piece, painted, against one frame.
Row selectionTurn(const Inputs& in, int rows, int columns, double target);
// A tray of `count` pieces laid out again as one leaves it or joins it, painted, against one frame.
Row trayLayout(const Inputs& in, int rows, int columns, int count, double target);
// Ctrl+Z after "&Disponi", painted, against "&Disponi" itself.
Row spreadTakenBack(const Inputs& in, int rows, int columns, double target);

}  // namespace tarsio::bench
