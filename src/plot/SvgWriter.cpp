#include "plot/SvgWriter.hpp"

#include "plot/FileText.hpp"

namespace quilex::plot {

std::string Coordinate(double value) {
  return Fixed(value, 2);
}

SvgWriter::SvgWriter(double width, double height, std::string_view title,
                     std::string_view description) {
  const std::string w = Coordinate(width);
  const std::string h = Coordinate(height);
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
  out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w +
          "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
          "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  out_ += "  <title>" + XmlEscaped(title) + "</title>\n";
  out_ += "  <desc>" + XmlEscaped(description) + "</desc>\n";
}

void SvgWriter::Open(std::string_view element, std::string_view attributes) {
  out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
  out_ += '<';
  out_ += element;
  if (!attributes.empty()) {
    out_ += ' ';
    out_ += attributes;
  }
}

void SvgWriter::Rect(double x, double y, double width, double height, std::string_view attributes) {
  Open("rect", "x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\" width=\"" +
                   Coordinate(width) + "\" height=\"" + Coordinate(height) + "\"");
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::Line(double x1, double y1, double x2, double y2, std::string_view attributes) {
  Open("line", "x1=\"" + Coordinate(x1) + "\" y1=\"" + Coordinate(y1) + "\" x2=\"" +
                   Coordinate(x2) + "\" y2=\"" + Coordinate(y2) + "\"");
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::Polygon(std::span<const PlotPoint> points, std::string_view attributes) {
  Open("polygon", attributes);
  out_ += " points=\"";
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (k > 0) out_ += ' ';
    out_ += Coordinate(points[k].x) + ',' + Coordinate(points[k].y);
  }
  out_ += "\"/>\n";
}

void SvgWriter::Circle(double cx, double cy, double r, std::string_view attributes) {
  Open("circle",
       "cx=\"" + Coordinate(cx) + "\" cy=\"" + Coordinate(cy) + "\" r=\"" + Coordinate(r) + "\"");
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += "/>\n";
}

void SvgWriter::Text(double x, double y, std::string_view text, std::string_view attributes) {
  Open("text", "x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\"");
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += '>' + XmlEscaped(text) + "</text>\n";
}

void SvgWriter::UprightText(double x, double y, std::string_view text,
                            std::string_view attributes) {
  Open("text", "x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\" transform=\"rotate(-90 " +
                   Coordinate(x) + " " + Coordinate(y) + ")\"");
  if (!attributes.empty()) (out_ += ' ') += attributes;
  out_ += '>' + XmlEscaped(text) + "</text>\n";
}

void SvgWriter::Embed(std::string_view svg, double x, double y, std::string_view group) {
  const std::size_t start = svg.find("<svg");
  if (start != std::string_view::npos) svg.remove_prefix(start);
  BeginGroup(std::string(group) + (group.empty() ? "" : " ") + "transform=\"translate(" +
             Coordinate(x) + " " + Coordinate(y) + ")\"");
  out_ += svg;
  if (!svg.empty() && svg.back() != '\n') out_ += '\n';
  EndGroup();
}

void SvgWriter::BeginGroup(std::string_view attributes) {
  Open("g", attributes);
  out_ += ">\n";
  ++depth_;
}

void SvgWriter::EndGroup() {
  --depth_;
  out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
  out_ += "</g>\n";
}

std::string SvgWriter::Finish() {
  out_ += "</svg>\n";
  return std::move(out_);
}

}  // namespace quilex::plot
