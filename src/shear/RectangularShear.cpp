#include "shear/RectangularShear.hpp"

#include <optional>

namespace quilex::shear {

ShearResistance RectangularWebShear(double b, double h, double c, double Asw, int nb, double st,
                                    double theta, const MaterialSet& m, double Ned,
                                    IterationLog* log) {
  const std::optional<double> cot_theta = StrutCotangent(theta, log);
  if (!cot_theta) return kStrutAngleRefused;
  const double z = kLeverArmFactor * (h - c);
  const double sigma = Ned / (h * b);
  const double alpha_cw = AxialStressFactor(sigma, m.fcd, log);
  return StirrupsOrStruts(z, b, alpha_cw, Asw, nb, st, *cot_theta, m);
}

}  // namespace quilex::shear
