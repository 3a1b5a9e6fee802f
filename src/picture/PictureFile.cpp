// Reading picture files.
#include "picture/PictureFile.h"

#include <QImageReader>

namespace tarsio {

std::optional<QImage> readPicture(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaxPicturePixels)
    return std::nullopt;
  // Qt refuses images over 128 MB unless told otherwise; the header check above bounds what we allow.
  QImageReader::setAllocationLimit(static_cast<int>(MaxPicturePixels * 4 / (1024 * 1024)) + 64);
  QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace tarsio
