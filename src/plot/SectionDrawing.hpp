// The cross section drawn to scale, for a calculation report and beside the picture of a
// polygon section's results, so that a checker sees the input as the computation took it:
// the concrete outline (a polygon section's outlines, its holes left white), every bar (the
// layers of R and T as bands at their depth, since sezi.txt gives their areas and not their
// bars), the stirrups as a dashed line through the outermost bar axes (not for a polygon
// section, whose shear data are numbers only), the overall dimensions and, when given, the
// neutral axis of the resisting plane.
//
//   const std::string svg = DrawSection(RectangularSection{.B = 300, .H = 500, .c = 40, ...});
//   // an <svg> element 300 px square at most, 1 mm = the same length across and up
#pragma once

#include <string>

#include "runfiles/InputFiles.hpp"

#include <optional>

namespace quilex::plot {

// The neutral axis of a polygon section's resisting plane, in its coordinates: the side
// compressed (PolygonVerification::compression_angle) and the depth of the axis below the
// most compressed fibre.
struct NeutralAxisLine {
  double compression_angle = 0;  // rad from the x axis
  double depth = 0;              // mm
};

// An <svg> element (no XML declaration: it goes inside HTML or another picture).
std::string DrawSection(const runfiles::SectionData& section,
                        const std::optional<NeutralAxisLine>& axis = std::nullopt);

}  // namespace quilex::plot
