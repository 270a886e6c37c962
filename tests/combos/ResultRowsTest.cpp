// The fields of risu-combinations.csv: numbers rounded as the program's f8.2 rounds them but
// without its width, and the verdict of outcomes the golden runs cannot reach
// with the program's fixed settings.
#include "combos/ResultRows.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quilex::combos {
namespace {

TEST(ResultRowsTest, TwoDecimalsRoundTheExactBinaryValueWithoutWidthLimit) {
  EXPECT_EQ(TwoDecimals(237.8912), "237.89");
  EXPECT_EQ(TwoDecimals(0.125), "0.12");    // exactly halfway: to even
  EXPECT_EQ(TwoDecimals(0.375), "0.38");    // exactly halfway: to even
  EXPECT_EQ(TwoDecimals(2.675), "2.67");    // the double lies below 2.675
  EXPECT_EQ(TwoDecimals(1.005), "1.00");    // below 1.005
  EXPECT_EQ(TwoDecimals(-0.004), "-0.00");  // the sign stays, as in the files
  EXPECT_EQ(TwoDecimals(999.99), "999.99");
  EXPECT_EQ(TwoDecimals(123456.789), "123456.79");  // f8.2 would print ********
  EXPECT_EQ(TwoDecimals(1e20), "100000000000000000000.00");
  EXPECT_EQ(TwoDecimals(-1e40).size(), 45u);  // beyond the first try's field
  EXPECT_EQ(TwoDecimals(std::numeric_limits<double>::infinity()), "Infinity");
  EXPECT_EQ(TwoDecimals(-std::numeric_limits<double>::infinity()), "-Infinity");
}

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

TEST(ResultRowsTest, ReasonsInTheirOrderAndOnlyForRowsNotVerified) {
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

TEST(ResultRowsTest, BiaxialShearReasonsNameTheDirection) {
  BiaxialVerification v;
  v.bending = BendingOutcome::SampleNotConverged;
  v.shear_x = ShearOutcome::NoStirrups;
  v.Vrdy = 50e3;
  EXPECT_EQ(VerdictOf(v).reason(),
            "sample direction did not converge; no shear resistance along x");
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

TEST(ResultRowsTest, RowsCarryTheVerdict) {
  const Verification v = Resisted(237.89e6, 150e6, 108.58e3, 100e3);
  std::string row;
  AppendRow(row, "wind, left", {.Ned = -500e3, .Med = 150e6, .Ved = 100e3}, v, VerdictOf(v));
  EXPECT_EQ(row, "\"wind, left\",-500.00,150.00,100.00,237.89,0.63,108.58,0.92,0.00,0,yes,\r\n");
}

}  // namespace
}  // namespace quilex::combos
