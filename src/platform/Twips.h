// Twips, the unit of every position and size on the board: 1440 per inch, 15 per pixel at 96 dpi.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <cmath>

namespace tarsio {

inline constexpr double TwipsPerPixel = 15.0;

// A measurement turned into a whole number: nearest integer, halves to the even neighbour.
inline long long roundHalfEven(double value) { return std::llrint(value); }

inline double pixelsToTwips(double pixels) { return pixels * TwipsPerPixel; }
inline double twipsToPixels(double twips) { return twips / TwipsPerPixel; }

// The device-pixel rectangle that an element at (left, top) of size (width, height) twips covers:
// each edge goes to the nearest pixel, so neighbouring elements share their edges exactly.
inline QRect twipsToPixelRect(double left, double top, double width, double height) {
  const int x1 = static_cast<int>(std::lround(left / TwipsPerPixel));
  const int y1 = static_cast<int>(std::lround(top / TwipsPerPixel));
  const int x2 = static_cast<int>(std::lround((left + width) / TwipsPerPixel));
  const int y2 = static_cast<int>(std::lround((top + height) / TwipsPerPixel));
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

// The device pixel nearest to a point in twips.
inline QPoint twipsToPixelPoint(double x, double y) {
  return QPoint(static_cast<int>(std::lround(x / TwipsPerPixel)), static_cast<int>(std::lround(y / TwipsPerPixel)));
}

// The screen's size in twips (the primary screen's full geometry).
QSizeF screenSizeTwips();
// The primary screen's size in device pixels, the most of a picture it can show at once.
QSize screenDevicePixels();

}  // namespace tarsio
