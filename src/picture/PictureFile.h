// Reading a picture file (BMP, GIF, JPEG, PNG, WebP, TIFF) at its natural size, upright as its camera
// meant it.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace tarsio {

// The largest picture the game opens: a 100-megapixel photo fits with room to spare.
inline constexpr qint64 MaxPicturePixels = 120'000'000;

// The decoded picture (the first frame of an animated GIF or WebP or of a TIFF of several pages, turned
// by its EXIF orientation), or nothing for a file that is missing, unreadable, no regular file (a
// device, a pipe), larger than any such picture, not a BMP, GIF, JPEG, PNG, WebP or TIFF by its content
// (whatever its extension), truncated, or announces more than MaxPicturePixels pixels; the size is read from
// the header before any pixel memory is allocated. The file is read once, whole, and a file that changes
// meanwhile is checked and decoded as it was read.
std::optional<QImage> readPicture(const QString& path);

}  // namespace tarsio
