// The pictures of quilex-plot, checked on their structure: well-formed self-contained SVG,
// the boundary mapped point by point, the design and resisting points where the run's
// numbers put them and in the colour of the verdict, equal scales for a moment contour, and
// the combinations of risu-combinations.csv.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "plot/PictureChecks.hpp"
#include "plot/PlotCommand.hpp"
#include "plot/PlotScale.hpp"
#include "support/Cases.hpp"

namespace quilex::plot::test {
namespace {

// Runs the command on `folder` and parses its picture.
XmlElement DrawAndParse(const fs::path& folder) {
  const Outcome outcome = RunCommand({folder.string()});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  XmlElement root;
  EXPECT_TRUE(IsSelfContainedSvg(ReadFile(folder / "domplot.svg"), root));
  return root;
}

// Green and red told apart by their channels, whatever the shades.
bool IsGreen(const std::string& colour) {
  const int r = std::stoi(colour.substr(1, 2), nullptr, 16);
  const int g = std::stoi(colour.substr(3, 2), nullptr, 16);
  return colour.size() == 7 && g > r + 60;
}
bool IsRed(const std::string& colour) {
  const int r = std::stoi(colour.substr(1, 2), nullptr, 16);
  const int g = std::stoi(colour.substr(3, 2), nullptr, 16);
  return colour.size() == 7 && r > g + 60;
}

void ExpectAt(const XmlElement* circle, const PictureMap& map, double x, double y) {
  ASSERT_NE(circle, nullptr);
  const auto [cx, cy] = CircleCentre(*circle);
  EXPECT_NEAR(cx, map.x(x), kCoordinateTolerance) << circle->attribute("id");
  EXPECT_NEAR(cy, map.y(y), kCoordinateTolerance) << circle->attribute("id");
}

std::string AllText(const XmlElement& element) {
  std::string text = element.text;
  for (const XmlElement& child : element.children) {
    text += ' ';
    text += AllText(child);
  }
  return text;
}

class BoundaryOfEachType : public testing::TestWithParam<const char*> {};

TEST_P(BoundaryOfEachType, HoldsTheFolderPointsInOrderUnderOneMapPerAxis) {
  ScratchFolder folder(std::string("plot-boundary-") + GetParam());
  CopyRun(GetParam(), folder.path());
  const XmlElement root = DrawAndParse(folder.path());
  const std::vector<std::pair<double, double>> values =
      DomplotValues(folder.path() / "domplot.txt");
  const bool contour = ReadFile(folder.path() / "sezi.txt")[0] == 'D';
  ASSERT_EQ(values.size(), contour ? 73u : 101u);
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, values, map));
  if (contour) {
    // Equal scales: a kN·m is as long across as up.
    EXPECT_NEAR(map.x.scale, -map.y.scale, 1e-3 * map.x.scale);
  }
  // The axes pass through zero.
  const XmlElement* across = FindById(root, "axis-across");
  const XmlElement* up = FindById(root, "axis-up");
  ASSERT_NE(across, nullptr);
  ASSERT_NE(up, nullptr);
  EXPECT_NEAR(std::stod(across->attribute("y1")), map.y(0), map.y.tolerance());
  EXPECT_NEAR(std::stod(up->attribute("x1")), map.x(0), map.x.tolerance());
}

INSTANTIATE_TEST_SUITE_P(Runs, BoundaryOfEachType,
                         testing::Values("ref-R", "ref-R-negative", "ref-T", "ref-T-inverted",
                                         "ref-C", "rtc-R-unreinforced", "ref-D", "ref-D-corner"),
                         testing_support::CaseTestName());

// A 1.5 m pier of C70/85: its moments beyond -10 000 kN·m do not fit domplot.txt's
// field (asterisks), and the picture draws the run's exact values. A circle's domain is
// symmetric: the points of its two branches mirror each other about the N axis.
TEST(LargeSection, MomentsBeyondThePrintWidthAreDrawn) {
  ScratchFolder folder("plot-large-pier");
  WriteFile(folder / "sezi.txt", "C\n1500 60 40 32 78.54 2 200\n");
  WriteFile(folder / "mate.txt", "IT\nB450C\n'C70/85'\n");
  WriteFile(folder / "slu-max.txt", "-20000000 8000000000 1000000\n");
  ASSERT_EQ(RunQuilexIn(folder.path()), 0);
  ASSERT_NE(ReadFile(folder / "domplot.txt").find("********"), std::string::npos);
  const XmlElement root = DrawAndParse(folder.path());
  const std::vector<std::pair<double, double>> points = PolygonPoints(*FindById(root, "boundary"));
  ASSERT_EQ(points.size(), 101u);
  const double axis = std::stod(FindById(root, "axis-across")->attribute("y1"));
  for (std::size_t k = 1; k < 50; ++k) {
    EXPECT_NEAR(points[k].first, points[100 - k].first, kCoordinateTolerance) << k;
    EXPECT_NEAR(points[k].second + points[100 - k].second, 2 * axis, 2 * kCoordinateTolerance) << k;
  }
  EXPECT_NE(AllText(root).find("Mrd = 13677.15 kN\u00B7m"), std::string::npos);
}

TEST(DesignPoint, VerifiedSectionIsGreenBelowItsResistingPoint) {
  ScratchFolder folder("plot-verified");
  CopyRun("ref-R", folder.path());  // Ned -500 kN, Med 150 kN·m, Mrd 237.89, rho_M 0.63
  const XmlElement root = DrawAndParse(folder.path());
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));
  const XmlElement* design = FindById(root, "design-point");
  ExpectAt(design, map, 500, 150);
  EXPECT_TRUE(IsGreen(design->attribute("fill"))) << design->attribute("fill");
  ExpectAt(FindById(root, "resisting-point"), map, 500, 237.89);
  const XmlElement* line = FindById(root, "resisting-line");
  ASSERT_NE(line, nullptr);
  EXPECT_NEAR(std::stod(line->attribute("y1")), map.y(150), kCoordinateTolerance);
  EXPECT_NEAR(std::stod(line->attribute("y2")), map.y(237.89), kCoordinateTolerance);
  EXPECT_EQ(FindById(root, "design-label")->text, "Ed: -Ned = 500.00 kN, Med = 150.00 kN\u00B7m");
  EXPECT_NE(AllText(root).find("rho_M = 0.63: bending verified"), std::string::npos);
}

TEST(DesignPoint, RatioAboveOneIsRedBeyondItsResistingPoint) {
  ScratchFolder folder("plot-ratio-above-one");
  CopyRun("ref-R", folder.path());
  // The same section under 300 kN·m: rho_M = 300 / 237.89 = 1.26.
  WriteFile(folder.path() / "slu-max.txt", "-500000 300000000 100000\r\n");
  WriteFile(folder.path() / "risu-MN.txt",
            "Mrd     =   237.89\r\nrho_M   =     1.26\r\nVrd     =   108.58\r\n"
            "rho_V   =     0.92\r\nepsilon =     0.39\r\ncampo   =  3\r\n");
  const XmlElement root = DrawAndParse(folder.path());
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));
  const XmlElement* design = FindById(root, "design-point");
  ExpectAt(design, map, 500, 300);
  EXPECT_TRUE(IsRed(design->attribute("fill"))) << design->attribute("fill");
  ExpectAt(FindById(root, "resisting-point"), map, 500, 237.89);
  EXPECT_NE(AllText(root).find("rho_M = 1.26: bending not verified"), std::string::npos);

  // 238.60 / 237.89 = 1.003, printed 1.00: not verified all the same.
  WriteFile(folder.path() / "slu-max.txt", "-500000 238600000 100000\r\n");
  ASSERT_EQ(RunQuilexIn(folder.path()), 0);
  const XmlElement just_above = DrawAndParse(folder.path());
  EXPECT_TRUE(IsRed(FindById(just_above, "design-point")->attribute("fill")));
  EXPECT_NE(AllText(just_above).find("rho_M = 1.00: bending not verified"), std::string::npos);
}

// rho_M = Med / Mrd is at most 1 also when Mrd has the other sign than Med: the design
// point then lies outside the domain and is red. The runs are quilex's on the ref-R section
// (its domain: 2672.57 -12.18 and 2605.49 1.10 on the branch of positive moments,
// -614.66 25.82 and -547.57 9.60 at the start of the branch of negative ones, so Mrd is
// about -7.7 at -N = 2650 and about 12.6 at -N = -560, by interpolation).
TEST(DesignPoint, ResistingMomentOfTheOtherSignIsRedAndOfTheSameSignGreen) {
  const struct {
    const char* name;
    const char* slu;
    double minus_Ned, Med, Mrd;
    bool green;
    const char* title;
    double lower, upper;  // the moments resisted at Ned, drawn when Med lies outside them
  } cases[] = {
      {"near-compression", "-2650000 5000000 100000\r\n", 2650, 5, -7.68, false,
       "rho_M = -0.65: bending not verified", -43.60, -7.68},
      {"near-tension", "560000 -5000000 100000\r\n", -560, -5, 12.52, false,
       "rho_M = -0.40: bending not verified", 12.52, 39.11},
      // Both negative: ULS 2 of the bundled example's combinations.
      {"both-negative", "-200000 -120000000 80000\r\n", 200, -120, -148.30, true,
       "rho_M = 0.81: bending verified", 0, 0},
      // A zero Med counts as positive: the positive branch resists it (197.13 by
      // interpolation between 190.38 195.53 and 257.46 206.68).
      {"zero-moment", "-200000 0 80000\r\n", 200, 0, 197.20, true, "rho_M = 0.00: bending verified",
       0, 0},
      // Mrd on Med's side, but Med below the other branch.
      {"below-the-other-branch", "584000 0 50000\r\n", -584, 0, 33.35, false,
       "rho_M = 0.00: bending not verified", 18.28, 33.35},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder(std::string("plot-side-") + c.name);
    CopyRun("ref-R", folder.path());
    WriteFile(folder.path() / "slu-max.txt", c.slu);
    ASSERT_EQ(RunQuilexIn(folder.path()), 0);  // its risu-MN.txt, as the picture checks
    const XmlElement root = DrawAndParse(folder.path());
    PictureMap map;
    ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));
    const XmlElement* design = FindById(root, "design-point");
    ExpectAt(design, map, c.minus_Ned, c.Med);
    const std::string fill = design->attribute("fill");
    EXPECT_TRUE(c.green ? IsGreen(fill) : IsRed(fill)) << fill;
    ExpectAt(FindById(root, "resisting-point"), map, c.minus_Ned, c.Mrd);
    const std::string text = AllText(root);
    EXPECT_NE(text.find(c.title), std::string::npos);
    EXPECT_EQ(text.find("outside the M-N domain") != std::string::npos, !c.green);
    const XmlElement* extent = FindById(root, "extent");
    ASSERT_EQ(extent != nullptr, !c.green);
    if (extent != nullptr) {
      EXPECT_NEAR(std::stod(extent->attribute("x1")), map.x(c.minus_Ned), kCoordinateTolerance);
      EXPECT_NEAR(std::stod(extent->attribute("y1")), map.y(c.lower), kCoordinateTolerance);
      EXPECT_NEAR(std::stod(extent->attribute("y2")), map.y(c.upper), kCoordinateTolerance);
    }
  }
}

TEST(DesignPoint, NoResistingMomentIsRedAndAlone) {
  ScratchFolder folder("plot-outside");
  CopyRun("ref-R-outside", folder.path());  // Ned -5000 kN beyond the compressive capacity
  const XmlElement root = DrawAndParse(folder.path());
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));
  const XmlElement* design = FindById(root, "design-point");
  ExpectAt(design, map, 5000, 100);
  EXPECT_TRUE(IsRed(design->attribute("fill")));
  EXPECT_EQ(FindById(root, "resisting-point"), nullptr);
  EXPECT_EQ(FindById(root, "resisting-line"), nullptr);
  EXPECT_NE(AllText(root).find("Mrd = 0"), std::string::npos);
}

TEST(DesignPoint, BiaxialPointsAreTheActingAndResistingMomentVectors) {
  ScratchFolder folder("plot-biaxial");
  CopyRun("ref-D", folder.path());  // Mx 100, My 50; Mrdx 129.15, Mrdy 64.57
  const XmlElement root = DrawAndParse(folder.path());
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));
  const XmlElement* design = FindById(root, "design-point");
  ExpectAt(design, map, 100, 50);
  EXPECT_TRUE(IsGreen(design->attribute("fill")));
  ExpectAt(FindById(root, "resisting-point"), map, 129.15, 64.57);
  EXPECT_NE(AllText(root).find("Ned = -500.00 kN"), std::string::npos);
}

// The checker that the picture tests rely on must itself refuse what is not well-formed.
TEST(XmlChecker, RefusesWhatIsNotWellFormed) {
  const char* const refused[] = {
      "<svg><g></svg></g>",
      "<svg a=\"1\" a=\"2\"/>",
      "<svg a=1/>",
      "<svg>Tom & Jerry</svg>",
      "<svg>&nbsp;</svg>",
      "<svg/><svg/>",
      "<svg><text>a < b</text></svg>",
      "<svg a=\"<\"/>",
      "<svg>\xFF</svg>",
      "<svg>\x01</svg>",
      "<svg><!-- a -- b --></svg>",
      "<svg>",
      "<svg a=\"1\"b=\"2\"/>",
      "text<svg/>",
  };
  for (const char* document : refused)
    EXPECT_THROW(ParseXml(document), XmlError) << document;
  const XmlElement root = ParseXml(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- c --><svg a='x &amp; &#x3C;y&#62;'>"
      "<t>&quot;&apos;\u00B7</t></svg>\n");
  EXPECT_EQ(root.attribute("a"), "x & <y>");
  EXPECT_EQ(root.children.at(0).text, "\"'\u00B7");
}

TEST(RoundSteps, AreOneTwoOrFiveTimesAPowerOfTen) {
  const struct {
    double raw, step;
    int decimals;
  } cases[] = {{437, 500, 0},
               {1000, 1000, 0},
               {1000.5, 2000, 0},
               {0.3, 0.5, 1},
               {0.25, 0.5, 1},
               {0.012, 0.02, 2},
               {4.99, 5, 0},
               {5.01, 10, 0},
               {99.999, 100, 0},
               {0.1, 0.1, 1},
               {2e-4, 2e-4, 4},
               {33, 50, 0},
               {1e-6, 1e-6, 6},
               {9.9e-300, 1e-299, 299},
               // a spread of subnormals, or one that underflowed to zero, gets the smallest step
               {5e-324, 1e-300, 300},
               {0, 1e-300, 300},
               {1.7e308, 1e300, 0}};
  for (const auto& c : cases) {
    const RoundStep round = RoundStepAtLeast(c.raw);
    EXPECT_DOUBLE_EQ(round.step, c.step) << c.raw;
    EXPECT_EQ(round.decimals, c.decimals) << c.raw;
  }
}

TEST(RoundSteps, AxisRunsFromWholeStepToWholeStepAroundTheValues) {
  const AxisScale axis = AxisOver(-727.83, 4340.33, RoundStepAtLeast((4340.33 + 727.83) / 8));
  EXPECT_DOUBLE_EQ(axis.round.step, 1000);
  EXPECT_EQ(axis.first, -1);
  EXPECT_EQ(axis.last, 5);
  EXPECT_EQ(axis.label(-1), "-1000");
  const AxisScale small = AxisOver(-0.07, 0.3, RoundStepAtLeast(0.05));
  EXPECT_EQ(small.label(small.first), "-0.10");
  EXPECT_EQ(small.label(0), "0.00");
}

TEST(RoundSteps, EveryFiniteSpreadGivesAShortAxisAndNoOtherIsTaken) {
  const AxisScale subnormal = AxisOver(-4e-323, 1e-322, RoundStepAtLeast(1.4e-322 / 8));
  EXPECT_EQ(subnormal.first, -1);
  EXPECT_EQ(subnormal.last, 1);
  EXPECT_EQ(subnormal.label(-1), "-1e-300");
  EXPECT_EQ(subnormal.label(0), "0");
  EXPECT_EQ(AxisOver(0, 2.5e-7, RoundStepAtLeast(2.5e-7 / 8)).label(3), "15e-8");
  const AxisScale wide = AxisOver(-1.7e299, 1.7e299, RoundStepAtLeast(3.4e299 / 8));
  EXPECT_EQ(wide.first, -4);
  EXPECT_EQ(wide.last, 4);
  EXPECT_EQ(wide.label(1), "5e298");
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (const double raw : {inf, std::nan(""), -1.0})
    EXPECT_THROW(RoundStepAtLeast(raw), std::invalid_argument) << raw;
  EXPECT_THROW(AxisOver(-inf, 0, RoundStepAtLeast(1)), std::invalid_argument);
  EXPECT_THROW(AxisOver(0, 1e6, RoundStepAtLeast(1)), std::invalid_argument);
  EXPECT_THROW(AxisOver(-1.7e308, 1.7e308, RoundStepAtLeast(1.7e308)), std::invalid_argument);
}

}  // namespace
}  // namespace quilex::plot::test
