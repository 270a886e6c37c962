// Checks shared by the tests of quilex-plot: the command run in this process, run folders made
// from the golden runs of quilex, and the structural checks of a picture (well-formed,
// self-contained, its boundary the folder's points in order under one linear map per axis).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "plot/XmlDocument.hpp"
#include "support/Files.hpp"

namespace quilex::plot::test {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::ScratchFolder;
using testing_support::WriteFile;

// What the command printed and the status it returned, run in this process.
struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};
Outcome RunCommand(const std::vector<std::string>& arguments);

// Puts into `folder` what a run of the golden case `name` (tests/cases) leaves: its inputs,
// risu-MN.txt and domplot.txt.
void CopyRun(const std::string& name, const fs::path& folder);
// The points of a polygon element, as drawn.
std::vector<std::pair<double, double>> PolygonPoints(const XmlElement& polygon);
// Runs quilex in `folder` on the inputs put there (parm.txt without the echo when there is
// none); its exit status.
int RunQuilexIn(const fs::path& folder);

// The two columns of a domplot.txt, read here independently of the command's reader.
std::vector<std::pair<double, double>> DomplotValues(const fs::path& file);

// Coordinates are printed to 0.01; two points far apart fix each map, so the others may
// differ by little more than that.
constexpr double kCoordinateTolerance = 0.02;

// One linear map per axis: picture coordinate = scale * value + offset.
struct AxisMap {
  double scale = 0;
  double offset = 0;
  double operator()(double value) const { return scale * value + offset; }
  // How far a picture drawn from the run's exact values may lie from this map, which is
  // taken from domplot.txt's values to 0.005: each point, and the two extreme points the
  // map comes from, move by as much.
  double tolerance() const {
    return kCoordinateTolerance + 3 * 0.005 * (scale < 0 ? -scale : scale);
  }
};
struct PictureMap {
  AxisMap x, y;
};

// Parses and checks the document: well-formed, SVG 1.1 with a viewBox and a title, no
// script, no reference to anything outside it.
testing::AssertionResult IsSelfContainedSvg(const std::string& document, XmlElement& root);

// The polygon "boundary" holds `values` in order under one linear map per axis (growing
// across, falling up); the map is returned in `map`.
testing::AssertionResult BoundaryMapsValues(const XmlElement& root,
                                            const std::vector<std::pair<double, double>>& values,
                                            PictureMap& map);

// The centre of a circle.
std::pair<double, double> CircleCentre(const XmlElement& circle);

// No label's box (a rect whose id ends in "-label-box") crosses the boundary polygon or
// covers any part of a marker (a circle, or the square of a shear failure).
// `prefix` starts the ids of a chart embedded below another (quilex-plot's "below-1-").
testing::AssertionResult LabelsCoverNothing(const XmlElement& root, const std::string& prefix = "");

// Even-odd rule: whether (x, y) lies inside the polygon.
bool InsidePolygon(const std::vector<std::pair<double, double>>& polygon, double x, double y);

}  // namespace quilex::plot::test
