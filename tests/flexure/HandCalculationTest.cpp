// The worked examples of docs/method.md: the bundled rectangle and the reference circle
// computed by hand with the textbook stress block, next to the program's values. The hand
// method approximates the program's (a closed-form parabola-rectangle block against 100
// strips), so each comparison carries a tolerance, derived below from the discretisation.
//
// Hand inputs, from the design code IT, steel B450C and concrete C25/30 as a textbook
// gives them: fcd = 0.85 * 25 / 1.5 = 14.1667, fyd = 450 / 1.15 = 391.304, Es = 200000,
// eps_yd = 1.957 per mille, eps_cu = 3.5 per mille, eps_c2 = 2 per mille. Block of
// depth x: resultant 0.8095 * b * x * fcd at 0.416 * x below the compressed face.
#include <gtest/gtest.h>

#include "quilex/quilex.hpp"

namespace quilex {
namespace {

// ---- The one place where this file calls the computation: the library with the
// program's settings, on the materials a run derives from mate.txt. Forces in N, moments
// in N*mm, lengths in mm.
static_assert(Settings{}.strips == 100, "the tolerances below are derived for 100 strips");

MaterialSet Materials() {
  return LookupMaterials("IT", "B450C", "C25/30");
}

// Under a positive moment: the top face compressed.
Verification Verified(const RectangularSection& s, double Ned) {
  return Verify(s, Materials(), Actions{Ned, 1.0, 0.0});
}
double ResistingMoment(const RectangularSection& s, double Ned) {
  return Verified(s, Ned).Mrd;
}
double CompressedDepth(const RectangularSection& s, double Ned) {
  return Verified(s, Ned).state.value().neutral_axis_depth;
}

// The domain starts at the uniform compression state; its 51st point is the tension state.
template <class Section>
double CompressionCapacity(const Section& s) {
  return InteractionDomain(s, Materials()).front().N;
}
template <class Section>
double TensionCapacity(const Section& s) {
  return InteractionDomain(s, Materials())[50].N;
}
// ---- end of the calls into the computation.

// examples/rectangle: B 300, H 500, c 40 (d = 460), 628.32 mm2 at the top, 942.48 at the
// bottom.
const RectangularSection kRectangle{300, 500, 40, 628.32, 942.48, {}};
// tests/cases/ref-C: D 400, c 40, 8 bars of 16 mm (1608.50 mm2).
const CircularSection kCircle{400, 40, 8, 16, {}};

// The uniform states integrate exactly (every strip has the same stress), so hand and
// program differ only by the database's single-precision factors: fcd is 14.16666706 and
// fyd 391.3043559, which move these forces by less than 0.1 N.
constexpr double kExactForce = 0.1;

// Tolerances of the bending cases. The strips integrate the block exactly on its constant
// part; the midpoint rule errs only on the parabolic part and in the one 5 mm strip cut by
// the neutral axis. With b = 300 and a strip h/n = 5 mm, the cut strip errs by at most
// b * s * 5^2 / 8, s the slope of the stress at the axis (2 fcd / eps_c2 * eps_cu / x):
// 750 N at x = 62 mm, 257 N at x = 181 mm; the parabolic part (depth 4/7 x, constant
// curvature 2 fcd (eps_cu / (eps_c2 x))^2) by b * 4/7 x * 5^2 / 24 times that curvature:
// 250 N and 86 N. So the compression force is off by at most 1 kN. The bisection moves
// the neutral axis to balance it, by at most 1 kN over the block's stiffness 0.8095 b fcd
// = 3440 N/mm: 0.3 mm. The misplaced force and the force the shift adds both act within
// h/2 = 250 mm of mid-depth, so the moment moves by at most 2 * 1 kN * 250 mm = 0.5 kN*m.
// The rounded block factors (0.8095, 0.416 for 17/21, 99/238) add less than 0.01 kN*m.
constexpr double kDepthTolerance = 0.3;     // mm
constexpr double kMomentTolerance = 0.5e6;  // N*mm

TEST(HandCalculationTest, RectangleUnderItsActions) {
  // Ned = -500 kN. Both layers yielded: 0.8095 * 300 * x * 14.1667 = 3440.4 x
  // = 500000 + 391.30 * 942.48 - 391.30 * 628.32 = 622932 N, so x = 181.07 mm. Check:
  // top bars 3.5 * (181.07 - 40) / 181.07 = 2.73 per mille, bottom bars 3.5 * (460 -
  // 181.07) / 181.07 = 5.39 per mille, both beyond 1.957. About mid-depth, where Ned acts:
  // Mrd = 622.93 kN * (250 - 0.416 * 181.07) mm + (245.86 + 368.80) kN * 210 mm
  //     = 108.81 + 129.08 = 237.89 kN*m.
  EXPECT_NEAR(CompressedDepth(kRectangle, -500000), 181.07, kDepthTolerance);
  EXPECT_NEAR(ResistingMoment(kRectangle, -500000), 237.89e6, kMomentTolerance);
}

TEST(HandCalculationTest, RectangleWithoutAxialForceUsesTheTopBarsActualStrain) {
  // Ned = 0. Assuming both layers yielded gives 3440.4 x = 391.30 * (942.48 - 628.32),
  // x = 35.7 mm, above the top bars (c = 40): they would be stretched, not yielded in
  // compression. With their actual stress 700 * (x - 40) / x N/mm2 (Es * eps_cu = 700):
  // 3440.4 x^2 + (628.32 * 700 - 368797) x - 628.32 * 700 * 40 = 0, so x = 61.93 mm, top
  // bars 247.9 N/mm2 (1.24 per mille, elastic), bottom bars 22.5 per mille (yielded).
  // Mrd = 213.06 kN * (250 - 25.76) mm + (155.74 + 368.80) kN * 210 mm = 157.93 kN*m.
  EXPECT_NEAR(CompressedDepth(kRectangle, 0), 61.93, kDepthTolerance);
  EXPECT_NEAR(ResistingMoment(kRectangle, 0), 157.93e6, kMomentTolerance);
}

TEST(HandCalculationTest, RectangleAxialCapacities) {
  // Ns = 391.304 * 1570.80 = 614660.9 N; Nc = -(14.1667 * 300 * 500 + 614660.9), the bars
  // not deducted from the concrete (eps_c2 = 2 per mille yields them in compression too).
  EXPECT_NEAR(TensionCapacity(kRectangle), 614660.9, kExactForce);
  EXPECT_NEAR(CompressionCapacity(kRectangle), -2739660.9, kExactForce);
}

TEST(HandCalculationTest, CircleAxialCapacities) {
  // Ns = 8 * pi / 4 * 16^2 * 391.304 = 1608.50 * 391.304 = 629411.3 N: the bars are exact.
  EXPECT_NEAR(TensionCapacity(kCircle), 629411.3, kExactForce);
  // Nc = -(14.1667 * pi / 4 * 400^2 + 629411.3) = -(1780235.8 + 629411.3) = -2409647.1 N.
  // The strips' trapezoids form a polygon inscribed in the circle, so the program always
  // misses some area, never adds any. What it misses are the segments outside the
  // polygon's edges, R^2 (phi - sin phi) / 2 for an edge of central angle phi: the four
  // edges at the top and the bottom span acos(1 - 2/100) = 0.200 rad (107 mm2 together);
  // every other edge spans at most acos(0.96) - 0.200 = 0.084 rad, so all of them together
  // miss at most R^2 * 0.084^2 * 2 pi / 12 = 148 mm2. So at most 255 mm2 at fcd.
  const double hand = -2409647.1;
  const double program = CompressionCapacity(kCircle);
  EXPECT_GT(program, hand);
  EXPECT_LT(program - hand, 255 * 14.1667);
}

}  // namespace
}  // namespace quilex
