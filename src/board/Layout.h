// The board's layout rules: the largest picture shown, the fitting of a picture, the command rows.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSizeF>

namespace tarsio {

// Where the picture area sits on the board, twips.
inline constexpr double PictureLeft = 120;
inline constexpr double PictureTop = 240;

struct PictureLimits {
  int maxWidth;   // screen width / 2 - 150
  int maxHeight;  // screen height - 2400
};
// Rounded halves to even.
PictureLimits pictureLimits(QSizeF screenTwips);

struct PictureFit {
  double scale;       // divisor from natural to shown size: 1, or the larger of the two ratios
  double baseWidth;   // shown size at equal areas
  double baseHeight;
};
// Scales a picture of natural size (width, height) twips down to fit within the limits, keeping its
// proportions; a picture that fits is never enlarged. A limit is only exceeded when strictly greater.
PictureFit fitPicture(double width, double height, const PictureLimits& limits);

struct CommandRowTops {
  double label;   // the "Righe Colonne" label, 100 below the picture
  double first;   // picture, grid buttons and boxes
  double second;  // cut, gather and reset buttons
};
CommandRowTops commandRowTops(double pictureTop, double pictureHeight);

// The place of a window that is neither maximized nor full screen (`inside`, pixels, without the
// frame): made no larger than the screen's available area less the frame, and moved the least so that
// the window, frame and title bar included, lies within that area.
QRect windowOnScreen(const QRect& inside, const QMargins& frame, const QRect& available);

}  // namespace tarsio
