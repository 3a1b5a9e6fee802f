// The outline of a window that follows its picture: everything but the pure white pixels.
#pragma once

#include <QImage>
#include <QRegion>

class QWidget;

namespace tarsio {

// The picture's rectangle (0, 0, width, height), in pixels, without its pure white pixels (RGB 255, 255,
// 255; near-white and every other colour stay in the region; alpha is ignored). A null picture gives an
// empty region.
QRegion regionWithoutWhite(const QImage& picture);

// Gives the window the outline of its picture, drawn from the window's top-left corner: the window's
// mask becomes regionWithoutWhite(picture), in the window's pixels.
void ShapeWindowFromPicture(QWidget& window, const QImage& picture);

}  // namespace tarsio
