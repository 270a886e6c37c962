// The records of risu-combinations.csv: one row per combination with the actions and the
// results block of risu-MN.txt for it, the verdict and the reasons for it.
//
// The numbers are the values the program prints (src/program/RunRecords: the same scaling to
// kN and kN·m, 999.99 for a ratio over a zero resistance, 0 for an absent epsilon or
// moment), rounded to two decimals by the program's own format engine and written without
// the field's padding and width limit. Records are comma-separated and end with CR LF; a
// text holding a comma, a quote or a line end is quoted, its quotes doubled.
//
// `verified` is Verification::verified() (BiaxialVerification::verified() for D). `reason`
// is empty for a verified row, else the texts of the failed conditions in this order,
// joined by "; ":
//   bending:  "outside the M-N domain"  (Ned at or beyond the axial capacities)
//             "no convergence"          (the search of the ultimate state did not converge)
//             "sample direction did not converge" (D: a depth search of the sweep)
//             "no bracketing direction" (D: no two sampled directions enclose the moment's)
//             "no resisting moment"     (the search converged on a zero moment)
//             "outside the M-N domain at this axial force" (the searches converged, but the
//                                        design point lies beyond the far end of the domain
//                                        at Ned: Mrd on the other side than Med, or for D the
//                                        moment nearer the origin than the contour)
//             "bending ratio above 1"
//   shear:    "strut angle out of range"
//             "no shear resistance: mean compression reaches fcd"
//             "no shear resistance" (R, T, C), "no shear resistance along x",
//             "no shear resistance along y" (D): no stirrups, or no lever arm
//             "shear ratio above 1"
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "combos/ActionsTable.hpp"
#include "quilex/verification.hpp"

namespace quilex::combos {

// The header record for the section's kind of actions.
std::string_view HeaderRecord(ActionKind kind);

// The verdict of one combination, split into its bending and its shear part.
struct Verdict {
  bool verified = false;
  std::string bending;  // the bending part's reasons, empty when it passes
  std::string shear;    // the shear part's reasons, empty when it passes
  // The utilisation ratios the summary compares; none where the check found no resistance
  // to compare with (its reason says why).
  std::optional<double> rho_M;
  std::optional<double> rho_V;

  std::string reason() const;  // the `reason` field
};

Verdict VerdictOf(const Verification& v);
Verdict VerdictOf(const BiaxialVerification& v);

// Appends the row of a combination; `name` is its name as read.
void AppendRow(std::string& out, std::string_view name, const Actions& actions,
               const Verification& v, const Verdict& verdict);
void AppendRow(std::string& out, std::string_view name, const BiaxialActions& actions,
               const BiaxialVerification& v, const Verdict& verdict);

// A value as the program prints it with two decimals (f8.2), without padding or width limit.
std::string TwoDecimals(double value);

}  // namespace quilex::combos
