// Reads what the last run of quilex left in a folder and what it was given: sezi.txt,
// mate.txt and slu-max.txt through the program's own input reading, risu-MN.txt and
// domplot.txt as the program writes them, and risu-combinations.csv when it is there.
// The run is done again in memory: risu-MN.txt and domplot.txt must be what the inputs
// give, byte for byte, and the picture is placed by that run's exact numbers (the files
// hold them to two decimals, or as asterisks where a value is too wide for its field).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "plot/PlotModel.hpp"

namespace quilex::plot {

// Points of domplot.txt, each line "-N M" (the domain of R, T, C) or "Mx My" (the contour of
// D and P) in two f8.2 fields:
// exactly `expected_points` lines, the last repeating the first; a field of asterisks is
// NaN. Throws InputError.
std::vector<PlotPoint> ReadDomainPoints(const std::filesystem::path& file,
                                        std::size_t expected_points,
                                        const std::string& section_type);

// The results block of risu-MN.txt, field by field as printed.
struct RunResults {
  bool biaxial = false;  // the twelve-line block of a type-D section (also P's first lines)
  bool radial = false;   // and a thirteenth, rho_rad: a type-P section
  // Printed values by label; nullopt for a field of asterisks (beyond its print width).
  std::vector<std::pair<std::string, std::optional<double>>> values;
  std::vector<std::string> texts;            // the fields as printed, trimmed
  std::size_t no_resisting_moment_line = 0;  // line of "ATTENTION --> Mrd = 0 ...", or 0
  // Line of "ATTENTION --> Ned and Med outside the M-N domain ...", or 0: the design point
  // lies outside the domain although rho_M is at most 1.
  std::size_t outside_domain_line = 0;

  const std::optional<double>& value(const std::string& label) const;
  const std::string& text(const std::string& label) const;
};

RunResults ReadRunResults(const std::filesystem::path& file);

// Everything a picture of the folder needs. Throws InputError for the first file that
// cannot be drawn.
DomainPlot ReadRunFolder(const std::filesystem::path& folder);

}  // namespace quilex::plot
