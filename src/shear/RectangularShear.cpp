#include "shear/RectangularShear.hpp"

#include <optional>

namespace quilex::shear {

ShearResistance RectangularWebShear(double b, double h, double c, double Asw, int nb, double st,
                                    double theta, const MaterialSet& m, double Ned,
                                    IterationLog* log) {
  const std::optional<double> cot_theta = StrutCotangent(theta, log);
  if (!cot_theta) return kStrutAngleRefused;
  ShearCheck check;
  check.b = b;
  check.d = h - c;
  check.z = kLeverArmFactor * (h - c);
  check.area = h * b;
  check.sigma_cp = Ned / (h * b);
  check.alpha_cw = AxialStressFactor(check.sigma_cp, m.fcd, log);
  return StirrupsOrStruts(check, Asw, nb, st, *cot_theta, m);
}

}  // namespace quilex::shear
