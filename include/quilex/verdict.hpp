// The verdict of a verification in words: whether the section is verified and, when it is
// not, which conditions failed, in the words quilex-combos writes in the reason column of
// risu-combinations.csv. One place for the rule, so that every way in (the commands, the
// Python module, a report) says the same.
//
//   const quilex::Verdict verdict = quilex::VerdictOf(quilex::Verify(beam, m, actions));
//   // verdict.verified == false, verdict.shear == {"shear ratio above 1"},
//   // verdict.reason() == "shear ratio above 1"
//
// The failed conditions, in their order:
//   bending:  "outside the M-N domain"  (Ned at or beyond the axial capacities)
//             "no convergence"          (the search of the ultimate state did not converge)
//             "sample direction did not converge" (D: a depth search of the sweep)
//             "no bracketing direction" (D: no two sampled directions enclose the moment's)
//             "no resisting moment"     (the search converged on a zero moment)
//             "outside the M-N domain at this axial force" (the searches converged, but the
//                                        design point lies beyond the far end of the domain
//                                        at Ned: Mrd on the other side than Med, a zero Med
//                                        counting as positive, or for D the moment nearer
//                                        the origin than the contour)
//             "bending ratio above 1"
//             "radial ratio above 1", "no radial ratio" (polygon sections whose settings
//                                        choose the radial ratio)
//   shear:    "strut angle out of range"
//             "no shear resistance: mean compression reaches fcd"
//             "no shear resistance" (R, T, C), "no shear resistance along x",
//             "no shear resistance along y" (D): no stirrups, or no lever arm
//             "shear ratio above 1"
//             "shear not checked: the section has no shear data" (a polygon section
//                                        without shear data under Vx or Vy)
// `verified` is the result's verified(); for every result of Verify() it is true exactly when
// both lists are empty.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quilex/verification.hpp"

namespace quilex {

struct Verdict {
  bool verified = false;
  std::vector<std::string> bending;  // the failed bending conditions; empty when it passes
  std::vector<std::string> shear;    // the failed shear conditions; empty when it passes
  // The utilisation ratios, where the check found a resistance to compare with (a ratio
  // of a moment on the other side than Med's is none: its reason says why).
  std::optional<double> rho_M;
  std::optional<double> rho_V;

  // Every failed condition, bending first; empty when verified.
  std::vector<std::string> conditions() const;
  // The same joined by "; ", as the reason column writes them.
  std::string reason() const;
  bool operator==(const Verdict&) const = default;
};

// Failed conditions joined by "; ".
std::string JoinedConditions(const std::vector<std::string>& conditions);

Verdict VerdictOf(const Verification& v);
Verdict VerdictOf(const BiaxialVerification& v);
Verdict VerdictOf(const PolygonVerification& v);

}  // namespace quilex
