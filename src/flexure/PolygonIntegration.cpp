#include "flexure/PolygonIntegration.hpp"

#include <cmath>
#include <utility>

namespace quilex::flexure {
namespace {

// Three-point Gauss-Legendre on [0, 1]: exact for polynomials up to degree 5, and the
// integrands below are of degree 4 at most.
constexpr double kGaussWeight[3] = {5.0 / 18, 8.0 / 18, 5.0 / 18};
const double kGaussAt[3] = {0.5 - 0.5 * std::sqrt(0.6), 0.5, 0.5 + 0.5 * std::sqrt(0.6)};

struct Sums {
  double force = 0, first_u = 0, first_v = 0;
};

}  // namespace

ConcreteResultant IntegrateConcrete(std::span<const Point> polygon, const ShorteningPlane& plane,
                                    double fcd, double eps_c2) {
  const double gradient = std::hypot(plane.per_x, plane.per_y);
  // u along the gradient of the shortening, from the neutral axis; v across it. Without a
  // gradient the shortening is uniform: any direction, and the "axis" through the origin.
  const double cx = gradient > 0 ? plane.per_x / gradient : 1;
  const double cy = gradient > 0 ? plane.per_y / gradient : 0;
  const double axis = gradient > 0 ? -plane.at_origin / gradient : 0;
  const double plateau_from = gradient > 0 ? eps_c2 / gradient : 0;  // u of eps_c2
  const double k = gradient / eps_c2;
  const double uniform =
      plane.at_origin <= 0 ? 0
      : plane.at_origin >= eps_c2
          ? fcd
          : fcd * (1 - (1 - plane.at_origin / eps_c2) * (1 - plane.at_origin / eps_c2));
  // The law at u: 0 in tension, the parabola fcd (2 k u - k^2 u^2) up to the plateau, fcd.
  const auto sigma = [&](double u) {
    if (gradient == 0) return uniform;
    if (u <= 0) return 0.0;
    if (u >= plateau_from) return fcd;
    return fcd * k * u * (2 - k * u);
  };

  // Green's theorem in the form ∫∫ f dA = -∮ F du with F = ∫ f dv from v = 0: an edge along a
  // line u = const adds nothing, so the clipping lines need no edges of their own, and each
  // edge is integrated apart, cut where it crosses u = 0 and u = plateau_from (the law is one
  // polynomial on each part):
  //   force = -∮ sigma v du, ∫∫ sigma u = -∮ sigma u v du, ∫∫ sigma v = -∮ sigma v²/2 du.
  Sums sums;
  double twice_area = 0;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % n];
    twice_area += a.x * b.y - b.x * a.y;
    const double u0 = cx * a.x + cy * a.y - axis, v0 = -cy * a.x + cx * a.y;
    const double u1 = cx * b.x + cy * b.y - axis, v1 = -cy * b.x + cx * b.y;
    const double du = u1 - u0, dv = v1 - v0;
    if (du == 0) continue;
    double cuts[4] = {0, 1, 1, 1};
    int count = 1;
    for (const double line : {0.0, plateau_from}) {
      const double t = (line - u0) / du;
      if (gradient > 0 && t > 0 && t < 1) cuts[count++] = t;
    }
    if (count == 3 && cuts[2] < cuts[1]) std::swap(cuts[1], cuts[2]);
    cuts[count] = 1;
    for (int part = 0; part < count; ++part) {
      const double t0 = cuts[part], t1 = cuts[part + 1];
      if (!(t1 > t0)) continue;
      for (int g = 0; g < 3; ++g) {
        const double t = t0 + (t1 - t0) * kGaussAt[g];
        const double u = u0 + t * du, v = v0 + t * dv;
        const double w = kGaussWeight[g] * (t1 - t0) * du * sigma(u);
        sums.force -= w * v;
        sums.first_u -= w * u * v;
        sums.first_v -= w * v * v / 2;
      }
    }
  }
  // Counter-clockwise input integrates positive; the other orientation is turned round.
  const double sign = twice_area < 0 ? -1 : 1;
  // u = cx x + cy y - axis, v = -cy x + cx y: x = cx (u + axis) - cy v, y = cy (u + axis) + cx v.
  const double u_sum = sums.first_u + axis * sums.force;
  ConcreteResultant r;
  r.force = sign * sums.force;
  r.moment_y = sign * (cx * u_sum - cy * sums.first_v);
  r.moment_x = sign * (cy * u_sum + cx * sums.first_v);
  return r;
}

}  // namespace quilex::flexure
