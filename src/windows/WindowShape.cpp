// Building a window outline from a picture, one rectangle per run of kept pixels.
#include "windows/WindowShape.h"

#include <QRect>
#include <QWidget>
#include <utility>
#include <vector>

namespace tarsio {

namespace {

constexpr QRgb White = 0xFFFFFF;

using Run = std::pair<int, int>;  // first x and one past the last x of a run of non-white pixels

void nonWhiteRuns(const QRgb* row, int width, std::vector<Run>& runs) {
  runs.clear();
  int x = 0;
  while (x < width) {
    while (x < width && (row[x] & White) == White) ++x;
    const int start = x;
    while (x < width && (row[x] & White) != White) ++x;
    if (start < x) runs.emplace_back(start, x);
  }
}

}  // namespace

QRegion regionWithoutWhite(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  // The region is built at once from bands: consecutive rows with the same runs share one rectangle
  // per run, which is the sorted, merged form the region expects.
  std::vector<QRect> rects;
  std::vector<Run> bandRuns;
  std::vector<Run> rowRuns;
  std::size_t bandFirstRect = 0;
  int bandEnd = -1;  // one past the last row of the current band
  for (int y = 0; y < image.height(); ++y) {
    nonWhiteRuns(reinterpret_cast<const QRgb*>(image.constScanLine(y)), image.width(), rowRuns);
    if (rowRuns.empty()) continue;
    if (bandEnd == y && rowRuns == bandRuns) {
      for (std::size_t i = bandFirstRect; i < rects.size(); ++i) rects[i].setBottom(y);
    } else {
      bandFirstRect = rects.size();
      for (const auto& [start, end] : rowRuns) rects.emplace_back(start, y, end - start, 1);
      std::swap(bandRuns, rowRuns);
    }
    bandEnd = y + 1;
  }
  QRegion region;
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

void ShapeWindowFromPicture(QWidget& window, const QImage& picture) {
  window.setMask(regionWithoutWhite(picture));
}

}  // namespace tarsio
