// Picture cells.
#include "platform/PictureClip.h"

namespace tarsio {

void PictureClip::setGrid(int rows, int columns, CellRule rule) {
  rows_ = rows;
  columns_ = columns;
  rule_ = std::move(rule);
}

}  // namespace tarsio
