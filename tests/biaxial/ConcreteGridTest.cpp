// The concrete grid on both processor paths against the plain loop over the cells: the
// same bits of the three sums and the same floating-point flags, for random planes through
// random rectangles and for planes at the edges of what doubles hold.
#include "biaxial/ConcreteGrid.hpp"

#include "biaxial/BiaxialResistance.hpp"

#include <gtest/gtest.h>
#include <numbers>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "flexure/StrainModel.hpp"
#include "textio/FloatingPointStatus.hpp"

namespace quilex::biaxial {
namespace {

using flexure::LanePath;

// The grid as a plain loop: every cell in turn, rows from the bottom, cells from the left.
[[gnu::noinline]] GridForces PlainGrid(const GridPlane& p) {
  const double dx = p.B / kGridCells, dy = p.H / kGridCells, dA = dy * dx;
  double N = 0, Mx = 0, My = 0;
  for (int i = 1; i <= kGridCells; ++i) {
    const double yc = (i - 0.5) * dy - p.H / 2;
    for (int j = 1; j <= kGridCells; ++j) {
      const double xc = (j - 0.5) * dx - p.B / 2;
      const double u = p.a - (xc * p.k + yc * p.s);
      const double sigma = flexure::ConcreteStress((u - p.x) * p.kappa, p.fcd, p.eps_c2);
      if (sigma == 0) continue;
      N += sigma * dA;
      Mx -= yc * sigma * dA;
      My -= xc * sigma * dA;
    }
  }
  return {N, Mx, My};
}

struct Outcome {
  std::uint64_t N, Mx, My;
  unsigned flags;
  bool operator==(const Outcome&) const = default;
};

template <class Grid>
Outcome Evaluate(const GridPlane& plane, Grid grid) {
  textio::ClearFloatingPointFlags();
  const GridForces f = grid(plane);
  const unsigned flags = textio::RaisedFloatingPointFlags();
  return {std::bit_cast<std::uint64_t>(f.N), std::bit_cast<std::uint64_t>(f.Mx),
          std::bit_cast<std::uint64_t>(f.My), flags};
}

// A plane as BiaxialResultants makes it: angle theta, depth parameter t in (-1, 1).
GridPlane Plane(double B, double H, double theta, double t, double kappa_scale) {
  GridPlane p;
  p.B = B;
  p.H = H;
  p.k = std::cos(theta);
  p.s = std::sin(theta);
  p.a = B / 2 * std::fabs(p.k) + H / 2 * std::fabs(p.s);
  p.x = 2 * p.a / 2 * (std::tan((std::numbers::pi / 2) * t) + 1);
  p.kappa = (p.x > 0 ? std::min(0.0035 / p.x, 1e30) : 1e30) * kappa_scale;
  p.fcd = 14.166667064030966;
  p.eps_c2 = 0.002;
  return p;
}

std::vector<GridPlane> Planes() {
  std::mt19937_64 random(12);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<GridPlane> planes;
  for (int n = 0; n < 300; ++n) {
    planes.push_back(Plane(
        100 + 1400 * unit(random), 100 + 1400 * unit(random), (2 * std::numbers::pi) * unit(random),
        1.9999998 * unit(random) - 0.9999999, unit(random) < 0.8 ? 1 : 0.05 + 3 * unit(random)));
  }
  // The axis along the rows or columns, and through the middle of the cells.
  for (double theta : {0.0, std::numbers::pi / 2, std::numbers::pi, -(std::numbers::pi / 2),
                       std::numbers::pi / 4}) {
    for (double t : {0.0, 0.5, -0.5, 0.9999999, -0.9999999})
      planes.push_back(Plane(300, 500, theta, t, 1));
  }
  // Overflowing cell areas and moments, underflowing strains and stresses, subnormal
  // parameters, a NaN curvature.
  planes.push_back(Plane(1e200, 1e200, 0.3, 0.2, 1));
  planes.push_back(
      Plane(1e200, 1e200, std::numbers::pi / 4, -0.45, 1));  // only cells with x, y > 0
  GridPlane tiny = Plane(1e-300, 2e-300, 1.1, -0.3, 1);
  planes.push_back(tiny);
  GridPlane flat = Plane(300, 500, 0.7, 0.1, 1e-300);
  planes.push_back(flat);
  GridPlane weak = Plane(300, 500, 2.0, 0.1, 1);
  weak.fcd = 1e-310;
  planes.push_back(weak);
  GridPlane soft = Plane(300, 500, 4.0, -0.2, 1e-307);
  soft.eps_c2 = 3e-310;
  planes.push_back(soft);
  GridPlane undefined = Plane(300, 500, 5.0, 0.4, 1);
  undefined.kappa = std::numeric_limits<double>::quiet_NaN();
  planes.push_back(undefined);
  return planes;
}

TEST(ConcreteGridTest, BothPathsGiveThePlainLoopsBitsAndFlags) {
  int compared = 0;
  for (const GridPlane& plane : Planes()) {
    const Outcome plain = Evaluate(plane, PlainGrid);
    const Outcome baseline = Evaluate(
        plane, [](const GridPlane& p) { return ConcreteGridForces(p, LanePath::Baseline); });
    EXPECT_EQ(baseline, plain) << "baseline, plane " << compared;
    if (flexure::Avx2Available()) {
      const Outcome avx2 =
          Evaluate(plane, [](const GridPlane& p) { return ConcreteGridForces(p, LanePath::Avx2); });
      EXPECT_EQ(avx2, plain) << "AVX2, plane " << compared;
    }
    ++compared;
  }
  EXPECT_EQ(compared, 332);
}

// The cells without compression are left out for the planes of ordinary sections (the
// speed of a run depends on it) and evaluated where a cell left out could lose a flag.
TEST(ConcreteGridTest, LeavesOutUncompressedCellsOnlyWhereNoFlagIsLost) {
  EXPECT_TRUE(LeavesOutCellsWithoutCompression(Plane(300, 500, 0.7, 0.1, 1)));
  EXPECT_TRUE(LeavesOutCellsWithoutCompression(Plane(300, 500, 0.0, -0.5, 1)));
  EXPECT_FALSE(LeavesOutCellsWithoutCompression(Plane(1e200, 1e200, 0.3, 0.2, 1)));
  EXPECT_FALSE(LeavesOutCellsWithoutCompression(Plane(1e-300, 2e-300, 1.1, -0.3, 1)));
  EXPECT_FALSE(LeavesOutCellsWithoutCompression(Plane(300, 500, 0.7, 0.1, 1e-300)));
  GridPlane weak = Plane(300, 500, 2.0, 0.1, 1);
  weak.fcd = 1e-310;
  EXPECT_FALSE(LeavesOutCellsWithoutCompression(weak));
}

TEST(ConcreteGridTest, UniformCompressionGivesTheRectanglesSquash) {
  // Every cell at the plateau: N = -fcd times the sum of 3600 equal areas.
  GridPlane p = Plane(300, 500, 0.0, 0.9999999, 1);
  p.x = 1e9;
  p.kappa = 1.0;
  const GridForces f = ConcreteGridForces(p);
  EXPECT_NEAR(f.N, -p.fcd * 300 * 500, 1e-6);
  EXPECT_NEAR(f.Mx, 0, 1e-3);
  EXPECT_NEAR(f.My, 0, 1e-3);
}

// The axis along the rows, the top face at -eps_cu and the bottom one at 0: the law of
// exponent n integrates to B H fcd (1 - eps_c2 / ((n + 1) eps_cu)) (worked by hand), which
// 60 rows of midpoints meet to 0.1 %, far closer than the blocks of C70/85's exponent and of 2
// differ (10 %).
TEST(ConcreteGridTest, StressBlockOfEachExponentIsTheClosedForm) {
  GridPlane p = Plane(300, 500, std::numbers::pi / 2, 0.5, 1);
  p.fcd = 39.67;
  p.eps_c2 = 0.002416;
  p.x = 500;
  p.kappa = 0.002656 / 500;
  for (double n : {2.0, 1.75114625, 1.43744, 1.4}) {
    p.exponent = n;
    const double block = 300 * 500 * p.fcd * (1 - p.eps_c2 / ((n + 1) * 0.002656));
    const GridForces f = ConcreteGridForces(p);
    EXPECT_NEAR(f.N, -block, 1e-3 * block) << n;
    EXPECT_NEAR(f.My, 0, 1e-6 * block) << n;
    EXPECT_GT(f.Mx, 0) << n;  // compression on the side y > 0
  }
}

}  // namespace
}  // namespace quilex::biaxial
