#include "shear/CircularShear.hpp"

#include <cmath>
#include <numbers>

#include "flexure/ElementaryFunctions.hpp"

namespace quilex::shear {

EquivalentRectangle CircleEquivalentRectangle(double D, double c) {
  EquivalentRectangle e;
  const double r = 0.5 * D;
  e.alpha = Asin(2 * (r - c) / (std::numbers::pi * r));
  const double s = Sin(e.alpha);
  const double k = Cos(e.alpha);
  e.d = r * (1 + s);
  e.A = r * r * (e.alpha + (std::numbers::pi / 2) + s * k);
  e.bw = e.A / e.d;
  return e;
}

ShearResistance CircularShear(double D, double c, double Asw, int nb, double st, double theta,
                              const MaterialSet& m, double Ned, IterationLog* log) {
  const std::optional<double> cot_theta = StrutCotangent(theta, log);
  if (!cot_theta) return kStrutAngleRefused;
  const EquivalentRectangle e = CircleEquivalentRectangle(D, c);
  ShearCheck check;
  check.b = e.bw;
  check.d = e.d;
  check.z = kLeverArmFactor * e.d;
  check.area = e.d * e.bw;
  check.sigma_cp = Ned / (e.d * e.bw);
  check.alpha_cw = AxialStressFactor(check.sigma_cp, m.fcd, log);
  return StirrupsOrStruts(check, Asw, nb, st, *cot_theta, m);
}

}  // namespace quilex::shear
