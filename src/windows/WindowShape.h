// The outline of a window that follows its picture: everything but the pure white pixels.
#pragma once

#include <QImage>
#include <QRegion>

namespace tarsio {

// The picture's rectangle (0, 0, width, height), in pixels, without its pure white pixels (RGB 255, 255,
// 255; near-white and every other colour stay in the region; alpha is ignored). A null picture gives an
// empty region.
QRegion regionWithoutWhite(const QImage& picture);

}  // namespace tarsio
