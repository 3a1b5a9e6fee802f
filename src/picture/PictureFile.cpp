// Reading picture files, refusing broken ones before anything large is allocated.
#include "picture/PictureFile.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

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

// Qt's decoders fill a cut-off file with blank pixels without complaint; a player would rather be told
// the file is broken. Checks the data against what the header promises; the file is mapped, not copied.
bool looksComplete(const QString& path, const QByteArray& kind) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  const uchar* data = size > 0 ? file.map(0, size) : nullptr;
  if (!data) return false;
  const QByteArrayView bytes(data, size);
  if (kind == "bmp") return bmpComplete(bytes);
  if (kind == "gif") return gifComplete(bytes);
  if (kind == "jpeg") return jpegComplete(bytes);
  return true;  // PNG: Qt refuses a cut-off one itself
}

}  // namespace

std::optional<QImage> readPicture(const QString& path) {
  QImageReader reader(path);
  // The content decides the decoder, whatever the extension says, and only the game's own kinds (with
  // PNG, which Qt decodes itself) are read: no other decoder that happens to be installed sees the file.
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  const QByteArray kind = reader.format();
  if (kind != "bmp" && kind != "gif" && kind != "jpeg" && kind != "png") return std::nullopt;
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaxPicturePixels)
    return std::nullopt;
  if (!looksComplete(path, kind)) return std::nullopt;
  // Qt refuses images over 128 MB unless told otherwise; the header check above bounds what we allow.
  QImageReader::setAllocationLimit(static_cast<int>(MaxPicturePixels * 4 / (1024 * 1024)) + 64);
  // The picture goes into ordinary memory: pages the system has just freed come back at once, where a
  // photo on fresh huge pages cost more to fault in than its whole decode.
  QImage image;
  if (!reader.read(&image) || image.isNull()) return std::nullopt;
  return image;
}

}  // namespace tarsio
