#include "flexure/StrainModel.hpp"

#include <gtest/gtest.h>

namespace quilex::flexure {
namespace {

// A 500 deep section with its layers 50 from the faces.
constexpr double h = 500, c = 50, d = h - c;
constexpr double eps_ud = 0.0675, eps_cu = 0.0035, eps_c2 = 0.002;
constexpr double yC = (eps_cu - eps_c2) * h / eps_cu;

double Strain(double y, double t) {
  return StrainAtDepth(h, c, y, t, eps_ud, eps_cu, eps_c2);
}

// The key distribution Dk at depth y, as the straight line through its two defining points.
double KeyStrain(int k, double y) {
  struct Line {
    double y1, e1, y2, e2;
  };
  const Line lines[] = {
      {0, eps_ud, h, eps_ud}, {0, 0, d, eps_ud},      {0, -eps_cu, d, eps_ud},
      {0, -eps_cu, d, 0},     {0, -eps_cu, h, 0},     {0, -eps_c2, h, -eps_c2},
      {0, 0, h, -eps_cu},     {c, 0, h, -eps_cu},     {c, eps_ud, h, -eps_cu},
      {c, eps_ud, h, 0},      {0, eps_ud, h, eps_ud},
  };
  const Line& l = lines[k];
  return l.e1 + (l.e2 - l.e1) * (y - l.y1) / (l.y2 - l.y1);
}

TEST(StrainAtDepthTest, KeyDistributionsAreReachedFromBothSidesAndBlendedLinearly) {
  constexpr double kNudge = 1e-10;
  for (int k = 0; k <= 10; ++k) {
    for (double y : {0.0, c, 137.0, yC, d, h}) {
      SCOPED_TRACE(testing::Message() << "t = " << k << ", y = " << y);
      EXPECT_NEAR(Strain(y, k), KeyStrain(k, y), 1e-12);
      if (k > 0) {
        EXPECT_NEAR(Strain(y, k - kNudge), KeyStrain(k, y), 1e-9);
      }
      if (k < 10) {
        EXPECT_NEAR(Strain(y, k + kNudge), KeyStrain(k, y), 1e-9);
        EXPECT_NEAR(Strain(y, k + 0.5), (KeyStrain(k, y) + KeyStrain(k + 1, y)) / 2, 1e-12);
      }
    }
  }
}

TEST(StrainAtDepthTest, OutsideTheParameterRangeTheStrainIsZero) {
  EXPECT_EQ(Strain(0, -0.1), 0);
  EXPECT_EQ(Strain(0, 10.1), 0);
  EXPECT_EQ(Strain(h, 10), eps_ud);  // 10 closes the last interval
}

TEST(StrainAtDepthTest, HalfwayDistributionsOfTheTwoFaces) {
  EXPECT_NEAR(Strain(0, 2.5), -0.0035, 5e-5);
  EXPECT_NEAR(Strain(450, 2.5), 0.03375, 5e-6);
  EXPECT_NEAR(Strain(50, 7.5), 0.03375, 5e-6);
  EXPECT_NEAR(Strain(500, 7.5), -0.0035, 5e-5);
}

TEST(StrainAtDepthTest, NearlyUniformCompressionRotatesAboutThePointOfPeakStress) {
  for (double t : {4.0, 4.25, 4.5, 4.99, 5.0})
    EXPECT_NEAR(Strain(yC, t), -eps_c2, 1e-15) << t;
  for (double t : {5.0, 5.5, 5.99})
    EXPECT_NEAR(Strain(h - yC, t), -eps_c2, 1e-15) << t;
}

TEST(NeutralAxisDepthTest, UniformConfigurationsGiveTheSentinelOthersTheSignedDepth) {
  auto x = [](double t) { return NeutralAxisDepth(h, c, t, eps_ud, eps_cu, eps_c2); };
  EXPECT_EQ(x(0), 100000000.0);
  EXPECT_EQ(x(5), 100000000.0);
  EXPECT_EQ(x(10), 100000000.0);
  EXPECT_NEAR(x(3), d, 1e-9);
  EXPECT_NEAR(x(4), h, 1e-9);
  EXPECT_NEAR(x(0.5), -d, 1e-9);  // whole section in tension: above the top face
  EXPECT_GT(x(4.5), h);           // whole section compressed: below the bottom face
}

TEST(ConcreteStressTest, ParabolaRectangleAtItsBranchPoints) {
  constexpr double fcd = 14.17;
  auto s = [](double eps) { return ConcreteStress(eps, fcd, kLawKind, 30000, eps_cu, eps_c2); };
  EXPECT_EQ(s(-eps_c2), -fcd);
  EXPECT_NEAR(s(-eps_c2 / 2), -0.75 * fcd, 1e-12);
  EXPECT_EQ(s(-eps_cu), -fcd);
  EXPECT_EQ(s(-0.01), -fcd);  // no cut-off beyond eps_cu
  EXPECT_EQ(s(0), 0);
  EXPECT_EQ(s(0.001), 0);
}

TEST(SteelStressTest, ElasticPerfectlyPlasticAndRigidPlasticWithoutModulus) {
  constexpr double fyd = 391.3, Es = 200000;
  auto s = [](double eps, double E) { return SteelStress(eps, fyd, kLawKind, E, eps_ud); };
  EXPECT_NEAR(s(0.001, Es), 200, 1e-9);
  EXPECT_EQ(s(0.05, Es), fyd);
  EXPECT_EQ(s(1.0, Es), fyd);  // no strain limit on the plastic branch
  EXPECT_NEAR(s(-0.0019565, Es), -391.3, 1e-9);
  EXPECT_EQ(s(-fyd / Es, Es), -fyd);
  EXPECT_EQ(s(fyd / Es, Es), fyd);
  EXPECT_EQ(s(1e-9, 0), fyd);
  EXPECT_EQ(s(0, 0), -fyd);
  EXPECT_EQ(s(-1e-9, 0), -fyd);
}

TEST(CampoNumberTest, StrainFieldOfASolution) {
  constexpr double eps_yd = 0.00196;
  EXPECT_EQ(CampoNumber(3.5, +1, 0.01, eps_yd), 3);
  EXPECT_EQ(CampoNumber(3.5, +1, 0.001, eps_yd), 4);
  EXPECT_EQ(CampoNumber(3.5, +1, eps_yd, eps_yd), 3);
  EXPECT_EQ(CampoNumber(8.5, -1, 0.01, eps_yd), 3);
  EXPECT_EQ(CampoNumber(8.5, -1, 0.001, eps_yd), 4);
  EXPECT_EQ(CampoNumber(5.0, +1, 0.01, eps_yd), 6);
  EXPECT_EQ(CampoNumber(6.0, +1, 0.01, eps_yd), 6);
  EXPECT_EQ(CampoNumber(11.0, -1, 0.01, eps_yd), 1);
  EXPECT_EQ(CampoNumber(1.5, 0, 0.01, eps_yd), 1);  // Med = 0 counts as positive
  EXPECT_EQ(CampoNumber(6.5, -1, 0.01, eps_yd), 6);
  EXPECT_EQ(CampoNumber(-999999999.99 + 1, +1, 0.01, eps_yd), 0);
}

}  // namespace
}  // namespace quilex::flexure
