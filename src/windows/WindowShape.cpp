// Building a window outline from a picture, one rectangle per run of kept pixels.
#include "windows/WindowShape.h"

#include <QGuiApplication>
#include <QRect>
#include <QWidget>
#include <utility>
#include <vector>

namespace tarsio {

namespace {

constexpr QRgb White = 0xFFFFFF;

constexpr bool isWhite(QRgb pixel) { return (pixel & White) == White; }

using Run = std::pair<int, int>;  // first x and one past the last x of a run of non-white pixels

void nonWhiteRuns(const QRgb* row, int width, std::vector<Run>& runs) {
  runs.clear();
  int x = 0;
  while (x < width) {
    while (x < width && isWhite(row[x])) ++x;
    const int start = x;
    while (x < width && !isWhite(row[x])) ++x;
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

QImage pictureWithoutWhite(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QRgb* to = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < image.width(); ++x) to[x] = isWhite(from[x]) ? 0 : from[x] | 0xFF000000;
  }
  return result;
}

Outline platformOutline() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? Outline::MaskAndTransparency
                                                                              : Outline::Mask;
}

QImage ShapeWindowFromPicture(QWidget& window, const QImage& picture, Outline outline) {
  window.setMask(regionWithoutWhite(picture));
  if (outline == Outline::Mask) return picture;
  window.setAttribute(Qt::WA_TranslucentBackground);
  return pictureWithoutWhite(picture);
}

}  // namespace tarsio
