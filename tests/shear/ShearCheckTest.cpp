#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "shear/CircularShear.hpp"
#include "shear/RectangularShear.hpp"
#include "shear/StrutModel.hpp"
#include "support/TextLog.hpp"

namespace quilex::shear {
namespace {

using testing_support::TextLog;

constexpr double fyd = 391.3, fcd = 14.17, nu = 0.5;
const MaterialSet kMat{.fyd = fyd, .fcd = fcd, .nu = nu};

double ShearCheckRT(TextLog& log, double b, double h, double c, double Asw, int nb, double st,
                    double theta, double Ned) {
  return RectangularWebShear(b, h, c, Asw, nb, st, theta, kMat, Ned, log.sink()).Vrd;
}
double ShearCheckC(TextLog& log, double D, double c, double Asw, int nb, double st, double theta,
                   double Ned) {
  return CircularShear(D, c, Asw, nb, st, theta, kMat, Ned, log.sink()).Vrd;
}
const std::string kAngleMessage = "ATTENTION --> ctan_theta is out of range!\r\n";
const std::string kCompressionMessage = "ATTENTION --> maximum compression is out of range!\r\n";

TEST(StrutCotangentTest, AngleRangeIsOneToTwoAndAHalfBothChecksStopOutsideIt) {
  TextLog log, rt, circ;
  EXPECT_NEAR(*StrutCotangent(45.0, log.sink()), 1, 1e-15);
  EXPECT_NEAR(*StrutCotangent(21.81, log.sink()), 2.49891, 5e-6);
  EXPECT_EQ(log.text(), "");
  EXPECT_FALSE(StrutCotangent(21.8, log.sink()));
  EXPECT_EQ(log.text(), kAngleMessage);
  const ShearResistance by_web =
      RectangularWebShear(300, 500, 40, 50, 2, 200, 21.8, kMat, 0, rt.sink());
  const ShearResistance by_circle = CircularShear(400, 40, 50, 2, 200, 21.8, kMat, 0, circ.sink());
  for (const ShearResistance& refused : {by_web, by_circle}) {
    EXPECT_EQ(refused.outcome, ShearOutcome::StrutAngleOutOfRange);
    EXPECT_EQ(refused.Vrd, 0);
  }
  EXPECT_EQ(rt.text(), kAngleMessage);
  EXPECT_EQ(circ.text(), kAngleMessage);
}

TEST(AxialStressFactorTest, BandsAtTheirBoundaries) {
  TextLog log;
  EXPECT_EQ(AxialStressFactor(1.0, fcd, log.sink()), 1);
  EXPECT_EQ(AxialStressFactor(0.0, fcd, log.sink()), 1);
  EXPECT_NEAR(AxialStressFactor(-0.1 * fcd, fcd, log.sink()), 1.1, 1e-12);
  EXPECT_EQ(AxialStressFactor(-0.25 * fcd, fcd, log.sink()), 1.25);
  EXPECT_EQ(AxialStressFactor(-0.5 * fcd, fcd, log.sink()), 1.25);
  EXPECT_NEAR(AxialStressFactor(-0.75 * fcd, fcd, log.sink()), 0.625, 1e-12);
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(AxialStressFactor(-fcd, fcd, log.sink()), 0);
  EXPECT_EQ(log.text(), kCompressionMessage);
}

// Stirrups of 2 x 50 mm2 at 200 govern; stirrups of 2 x 5000 at 10 leave the struts to govern.
TEST(ShearCheckRTTest, LeverArmAndAxialStressOfTheWeb) {
  TextLog log;
  const double by_stirrups = ShearCheckRT(log, 300, 500, 40, 50, 2, 200, 45, -500000);
  EXPECT_NEAR(by_stirrups * 200 / (2 * 50 * fyd), 414, 1e-9);
  EXPECT_NEAR(AxialStressFactor(-500000.0 / (500 * 300), fcd, log.sink()), 1.23524, 5e-6);
  const double by_struts = ShearCheckRT(log, 300, 500, 40, 5000, 2, 10, 45, -500000);
  EXPECT_NEAR(by_struts / (414 * 300 * nu * fcd * 0.5), 1.23524, 5e-6);
  EXPECT_EQ(log.text(), "");
}

TEST(ShearCheckRTTest, FullCompression) {
  TextLog log;
  EXPECT_EQ(ShearCheckRT(log, 300, 500, 40, 50, 2, 200, 45, -fcd * 500 * 300), 0);
  EXPECT_EQ(log.text(), kCompressionMessage);
}

// Stirrups without area or without legs resist exactly +0 at every spacing, none included
// (where the quotient would be 0/0), so the struts never stand in for missing stirrups. At a
// positive spacing this is what the quotient itself gives: the results of sections without
// stirrups and a spacing are the same as ever.
TEST(StirrupsOrStrutsTest, NoStirrupsResistNothingWhateverTheSpacing) {
  struct Legs {
    double Asw;
    int nb;
  };
  for (const Legs legs : {Legs{0, 2}, Legs{50, 0}, Legs{0, 0}}) {
    for (const double st : {0.0, 1e-300, 150.0, 1e300}) {
      const ShearResistance r = StirrupsOrStruts(414, 300, 1.25, legs.Asw, legs.nb, st, 1, kMat);
      EXPECT_EQ(r.outcome, ShearOutcome::NoStirrups) << legs.Asw << " " << legs.nb << " " << st;
      EXPECT_EQ(r.Vrd, 0) << legs.Asw << " " << legs.nb << " " << st;
      EXPECT_FALSE(std::signbit(r.Vrd));
    }
  }
  // Full compression still names the struts.
  EXPECT_EQ(StirrupsOrStruts(414, 300, 0, 0, 2, 0, 1, kMat).outcome,
            ShearOutcome::CompressionOutOfRange);
  TextLog log;
  EXPECT_EQ(ShearCheckRT(log, 300, 500, 40, 0, 2, 0, 45, 0), 0);
  EXPECT_EQ(ShearCheckC(log, 400, 40, 50, 0, 0, 45, 0), 0);
  EXPECT_EQ(log.text(), "");
}

TEST(ShearCheckCTest, EquivalentRectangleOfTheCircle) {
  const EquivalentRectangle e = CircleEquivalentRectangle(400, 40);
  EXPECT_NEAR(std::sin(e.alpha), 0.509296, 5e-7);
  EXPECT_NEAR(e.alpha, 0.534366, 5e-7);
  EXPECT_NEAR(e.d, 301.859, 5e-4);
  EXPECT_NEAR(e.A, 101738.3, 0.05);
  EXPECT_NEAR(e.bw, 337.039, 5e-4);

  TextLog log;
  const double by_stirrups = ShearCheckC(log, 400, 40, 50, 2, 200, 45, 0);
  EXPECT_NEAR(by_stirrups * 200 / (2 * 50 * fyd), 271.673, 5e-4);
  // The mean stress is taken on the area above the chord: -0.3 fcd there, although only
  // -0.243 fcd on the whole circle.
  const double by_struts = ShearCheckC(log, 400, 40, 5000, 2, 10, 45, -101738.3 * 0.3 * fcd);
  EXPECT_NEAR(by_struts / (e.bw * 0.9 * e.d * nu * fcd * 0.5), 1.25, 1e-12);
  EXPECT_EQ(log.text(), "");
}

}  // namespace
}  // namespace quilex::shear
