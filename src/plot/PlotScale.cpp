#include "plot/PlotScale.hpp"

#include <algorithm>
#include <cmath>

#include "plot/FileText.hpp"

namespace quilex::plot {
namespace {
constexpr double kMargin = 0.03;  // of the span, on each side, so no mark sits on the frame
}

RoundStep RoundStepAtLeast(double raw) {
  int exponent = static_cast<int>(std::floor(std::log10(raw)));
  const auto power = [](int e) { return e >= 0 ? std::pow(10.0, e) : 1.0 / std::pow(10.0, -e); };
  double mantissa = 1;
  for (;;) {
    const double unit = power(exponent);
    if (unit * 1 >= raw) {
      mantissa = 1;
    } else if (unit * 2 >= raw) {
      mantissa = 2;
    } else if (unit * 5 >= raw) {
      mantissa = 5;
    } else {
      ++exponent;
      continue;
    }
    // log10 may land one decade too high for a raw step just below a power of ten.
    if (mantissa == 1 && power(exponent - 1) * 5 >= raw) {
      --exponent;
      continue;
    }
    break;
  }
  RoundStep round;
  round.step =
      exponent >= 0 ? mantissa * std::pow(10.0, exponent) : mantissa / std::pow(10.0, -exponent);
  round.decimals = std::max(0, -exponent);
  return round;
}

std::string AxisScale::label(long long k) const {
  return Fixed(tick(k), round.decimals);
}

AxisScale AxisOver(double lo, double hi, RoundStep round) {
  const double margin = (hi - lo) * kMargin;
  AxisScale axis;
  axis.round = round;
  axis.first = static_cast<long long>(std::floor((lo - margin) / round.step));
  axis.last = static_cast<long long>(std::ceil((hi + margin) / round.step));
  return axis;
}

}  // namespace quilex::plot
