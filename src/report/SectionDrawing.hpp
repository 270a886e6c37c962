// The cross section drawn to scale for a calculation report, so that a checker sees the
// input as the computation took it: the concrete outline, every bar (the layers of R and T
// as bands at their depth, since sezi.txt gives their areas and not their bars), and the
// stirrups as a dashed line through the outermost bar axes, with the overall dimensions.
//
//   const std::string svg = DrawSection(RectangularSection{.B = 300, .H = 500, .c = 40, ...});
//   // an <svg> element 300 px square at most, 1 mm = the same length across and up
#pragma once

#include <string>

#include "runfiles/InputFiles.hpp"

namespace quilex::report {

// An <svg> element (no XML declaration: it goes inside HTML).
std::string DrawSection(const runfiles::SectionData& section);

}  // namespace quilex::report
