// Shear resistance of a member with vertical stirrups by the variable-inclination strut
// model: the smaller of the stirrups' and the struts' resistance, the struts' raised or
// reduced by the mean axial stress. The checks of rectangular webs (RectangularShear.hpp)
// and of circles (CircularShear.hpp) are this model on their own lever arm and width.
#pragma once

#include <optional>

#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "quilex/verification.hpp"

namespace quilex::shear {

struct ShearResistance {
  ShearOutcome outcome = ShearOutcome::Resisted;
  double Vrd = 0;
  std::optional<ShearCheck> check;  // none when nothing was computed
};

// The lever arm of the internal forces, z = 0.9 d, in every web.
inline constexpr double kLeverArmFactor = 0.9;

// The outcome of a strut angle outside its range: nothing is computed.
inline const ShearResistance kStrutAngleRefused{ShearOutcome::StrutAngleOutOfRange, 0,
                                                std::nullopt};

// cot(theta) of a strut angle in degrees, or nothing (and the message in the log) outside
// 1 <= cot(theta) <= 2.5.
std::optional<double> StrutCotangent(double theta, IterationLog* log);

// The axial-stress factor alpha_cw of a mean stress sigma (tension positive); a compression
// at or beyond fcd gives 0 and its message in the log.
double AxialStressFactor(double sigma, double fcd, IterationLog* log);

// The smaller of the stirrups' and the struts' resistance for the web of `check` (b, z and
// alpha_cw given; the rest filled in). Without stirrups (Asw or nb 0) the result is exactly
// 0, whatever st.
ShearResistance StirrupsOrStruts(ShearCheck check, double Asw, int nb, double st, double cot_theta,
                                 const MaterialSet& m);

}  // namespace quilex::shear
