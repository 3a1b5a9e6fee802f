// The board's layout rules.
#include "board/Layout.h"

#include <algorithm>

#include "platform/Twips.h"

namespace tarsio {

PictureLimits pictureLimits(QSizeF screenTwips) {
  return {static_cast<int>(roundHalfEven(screenTwips.width() / 2 - 150)),
          static_cast<int>(roundHalfEven(screenTwips.height() - 2400))};
}

PictureFit fitPicture(double width, double height, const PictureLimits& limits) {
  double scale = 1;
  if (width > limits.maxWidth || height > limits.maxHeight) {
    const double widthRatio = width / limits.maxWidth;
    const double heightRatio = height / limits.maxHeight;
    scale = heightRatio > widthRatio ? heightRatio : widthRatio;
  }
  return {scale, width / scale, height / scale};
}

CommandRowTops commandRowTops(double pictureTop, double pictureHeight) {
  const double label = pictureTop + pictureHeight + 100;
  return {label, label + 240, label + 720};
}

QRect windowOnScreen(const QRect& inside, const QMargins& frame, const QRect& available) {
  const QRect room = available.marginsRemoved(frame);
  QRect placed(inside.topLeft(), inside.size().boundedTo(room.size()));
  placed.moveTo(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()),
                std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
  return placed;
}

}  // namespace tarsio
