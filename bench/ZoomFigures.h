// The figures of the view, each measured on a real board with its pieces cut from the photo.
#pragma once

#include "PlayFigures.h"

namespace tarsio::bench {

// One Ctrl + wheel notch around zoom 4 over the grid, painted with the visible pieces' sharp pictures
// made, against one frame.
Row zoomStep(const Inputs& in, int rows, int columns, double target);
// One wheel notch of scrolling at zoom 4, painted, against one frame.
Row panStep(const Inputs& in, int rows, int columns, double target);
// One mouse move of a held piece at zoom 4, handled and painted, against one frame.
Row closeDragStep(const Inputs& in, int rows, int columns, double target);

}  // namespace tarsio::bench
