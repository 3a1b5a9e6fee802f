// The tests' own quarter turn of a whole picture, made pixel by pixel, to check what the pieces show.
#pragma once

#include <QImage>

namespace tarsio {

// The picture turned a quarter turn clockwise. A W × H picture gives an H × W one whose pixel (x, y) is
// the picture's pixel (y, H − 1 − x): the top row becomes the right column, the turned top-left pixel is
// the picture's bottom-left pixel. Format_RGB32 and Format_ARGB32_Premultiplied pictures keep their
// format; any other format is converted to Format_RGB32 first. A null picture gives a null picture.
QImage TurnBitmap(const QImage& picture);

}  // namespace tarsio
