// Axis scales of a picture: round tick steps (1, 2 or 5 times a power of ten) and axis
// ranges that run from one whole step to another, so every tick carries a short label.
#pragma once

#include <string>

namespace quilex::plot {

struct RoundStep {
  double step = 1;
  int decimals = 0;  // decimals of a tick label
};

// The smallest round step that is not below `raw` (raw > 0).
RoundStep RoundStepAtLeast(double raw);

struct AxisScale {
  RoundStep round;
  long long first = 0;  // the axis runs from first * step
  long long last = 0;   // to last * step
  double low() const { return static_cast<double>(first) * round.step; }
  double high() const { return static_cast<double>(last) * round.step; }
  double tick(long long k) const { return static_cast<double>(k) * round.step; }
  std::string label(long long k) const;
};

// The axis over the values lo..hi (lo < hi), widened by a small margin and then out to whole
// steps.
AxisScale AxisOver(double lo, double hi, RoundStep round);

}  // namespace quilex::plot
