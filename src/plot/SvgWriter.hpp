// A small writer of self-contained SVG 1.1: the few shapes a result picture needs, with
// coordinates in user units printed to two decimals, so the same picture gives the same
// bytes. Attribute strings are written as given; texts are escaped here.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/PlotModel.hpp"

namespace quilex::plot {

class SvgWriter {
 public:
  SvgWriter(double width, double height, std::string_view title, std::string_view description);

  void Rect(double x, double y, double width, double height, std::string_view attributes);
  void Line(double x1, double y1, double x2, double y2, std::string_view attributes);
  void Polygon(std::span<const PlotPoint> points, std::string_view attributes);
  void Circle(double cx, double cy, double r, std::string_view attributes);
  void Text(double x, double y, std::string_view text, std::string_view attributes);
  // Text turned a quarter anticlockwise about its anchor point (a vertical axis title).
  void UprightText(double x, double y, std::string_view text, std::string_view attributes);
  // An <svg> element another writer made (its XML declaration left out), its top left
  // corner moved to (x, y); `group` holds the group's other attributes (an id).
  void Embed(std::string_view svg, double x, double y, std::string_view group);
  void BeginGroup(std::string_view attributes);
  void EndGroup();

  // The whole document; the writer is spent.
  std::string Finish();

 private:
  void Open(std::string_view element, std::string_view attributes);
  std::string out_;
  int depth_ = 1;
};

// A coordinate as the document prints it: two decimals, never "-0.00".
std::string Coordinate(double value);

}  // namespace quilex::plot
