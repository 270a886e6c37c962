// Axis scales of a picture: round tick steps (1, 2 or 5 times a power of ten) and axis
// ranges that run from one whole step to another, so every tick carries a short label.
//
//   AxisOver(-727.83, 4340.33, RoundStepAtLeast(5068.16 / 8))
//     -> step 1000, ticks -1 .. 5, labels "-1000" .. "5000"
//
// Every finite size is handled in bounded time: a step is never below kSmallestStep (a
// spread of a few subnormal numbers gets one step of 1e-300 instead of a step of zero) and
// never above kLargestStep, and an axis never holds more than kMostTicks steps.
#pragma once

#include <string>

namespace quilex::plot {

constexpr double kSmallestStep = 1e-300;
constexpr double kLargestStep = 1e300;
constexpr long long kMostTicks = 1000;

struct RoundStep {
  double step = 1;
  int decimals = 0;  // decimals of a tick label
  int mantissa = 1;  // step = mantissa * 10^exponent
  int exponent = 0;
};

// The smallest round step that is not below `raw`, kept within kSmallestStep..kLargestStep.
// Throws std::invalid_argument unless raw is finite and not negative.
RoundStep RoundStepAtLeast(double raw);

struct AxisScale {
  RoundStep round;
  long long first = 0;  // the axis runs from first * step
  long long last = 0;   // to last * step
  double low() const { return static_cast<double>(first) * round.step; }
  double high() const { return static_cast<double>(last) * round.step; }
  double tick(long long k) const { return static_cast<double>(k) * round.step; }
  // "-1000", "0.25"; beyond six decimals or nine digits "-3e-12", "2e10": no label runs long.
  std::string label(long long k) const;
};

// The axis over the values lo..hi (finite, lo <= hi), widened by a small margin and then out
// to whole steps. Throws std::invalid_argument when the values are not finite or the axis
// would need more than kMostTicks steps.
AxisScale AxisOver(double lo, double hi, RoundStep round);

}  // namespace quilex::plot
