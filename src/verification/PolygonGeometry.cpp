#include "verification/PolygonGeometry.hpp"

#include <algorithm>

namespace quilex::geometry {
namespace {

// Positive when c lies to the left of the line from a to b.
double Orientation(Vertex a, Vertex b, Vertex c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

int Sign(double v) {
  return (v > 0) - (v < 0);
}

bool OnSegment(Vertex p, Vertex a, Vertex b) {
  return Orientation(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
         std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

bool CrossProperly(Vertex a, Vertex b, Vertex c, Vertex d) {
  return Sign(Orientation(a, b, c)) * Sign(Orientation(a, b, d)) < 0 &&
         Sign(Orientation(c, d, a)) * Sign(Orientation(c, d, b)) < 0;
}

bool Touch(Vertex a, Vertex b, Vertex c, Vertex d) {
  return CrossProperly(a, b, c, d) || OnSegment(c, a, b) || OnSegment(d, a, b) ||
         OnSegment(a, c, d) || OnSegment(b, c, d);
}

Vertex At(std::span<const Vertex> polygon, std::size_t i) {
  return polygon[i % polygon.size()];
}

bool AnyProperCrossing(std::span<const Vertex> a, std::span<const Vertex> b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (std::size_t j = 0; j < b.size(); ++j) {
      if (CrossProperly(At(a, i), At(a, i + 1), At(b, j), At(b, j + 1))) return true;
    }
  }
  return false;
}

// The points that stand for a polygon's area: its vertices, the middle of each edge, and a
// point just inside the middle of each edge (a millionth of its length in).
template <class Visit>
bool AnyProbe(std::span<const Vertex> polygon, Visit visit) {
  const double inward = TwiceSignedArea(polygon) > 0 ? 1e-6 : -1e-6;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Vertex a = At(polygon, i), b = At(polygon, i + 1);
    const Vertex middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const Vertex inside{middle.x - inward * (b.y - a.y), middle.y + inward * (b.x - a.x)};
    if (visit(a, false) || visit(middle, false) || visit(inside, true)) return true;
  }
  return false;
}

}  // namespace

double TwiceSignedArea(std::span<const Vertex> polygon) {
  double twice = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Vertex a = At(polygon, i), b = At(polygon, i + 1);
    twice += a.x * b.y - b.x * a.y;
  }
  return twice;
}

std::optional<std::pair<std::size_t, std::size_t>> SelfContact(std::span<const Vertex> polygon) {
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (At(polygon, i) == At(polygon, i + 1)) return std::pair{i, i};
  }
  for (std::size_t i = 0; i < n; ++i) {
    // The next edge may only share their vertex: not fold back along this one.
    const Vertex p = At(polygon, i), v = At(polygon, i + 1), q = At(polygon, i + 2);
    if (Orientation(p, v, q) == 0 && (p.x - v.x) * (q.x - v.x) + (p.y - v.y) * (q.y - v.y) > 0) {
      return std::pair{i, (i + 1) % n};
    }
    for (std::size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours across the first vertex
      if (Touch(p, v, At(polygon, j), At(polygon, j + 1))) return std::pair{i, j};
    }
  }
  return std::nullopt;
}

Location Locate(Vertex point, std::span<const Vertex> polygon) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Vertex a = At(polygon, i), b = At(polygon, i + 1);
    if (OnSegment(point, a, b)) return Location::OnBoundary;
    if (a.y <= point.y && point.y < b.y && Orientation(a, b, point) > 0) ++winding;
    if (b.y <= point.y && point.y < a.y && Orientation(a, b, point) < 0) --winding;
  }
  return winding != 0 ? Location::Inside : Location::Outside;
}

bool InteriorsOverlap(std::span<const Vertex> a, std::span<const Vertex> b) {
  if (AnyProperCrossing(a, b)) return true;
  const auto inside = [](std::span<const Vertex> other) {
    return [other](Vertex p, bool) { return Locate(p, other) == Location::Inside; };
  };
  return AnyProbe(a, inside(b)) || AnyProbe(b, inside(a));
}

bool LiesWithin(std::span<const Vertex> inner, std::span<const Vertex> outer) {
  if (AnyProperCrossing(inner, outer)) return false;
  return !AnyProbe(inner, [outer](Vertex p, bool just_inside) {
    const Location where = Locate(p, outer);
    return just_inside ? where != Location::Inside : where == Location::Outside;
  });
}

}  // namespace quilex::geometry
