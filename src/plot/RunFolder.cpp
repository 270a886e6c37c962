#include "plot/RunFolder.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <numbers>
#include <sstream>

#include "plot/CombinationTable.hpp"
#include "plot/FileText.hpp"
#include "plot/SectionDrawing.hpp"
#include "quilex/domain.hpp"
#include "quilex/errors.hpp"
#include "quilex/materials.hpp"
#include "quilex/verdict.hpp"
#include "quilex/verification.hpp"
#include "runfiles/InputFiles.hpp"
#include "runfiles/RunSequence.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/WholeFile.hpp"

namespace quilex::plot {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kDomainPoints = 101;  // R, T, C: 1 + 49 + 1 + 49 + 1
constexpr std::size_t kContourPoints = 73;  // D, P: 72 directions and the first again
constexpr double kKilo = 0.001;             // N to kN, as the result files scale
constexpr double kMega = 1e-6;              // N·mm to kN·m

const std::array<const char*, 6> kSectionLabels = {"Mrd",   "rho_M",   "Vrd",
                                                   "rho_V", "epsilon", "campo"};
const std::array<const char*, 12> kBiaxialLabels = {"Mrd",   "Mrdx",    "Mrdy",  "rho_M",
                                                    "MRx",   "MRy",     "Vrdx",  "Vrdy",
                                                    "rho_V", "epsilon", "alpha", "campo"};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kOutsideDomainLine =
    "ATTENTION --> Ned and Med outside the M-N domain: at this Ned the section resists "
    "moments from ";

std::string TypeName(const std::string& letter) {
  return "type-" + letter;
}

// Reads an input file the way quilex does.
template <typename Read>
auto ReadInput(const fs::path& file, int unit_number, const std::string& what, Read read) {
  const std::optional<std::string> content = ReadWholeFile(file);
  if (!content) Fail(file, "cannot be read (the run's input " + what + " is missing)");
  textio::InputFile unit(unit_number, file.filename().string(), *content);
  try {
    return read(unit);
  } catch (const textio::InputFailure& failure) {
    const std::string item = failure.item().empty() ? "" : ", " + failure.item();
    if (failure.line() == 0) Fail(file, "cannot read " + what + item + ": " + failure.cause());
    FailAt(file, failure.line(), "cannot read " + what + item + ": " + failure.cause());
  }
}

// The actions of slu-max.txt, as read: those of an R, T or C section, or of a D section
// (the other stays zero). The picture shows Med for R, T and C, Mx and My for D.
struct DesignActions {
  Actions uniaxial;
  BiaxialActions biaxial;
  double Ned = 0;  // of whichever was read
};

std::string VerdictText(bool verified) {
  return verified ? "verified" : "not verified";
}

std::string MaterialText(const runfiles::MaterialNames& names) {
  const auto trimmed = [](const std::string& name) { return std::string(Trim(name)); };
  return "design code " + trimmed(names.design_code) + ", steel " + trimmed(names.steel_grade) +
         ", concrete " + trimmed(names.concrete_class);
}

// The section's shape and size on the first title line, its bars and materials on the
// second.
std::pair<std::string, std::string> SectionTexts(const runfiles::SectionData& section,
                                                 const std::string& materials) {
  const std::string mm2 = " mm\u00B2";
  const std::string times = " \u00D7 ";
  using Texts = std::pair<std::string, std::string>;
  return std::visit(
      runfiles::Overloaded{
          [&](const RectangularSection& r) {
            return Texts{"Section R: B" + times + "H = " + Compact(r.B) + times + Compact(r.H) +
                             " mm, c = " + Compact(r.c) + " mm",
                         "As = " + Compact(r.As_top) + mm2 + " top, " + Compact(r.As_bottom) + mm2 +
                             " bottom; " + materials};
          },
          [&](const TSection& t) {
            return Texts{"Section T: flange " + Compact(t.BsUp) + times + Compact(t.HsUp) +
                             " mm on web " + Compact(t.BiNf) + times + Compact(t.HiNf) +
                             " mm, c = " + Compact(t.c) + " mm",
                         "As = " + Compact(t.As_top) + mm2 + " top, " + Compact(t.As_bottom) + mm2 +
                             " bottom; " + materials};
          },
          [&](const CircularSection& c) {
            return Texts{
                "Section C: D = " + Compact(c.D) + " mm, c = " + Compact(c.c) + " mm",
                std::to_string(c.nF) + " bars \u00D8 " + Compact(c.Df) + " mm; " + materials};
          },
          [&](const RectangleWithBars& d) {
            double total = 0;
            for (const Bar& bar : d.bars)
              total += bar.area;
            const std::size_t count = d.bars.size();
            return Texts{
                "Section D: B" + times + "H = " + Compact(d.B) + times + Compact(d.H) + " mm",
                std::to_string(count) + (count == 1 ? " bar, " : " bars, ") + Compact(total) + mm2 +
                    " in all; " + materials};
          },
          [&](const PolygonSection& p) {
            double total = 0;
            for (const Bar& bar : p.bars)
              total += bar.area;
            const auto counted = [](std::size_t count, const char* one, const char* many) {
              return std::to_string(count) + (count == 1 ? one : many);
            };
            return Texts{"Section P: " + counted(p.outlines.size(), " outline, ", " outlines, ") +
                             counted(p.holes.size(), " hole", " holes") +
                             (p.reference ? ", moments about (" + Compact(p.reference->x) + ", " +
                                                Compact(p.reference->y) + ") mm"
                                          : ", moments about the centroid"),
                         counted(p.bars.size(), " bar, ", " bars, ") + Compact(total) + mm2 +
                             " in all (net section); " + materials};
          },
          [](const runfiles::UnknownSectionType&) -> Texts {
            throw std::logic_error("a section of an unknown type is refused as it is read");
          }},
      section);
}

// The first line where `printed` and `expected` differ, from 1.
std::size_t FirstDifferentLine(std::string_view printed, std::string_view expected) {
  const auto at = static_cast<std::size_t>(
      std::mismatch(printed.begin(), printed.end(), expected.begin(), expected.end()).first -
      printed.begin());
  return 1 + static_cast<std::size_t>(std::count(printed.begin(), printed.begin() + at, '\n'));
}

// The results drawn must be those of the folder's inputs: a run stopped between the
// replacement of two of its files, or an input edited since the run, would otherwise show
// one run's actions against another's resistance and verdict. The run is done again in
// memory, as quilex does it, and what it writes must be the folder's risu-MN.txt and
// domplot.txt, byte for byte.
void RequireOneRun(const fs::path& folder) {
  const auto content = [&](const char* name, const char* when_missing) {
    std::optional<std::string> text = ReadWholeFile(folder / name);
    return text ? std::move(*text) : std::string(when_missing);
  };
  // parm.txt decides only on the echo in risu.txt, which is not compared.
  runfiles::RunFiles files{textio::InputFile(10, "parm.txt", content("parm.txt", "0\n")),
                           textio::InputFile(11, "sezi.txt", content("sezi.txt", "")),
                           textio::InputFile(12, "mate.txt", content("mate.txt", "")),
                           textio::InputFile(13, "slu-max.txt", content("slu-max.txt", "")),
                           textio::OutputFile(20),
                           textio::OutputFile(21),
                           textio::OutputFile(22)};
  try {
    runfiles::WriteRun(files);
  } catch (const textio::FileFailure&) {
    // A run that stops at an input (parm.txt, which is read here only) keeps what it wrote,
    // as quilex does: the comparison below tells the difference.
  }
  const std::pair<const char*, const textio::OutputFile*> outputs[] = {
      {"risu-MN.txt", &files.risu_mn}, {"domplot.txt", &files.domplot}};
  for (const auto& [name, expected] : outputs) {
    const std::string printed = content(name, "");
    if (printed == expected->text()) continue;
    const std::size_t line = FirstDifferentLine(printed, expected->text());
    const auto line_of = [line](const std::string& text) {
      const std::vector<std::string> lines = SplitLines(text);
      if (line > lines.size()) return std::string("nothing");
      // Appended: GCC 12 at -O3 takes "'" + a string for an overlapping copy (-Wrestrict).
      std::string quoted(1, '\'');
      quoted += Trim(lines[line - 1]);
      quoted += '\'';
      return quoted;
    };
    FailAt(folder / name, line,
           line_of(printed) +
               " where a run of quilex on the folder's sezi.txt, mate.txt and "
               "slu-max.txt writes " +
               line_of(expected->text()) +
               ": the files are of different runs (an input changed since, or a run stopped "
               "between its files); run quilex again");
  }
}

// The numbers a picture is drawn from, as the run computed them: risu-MN.txt and
// domplot.txt print them to two decimals, and not at all where a value is beyond its
// field's width (the moments of a large section). A 1.004 printed as 1.00 must not be drawn
// as verified, nor the side of a moment printed -0.00 be guessed. (The files are this
// run's: RequireOneRun.) In kN and kN·m, scaled as the files scale them.
struct ExactRun {
  std::vector<PlotPoint> boundary;  // the domain's (-N, M) or the contour's (Mx, My)
  std::optional<double> rho_M;      // as the results block prints it
  Verdict verdict;                  // of the whole verification; the picture shows its bending part
  double Mrd = 0;
  double Mrdx = 0;
  double Mrdy = 0;
  std::optional<double> rho_V;  // as the results block prints it
  double Vrd = 0;               // R, T, C
  double Vrdx = 0;              // D
  double Vrdy = 0;
  std::optional<std::pair<double, double>> moments_at_Ned;
  // P: the M-N domain in the design moment's direction (-N, M) and the resisting plane's
  // neutral axis.
  std::vector<PlotPoint> domain;
  std::optional<NeutralAxisLine> neutral_axis;
};

ExactRun ExactRunOf(const fs::path& mate, const runfiles::SectionData& section,
                    const runfiles::MaterialNames& names, const Actions& actions,
                    const BiaxialActions& biaxial_actions) {
  MaterialSet m;
  try {
    m = LookupMaterials(names.design_code, names.steel_grade, names.concrete_class);
  } catch (const UnknownMaterial& unknown) {
    Fail(mate, std::string("the materials are not in the database: ") + unknown.what());
  }
  ExactRun exact;
  const auto take = [&](const auto& v) {
    exact.rho_M = v.rho_M;
    exact.rho_V = v.rho_V;
    exact.verdict = VerdictOf(v);
    exact.Mrd = v.Mrd * kMega;
    if (v.moments_at_Ned) {
      exact.moments_at_Ned = {v.moments_at_Ned->lower * kMega, v.moments_at_Ned->upper * kMega};
    }
  };
  const auto uniaxial = [&](const auto& shape) {
    for (const DomainPoint& p : InteractionDomain(shape, m))
      exact.boundary.push_back({-p.N * kKilo, p.M * kMega});
    const Verification v = Verify(shape, m, actions);
    take(v);
    exact.Vrd = v.Vrd * kKilo;
  };
  // Generic: a polygon section's verdict is its own (VerdictOf(PolygonVerification)).
  const auto biaxial = [&](const auto& v, const std::vector<MomentPoint>& contour) {
    for (const MomentPoint& p : contour)
      exact.boundary.push_back({p.Mx * kMega, p.My * kMega});
    take(v);
    exact.Mrdx = v.Mrdx * kMega;
    exact.Mrdy = v.Mrdy * kMega;
    exact.Vrdx = v.Vrdx * kKilo;
    exact.Vrdy = v.Vrdy * kKilo;
  };
  std::visit(
      runfiles::Overloaded{
          [&](const RectangleWithBars& d) {
            const BiaxialVerification v = Verify(d, m, biaxial_actions);
            biaxial(v, v.contour);
          },
          [&](const PolygonSection& p) {
            const PolygonVerification v = Verify(p, m, biaxial_actions);
            biaxial(v, MomentContour(p, m, biaxial_actions.Ned));
            // The direction the verification takes: that of Mx alone for no moment.
            const double angle =
                biaxial_actions.Mx == 0 && biaxial_actions.My == 0
                    ? 0.0
                    : std::atan2(biaxial_actions.My, biaxial_actions.Mx) * 180 / std::numbers::pi;
            // Where the contour at a level does not reach the direction, the level has no
            // point: the picture joins its neighbours.
            for (const DomainPoint& point : InteractionDomain(p, m, angle)) {
              if (point.converged) exact.domain.push_back({-point.N * kKilo, point.M * kMega});
            }
            if (v.compression_angle && v.neutral_axis_depth) {
              exact.neutral_axis = NeutralAxisLine{*v.compression_angle, *v.neutral_axis_depth};
            }
          },
          [](const runfiles::UnknownSectionType&) {}, [&](const auto& shape) { uniaxial(shape); }},
      section);
  return exact;
}

// The distance from the origin to the drawn contour along the unit vector (ux, uy): the
// farthest crossing of the ray with the contour's sides (the contour encloses the origin).
double ContourReach(const std::vector<PlotPoint>& contour, double ux, double uy) {
  double reach = 0;
  for (std::size_t k = 0; k + 1 < contour.size(); ++k) {
    const PlotPoint a = contour[k], b = contour[k + 1];
    // a + s (b - a) = t u, for s in [0, 1] and t >= 0.
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double det = ex * uy - ey * ux;
    if (det == 0) continue;
    const double s = (a.y * ux - a.x * uy) / det;
    const double t = (a.y * ex - a.x * ey) / det;
    if (s >= 0 && s <= 1 && t > reach) reach = t;
  }
  return reach;
}

// The combinations of a type-D table are each verified against the contour at their own Ned,
// which is not the one drawn: each is drawn at its rho_M of the drawn contour, in the
// direction of its moment (Mx alone for a zero moment, as the verification takes it), so
// that it lies inside exactly when its ratio is below 1. Those without a resistance stay at
// their moments.
void PlaceOnTheDrawnContour(const std::vector<PlotPoint>& contour,
                            std::vector<CombinationPoint>& rows) {
  for (CombinationPoint& row : rows) {
    if (!row.ratio && row.rho_M == 999.99) continue;
    const double magnitude = std::hypot(row.moment.x, row.moment.y);
    const double ux = magnitude > 0 ? row.moment.x / magnitude : 1;
    const double uy = magnitude > 0 ? row.moment.y / magnitude : 0;
    const double reach = ContourReach(contour, ux, uy) * row.rho_M;
    row.at = {reach * ux, reach * uy};
  }
}

// What the picture of an M-N domain says of its design point, the resisting point at its
// Ned and the verdict in bending.
struct DomainTexts {
  std::string ned_text;
  double minus_Ned = 0;     // kN
  double M = 0;             // kN·m: Med, or a polygon section's moment in its direction
  const char* moment_name;  // as the labels name it
  bool no_resisting_moment = false;
  double Mrd = 0;
  std::string Mrd_text;  // as printed
  std::string rho_text;
  bool verified = false;
  bool outside = false;
  std::optional<std::pair<double, double>> outside_range;
};

void DescribeDomain(DomainPlot& plot, const DomainTexts& t) {
  const std::string med = t.moment_name;
  plot.x_title = "-N (kN), compression positive";
  plot.y_title = "M (kN\u00B7m)";
  plot.boundary_legend =
      "M-N interaction domain: the axial forces and moments the section resists at the "
      "ultimate limit state";
  plot.design = {t.minus_Ned, t.M};
  plot.design_label = "Ed: -Ned = " + Fixed(plot.design.x, 2) + " kN, " + med + " = " +
                      Fixed(plot.design.y, 2) + " kN\u00B7m";
  const std::string actions_text =
      t.ned_text + ", " + med + " = " + Fixed(plot.design.y, 2) + " kN\u00B7m";
  if (t.no_resisting_moment) {
    plot.title_lines.push_back(actions_text +
                               ": Mrd = 0 (no resisting moment at this Ned): bending not verified");
    plot.design_legend = "design point (-Ned, " + med +
                         "): bending not verified, Ned outside the M-N domain or no "
                         "convergence";
    return;
  }
  // Also the point of a Med on the other side than Mrd, whose rho_M may be at most 1.
  plot.verified = t.verified;
  if (t.outside_range) {
    const auto [lower, upper] = *t.outside_range;
    plot.extent = {PlotPoint{plot.design.x, lower}, PlotPoint{plot.design.x, upper}};
    plot.extent_legend = "moments resisted at this Ned: " + Fixed(lower, 2) + " to " +
                         Fixed(upper, 2) + " kN\u00B7m (" + med + " lies outside)";
  }
  plot.resisting = PlotPoint{plot.design.x, t.Mrd};
  plot.resisting_label = "Mrd = " + t.Mrd_text + " kN\u00B7m";
  plot.resisting_legend = "resisting point (-Ned, Mrd), dashed from the design point";
  plot.title_lines.push_back(actions_text + ": Mrd = " + t.Mrd_text + " kN\u00B7m, " + t.rho_text +
                             ": bending " + VerdictText(plot.verified));
  plot.design_legend = "design point (-Ned, " + med + "): bending " + VerdictText(plot.verified) +
                       (plot.verified ? " (rho_M \u2264 1)"
                        : t.outside   ? " (outside the M-N domain at this axial force)"
                                      : " (rho_M > 1)");
}
}  // namespace

std::vector<PlotPoint> ReadDomainPoints(const fs::path& file, std::size_t expected_points,
                                        const std::string& section_type) {
  const bool contour = section_type == "D" || section_type == "P";
  // Read no further than the line after the last point, however large the file: quilex
  // writes two f8.2 fields a line.
  constexpr std::size_t kLongestLine = 80;
  const std::size_t most_bytes = (expected_points + 1) * kLongestLine;
  std::optional<std::string> content = textio::ReadWholeFile(file, most_bytes);
  if (!content) Fail(file, "cannot be read (run quilex in this folder first)");
  const bool cut = content->size() > most_bytes;
  if (cut) content->erase(content->find_last_of('\n') + 1);  // no part of a line
  const std::vector<std::string> lines = SplitLines(*content);
  const std::string run = "a run of a " + TypeName(section_type) + " section writes " +
                          std::to_string(expected_points) + " points";
  if (lines.empty() && !cut) Fail(file, "the file is empty; " + run);
  const std::array<const char*, 2> names =
      contour ? std::array<const char*, 2>{"Mx", "My"} : std::array<const char*, 2>{"-N", "M"};

  std::vector<PlotPoint> points;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::size_t line = k + 1;
    if (k == expected_points) FailAt(file, line, "more points than expected: " + run);
    std::vector<std::string_view> fields;
    std::string_view rest = lines[k];
    for (;;) {
      rest = Trim(rest);
      if (rest.empty()) break;
      const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
      fields.push_back(rest.substr(0, end));
      rest = rest.substr(end);
    }
    if (fields.size() != 2) {
      FailAt(file, line,
             "expected two values (" + std::string(names[0]) + " and " + names[1] + "), found " +
                 std::to_string(fields.size()));
    }
    std::array<double, 2> values{};
    for (std::size_t f = 0; f < 2; ++f) {
      if (IsOverflowField(fields[f])) {
        // Beyond the print width: the picture draws the run's exact value (ExactRun).
        values[f] = std::numeric_limits<double>::quiet_NaN();
        continue;
      }
      const std::optional<double> value = ParseNumber(fields[f]);
      if (!value) {
        FailAt(file, line,
               "the " + std::string(names[f]) + " field '" + std::string(fields[f]) +
                   "' is not a number");
      }
      values[f] = *value;
    }
    points.push_back({values[0], values[1]});
  }
  if (cut) {
    FailAt(file, points.size() + 1,
           "the file goes on beyond what a run writes (" + std::to_string(most_bytes) +
               " bytes at most): " + run);
  }
  if (points.size() < expected_points) {
    FailAt(file, points.size(),
           "the file ends after " + std::to_string(points.size()) + " points; " + run);
  }
  // Two fields of asterisks are equal too: the same value beyond the print width.
  const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
  if (!same(points.back().x, points.front().x) || !same(points.back().y, points.front().y)) {
    FailAt(file, points.size(),
           "the last point does not repeat the first: the " +
               std::string(contour ? "contour" : "domain") + " is not closed");
  }
  return points;
}

const std::optional<double>& RunResults::value(const std::string& label) const {
  for (const auto& [name, value] : values) {
    if (name == label) return value;
  }
  throw std::logic_error("no result " + label);
}

const std::string& RunResults::text(const std::string& label) const {
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (values[k].first == label) return texts[k];
  }
  throw std::logic_error("no result " + label);
}

RunResults ReadRunResults(const fs::path& file) {
  const std::optional<std::string> content = ReadWholeFile(file);
  if (!content) Fail(file, "cannot be read (run quilex in this folder first)");
  const std::vector<std::string> lines = SplitLines(*content);
  if (lines.empty()) Fail(file, "the file is empty (run quilex in this folder first)");
  if (StartsWith(lines[0], "ATTENTION -->")) {
    FailAt(file, 1, "the last run stopped without results: " + lines[0]);
  }
  RunResults results;
  results.biaxial = lines.size() > 1 && StartsWith(lines[1], "Mrdx ");
  results.radial = results.biaxial && lines.size() > 12 && StartsWith(lines[12], "rho_rad ");
  std::vector<const char*> labels =
      results.biaxial ? std::vector<const char*>(kBiaxialLabels.begin(), kBiaxialLabels.end())
                      : std::vector<const char*>(kSectionLabels.begin(), kSectionLabels.end());
  if (results.radial) labels.push_back("rho_rad");
  for (std::size_t k = 0; k < labels.size(); ++k) {
    const std::size_t line = k + 1;
    if (k >= lines.size()) {
      FailAt(file, line,
             "the results block ends early: this line should hold " + std::string(labels[k]));
    }
    const std::size_t equals = lines[k].find('=');
    if (equals == std::string::npos || Trim(lines[k].substr(0, equals)) != labels[k]) {
      FailAt(file, line,
             "expected the line of " + std::string(labels[k]) + ", found '" + lines[k] + "'");
    }
    const std::string_view field = Trim(std::string_view(lines[k]).substr(equals + 1));
    std::optional<double> value;
    if (!IsOverflowField(field)) {
      value = ParseNumber(field);
      if (!value) {
        FailAt(file, line,
               "the value of " + std::string(labels[k]) + ", '" + std::string(field) +
                   "', is not a number");
      }
    }
    results.values.emplace_back(labels[k], value);
    results.texts.emplace_back(field);
  }
  for (std::size_t k = labels.size(); k < lines.size(); ++k) {
    if (StartsWith(lines[k], "ATTENTION --> Mrd = 0")) {
      results.no_resisting_moment_line = k + 1;
    } else if (StartsWith(lines[k], kOutsideDomainLine)) {
      results.outside_domain_line = k + 1;
    } else if (!StartsWith(lines[k], "ATTENTION -->") && !Trim(lines[k]).empty()) {
      FailAt(file, k + 1, "unexpected text after the results block: '" + lines[k] + "'");
    }
  }
  return results;
}

DomainPlot ReadRunFolder(const fs::path& folder) {
  const fs::path sezi = folder / "sezi.txt";
  const fs::path mate = folder / "mate.txt";
  const fs::path slu = folder / "slu-max.txt";
  const fs::path risu = folder / "risu-MN.txt";
  const fs::path domplot = folder / "domplot.txt";
  const fs::path table = folder / "risu-combinations.csv";

  const runfiles::SectionData section =
      ReadInput(sezi, 11, "the section", [&](textio::InputFile& unit) {
        std::variant<runfiles::SectionData, runfiles::DataProblem> read =
            runfiles::ReadSection(unit);
        if (const auto* problem = std::get_if<runfiles::DataProblem>(&read)) {
          FailAt(sezi, problem->where.line, problem->where.cause);
        }
        return std::get<runfiles::SectionData>(std::move(read));
      });
  const std::string type = runfiles::TypeLetter(section);
  if (std::holds_alternative<runfiles::UnknownSectionType>(section)) {
    FailAt(sezi, 1,
           "section type '" + type +
               "' is not one that quilex verifies (R, T, C, D or P): nothing to draw");
  }
  const bool polygon = std::holds_alternative<PolygonSection>(section);
  const bool contour = polygon || std::holds_alternative<RectangleWithBars>(section);

  const RunResults results = ReadRunResults(risu);
  if (results.biaxial != contour || results.radial != polygon) {
    FailAt(risu, 1,
           std::string("these are the results of a ") +
               (results.radial    ? "type-P"
                : results.biaxial ? "type-D"
                                  : "type-R, T or C") +
               " section, but sezi.txt holds a " + TypeName(type) + " section: run quilex again");
  }
  if (contour && results.no_resisting_moment_line != 0) {
    FailAt(risu, results.no_resisting_moment_line,
           "Mrd = 0: the last run found no resisting moment and so wrote no moment contour "
           "(domplot.txt holds an earlier run's points, or none); nothing to draw");
  }

  const DesignActions actions = ReadInput(slu, 13, "the actions", [&](textio::InputFile& unit) {
    DesignActions read;
    if (contour) {
      read.biaxial = runfiles::ReadBiaxialActions(unit);
      read.Ned = read.biaxial.Ned;
    } else {
      read.uniaxial = runfiles::ReadActions(unit);
      read.Ned = read.uniaxial.Ned;
    }
    for (const double value : {read.Ned * kKilo, read.uniaxial.Med * kMega, read.biaxial.Mx * kMega,
                               read.biaxial.My * kMega}) {
      if (std::fabs(value) > kLargestDrawable) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%g", value);
        FailAt(slu, 1,
               std::string("an action of ") + shown + " kN or kN\u00B7m is too large to draw");
      }
    }
    return read;
  });
  const runfiles::MaterialNames materials =
      ReadInput(mate, 12, "the materials",
                [](textio::InputFile& unit) { return runfiles::ReadMaterialNames(unit); });

  DomainPlot plot;
  plot.kind = contour ? PlotKind::MomentContour : PlotKind::InteractionDomain;
  // The file's form first (its messages name what is wrong), then that it is this run's.
  ReadDomainPoints(domplot, contour ? kContourPoints : kDomainPoints, type);
  RequireOneRun(folder);
  const ExactRun exact = ExactRunOf(mate, section, materials, actions.uniaxial, actions.biaxial);
  plot.boundary = exact.boundary;

  const bool no_resisting_moment = results.no_resisting_moment_line != 0;
  // The picture is of bending: its verdict is the bending part of the library's.
  const bool bending_verified = exact.verdict.bending.empty();
  // Resisted, yet with no ratio to compare: the design point lies outside the domain at Ned.
  const bool outside = !bending_verified && !exact.verdict.rho_M;
  // A value as printed, or from the exact number where its field could not print it.
  const auto shown = [&](const std::string& label, double value) {
    return results.value(label) ? results.text(label) : Fixed(value, 2);
  };
  const std::string rho_text = "rho_M = " + shown("rho_M", exact.rho_M.value_or(999.99));
  const std::string ned_text = "Ned = " + Fixed(actions.Ned * kKilo, 2) + " kN";
  // The moments resisted at Ned, when the run wrote that the design point lies outside them.
  const std::optional<std::pair<double, double>> outside_range =
      results.outside_domain_line != 0 ? exact.moments_at_Ned : std::nullopt;

  // The texts of an M-N domain whose design moment is M, named as the labels name it.
  const auto domain_texts = [&](double M, const char* name, bool no_resisting) {
    return DomainTexts{.ned_text = ned_text,
                       .minus_Ned = -actions.Ned * kKilo,
                       .M = M,
                       .moment_name = name,
                       .no_resisting_moment = no_resisting,
                       .Mrd = exact.Mrd,
                       .Mrd_text = shown("Mrd", exact.Mrd),
                       .rho_text = rho_text,
                       .verified = bending_verified,
                       .outside = outside,
                       .outside_range = outside_range};
  };
  const auto [shape_text, bars_text] = SectionTexts(section, MaterialText(materials));
  plot.title_lines.push_back(shape_text);
  plot.title_lines.push_back(bars_text);
  if (!contour) {
    plot.document_title = "Quilex: M-N interaction domain of a " + TypeName(type) + " section";
    DescribeDomain(plot, domain_texts(actions.uniaxial.Med * kMega, "Med", no_resisting_moment));
  } else {
    plot.document_title =
        "Quilex: resisting moments of a " + TypeName(type) + " section at " + ned_text;
    plot.x_title = "Mx (kN\u00B7m)";
    plot.y_title = "My (kN\u00B7m)";
    plot.boundary_legend =
        "moments the section resists at " + ned_text + " (ultimate limit state, every direction)";
    plot.design = {actions.biaxial.Mx * kMega, actions.biaxial.My * kMega};
    plot.design_label =
        "Ed: Mx = " + Fixed(plot.design.x, 2) + ", My = " + Fixed(plot.design.y, 2) + " kN\u00B7m";
    // A run without a resisting moment was refused above; Mrd is a magnitude here.
    plot.verified = bending_verified;
    if (outside_range) {
      // Along the direction of the design moment (that of Mx alone for a zero moment).
      const double magnitude = std::hypot(plot.design.x, plot.design.y);
      const double ux = magnitude > 0 ? plot.design.x / magnitude : 1;
      const double uy = magnitude > 0 ? plot.design.y / magnitude : 0;
      const auto [near, far] = *outside_range;
      plot.extent = {PlotPoint{near * ux, near * uy}, PlotPoint{far * ux, far * uy}};
      plot.extent_legend = "moments resisted in the design moment's direction: " + Fixed(near, 2) +
                           " to " + Fixed(far, 2) + " kN\u00B7m (the design moment is smaller)";
    }
    plot.resisting = PlotPoint{exact.Mrdx, exact.Mrdy};
    plot.resisting_label = "Rd: Mrdx = " + shown("Mrdx", exact.Mrdx) +
                           ", Mrdy = " + shown("Mrdy", exact.Mrdy) + " kN\u00B7m";
    plot.resisting_legend =
        "resisting point (Mrdx, Mrdy) in the direction of the design point, dashed from it";
    plot.title_lines.push_back(ned_text + ", Mx = " + Fixed(plot.design.x, 2) +
                               " kN\u00B7m, My = " + Fixed(plot.design.y, 2) +
                               " kN\u00B7m: Mrd = " + shown("Mrd", exact.Mrd) + " kN\u00B7m, " +
                               rho_text + ": bending " + VerdictText(plot.verified));
    plot.design_legend = "design point (Mx, My): bending " + VerdictText(plot.verified) +
                         (plot.verified ? " (rho_M \u2264 1)"
                          : outside     ? " (outside the M-N domain at this axial force)"
                                        : " (rho_M > 1)");
  }

  // The shear check apart, and the verdict of the section: both checks.
  const bool shear_verified = exact.verdict.shear.empty();
  const std::string rho_v_text = "rho_V = " + shown("rho_V", exact.rho_V.value_or(999.99));
  const std::string shear_text = contour ? "Vx = " + Fixed(actions.biaxial.Vx * kKilo, 2) +
                                               " kN, Vy = " + Fixed(actions.biaxial.Vy * kKilo, 2) +
                                               " kN: Vrdx = " + shown("Vrdx", exact.Vrdx) +
                                               " kN, Vrdy = " + shown("Vrdy", exact.Vrdy) + " kN, "
                                         : "Ved = " + Fixed(actions.uniaxial.Ved * kKilo, 2) +
                                               " kN: Vrd = " + shown("Vrd", exact.Vrd) + " kN, ";
  const auto* polygon_section = std::get_if<PolygonSection>(&section);
  if (polygon_section && !polygon_section->shear) {
    plot.title_lines.push_back("Vx = " + Fixed(actions.biaxial.Vx * kKilo, 2) +
                               " kN, Vy = " + Fixed(actions.biaxial.Vy * kKilo, 2) +
                               " kN: shear not checked (no shear data in sezi.txt): shear " +
                               VerdictText(shear_verified));
  } else {
    plot.title_lines.push_back(shear_text + rho_v_text + ": shear " + VerdictText(shear_verified));
  }
  plot.title_lines.front() += ": section " + VerdictText(exact.verdict.verified);
  if (polygon_section) {
    plot.section_drawing = DrawSection(section, exact.neutral_axis);
    // The M-N domain in the direction of the design moment, where Mrd and rho_M are taken.
    DomainPlot domain;
    domain.kind = PlotKind::InteractionDomain;
    domain.boundary = exact.domain;
    const double M = std::hypot(plot.design.x, plot.design.y);
    const double angle =
        M > 0 ? std::atan2(plot.design.y, plot.design.x) * 180 / std::numbers::pi : 0;
    domain.title_lines.push_back("M-N domain in the direction of the design moment, " +
                                 Fixed(angle, 2) + "\u00B0 from the x axis");
    // A run without a resisting moment was refused above.
    DescribeDomain(domain, domain_texts(M, "M", false));
    plot.charts_below.push_back(std::move(domain));
  }

  std::error_code error;
  if (fs::exists(table, error)) {
    plot.combinations = ReadCombinationTable(table, contour);
    if (contour) PlaceOnTheDrawnContour(plot.boundary, plot.combinations);
    plot.governing = GoverningCombination(plot.combinations);
    std::size_t bending = 0, shear = 0;
    for (const CombinationPoint& row : plot.combinations) {
      bending += row.bending_verified ? 1 : 0;
      shear += row.shear_verified ? 0 : 1;
    }
    const std::size_t count = plot.combinations.size();
    plot.combinations_legend = std::to_string(count) +
                               (count == 1 ? " load combination: " : " load combinations: ") +
                               std::to_string(bending) + " verified in bending (green), " +
                               std::to_string(count - bending) + " not (red)";
    // Each row was verified at its own Ned, against its own contour: drawn at its ratio of
    // this one, a row lies inside it exactly when its bending is verified.
    if (contour) {
      plot.combinations_note =
          "each drawn at its rho_M of this contour's reach in its moment's direction";
    }
    plot.shear_legend = shear == 0 ? std::string("all of them verified in shear")
                                   : std::to_string(shear) + " of them not verified in shear";
    plot.shear_legend += " (a square marks a shear failure)";
    if (plot.governing) {
      const CombinationPoint& row = plot.combinations[*plot.governing];
      plot.governing_legend =
          "governing combination for bending: " + row.name +
          (row.ratio ? ", rho_M = " + Fixed(row.rho_M, 2) : std::string(", no bending ratio"));
    }
  }
  return plot;
}

}  // namespace quilex::plot
