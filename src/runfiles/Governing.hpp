// The combination that governs a check of a table of combinations, by one rule for the
// console of quilex-combos and the ring of quilex-plot: the first combination whose check
// found no ratio to compare (it failed for another reason: no resistance, outside the
// domain), else the first with the largest ratio.
//
//   std::optional<std::size_t> governing;
//   for (std::size_t row = 0; row < ratios.size(); ++row)
//     if (Governs(ratios[row], governing ? &ratios[*governing] : nullptr)) governing = row;
#pragma once

#include <optional>

namespace quilex::runfiles {

// Whether a later combination with `offered` takes the place of the one governing so far
// (none: nullptr).
inline bool Governs(const std::optional<double>& offered, const std::optional<double>* current) {
  if (current == nullptr) return true;
  if (!offered) return current->has_value();
  return current->has_value() && *offered > **current;
}

}  // namespace quilex::runfiles
