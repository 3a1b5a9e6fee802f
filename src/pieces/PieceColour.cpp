// The colour of each piece: OKLab means and spreads of the cells of a reduced copy of the picture.
#include "pieces/PieceColour.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// From the light of red, green and blue to the cone responses, and from their cube roots to OKLab.
constexpr float ToCones[3][3] = {{0.4122214708f, 0.5363325363f, 0.0514459929f},
                                 {0.2119034982f, 0.6806995451f, 0.1073969566f},
                                 {0.0883024619f, 0.2817188376f, 0.6299787005f}};
constexpr float ToLab[3][3] = {{0.2104542553f, 0.7936177850f, -0.0040720468f},
                               {1.9779984951f, -2.4285922050f, 0.4505937099f},
                               {0.0259040371f, 0.7827717662f, -0.8086757660f}};
// A guess within 4 % of the cube root of a float ≥ 0 from its bits, refined by one Newton step.
constexpr std::uint32_t CubeRootBias = 709921077u;

// The cube root of x ≥ 0 to within 0.2 %, far closer than the eye tells colours apart; several times
// faster than the library's, which counts for the pixels of a cut.
float cubeRoot(float x) {
  if (x <= 0) return 0;
  const float y = std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) / 3 + CubeRootBias);
  return (2 * y + x / (y * y)) * (1.0f / 3);
}

Lab oklabOfLight(float r, float g, float b) {
  float cone[3];
  for (int k = 0; k < 3; ++k) cone[k] = cubeRoot(ToCones[k][0] * r + ToCones[k][1] * g + ToCones[k][2] * b);
  float lab[3];
  for (int k = 0; k < 3; ++k) lab[k] = ToLab[k][0] * cone[0] + ToLab[k][1] * cone[1] + ToLab[k][2] * cone[2];
  return {lab[0], lab[1], lab[2]};
}

Lab oklabOf(QRgb pixel) {
  const std::array<float, 256>& light = linearLevels();
  return oklabOfLight(light[qRed(pixel)], light[qGreen(pixel)], light[qBlue(pixel)]);
}

// One row of the picture in OKLab, and whether each pixel counts (a fully transparent one does not).
struct LabRow {
  std::vector<float> L, a, b;
  std::vector<float> counts;  // 1 or 0
  explicit LabRow(int width) : L(width), a(width), b(width), counts(width, 1) {}
  void set(int x, const Lab& lab) {
    L[x] = lab.L;
    a[x] = lab.a;
    b[x] = lab.b;
  }
};

#if defined(__SSE2__)
// The cube root of four floats ≥ 0 as cubeRoot() gives it (0 gives a negligible 1e-13); the bits are
// divided by 3 in floating point, close enough for a guess.
__m128 cubeRoot4(__m128 x) {
  const __m128i third =
      _mm_cvtps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(_mm_castps_si128(x)), _mm_set1_ps(1.0f / 3)));
  const __m128 y = _mm_castsi128_ps(_mm_add_epi32(third, _mm_set1_epi32(int(CubeRootBias))));
  return _mm_mul_ps(_mm_add_ps(_mm_add_ps(y, y), _mm_div_ps(x, _mm_mul_ps(y, y))), _mm_set1_ps(1.0f / 3));
}

// The row of the matrix times the vector of four colours.
__m128 times(const float (&row)[3], const __m128 (&v)[3]) {
  return _mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_set1_ps(row[0]), v[0]), _mm_mul_ps(_mm_set1_ps(row[1]), v[1])),
                    _mm_mul_ps(_mm_set1_ps(row[2]), v[2]));
}

// Turns the opaque pixels of a row into OKLab four at a time, as far as whole fours go; gives where it
// stopped (the rest is left to the caller).
int labFourAtATime(const QRgb* line, int width, LabRow& row) {
  const std::array<float, 256>& light = linearLevels();
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    const QRgb* p = line + x;
    const __m128 rgb[3] = {
        _mm_setr_ps(light[qRed(p[0])], light[qRed(p[1])], light[qRed(p[2])], light[qRed(p[3])]),
        _mm_setr_ps(light[qGreen(p[0])], light[qGreen(p[1])], light[qGreen(p[2])], light[qGreen(p[3])]),
        _mm_setr_ps(light[qBlue(p[0])], light[qBlue(p[1])], light[qBlue(p[2])], light[qBlue(p[3])])};
    const __m128 cone[3] = {cubeRoot4(times(ToCones[0], rgb)), cubeRoot4(times(ToCones[1], rgb)),
                            cubeRoot4(times(ToCones[2], rgb))};
    _mm_storeu_ps(&row.L[x], times(ToLab[0], cone));
    _mm_storeu_ps(&row.a[x], times(ToLab[1], cone));
    _mm_storeu_ps(&row.b[x], times(ToLab[2], cone));
  }
  return x;
}
#else
int labFourAtATime(const QRgb*, int, LabRow&) { return 0; }
#endif

void toLab(const QRgb* line, int width, bool alpha, LabRow& row) {
  for (int x = alpha ? 0 : labFourAtATime(line, width, row); x < width; ++x) {
    row.counts[x] = !alpha || qAlpha(line[x]) != 0;
    row.set(x, oklabOf(alpha ? qUnpremultiply(line[x]) : line[x]));
  }
}

// The sums of a cell's pixels, in double precision: a spread from sums of squares needs it.
struct CellSums {
  double L = 0, a = 0, b = 0, squares = 0, count = 0;

  // Adds the pixels [from, to) of a row, in single precision along the run.
  void add(const LabRow& row, int from, int to) {
    float sL = 0, sa = 0, sb = 0, sq = 0, n = 0;
    for (int x = from; x < to; ++x) {
      const float w = row.counts[x];
      sL += w * row.L[x];
      sa += w * row.a[x];
      sb += w * row.b[x];
      sq += w * (row.L[x] * row.L[x] + row.a[x] * row.a[x] + row.b[x] * row.b[x]);
      n += w;
    }
    L += sL;
    a += sa;
    b += sb;
    squares += sq;
    count += n;
  }
};

PieceColour colourOf(const CellSums& sums) {
  const double n = sums.count;
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
  LabRow labs(size.width());
  for (int row = 0; row < rows; ++row) {
    const QRect band = uprightCellRect(row * columns, rows, columns, size);
    CellSums* cells = &sums[static_cast<std::size_t>(row) * columns];
    for (int y = band.top(); y <= band.bottom(); ++y) {
      toLab(reinterpret_cast<const QRgb*>(image.constScanLine(y)), size.width(), alpha, labs);
      for (int c = 0; c < columns; ++c) cells[c].add(labs, columnStart[c], columnStart[c + 1]);
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
  picture_ = picture;
  rows_ = rows;
  columns_ = columns;
  colours_.clear();
}

void PieceColours::clear() { measure(Picture(), 0, 0); }

const std::vector<PieceColour>& PieceColours::all() const {
  const std::shared_ptr<const SourceImage>& source = picture_.source();
  if (colours_.empty() && source && rows_ >= 1 && columns_ >= 1)
    colours_ =
        cellColours(source->level(colourLevel(source->full().size(), rows_, columns_)), rows_, columns_);
  return colours_;
}

}  // namespace tarsio
