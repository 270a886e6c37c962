// The public API on the sections of the golden cases, built from values: its numbers,
// written the way the program writes them, are the bytes of the cases' expected files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>

#include "program/RunRecords.hpp"
#include "quilex/quilex.hpp"
#include "support/Files.hpp"
#include "support/TextLog.hpp"

namespace quilex {
namespace {

std::string Expected(const std::string& case_name, const std::string& file) {
  return testing_support::ReadFile(std::filesystem::path(QUILEX_CASES_DIR) / case_name /
                                   ("expected-" + file));
}

template <class Result>
std::string ResultsBlock(const Result& result) {
  textio::OutputFile risu_mn(21);
  program::WriteResults(risu_mn, result);
  return risu_mn.text();
}

template <class Points>
std::string PlotPoints(const Points& points) {
  textio::OutputFile domplot(22);
  program::WritePoints(domplot, points);
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
        EXPECT_EQ(ResultsBlock(v), Expected(c.name, "risu-MN.txt"));
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
  EXPECT_EQ(ResultsBlock(v), Expected(c.name, "risu-MN.txt"));
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

INSTANTIATE_TEST_SUITE_P(
    ReferenceSections, BiaxialCases,
    testing::Values(
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
                    LookupMaterials("NE", "S450B", "C55/67"),
                    {80000, -20000000, -20000000, 10000, 20000},
                    BendingOutcome::DirectionNotFound,
                    false},
        BiaxialCase{
            "d-sweep-unconverged",
            {300, 500, {50.27, 2, 2, 200}, {{-100, 200, 1000}, {0, 200, 1000}, {100, 200, 1000}}},
            LookupMaterials("DE", "S600B", "C25/30"),
            {-3325000.0666015865, 10000000, 0, 1000, 0},
            BendingOutcome::SampleNotConverged,
            false}),
    [](const testing::TestParamInfo<BiaxialCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (ch == '-') ch = '_';
      }
      return name;
    });

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
TEST(LibraryApi, ResistingMomentOfTheOtherSignIsNotVerified) {
  // Bottom steel only, under a tension near the tensile capacity: both branches of the
  // domain carry positive moments there, so a negative Med cannot be resisted.
  const RectangularSection beam{300, 500, 40, 0, 1500, kStirrups};
  const double Ns = 1500 * kItaly.fyd;
  const Verification v = Verify(beam, kItaly, {0.95 * Ns, -10e6, 10e3});
  ASSERT_EQ(v.bending, BendingOutcome::Resisted);
  EXPECT_GT(v.Mrd, 0);
  EXPECT_LT(*v.rho_M, 0);
  EXPECT_FALSE(v.verified());
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
}

}  // namespace
}  // namespace quilex
