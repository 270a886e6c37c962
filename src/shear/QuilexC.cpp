#include "shear/QuilexC.hpp"

#include <cmath>

#include "shear/QuilexRT.hpp"

namespace quilex::shear {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kLeverArmFactor = 0.9;

}  // namespace

EquivalentRectangle CircleEquivalentRectangle(double D, double c) {
  EquivalentRectangle e;
  const double r = 0.5 * D;
  e.alpha = std::asin(2 * (r - c) / (kPi * r));
  const double s = std::sin(e.alpha);
  const double k = std::cos(e.alpha);
  e.d = r * (1 + s);
  e.A = r * r * (e.alpha + kHalfPi + s * k);
  e.bw = e.A / e.d;
  return e;
}

double ShearCheckC(textio::OutputUnit& unit, double D, double c, double Asw, int nb, double st,
                   double theta, double fyd, double fcd, double nu, double Ned) {
  const double cot_theta = StrutCotangent(unit, theta);
  const EquivalentRectangle e = CircleEquivalentRectangle(D, c);
  const double z = kLeverArmFactor * e.d;
  const double sigma = Ned / (e.d * e.bw);
  const double alpha_cw = AxialStressFactor(unit, sigma, fcd);
  return StirrupsOrStruts(z, e.bw, alpha_cw, Asw, nb, st, cot_theta, fyd, fcd, nu);
}

}  // namespace quilex::shear
