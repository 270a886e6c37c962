// What a picture of one run shows, in engineering units (kN, kN·m), before any layout:
// the boundary read from domplot.txt, the design and resisting points, the combinations of
// risu-combinations.csv and the descriptive texts. The readers fill it; the SVG writer
// only lays it out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quilex::plot {

struct PlotPoint {
  double x = 0;
  double y = 0;
};

enum class PlotKind {
  InteractionDomain,  // R, T, C (and P along its design moment): -N (kN) across, M (kN·m) up
  MomentContour,      // D, P: Mx across, My up (kN·m), equal scales
};

struct CombinationPoint {
  std::string name;
  double Ned = 0;    // kN
  PlotPoint moment;  // R, T, C: (-Ned, Med); D: (Mx, My), as the table holds them
  PlotPoint at;      // where it is drawn: at `moment`, or for D scaled to the drawn contour
  double rho_M = 0;  // as printed (999.99 with no resistance)
  // The bending ratio the governing rule compares: none when bending failed for another
  // reason than the ratio (no resistance, outside the domain at Ned).
  std::optional<double> ratio;
  bool bending_verified = false;
  bool shear_verified = false;
  bool verified = false;
};

struct DomainPlot {
  PlotKind kind = PlotKind::InteractionDomain;
  std::string document_title;            // the SVG <title>
  std::vector<std::string> title_lines;  // section; materials; actions and result
  std::string x_title;
  std::string y_title;
  std::string boundary_legend;
  std::vector<PlotPoint> boundary;  // as domplot.txt lists them, closing point included

  PlotPoint design;
  bool verified = false;  // in bending: the picture is of bending
  std::string design_label;
  std::string design_legend;
  std::optional<PlotPoint> resisting;  // none when the run found no resisting moment
  std::string resisting_label;
  std::string resisting_legend;
  // Outside the domain although rho_M is at most 1: the moments resisted at Ned, as a
  // segment (at -Ned for R, T, C; along the direction of the design moment for D).
  std::optional<std::pair<PlotPoint, PlotPoint>> extent;
  std::string extent_legend;

  std::vector<CombinationPoint> combinations;
  std::optional<std::size_t> governing;  // index into combinations: runfiles::Governs
  std::string combinations_legend;
  std::string combinations_note;  // how the rows are placed, when not at their own values
  std::string shear_legend;       // the combinations whose shear check failed
  std::string governing_legend;

  // A polygon section: its drawing (an <svg> element) beside the chart, and below it the M-N
  // domain in the direction of the design moment.
  std::string section_drawing;
  std::vector<DomainPlot> charts_below;
};

}  // namespace quilex::plot
