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
//   PolygonSection: at least one outline; each outline and hole at least 3 vertices, finite
//     and within kMaxLength of the origin, simple (no edge touches another but its
//     neighbours at their common vertex, no vertex repeated) and of non-zero area; outlines
//     not overlapping (they may share edges); each hole inside one outline, holes not
//     overlapping; at most kMaxPolygonVertices in all; then at most kMaxPolygonBars bars,
//     each finite, of area >= 0, its centre in the concrete (on its boundary allowed) and not
//     inside a hole; the shear data (stirrups as for a RectangleWithBars, bx, by, dx, dy
//     lengths) when given; a finite reference point. Fields are named "outlines[0][3].x",
//     "holes[1]", "bars[7]", "shear.bx".
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

#include <cstddef>
#include <vector>

#include "quilex/errors.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"
#include "quilex/verification.hpp"

namespace quilex {

inline constexpr double kMaxLength = 1e5;                  // mm: 100 m
inline constexpr double kMaxArea = 1e10;                   // mm²: 100 m × 100 m
inline constexpr int kMaxLegs = 1000;                      // stirrup legs
inline constexpr double kMaxStrength = 1e4;                // N/mm²: fyd, fcd, fck
inline constexpr double kMaxModulus = 1e7;                 // N/mm²: Es, Ecm
inline constexpr std::size_t kMaxPolygonVertices = 10000;  // of a PolygonSection's rings
inline constexpr std::size_t kMaxPolygonBars = 10000;

std::vector<InvalidValue> Validate(const RectangularSection& section);
std::vector<InvalidValue> Validate(const TSection& section);
std::vector<InvalidValue> Validate(const CircularSection& section);
std::vector<InvalidValue> Validate(const RectangleWithBars& section);
std::vector<InvalidValue> Validate(const PolygonSection& section);
// What a polygon section needs of the settings: the parabola exponent 2.
std::vector<InvalidValue> Validate(const PolygonSection& section, const MaterialSet& materials,
                                   const Settings& settings);
std::vector<InvalidValue> Validate(const MaterialSet& materials);
std::vector<InvalidValue> Validate(const Actions& actions);
std::vector<InvalidValue> Validate(const BiaxialActions& actions);
std::vector<InvalidValue> Validate(const Settings& settings);
// What a choice of the settings needs of the materials: fck above 0 for
// ParabolaExponent::EN1992.
std::vector<InvalidValue> Validate(const MaterialSet& materials, const Settings& settings);

}  // namespace quilex
