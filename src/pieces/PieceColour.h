// The colour of each piece: the mean and the spread of its cell in the OKLab colour space.
#pragma once

#include <QImage>
#include <QSize>
#include <vector>

#include "platform/Picture.h"

namespace tarsio {

// A colour in OKLab, where equal distances look about equally different: L the lightness, 0 black to
// 1 white; a from green to red and b from blue to yellow, about -0.4 to 0.4.
struct Lab {
  float L = 0;
  float a = 0;
  float b = 0;
};

// The OKLab colour of an sRGB colour, 0 to 255 a channel.
Lab oklab(int red, int green, int blue);
// How different two colours look: their distance in OKLab (about 0.02 is the least the eye sees).
float labDistance(const Lab& x, const Lab& y);

// The colour of a piece: the mean of its pixels in OKLab and their spread, the root of their mean
// squared distance from that mean.
struct PieceColour {
  Lab mean;
  float spread = 0;
};

// The colours of the cells of `image` cut into rows × columns cells as the pieces are (uprightCellRect),
// in cell order, from one pass over its rows. Fully transparent pixels do not count; a cell with no
// pixel to count takes the colour of the pixel at its centre. rows, columns ≥ 1.
std::vector<PieceColour> cellColours(const QImage& image, int rows, int columns);

// The reduced copy of a picture of `pixels` size that the colours of its rows × columns pieces are
// measured on (the level of SourceImage): the smallest that still gives a cell 16 pixels on average and
// is at least a pixel per row and column. It depends only on the size and the grid, so a game resumed
// measures the same colours as the cut it came from.
int colourLevel(QSize pixels, int rows, int columns);

// The steps of "the pieces like this one", each wider than the one before.
inline constexpr int LikeSteps = 4;

// How close to `reference` (OKLab distance) a piece of `candidates` (indices into `colours`) looks
// like it at `step` (1 to LikeSteps): the distance of the farthest of the closest 5 %, 10 %, 20 % or
// 40 % of the candidates, rounded up, at least one; 0 with no candidate.
float likeLimit(const std::vector<PieceColour>& colours, const std::vector<int>& candidates,
                const Lab& reference, int step);

// The colours of the pieces of a game. The cut names the picture and the grid; the colours are
// measured from them the first time one is asked for, so a cut that never sorts by colour pays nothing
// for it, and a game resumed from the same picture and grid has the same colours.
class PieceColours {
 public:
  // The pieces of `picture` (one that shows its whole decoded image) cut into rows × columns, measured
  // on its reduced copy of colourLevel.
  void measure(const Picture& picture, int rows, int columns);
  void clear();
  const std::vector<PieceColour>& all() const;
  const PieceColour& operator[](int piece) const { return all()[piece]; }

 private:
  Picture picture_;
  int rows_ = 0, columns_ = 0;
  mutable std::vector<PieceColour> colours_;  // empty until asked for
};

}  // namespace tarsio
