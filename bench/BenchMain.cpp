// The benchmark: every heavy step of a game on a real offscreen board, each against its floor.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "Figures.h"
#include "Harness.h"
#include "Memory.h"
#include "Photo.h"

using namespace tarsio::bench;

namespace {

// A fixed 1280 x 1024 screen at 96 dpi, whatever machine the benchmark runs on.
constexpr char ScreenConfig[] =
    R"({"windowFrameMargins":false,"screens":[{"name":"s","x":0,"y":0,"width":1280,"height":1024,)"
    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1.0}]})";

bool useOffscreenScreen(const QTemporaryDir& folder) {
  const QString path = folder.filePath(QStringLiteral("screen.json"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(ScreenConfig) < 0) return false;
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
  qunsetenv("QT_SCALE_FACTOR");
  qunsetenv("QT_FONT_DPI");
  return true;
}

std::vector<Row> measureAll(const Inputs& in) {
  std::vector<Row> rows;
  std::fprintf(stderr, "measuring the picture choice ...\n");
  rows.push_back(choosePicture(in));
  std::fprintf(stderr, "measuring the cuts ...\n");
  rows.push_back(cutPieces(in, 25, 40, 1.2));
  rows.push_back(cutPieces(in, 80, 125, 1.6));
  std::fprintf(stderr, "measuring the peak memory ...\n");
  rows.push_back(peakMemory(in));
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir folder;
  if (!folder.isValid() || !useOffscreenScreen(folder)) {
    std::fprintf(stderr, "no temporary folder\n");
    return 2;
  }
  QApplication app(argc, argv);
  // Plain decodes of the photo need the same room the game gives itself.
  QImageReader::setAllocationLimit(1024);
  if (argc == 4 && std::strcmp(argv[1], MemoryFlag) == 0)
    return measureMemoryHere({QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])});

  std::fprintf(stderr, "making a 6000 x 4000 photo ...\n");
  const Inputs in{writePhoto(folder.path(), {6000, 4000}), folder.filePath(QStringLiteral("work"))};
  if (in.photo.isEmpty()) {
    std::fprintf(stderr, "the photo could not be written\n");
    return 2;
  }
  std::printf("photo: 6000 x 4000 JPEG, %.1f MB\n\n", QFileInfo(in.photo).size() / 1e6);
  return printTable(measureAll(in)) ? 0 : 1;
}
