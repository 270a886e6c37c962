#include "shear/StrutModel.hpp"

#include <cmath>
#include <numbers>

#include "flexure/ElementaryFunctions.hpp"

namespace quilex::shear {
std::optional<double> StrutCotangent(double theta, IterationLog* log) {
  const double cot_theta = 1 / Tan(theta * std::numbers::pi / 180);
  if (!(1 <= cot_theta && cot_theta <= 2.5)) {
    if (log != nullptr) log->StrutAngleOutOfRange();
    return std::nullopt;
  }
  return cot_theta;
}

double AxialStressFactor(double sigma, double fcd, IterationLog* log) {
  if (std::isnan(sigma) || sigma >= 0) return 1;
  if (-0.25 * fcd < sigma) return 1 + std::fabs(sigma) / fcd;
  if (-0.5 * fcd <= sigma) return 1.25;
  if (-fcd < sigma) return 2.5 * (1 - std::fabs(sigma) / fcd);
  if (log != nullptr) log->CompressionOutOfRange();
  return 0;
}

ShearResistance StirrupsOrStruts(ShearCheck check, double Asw, int nb, double st, double cot_theta,
                                 const MaterialSet& m) {
  const double fyd = m.fyd, fcd = m.fcd, nu = m.nu;
  const double z = check.z, b = check.b, alpha_cw = check.alpha_cw;
  // Stirrups without area or without legs resist nothing, whatever their spacing (at a
  // positive spacing the formula gives this same 0; at none it would give 0/0).
  const bool no_stirrups = Asw == 0 || nb == 0;
  const double VRd_s = no_stirrups ? 0.0 : nb * z * Asw / st * fyd * cot_theta;
  const double VRd_max = z * b * alpha_cw * (nu * fcd) * cot_theta / (cot_theta * cot_theta + 1);
  const double Vrd = std::fmin(VRd_s, VRd_max);
  check.cot_theta = cot_theta;
  check.nu = nu;
  check.VRd_s = VRd_s;
  check.VRd_max = VRd_max;
  if (Vrd != 0) return {ShearOutcome::Resisted, Vrd, check};
  if (alpha_cw == 0) return {ShearOutcome::CompressionOutOfRange, Vrd, check};
  return {no_stirrups ? ShearOutcome::NoStirrups : ShearOutcome::NoLeverArm, Vrd, check};
}

}  // namespace quilex::shear
