// Reads risu-combinations.csv, the table of results that quilex-combos writes: one row per
// load combination, first line a header, in the CSV dialect of runfiles/Csv.hpp (a name
// with a comma, a quote or a line end in double quotes). Columns are found by their header
// names (upper or lower case alike), so the table may grow columns.
#pragma once

#include <filesystem>
#include <vector>

#include "plot/PlotModel.hpp"

namespace quilex::plot {

// Rows of a table of R, T or C sections (`moment_contour` false: each combination at
// (-Ned, Med)) or of type-D sections (true: at (Mx, My)). Throws InputError naming the
// file, line and column of the first fault.
std::vector<CombinationPoint> ReadCombinationTable(const std::filesystem::path& file,
                                                   bool moment_contour);

// The combination that governs bending, by the rule of quilex-combos' console
// (runfiles::Governs) on the table's ratios: the first without a ratio, else the first of
// the largest. (Two ratios the table prints alike rank alike here; the console ranks them by
// their unprinted digits.)
std::optional<std::size_t> GoverningCombination(const std::vector<CombinationPoint>& rows);

}  // namespace quilex::plot
