// Reading picture files, refusing broken ones before anything large is allocated.
#include "picture/PictureFile.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include "platform/Picture.h"

namespace tarsio {

namespace {

// Qt's decoders fill a cut-off BMP or GIF with blank pixels without complaint; a player would rather be
// told the file is broken. Checks the end of the data against what the header promises.
bool looksComplete(const QString& path, const QByteArray& format) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  if (format == "bmp") {
    const QByteArray header = file.read(54);
    if (header.size() < 54) return false;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(header.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(header.constData() + at); };
    const quint32 compression = u32(30);
    if (u32(14) < 40 || (compression != 0 && compression != 3)) return true;  // old or run-length headers
    const qint64 width = qint32(u32(18)), height = qAbs(qint64(qint32(u32(22))));
    const qint64 stride = (width * u16(28) + 31) / 32 * 4;
    return qint64(u32(10)) + stride * height <= size;
  }
  if (format == "gif") {
    // A complete GIF ends with its trailer byte; only padding may follow it.
    file.seek(qMax<qint64>(0, size - 64));
    QByteArray tail = file.readAll();
    while (!tail.isEmpty() && tail.back() == '\0') tail.chop(1);
    return tail.endsWith(';');
  }
  if (format == "jpeg") {
    // A complete JPEG holds its end-of-image marker; a cut-off one has lost it. Some cameras append
    // data after the marker, so the whole file may be searched (mapped, not copied); the search starts
    // from the end, where the marker nearly always is.
    const uchar* bytes = file.map(0, size);
    return bytes && QByteArrayView(bytes, size).lastIndexOf(QByteArrayView("\xFF\xD9", 2)) >= 0;
  }
  return true;
}

}  // namespace

std::optional<QImage> readPicture(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaxPicturePixels)
    return std::nullopt;
  if (!looksComplete(path, reader.format())) return std::nullopt;
  // Qt refuses images over 128 MB unless told otherwise; the header check above bounds what we allow.
  QImageReader::setAllocationLimit(static_cast<int>(MaxPicturePixels * 4 / (1024 * 1024)) + 64);
  // A 32-bit picture is decoded straight into an image on huge pages (the decoder keeps an image of the
  // right size and format), which spares most of the page faults of a fresh photo-sized image.
  const QImage::Format format = reader.imageFormat();
  QImage image;
  if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) image = newLargeImage(size, format);
  if (!reader.read(&image) || image.isNull()) return std::nullopt;
  return image;
}

}  // namespace tarsio
