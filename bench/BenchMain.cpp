// The benchmark: every heavy step of a game on a real offscreen board, each against its floor.
#include <QApplication>
#include <QScreen>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <functional>

#include "Figures.h"
#include "Harness.h"
#include "Memory.h"
#include "Photo.h"
#include "PlayFigures.h"

using namespace tarsio::bench;

namespace {

// The figures `tarsio_bench hidpi` measures again on a screen with two device pixels per pixel.
constexpr char HighDensity[] = "hidpi";
const QStringList HighDensityFigures{QStringLiteral("cut1000"), QStringLiteral("cut10000"),
                                     QStringLiteral("drag1000"), QStringLiteral("drag10000")};

// A fixed 1280 x 1024 screen at 96 dpi, whatever machine the benchmark runs on, with `ratio` device
// pixels per pixel.
bool useOffscreenScreen(const QTemporaryDir& folder, int ratio) {
  const QByteArray config =
      R"({"windowFrameMargins":false,"screens":[{"name":"s","x":0,"y":0,"width":1280,"height":1024,)"
      R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":)" +
      QByteArray::number(ratio) + "}]}";
  const QString path = folder.filePath(QStringLiteral("screen.json"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(config) < 0) return false;
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
  qunsetenv("QT_SCALE_FACTOR");
  qunsetenv("QT_FONT_DPI");
  return true;
}

// Every figure, in the order of a game; `only`, when not empty, keeps the figures whose key holds it,
// and "hidpi" the figures measured again at two device pixels per pixel.
std::vector<Row> measureAll(const Inputs& in, const QString& only) {
  const std::vector<std::pair<QString, std::function<Row()>>> figures{
      {QStringLiteral("choose"), [&] { return choosePicture(in); }},
      {QStringLiteral("cut1000"), [&] { return cutPieces(in, 25, 40, 1.2); }},
      {QStringLiteral("cut10000"), [&] { return cutPieces(in, 80, 125, 1.6); }},
      {QStringLiteral("drag1000"), [&] { return dragStep(in, 25, 40, 0.06); }},
      {QStringLiteral("drag10000"), [&] { return dragStep(in, 80, 125, 0.12); }},
      {QStringLiteral("collect"), [&] { return collectPieces(in); }},
      {QStringLiteral("areas"), [&] { return resizeAreas(in); }},
      {QStringLiteral("saveload"), [&] { return saveAndLoad(in); }},
      {QStringLiteral("memory"), [&] { return peakMemory(in); }},
  };
  std::vector<Row> rows;
  const bool highDensity = only == QLatin1String(HighDensity);
  for (const auto& [key, measure] : figures) {
    if (highDensity ? !HighDensityFigures.contains(key) : !key.contains(only)) continue;
    std::fprintf(stderr, "measuring %s ...\n", qPrintable(key));
    rows.push_back(measure());
    if (highDensity) rows.back().figure += QStringLiteral(", 2 device pixels per pixel");
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  const int ratio = argc == 2 && std::strcmp(argv[1], HighDensity) == 0 ? 2 : 1;
  QTemporaryDir folder;
  if (!folder.isValid() || !useOffscreenScreen(folder, ratio)) {
    std::fprintf(stderr, "no temporary folder\n");
    return 2;
  }
  QApplication app(argc, argv);
  if (QGuiApplication::primaryScreen()->devicePixelRatio() != ratio)
    stop(QStringLiteral("the screen does not have %1 device pixels per pixel").arg(ratio));
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
  // `tarsio_bench TEXT` measures only the figures whose key (choose, cut1000, drag10000, ...) holds TEXT;
  // `tarsio_bench hidpi` measures the cuts and the drag steps on a screen of twice the density.
  const QString only = argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString();
  return printTable(measureAll(in, only)) ? 0 : 1;
}
