// The records of risu-combinations.csv: one row per combination with the actions and the
// results block of risu-MN.txt for it, the verdict and the reasons for it.
//
// The numbers are the values the program prints (src/program/RunRecords: the same scaling to
// kN and kN·m, 999.99 for a ratio over a zero resistance, 0 for an absent epsilon or
// moment), rounded to two decimals by the program's own format engine and written without
// the field's padding and width limit. Records are comma-separated and end with CR LF; a
// text holding a comma, a quote or a line end is quoted, its quotes doubled.
//
// `verified` and `reason` are the library's verdict (quilex/verdict.hpp): empty for a
// verified row, else the failed conditions joined by "; ".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "combos/ActionsTable.hpp"
#include "quilex/verdict.hpp"
#include "quilex/verification.hpp"

namespace quilex::combos {

// The header record for the section's kind of actions; a polygon section's rows end with
// its radial ratio, after the columns of a rectangle with bars.
std::string_view HeaderRecord(ActionKind kind, bool radial_ratio = false);

// Appends the row of a combination; `name` is its name as read.
void AppendRow(std::string& out, std::string_view name, const Actions& actions,
               const Verification& v, const Verdict& verdict);
void AppendRow(std::string& out, std::string_view name, const BiaxialActions& actions,
               const BiaxialVerification& v, const Verdict& verdict);
void AppendRow(std::string& out, std::string_view name, const BiaxialActions& actions,
               const PolygonVerification& v, const Verdict& verdict);

// A value as the program prints it with two decimals (f8.2), without padding or width limit.
std::string TwoDecimals(double value);

}  // namespace quilex::combos
