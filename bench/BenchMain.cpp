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
#include "GroupFigures.h"
#include "FirstChoice.h"
#include "Harness.h"
#include "Memory.h"
#include "Photo.h"
#include "PlayFigures.h"
#include "ShelfFigures.h"
#include "ZoomFigures.h"

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

// Every figure of the default set, in the order of a game; `only`, when not empty, keeps the figures
// whose key holds it, and "hidpi" the figures measured again at two device pixels per pixel.
std::vector<Row> measureAll(const Inputs& in, const QString& only) {
  PeakMemory memory(in, 80, 125);
  std::vector<Row> kept;  // both figures of steady play come from one run
  const auto keptFigure = [&](std::size_t k) {
    if (kept.empty()) kept = keptPlay(in, 127, 258);
    return kept[k];
  };
  const std::vector<std::pair<QString, std::function<Row()>>> figures{
      {QStringLiteral("choose"), [&] { return choosePicture(in); }},
      {QStringLiteral("cut1000"), [&] { return cutPieces(in, 25, 40, 1.2); }},
      {QStringLiteral("cut10000"), [&] { return cutPieces(in, 80, 125, 1.6); }},
      {QStringLiteral("drag1000"), [&] { return dragStep(in, 25, 40, 0.06); }},
      {QStringLiteral("drag10000"), [&] { return dragStep(in, 80, 125, 0.12); }},
      {QStringLiteral("collect1000"), [&] { return collectPieces(in, 25, 40, 3); }},
      {QStringLiteral("collect10000"), [&] { return collectPieces(in, 80, 125, 80 / Frame); }},
      {QStringLiteral("spread10000"), [&] { return spreadOut(in, 80, 125, 2); }},
      {QStringLiteral("spread32766"), [&] { return spreadOut(in, 127, 258, 10, 3); }},
      {QStringLiteral("group-drag1000"), [&] { return groupDragStep(in, 127, 258, 1000, 1); }},
      {QStringLiteral("joined-drag1000"), [&] { return joinedDragStep(in, 127, 258, 25, 40, 1); }},
      {QStringLiteral("join-drop1000"), [&] { return joinAtDrop(in, 127, 258, 25, 40, 0.1); }},
      {QStringLiteral("sort32766"), [&] { return colourSort(in, 127, 258, 10); }},
      {QStringLiteral("group-turn10000"), [&] { return selectionTurn(in, 80, 125, 2); }},
      {QStringLiteral("tray1000"), [&] { return trayLayout(in, 127, 258, 1000, 1); }},
      {QStringLiteral("spread-undo32766"), [&] { return spreadTakenBack(in, 127, 258, 1); }},
      {QStringLiteral("areas1000"), [&] { return resizeAreas(in, 25, 40, 3); }},
      {QStringLiteral("areas10000"), [&] { return resizeAreas(in, 80, 125, 100 / Frame); }},
      {QStringLiteral("borders10000"), [&] { return bordersOnly(in, 80, 125, 2); }},
      {QStringLiteral("similar32766"), [&] { return likeOnly(in, 127, 258, 2, 3); }},
      {QStringLiteral("saveload"), [&] { return saveAndLoad(in); }},
      {QStringLiteral("shelf200"), [&] { return openShelf(in, 200); }},
      {QStringLiteral("sketch32766"), [&] { return sketchCost(in, 127, 258); }},
      {QStringLiteral("memory"), [&] { return memory.wholeBoard(3); }},
      // Seen 19 times closer, the pile of collected pieces keeps a picture of each of the hundreds of
      // pieces in sight, some four canvases of pictures.
      {QStringLiteral("memory-closest"), [&] { return memory.closestZoom(1.3); }},
      {QStringLiteral("zoom-step10000"), [&] { return zoomStep(in, 80, 125, 1); }},
      {QStringLiteral("zoom-sharp10000"), [&] { return zoomStep(in, 80, 125, 1, true); }},
      {QStringLiteral("zoom-fresh10000"), [&] { return zoomStep(in, 80, 125, 1, true, true); }},
      {QStringLiteral("zoom-pan10000"), [&] { return panStep(in, 80, 125, 1); }},
      {QStringLiteral("zoom-drag10000"), [&] { return closeDragStep(in, 80, 125, 1); }},
      {QStringLiteral("zoom-step32766"), [&] { return zoomStep(in, 127, 258, 2); }},
      {QStringLiteral("zoom-sharp32766"), [&] { return zoomStep(in, 127, 258, 2, true); }},
      {QStringLiteral("zoom-fresh32766"), [&] { return zoomStep(in, 127, 258, 2, true, true); }},
      {QStringLiteral("zoom-pan32766"), [&] { return panStep(in, 127, 258, 2); }},
      {QStringLiteral("zoom-drag32766"), [&] { return closeDragStep(in, 127, 258, 2); }},
      {QStringLiteral("kept-drag32766"), [&] { return keptDragStep(in, 127, 258, 0.12); }},
      {QStringLiteral("kept-writes32766"), [&] { return keptFigure(0); }},
      {QStringLiteral("kept-bytes32766"), [&] { return keptFigure(1); }},
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

// The largest game: a 12000 x 8000 photo cut 127 x 258 = 32766 pieces; `only`, when not empty, keeps
// the figures whose key holds it.
std::vector<Row> measureLargest(const Inputs& in, const QString& only) {
  constexpr int Rows = 127, Columns = 258;
  PeakMemory memory(in, Rows, Columns);
  const std::vector<std::pair<QString, std::function<Row()>>> figures{
      {QStringLiteral("cut"), [&] { return cutPieces(in, Rows, Columns, 1.0, 3); }},
      {QStringLiteral("collect"), [&] { return collectPieces(in, Rows, Columns, 250 / Frame, 3); }},
      {QStringLiteral("areas"), [&] { return resizeAreas(in, Rows, Columns, 300 / Frame, 3); }},
      {QStringLiteral("drag"), [&] { return dragStep(in, Rows, Columns, 1 / Frame); }},
      {QStringLiteral("borders"), [&] { return bordersOnly(in, Rows, Columns, 2, 3); }},
      {QStringLiteral("similar"), [&] { return likeOnly(in, Rows, Columns, 2, 3); }},
      {QStringLiteral("resume"), [&] { return resumeGame(in, Rows, Columns, 2.0, 3); }},
      {QStringLiteral("memory"), [&] { return memory.wholeBoard(2.0); }},
      {QStringLiteral("memory-closest"), [&] { return memory.closestZoom(1); }},
  };
  std::vector<Row> rows;
  for (const auto& [key, measure] : figures) {
    if (!key.contains(only)) continue;
    rows.push_back(measure());
    std::fprintf(stderr, "%s: %.1f %s\n", qPrintable(rows.back().figure), rows.back().median,
                 qPrintable(rows.back().unit));
  }
  return rows;
}

// Makes the photo of `size` in `folder`, or ends the benchmark.
Inputs makeInputs(const QTemporaryDir& folder, QSize size) {
  std::fprintf(stderr, "making a %d x %d photo ...\n", size.width(), size.height());
  const Inputs in{writePhoto(folder.path(), size)};
  if (in.photo.isEmpty()) stop(QStringLiteral("the photo could not be written"));
  std::printf("photo: %d x %d JPEG, %.1f MB\n\n", size.width(), size.height(),
              QFileInfo(in.photo).size() / 1e6);
  return in;
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
  const auto arg = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
  if (argc == 5 && std::strcmp(argv[1], MemoryFlag) == 0)
    return measureMemoryHere({arg(2)}, arg(3).toInt(), arg(4).toInt());
  if (argc == 3 && std::strcmp(argv[1], ChooseFlag) == 0) return measureChoicesHere({arg(2)});
  if (argc == 3 && std::strcmp(argv[1], DecodeFlag) == 0) return measureDecodeHere(arg(2));

  // `tarsio_bench largest [TEXT]` measures the largest game alone (it takes minutes), or only its figures
  // whose key (cut, collect, areas, drag, borders, resume, memory) holds TEXT; `tarsio_bench first`
  // the picture choice through the real dialog in fresh processes; `tarsio_bench hidpi` the cuts and
  // the drag steps on a screen of twice the density; `tarsio_bench TEXT` only the figures of the
  // default set whose key (choose, cut1000, drag10000, ...) holds TEXT.
  const QString only = argc >= 2 ? arg(1) : QString();
  if (only == u"largest") {
    const QString key = argc == 3 ? arg(2) : QString();
    return printTable(measureLargest(makeInputs(folder, {12000, 8000}), key)) ? 0 : 1;
  }
  if (only == u"first") {
    // A 96 MP photo and the 24 MP one, each in its own folder.
    QTemporaryDir large;
    std::vector<Row> rows = firstChoices(makeInputs(large, {12000, 8000}));
    const std::vector<Row> usual = firstChoices(makeInputs(folder, {6000, 4000}));
    rows.insert(rows.end(), usual.begin(), usual.end());
    return printTable(rows) ? 0 : 1;
  }
  const Inputs in = makeInputs(folder, {6000, 4000});
  return printTable(measureAll(in, only)) ? 0 : 1;
}
