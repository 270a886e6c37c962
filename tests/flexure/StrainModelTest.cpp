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

TEST(StrainAtDepthTest, KeyDistributionsAndTheLinearBlendBetweenThem) {
  // The key distribution Dk as the straight line through (y1, e1) and (y2, e2).
  const struct {
    double y1, e1, y2, e2;
  } key[] = {
      {0, eps_ud, h, eps_ud}, {0, 0, d, eps_ud},      {0, -eps_cu, d, eps_ud},
      {0, -eps_cu, d, 0},     {0, -eps_cu, h, 0},     {0, -eps_c2, h, -eps_c2},
      {0, 0, h, -eps_cu},     {c, 0, h, -eps_cu},     {c, eps_ud, h, -eps_cu},
      {c, eps_ud, h, 0},      {0, eps_ud, h, eps_ud},
  };
  auto at = [&](int k, double y) {
    return key[k].e1 + (key[k].e2 - key[k].e1) * (y - key[k].y1) / (key[k].y2 - key[k].y1);
  };
  for (int k = 0; k <= 10; ++k) {
    for (double y : {0.0, c, yC, d, h}) {
      EXPECT_NEAR(Strain(y, k), at(k, y), 1e-12) << "t = " << k << ", y = " << y;
      if (k < 10) {
        EXPECT_NEAR(Strain(y, k + 0.5), (at(k, y) + at(k + 1, y)) / 2, 1e-12) << k << " " << y;
      }
    }
  }
  EXPECT_EQ(Strain(0, -0.1), 0);  // outside the parameter range
  EXPECT_EQ(Strain(0, 10.1), 0);
}

TEST(StrainAtDepthTest, NearlyUniformCompressionRotatesAboutThePointOfPeakStress) {
  for (double t : {4.25, 4.99})
    EXPECT_NEAR(Strain(yC, t), -eps_c2, 1e-15) << t;
  for (double t : {5.5, 5.99})
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

TEST(MaterialLawTest, ParabolaRectangleAndElasticPlasticSteel) {
  constexpr double fcd = 14.17, fyd = 391.3;
  auto concrete = [](double eps) { return ConcreteStress(eps, fcd, eps_c2); };
  EXPECT_EQ(concrete(-eps_c2), -fcd);
  EXPECT_NEAR(concrete(-eps_c2 / 2), -0.75 * fcd, 1e-12);
  EXPECT_EQ(concrete(-0.01), -fcd);  // no cut-off beyond eps_cu
  EXPECT_EQ(concrete(0.001), 0);
  auto steel = [](double eps, double E) { return SteelStress(eps, fyd, E); };
  EXPECT_NEAR(steel(0.001, 200000), 200, 1e-9);
  EXPECT_EQ(steel(1.0, 200000), fyd);  // no strain limit on the plastic branch
  EXPECT_EQ(steel(-fyd / 200000, 200000), -fyd);
  EXPECT_EQ(steel(fyd / 200000, 200000), fyd);  // 200000 * (fyd / 200000) is not fyd here
  EXPECT_EQ(steel(1e-9, 0), fyd);               // rigid-plastic without a modulus
  EXPECT_EQ(steel(0, 0), -fyd);
}

TEST(StrainFieldTest, OfASolution) {
  constexpr double eps_yd = 0.00196;
  EXPECT_EQ(StrainField(3.5, +1, 0.01, eps_yd), 3);
  EXPECT_EQ(StrainField(3.5, +1, 0.001, eps_yd), 4);
  EXPECT_EQ(StrainField(3.5, +1, eps_yd, eps_yd), 3);
  EXPECT_EQ(StrainField(8.5, -1, 0.001, eps_yd), 4);
  EXPECT_EQ(StrainField(5.0, +1, 0.01, eps_yd), 6);
  EXPECT_EQ(StrainField(6.0, +1, 0.01, eps_yd), 6);  // t* = 5 exactly
  EXPECT_EQ(StrainField(11.0, -1, 0.01, eps_yd), 1);
  EXPECT_EQ(StrainField(1.5, 0, 0.01, eps_yd), 1);  // Med = 0 counts as positive
  EXPECT_EQ(StrainField(-999999999.99 + 1, +1, 0.01, eps_yd), 0);
}

}  // namespace
}  // namespace quilex::flexure
