// The figures of the view, each measured on a real board with its pieces cut from the photo.
#pragma once

#include "PlayFigures.h"

namespace tarsio::bench {

// One Ctrl + wheel notch around zoom 4 over the grid, in and out by turns, painted at once with the
// pictures kept from the step before or else those of the old size stretched, against one frame; with
// `sharp`, the frame after it instead, where the visible pieces' missing sharp pictures are made and
// painted; with `fresh` as well, each step after a scroll that lets go of the pictures kept, as when a
// player zooms on in one direction.
Row zoomStep(const Inputs& in, int rows, int columns, double target, bool sharp = false, bool fresh = false);
// One wheel notch of scrolling at zoom 4, painted, against one frame.
Row panStep(const Inputs& in, int rows, int columns, double target);
// One mouse move of a held piece at zoom 4, handled and painted, against one frame.
Row closeDragStep(const Inputs& in, int rows, int columns, double target);

}  // namespace tarsio::bench
