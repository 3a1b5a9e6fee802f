// The benchmark's harness: timing, medians, and the table of figures against their floors.
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace tarsio::bench {

// One line of the table: a figure, the floor it is measured against, and the ratio allowed.
struct Row {
  QString figure;
  double median = 0;  // the figure's median, in `unit`
  double floor = 0;   // the floor's median (or fixed value), in `unit`
  double target = 0;  // the largest ratio median / floor that passes
  QString unit;       // "ms" or "MB"
  bool passes() const { return floor > 0 && median / floor <= target; }
};

// Ends the benchmark with exit code 2 and the reason: a figure of a step that did not happen means
// nothing.
[[noreturn]] void stop(const QString& why);

// Milliseconds that `work` takes on the steady clock.
double millisecondsOf(const std::function<void()>& work);

double median(std::vector<double> values);

// Medians of a figure and its floor over `runs` runs each, the two alternating so that both see the
// same load of the machine. Each function does its own untimed preparation and returns the
// milliseconds of its timed part.
struct Paired {
  double figure;
  double floor;
};
Paired measurePaired(int runs, const std::function<double()>& figure, const std::function<double()>& floor);

// Prints the table to standard output; true when every ratio is within its target.
bool printTable(const std::vector<Row>& rows);

}  // namespace tarsio::bench
