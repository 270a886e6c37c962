#include "plot/DomainPicture.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/FileText.hpp"
#include "plot/PlotScale.hpp"
#include "plot/SvgWriter.hpp"

namespace quilex::plot {
namespace {

constexpr double kWidth = 800;
constexpr double kTop = 118;  // below four title lines
constexpr double kDomainLeft = 90;
constexpr double kDomainWidth = 680;
constexpr double kDomainHeight = 420;
constexpr double kContourSide = 560;  // the larger side of a moment contour's frame
constexpr double kTicksAcross = 8;    // about this many steps along a horizontal axis
constexpr double kTicksUp = 6;
constexpr double kLabelSpacing = 46;  // least room, in user units, for one x tick label

constexpr const char* kVerifiedColour = "#1a9850";
constexpr const char* kNotVerifiedColour = "#d73027";
constexpr const char* kShearFailureStyle = "fill=\"none\" stroke=\"#6a3d9a\" stroke-width=\"1.3\"";
constexpr double kCombinationRadius = 2.5;
constexpr double kShearSquare = 9;
constexpr double kLeaderFrom = 24;  // a label farther than this from its point gets a leader  //
                                    // side of the square around a combination failing shear
constexpr const char* kBoundaryStyle =
    "fill=\"#9ecae1\" fill-opacity=\"0.35\" stroke=\"#08519c\" stroke-width=\"1.5\" "
    "stroke-linejoin=\"round\"";

struct Extent {
  double lo = 0;  // zero is always inside: the axes pass through it
  double hi = 0;
  void Add(double value) {
    lo = std::min(lo, value);
    hi = std::max(hi, value);
  }
  double span() const { return hi - lo; }
};

// The picture's frame: where the data go, and the one linear map per axis.
struct Frame {
  double left = 0, top = kTop, width = 0, height = 0;
  AxisScale x, y;
  double X(double value) const { return left + (value - x.low()) * (width / (x.high() - x.low())); }
  double Y(double value) const {
    return top + (y.high() - value) * (height / (y.high() - y.low()));
  }
};

// A flat extent (all values zero) spans -1..1, or one step each side when steps are larger.
AxisScale AxisFor(const Extent& extent, RoundStep round) {
  if (extent.span() == 0) {
    AxisScale axis;
    axis.round = round;
    axis.last = std::max(1LL, static_cast<long long>(std::ceil(1 / round.step)));
    axis.first = -axis.last;
    return axis;
  }
  return AxisOver(extent.lo, extent.hi, round);
}

Frame Layout(const DomainPlot& plot) {
  Extent across, up;
  for (const PlotPoint& point : plot.boundary) {
    across.Add(point.x);
    up.Add(point.y);
  }
  const auto add = [&](const PlotPoint& point) {
    across.Add(point.x);
    up.Add(point.y);
  };
  add(plot.design);
  if (plot.resisting) add(*plot.resisting);
  for (const CombinationPoint& row : plot.combinations)
    add(row.at);

  Frame frame;
  if (plot.kind == PlotKind::InteractionDomain) {
    const RoundStep flat = RoundStepAtLeast(2 / kTicksUp);  // a flat axis spans -1..1
    frame.x =
        AxisFor(across, across.span() > 0 ? RoundStepAtLeast(across.span() / kTicksAcross) : flat);
    frame.y = AxisFor(up, up.span() > 0 ? RoundStepAtLeast(up.span() / kTicksUp) : flat);
    frame.left = kDomainLeft;
    frame.width = kDomainWidth;
    frame.height = kDomainHeight;
    return frame;
  }
  // Equal scales: one step for both axes, one length per kN·m.
  const double larger = std::max(across.span(), up.span());
  const RoundStep round = RoundStepAtLeast((larger > 0 ? larger : 2) / kTicksAcross);
  frame.x = AxisFor(across, round);
  frame.y = AxisFor(up, round);
  const double x_range = frame.x.high() - frame.x.low();
  const double y_range = frame.y.high() - frame.y.low();
  const double scale = std::min(kContourSide / x_range, kContourSide / y_range);
  frame.width = x_range * scale;
  frame.height = y_range * scale;
  frame.left = std::max(kDomainLeft, (kWidth - frame.width) / 2);
  return frame;
}

void DrawAxes(SvgWriter& svg, const Frame& frame, const DomainPlot& plot) {
  const double right = frame.left + frame.width;
  const double bottom = frame.top + frame.height;
  svg.BeginGroup("id=\"grid\" stroke=\"#e0e0e0\" stroke-width=\"1\"");
  for (long long k = frame.x.first; k <= frame.x.last; ++k) {
    const double x = frame.X(frame.x.tick(k));
    svg.Line(x, frame.top, x, bottom, "");
  }
  for (long long k = frame.y.first; k <= frame.y.last; ++k) {
    const double y = frame.Y(frame.y.tick(k));
    svg.Line(frame.left, y, right, y, "");
  }
  svg.EndGroup();
  svg.Rect(frame.left, frame.top, frame.width, frame.height,
           "id=\"frame\" fill=\"none\" stroke=\"#888888\" stroke-width=\"1\"");

  // The axes through zero, with a short mark at every tick.
  const double x0 = frame.X(0);
  const double y0 = frame.Y(0);
  svg.BeginGroup("id=\"axes\" stroke=\"#303030\" stroke-width=\"1.2\"");
  svg.Line(frame.left, y0, right, y0, "id=\"axis-across\"");
  svg.Line(x0, frame.top, x0, bottom, "id=\"axis-up\"");
  for (long long k = frame.x.first; k <= frame.x.last; ++k) {
    const double x = frame.X(frame.x.tick(k));
    svg.Line(x, y0 - 4, x, y0 + 4, "");
  }
  for (long long k = frame.y.first; k <= frame.y.last; ++k) {
    const double y = frame.Y(frame.y.tick(k));
    svg.Line(x0 - 4, y, x0 + 4, y, "");
  }
  svg.EndGroup();

  // Tick labels along the frame; across, only as many as have room.
  const double spacing = frame.width / static_cast<double>(frame.x.last - frame.x.first);
  const long long every = std::max(1LL, static_cast<long long>(std::ceil(kLabelSpacing / spacing)));
  svg.BeginGroup("id=\"tick-labels\" fill=\"#303030\"");
  for (long long k = frame.x.first; k <= frame.x.last; ++k) {
    if (k % every != 0) continue;
    svg.Text(frame.X(frame.x.tick(k)), bottom + 16, frame.x.label(k), "text-anchor=\"middle\"");
  }
  for (long long k = frame.y.first; k <= frame.y.last; ++k) {
    svg.Text(frame.left - 6, frame.Y(frame.y.tick(k)) + 4, frame.y.label(k), "text-anchor=\"end\"");
  }
  svg.EndGroup();
  svg.Text(frame.left + frame.width / 2, bottom + 38, plot.x_title,
           "id=\"x-title\" text-anchor=\"middle\" font-size=\"13\"");
  svg.UprightText(frame.left - 62, frame.top + frame.height / 2, plot.y_title,
                  "id=\"y-title\" text-anchor=\"middle\" font-size=\"13\"");
}

// Characters of a UTF-8 text, for the width of its background.
double CharacterCount(const std::string& text) {
  double count = 0;
  for (const char ch : text) {
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) count += 1;
  }
  return count;
}

// A box in user units, y down.
struct Box {
  double x0, y0, x1, y1;
  bool Overlaps(const Box& other) const {
    return x0 < other.x1 && other.x0 < x1 && y0 < other.y1 && other.y0 < y1;
  }
  bool Contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
  // Whether the segment from (ax, ay) to (bx, by) passes through the box (Liang-Barsky).
  bool Crosses(double ax, double ay, double bx, double by) const {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int k = 0; k < 4; ++k) {
      if (p[k] == 0) {
        if (q[k] < 0) return false;
        continue;
      }
      const double t = q[k] / p[k];
      if (p[k] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
      if (t0 > t1) return false;
    }
    return true;
  }
};

// What a label must not cover: the boundary, every marker, and the labels placed before it.
struct Obstacles {
  std::vector<PlotPoint> boundary;  // in user units, closed
  std::vector<Box> boxes;           // markers and labels

  int Collisions(const Box& box) const {
    int count = 0;
    for (std::size_t k = 0; k + 1 < boundary.size(); ++k) {
      if (box.Crosses(boundary[k].x, boundary[k].y, boundary[k + 1].x, boundary[k + 1].y)) ++count;
    }
    for (const Box& other : boxes)
      count += box.Overlaps(other) ? 1 : 0;
    return count;
  }
  void AddMarker(double x, double y, double radius) {
    boxes.push_back({x - radius, y - radius, x + radius, y + radius});
  }
};

// A label on a light box beside the point (x, y): the first place around it, nearest first,
// where the box, slid into the frame, covers no boundary, marker or earlier label; when
// none is free, the place with the fewest such overlaps. The box becomes an obstacle.
void PlacedLabel(SvgWriter& svg, const Frame& frame, Obstacles& obstacles, double x, double y,
                 double marker_radius, const std::string& text, const std::string& id,
                 const std::string& attributes, double font_size, double character_width) {
  const double width = CharacterCount(text) * character_width + 6;
  const double height = font_size + 4;
  Box best{};
  bool best_end = false;
  int fewest = -1;
  // Within the frame first; when no place there is free (a narrow contour holding its
  // points), beside it too, in the picture's margins.
  const Box frame_box{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
  const Box margins{8, frame.top, kWidth - 8, frame.top + frame.height};
  const std::vector<double> near{9.0, 16.0, 26.0, 40.0, 60.0, 90.0};
  const std::vector<double> farther{9.0, 16.0, 26.0, 40.0, 60.0, 90.0, 130.0, 180.0, 240.0, 320.0};
  for (const auto& [inside, distances] :
       {std::pair{frame_box, near}, std::pair{margins, farther}}) {
    if (fewest == 0) break;
    for (const double distance : distances) {
      // Right above, right below, left above, left below, then straight above and below.
      const struct {
        double dx, dy;
        bool end;  // anchored at its end (to the left of the point)
      } places[] = {{distance, -distance * 0.6, false}, {distance, distance * 0.6 + height, false},
                    {-distance, -distance * 0.6, true}, {-distance, distance * 0.6 + height, true},
                    {-width / 2, -distance, false},     {-width / 2, distance + height, false}};
      for (const auto& place : places) {
        const double tx = x + place.dx;
        const double baseline = y + place.dy;
        const double left = place.end ? tx - width + 3 : tx - 3;
        Box box{left, baseline - font_size, left + width, baseline - font_size + height};
        // Slid back inside: near an edge the point's label then sits along that edge.
        const double shift_x =
            std::max(0.0, inside.x0 - box.x0) - std::max(0.0, box.x1 - inside.x1);
        const double shift_y =
            std::max(0.0, inside.y0 - box.y0) - std::max(0.0, box.y1 - inside.y1);
        box = {box.x0 + shift_x, box.y0 + shift_y, box.x1 + shift_x, box.y1 + shift_y};
        int collisions = obstacles.Collisions(box);
        if (box.x0 < inside.x0 || box.x1 > inside.x1 || box.y0 < inside.y0 || box.y1 > inside.y1) {
          collisions += 1000;  // wider than the frame: only when nothing else is possible
        }
        if (fewest < 0 || collisions < fewest) {
          fewest = collisions;
          best = box;
          best_end = place.end;
        }
        if (collisions == 0) break;
      }
      if (fewest == 0) break;
    }
  }
  // A label pushed away from its point keeps a thin leader to it, from the box's nearest point.
  const double near_x = std::clamp(x, best.x0, best.x1);
  const double near_y = std::clamp(y, best.y0, best.y1);
  const double reach = std::hypot(near_x - x, near_y - y);
  if (reach > kLeaderFrom) {
    // From the edge of the point's marker, which it must not cross.
    const double from = marker_radius / reach;
    svg.Line(x + (near_x - x) * from, y + (near_y - y) * from, near_x, near_y,
             "id=\"" + id + "-leader\" stroke=\"#707070\" stroke-width=\"0.8\"");
  }
  svg.Rect(best.x0, best.y0, best.x1 - best.x0, best.y1 - best.y0,
           "id=\"" + id + "-box\" fill=\"#ffffff\" fill-opacity=\"0.85\"");
  const double tx = best_end ? best.x1 - 3 : best.x0 + 3;
  svg.Text(tx, best.y0 + font_size, text,
           "id=\"" + id + "\"" + attributes + " text-anchor=\"" + (best_end ? "end" : "start") +
               "\" font-size=\"" + Compact(font_size) + "\" fill=\"#202020\"");
  obstacles.boxes.push_back(best);
}

// The markers of the combinations: the fill tells bending, a square around one that fails
// shear tells shear. Drawn over the design and resisting points, which stay visible around
// them.
void DrawCombinations(SvgWriter& svg, const Frame& frame, const DomainPlot& plot,
                      Obstacles& obstacles) {
  if (plot.combinations.empty()) return;
  svg.BeginGroup("id=\"combinations\" fill-opacity=\"0.85\"");
  for (const CombinationPoint& row : plot.combinations) {
    const double x = frame.X(row.at.x);
    const double y = frame.Y(row.at.y);
    if (!row.shear_verified) {
      svg.Rect(x - kShearSquare / 2, y - kShearSquare / 2, kShearSquare, kShearSquare,
               std::string("class=\"shear-failure\" ") + kShearFailureStyle);
    }
    svg.Circle(x, y, kCombinationRadius,
               std::string("class=\"combination\" fill=\"") +
                   (row.bending_verified ? kVerifiedColour : kNotVerifiedColour) +
                   "\" stroke=\"#ffffff\" stroke-width=\"0.8\"");
    obstacles.AddMarker(x, y, row.shear_verified ? kCombinationRadius : kShearSquare / 2);
  }
  svg.EndGroup();
  if (plot.governing) {
    const CombinationPoint& row = plot.combinations[*plot.governing];
    svg.Circle(frame.X(row.at.x), frame.Y(row.at.y), 5.5,
               "id=\"governing\" fill=\"none\" stroke=\"#202020\" stroke-width=\"1.2\"");
    obstacles.AddMarker(frame.X(row.at.x), frame.Y(row.at.y), 6);
  }
}

void DrawGoverningLabel(SvgWriter& svg, const Frame& frame, const DomainPlot& plot,
                        Obstacles& obstacles) {
  if (!plot.governing) return;
  const CombinationPoint& row = plot.combinations[*plot.governing];
  const std::string label =
      row.name + (row.ratio ? " (rho_M = " + Fixed(row.rho_M, 2) + ")" : " (no bending ratio)");
  PlacedLabel(svg, frame, obstacles, frame.X(row.at.x), frame.Y(row.at.y), 6, label,
              "governing-label", "", 11, 6.4);
}

constexpr const char* kExtentStyle =
    "stroke=\"#cb181d\" stroke-width=\"4\" stroke-linecap=\"round\" stroke-opacity=\"0.7\"";

// The extent, the resisting and the design points; their labels come after every marker.
void DrawPoints(SvgWriter& svg, const Frame& frame, const DomainPlot& plot, Obstacles& obstacles) {
  const double dx = frame.X(plot.design.x);
  const double dy = frame.Y(plot.design.y);
  if (plot.extent) {
    const auto& [from, to] = *plot.extent;
    svg.Line(frame.X(from.x), frame.Y(from.y), frame.X(to.x), frame.Y(to.y),
             std::string("id=\"extent\" ") + kExtentStyle);
  }
  if (plot.resisting) {
    const double rx = frame.X(plot.resisting->x);
    const double ry = frame.Y(plot.resisting->y);
    svg.Line(dx, dy, rx, ry,
             "id=\"resisting-line\" stroke=\"#505050\" stroke-width=\"1.2\" "
             "stroke-dasharray=\"5 4\"");
    svg.Circle(rx, ry, 4,
               "id=\"resisting-point\" fill=\"#ffffff\" stroke=\"#08519c\" stroke-width=\"2\"");
    obstacles.AddMarker(rx, ry, 4);
  }
  svg.Circle(dx, dy, 5.5,
             std::string("id=\"design-point\" fill=\"") +
                 (plot.verified ? kVerifiedColour : kNotVerifiedColour) +
                 "\" fill-opacity=\"0.8\" stroke=\"#202020\" stroke-width=\"1\"");
  obstacles.AddMarker(dx, dy, 5.5);
}

void DrawPointLabels(SvgWriter& svg, const Frame& frame, const DomainPlot& plot,
                     Obstacles& obstacles) {
  const std::string bold = " font-weight=\"bold\"";
  PlacedLabel(svg, frame, obstacles, frame.X(plot.design.x), frame.Y(plot.design.y), 5.5,
              plot.design_label, "design-label", bold, 12, 7.4);
  if (plot.resisting) {
    PlacedLabel(svg, frame, obstacles, frame.X(plot.resisting->x), frame.Y(plot.resisting->y), 4,
                plot.resisting_label, "resisting-label", bold, 12, 7.4);
  }
}

int LegendLines(const DomainPlot& plot) {
  return 2 + (plot.resisting ? 1 : 0) + (plot.extent ? 1 : 0) +
         (plot.combinations_legend.empty() ? 0 : 2) + (plot.combinations_note.empty() ? 0 : 1) +
         (plot.governing_legend.empty() ? 0 : 1);
}

// The legend below the frame, one line per item (LegendLines of them).
void DrawLegend(SvgWriter& svg, const Frame& frame, const DomainPlot& plot) {
  double y = frame.top + frame.height + 66;
  const double swatch = frame.left;
  const double text = frame.left + 34;
  svg.BeginGroup("id=\"legend\" font-size=\"12\" fill=\"#202020\"");
  svg.Rect(swatch + 4, y - 9, 18, 10, kBoundaryStyle);
  svg.Text(text, y, plot.boundary_legend, "");
  y += 20;
  svg.Circle(swatch + 13, y - 4, 5.5,
             std::string("fill=\"") + (plot.verified ? kVerifiedColour : kNotVerifiedColour) +
                 "\" fill-opacity=\"0.8\" stroke=\"#202020\" stroke-width=\"1\"");
  svg.Text(text, y, plot.design_legend, "");
  if (plot.resisting) {
    y += 20;
    svg.Line(swatch, y - 4, swatch + 26, y - 4,
             "stroke=\"#505050\" stroke-width=\"1.2\" stroke-dasharray=\"5 4\"");
    svg.Circle(swatch + 13, y - 4, 4, "fill=\"#ffffff\" stroke=\"#08519c\" stroke-width=\"2\"");
    svg.Text(text, y, plot.resisting_legend, "");
  }
  if (plot.extent) {
    y += 20;
    svg.Line(swatch, y - 4, swatch + 26, y - 4, kExtentStyle);
    svg.Text(text, y, plot.extent_legend, "");
  }
  if (!plot.combinations_legend.empty()) {
    y += 20;
    svg.Circle(swatch + 8, y - 4, 2.5, std::string("fill=\"") + kVerifiedColour + "\"");
    svg.Circle(swatch + 18, y - 4, 2.5, std::string("fill=\"") + kNotVerifiedColour + "\"");
    svg.Text(text, y, plot.combinations_legend, "");
    if (!plot.combinations_note.empty()) {
      y += 20;
      svg.Text(text, y, plot.combinations_note, "");
    }
    y += 20;
    svg.Rect(swatch + 13 - kShearSquare / 2, y - 4 - kShearSquare / 2, kShearSquare, kShearSquare,
             kShearFailureStyle);
    svg.Text(text, y, plot.shear_legend, "");
  }
  if (!plot.governing_legend.empty()) {
    y += 20;
    svg.Circle(swatch + 13, y - 4, 5.5, "fill=\"none\" stroke=\"#202020\" stroke-width=\"1.2\"");
    svg.Text(text, y, plot.governing_legend, "");
  }
  svg.EndGroup();
}

// The height of the picture of one chart.
double ChartHeight(const DomainPlot& plot) {
  const Frame frame = Layout(plot);
  return frame.top + frame.height + 66 + 20 * (LegendLines(plot) - 1) + 16;
}

std::string DrawChart(const DomainPlot& plot) {
  const Frame frame = Layout(plot);
  const double height = ChartHeight(plot);

  SvgWriter svg(kWidth, height, plot.document_title,
                "Drawn by quilex-plot from the input and result files of one run of quilex.");
  svg.Rect(0, 0, kWidth, height, "fill=\"#ffffff\"");
  svg.BeginGroup("id=\"title\" fill=\"#202020\"");
  for (std::size_t k = 0; k < plot.title_lines.size(); ++k) {
    svg.Text(24, 26 + 22 * static_cast<double>(k), plot.title_lines[k],
             k == 0 ? "font-size=\"15\" font-weight=\"bold\"" : "font-size=\"13\"");
  }
  svg.EndGroup();
  DrawAxes(svg, frame, plot);
  std::vector<PlotPoint> boundary;
  boundary.reserve(plot.boundary.size());
  for (const PlotPoint& point : plot.boundary)
    boundary.push_back({frame.X(point.x), frame.Y(point.y)});
  svg.Polygon(boundary, std::string("id=\"boundary\" ") + kBoundaryStyle);
  Obstacles obstacles{boundary, {}};
  DrawPoints(svg, frame, plot, obstacles);
  DrawCombinations(svg, frame, plot, obstacles);
  DrawPointLabels(svg, frame, plot, obstacles);
  DrawGoverningLabel(svg, frame, plot, obstacles);
  DrawLegend(svg, frame, plot);
  return svg.Finish();
}

// The room beside the chart for the drawing of the section (DrawSection: 348 at most).
constexpr double kSectionRoom = 360;

}  // namespace

std::string DrawDomainPicture(const DomainPlot& plot) {
  if (plot.section_drawing.empty() && plot.charts_below.empty()) return DrawChart(plot);
  // The chart, the section beside it, the further charts below, each with its own ids.
  double height = ChartHeight(plot);
  for (const DomainPlot& below : plot.charts_below)
    height += ChartHeight(below);
  const double width = kWidth + (plot.section_drawing.empty() ? 0 : kSectionRoom);
  SvgWriter svg(width, height, plot.document_title,
                "Drawn by quilex-plot from the input and result files of one run of quilex.");
  svg.Rect(0, 0, width, height, "fill=\"#ffffff\"");
  svg.Embed(DrawChart(plot), 0, 0, "id=\"chart\"");
  if (!plot.section_drawing.empty()) {
    svg.Embed(plot.section_drawing, kWidth, kTop - 20, "id=\"section\"");
    svg.Text(kWidth + kSectionRoom / 2, kTop - 24, "The section; dashed: the neutral axis of Rd",
             "text-anchor=\"middle\" font-size=\"11\" fill=\"#404040\"");
  }
  double top = ChartHeight(plot);
  int k = 0;
  for (const DomainPlot& below : plot.charts_below) {
    std::string chart = DrawChart(below);
    // Ids stay unique in the one document.
    const std::string prefix = "id=\"below-" + std::to_string(++k) + "-";
    for (std::size_t at = 0; (at = chart.find("id=\"", at)) != std::string::npos;
         at += prefix.size()) {
      chart.replace(at, 4, prefix);
    }
    svg.Embed(chart, 0, top, "id=\"chart-below-" + std::to_string(k) + "\"");
    top += ChartHeight(below);
  }
  return svg.Finish();
}

}  // namespace quilex::plot
