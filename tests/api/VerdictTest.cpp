// The verdict in words: the failed conditions of bending and shear in their order, the
// same-side rule of verified(), and outcomes the golden runs cannot reach with the program's
// fixed settings. (Every golden run of quilex-combos checks the words in its reason column.)
#include "quilex/verdict.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quilex {
namespace {

Verification Resisted(double Mrd, double Med, double Vrd, double Ved) {
  Verification v;
  v.bending = BendingOutcome::Resisted;
  v.Mrd = Mrd;
  v.rho_M = Med / Mrd;
  v.shear = ShearOutcome::Resisted;
  v.Vrd = Vrd;
  v.rho_V = Ved / Vrd;
  return v;
}

TEST(Verdict, ReasonsInTheirOrderAndOnlyWhenNotVerified) {
  Verification v = Resisted(200e6, 100e6, 100e3, 50e3);
  EXPECT_TRUE(VerdictOf(v).verified);
  EXPECT_EQ(VerdictOf(v).reason(), "");

  v.bending = BendingOutcome::NotConverged;
  v.Mrd = 0;
  v.rho_M.reset();
  v.shear = ShearOutcome::StrutAngleOutOfRange;
  v.Vrd = 0;
  v.rho_V.reset();
  Verdict verdict = VerdictOf(v);
  EXPECT_FALSE(verdict.verified);
  EXPECT_EQ(verdict.reason(), "no convergence; strut angle out of range");
  EXPECT_EQ(verdict.bending, std::vector<std::string>{"no convergence"});
  EXPECT_EQ(verdict.shear, std::vector<std::string>{"strut angle out of range"});
  EXPECT_FALSE(verdict.rho_M || verdict.rho_V);

  v = Resisted(-150e6, 160e6, 100e3, 120e3);  // ratio negative: the other side
  verdict = VerdictOf(v);
  EXPECT_EQ(verdict.reason(), "outside the M-N domain at this axial force; shear ratio above 1");
  EXPECT_FALSE(verdict.rho_M);
  EXPECT_EQ(*verdict.rho_V, 1.2);

  v = Resisted(150e6, 0, 100e3, 0);  // a zero moment counts as positive
  EXPECT_TRUE(VerdictOf(v).verified);
  v = Resisted(-150e6, 0, 100e3, 0);
  EXPECT_EQ(VerdictOf(v).reason(), "outside the M-N domain at this axial force");
  EXPECT_FALSE(v.verified());

  v = Resisted(150e6, 151e6, 100e3, 100e3);  // exactly 1 passes
  EXPECT_EQ(VerdictOf(v).reason(), "bending ratio above 1");
}

TEST(Verdict, BiaxialShearReasonsNameTheDirection) {
  BiaxialVerification v;
  v.bending = BendingOutcome::SampleNotConverged;
  v.shear_x = ShearOutcome::NoStirrups;
  v.Vrdy = 50e3;
  EXPECT_EQ(VerdictOf(v).reason(),
            "sample direction did not converge; no shear resistance along x");
  v.Vrdy = 0;
  EXPECT_EQ(VerdictOf(v).shear, (std::vector<std::string>{"no shear resistance along x",
                                                          "no shear resistance along y"}));
  v.Vrdy = 50e3;
  v.bending = BendingOutcome::DirectionNotFound;
  v.shear_y = ShearOutcome::CompressionOutOfRange;
  v.Vrdy = 0;
  EXPECT_EQ(VerdictOf(v).reason(),
            "no bracketing direction; no shear resistance: mean compression reaches fcd");
  v.bending = BendingOutcome::Resisted;
  v.Mrd = 100e6;
  v.rho_M = 0.5;
  v.shear_x = v.shear_y = ShearOutcome::Resisted;
  v.Vrdx = v.Vrdy = 50e3;
  v.rho_V = 1.5;
  EXPECT_EQ(VerdictOf(v).reason(), "shear ratio above 1");
  v.rho_V = 0.5;
  EXPECT_TRUE(VerdictOf(v).verified);
}

}  // namespace
}  // namespace quilex
