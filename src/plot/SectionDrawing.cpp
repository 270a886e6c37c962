#include "plot/SectionDrawing.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plot/FileText.hpp"
#include "plot/SvgWriter.hpp"

namespace quilex::plot {
namespace {

constexpr double kLargestSide = 260;  // px, of the section's larger dimension
constexpr double kMargin = 44;        // px around it, for the dimensions
constexpr const char* kConcrete = "fill=\"#d9d9d9\" stroke=\"#404040\" stroke-width=\"1.2\"";
constexpr const char* kStirrup =
    "fill=\"none\" stroke=\"#6a3d9a\" stroke-width=\"1.2\" stroke-dasharray=\"6 3\"";
constexpr const char* kBar = "fill=\"#202020\"";
constexpr const char* kHole = "fill=\"#ffffff\" stroke=\"#404040\" stroke-width=\"1.2\"";
constexpr const char* kNeutralAxis =
    "id=\"neutral-axis\" stroke=\"#d73027\" stroke-width=\"1.5\" stroke-dasharray=\"8 4\"";
constexpr const char* kLayer = "stroke=\"#202020\" stroke-width=\"5\" stroke-linecap=\"round\"";

// From millimetres of the section (x to the right, y down from its top left corner) to the
// picture, one scale for both axes.
struct Scale {
  double factor = 1;
  double X(double x) const { return kMargin + x * factor; }
  double Y(double y) const { return kMargin + y * factor; }
};

struct Canvas {
  Scale scale;
  double width_mm = 0, height_mm = 0;
  SvgWriter svg;
  Canvas(double width, double height, const std::string& title)
      : scale{kLargestSide / std::max(width, height)},
        width_mm(width),
        height_mm(height),
        svg(2 * kMargin + width * scale.factor, 2 * kMargin + height * scale.factor, title,
            "The cross section to scale: concrete, bars and stirrups.") {}

  // The overall width below the section and the depth to its left.
  std::string Finish() {
    const double bottom = scale.Y(height_mm);
    svg.Text(scale.X(width_mm / 2), bottom + 26, Compact(width_mm) + " mm",
             "text-anchor=\"middle\"");
    svg.UprightText(kMargin - 14, scale.Y(height_mm / 2), Compact(height_mm) + " mm",
                    "text-anchor=\"middle\"");
    std::string text = svg.Finish();
    return text.substr(text.find("<svg"));  // without the XML declaration: it goes into HTML
  }
};

// A layer of bars of an R or T section as a band at its depth, with its area beside it.
void Layer(Canvas& canvas, double x0, double x1, double depth, double area) {
  if (area <= 0) return;
  const Scale& s = canvas.scale;
  canvas.svg.Line(s.X(x0), s.Y(depth), s.X(x1), s.Y(depth), kLayer);
}

void LayerLabel(Canvas& canvas, double x, double depth, double area, bool above) {
  const Scale& s = canvas.scale;
  canvas.svg.Text(s.X(x), s.Y(depth) + (above ? -6 : 14), "As = " + Compact(area) + " mm\u00B2",
                  "text-anchor=\"middle\" font-size=\"11\"");
}

// The part of the line p·n = level (n the unit vector at `angle`) inside the box, or none.
std::optional<std::pair<PlotPoint, PlotPoint>> LineInBox(double angle, double level, double x0,
                                                         double y0, double x1, double y1) {
  const double nx = std::cos(angle), ny = std::sin(angle);
  // Points level·n + s (-ny, nx); the box bounds s on each axis it is not parallel to.
  double lo = -1e300, hi = 1e300;
  const auto bound = [&](double base, double step, double from, double to) {
    if (step == 0) return base >= from && base <= to;
    const double a = (from - base) / step, b = (to - base) / step;
    lo = std::max(lo, std::min(a, b));
    hi = std::min(hi, std::max(a, b));
    return true;
  };
  if (!bound(level * nx, -ny, x0, x1) || !bound(level * ny, nx, y0, y1) || !(lo < hi)) {
    return std::nullopt;
  }
  return std::pair{PlotPoint{level * nx - lo * ny, level * ny + lo * nx},
                   PlotPoint{level * nx - hi * ny, level * ny + hi * nx}};
}

std::string DrawPolygonSection(const PolygonSection& p,
                               const std::optional<NeutralAxisLine>& axis) {
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (const std::vector<Vertex>& ring : p.outlines) {
    for (const Vertex& v : ring) {
      x0 = std::min(x0, v.x);
      y0 = std::min(y0, v.y);
      x1 = std::max(x1, v.x);
      y1 = std::max(y1, v.y);
    }
  }
  Canvas canvas(x1 - x0, y1 - y0, "Section P");
  const Scale& s = canvas.scale;
  // y up in the section, down in the picture.
  const auto at = [&](double x, double y) { return PlotPoint{s.X(x - x0), s.Y(y1 - y)}; };
  const auto ring_points = [&](const std::vector<Vertex>& ring) {
    std::vector<PlotPoint> points;
    for (const Vertex& v : ring)
      points.push_back(at(v.x, v.y));
    return points;
  };
  for (const std::vector<Vertex>& ring : p.outlines)
    canvas.svg.Polygon(ring_points(ring), kConcrete);
  for (const std::vector<Vertex>& ring : p.holes)
    canvas.svg.Polygon(ring_points(ring), kHole);
  for (const Bar& bar : p.bars) {
    const double diameter = std::sqrt(4 * bar.area / std::numbers::pi);
    const PlotPoint centre = at(bar.x, bar.y);
    canvas.svg.Circle(centre.x, centre.y, std::max(1.5, diameter / 2 * s.factor), kBar);
  }
  if (axis) {
    // The most compressed fibre is the outline's corner farthest along the compressed side.
    const double nx = std::cos(axis->compression_angle), ny = std::sin(axis->compression_angle);
    double top = -1e300;
    for (const std::vector<Vertex>& ring : p.outlines)
      for (const Vertex& v : ring)
        top = std::max(top, v.x * nx + v.y * ny);
    if (const auto line = LineInBox(axis->compression_angle, top - axis->depth, x0, y0, x1, y1)) {
      const PlotPoint a = at(line->first.x, line->first.y), b = at(line->second.x, line->second.y);
      canvas.svg.Line(a.x, a.y, b.x, b.y, kNeutralAxis);
    }
  }
  return canvas.Finish();
}

}  // namespace

std::string DrawSection(const runfiles::SectionData& section,
                        const std::optional<NeutralAxisLine>& axis) {
  return std::visit(
      runfiles::Overloaded{
          [](const RectangularSection& r) {
            Canvas canvas(r.B, r.H, "Section R");
            const Scale& s = canvas.scale;
            canvas.svg.Rect(s.X(0), s.Y(0), r.B * s.factor, r.H * s.factor, kConcrete);
            // A width within twice the cover (a valid section: c is a depth) has no stirrup
            // to draw.
            if (r.B > 2 * r.c) {
              canvas.svg.Rect(s.X(r.c), s.Y(r.c), (r.B - 2 * r.c) * s.factor,
                              (r.H - 2 * r.c) * s.factor, kStirrup);
            }
            Layer(canvas, r.c, r.B - r.c, r.c, r.As_top);
            Layer(canvas, r.c, r.B - r.c, r.H - r.c, r.As_bottom);
            if (r.As_top > 0) LayerLabel(canvas, r.B / 2, r.c, r.As_top, false);
            if (r.As_bottom > 0) LayerLabel(canvas, r.B / 2, r.H - r.c, r.As_bottom, true);
            return canvas.Finish();
          },
          [](const TSection& t) {
            const double width = std::max(t.BsUp, t.BiNf);
            const double h = t.HsUp + t.HiNf;
            Canvas canvas(width, h, "Section T");
            const Scale& s = canvas.scale;
            const double flange_x = (width - t.BsUp) / 2, web_x = (width - t.BiNf) / 2;
            canvas.svg.Rect(s.X(flange_x), s.Y(0), t.BsUp * s.factor, t.HsUp * s.factor, kConcrete);
            canvas.svg.Rect(s.X(web_x), s.Y(t.HsUp), t.BiNf * s.factor, t.HiNf * s.factor,
                            kConcrete);
            // The stirrups are the web's, over the whole depth; each layer lies across the
            // block at its depth.
            if (t.BiNf > 2 * t.c) {
              canvas.svg.Rect(s.X(web_x + t.c), s.Y(t.c), (t.BiNf - 2 * t.c) * s.factor,
                              (h - 2 * t.c) * s.factor, kStirrup);
            }
            const auto block_at = [&](double depth) {
              return depth < t.HsUp ? std::pair{flange_x, t.BsUp} : std::pair{web_x, t.BiNf};
            };
            const auto [top_x, top_width] = block_at(t.c);
            const auto [bottom_x, bottom_width] = block_at(h - t.c);
            Layer(canvas, top_x + t.c, top_x + top_width - t.c, t.c, t.As_top);
            Layer(canvas, bottom_x + t.c, bottom_x + bottom_width - t.c, h - t.c, t.As_bottom);
            if (t.As_top > 0) LayerLabel(canvas, width / 2, t.c, t.As_top, false);
            if (t.As_bottom > 0) LayerLabel(canvas, width / 2, h - t.c, t.As_bottom, true);
            return canvas.Finish();
          },
          [](const CircularSection& c) {
            Canvas canvas(c.D, c.D, "Section C");
            const Scale& s = canvas.scale;
            const double r = c.D / 2, bars = r - c.c;
            canvas.svg.Circle(s.X(r), s.Y(r), r * s.factor, kConcrete);
            canvas.svg.Circle(s.X(r), s.Y(r), bars * s.factor, kStirrup);
            // Evenly spaced, the first at the bottom.
            for (int k = 0; k < c.nF; ++k) {
              const double angle = 2 * std::numbers::pi * k / c.nF;
              canvas.svg.Circle(s.X(r + bars * std::sin(angle)), s.Y(r + bars * std::cos(angle)),
                                std::max(1.5, c.Df / 2 * s.factor), kBar);
            }
            return canvas.Finish();
          },
          [](const RectangleWithBars& d) {
            Canvas canvas(d.B, d.H, "Section D");
            const Scale& s = canvas.scale;
            // Bars are placed from the centre, y up.
            const auto x_of = [&](double x) { return s.X(d.B / 2 + x); };
            const auto y_of = [&](double y) { return s.Y(d.H / 2 - y); };
            canvas.svg.Rect(s.X(0), s.Y(0), d.B * s.factor, d.H * s.factor, kConcrete);
            if (!d.bars.empty()) {
              double x0 = d.bars[0].x, x1 = x0, y0 = d.bars[0].y, y1 = y0;
              for (const Bar& bar : d.bars) {
                x0 = std::min(x0, bar.x);
                x1 = std::max(x1, bar.x);
                y0 = std::min(y0, bar.y);
                y1 = std::max(y1, bar.y);
              }
              canvas.svg.Rect(x_of(x0), y_of(y1), (x1 - x0) * s.factor, (y1 - y0) * s.factor,
                              kStirrup);
            }
            for (const Bar& bar : d.bars) {
              const double diameter = std::sqrt(4 * bar.area / std::numbers::pi);
              canvas.svg.Circle(x_of(bar.x), y_of(bar.y), std::max(1.5, diameter / 2 * s.factor),
                                kBar);
            }
            return canvas.Finish();
          },
          [&](const PolygonSection& p) { return DrawPolygonSection(p, axis); },
          [](const runfiles::UnknownSectionType&) -> std::string {
            throw std::logic_error("a section of an unknown type is refused as it is read");
          }},
      section);
}

}  // namespace quilex::plot
