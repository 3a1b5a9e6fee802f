// The figures of the benchmark, each measured on a real board against its floor.
#pragma once

#include <QString>

#include "Harness.h"

namespace tarsio::bench {

// What every figure works on: the photo.
struct Inputs {
  QString photo;
};

// The floor of everything that starts from the file: Qt's image reader decoding it, nothing else;
// milliseconds.
double plainDecode(const QString& path);

// The picture command on the photo (decode, fit, shown), against a plain decode of the file.
Row choosePicture(const Inputs& in);
// The cut of the photo into rows x columns pieces, the first repaint included,
// against a plain decode of the file.
Row cutPieces(const Inputs& in, int rows, int columns, double target, int runs = 5);

}  // namespace tarsio::bench
