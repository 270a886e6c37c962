// Reads risu-combinations.csv, the table of results that quilex-combos writes: one row per
// load combination, comma-separated, first line a header, CR LF line ends. Columns are
// found by their header names (upper or lower case alike), so the table may grow columns.
// A name that holds a comma or a quote is written in double quotes, quotes doubled.
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

// The combination that governs bending: the largest rho_M, the first of equals.
std::optional<std::size_t> GoverningCombination(const std::vector<CombinationPoint>& rows);

}  // namespace quilex::plot
