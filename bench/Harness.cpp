// The benchmark's harness: timing, medians, and the printed table.
#include "Harness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tarsio::bench {

void stop(const QString& why) {
  std::fprintf(stderr, "%s\n", qPrintable(why));
  std::exit(2);
}

double millisecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Paired measurePaired(int runs, const std::function<double()>& figure, const std::function<double()>& floor) {
  std::vector<double> figures, floors;
  for (int run = 0; run < runs; ++run) {
    floors.push_back(floor());
    figures.push_back(figure());
  }
  return {median(figures), median(floors)};
}

bool printTable(const std::vector<Row>& rows) {
  qsizetype width = 6;
  for (const Row& row : rows) width = std::max(width, row.figure.size());
  std::printf("%s  %12s  %12s  %7s  %8s\n",
              QStringLiteral("figure").leftJustified(width).toUtf8().constData(), "median", "floor", "ratio",
              "target");
  bool all = true;
  for (const Row& row : rows) {
    const QByteArray unit = row.unit.toUtf8();
    std::printf("%s  %9.3f %-2s  %9.3f %-2s  %7.3f  <= %5.2f  %s\n",
                row.figure.leftJustified(width).toUtf8().constData(), row.median, unit.constData(), row.floor,
                unit.constData(), row.median / row.floor, row.target, row.passes() ? "ok" : "MISSED");
    all = all && row.passes();
  }
  std::fflush(stdout);
  return all;
}

}  // namespace tarsio::bench
