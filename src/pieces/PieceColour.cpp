// The colour of each piece: OKLab means and spreads of the cells of a reduced copy of the picture.
#include "pieces/PieceColour.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "pieces/Cells.h"

namespace tarsio {

namespace {

// A cell of the reduced copy counts this many pixels on average, at least: enough for a mean and a
// spread, few enough that the cut hardly notices them.
constexpr qint64 PixelsACell = 8;

// The light of each sRGB level, 0 to 1.
const std::array<float, 256>& linearLevels() {
  static const std::array<float, 256> levels = [] {
    std::array<float, 256> out{};
    for (int v = 0; v < 256; ++v) {
      const double c = v / 255.0;
      out[v] = static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return out;
  }();
  return levels;
}

// The cube root of x ≥ 0 to within 0.2 %, far closer than the eye tells colours apart: a guess from
// the bits of the float, within 4 %, then one Newton step; several times faster than the library's,
// which counts for the pixels of a cut.
float cubeRoot(float x) {
  if (x <= 0) return 0;
  const float y = std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) / 3 + 709921077u);
  return (2 * y + x / (y * y)) * (1.0f / 3);
}

Lab oklabOfLight(float r, float g, float b) {
  const float l = cubeRoot(0.4122214708f * r + 0.5363325363f * g + 0.0514459929f * b);
  const float m = cubeRoot(0.2119034982f * r + 0.6806995451f * g + 0.1073969566f * b);
  const float s = cubeRoot(0.0883024619f * r + 0.2817188376f * g + 0.6299787005f * b);
  return {0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
          1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
          0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

Lab oklabOf(QRgb pixel) {
  const std::array<float, 256>& light = linearLevels();
  return oklabOfLight(light[qRed(pixel)], light[qGreen(pixel)], light[qBlue(pixel)]);
}

// The sums of a cell's pixels, in double precision: a spread from sums of squares needs it.
struct CellSums {
  double L = 0, a = 0, b = 0, squares = 0;
  qint64 count = 0;
};

// Adds the pixels [from, to) of one row to `sums`, in single precision along the run.
void addRun(const QRgb* line, int from, int to, bool alpha, CellSums& sums) {
  float L = 0, a = 0, b = 0, squares = 0;
  int count = 0;
  for (int x = from; x < to; ++x) {
    QRgb pixel = line[x];
    if (alpha) {
      if (qAlpha(pixel) == 0) continue;
      pixel = qUnpremultiply(pixel);
    }
    const Lab lab = oklabOf(pixel);
    L += lab.L;
    a += lab.a;
    b += lab.b;
    squares += lab.L * lab.L + lab.a * lab.a + lab.b * lab.b;
    ++count;
  }
  sums.L += L;
  sums.a += a;
  sums.b += b;
  sums.squares += squares;
  sums.count += count;
}

PieceColour colourOf(const CellSums& sums) {
  const double n = static_cast<double>(sums.count);
  const Lab mean{float(sums.L / n), float(sums.a / n), float(sums.b / n)};
  const double meanSquare = double(mean.L) * mean.L + double(mean.a) * mean.a + double(mean.b) * mean.b;
  return {mean, static_cast<float>(std::sqrt(std::max(0.0, sums.squares / n - meanSquare)))};
}

}  // namespace

Lab oklab(int red, int green, int blue) { return oklabOf(qRgb(red, green, blue)); }

float labDistance(const Lab& x, const Lab& y) {
  return std::sqrt((x.L - y.L) * (x.L - y.L) + (x.a - y.a) * (x.a - y.a) + (x.b - y.b) * (x.b - y.b));
}

std::vector<PieceColour> cellColours(const QImage& source, int rows, int columns) {
  const bool alpha = source.hasAlphaChannel();
  const QImage::Format format = alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  const QImage image = source.format() == format ? source : source.convertToFormat(format);
  const QSize size = image.size();
  std::vector<int> columnStart(columns + 1, size.width());
  for (int c = 0; c < columns; ++c) columnStart[c] = uprightCellRect(c, 1, columns, size).left();
  std::vector<CellSums> sums(static_cast<std::size_t>(rows) * columns);
  for (int row = 0; row < rows; ++row) {
    const QRect band = uprightCellRect(row * columns, rows, columns, size);
    CellSums* cells = &sums[static_cast<std::size_t>(row) * columns];
    for (int y = band.top(); y <= band.bottom(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int c = 0; c < columns; ++c) addRun(line, columnStart[c], columnStart[c + 1], alpha, cells[c]);
    }
  }
  std::vector<PieceColour> colours(sums.size());
  for (std::size_t k = 0; k < sums.size(); ++k) {
    if (sums[k].count > 0) {
      colours[k] = colourOf(sums[k]);
      continue;
    }
    const QPoint centre = uprightCellRect(int(k), rows, columns, size).center();
    const QPoint at(std::clamp(centre.x(), 0, size.width() - 1),
                    std::clamp(centre.y(), 0, size.height() - 1));
    colours[k] = {oklabOf(qUnpremultiply(image.pixel(at))), 0};
  }
  return colours;
}

int colourLevel(QSize pixels, int rows, int columns) {
  const qint64 wanted = PixelsACell * rows * columns;
  int level = 0;
  for (QSize next((pixels.width() + 1) / 2, (pixels.height() + 1) / 2);
       next.width() >= columns && next.height() >= rows && qint64(next.width()) * next.height() >= wanted &&
       next != pixels;
       next = QSize((next.width() + 1) / 2, (next.height() + 1) / 2)) {
    pixels = next;
    ++level;
  }
  return level;
}

float likeLimit(const std::vector<PieceColour>& colours, const std::vector<int>& candidates,
                const Lab& reference, int step) {
  if (candidates.empty()) return 0;
  std::vector<float> distances(candidates.size());
  for (std::size_t k = 0; k < candidates.size(); ++k)
    distances[k] = labDistance(colours[candidates[k]].mean, reference);
  // 5 % of the candidates, doubled at each step, rounded up.
  const std::size_t percent = std::size_t(5) << (std::clamp(step, 1, LikeSteps) - 1);
  const std::size_t count = std::max<std::size_t>(1, (candidates.size() * percent + 99) / 100);
  std::nth_element(distances.begin(), distances.begin() + (count - 1), distances.end());
  return distances[count - 1];
}

void PieceColours::measure(const Picture& picture, int rows, int columns) {
  const std::shared_ptr<const SourceImage>& source = picture.source();
  if (!source || rows < 1 || columns < 1) {
    colours_.clear();
    return;
  }
  colours_ = cellColours(source->level(colourLevel(source->full().size(), rows, columns)), rows, columns);
}

}  // namespace tarsio
