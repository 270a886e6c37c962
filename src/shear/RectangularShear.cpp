#include "shear/RectangularShear.hpp"

#include <optional>

namespace quilex::shear {

ShearResistance WebShear(double b, double d, double area, double Asw, int nb, double st,
                         double theta, const MaterialSet& m, double Ned, IterationLog* log) {
  const std::optional<double> cot_theta = StrutCotangent(theta, log);
  if (!cot_theta) return kStrutAngleRefused;
  ShearCheck check;
  check.b = b;
  check.d = d;
  check.z = kLeverArmFactor * d;
  check.area = area;
  check.sigma_cp = Ned / area;
  check.alpha_cw = AxialStressFactor(check.sigma_cp, m.fcd, log);
  return StirrupsOrStruts(check, Asw, nb, st, *cot_theta, m);
}

ShearResistance RectangularWebShear(double b, double h, double c, double Asw, int nb, double st,
                                    double theta, const MaterialSet& m, double Ned,
                                    IterationLog* log) {
  return WebShear(b, h - c, h * b, Asw, nb, st, theta, m, Ned, log);
}

}  // namespace quilex::shear
