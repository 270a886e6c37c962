#include "report/SectionDrawing.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "plot/FileText.hpp"
#include "plot/SvgWriter.hpp"

namespace quilex::report {
namespace {

using plot::Compact;
using plot::SvgWriter;

constexpr double kLargestSide = 260;  // px, of the section's larger dimension
constexpr double kMargin = 44;        // px around it, for the dimensions
constexpr const char* kConcrete = "fill=\"#d9d9d9\" stroke=\"#404040\" stroke-width=\"1.2\"";
constexpr const char* kStirrup =
    "fill=\"none\" stroke=\"#6a3d9a\" stroke-width=\"1.2\" stroke-dasharray=\"6 3\"";
constexpr const char* kBar = "fill=\"#202020\"";
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

}  // namespace

std::string DrawSection(const runfiles::SectionData& section) {
  return std::visit(
      runfiles::Overloaded{
          [](const RectangularSection& r) {
            Canvas canvas(r.B, r.H, "Section R");
            const Scale& s = canvas.scale;
            canvas.svg.Rect(s.X(0), s.Y(0), r.B * s.factor, r.H * s.factor, kConcrete);
            canvas.svg.Rect(s.X(r.c), s.Y(r.c), (r.B - 2 * r.c) * s.factor,
                            (r.H - 2 * r.c) * s.factor, kStirrup);
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
            canvas.svg.Rect(s.X(web_x + t.c), s.Y(t.c), (t.BiNf - 2 * t.c) * s.factor,
                            (h - 2 * t.c) * s.factor, kStirrup);
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
          [](const runfiles::UnknownSectionType&) -> std::string {
            throw std::logic_error("a section of an unknown type is refused as it is read");
          }},
      section);
}

}  // namespace quilex::report
