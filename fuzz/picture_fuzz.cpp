// Fuzz target: picture loading through the game's own reader. The first input byte picks the file's
// extension (0 bmp, 1 gif, 2 jpg, 3 png, 4 webp, 5 tif, modulo 6); the rest is written to a file of that
// name and read back.
// A picture the reader gives must be whole and within the size the game opens.
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "picture/PictureFile.h"

namespace tarsio {
namespace {

QTemporaryDir* folder = nullptr;

void check(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  static const char* const extensions[] = {"bmp", "gif", "jpg", "png", "webp", "tif"};
  const QString path = folder->filePath(QStringLiteral("input.") + QLatin1String(extensions[data[0] % 6]));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
  file.close();
  const std::optional<QImage> image = readPicture(path);
  if (!image) return;
  if (image->isNull() || image->width() < 1 || image->height() < 1) std::abort();
  if (static_cast<qint64>(image->width()) * image->height() > MaxPicturePixels) std::abort();
}

}  // namespace
}  // namespace tarsio

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  static QTemporaryDir folder;
  if (!folder.isValid()) std::abort();
  tarsio::folder = &folder;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarsio::check(data, size);
  return 0;
}
