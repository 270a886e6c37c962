// The exact integration over a polygon against the parabola-rectangle stress block worked
// out by hand, and the invariants that hold for any shape: the input's orientation, moving
// or turning the section with its strain plane, and cutting it into pieces change nothing
// but rounding.
#include "flexure/PolygonIntegration.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quilex::flexure {
namespace {

constexpr double kFcd = 14.17, kEps2 = 0.002, kEpsU = 0.0035;
constexpr double kRelative = 1e-12;  // rounding only

// A B × H rectangle centred at the origin, counter-clockwise.
std::vector<Point> Rectangle(double B, double H, double x0 = 0, double y0 = 0) {
  return {{x0 - B / 2, y0 - H / 2},
          {x0 + B / 2, y0 - H / 2},
          {x0 + B / 2, y0 + H / 2},
          {x0 - B / 2, y0 + H / 2}};
}

// The top face at y = H/2 shortened by eps_cu, the neutral axis at depth x below it.
ShorteningPlane TopCompressed(double H, double x) {
  return {-kEpsU * (H / 2 - x) / x, 0, kEpsU / x};
}

void ExpectNear(const ConcreteResultant& got, const ConcreteResultant& want, double scale) {
  EXPECT_NEAR(got.force, want.force, kRelative * scale);
  EXPECT_NEAR(got.moment_x, want.moment_x, kRelative * scale * 1000);
  EXPECT_NEAR(got.moment_y, want.moment_y, kRelative * scale * 1000);
}

// With eps_c2 = 2 ‰ and eps_cu = 3.5 ‰ the plateau covers 3/7 of the depth x and the parabola
// 4/7: force fcd b x (3/7 + 2/3 · 4/7) = 17/21 fcd b x. About the top: the plateau's at
// 3/14 x; the parabola's centroid lies 5/8 of its 4/7 x from the neutral axis, at 9/14 x; so
// ((9/21)(3/14) + (8/21)(9/14)) / (17/21) = 99/238 of x.
TEST(PolygonIntegration, RectangleGivesTheStressBlockInEitherOrientation) {
  for (const double x : {50.0, 200.0, 499.0}) {
    const double force = 17.0 / 21 * kFcd * 300 * x;
    // 10 mm right of the origin: the moment about y is the force's times 10.
    const ConcreteResultant want{force, force * (250 - 99.0 / 238 * x), force * 10};
    std::vector<Point> outline = Rectangle(300, 500, 10, 0);
    ExpectNear(IntegrateConcrete(outline, TopCompressed(500, x), kFcd, kEps2), want, force);
    std::reverse(outline.begin(), outline.end());
    ExpectNear(IntegrateConcrete(outline, TopCompressed(500, x), kFcd, kEps2), want, force);
    // Lying on its side, 15 mm below the origin, the face at x = 250 compressed.
    const ShorteningPlane right{-kEpsU * (250 - x) / x, kEpsU / x, 0};
    ExpectNear(IntegrateConcrete(Rectangle(500, 300, 0, -15), right, kFcd, kEps2),
               {force, force * -15, force * (250 - 99.0 / 238 * x)}, force);
  }
  // All on the plateau, all in tension, and a uniform shortening on the parabola.
  const std::vector<Point> outline = Rectangle(300, 500, 10, 20);
  const ConcreteResultant plateau = IntegrateConcrete(outline, {0.003, 0, 0}, kFcd, kEps2);
  ExpectNear(plateau, {kFcd * 150000, kFcd * 150000 * 20, kFcd * 150000 * 10}, kFcd * 150000);
  ExpectNear(IntegrateConcrete(outline, {-0.001, 0, 0}, kFcd, kEps2), {0, 0, 0}, 1);
  const double half = kFcd * 0.75 * 150000;  // 1 - (1 - 1/2)^2 = 3/4
  ExpectNear(IntegrateConcrete(outline, {0.001, 0, 0}, kFcd, kEps2), {half, half * 20, half * 10},
             half);
}

// An L-shaped wall (non-convex) under an inclined plane: moved by (dx, dy) with its plane,
// turned by 30° with its plane, and cut into two rectangles, it keeps its resultant (the
// moments moved or turned with it).
TEST(PolygonIntegration, MovingTurningAndCuttingChangeNothing) {
  const std::vector<Point> wall{{0, 0}, {1200, 0}, {1200, 250}, {250, 250}, {250, 900}, {0, 900}};
  const ShorteningPlane plane{0.0012, 0.0000021, 0.0000034};
  const ConcreteResultant whole = IntegrateConcrete(wall, plane, kFcd, kEps2);
  const double scale = whole.force;
  ASSERT_GT(scale, 0);

  const ConcreteResultant a = IntegrateConcrete(
      std::vector<Point>{{0, 0}, {1200, 0}, {1200, 250}, {0, 250}}, plane, kFcd, kEps2);
  const ConcreteResultant b = IntegrateConcrete(
      std::vector<Point>{{0, 250}, {250, 250}, {250, 900}, {0, 900}}, plane, kFcd, kEps2);
  ExpectNear({a.force + b.force, a.moment_x + b.moment_x, a.moment_y + b.moment_y}, whole, scale);

  const double dx = 3000, dy = -700;
  std::vector<Point> moved;
  for (const Point& p : wall)
    moved.push_back({p.x + dx, p.y + dy});
  const ShorteningPlane moved_plane{plane.at_origin - plane.per_x * dx - plane.per_y * dy,
                                    plane.per_x, plane.per_y};
  ExpectNear(IntegrateConcrete(moved, moved_plane, kFcd, kEps2),
             {whole.force, whole.moment_x + dy * whole.force, whole.moment_y + dx * whole.force},
             scale * 4);

  const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
  std::vector<Point> turned;
  for (const Point& p : wall)
    turned.push_back({c * p.x - s * p.y, s * p.x + c * p.y});
  // The same shortening at the turned points: the gradient turns with them.
  const ShorteningPlane turned_plane{plane.at_origin, c * plane.per_x - s * plane.per_y,
                                     s * plane.per_x + c * plane.per_y};
  ExpectNear(IntegrateConcrete(turned, turned_plane, kFcd, kEps2),
             {whole.force, s * whole.moment_y + c * whole.moment_x,
              c * whole.moment_y - s * whole.moment_x},
             scale);
}

}  // namespace
}  // namespace quilex::flexure
