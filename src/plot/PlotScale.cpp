#include "plot/PlotScale.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "plot/FileText.hpp"

namespace quilex::plot {
namespace {
constexpr double kMargin = 0.03;  // of the span, on each side, so no mark sits on the frame

// 10^e, exactly rounded for the decades a picture meets (a quotient of two exact powers).
double PowerOfTen(int e) {
  return e >= 0 ? std::pow(10.0, e) : 1.0 / std::pow(10.0, -e);
}
}  // namespace

RoundStep RoundStepAtLeast(double raw) {
  if (!(raw >= 0) || !std::isfinite(raw)) {
    throw std::invalid_argument("a tick step needs a finite size");
  }
  raw = std::clamp(raw, kSmallestStep, kLargestStep);
  // The decade of raw: 10^exponent <= raw < 10^(exponent + 1). log10 may land one decade off
  // next to a power of ten, so each correction runs at most once; within 1e-300..1e300 every
  // power met is a normal double.
  int exponent = static_cast<int>(std::floor(std::log10(raw)));
  while (PowerOfTen(exponent) > raw)
    --exponent;
  while (PowerOfTen(exponent + 1) <= raw)
    ++exponent;
  int mantissa = 1;
  if (PowerOfTen(exponent) >= raw) {
    mantissa = 1;
  } else if (PowerOfTen(exponent) * 2 >= raw) {
    mantissa = 2;
  } else if (PowerOfTen(exponent) * 5 >= raw) {
    mantissa = 5;
  } else {
    ++exponent;
  }
  RoundStep round;
  round.mantissa = mantissa;
  round.exponent = exponent;
  round.step =
      exponent >= 0 ? mantissa * std::pow(10.0, exponent) : mantissa / std::pow(10.0, -exponent);
  round.decimals = std::max(0, -exponent);
  return round;
}

std::string AxisScale::label(long long k) const {
  if (round.decimals <= 6 && round.exponent <= 9) return Fixed(tick(k), round.decimals);
  if (k == 0) return "0";
  return std::to_string(k * round.mantissa) + "e" + std::to_string(round.exponent);
}

AxisScale AxisOver(double lo, double hi, RoundStep round) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) {
    throw std::invalid_argument("an axis needs finite values in order");
  }
  // In steps, so that neither the span nor the margin can overflow.
  const double from = lo / round.step;
  const double to = hi / round.step;
  const double margin = (to - from) * kMargin;
  const double first = std::floor(from - margin);
  const double last = std::ceil(to + margin);
  if (!(last - first <= static_cast<double>(kMostTicks))) {
    throw std::invalid_argument("an axis of more than " + std::to_string(kMostTicks) + " steps");
  }
  AxisScale axis;
  axis.round = round;
  axis.first = static_cast<long long>(first);
  axis.last = static_cast<long long>(last);
  return axis;
}

}  // namespace quilex::plot
