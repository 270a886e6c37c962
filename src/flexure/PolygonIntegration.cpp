#include "flexure/PolygonIntegration.hpp"

#include <array>
#include <cmath>
#include <vector>

namespace quilex::flexure {
namespace {

// C(n, k) for the small n of the moments (n <= 3).
double Binomial(int n, int k) {
  double value = 1;
  for (int j = 1; j <= k; ++j)
    value = value * (n - k + j) / j;
  return value;
}

// The moments I(p, q) = ∫∫ u^p v^q dA, p + q <= 3, of a polygon in the (u, v) plane, signed
// by its orientation (positive counter-clockwise), by Green's theorem edge by edge:
//   I(p, q) = 1 / ((p+q+2)(p+q+1) C(p+q, p)) Σ_i (u_i v_i+1 - u_i+1 v_i)
//             Σ_k Σ_l C(k+l, l) C(p+q-k-l, q-l) u_i+1^k u_i^(p-k) v_i+1^l v_i^(q-l).
struct Moments {
  std::array<std::array<double, 4>, 4> of{};  // of[p][q]
};

Moments PolygonMoments(const std::vector<Point>& polygon) {
  Moments m;
  const std::size_t n = polygon.size();
  if (n < 3) return m;
  for (int p = 0; p <= 3; ++p) {
    for (int q = 0; p + q <= 3; ++q) {
      double sum = 0;
      for (std::size_t i = 0; i < n; ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % n];
        const double cross = a.x * b.y - b.x * a.y;
        double terms = 0;
        for (int k = 0; k <= p; ++k) {
          for (int l = 0; l <= q; ++l) {
            terms += Binomial(k + l, l) * Binomial(p + q - k - l, q - l) * std::pow(b.x, k) *
                     std::pow(a.x, p - k) * std::pow(b.y, l) * std::pow(a.y, q - l);
          }
        }
        sum += cross * terms;
      }
      m.of[p][q] = sum / ((p + q + 2) * (p + q + 1) * Binomial(p + q, p));
    }
  }
  return m;
}

// The part of a polygon on one side of the line u = at (keep_above: u >= at), by
// Sutherland-Hodgman. A non-convex polygon may come out as one polygon with edges running
// both ways along the line; their contributions to the boundary integrals cancel.
std::vector<Point> Clipped(const std::vector<Point>& polygon, double at, bool keep_above) {
  std::vector<Point> out;
  const std::size_t n = polygon.size();
  const auto inside = [&](const Point& p) { return keep_above ? p.x >= at : p.x <= at; };
  for (std::size_t i = 0; i < n; ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % n];
    const bool a_in = inside(a), b_in = inside(b);
    if (a_in) out.push_back(a);
    if (a_in != b_in) {
      const double t = (at - a.x) / (b.x - a.x);
      out.push_back({at, a.y + t * (b.y - a.y)});
    }
  }
  return out;
}

}  // namespace

ConcreteResultant IntegrateConcrete(std::span<const Point> polygon, const ShorteningPlane& plane,
                                    double fcd, double eps_c2) {
  const double gradient = std::hypot(plane.per_x, plane.per_y);
  // u along the gradient of the shortening, from the neutral axis; v across it. Without a
  // gradient the shortening is uniform: any direction, and the "axis" through the origin.
  const double cx = gradient > 0 ? plane.per_x / gradient : 1;
  const double cy = gradient > 0 ? plane.per_y / gradient : 0;
  const double axis = gradient > 0 ? -plane.at_origin / gradient : 0;
  std::vector<Point> local;
  local.reserve(polygon.size());
  for (const Point& p : polygon)
    local.push_back({cx * p.x + cy * p.y - axis, -cy * p.x + cx * p.y});

  // The law in u: sigma = c[0] + c[1] u + c[2] u^2 on each piece.
  struct Piece {
    std::vector<Point> region;
    std::array<double, 3> c;
  };
  std::vector<Piece> pieces;
  if (gradient > 0) {
    const double plateau_from = eps_c2 / gradient;  // where the shortening reaches eps_c2
    const double k = gradient / eps_c2;
    pieces.push_back(
        {Clipped(Clipped(local, 0, true), plateau_from, false), {0, 2 * fcd * k, -fcd * k * k}});
    pieces.push_back({Clipped(local, plateau_from, true), {fcd, 0, 0}});
  } else {
    const double e = plane.at_origin;
    const double sigma = e <= 0        ? 0
                         : e >= eps_c2 ? fcd
                                       : fcd * (1 - (1 - e / eps_c2) * (1 - e / eps_c2));
    pieces.push_back({local, {sigma, 0, 0}});
  }

  // ∫ sigma, ∫ sigma u, ∫ sigma v over the pieces, then back to x and y.
  double force = 0, first_u = 0, first_v = 0;
  for (const Piece& piece : pieces) {
    const Moments m = PolygonMoments(piece.region);
    const auto& I = m.of;
    force += piece.c[0] * I[0][0] + piece.c[1] * I[1][0] + piece.c[2] * I[2][0];
    first_u += piece.c[0] * I[1][0] + piece.c[1] * I[2][0] + piece.c[2] * I[3][0];
    first_v += piece.c[0] * I[0][1] + piece.c[1] * I[1][1] + piece.c[2] * I[2][1];
  }
  // The orientation of the input decides the sign of every moment alike.
  double area = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % polygon.size()];
    area += a.x * b.y - b.x * a.y;
  }
  const double sign = area < 0 ? -1 : 1;
  // u = cx x + cy y - axis, v = -cy x + cx y: x = cx (u + axis) - cy v, y = cy (u + axis) + cx v.
  const double u_sum = first_u + axis * force;
  ConcreteResultant r;
  r.force = sign * force;
  r.moment_y = sign * (cx * u_sum - cy * first_v);
  r.moment_x = sign * (cy * u_sum + cx * first_v);
  return r;
}

}  // namespace quilex::flexure
