// The biaxial routines on the section of four corner bars, with the materials rounded as
// engineers quote them (fcd 14.1667, fyd 391.3). Whole type-D verifications are golden cases
// (tests/cases/ref-D*, d-*) and API cases.
#include <gtest/gtest.h>
#include <numbers>

#include <cmath>
#include <vector>

#include "biaxial/BiaxialResistance.hpp"

namespace quilex::biaxial {
namespace {

const MaterialSet kMat{391.3, 200000, 0.0675, 14.1667, 0, 0.002, 0.0035, 0.5};

// Four corner bars of 314.16, 40 from the faces of the 300 x 500 rectangle (y up).
const RectangleWithBars kFourBars{
    300,
    500,
    {50.27, 2, 2, 200},
    {{-110, -210, 314.16}, {110, -210, 314.16}, {-110, 210, 314.16}, {110, 210, 314.16}}};

TEST(BiaxialRoutines, WrapAngleReducesToTheHalfOpenInterval) {
  EXPECT_EQ(WrapAngle(std::numbers::pi), std::numbers::pi);
  EXPECT_EQ(WrapAngle(-std::numbers::pi), std::numbers::pi);
  EXPECT_EQ(WrapAngle(3 * std::numbers::pi), std::numbers::pi);
  EXPECT_EQ(WrapAngle(2 * std::numbers::pi), 0.0);
  EXPECT_EQ(WrapAngle(7.0), 7.0 - (2 * std::numbers::pi));
  EXPECT_EQ(WrapAngle(-7.0), -7.0 + (2 * std::numbers::pi));
}

TEST(BiaxialRoutines, AxialLimitsAndThePlanesAlongTheAxesAndTheDepthSearch) {
  const AxialLimits lim = AxialCapacities(kFourBars, kMat);
  EXPECT_NEAR(lim.Nmin, -2616728.23, 0.005);
  EXPECT_NEAR(lim.Nmax, 491723.23, 0.005);
  // theta 0 compresses the edge x = +B/2, theta pi/2 the edge y = +H/2; t = 0 puts the
  // axis at mid-depth, so the corner reaches eps_cu: curvature 0.0035 / x.
  // East, x = 150 across B: the parabola-rectangle block over 150 of the 500 wide face,
  // 0.8095 * 14.1667 * 500 * 150 = 860121 N at 0.416 * 150 = 62.4 from the edge, gives
  // My = 860121 * 87.6 = 75.35e6; the bars at +-110 strain -+0.00257, beyond fyd / Es,
  // add 2 * 110 * 391.3 * 628.32 = 54.09e6: My = 129.4e6 and N = -860121. The 60 x 60
  // cells sum (evaluated once, independently) to My = 129433008 and N = -860292.
  const BiaxialState east = BiaxialResultants(kFourBars, kMat, 2, 0.0, 0.0);
  EXPECT_EQ(east.x, 150.0);
  EXPECT_DOUBLE_EQ(east.dmax, 260.0);
  EXPECT_DOUBLE_EQ(east.eps_c, -0.0035);
  EXPECT_NEAR(east.eps_s, 0.0035 * 110 / 150, 1e-15);
  EXPECT_NEAR(east.N, -860291.92, 0.01);
  EXPECT_NEAR(east.Mx, 0.0, 1e-3);
  EXPECT_NEAR(east.My, 129433008.17, 0.01);
  // North, x = 250 across H: the same block 300 wide at 250 - 104 = 146 from the centre,
  // 125.6e6, and the bars at +-210 (strain -+0.00294) add 2 * 210 * 391.3 * 628.32 =
  // 103.3e6: Mx = 228.9e6; the cells sum to 228834300.
  const BiaxialState north = BiaxialResultants(kFourBars, kMat, 2, std::numbers::pi / 2, 0.0);
  EXPECT_DOUBLE_EQ(north.x, 250.0);
  EXPECT_DOUBLE_EQ(north.dmax, 460.0);
  EXPECT_NEAR(north.N, -860291.92, 0.01);
  EXPECT_NEAR(north.Mx, 228834299.80, 0.01);
  EXPECT_NEAR(north.My, 0.0, 1.0);
  // The bounds of the depth search lie some 3.2e6 section depths away.
  EXPECT_NEAR(BiaxialResultants(kFourBars, kMat, 2, 0.0, 0.9999999).x / 300, 3.18e6, 0.05e6);
  EXPECT_NEAR(BiaxialResultants(kFourBars, kMat, 2, 0.0, -0.9999999).x / 300, -3.18e6, 0.05e6);
  const DepthSearch one = SolveNeutralAxisDepth(kFourBars, kMat, 2, 0.0, -500000, 0.001, 1);
  EXPECT_FALSE(one.converged);
  EXPECT_EQ(one.state.x, 150.0);  // the single evaluation, at t = 0
  // A second one: N = -860292 at t = 0 lies below Ned, so t = -0.49999995 follows and
  // x = 150 (1 + tan(-pi/4 (1 - 1e-7))) = 150 * pi/2 * 1e-7 = 2.356e-5.
  const DepthSearch two = SolveNeutralAxisDepth(kFourBars, kMat, 2, 0.0, -500000, 0.001, 2);
  EXPECT_NEAR(two.state.x, 2.356e-5, 1e-8);
}

TEST(BiaxialRoutines, FullyCompressedPlaneTurnsAboutThreeSeventhsOfTheDepth) {
  const BiaxialState s = BiaxialResultants(kFourBars, kMat, 2, 0.3, 0.9);
  ASSERT_GT(s.x, s.htheta);
  const double curvature = (s.eps_s - s.eps_c) / s.dmax;
  EXPECT_NEAR(s.eps_c + 3.0 / 7.0 * s.htheta * curvature, -0.002, 1e-12);
  EXPECT_GT(s.eps_c, -0.0035);
  EXPECT_EQ(StrainField(s.x, s.dmax, s.htheta, s.eps_c, s.eps_s, 0.0035, 391.3 / 200000), 6);
}

TEST(BiaxialRoutines, NeutralAxisThroughTheCornerPivotsAtTheDeepestBar) {
  // A rectangle of no size keeps x at exactly 0 for every t: the curvature cap of 1e30
  // gives way to the steel limit, eps_ud at the deepest bar.
  const RectangleWithBars s{0, 0, {50.27, 2, 2, 200}, {{-110, -210, 314.16}, {110, 210, 314.16}}};
  const BiaxialState p = BiaxialResultants(s, kMat, 2, 0.3, 0.4);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_NEAR(p.eps_s, 0.0675, 1e-15);
  EXPECT_EQ(p.eps_c, 0.0);
  EXPECT_EQ(StrainField(p.x, p.dmax, p.htheta, p.eps_c, p.eps_s, 0.0035, 391.3 / 200000), 1);
  // An axis 0.5 below the corner with no bar beyond it: eps_cu at the corner governs.
  const RectangleWithBars corner{300, 500, {50.27, 2, 2, 200}, {{150, 0, 314.16}}};
  const BiaxialState q =
      BiaxialResultants(corner, kMat, 2, 0.0, std::atan(0.5 / 150 - 1) / (std::numbers::pi / 2));
  EXPECT_NEAR(q.x, 0.5, 1e-12);
  EXPECT_NEAR(q.eps_c, -0.0035, 1e-15);
}

TEST(BiaxialRoutines, StrainFieldRowsInTheirOrder) {
  const double yd = 391.3 / 200000, cu = 0.0035;
  EXPECT_EQ(StrainField(-1, 400, 500, -0.0035, 0.01, cu, yd), 1);
  EXPECT_EQ(StrainField(100, 400, 500, -0.003, 0.0675, cu, yd), 2);
  EXPECT_EQ(StrainField(600, 400, 500, -0.003, -0.001, cu, yd), 6);
  EXPECT_EQ(StrainField(200, 400, 500, -0.0035, yd, cu, yd), 3);
  EXPECT_EQ(StrainField(200, 400, 500, -0.0035 * (1 - 5e-10), 0.01, cu, yd), 3);
  EXPECT_EQ(StrainField(200, 400, 500, -0.0035 * (1 - 2e-9), 0.01, cu, yd), 2);
  EXPECT_EQ(StrainField(300, 400, 500, -0.0035, 0.0019, cu, yd), 4);
  EXPECT_EQ(StrainField(500, 400, 500, -0.0035, -0.0007, cu, yd), 5);
  EXPECT_EQ(StrainField(501, 400, 500, -0.0035, -0.0007, cu, yd), 6);
  // The bounds of the rows: x just past 0, x at htheta short of eps_cu, x at dmax.
  EXPECT_EQ(StrainField(0.5, 400, 500, -0.0001, 0.0675, cu, yd), 2);
  EXPECT_EQ(StrainField(500, 400, 500, -0.003, -0.0007, cu, yd), 2);
  EXPECT_EQ(StrainField(400, 400, 500, -0.0035, 0, cu, yd), 4);
}

TEST(BiaxialRoutines, AngleSearchBisectsTheBracketingPair) {
  std::vector<double> theta, Mx, My;  // the sweep of 72 samples, 5 degrees apart
  for (int k = 0; k < 72; ++k) {
    theta.push_back(k * (2 * std::numbers::pi) / 72);
    const DepthSearch d = SolveNeutralAxisDepth(kFourBars, kMat, 2, theta[k], -500000, 0.001, 1000);
    ASSERT_TRUE(d.converged) << "sample " << k;
    Mx.push_back(d.state.Mx);
    My.push_back(d.state.My);
  }
  EXPECT_NEAR(Mx[18] * 1e-6, 198.03, 0.005);
  EXPECT_NEAR(My[0] * 1e-6, 110.77, 0.005);
  const auto a = SolveNeutralAxisAngle(kFourBars, kMat, 2, -500000, 0.001, 1000, theta, Mx, My,
                                       std::atan2(5e7, 1e8));
  ASSERT_TRUE(a.has_value());
  EXPECT_TRUE(a->converged);
  EXPECT_NEAR(a->state.Mx * 1e-6, 129.15, 0.005);
  EXPECT_NEAR(a->state.My * 1e-6, 64.57, 0.005);
  EXPECT_NEAR(a->state.x / a->state.dmax, 0.49, 0.005);
  // The angle found lies in the bracketing pair and turns the moment onto phi to within
  // the stop of the search (1e-10 of the 5 degree bracket).
  EXPECT_GT(a->theta, theta[6]);
  EXPECT_LT(a->theta, theta[7]);
  EXPECT_NEAR(std::atan2(a->state.My, a->state.Mx), std::atan2(5e7, 1e8), 1e-10);
  // Samples all on one side of phi, or none, bracket nothing.
  const std::vector<double> th(72, 0.0), mx(72, 1.0), my(72, 0.5);
  EXPECT_FALSE(SolveNeutralAxisAngle(kFourBars, kMat, 2, -500000, 0.001, 1000, th, mx, my, -1.0));
  EXPECT_FALSE(SolveNeutralAxisAngle(kFourBars, kMat, 2, -500000, 0.001, 1000, {}, {}, {}, 0.0));
}

}  // namespace
}  // namespace quilex::biaxial
