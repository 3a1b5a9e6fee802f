// A hidden work surface on which a picture is painted into the whole box, mirrored by negative extents.
#pragma once

#include "platform/Picture.h"

namespace tarsio {

class PictureBox {
 public:
  void Cls() { image_ = Picture(); }
  // Paints `picture` over the whole box with the signed extents `width` and `height` (twips); a
  // negative extent paints it mirrored along that axis, starting from the box's far edge.
  void PaintPicture(const Picture& picture, double width, double height) {
    image_ = picture.mirrored(width < 0, height < 0);
  }
  // What the box shows now.
  const Picture& Image() const { return image_; }

 private:
  Picture image_;
};

}  // namespace tarsio
