// Reading picture files, refusing broken ones before anything large is allocated.
#include "picture/PictureFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>

#include "platform/FileBytes.h"

namespace tarsio {

namespace {

// BMP: the pixel rows the header announces must all be in the file. The row-length rule holds for
// uncompressed and bit-field files; a run-length file announces its data size instead.
bool bmpComplete(QByteArrayView bytes) {
  if (bytes.size() < 26) return false;
  const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.data() + at); };
  const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.data() + at); };
  const qint64 dataStart = u32(10);
  const quint32 headerSize = u32(14);
  qint64 width = 0, height = 0, bitsPerPixel = 0;
  if (headerSize == 12) {  // the oldest header: 16-bit sizes, never compressed
    width = u16(18);
    height = u16(20);
    bitsPerPixel = u16(24);
  } else {
    if (bytes.size() < 54) return false;
    const quint32 compression = u32(30);
    if (compression == 1 || compression == 2) return dataStart + qint64(u32(34)) <= bytes.size();
    width = qint32(u32(18));
    height = qAbs(qint64(qint32(u32(22))));
    bitsPerPixel = u16(28);
  }
  const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
  return dataStart + stride * height <= bytes.size();
}

// GIF: follows the blocks to the trailer, so that a file cut off anywhere before it is found out, even
// just after a byte that reads like the trailer.
bool gifComplete(QByteArrayView bytes) {
  const qsizetype size = bytes.size();
  const auto colourTable = [](uchar flags) -> qsizetype { return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0; };
  if (size < 13) return false;
  qsizetype at = 13 + colourTable(uchar(bytes[10]));
  // Data sub-blocks: a length byte and that many bytes, until a length of 0.
  const auto skipSubBlocks = [&] {
    while (at < size) {
      const uchar length = uchar(bytes[at++]);
      if (length == 0) return true;
      at += length;
    }
    return false;
  };
  while (at < size) {
    const uchar kind = uchar(bytes[at++]);
    if (kind == 0x3B) return true;  // the trailer
    if (kind == 0x21) {             // an extension: its label, then sub-blocks
      ++at;
    } else if (kind == 0x2C) {  // an image: descriptor, local colour table, code size, sub-blocks
      if (at + 9 > size) return false;
      at += 9 + colourTable(uchar(bytes[at + 8])) + 1;
    } else {
      return false;
    }
    if (!skipSubBlocks()) return false;
  }
  return false;
}

// JPEG: steps over the segments before the first scan by their lengths (an EXIF thumbnail, with an
// end-of-image marker of its own, lies inside one), then looks for the end-of-image marker after the
// scan begins. Data after that marker, which some cameras append, is allowed.
bool jpegComplete(QByteArrayView bytes) {
  qsizetype at = 2;  // after the start-of-image marker
  while (at + 4 <= bytes.size()) {
    if (uchar(bytes[at]) != 0xFF) return false;
    const uchar marker = uchar(bytes[at + 1]);
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
    } else if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
      at += 2;
    } else if (marker == 0xDA) {
      // The search starts from the end, where the marker nearly always is.
      return bytes.sliced(at + 2).lastIndexOf(QByteArrayView("\xFF\xD9", 2)) >= 0;
    } else {
      at += 2 + qFromBigEndian<quint16>(bytes.data() + at + 2);
    }
  }
  return false;
}

// PNG: follows the chunks by their lengths to the end chunk.
bool pngComplete(QByteArrayView bytes) {
  qsizetype at = 8;  // after the signature
  while (at + 12 <= bytes.size()) {
    const quint32 length = qFromBigEndian<quint32>(bytes.data() + at);
    if (length > 0x7FFFFFFFu || qsizetype(length) > bytes.size() - at - 12) return false;
    if (bytes.sliced(at + 4, 4) == QByteArrayView("IEND")) return true;
    at += 12 + qsizetype(length);
  }
  return false;
}

// WebP: the RIFF header announces the size of the whole file; every chunk must lie inside it.
bool webpComplete(QByteArrayView bytes) {
  if (bytes.size() < 20) return false;
  const qint64 end = 8 + qint64(qFromLittleEndian<quint32>(bytes.data() + 4));
  if (end > bytes.size()) return false;
  qint64 at = 12;  // after "RIFF", the size and "WEBP"
  while (at + 8 <= end) {
    const qint64 length = qFromLittleEndian<quint32>(bytes.data() + at + 4);
    if (at + 8 + length > end) return false;
    at += 8 + length + (length & 1);
  }
  return at > 12;
}

// TIFF (classic or big): the first directory, every value it keeps outside itself, and every strip or
// tile of the first image must lie inside the file.
class TiffCheck {
 public:
  explicit TiffCheck(QByteArrayView bytes) : bytes_(bytes), size_(quint64(bytes.size())) {}

  bool complete() {
    if (size_ < 16) return false;
    if (bytes_.startsWith("II"))
      little_ = true;
    else if (!bytes_.startsWith("MM"))
      return false;
    const quint64 version = number(2, 2);
    big_ = version == 43;
    if (!big_ && version != 42) return false;
    const quint64 directory = big_ ? number(8, 8) : number(4, 4);
    const quint64 countSize = big_ ? 8 : 2, entrySize = big_ ? 20 : 12;
    if (!inside(directory, countSize)) return false;
    const quint64 entries = number(directory, countSize);
    // The entries and the offset of the next directory.
    if (entries > size_ || !inside(directory + countSize, entries * entrySize + (big_ ? 8 : 4))) return false;
    for (quint64 i = 0; i < entries; ++i)
      if (!readEntry(directory + countSize + i * entrySize)) return false;
    const bool placed = values_[StripOffsets].count > 0 || values_[TileOffsets].count > 0;
    return placed && dataInside(StripOffsets, StripByteCounts) && dataInside(TileOffsets, TileByteCounts);
  }

 private:
  // The tags that place the image data, and where their values are.
  enum Placing { StripOffsets, StripByteCounts, TileOffsets, TileByteCounts, PlacingTags };
  struct Values {
    quint64 at = 0;     // where the values start
    quint64 count = 0;  // how many
    int width = 0;      // bytes each
  };

  bool inside(quint64 at, quint64 length) const { return at <= size_ && length <= size_ - at; }

  quint64 number(quint64 at, int width) const {
    const char* p = bytes_.data() + at;
    switch (width) {
      case 1: return uchar(*p);
      case 2: return little_ ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
      case 4: return little_ ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
      default: return little_ ? qFromLittleEndian<quint64>(p) : qFromBigEndian<quint64>(p);
    }
  }

  static int typeWidth(quint64 type) {
    switch (type) {
      case 1: case 2: case 6: case 7: return 1;
      case 3: case 8: return 2;
      case 4: case 9: case 11: case 13: return 4;
      case 5: case 10: case 12: case 16: case 17: case 18: return 8;
      default: return 0;  // a type the decoder does not know, and skips
    }
  }

  static int placing(quint64 tag) {
    switch (tag) {
      case 273: return StripOffsets;
      case 279: return StripByteCounts;
      case 324: return TileOffsets;
      case 325: return TileByteCounts;
      default: return PlacingTags;
    }
  }

  // One directory entry: tag, type, count, then the values themselves or where they are.
  bool readEntry(quint64 at) {
    const int width = typeWidth(number(at + 2, 2));
    if (width == 0) return true;
    Values values{at + (big_ ? 12 : 8), big_ ? number(at + 4, 8) : number(at + 4, 4), width};
    const quint64 fieldSize = big_ ? 8 : 4;
    if (values.count > size_) return false;
    if (values.count * width > fieldSize) {
      values.at = number(values.at, int(fieldSize));
      if (!inside(values.at, values.count * width)) return false;
    }
    const int tag = placing(number(at, 2));
    if (tag == PlacingTags) return true;
    if (width != 2 && width != 4 && width != 8) return false;
    values_[tag] = values;
    return true;
  }

  // Every piece of image data named by an offsets tag and its byte-counts tag lies inside the file.
  bool dataInside(Placing offsets, Placing lengths) const {
    const Values& starts = values_[offsets];
    const Values& counts = values_[lengths];
    if (starts.count != counts.count) return false;
    for (quint64 i = 0; i < starts.count; ++i)
      if (!inside(number(starts.at + i * starts.width, starts.width),
                  number(counts.at + i * counts.width, counts.width)))
        return false;
    return true;
  }

  QByteArrayView bytes_;
  quint64 size_;
  bool little_ = false;
  bool big_ = false;
  Values values_[PlacingTags];
};

// Qt's decoders fill a cut-off file with blank pixels without complaint; a player would rather be told
// the file is broken. Checks the data against what the header promises.
bool looksComplete(QByteArrayView bytes, const QByteArray& kind) {
  if (kind == "bmp") return bmpComplete(bytes);
  if (kind == "gif") return gifComplete(bytes);
  if (kind == "jpeg") return jpegComplete(bytes);
  if (kind == "png") return pngComplete(bytes);
  if (kind == "webp") return webpComplete(bytes);
  if (kind == "tiff") return TiffCheck(bytes).complete();
  return false;
}

// Larger than any picture the game opens (16-bit colour and transparency kept uncompressed, 8 bytes a
// pixel) with room for metadata.
constexpr qint64 MaxFileBytes = MaxPicturePixels * 8 + (64 << 20);

}  // namespace

std::optional<CheckedPicture> checkPicture(const QString& path) {
  // The checks and the decoder see the same bytes, whatever happens to the file meanwhile.
  std::optional<QByteArray> bytes = readRegularFile(path, MaxFileBytes);
  if (!bytes) return std::nullopt;
  QBuffer buffer;
  buffer.setData(*bytes);
  QImageReader reader(&buffer);
  // The content decides the decoder, and only the game's own kinds are read: no other decoder that
  // happens to be installed sees the file.
  reader.setAutoTransform(true);
  const QByteArray kind = reader.format();
  if (!QByteArrayList{"bmp", "gif", "jpeg", "png", "webp", "tiff"}.contains(kind)) return std::nullopt;
  const QSize size = reader.size();
  const qint64 pixels = qint64(size.width()) * size.height();
  if (!size.isValid() || size.isEmpty() || pixels > MaxPicturePixels) return std::nullopt;
  if (!looksComplete(*bytes, kind)) return std::nullopt;
  // Qt refuses images over its allocation limit unless told otherwise. The header has been checked, so
  // the limit is what the largest picture the game opens needs in the largest format a decoder makes
  // (8 bytes a pixel for a 16-bit PNG or TIFF); it is set once, before any decode can run on a worker
  // thread, and never changes after.
  static const bool limitSet = [] {
    QImageReader::setAllocationLimit(int((MaxPicturePixels * 8 >> 20) + 2));
    return true;
  }();
  Q_UNUSED(limitSet);
  const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
  return CheckedPicture{std::move(*bytes), kind, turned ? size.transposed() : size};
}

namespace {

// The file's bytes, which run out as soon as the decode is no longer wanted: the decoder then ends
// without reading the rest.
class StoppableBuffer : public QBuffer {
 public:
  explicit StoppableBuffer(const std::atomic<bool>* stopped) : stopped_(stopped) {}

 protected:
  qint64 readData(char* data, qint64 length) override {
    return stopped_ && *stopped_ ? -1 : QBuffer::readData(data, length);
  }

 private:
  const std::atomic<bool>* stopped_;
};

}  // namespace

std::optional<QImage> decodePicture(const CheckedPicture& checked, int level, const std::atomic<bool>* stopped) {
  StoppableBuffer buffer(stopped);
  buffer.setData(checked.bytes);
  QImageReader reader(&buffer, checked.kind);
  reader.setAutoTransform(true);
  const QSize stored = reader.size();
  // The JPEG decoder makes 1/2, 1/4 and 1/8 of the size while it decodes when asked for that size
  // rounded down (rounded up, it decodes larger and scales); the picture is turned once reduced.
  if (level > 0) reader.setScaledSize(QSize(stored.width() >> level, stored.height() >> level));
  QImage image;
  if (!reader.read(&image) || image.isNull() || (stopped && *stopped)) return std::nullopt;
  return image;
}

std::optional<QImage> readPicture(const QString& path) {
  const std::optional<CheckedPicture> checked = checkPicture(path);
  return checked ? decodePicture(*checked) : std::nullopt;
}

int firstSightLevel(const CheckedPicture& checked, QSize screenPixels) {
  if (checked.kind != "jpeg" || screenPixels.isEmpty()) return 0;
  // The picture is never shown larger than the screen: reduced by 2^level it still has a pixel for
  // every pixel of the screen it can cover.
  const double shrink = std::max(double(checked.size.width()) / screenPixels.width(),
                                 double(checked.size.height()) / screenPixels.height());
  int level = 0;
  while (level < MaxFirstSightLevel && double(2 << level) <= shrink) ++level;
  return level;
}

}  // namespace tarsio
