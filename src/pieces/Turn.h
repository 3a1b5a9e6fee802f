// The quarter turn clockwise of a whole picture, as the cut needs it for pieces of an odd orientation.
#pragma once

#include <QImage>

namespace tarsio {

// The picture turned a quarter turn clockwise. A W × H picture gives an H × W one whose pixel (x, y) is
// the picture's pixel (y, H − 1 − x): the top row becomes the right column, the turned top-left pixel is
// the picture's bottom-left pixel. Format_RGB32 and Format_ARGB32_Premultiplied pictures keep their
// format; any other format is converted to Format_RGB32 first. A null picture gives a null picture, and
// so does a picture whose turned copy cannot be allocated.
QImage TurnBitmap(const QImage& picture);

}  // namespace tarsio
