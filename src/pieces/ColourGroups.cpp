// Colour groups: k-means in OKLab with a fixed seed, the groups in a path of near colours, and their names.
#include "pieces/ColourGroups.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace tarsio {

namespace {

constexpr int FewestGroups = 4;
constexpr int MostGroups = 12;
// The number of groups is chosen on so many pieces at most, taken evenly from all of them.
constexpr std::size_t SampleSize = 2048;
constexpr int Rounds = 24;      // rounds of the clustering of the sample, at most
constexpr int FinalRounds = 4;  // and of all the pieces once the number is chosen
// Groups whose pieces lie this close to their centre (root mean square) look of one colour.
constexpr double TightGroup = 0.035;
constexpr std::uint32_t Seed = 0x7a125u;

float squaredDistance(const Lab& x, const Lab& y) {
  return (x.L - y.L) * (x.L - y.L) + (x.a - y.a) * (x.a - y.a) + (x.b - y.b) * (x.b - y.b);
}

int nearest(const std::vector<Lab>& centres, const Lab& colour) {
  int best = 0;
  float bestDistance = std::numeric_limits<float>::max();
  for (int c = 0; c < int(centres.size()); ++c)
    if (const float d = squaredDistance(centres[c], colour); d < bestDistance) {
      best = c;
      bestDistance = d;
    }
  return best;
}

// Uniform in [0, 1) from the generator's own numbers, which the standard fixes on every system.
double uniform(std::mt19937& engine) { return (engine() >> 8) * (1.0 / (1 << 24)); }

// The first centres, each drawn with a chance that grows with the square of its distance from those
// already drawn; fewer than k when the points have fewer distinct colours.
std::vector<Lab> firstCentres(const std::vector<Lab>& points, int k, std::mt19937& engine) {
  std::vector<Lab> centres{points[engine() % points.size()]};
  std::vector<double> distance(points.size(), std::numeric_limits<double>::max());
  while (int(centres.size()) < k) {
    double total = 0;
    for (std::size_t p = 0; p < points.size(); ++p) {
      distance[p] = std::min<double>(distance[p], squaredDistance(points[p], centres.back()));
      total += distance[p];
    }
    if (total <= 0) break;
    double drawn = uniform(engine) * total;
    std::size_t p = 0;
    while (p + 1 < points.size() && (drawn -= distance[p]) >= 0) ++p;
    centres.push_back(points[p]);
  }
  return centres;
}

// Moves each centre to the mean of the points nearest to it, `rounds` times or until no point changes
// its centre; gives the points' mean squared distance from their centres.
double settle(const std::vector<Lab>& points, std::vector<Lab>& centres, std::vector<int>& owner,
              int rounds) {
  owner.assign(points.size(), -1);
  double error = 0;
  for (int round = 0; round < rounds; ++round) {
    bool changed = false;
    error = 0;
    std::vector<double> sums(centres.size() * 3, 0);
    std::vector<int> counts(centres.size(), 0);
    for (std::size_t p = 0; p < points.size(); ++p) {
      const int c = nearest(centres, points[p]);
      changed = changed || owner[p] != c;
      owner[p] = c;
      error += squaredDistance(points[p], centres[c]);
      sums[3 * c] += points[p].L;
      sums[3 * c + 1] += points[p].a;
      sums[3 * c + 2] += points[p].b;
      ++counts[c];
    }
    if (!changed) break;
    for (std::size_t c = 0; c < centres.size(); ++c)
      if (counts[c] > 0)
        centres[c] = {float(sums[3 * c] / counts[c]), float(sums[3 * c + 1] / counts[c]),
                      float(sums[3 * c + 2] / counts[c])};
  }
  return error / double(points.size());
}

// The centres of the fewest groups from 4 to 12 whose points lie close to them; 12 when none do.
std::vector<Lab> chooseCentres(const std::vector<Lab>& sample) {
  std::vector<Lab> centres;
  std::vector<int> owner;
  for (int k = FewestGroups; k <= MostGroups; ++k) {
    std::mt19937 engine(Seed + k);
    centres = firstCentres(sample, k, engine);
    const double error = settle(sample, centres, owner, Rounds);
    if (int(centres.size()) < k || std::sqrt(error) <= TightGroup) break;
  }
  return centres;
}

// The groups from the darkest on, each followed by the nearest colour left.
std::vector<int> pathOrder(const std::vector<Lab>& centres) {
  std::vector<int> left(centres.size());
  std::iota(left.begin(), left.end(), 0);
  std::vector<int> order;
  auto next =
      std::min_element(left.begin(), left.end(), [&](int x, int y) { return centres[x].L < centres[y].L; });
  while (!left.empty()) {
    const int at = *next;
    order.push_back(at);
    left.erase(next);
    next = std::min_element(left.begin(), left.end(), [&](int x, int y) {
      return squaredDistance(centres[x], centres[at]) < squaredDistance(centres[y], centres[at]);
    });
  }
  return order;
}

// The hues by their angle in OKLab (degrees, up to each bound), with the lightness their colours
// usually have: a blue of the lightness of an ordinary yellow is a light blue.
struct Hue {
  double upTo;
  const char* name;
  float usualLightness;
};
constexpr Hue Hues[] = {{45, "Rossi", 0.6f},  {80, "Arancioni", 0.75f}, {125, "Gialli", 0.93f},
                        {175, "Verdi", 0.7f}, {240, "Azzurri", 0.8f},   {285, "Blu", 0.5f},
                        {345, "Viola", 0.6f}, {360, "Rossi", 0.6f}};

}  // namespace

QString colourName(const Lab& colour) {
  const double chroma = std::hypot(colour.a, colour.b);
  if (chroma < 0.035) {
    if (colour.L < 0.3f) return QStringLiteral("Neri");
    if (colour.L > 0.93f) return QStringLiteral("Bianchi");
    if (colour.L < 0.55f) return QStringLiteral("Grigi scuri");
    return colour.L > 0.75f ? QStringLiteral("Grigi chiari") : QStringLiteral("Grigi");
  }
  double hue = std::atan2(colour.b, colour.a) * 180 / M_PI;
  if (hue < 0) hue += 360;
  const Hue& named =
      *std::find_if(std::begin(Hues), std::end(Hues), [&](const Hue& h) { return hue < h.upTo; });
  const QString name = QString::fromLatin1(named.name);
  // Light reds are pinks, dark oranges and yellows browns, whatever their shade.
  if (name == u"Rossi" && colour.L > 0.8f) return QStringLiteral("Rosa");
  if ((name == u"Arancioni" && colour.L < 0.6f) || (name == u"Gialli" && colour.L < 0.55f))
    return QStringLiteral("Marroni");
  if (colour.L < named.usualLightness - 0.17f) return name + QStringLiteral(" scuri");
  return colour.L > named.usualLightness + 0.15f ? name + QStringLiteral(" chiari") : name;
}

std::vector<ColourGroup> colourGroups(const std::vector<PieceColour>& colours,
                                      const std::vector<int>& pieces) {
  if (pieces.empty()) return {};
  std::vector<Lab> points(pieces.size());
  for (std::size_t p = 0; p < pieces.size(); ++p) points[p] = colours[pieces[p]].mean;
  std::vector<Lab> sample;
  const std::size_t taken = std::min(SampleSize, points.size());
  for (std::size_t s = 0; s < taken; ++s) sample.push_back(points[s * points.size() / taken]);
  std::vector<Lab> centres = chooseCentres(sample);
  std::vector<int> owner;
  settle(points, centres, owner, FinalRounds);

  std::vector<std::vector<int>> members(centres.size());
  for (std::size_t p = 0; p < points.size(); ++p) members[owner[p]].push_back(pieces[p]);
  std::vector<ColourGroup> groups;
  QHash<QString, int> named;
  for (const int c : pathOrder(centres)) {
    if (members[c].empty()) continue;
    std::stable_sort(members[c].begin(), members[c].end(),
                     [&](int x, int y) { return colours[x].mean.L < colours[y].mean.L; });
    QString name = colourName(centres[c]);
    if (const int alike = named[name]++; alike > 0) name += QStringLiteral(" %1").arg(alike + 1);
    groups.push_back({centres[c], name, std::move(members[c])});
  }
  return groups;
}

}  // namespace tarsio
