// The benchmark's photo: gradients, waves and noise, written as a JPEG.
#include "Photo.h"

#include <QDir>
#include <QImage>
#include <QtMath>
#include <vector>

namespace tarsio::bench {

namespace {

// A smooth profile along one axis for each colour channel: a ramp plus two waves of different length.
std::vector<int> profile(int length, double ramp, double wave, double phase) {
  std::vector<int> values(length);
  for (int i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / length;
    values[i] = static_cast<int>(ramp * t + wave * std::sin(2 * M_PI * (3 * t + phase)) +
                                 wave / 2 * std::sin(2 * M_PI * (17 * t + 2 * phase)));
  }
  return values;
}

}  // namespace

QString writePhoto(const QString& folder, QSize size) {
  const int w = size.width(), h = size.height();
  QImage image(size, QImage::Format_RGB32);
  const std::vector<int> redX = profile(w, 120, 30, 0.1), redY = profile(h, 60, 25, 0.7);
  const std::vector<int> greenX = profile(w, 60, 35, 0.4), greenY = profile(h, 110, 20, 0.2);
  const std::vector<int> blueX = profile(w, 30, 25, 0.9), blueY = profile(h, 140, 30, 0.5);
  quint32 state = 0x2545F491u;
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      // Triangular noise of about ±12 levels, shared in part by the channels as a sensor's is.
      const int grain = static_cast<int>(state & 15) + static_cast<int>((state >> 4) & 15) - 15;
      const int tint = static_cast<int>((state >> 8) & 7) - 3;
      row[x] = qRgb(qBound(0, 40 + redX[x] + redY[y] + grain + tint, 255),
                    qBound(0, 40 + greenX[x] + greenY[y] + grain, 255),
                    qBound(0, 30 + blueX[x] + blueY[y] + grain - tint, 255));
    }
  }
  const QString path = QDir(folder).filePath(QStringLiteral("photo.jpg"));
  return image.save(path, "JPG", 90) ? path : QString();
}

}  // namespace tarsio::bench
