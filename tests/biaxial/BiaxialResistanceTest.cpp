// The biaxial routines and the type-D run on the section of four corner bars, with the
// materials rounded as engineers quote them (fcd 14.1667, fyd 391.3).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "biaxial/BiaxialResistance.hpp"
#include "program/RunLog.hpp"
#include "program/RunRecords.hpp"
#include "verification/Unchecked.hpp"

namespace quilex::biaxial {
namespace {

const MaterialSet kMat{391.3, 200000, 0.0675, 14.1667, 0, 0.002, 0.0035, 0.5};

// Four corner bars, 40 from the faces of the 300 x 500 rectangle (y up).
RectangleWithBars Corners(double bottom, double top, double Asw = 50.27) {
  return {300,
          500,
          {Asw, 2, 2, 200},
          {{-110, -210, bottom}, {110, -210, bottom}, {-110, 210, top}, {110, 210, top}}};
}
const RectangleWithBars kFourBars = Corners(314.16, 314.16);

// The verification and the records the program writes of it.
struct Outcome {
  BiaxialVerification r;
  std::string risu, mn, dom;
};
Outcome RunD(const RectangleWithBars& s, const BiaxialActions& actions, bool echo = false) {
  textio::OutputFile risu(20), mn(21), dom(22);
  if (echo) program::WriteActionsEcho(risu, actions);
  program::RisuLog log(risu);
  const BiaxialVerification r = unchecked::Verify(s, kMat, actions, Settings{}, &log);
  program::WriteResults(mn, r);
  if (r.bending == BendingOutcome::Resisted) program::WritePoints(dom, r.contour);
  return {r, risu.text(), mn.text(), dom.text()};
}

TEST(BiaxialRoutines, WrapAngleReducesToTheHalfOpenInterval) {
  EXPECT_EQ(WrapAngle(kPi), kPi);
  EXPECT_EQ(WrapAngle(-kPi), kPi);
  EXPECT_EQ(WrapAngle(3 * kPi), kPi);
  EXPECT_EQ(WrapAngle(kTwoPi), 0.0);
  EXPECT_EQ(WrapAngle(7.0), 7.0 - kTwoPi);
  EXPECT_EQ(WrapAngle(-7.0), -7.0 + kTwoPi);
}

TEST(BiaxialRoutines, AxialLimitsAndThePlanesAlongTheAxesAndTheDepthSearch) {
  const AxialLimits lim = AxialCapacities(kFourBars, kMat);
  EXPECT_NEAR(lim.Nmin, -2616728.23, 0.005);
  EXPECT_NEAR(lim.Nmax, 491723.23, 0.005);
  // theta 0 compresses the edge x = +B/2, theta pi/2 the edge y = +H/2; t = 0 is mid-depth.
  const BiaxialState east = BiaxialResultants(kFourBars, kMat, 0.0, 0.0);
  EXPECT_EQ(east.x, 150.0);
  EXPECT_DOUBLE_EQ(east.dmax, 260.0);
  EXPECT_NEAR(east.Mx, 0.0, 1e-3);
  EXPECT_GT(east.My, 1e7);
  const BiaxialState north = BiaxialResultants(kFourBars, kMat, kHalfPi, 0.0);
  EXPECT_DOUBLE_EQ(north.x, 250.0);
  EXPECT_GT(north.Mx, 1e7);
  EXPECT_NEAR(north.My, 0.0, 1.0);
  // The bounds of the depth search lie some 3.2e6 section depths away.
  EXPECT_NEAR(BiaxialResultants(kFourBars, kMat, 0.0, 0.9999999).x / 300, 3.18e6, 0.05e6);
  EXPECT_NEAR(BiaxialResultants(kFourBars, kMat, 0.0, -0.9999999).x / 300, -3.18e6, 0.05e6);
  const DepthSearch one = SolveNeutralAxisDepth(kFourBars, kMat, 0.0, -500000, 0.001, 1);
  EXPECT_FALSE(one.converged);
  EXPECT_EQ(one.state.x, 150.0);  // the single evaluation, at t = 0
}

TEST(BiaxialRoutines, FullyCompressedPlaneTurnsAboutThreeSeventhsOfTheDepth) {
  const BiaxialState s = BiaxialResultants(kFourBars, kMat, 0.3, 0.9);
  ASSERT_GT(s.x, s.htheta);
  const double curvature = (s.eps_s - s.eps_c) / s.dmax;
  EXPECT_NEAR(s.eps_c + 3.0 / 7.0 * s.htheta * curvature, -0.002, 1e-12);
  EXPECT_GT(s.eps_c, -0.0035);
  EXPECT_EQ(BiaxialStrainField(s.x, s.dmax, s.htheta, s.eps_c, s.eps_s, 0.0035, 391.3 / 200000), 6);
}

TEST(BiaxialRoutines, NeutralAxisThroughTheCornerPivotsAtTheDeepestBar) {
  // A rectangle of no size keeps x at exactly 0 for every t: the curvature cap of 1e30
  // gives way to the steel limit, eps_ud at the deepest bar.
  const RectangleWithBars s{0, 0, {50.27, 2, 2, 200}, {{-110, -210, 314.16}, {110, 210, 314.16}}};
  const BiaxialState p = BiaxialResultants(s, kMat, 0.3, 0.4);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_NEAR(p.eps_s, 0.0675, 1e-15);
  EXPECT_EQ(p.eps_c, 0.0);
  EXPECT_EQ(BiaxialStrainField(p.x, p.dmax, p.htheta, p.eps_c, p.eps_s, 0.0035, 391.3 / 200000), 1);
}

TEST(BiaxialRoutines, StrainFieldRowsInTheirOrder) {
  const double yd = 391.3 / 200000, cu = 0.0035;
  EXPECT_EQ(BiaxialStrainField(-1, 400, 500, -0.0035, 0.01, cu, yd), 1);
  EXPECT_EQ(BiaxialStrainField(100, 400, 500, -0.003, 0.0675, cu, yd), 2);
  EXPECT_EQ(BiaxialStrainField(600, 400, 500, -0.003, -0.001, cu, yd), 6);
  EXPECT_EQ(BiaxialStrainField(200, 400, 500, -0.0035, yd, cu, yd), 3);
  EXPECT_EQ(BiaxialStrainField(200, 400, 500, -0.0035 * (1 - 5e-10), 0.01, cu, yd), 3);
  EXPECT_EQ(BiaxialStrainField(200, 400, 500, -0.0035 * (1 - 2e-9), 0.01, cu, yd), 2);
  EXPECT_EQ(BiaxialStrainField(300, 400, 500, -0.0035, 0.0019, cu, yd), 4);
  EXPECT_EQ(BiaxialStrainField(500, 400, 500, -0.0035, -0.0007, cu, yd), 5);
  EXPECT_EQ(BiaxialStrainField(501, 400, 500, -0.0035, -0.0007, cu, yd), 6);
}

TEST(BiaxialRoutines, AngleSearchBisectsTheBracketingPair) {
  std::vector<double> theta, Mx, My;  // the sweep of 72 samples, 5 degrees apart
  for (int k = 0; k < 72; ++k) {
    theta.push_back(k * kTwoPi / 72);
    const DepthSearch d = SolveNeutralAxisDepth(kFourBars, kMat, theta[k], -500000, 0.001, 1000);
    ASSERT_TRUE(d.converged) << "sample " << k;
    Mx.push_back(d.state.Mx);
    My.push_back(d.state.My);
  }
  EXPECT_NEAR(Mx[18] * 1e-6, 198.03, 0.005);
  EXPECT_NEAR(My[0] * 1e-6, 110.77, 0.005);
  const auto a = SolveNeutralAxisAngle(kFourBars, kMat, -500000, 0.001, 1000, theta, Mx, My,
                                       std::atan2(5e7, 1e8));
  ASSERT_TRUE(a.has_value());
  EXPECT_TRUE(a->converged);
  EXPECT_NEAR(a->state.Mx * 1e-6, 129.15, 0.005);
  EXPECT_NEAR(a->state.My * 1e-6, 64.57, 0.005);
  EXPECT_NEAR(a->state.x / a->state.dmax, 0.49, 0.005);
  // The last trial is the midpoint after 34 halvings of [theta_6, theta_7]: an odd multiple
  // of the bracket over 2^34 from its lower end.
  const double steps = (a->theta - theta[6]) / (theta[7] - theta[6]) * std::ldexp(1.0, 34);
  EXPECT_NEAR(steps, std::round(steps), 0.01);
  EXPECT_EQ(static_cast<long long>(std::round(steps)) % 2, 1);
  // Samples all on one side of phi, or none, bracket nothing.
  const std::vector<double> th(72, 0.0), mx(72, 1.0), my(72, 0.5);
  EXPECT_FALSE(SolveNeutralAxisAngle(kFourBars, kMat, -500000, 0.001, 1000, th, mx, my, -1.0));
  EXPECT_FALSE(SolveNeutralAxisAngle(kFourBars, kMat, -500000, 0.001, 1000, {}, {}, {}, 0.0));
}

TEST(BiaxialVerificationTest, WorkedSection) {
  const Outcome run = RunD(kFourBars, {-500000, 100000000, 50000000, 30000, 40000}, true);
  EXPECT_EQ(run.risu,
            "Ned =  -500.00\r\nMx  =   100.00\r\nMy  =    50.00\r\nVx  =    30.00\r\n"
            "Vy  =    40.00\r\n\r\n");
  EXPECT_EQ(
      run.mn,
      "Mrd     =   144.39\r\nMrdx    =   129.15\r\nMrdy    =    64.57\r\nrho_M   =     0.77\r\n"
      "MRx     =   198.03\r\nMRy     =   110.77\r\nVrdx    =    46.03\r\nVrdy    =    81.44\r\n"
      "rho_V   =     0.82\r\nepsilon =     0.49\r\nalpha   =   -58.25\r\ncampo   =  3\r\n");
  ASSERT_EQ(run.dom.size(), 73u * 19);
  EXPECT_EQ(run.dom.substr(0, 19), "    0.00   110.77\r\n");
  EXPECT_EQ(run.dom.substr(18 * 19, 19), "  198.03     0.00\r\n");
  EXPECT_EQ(run.dom.substr(72 * 19), run.dom.substr(0, 19));
}

TEST(BiaxialVerificationTest, AlphaNearTheAxesAndTheClosingPair) {
  // theta* just below pi/2 (bracket 17-18): alpha a hair below 0.
  const Outcome x = RunD(kFourBars, {-500000, 100000000, 0, 30000, 40000});
  EXPECT_NEAR(*x.r.alpha, 0.0, 1e-6);
  EXPECT_NE(x.mn.find("alpha   =    -0.00\r\n"), std::string::npos);
  // theta* just above 0 (bracket 0-1, the sample 0 exactly on phi): alpha a hair above -90.
  const Outcome y = RunD(kFourBars, {-500000, 0, 50000000, 30000, 40000});
  EXPECT_GT(*y.r.alpha, -90.0);
  EXPECT_NEAR(*y.r.alpha, -90.0, 1e-6);
  // More steel at the bottom: the pure My direction falls between the last sample and the
  // first one taken again (theta near 2 pi): alpha just below 90.
  const Outcome z = RunD(Corners(628.32, 157.08), {-500000, 0, 50000000, 30000, 40000});
  EXPECT_NEAR(*z.r.alpha, 89.86, 0.005);
  EXPECT_NEAR(z.r.Mrdy * 1e-6, 124.25, 0.005);
}

TEST(BiaxialVerificationTest, NoMomentNoShearAndTheAxialLimit) {
  const Outcome zero = RunD(kFourBars, {-500000, 0, 0, 0, 0});
  EXPECT_EQ(zero.r.Mrdx, *zero.r.MRx);
  EXPECT_NEAR(zero.r.Mrdy, 0.0, 1.0);
  EXPECT_EQ(*zero.r.rho_M, 0.0);
  EXPECT_EQ(*zero.r.rho_V, 0.0);
  EXPECT_EQ(RunD(Corners(314.16, 314.16, 0.0), {-500000, 0, 0, 0, 0}).r.rho_V, std::nullopt);

  const Outcome limit =
      RunD(kFourBars, {AxialCapacities(kFourBars, kMat).Nmin, 1e8, 5e7, 3e4, 4e4});
  EXPECT_EQ(limit.r.bending, BendingOutcome::AxialForceOutsideDomain);
  EXPECT_EQ(limit.r.Mrd, 0.0);
  EXPECT_FALSE(limit.r.rho_M);
  EXPECT_EQ(limit.dom, "");
  EXPECT_NE(limit.mn.find("campo   =  0\r\nATTENTION --> Mrd = 0 (Ned outside the M-N domain or "
                          "no convergence, see risu.txt): section not verified!\r\nATTENTION --> "
                          "mean compression exceeds fcd: shear not verified (Vrd = 0)!\r\n"),
            std::string::npos);
  EXPECT_EQ(limit.risu,  // the mean compression is beyond fcd as well
            "ATTENTION --> maximum compression is out of range!\r\n"
            "ATTENTION --> maximum compression is out of range!\r\n");
}

}  // namespace
}  // namespace quilex::biaxial
