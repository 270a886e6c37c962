// The table of design actions that quilex-combos verifies a section for: one load
// combination per row, as analysis programs and spreadsheets export them.
//
// The rules:
// - The first line that is neither blank nor a comment is the header. It names the columns,
//   in any order and in any case: Ned, Med, Ved for R, T and C sections; Ned, Mx, My, Vx, Vy
//   for D sections; optionally name (or combination, when there is no name column) for the
//   rows' labels. Other columns are ignored.
// - The separator, quoting, blank and comment lines, byte-order mark and line ends are those
//   of the run folder's one CSV dialect (runfiles/Csv.hpp): tab, else semicolon, else comma,
//   taken from the header line; fields may be quoted ("ULS 1, wind") and quoted text may run
//   over line ends. With a semicolon a value may use a decimal comma (12,5).
// - Every row has as many fields as the header.
// - Numbers are written as slu-max.txt takes them (300, 300., .5, -3e2, 3d2) and read to
//   the same double. A unit of kN converts forces to N and moments to N·mm by moving the
//   decimal point of the written number 3 or 6 places, so that 1.005 kN is exactly the
//   double of 1005 N written in N (1.005 * 1000 would give 1004.9999999999999).
//
// A table that breaks a rule is a TableError naming the file, the line and the column.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "quilex/verification.hpp"

namespace quilex::combos {

// Which actions the table holds: those of an R, T or C section, or those of a D section.
enum class ActionKind { Uniaxial, Biaxial };

// The units of the table's values.
enum class ActionUnits { Newton, KiloNewton };

class TableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ActionsTable {
  std::vector<Actions> uniaxial;        // ActionKind::Uniaxial, in N and N·mm
  std::vector<BiaxialActions> biaxial;  // ActionKind::Biaxial, in N and N·mm
  std::vector<std::string> names;       // one per row when the table has a name column

  std::size_t size() const { return uniaxial.size() + biaxial.size(); }
  // The row's name; its number from 1 when the table has no name column or the field is
  // empty.
  std::string Name(std::size_t row) const;
};

// Reads the table `content`; `file` names it in the messages.
ActionsTable ReadActionsTable(std::string_view content, const std::string& file, ActionKind kind,
                              ActionUnits units);

}  // namespace quilex::combos
