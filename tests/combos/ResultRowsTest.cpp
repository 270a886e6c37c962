// The fields of risu-combinations.csv: numbers rounded as the program's f8.2 rounds them but
// without its width, and the verdict in the row.
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

TEST(ResultRowsTest, RowsCarryTheVerdict) {
  Verification v;
  v.bending = BendingOutcome::Resisted;
  v.Mrd = 237.89e6;
  v.rho_M = 150e6 / v.Mrd;
  v.Vrd = 108.58e3;
  v.rho_V = 100e3 / v.Vrd;
  std::string row;
  AppendRow(row, "wind, left", {.Ned = -500e3, .Med = 150e6, .Ved = 100e3}, v, VerdictOf(v));
  EXPECT_EQ(row,
            "\"wind, left\",-500.00,150.00,100.00,237.89,0.63,108.58,0.92,0.00,0,yes,,yes,yes\r\n");
}

}  // namespace
}  // namespace quilex::combos
