// Reading a picture file (BMP, GIF, JPEG, PNG, WebP, TIFF) at its natural size, upright as its camera
// meant it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <atomic>
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

// A picture file that has passed every check readPicture makes before it decodes: its bytes, its kind
// ("jpeg", "png", ...) and its natural size, upright.
struct CheckedPicture {
  QByteArray bytes;
  QByteArray kind;
  QSize size;
};
std::optional<CheckedPicture> checkPicture(const QString& path);
// The checked picture decoded, upright; reduced, when `level` > 0, to the size that halving it `level`
// times gives (rounded down), which only a JPEG is decoded at (see firstSightLevel). Safe on any
// thread; nothing, early, once `stopped` (when given) is set.
std::optional<QImage> decodePicture(const CheckedPicture& checked, int level = 0,
                                    const std::atomic<bool>* stopped = nullptr);

// The largest reduction a JPEG decoder makes while it decodes: an eighth.
inline constexpr int MaxFirstSightLevel = 3;
// How many times the picture may be halved for its first sight on a screen of `screenPixels` device
// pixels: as often as it still has a pixel for each screen pixel it can cover, at most an eighth; 0
// for a kind that decodes no faster reduced.
int firstSightLevel(const CheckedPicture& checked, QSize screenPixels);

}  // namespace tarsio
