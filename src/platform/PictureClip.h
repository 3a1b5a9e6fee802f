// A picture divided into rows x columns of cells that hands out the picture of cell k.
#pragma once

#include <QRect>
#include <functional>

#include "platform/Picture.h"

namespace tarsio {

class PictureClip {
 public:
  // Where cell k lies in the picture, in pixels; cells are numbered row by row from the top left.
  using CellRule = std::function<QRect(int k, int rows, int columns, QSize picture)>;

  void setPicture(const Picture& picture) { picture_ = picture; }
  const Picture& picture() const { return picture_; }
  void setGrid(int rows, int columns, CellRule rule);
  int Rows() const { return rows_; }
  int Cols() const { return columns_; }
  QRect cellRect(int k) const { return rule_(k, rows_, columns_, picture_.size()); }
  Picture GraphicCell(int k) const { return picture_.region(cellRect(k)); }
  void clear() { picture_ = Picture(); }

 private:
  Picture picture_;
  int rows_ = 0, columns_ = 0;
  CellRule rule_;
};

}  // namespace tarsio
