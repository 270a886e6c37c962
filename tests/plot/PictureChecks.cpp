#include "plot/PictureChecks.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "plot/PlotCommand.hpp"
#include "program/ProgramRun.hpp"

namespace quilex::plot::test {

Outcome RunCommand(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  Outcome outcome;
  outcome.status = RunPlotCommand(arguments, out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  return outcome;
}

void CopyRun(const std::string& name, const fs::path& folder) {
  const fs::path source = fs::path(QUILEX_CASES_DIR) / name;
  for (const char* input : {"sezi.txt", "mate.txt", "slu-max.txt"}) {
    fs::copy_file(source / input, folder / input, fs::copy_options::overwrite_existing);
  }
  fs::copy_file(source / "expected-risu-MN.txt", folder / "risu-MN.txt",
                fs::copy_options::overwrite_existing);
  fs::copy_file(source / "expected-domplot.txt", folder / "domplot.txt",
                fs::copy_options::overwrite_existing);
}

int RunQuilexIn(const fs::path& folder) {
  if (!fs::exists(folder / "parm.txt")) WriteFile(folder / "parm.txt", "0\n");
  std::ostringstream console;
  return program::RunQuilex(folder, console);
}

std::vector<std::pair<double, double>> DomplotValues(const fs::path& file) {
  std::istringstream lines(ReadFile(file));
  std::vector<std::pair<double, double>> values;
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    double a = 0, b = 0;
    if (fields >> a >> b) values.emplace_back(a, b);
  }
  return values;
}

namespace {

bool Mentions(const XmlElement& element, std::string_view text) {
  for (const auto& [name, value] : element.attributes) {
    if (name.find(text) != std::string::npos || value.find(text) != std::string::npos) return true;
  }
  for (const XmlElement& child : element.children) {
    if (Mentions(child, text)) return true;
  }
  return false;
}

testing::AssertionResult AllCoordinatesFinite(const XmlElement& element) {
  for (const auto& [name, value] : element.attributes) {
    static const std::vector<std::string> kCoordinates = {"x",  "y",  "x1", "y1",    "x2",    "y2",
                                                          "cx", "cy", "r",  "width", "height"};
    if (std::find(kCoordinates.begin(), kCoordinates.end(), name) == kCoordinates.end()) continue;
    std::size_t used = 0;
    double number = std::nan("");
    try {
      number = std::stod(value, &used);
    } catch (const std::exception&) {
    }
    if (used != value.size() || !std::isfinite(number)) {
      return testing::AssertionFailure()
             << element.name << " " << name << "=\"" << value << "\" is not a finite number";
    }
  }
  for (const XmlElement& child : element.children) {
    testing::AssertionResult inner = AllCoordinatesFinite(child);
    if (!inner) return inner;
  }
  return testing::AssertionSuccess();
}

// Fits value -> coordinate through the two values farthest apart, then checks every pair.
testing::AssertionResult FitAxis(const std::vector<double>& values,
                                 const std::vector<double>& coordinates, const char* axis,
                                 AxisMap& map) {
  std::size_t low = 0, high = 0;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (values[k] < values[low]) low = k;
    if (values[k] > values[high]) high = k;
  }
  if (values[high] == values[low]) {
    // A flat axis: every point on one line.
    for (std::size_t k = 0; k < values.size(); ++k) {
      if (std::fabs(coordinates[k] - coordinates[0]) > kCoordinateTolerance) {
        return testing::AssertionFailure() << axis << ": equal values at different positions";
      }
    }
    map = {0, coordinates[0]};
    return testing::AssertionSuccess();
  }
  map.scale = (coordinates[high] - coordinates[low]) / (values[high] - values[low]);
  map.offset = coordinates[low] - map.scale * values[low];
  const double tolerance = map.tolerance();
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (std::fabs(map(values[k]) - coordinates[k]) > tolerance) {
      return testing::AssertionFailure()
             << axis << " of point " << k + 1 << ": value " << values[k] << " at " << coordinates[k]
             << ", the map of the extreme points puts it at " << map(values[k]);
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace

std::vector<std::pair<double, double>> PolygonPoints(const XmlElement& polygon) {
  std::istringstream in(polygon.attribute("points"));
  std::vector<std::pair<double, double>> points;
  std::string pair;
  while (in >> pair) {
    const std::size_t comma = pair.find(',');
    points.emplace_back(std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1)));
  }
  return points;
}

testing::AssertionResult IsSelfContainedSvg(const std::string& document, XmlElement& root) {
  try {
    root = ParseXml(document);
  } catch (const XmlError& error) {
    return testing::AssertionFailure() << "not well-formed XML: " << error.what();
  }
  if (root.name != "svg") return testing::AssertionFailure() << "root is " << root.name;
  if (!root.has("xmlns") || root.attribute("xmlns") != "http://www.w3.org/2000/svg") {
    return testing::AssertionFailure() << "no SVG namespace";
  }
  if (!root.has("version") || root.attribute("version") != "1.1") {
    return testing::AssertionFailure() << "not SVG 1.1";
  }
  if (!root.has("viewBox")) return testing::AssertionFailure() << "no viewBox";
  const std::vector<const XmlElement*> titles = FindAll(root, "title");
  if (titles.empty() || titles[0]->text.empty()) return testing::AssertionFailure() << "no title";
  if (!FindAll(root, "script").empty() || !FindAll(root, "image").empty() ||
      !FindAll(root, "style").empty() || Mentions(root, "href") || Mentions(root, "url(")) {
    return testing::AssertionFailure() << "refers to something outside the document";
  }
  return AllCoordinatesFinite(root);
}

testing::AssertionResult BoundaryMapsValues(const XmlElement& root,
                                            const std::vector<std::pair<double, double>>& values,
                                            PictureMap& map) {
  const XmlElement* polygon = FindById(root, "boundary");
  if (polygon == nullptr || polygon->name != "polygon") {
    return testing::AssertionFailure() << "no boundary polygon";
  }
  const std::vector<std::pair<double, double>> points = PolygonPoints(*polygon);
  if (points.size() != values.size()) {
    return testing::AssertionFailure()
           << points.size() << " polygon points for " << values.size() << " values";
  }
  std::vector<double> vx, vy, px, py;
  for (std::size_t k = 0; k < values.size(); ++k) {
    vx.push_back(values[k].first);
    vy.push_back(values[k].second);
    px.push_back(points[k].first);
    py.push_back(points[k].second);
  }
  testing::AssertionResult across = FitAxis(vx, px, "across", map.x);
  if (!across) return across;
  testing::AssertionResult up = FitAxis(vy, py, "up", map.y);
  if (!up) return up;
  if (!(map.x.scale > 0)) return testing::AssertionFailure() << "values do not grow rightwards";
  if (map.y.scale > 0) return testing::AssertionFailure() << "values do not grow upwards";
  return testing::AssertionSuccess();
}

std::pair<double, double> CircleCentre(const XmlElement& circle) {
  return {std::stod(circle.attribute("cx")), std::stod(circle.attribute("cy"))};
}

namespace {

struct Rect {
  double x0, y0, x1, y1;
};

Rect RectOf(const XmlElement& rect) {
  const double x = std::stod(rect.attribute("x")), y = std::stod(rect.attribute("y"));
  return {x, y, x + std::stod(rect.attribute("width")), y + std::stod(rect.attribute("height"))};
}

// Whether the segments p1-p2 and q1-q2 meet (orientation signs, touching included).
bool SegmentsMeet(double p1x, double p1y, double p2x, double p2y, double q1x, double q1y,
                  double q2x, double q2y) {
  const auto side = [](double ax, double ay, double bx, double by, double cx, double cy) {
    const double cross = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    return (cross > 0) - (cross < 0);
  };
  const int d1 = side(q1x, q1y, q2x, q2y, p1x, p1y), d2 = side(q1x, q1y, q2x, q2y, p2x, p2y);
  const int d3 = side(p1x, p1y, p2x, p2y, q1x, q1y), d4 = side(p1x, p1y, p2x, p2y, q2x, q2y);
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  const auto on = [](double ax, double ay, double bx, double by, double cx, double cy) {
    return std::min(ax, bx) <= cx && cx <= std::max(ax, bx) && std::min(ay, by) <= cy &&
           cy <= std::max(ay, by);
  };
  return (d1 == 0 && on(q1x, q1y, q2x, q2y, p1x, p1y)) ||
         (d2 == 0 && on(q1x, q1y, q2x, q2y, p2x, p2y)) ||
         (d3 == 0 && on(p1x, p1y, p2x, p2y, q1x, q1y)) ||
         (d4 == 0 && on(p1x, p1y, p2x, p2y, q2x, q2y));
}

bool SegmentCrossesRect(double ax, double ay, double bx, double by, const Rect& r) {
  const auto inside = [&](double x, double y) {
    return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
  };
  if (inside(ax, ay) || inside(bx, by)) return true;
  const double corners[5][2] = {
      {r.x0, r.y0}, {r.x1, r.y0}, {r.x1, r.y1}, {r.x0, r.y1}, {r.x0, r.y0}};
  for (int k = 0; k < 4; ++k) {
    if (SegmentsMeet(ax, ay, bx, by, corners[k][0], corners[k][1], corners[k + 1][0],
                     corners[k + 1][1])) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool InsidePolygon(const std::vector<std::pair<double, double>>& polygon, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const auto [xi, yi] = polygon[i];
    const auto [xj, yj] = polygon[j];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

testing::AssertionResult LabelsCoverNothing(const XmlElement& root, const std::string& prefix) {
  const XmlElement* boundary = FindById(root, prefix + "boundary");
  if (boundary == nullptr) return testing::AssertionFailure() << "no boundary";
  const std::vector<std::pair<double, double>> points = PolygonPoints(*boundary);
  std::vector<Rect> markers;
  for (const XmlElement* circle : FindAll(root, "circle")) {
    // Circles of the legend lie below the frame, where no label goes.
    const auto [cx, cy] = CircleCentre(*circle);
    const double r = std::stod(circle->attribute("r"));
    markers.push_back({cx - r, cy - r, cx + r, cy + r});
  }
  for (const XmlElement* rect : FindAll(root, "rect")) {
    if (rect->has("class") && rect->attribute("class") == "shear-failure") {
      markers.push_back(RectOf(*rect));
    }
  }
  for (const XmlElement* rect : FindAll(root, "rect")) {
    if (!rect->has("id") || !rect->attribute("id").ends_with("-label-box")) continue;
    const Rect box = RectOf(*rect);
    const std::string& id = rect->attribute("id");
    for (std::size_t k = 0; k < points.size(); ++k) {
      const auto [ax, ay] = points[k];
      const auto [bx, by] = points[(k + 1) % points.size()];
      if (SegmentCrossesRect(ax, ay, bx, by, box)) {
        return testing::AssertionFailure() << id << " crosses the boundary at point " << k;
      }
    }
    for (const Rect& m : markers) {
      // The nearest point of the box to the marker's centre, against its radius (the
      // squares' half side).
      const double cx = (m.x0 + m.x1) / 2, cy = (m.y0 + m.y1) / 2, r = (m.x1 - m.x0) / 2;
      const double nx = std::clamp(cx, box.x0, box.x1), ny = std::clamp(cy, box.y0, box.y1);
      if (std::hypot(nx - cx, ny - cy) < r) {
        return testing::AssertionFailure() << id << " covers a marker at " << cx << ", " << cy;
      }
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace quilex::plot::test
