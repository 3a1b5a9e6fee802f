// Reading screenshots: colour boxes, words of a menu bar, the completion picture.
#include "e2e/ScreenReading.h"

#include <cstdlib>

namespace tarsio {

namespace {

constexpr int Tolerance = 24;
constexpr int CompletionPixels = 152 * 98;

template <typename Visit>
void forEachPixel(const QImage& screen, QRect area, Visit visit) {
  area &= screen.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) visit(x, y, line[x]);
  }
}

int lightness(QRgb pixel) { return (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3; }

}  // namespace

bool hasColour(QRgb pixel, QColor colour) {
  return std::abs(qRed(pixel) - colour.red()) <= Tolerance &&
         std::abs(qGreen(pixel) - colour.green()) <= Tolerance &&
         std::abs(qBlue(pixel) - colour.blue()) <= Tolerance;
}

QRect colourBox(const QImage& screen, QColor colour, QRect area) {
  QRect box;
  forEachPixel(screen, area, [&](int x, int y, QRgb pixel) {
    if (hasColour(pixel, colour)) box |= QRect(x, y, 1, 1);
  });
  return box;
}

double colourShare(const QImage& screen, QColor colour, QRect area) {
  int matching = 0, all = 0;
  forEachPixel(screen, area, [&](int, int, QRgb pixel) {
    ++all;
    matching += hasColour(pixel, colour);
  });
  return all == 0 ? 0.0 : double(matching) / all;
}

QList<QRect> wordsInBand(const QImage& screen, QRect band) {
  band &= screen.rect();
  if (band.isEmpty()) return {};
  const int background = lightness(screen.pixel(band.topLeft()));
  QList<QRect> words;
  int gap = 0;
  for (int x = band.left(); x <= band.right(); ++x) {
    QRect ink;
    for (int y = band.top(); y <= band.bottom(); ++y)
      if (lightness(screen.pixel(x, y)) < background - 40) ink |= QRect(x, y, 1, 1);
    if (ink.isEmpty()) {
      ++gap;
      continue;
    }
    if (words.isEmpty() || gap >= 6)
      words.append(ink);
    else
      words.last() |= ink;
    gap = 0;
  }
  return words;
}

bool showsCompletion(const QImage& screen, QRect area) {
  int yellow = 0, lettering = 0;
  forEachPixel(screen, area, [&](int, int, QRgb pixel) {
    yellow += qRed(pixel) > 200 && qGreen(pixel) > 150 && qBlue(pixel) < 150;
    lettering += qRed(pixel) > 100 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
  });
  // The star fills more than a third of its box; its dark red lettering about 400 pixels.
  return yellow >= CompletionPixels / 6 && lettering >= 150;
}

}  // namespace tarsio
