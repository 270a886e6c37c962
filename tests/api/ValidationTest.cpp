// Which values the library refuses, with the field each problem concerns, and the
// exceptions of its entry points.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "quilex/quilex.hpp"

namespace quilex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Problem {
  std::string field;
  std::string message;
};

template <class Value>
std::vector<Problem> Problems(const Value& value) {
  std::vector<Problem> found;
  for (const InvalidValue& p : Validate(value))
    found.push_back({p.field, p.message});
  return found;
}

// The first problem's field and message.
template <class Value>
Problem First(const Value& value) {
  const std::vector<Problem> found = Problems(value);
  return found.empty() ? Problem{} : found.front();
}

#define EXPECT_PROBLEM(value, field_name, text) \
  do {                                          \
    const Problem p = First(value);             \
    EXPECT_EQ(p.field, field_name) << #value;   \
    EXPECT_EQ(p.message, text) << #value;       \
  } while (false)

const RectangularSection kBeam{300, 500, 40, 628.32, 942.48, {50.27, 2, 150}};
const TSection kTee{300, 450, 800, 150, 50, 603, 1257, {50.27, 2, 150}};
const CircularSection kCircle{400, 40, 8, 16, {50.27, 2, 150}};
const RectangleWithBars kBars{
    300, 500, {50.27, 2, 2, 200}, {{-110, -210, 314.16}, {110, 210, 314.16}}};

template <class Section, class Edit>
Section With(Section s, Edit edit) {
  edit(s);
  return s;
}

TEST(Validation, SoundSectionsHaveNoProblems) {
  EXPECT_TRUE(Validate(kBeam).empty());
  EXPECT_TRUE(Validate(kTee).empty());
  EXPECT_TRUE(Validate(kCircle).empty());
  EXPECT_TRUE(Validate(kBars).empty());
  // Bars on the edges, no stirrups at no spacing, no bars in a circle, zero areas.
  EXPECT_TRUE(Validate(With(kBars, [](auto& s) { s.bars = {{150, -250, 0}}; })).empty());
  EXPECT_TRUE(Validate(With(kBeam, [](auto& s) { s.stirrups = {0, 2, 0}; })).empty());
  EXPECT_TRUE(Validate(With(kBeam, [](auto& s) { s.stirrups = {50, 0, 0}; })).empty());
  EXPECT_TRUE(Validate(With(kCircle, [](auto& s) { s.nF = 0; })).empty());
  EXPECT_TRUE(Validate(With(kCircle, [](auto& s) { s.nF = 200; })).empty());
  EXPECT_TRUE(Validate(With(kBeam, [](auto& s) { s.As_top = s.As_bottom = s.c = 0; })).empty());
}

TEST(Validation, RectangleAndTee) {
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.B = 0; }), "B", "B must be greater than 0");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.B = kNaN; }), "B", "B must be a finite number");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.c = 250; }), "c",
                 "c must be at least 0 and less than half the depth");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.c = -1; }), "c",
                 "c must be at least 0 and less than half the depth");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.stirrups.Asw = -50; }), "stirrups.Asw",
                 "Asw must not be negative");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.stirrups.nb = -2; }), "stirrups.nb",
                 "nb must not be negative");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.stirrups.st = 0; }), "stirrups.st",
                 "st must be greater than 0 when stirrups are given");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.As_top = -1; }), "As_top",
                 "As[1] must not be negative");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.As_bottom = kInf; }), "As_bottom",
                 "As[2] must be a finite number");
  EXPECT_PROBLEM(With(kTee, [](auto& s) { s.HsUp = -150; }), "HsUp", "HsUp must be greater than 0");
  // Sizes no section has, which overflowed to an infinite resistance; the bounds themselves
  // are sizes a section may have.
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.As_top = 1e300; }), "As_top",
                 "As[1] must be at most 1e+10 mm\u00b2");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.H = 1e6; }), "H", "H must be at most 100000 mm");
  EXPECT_PROBLEM(With(kBeam, [](auto& s) { s.stirrups.nb = 1001; }), "stirrups.nb",
                 "nb must be at most 1000");
  EXPECT_TRUE(Validate(With(kBeam, [](auto& s) {
                s.B = s.H = 1e5;
                s.As_bottom = 1e10;
                s.stirrups.nb = 1000;
              })).empty());
  // The cover is measured against the whole depth, web and flange.
  EXPECT_TRUE(Validate(With(kTee, [](auto& s) { s.c = 299; })).empty());
  EXPECT_PROBLEM(With(kTee, [](auto& s) { s.c = 300; }), "c",
                 "c must be at least 0 and less than half the depth");
}

TEST(Validation, Circle) {
  EXPECT_PROBLEM(With(kCircle, [](auto& s) { s.D = -400; }), "D", "D must be greater than 0");
  EXPECT_PROBLEM(With(kCircle, [](auto& s) { s.c = 200; }), "c",
                 "c must be at least 0 and less than half the diameter");
  EXPECT_PROBLEM(With(kCircle, [](auto& s) { s.nF = 201; }), "nF", "nF must be from 0 to 200");
  EXPECT_PROBLEM(With(kCircle, [](auto& s) { s.nF = -1; }), "nF", "nF must be from 0 to 200");
  EXPECT_PROBLEM(With(kCircle, [](auto& s) { s.Df = -16; }), "Df", "Df must not be negative");
}

TEST(Validation, RectangleWithBars) {
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.stirrups.nby = -1; }), "stirrups.nby",
                 "nby must not be negative");
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.stirrups.st = -200; }), "stirrups.st",
                 "st must be greater than 0 when stirrups are given");
  EXPECT_TRUE(Validate(With(kBars, [](auto& s) { s.stirrups = {50, 0, 0, 0}; })).empty());
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.bars.clear(); }), "bars",
                 "number of bars must be from 1 to 200");
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.bars.resize(201); }), "bars",
                 "number of bars must be from 1 to 200");
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.bars[1].y = 250.5; }), "bars[1]",
                 "bar 2 lies outside the section");
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.bars[0].area = -3; }), "bars[0].area",
                 "area of bar 1 must not be negative");
  EXPECT_PROBLEM(With(kBars, [](auto& s) { s.bars[0].x = kNaN; }), "bars[0].x",
                 "x of bar 1 must be a finite number");
}

// A polygon section's geometry: each refusal names the ring, vertex or bar.
TEST(Validation, PolygonSection) {
  using Ring = std::vector<Vertex>;
  const Ring square{{0, 0}, {400, 0}, {400, 400}, {0, 400}};
  const PolygonSection sound{.outlines = {square},
                             .holes = {{{100, 100}, {100, 300}, {300, 300}, {300, 100}}},
                             .bars = {{50, 50, 201}, {350, 350, 201}, {400, 200, 201}},
                             .shear = {},
                             .reference = {}};
  EXPECT_TRUE(Validate(sound).empty());
  // A second outline sharing an edge, a hole touching its outline: both sound.
  EXPECT_TRUE(Validate(With(sound, [&](PolygonSection& s) {
                s.outlines.push_back({{400, 0}, {800, 0}, {800, 400}, {400, 400}});
                s.holes.push_back({{500, 0}, {700, 100}, {500, 200}});
              })).empty());
  const auto ring = [](PolygonSection s, Ring r) {
    s.outlines = {r};
    s.holes.clear();
    s.bars = {};
    return s;
  };
  EXPECT_PROBLEM(PolygonSection{}, "outlines", "at least one outline is needed");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {1, 0}}), "outlines[0]",
                 "outlines[0] must have at least 3 vertices");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {1, 0}, {kNaN, 1}}), "outlines[0][2].x",
                 "outlines[0][2].x must be a finite number");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {1, 0}, {0, 2e5}}), "outlines[0][2].y",
                 "outlines[0][2].y must lie within 100000 mm of the origin");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {400, 400}, {400, 0}, {0, 400}}), "outlines[0]",
                 "outlines[0] crosses itself: edges 0 and 2 touch");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {400, 0}, {400, 0}, {0, 400}}), "outlines[0]",
                 "outlines[0] repeats vertex 1");
  // Folding back along itself, and a vertex touching a far edge.
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {400, 0}, {200, 0}, {0, 400}}), "outlines[0]",
                 "outlines[0] crosses itself: edges 0 and 1 touch");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {400, 0}, {400, 400}, {200, 0}, {0, 400}}), "outlines[0]",
                 "outlines[0] crosses itself: edges 0 and 2 touch");
  EXPECT_PROBLEM(ring(sound, {{0, 0}, {200, 0}, {400, 0}}), "outlines[0]",
                 "outlines[0] crosses itself: edges 1 and 2 touch");
  EXPECT_PROBLEM(With(sound, [&](PolygonSection& s) { s.outlines.push_back(square); }),
                 "outlines[1]", "outlines[1] overlaps outlines[0]");
  EXPECT_PROBLEM(With(sound,
                      [](PolygonSection& s) {
                        s.outlines.push_back({{300, 300}, {500, 300}, {500, 500}, {300, 500}});
                      }),
                 "outlines[1]", "outlines[1] overlaps outlines[0]");
  EXPECT_PROBLEM(With(sound,
                      [](PolygonSection& s) {
                        s.holes[0] = {{300, 100}, {500, 100}, {500, 300}, {300, 300}};
                      }),
                 "holes[0]", "holes[0] must lie inside one outline");
  EXPECT_PROBLEM(With(sound,
                      [](PolygonSection& s) {
                        s.holes.push_back({{150, 150}, {250, 150}, {250, 250}});
                      }),
                 "holes[1]", "holes[1] overlaps holes[0]");
  EXPECT_PROBLEM(With(sound, [](PolygonSection& s) { s.bars[1].x = 401; }), "bars[1]",
                 "bars[1] lies outside the concrete");
  EXPECT_PROBLEM(With(sound,
                      [](PolygonSection& s) {
                        s.bars[1] = {200, 200, 201};
                      }),
                 "bars[1]", "bars[1] lies inside holes[0]");
  EXPECT_PROBLEM(With(sound, [](PolygonSection& s) { s.bars[2].area = -1; }), "bars[2].area",
                 "bars[2].area must not be negative");
  EXPECT_PROBLEM(With(sound, [](PolygonSection& s) { s.bars[2].area = 2e5; }), "bars",
                 "the bars' areas must add up to less than the concrete's");
  EXPECT_PROBLEM(With(sound,
                      [](PolygonSection& s) {
                        s.shear = PolygonShear{{}, 400, 0, 300, 300};
                      }),
                 "shear.by", "by must be greater than 0");
  EXPECT_PROBLEM(With(sound,
                      [](PolygonSection& s) {
                        s.reference = Vertex{kInf, 0};
                      }),
                 "reference.x", "reference.x must be a finite number");
  // The orientation does not matter; the exponent must be 2.
  EXPECT_TRUE(Validate(ring(sound, {square.rbegin(), square.rend()})).empty());
  const MaterialSet high = LookupMaterials("IT", "B450C", "C70/85");
  EXPECT_EQ(Validate(sound, high, {.parabola_exponent = ParabolaExponent::EN1992}).size(), 1u);
  EXPECT_TRUE(Validate(sound, high, {}).empty());
}

TEST(Validation, EveryProblemInTheOrderOfTheChecks) {
  const RectangularSection bad{-300, 0, -40, -1, -2, {-1, -2, 0}};
  std::vector<std::string> fields;
  for (const Problem& p : Problems(bad))
    fields.push_back(p.field);
  // Stirrups of a negative area and negative legs are still stirrups given: their zero
  // spacing is refused as well.
  EXPECT_EQ(fields, (std::vector<std::string>{"B", "H", "c", "stirrups.Asw", "stirrups.nb",
                                              "stirrups.st", "As_top", "As_bottom"}));
}

TEST(Validation, MaterialsActionsAndSettings) {
  // Every set of the database is valid, C90/105 with its eps_cu below eps_c2 included.
  for (const char* concrete : {"C12/15", "C50/60", "C90/105"})
    EXPECT_TRUE(Validate(LookupMaterials("DE", "S500B", concrete)).empty()) << concrete;
  MaterialSet m = LookupMaterials("IT", "B450C", "C25/30");
  m.eps_cu = 0;
  EXPECT_PROBLEM(m, "eps_cu", "eps_cu must be greater than 0");
  m = LookupMaterials("IT", "B450C", "C25/30");
  m.fyd = 1e300;
  EXPECT_PROBLEM(m, "fyd", "fyd must be at most 10000 N/mm\u00b2");
  EXPECT_PROBLEM((Actions{0, kNaN, 0}), "Med", "Med must be a finite number");
  EXPECT_PROBLEM((BiaxialActions{0, 0, 0, 0, -kInf}), "Vy", "Vy must be a finite number");
  Settings s;
  s.strips = 0;
  EXPECT_PROBLEM(s, "settings.strips", "strips must be from 1 to 100000");
  s.strips = 100001;
  EXPECT_PROBLEM(s, "settings.strips", "strips must be from 1 to 100000");
  s.strips = 100000;
  EXPECT_TRUE(Validate(s).empty());
  s.max_iterations = 0;
  EXPECT_PROBLEM(s, "settings.max_iterations", "max_iterations must be at least 1");
  // EN 1992-1-1's exponent comes from fck: materials given without it would silently keep 2.
  m = LookupMaterials("IT", "B450C", "C25/30");
  m.fck = 0;
  const Settings en1992{.parabola_exponent = ParabolaExponent::EN1992};
  EXPECT_TRUE(Validate(m, Settings{}).empty());
  ASSERT_EQ(Validate(m, en1992).size(), 1u);
  EXPECT_EQ(Validate(m, en1992)[0].field, "fck");
  EXPECT_THROW(Verify(kBeam, m, Actions{0, 1e8, 1e4}, en1992), InvalidInput);
  EXPECT_THROW(MomentContour(kBars, m, 0, en1992), InvalidInput);
}

TEST(Validation, EntryPointsThrowWithEveryProblem) {
  const RectangularSection bad = With(kBeam, [](auto& s) {
    s.H = 0;
    s.As_top = -1;
  });
  const MaterialSet m = LookupMaterials("IT", "B450C", "C25/30");
  try {
    Verify(bad, m, Actions{0, 1e8, 1e4});
    ADD_FAILURE() << "no exception";
  } catch (const InvalidInput& e) {
    ASSERT_EQ(e.problems().size(), 3u);  // H, then c (not below half of 0), then As[1]
    EXPECT_EQ(e.problems()[0].field, "H");
    EXPECT_EQ(e.problems()[2].field, "As_top");
    EXPECT_STREQ(e.what(),
                 "H must be greater than 0\nc must be at least 0 and less than half the depth\n"
                 "As[1] must not be negative");
  }
  EXPECT_THROW(InteractionDomain(bad, m), InvalidInput);
  EXPECT_THROW(MomentContour(With(kBars, [](auto& s) { s.B = 0; }), m, 0), InvalidInput);
  EXPECT_THROW(Verify(kBeam, m, Actions{kNaN, 0, 0}), Error);
}

TEST(Validation, UnknownMaterialsNameTheItem) {
  try {
    LookupMaterials("IT", "S500B", "C25/30");
    ADD_FAILURE() << "no exception";
  } catch (const UnknownMaterial& e) {
    EXPECT_EQ(e.item(), MaterialItem::SteelGrade);
    EXPECT_EQ(e.name(), "S500B");
    EXPECT_STREQ(e.what(), "steel grade 'S500B' is not in the material database");
  }
}

}  // namespace
}  // namespace quilex
