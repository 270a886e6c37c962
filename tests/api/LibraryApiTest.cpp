// The public API on the sections of the golden cases, built from values: its numbers,
// written the way the program writes them, are the bytes of the cases' expected files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "quilex/quilex.hpp"
#include "runfiles/RunRecords.hpp"
#include "support/Files.hpp"
#include "support/TextLog.hpp"

namespace quilex {
namespace {

std::string Expected(const std::string& case_name, const std::string& file) {
  return testing_support::ReadFile(std::filesystem::path(QUILEX_CASES_DIR) / case_name /
                                   ("expected-" + file));
}

template <class Result>
std::string ResultsBlock(const Result& result, const MaterialSet& m) {
  textio::OutputFile risu_mn(21);
  runfiles::WriteResults(risu_mn, result, m);
  return risu_mn.text();
}

template <class Points>
std::string PlotPoints(const Points& points) {
  textio::OutputFile domplot(22);
  runfiles::WritePoints(domplot, points);
  return domplot.text();
}

const Stirrups kStirrups{50.27, 2, 150};

struct UniaxialCase {
  const char* name;
  std::variant<RectangularSection, TSection, CircularSection> section;
  MaterialSet materials;
  Actions actions;
  BendingOutcome bending;
  ShearOutcome shear;
  bool verified;
};

class UniaxialCases : public testing::TestWithParam<UniaxialCase> {};

TEST_P(UniaxialCases, ResultsAndDomainAreTheGoldenBytes) {
  const UniaxialCase& c = GetParam();
  std::visit(
      [&](const auto& section) {
        const Verification v = Verify(section, c.materials, c.actions);
        EXPECT_EQ(ResultsBlock(v, c.materials), Expected(c.name, "risu-MN.txt"));
        EXPECT_EQ(v.bending, c.bending);
        EXPECT_EQ(v.shear, c.shear);
        EXPECT_EQ(v.verified(), c.verified);
        EXPECT_EQ(v.state.has_value(), c.bending == BendingOutcome::Resisted);
        const std::vector<DomainPoint> domain = InteractionDomain(section, c.materials);
        ASSERT_EQ(domain.size(), 101u);
        EXPECT_EQ(PlotPoints(domain), Expected(c.name, "domplot.txt"));
      },
      c.section);
}

const MaterialSet kItaly = LookupMaterials("IT", "B450C", "C25/30");

INSTANTIATE_TEST_SUITE_P(
    ReferenceSections, UniaxialCases,
    testing::Values(
        UniaxialCase{"ref-R", RectangularSection{300, 500, 40, 628.32, 942.48, kStirrups}, kItaly,
                     Actions{-500000, 150000000, 100000}, BendingOutcome::Resisted,
                     ShearOutcome::Resisted, true},
        UniaxialCase{"ref-R-negative", RectangularSection{300, 500, 40, 628.32, 942.48, kStirrups},
                     LookupMaterials("DE", "S500B", "C30/37"), Actions{-200000, -120000000, 80000},
                     BendingOutcome::Resisted, ShearOutcome::Resisted, true},
        UniaxialCase{"ref-R-outside", RectangularSection{300, 500, 40, 628.32, 942.48, kStirrups},
                     kItaly, Actions{-5000000, 100000000, 100000},
                     BendingOutcome::AxialForceOutsideDomain, ShearOutcome::CompressionOutOfRange,
                     false},
        UniaxialCase{"ref-T", TSection{300, 450, 800, 150, 50, 603, 1257, kStirrups}, kItaly,
                     Actions{0, 200000000, 150000}, BendingOutcome::Resisted,
                     ShearOutcome::Resisted, false},
        UniaxialCase{"ref-T-inverted", TSection{800, 150, 300, 450, 50, 1257, 603, {78.54, 4, 100}},
                     LookupMaterials("DK", "S450C", "C40/50"), Actions{-300000, -150000000, 200000},
                     BendingOutcome::Resisted, ShearOutcome::Resisted, true},
        UniaxialCase{"ref-C", CircularSection{400, 40, 8, 16, kStirrups}, kItaly,
                     Actions{-500000, 80000000, 50000}, BendingOutcome::Resisted,
                     ShearOutcome::Resisted, true},
        UniaxialCase{"ref-C-odd", CircularSection{600, 50, 7, 20, {78.54, 2, 120}},
                     LookupMaterials("UK", "S550B", "C70/85"), Actions{250000, -100000000, 120000},
                     BendingOutcome::Resisted, ShearOutcome::Resisted, true}),
    [](const testing::TestParamInfo<UniaxialCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (ch == '-') ch = '_';
      }
      return name;
    });

struct BiaxialCase {
  const char* name;
  RectangleWithBars section;
  MaterialSet materials;
  BiaxialActions actions;
  BendingOutcome bending;
  bool verified;
};

class BiaxialCases : public testing::TestWithParam<BiaxialCase> {};

TEST_P(BiaxialCases, ResultsAndContourAreTheGoldenBytes) {
  const BiaxialCase& c = GetParam();
  const BiaxialVerification v = Verify(c.section, c.materials, c.actions);
  EXPECT_EQ(ResultsBlock(v, c.materials), Expected(c.name, "risu-MN.txt"));
  EXPECT_EQ(v.bending, c.bending);
  EXPECT_EQ(v.verified(), c.verified);
  EXPECT_EQ(v.alpha.has_value(), c.bending == BendingOutcome::Resisted);
  const std::vector<MomentPoint> contour = MomentContour(c.section, c.materials, c.actions.Ned);
  if (c.bending == BendingOutcome::Resisted) {
    ASSERT_EQ(contour.size(), 73u);
    EXPECT_EQ(PlotPoints(contour), Expected(c.name, "domplot.txt"));
    EXPECT_EQ(PlotPoints(v.contour), Expected(c.name, "domplot.txt"));
  }
}

// The materials looked up before the table is written: GCC 12 at -O3 warns of members used
// uninitialized on the unwinding path of a call that may throw inside a braced list.
std::vector<BiaxialCase> BiaxialReferenceCases() {
  const MaterialSet netherlands = LookupMaterials("NE", "S450B", "C55/67");
  const MaterialSet germany = LookupMaterials("DE", "S600B", "C25/30");
  return {
      BiaxialCase{
          "ref-D",
          {300,
           500,
           {50.27, 2, 2, 200},
           {{-110, -210, 314.16}, {110, -210, 314.16}, {-110, 210, 314.16}, {110, 210, 314.16}}},
          kItaly,
          {-500000, 100000000, 50000000, 30000, 40000},
          BendingOutcome::Resisted,
          true},
      BiaxialCase{"ref-D-corner",
                  {300, 500, {50.27, 2, 2, 200}, {{120, 220, 500}}},
                  kItaly,
                  {0, 1e8, 5e7, 3e4, 4e4},
                  BendingOutcome::Resisted,
                  false},
      // No pair of sampled directions brackets the acting one: alpha shows the last
      // angle tried, in radians.
      BiaxialCase{"d-no-bracket",
                  {300, 500, {50.27, 2, 2, 200}, {{-100, -100, 804.25}}},
                  netherlands,
                  {80000, -20000000, -20000000, 10000, 20000},
                  BendingOutcome::DirectionNotFound,
                  false},
      BiaxialCase{
          "d-sweep-unconverged",
          {300, 500, {50.27, 2, 2, 200}, {{-100, 200, 1000}, {0, 200, 1000}, {100, 200, 1000}}},
          germany,
          {-3325000.0666015865, 10000000, 0, 1000, 0},
          BendingOutcome::SampleNotConverged,
          false}};
}

INSTANTIATE_TEST_SUITE_P(ReferenceSections, BiaxialCases,
                         testing::ValuesIn(BiaxialReferenceCases()),
                         [](const testing::TestParamInfo<BiaxialCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (ch == '-') ch = '_';
                           }
                           return name;
                         });

// EN 1992-1-1's exponent: by hand from Table 3.1; the same bits as 2 up to C50/60; a lower
// resistance above, on every section type (the size of the difference is checked against
// the closed form of the stress block in the flexure and grid tests).
TEST(LibraryApi, ParabolaExponentOfTheHighClasses) {
  const ParabolaExponent en = ParabolaExponent::EN1992;
  EXPECT_EQ(ParabolaExponentOf(en, 50), 2);
  EXPECT_NEAR(ParabolaExponentOf(en, 55), 1.75114625, 1e-12);
  EXPECT_NEAR(ParabolaExponentOf(en, 60), 1.58954, 1e-12);
  EXPECT_NEAR(ParabolaExponentOf(en, 70), 1.43744, 1e-12);
  EXPECT_NEAR(ParabolaExponentOf(en, 80), 1.40234, 1e-12);
  EXPECT_EQ(ParabolaExponentOf(en, 90), 1.4);
  EXPECT_EQ(ParabolaExponentOf(en, 120), 1.4);  // beyond the table the formula would rise
  EXPECT_EQ(ParabolaExponentOf(ParabolaExponent::Two, 70), 2);

  const Settings en1992{.parabola_exponent = en};
  const RectangularSection beam{300, 500, 40, 628.32, 942.48, kStirrups};
  const Actions compressed{-2000e3, 100e6, 0};
  const BiaxialActions biaxial{-1500e3, 60e6, 20e6, 0, 0};
  const RectangleWithBars column{
      400,
      400,
      {50.27, 2, 2, 150},
      {{-150, -150, 314.16}, {150, -150, 314.16}, {-150, 150, 314.16}, {150, 150, 314.16}}};
  const MaterialSet moderate = LookupMaterials("IT", "B450C", "C50/60");
  EXPECT_EQ(Verify(beam, moderate, compressed, en1992).Mrd, Verify(beam, moderate, compressed).Mrd);
  EXPECT_EQ(InteractionDomain(beam, moderate, en1992)[30].M,
            InteractionDomain(beam, moderate)[30].M);
  EXPECT_EQ(Verify(column, moderate, biaxial, en1992).Mrd, Verify(column, moderate, biaxial).Mrd);

  const MaterialSet high = LookupMaterials("IT", "B450C", "C70/85");
  const Verification r2 = Verify(beam, high, compressed),
                     ren = Verify(beam, high, compressed, en1992);
  EXPECT_LT(ren.Mrd, 0.97 * r2.Mrd);
  ASSERT_TRUE(ren.state && r2.state);
  EXPECT_GT(ren.state->compressed_face_stress, r2.state->compressed_face_stress - 1e-9);
  const CircularSection pier{600, 50, 12, 20, kStirrups};
  EXPECT_LT(Verify(pier, high, compressed, en1992).Mrd, Verify(pier, high, compressed).Mrd);
  const TSection tee{300, 450, 800, 150, 40, 603, 1257, kStirrups};
  EXPECT_LT(Verify(tee, high, compressed, en1992).Mrd, Verify(tee, high, compressed).Mrd);
  EXPECT_LT(Verify(column, high, biaxial, en1992).Mrd, Verify(column, high, biaxial).Mrd);
}

// The worked rectangle of the header comments, and what the log receives.
TEST(LibraryApi, WorkedRectangleStateAndLog) {
  const RectangularSection beam{300, 500, 40, 628.32, 942.48, kStirrups};
  testing_support::TextLog log;
  const Verification v = Verify(beam, kItaly, {-500e3, 150e6, 100e3}, Settings{}, log.sink());
  ASSERT_TRUE(v.state);
  // The search was logged once, its heading first; nothing else was written.
  EXPECT_EQ(log.text().rfind("Iter    Scar            Mrd\r\n", 0), 0u);
  EXPECT_EQ(log.text().find("Iter", 1), std::string::npos);
  EXPECT_EQ(std::count(log.text().begin(), log.text().end(), '\n'), v.state->iterations + 1);
  // epsilon is the neutral-axis depth over d = H - c, and the tension steel has yielded
  // (strain field 3) under a curvature that compresses the top.
  EXPECT_DOUBLE_EQ(*v.epsilon, v.state->neutral_axis_depth / 460);
  EXPECT_GT(v.state->tension_steel_strain, kItaly.fyd / kItaly.Es);
  EXPECT_EQ(v.state->tension_steel_stress, kItaly.fyd);
  EXPECT_EQ(v.campo, 3);
  EXPECT_GT(v.state->curvature, 0);
  EXPECT_NEAR(v.state->compressed_face_strain, -kItaly.eps_cu, 1e-12);
  // Without a log the numbers are the same.
  const Verification quiet = Verify(beam, kItaly, {-500e3, 150e6, 100e3});
  EXPECT_EQ(quiet.Mrd, v.Mrd);
  EXPECT_EQ(quiet.Vrd, v.Vrd);
}

// A positive design moment against a resisting moment of the other sign lies outside the
// domain: the ratio is negative, and the section is not verified.
// Near the axial capacities of unequally reinforced sections both ends of the domain at Ned
// have one sign: a point between zero and the nearer end is outside. The ends (kN·m) come
// from an independent integration of the same model with 20 000 fibres, so they hold to the
// strips' discretisation (0.03 kN·m here); the points lie 0.1 to 0.3 kN·m from them.
struct DomainEndsCase {
  const char* name;
  std::variant<RectangularSection, TSection> section;
  double Ned_kN;
  double lower_kNm, upper_kNm;  // the moments resisted at Ned
};

TEST(LibraryApi, PointsBeyondTheFarEndOfTheDomainAreOutside) {
  const RectangularSection example{300, 500, 40, 628.32, 942.48, kStirrups};
  const RectangularSection bottom_only{300, 500, 40, 0, 942.48, kStirrups};
  // Flange on top with the larger layer: under tension the flange side is pulled.
  const TSection flange_in_tension{300, 500, 1000, 150, 40, 2000, 600, kStirrups};
  const DomainEndsCase cases[] = {
      {"R near the tensile capacity", example, 584, 18.2817, 33.3498},
      {"R near the compressive capacity", example, -2650, -43.6008, -7.6815},
      {"R with no top steel, compressed", bottom_only, -2110, -145.9824, -2.4245},
      {"T with its flange in tension", flange_in_tension, 915, -107.6642, -43.2711},
  };
  for (const DomainEndsCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto verify = [&](double Med_kNm) {
      return std::visit(
          [&](const auto& section) {
            return Verify(section, kItaly, {c.Ned_kN * 1e3, Med_kNm * 1e6, 1e3});
          },
          c.section);
    };
    // Below the lower end, zero, just inside each end, above the upper end.
    const Verification below = verify(c.lower_kNm - 0.2);
    ASSERT_EQ(below.bending,
              c.lower_kNm > 0 ? BendingOutcome::OutsideDomain : BendingOutcome::Resisted);
    const Verification zero = verify(0);
    EXPECT_EQ(zero.bending, BendingOutcome::OutsideDomain);
    EXPECT_FALSE(zero.verified());
    ASSERT_TRUE(zero.moments_at_Ned);
    EXPECT_NEAR(zero.moments_at_Ned->lower, c.lower_kNm * 1e6, 0.03e6);
    EXPECT_NEAR(zero.moments_at_Ned->upper, c.upper_kNm * 1e6, 0.03e6);
    // Mrd stays the moment on Med's side: the results block keeps its numbers.
    EXPECT_EQ(zero.Mrd, zero.moments_at_Ned->upper);
    for (const double inside : {c.lower_kNm + 0.1, c.upper_kNm - 0.1}) {
      const Verification v = verify(inside);
      EXPECT_EQ(v.bending, BendingOutcome::Resisted) << inside;
      EXPECT_LE(*v.rho_M, 1) << inside;
    }
    const Verification above = verify(c.upper_kNm + 0.2);
    EXPECT_EQ(above.bending,
              c.upper_kNm < 0 ? BendingOutcome::OutsideDomain : BendingOutcome::Resisted);
    EXPECT_FALSE(above.verified());
    EXPECT_FALSE(below.verified());
  }
}

// A rectangle with more steel at the bottom under a tension near its capacity: the origin
// lies outside the contour, and the direction of Mx meets it at 61.875 and 83.872 kN·m (an
// independent integration of the same planes with 20 000 fibres; 0.02 kN·m for the grid).
TEST(LibraryApi, MomentsNearerTheOriginThanTheContourAreOutside) {
  const RectangleWithBars beam{300,
                               600,
                               {50.27, 2, 2, 150},
                               {{-100, -260, 314.16},
                                {0, -260, 314.16},
                                {100, -260, 314.16},
                                {-100, 260, 113.10},
                                {100, 260, 113.10}}};
  const auto verify = [&](double Mx_kNm) {
    return Verify(beam, kItaly, {.Ned = 420e3, .Mx = Mx_kNm * 1e6, .My = 0});
  };
  const BiaxialVerification near_origin = verify(1);
  EXPECT_EQ(near_origin.bending, BendingOutcome::OutsideDomain);
  EXPECT_FALSE(near_origin.verified());
  ASSERT_TRUE(near_origin.moments_at_Ned);
  EXPECT_NEAR(near_origin.moments_at_Ned->lower, 61.875e6, 0.02e6);
  EXPECT_NEAR(near_origin.moments_at_Ned->upper, 83.872e6, 0.02e6);
  EXPECT_EQ(near_origin.Mrd, near_origin.moments_at_Ned->upper);  // the far crossing
  const BiaxialVerification between = verify(70);
  EXPECT_EQ(between.bending, BendingOutcome::Resisted);
  EXPECT_NEAR(*between.rho_M, 70 / 83.87, 0.001);
  const BiaxialVerification beyond = verify(85);
  EXPECT_EQ(beyond.bending, BendingOutcome::Resisted);
  EXPECT_GT(*beyond.rho_M, 1);
}

// Distance from (x, y) to the segment from a to b, and whether a ray from (x, y) towards
// +x crosses it (for the even-odd rule).
struct PolygonTest {
  double distance = 1e300;
  bool inside = false;
};

PolygonTest AgainstPolygon(const std::vector<std::array<double, 2>>& polygon, double x, double y) {
  PolygonTest r;
  for (std::size_t i = 0; i + 1 < polygon.size(); ++i) {
    const auto [ax, ay] = polygon[i];
    const auto [bx, by] = polygon[i + 1];
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    const double u =
        length2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / length2, 0.0, 1.0) : 0.0;
    r.distance = std::min(r.distance, std::hypot(x - (ax + u * dx), y - (ay + u * dy)));
    if ((ay > y) != (by > y) && x < ax + (y - ay) * dx / dy) r.inside = !r.inside;
  }
  return r;
}

// The bending verdict against the polygon of InteractionDomain(), on random sections with
// unequal layers and points crowded near the axial capacities, where both ends of the
// domain at Ned share a sign. Points nearer the polygon than 2 % of its extent (what the
// polygon's chords cut off the branches) are not judged.
TEST(LibraryApi, BendingVerdictAgreesWithTheDomainPolygon) {
  std::mt19937_64 random(19);
  std::uniform_real_distribution<double> unit(0, 1);
  int judged = 0, outside_with_small_ratio = 0;
  for (int k = 0; k < 24; ++k) {
    const double B = 200 + 400 * unit(random), H = 300 + 700 * unit(random);
    const double A1 = 3000 * unit(random) * unit(random), A2 = 3000 * unit(random);
    std::variant<RectangularSection, TSection> section;
    if (k % 2 == 0) {
      section = RectangularSection{B, H, 40, A1, A2, kStirrups};
    } else {
      section = TSection{B,  H,        B * (1 + 2 * unit(random)), 100 + 100 * unit(random), 40, A1,
                         A2, kStirrups};
    }
    const std::vector<DomainPoint> domain =
        std::visit([](const auto& s) { return InteractionDomain(s, kItaly); }, section);
    double Mmin = 0, Mmax = 0;
    for (const DomainPoint& p : domain) {
      Mmin = std::min(Mmin, p.M);
      Mmax = std::max(Mmax, p.M);
    }
    const double Nc = domain.front().N, Ns = domain[50].N;
    const double n_scale = Ns - Nc, m_scale = Mmax - Mmin;
    std::vector<std::array<double, 2>> polygon;
    for (const DomainPoint& p : domain)
      polygon.push_back({p.N / n_scale, p.M / m_scale});
    for (int j = 0; j < 60; ++j) {
      const double u = unit(random);
      const double at = j % 3 == 0 ? u : j % 3 == 1 ? 0.12 * u : 1 - 0.12 * u;
      const double Ned = Nc + at * n_scale;
      const double Med = Mmin + (1.2 * unit(random) - 0.1) * m_scale;
      const PolygonTest where = AgainstPolygon(polygon, Ned / n_scale, Med / m_scale);
      if (where.distance < 0.02 || Ned <= Nc || Ned >= Ns) continue;
      const Verification v = std::visit(
          [&](const auto& s) {
            return Verify(s, kItaly, {Ned, Med, 0});
          },
          section);
      const bool inside = v.bending == BendingOutcome::Resisted && *v.rho_M <= 1;
      EXPECT_EQ(inside, where.inside) << "section " << k << ", Ned " << Ned << ", Med " << Med;
      ++judged;
      if (v.bending == BendingOutcome::OutsideDomain) ++outside_with_small_ratio;
    }
  }
  EXPECT_GT(judged, 1000);
  EXPECT_GT(outside_with_small_ratio, 40);  // the rule was exercised
}

TEST(LibraryApi, ShearOutcomes) {
  const RectangularSection no_legs{300, 500, 40, 628.32, 942.48, {50.27, 0, 150}};
  const Verification none = Verify(no_legs, kItaly, {0, 100e6, 50e3});
  EXPECT_EQ(none.shear, ShearOutcome::NoStirrups);
  EXPECT_EQ(none.Vrd, 0);
  EXPECT_FALSE(none.rho_V);
  Settings flat;
  flat.strut_angle = 20;  // cot 2.75
  const Verification refused = Verify(RectangularSection{300, 500, 40, 628.32, 942.48, kStirrups},
                                      kItaly, {0, 100e6, 50e3}, flat);
  EXPECT_EQ(refused.shear, ShearOutcome::StrutAngleOutOfRange);
  EXPECT_FALSE(refused.rho_V);
  EXPECT_FALSE(refused.verified());

  // A flatter strut within its range: the stirrups, which govern the bundled rectangle at
  // 45 degrees (Asw nb / st z fyd cot = 108.58 kN), carry cot = 2 times as much, still below
  // the struts' 300 * 414 * 0.5 * 14.17 / (2 + 0.5) = 352 kN.
  Settings cot_two;
  cot_two.strut_angle = std::atan(0.5) * 180 / std::numbers::pi;
  const RectangularSection beam{300, 500, 40, 628.32, 942.48, kStirrups};
  const Verification at_45 = Verify(beam, kItaly, {0, 100e6, 50e3});
  const Verification flatter = Verify(beam, kItaly, {0, 100e6, 50e3}, cot_two);
  EXPECT_NEAR(at_45.Vrd, 108.58e3, 5);
  EXPECT_NEAR(flatter.Vrd / at_45.Vrd, 2.0, 1e-12);
}

}  // namespace
}  // namespace quilex
