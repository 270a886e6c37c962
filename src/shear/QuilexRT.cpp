#include "shear/QuilexRT.hpp"

#include <cmath>

namespace quilex::shear {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kLeverArmFactor = 0.9;

}  // namespace

double StrutCotangent(textio::OutputUnit& unit, double theta) {
  const double cot_theta = 1 / std::tan(theta * kPi / 180);
  if (!(1 <= cot_theta && cot_theta <= 2.5)) {
    unit.WriteFormatted("('ATTENTION --> ctan_theta is out of range!')");
    throw StrutAngleOutOfRange{};
  }
  return cot_theta;
}

double AxialStressFactor(textio::OutputUnit& unit, double sigma, double fcd) {
  if (std::isnan(sigma) || sigma >= 0) return 1;
  if (-0.25 * fcd < sigma) return 1 + std::fabs(sigma) / fcd;
  if (-0.5 * fcd <= sigma) return 1.25;
  if (-fcd < sigma) return 2.5 * (1 - std::fabs(sigma) / fcd);
  unit.WriteFormatted("('ATTENTION --> maximum compression is out of range!')");
  return 0;
}

double StirrupsOrStruts(double z, double b, double alpha_cw, double Asw, int nb, double st,
                        double cot_theta, double fyd, double fcd, double nu) {
  const double VRd_s = nb * z * Asw / st * fyd * cot_theta;
  const double VRd_max = z * b * alpha_cw * (nu * fcd) * cot_theta / (cot_theta * cot_theta + 1);
  // 0/0 (no stirrup area at zero spacing) must not hide the struts' resistance.
  return std::fmin(VRd_s, VRd_max);
}

double ShearCheckRT(textio::OutputUnit& unit, double b, double h, double c, double Asw, int nb,
                    double st, double theta, double fyd, double fcd, double nu, double Ned) {
  const double cot_theta = StrutCotangent(unit, theta);
  const double z = kLeverArmFactor * (h - c);
  const double sigma = Ned / (h * b);
  const double alpha_cw = AxialStressFactor(unit, sigma, fcd);
  return StirrupsOrStruts(z, b, alpha_cw, Asw, nb, st, cot_theta, fyd, fcd, nu);
}

}  // namespace quilex::shear
