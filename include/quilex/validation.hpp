// Which values a verification cannot use. The verification and domain functions call these
// first and throw InvalidInput when any problem is found; front ends call them to report
// problems their own way (the program quilex writes the first message to risu-MN.txt).
//
// The checks, in the order they are reported:
//   RectangularSection: B > 0, H > 0, 0 <= c < H/2, Asw >= 0, nb >= 0, st > 0 unless Asw or
//     nb is 0, As_top >= 0, As_bottom >= 0.
//   TSection: BiNf, HiNf, BsUp, HsUp > 0, 0 <= c < (HiNf + HsUp)/2, then the stirrups and
//     the areas as for a rectangle.
//   CircularSection: D > 0, 0 <= c < D/2, 0 <= nF <= 200, Df >= 0, then the stirrups.
//   RectangleWithBars: B > 0, H > 0, Asw >= 0, nbx >= 0, nby >= 0, st > 0 unless Asw is 0 or
//     both nbx and nby are, 1 to 200 bars; then for each bar |x| <= B/2 and |y| <= H/2,
//     then area >= 0.
//   Every number must be finite; a non-finite one is reported before its other checks.
//   Sizes no real section has are refused, so that no force can overflow: every length
//   (B, H, the parts of a T, D, Df, st) at most kMaxLength, every area (As, Asw, a bar's)
//   at most kMaxArea, every count of legs at most kMaxLegs; strengths at most kMaxStrength,
//   Es at most kMaxModulus, strains at most 1.
//
// Example:
//
//   quilex::RectangularSection s{.B = 300, .H = 500, .c = 260};
//   quilex::Validate(s);  // {{"c", "c must be at least 0 and less than half the depth"}}
#pragma once

#include <vector>

#include "quilex/errors.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"
#include "quilex/verification.hpp"

namespace quilex {

inline constexpr double kMaxLength = 1e5;    // mm: 100 m
inline constexpr double kMaxArea = 1e10;     // mm²: 100 m × 100 m
inline constexpr int kMaxLegs = 1000;        // stirrup legs
inline constexpr double kMaxStrength = 1e4;  // N/mm²: fyd, fcd, fck
inline constexpr double kMaxModulus = 1e7;   // N/mm²: Es, Ecm

std::vector<InvalidValue> Validate(const RectangularSection& section);
std::vector<InvalidValue> Validate(const TSection& section);
std::vector<InvalidValue> Validate(const CircularSection& section);
std::vector<InvalidValue> Validate(const RectangleWithBars& section);
std::vector<InvalidValue> Validate(const MaterialSet& materials);
std::vector<InvalidValue> Validate(const Actions& actions);
std::vector<InvalidValue> Validate(const BiaxialActions& actions);
std::vector<InvalidValue> Validate(const Settings& settings);
// What a choice of the settings needs of the materials: fck above 0 for
// ParabolaExponent::EN1992.
std::vector<InvalidValue> Validate(const MaterialSet& materials, const Settings& settings);

}  // namespace quilex
