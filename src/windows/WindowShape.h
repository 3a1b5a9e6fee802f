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

// The picture with its pure white pixels (same rule as above) fully transparent and every other pixel
// opaque with its own colour, as Format_ARGB32_Premultiplied. A null picture gives a null image.
QImage pictureWithoutWhite(const QImage& picture);

// How a window gets the outline of its picture. Under X11 a window is cut to its mask; a Wayland
// compositor takes the mask only as the part of the window that receives input, so there the window
// must also be translucent and its white pixels transparent.
enum class Outline { Mask, MaskAndTransparency };

// The way the running platform needs: MaskAndTransparency on Wayland, Mask elsewhere.
Outline platformOutline();

// Gives the window the outline of its picture, drawn from the window's top-left corner: the window's
// mask becomes regionWithoutWhite(picture), in the window's pixels; with MaskAndTransparency the window
// is made translucent as well. Call it before the window is first shown. Returns the picture the window
// must paint: the picture itself, or pictureWithoutWhite(picture) with MaskAndTransparency.
QImage ShapeWindowFromPicture(QWidget& window, const QImage& picture, Outline outline);

}  // namespace tarsio
