// The shear checks: the strut-angle range, the axial-stress coefficient alpha_cw in every
// band (near both ends of each) with the stirrups and the struts each governing, stirrups
// that resist nothing, and the equivalent rectangle of a circle. Expected values are worked
// out by hand in the comments, not with the checks' own expressions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

#include "shear/CircularShear.hpp"
#include "shear/RectangularShear.hpp"
#include "shear/StrutModel.hpp"
#include "support/TextLog.hpp"

namespace quilex::shear {
namespace {

using testing_support::TextLog;

const MaterialSet kMat{.fyd = 391.3, .fcd = 14.17, .nu = 0.5};

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
  EXPECT_EQ(StrutCotangent(21.80140948635181, log.sink()), 2.5);  // the upper bound itself
  EXPECT_EQ(log.text(), "");
  EXPECT_FALSE(StrutCotangent(21.8, log.sink()));
  EXPECT_EQ(log.text(), kAngleMessage);
  EXPECT_FALSE(StrutCotangent(46.0, log.sink()));  // cot 0.966 < 1
  EXPECT_EQ(log.text(), kAngleMessage + kAngleMessage);
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

// A web b = 200 by h = 500 with its layer at c = 50: z = 0.9 * 450 = 405 and a gross area
// of 100000 mm2, so sigma = Ned / 100000. With fcd = 20, nu = 0.5, fyd = 400, two legs of
// 50 mm2 and cot 1:
//   stirrups  VRd,s   = 2 * 405 * 50 / st * 400  = 81000 at st = 200, 810000 at st = 20
//   struts    VRd,max = 405 * 200 * alpha * (0.5 * 20) * 1 / 2 = 405000 alpha
// so the sparse stirrups govern down to alpha = 0.2 and the dense ones never.
const MaterialSet kBandMat{.fyd = 400, .fcd = 20, .nu = 0.5};

TEST(ShearCheckRTTest, EveryBandOfTheAxialStressWithStirrupsAndStrutsGoverning) {
  const struct {
    double Ned;       // N
    double alpha_cw;  // by hand from sigma / fcd
    bool crushed;
  } bands[] = {
      {50000, 1, false},          // sigma/fcd = +0.025: tension
      {0, 1, false},              // no axial force
      {-200000, 1.1, false},      // -0.1: 1 + 0.1
      {-490000, 1.245, false},    // -0.245: 1 + 0.245, just short of the plateau
      {-500000, 1.25, false},     // -0.25 exactly
      {-510000, 1.25, false},     // -0.255: plateau
      {-760000, 1.25, false},     // -0.38
      {-1000000, 1.25, false},    // -0.5 exactly
      {-1010000, 1.2375, false},  // -0.505: 2.5 * (1 - 0.505)
      {-1500000, 0.625, false},   // -0.75: 2.5 * 0.25
      {-1900000, 0.125, false},   // -0.95: 2.5 * 0.05, the struts govern even the sparse legs
      {-2000000, 0, true},        // -1 exactly: crushing
      {-2400000, 0, true},        // -1.2
  };
  for (const auto& band : bands) {
    TextLog log;
    const ShearResistance sparse =
        RectangularWebShear(200, 500, 50, 50, 2, 200, 45, kBandMat, band.Ned, log.sink());
    const ShearResistance dense =
        RectangularWebShear(200, 500, 50, 50, 2, 20, 45, kBandMat, band.Ned, log.sink());
    const double struts = 405000 * band.alpha_cw;
    EXPECT_NEAR(sparse.Vrd, std::fmin(81000, struts), 1e-9 * 81000) << band.Ned;
    EXPECT_NEAR(dense.Vrd, struts, 1e-9 * 506250) << band.Ned;
    const ShearOutcome outcome =
        band.crushed ? ShearOutcome::CompressionOutOfRange : ShearOutcome::Resisted;
    EXPECT_EQ(sparse.outcome, outcome) << band.Ned;
    EXPECT_EQ(dense.outcome, outcome) << band.Ned;
    // The terms a report writes out are the ones that gave Vrd.
    ASSERT_TRUE(sparse.check) << band.Ned;
    const ShearCheck& terms = *sparse.check;
    EXPECT_EQ(std::make_tuple(terms.b, terms.d, terms.area, terms.cot_theta, terms.nu),
              std::make_tuple(200.0, 450.0, 100000.0, 1 / std::tan(std::numbers::pi / 4), 0.5));
    EXPECT_NEAR(terms.z, 405, 1e-12);
    EXPECT_NEAR(terms.sigma_cp, band.Ned / 100000, 1e-12) << band.Ned;
    EXPECT_NEAR(terms.alpha_cw, band.alpha_cw, 1e-12) << band.Ned;
    EXPECT_NEAR(terms.VRd_s, 81000, 1e-9 * 81000) << band.Ned;
    EXPECT_NEAR(terms.VRd_max, struts, 1e-9 * 506250) << band.Ned;
    EXPECT_EQ(log.text(), band.crushed ? kCompressionMessage + kCompressionMessage : "")
        << band.Ned;
  }
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
      const ShearResistance r =
          StirrupsOrStruts({.b = 300, .z = 414, .alpha_cw = 1.25}, legs.Asw, legs.nb, st, 1, kMat);
      EXPECT_EQ(r.outcome, ShearOutcome::NoStirrups) << legs.Asw << " " << legs.nb << " " << st;
      EXPECT_EQ(r.Vrd, 0) << legs.Asw << " " << legs.nb << " " << st;
      EXPECT_FALSE(std::signbit(r.Vrd));
    }
  }
  // Full compression still names the struts.
  EXPECT_EQ(StirrupsOrStruts({.b = 300, .z = 414, .alpha_cw = 0}, 0, 2, 0, 1, kMat).outcome,
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
}

// The circle D = 400, c = 40: d = 301.859, A = 101738.33, bw = 337.039, z = 271.673. The
// mean stress is taken on A, not on the whole circle (125663.7). With fcd = 20, nu = 0.5,
// fyd = 400, two legs of 50 mm2:
//   stirrups  VRd,s   = 2 * 271.673 * 50 / st * 400 = 54334.65 at st = 200, 1086693 at 10
//   struts    VRd,max = 337.039 * 271.673 * alpha * 10 / 2 = 457822.5 alpha
TEST(ShearCheckCTest, EveryBandOfTheAxialStressWithStirrupsAndStrutsGoverning) {
  const struct {
    double Ned;
    double alpha_cw;  // sigma / fcd = Ned / 101738.33 / 20
    bool crushed;
  } bands[] = {
      {50000, 1, false},            // +0.0246
      {-200000, 1.098291, false},   // -0.098291
      {-600000, 1.25, false},       // -0.294874 (on the whole circle only -0.239)
      {-1200000, 1.025629, false},  // -0.589748: 2.5 * 0.410252
      {-1500000, 0.657037, false},  // -0.737185: 2.5 * 0.262815
      {-2100000, 0, true},          // -1.032059
  };
  for (const auto& band : bands) {
    TextLog log;
    const ShearResistance sparse =
        CircularShear(400, 40, 50, 2, 200, 45, kBandMat, band.Ned, log.sink());
    const ShearResistance dense =
        CircularShear(400, 40, 50, 2, 10, 45, kBandMat, band.Ned, log.sink());
    EXPECT_NEAR(sparse.Vrd, band.crushed ? 0 : 54334.65, 0.01) << band.Ned;
    EXPECT_NEAR(dense.Vrd, 457822.5 * band.alpha_cw, 1.5) << band.Ned;
    EXPECT_EQ(dense.outcome,
              band.crushed ? ShearOutcome::CompressionOutOfRange : ShearOutcome::Resisted)
        << band.Ned;
    EXPECT_EQ(log.text(), band.crushed ? kCompressionMessage + kCompressionMessage : "")
        << band.Ned;
  }
}

}  // namespace
}  // namespace quilex::shear
