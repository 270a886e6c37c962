#include "report/CalculationReport.hpp"

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "plot/DomainPicture.hpp"
#include "plot/FileText.hpp"
#include "plot/RunFolder.hpp"
#include "plot/SectionDrawing.hpp"
#include "quilex/materials.hpp"
#include "quilex/verdict.hpp"
#include "quilex/verification.hpp"
#include "quilex/version.hpp"
#include "runfiles/Csv.hpp"
#include "runfiles/Governing.hpp"
#include "runfiles/InputFiles.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::report {
namespace fs = std::filesystem;
namespace {

using plot::Compact;
using plot::Fixed;

std::string Html(std::string_view text) {
  return plot::XmlEscaped(text);
}
std::string kN(double newton) {
  return Fixed(newton * 1e-3, 2) + " kN";
}
std::string kNm(double newton_mm) {
  return Fixed(newton_mm * 1e-6, 2) + " kN\u00B7m";
}
std::string Mpa(double value) {
  return Fixed(value, 2) + " N/mm\u00B2";
}
std::string PerMille(double strain) {
  return Fixed(strain * 1000, 3) + " \u2030";
}
std::string VerdictWord(bool verified) {
  return verified ? "<span class=\"ok\">verified</span>"
                  : "<span class=\"fail\">not verified</span>";
}
std::string Trimmed(const std::string& text) {
  return std::string(plot::Trim(text));
}

// The styles: screen and print alike, A4 with its margins when printed.
constexpr const char* kStyle = R"(
@page { size: A4; margin: 16mm 15mm 18mm 15mm;
        @bottom-left { content: "Quilex calculation report"; font-size: 8pt; color: #505050; }
        @bottom-right { content: "page " counter(page) " of " counter(pages); font-size: 8pt;
                        color: #505050; } }
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 10pt; color: #202020;
       max-width: 180mm; margin: 0 auto; padding: 8mm 0; line-height: 1.35; }
h1 { font-size: 15pt; margin: 0 0 2mm; }
h2 { font-size: 12pt; margin: 6mm 0 2mm; border-bottom: 1px solid #999; padding-bottom: 1mm;
     break-after: avoid; }
table { border-collapse: collapse; margin: 1mm 0 2mm; }
table:not(.rows) { break-inside: avoid; }
thead { display: table-header-group; }
th, td { text-align: left; padding: 0.6mm 2.5mm 0.6mm 0; vertical-align: top; }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }
table.rows { width: 100%; }
table.rows th, table.rows td { border-bottom: 1px solid #ddd; padding: 0.3mm 0.8mm; font-size: 6.5pt;
                               overflow-wrap: anywhere; }
table.rows tr { break-inside: avoid; }
tr.governing td { font-weight: bold; background: #f0f0f0; }
pre { font-size: 9pt; background: #f6f6f6; padding: 2mm; margin: 1mm 0; white-space: pre-wrap;
      overflow-wrap: anywhere; }
.meta { color: #505050; }
.verdict { font-size: 12pt; font-weight: bold; margin: 3mm 0; padding: 2mm 3mm;
           border: 1.5px solid #202020; break-inside: avoid; }
.ok { color: #1a6a33; font-weight: bold; }
.fail { color: #b2182b; font-weight: bold; }
.check { margin: 1mm 0 3mm; break-inside: avoid; }
.check p { margin: 0.6mm 0; }
.figure { break-inside: avoid; margin: 2mm 0; }
.figure svg { max-width: 100%; height: auto; }
.section-drawing { display: flex; gap: 6mm; align-items: flex-start; break-inside: avoid; }
.section-drawing .figure { flex: 0 0 62mm; }
.section-drawing .figure svg { width: 100%; }
ol.refs li { margin: 0.4mm 0; }
footer { margin-top: 6mm; font-size: 8pt; color: #505050; }
)";

struct CodeText {
  const char* code;
  const char* stands_for;
};
constexpr CodeText kCodes[] = {
    {"IT", "Italy: NTC 2018, whose rules for sections follow EN 1992-1-1"},
    {"DE", "Germany: DIN EN 1992-1-1 with its national annex"},
    {"FR", "France: NF EN 1992-1-1 with its national annex"},
    {"NE", "the Netherlands: NEN-EN 1992-1-1 with its national annex"},
    {"UK", "the United Kingdom: BS EN 1992-1-1 with its national annex"},
    {"DK", "Denmark: DS/EN 1992-1-1 with its national annex"},
};
std::string CodeStandsFor(const std::string& code) {
  for (const CodeText& entry : kCodes) {
    if (code == entry.code) return entry.stands_for;
  }
  return "";
}

// The inputs as the run read them.
struct RunData {
  runfiles::SectionData section;
  runfiles::MaterialNames names;
  MaterialDerivation materials;
  Actions actions;
  BiaxialActions biaxial;
  bool is_biaxial = false;
};

RunData ReadRunData(const fs::path& folder) {
  const auto input = [&](int number, const char* name) {
    const std::optional<std::string> content = plot::ReadWholeFile(folder / name);
    if (!content) plot::Fail(folder / name, "cannot be read");
    return textio::InputFile(number, name, *content);
  };
  textio::InputFile sezi = input(11, "sezi.txt");
  textio::InputFile mate = input(12, "mate.txt");
  textio::InputFile slu = input(13, "slu-max.txt");
  RunData data;
  try {
    const auto read = runfiles::ReadRunInputs(
        [&](int number) -> textio::InputFile& { return number == 11 ? sezi : mate; }, false);
    // quilex-plot has read the folder already and refused what a run cannot verify; a
    // problem here would mean the inputs changed since.
    if (const auto* problem = std::get_if<runfiles::DataProblem>(&read)) {
      plot::Fail(folder / problem->where.file, runfiles::AttentionLine(*problem));
    }
    const auto& inputs = std::get<runfiles::RunInputs>(read);
    data.section = inputs.section;
    data.names = inputs.names;
    data.is_biaxial = std::holds_alternative<RectangleWithBars>(data.section) ||
                      std::holds_alternative<PolygonSection>(data.section);
    if (data.is_biaxial) {
      data.biaxial = runfiles::ReadBiaxialActions(slu);
    } else {
      data.actions = runfiles::ReadActions(slu);
    }
  } catch (const textio::InputFailure& failure) {
    if (failure.line() == 0)
      plot::Fail(folder / failure.file(), "cannot be read: " + failure.cause());
    plot::FailAt(folder / failure.file(), failure.line(), "cannot be read: " + failure.cause());
  }
  data.materials =
      DeriveMaterials(data.names.design_code, data.names.steel_grade, data.names.concrete_class);
  return data;
}

void Row(std::string& out, const std::string& name, const std::string& value,
         const std::string& note = "") {
  out +=
      "<tr><th>" + name + "</th><td>" + value + "</td><td class=\"meta\">" + note + "</td></tr>\n";
}

std::string SectionTable(const runfiles::SectionData& section) {
  std::string out = "<table>\n";
  const std::string mm = " mm", mm2 = " mm\u00B2";
  const auto stirrups = [&](const Stirrups& s) {
    Row(out, "Stirrups",
        std::to_string(s.nb) + " legs of " + Compact(s.Asw) + mm2 + " every " + Compact(s.st) + mm,
        "vertical, of the longitudinal steel's grade");
  };
  std::visit(
      runfiles::Overloaded{
          [&](const RectangularSection& r) {
            Row(out, "Type", "R: rectangle with a top and a bottom layer");
            Row(out, "B \u00D7 H", Compact(r.B) + " \u00D7 " + Compact(r.H) + mm);
            Row(out, "c", Compact(r.c) + mm, "from each face to the axis of its layer");
            Row(out, "As top, bottom", Compact(r.As_top) + ", " + Compact(r.As_bottom) + mm2);
            stirrups(r.stirrups);
          },
          [&](const TSection& t) {
            Row(out, "Type", "T: a flange block on a web block");
            Row(out, "Flange BsUp \u00D7 HsUp",
                Compact(t.BsUp) + " \u00D7 " + Compact(t.HsUp) + mm);
            Row(out, "Web BiNf \u00D7 HiNf", Compact(t.BiNf) + " \u00D7 " + Compact(t.HiNf) + mm);
            Row(out, "c", Compact(t.c) + mm, "from each face to the axis of its layer");
            Row(out, "As top, bottom", Compact(t.As_top) + ", " + Compact(t.As_bottom) + mm2);
            stirrups(t.stirrups);
          },
          [&](const CircularSection& c) {
            Row(out, "Type", "C: circle with bars evenly spaced on a concentric circle");
            Row(out, "D", Compact(c.D) + mm);
            Row(out, "c", Compact(c.c) + mm, "from the surface to the bar axes");
            Row(out, "Bars", std::to_string(c.nF) + " \u00D8 " + Compact(c.Df) + mm,
                "the first at the bottom");
            stirrups(c.stirrups);
          },
          [&](const RectangleWithBars& d) {
            Row(out, "Type", "D: rectangle with individually placed bars, biaxial bending");
            Row(out, "B \u00D7 H", Compact(d.B) + " \u00D7 " + Compact(d.H) + mm,
                "x along B, y along H, from the centre");
            double total = 0;
            for (const Bar& bar : d.bars)
              total += bar.area;
            Row(out, "Bars",
                std::to_string(d.bars.size()) + ", " + Compact(total) + mm2 + " in all");
            const BiaxialStirrups& s = d.stirrups;
            Row(out, "Stirrups",
                std::to_string(s.nbx) + " legs along x, " + std::to_string(s.nby) +
                    " along y, of " + Compact(s.Asw) + mm2 + " every " + Compact(s.st) + mm);
          },
          [&](const PolygonSection& p) {
            Row(out, "Type", "P: polygon section with individually placed bars, biaxial bending");
            std::size_t vertices = 0;
            for (const auto& ring : p.outlines)
              vertices += ring.size();
            for (const auto& ring : p.holes)
              vertices += ring.size();
            Row(out, "Concrete",
                std::to_string(p.outlines.size()) + " outline(s), " +
                    std::to_string(p.holes.size()) + " hole(s), " + std::to_string(vertices) +
                    " vertices",
                "the bars displace the concrete they occupy (net section)");
            Row(out, "Moments about",
                p.reference
                    ? "(" + Compact(p.reference->x) + ", " + Compact(p.reference->y) + ")" + mm
                    : std::string("the centroid of the gross concrete"));
            double total = 0;
            for (const Bar& bar : p.bars)
              total += bar.area;
            Row(out, "Bars",
                std::to_string(p.bars.size()) + ", " + Compact(total) + mm2 + " in all");
            if (p.shear) {
              const PolygonShear& v = *p.shear;
              const BiaxialStirrups& st = v.stirrups;
              Row(out, "Stirrups",
                  std::to_string(st.nbx) + " legs along x, " + std::to_string(st.nby) +
                      " along y, of " + Compact(st.Asw) + mm2 + " every " + Compact(st.st) + mm);
              Row(out, "Webs",
                  "bx = " + Compact(v.bx) + ", dx = " + Compact(v.dx) + "; by = " + Compact(v.by) +
                      ", dy = " + Compact(v.dy) + mm,
                  "given: the outline alone does not give them");
            } else {
              Row(out, "Shear data", "none: shear is not checked");
            }
          },
          [](const runfiles::UnknownSectionType&) {}},
      section);
  out += "</table>\n";
  const std::vector<Bar>* bars = nullptr;
  if (const auto* d = std::get_if<RectangleWithBars>(&section)) bars = &d->bars;
  if (const auto* p = std::get_if<PolygonSection>(&section)) bars = &p->bars;
  if (bars != nullptr && !bars->empty()) {
    out +=
        "<table class=\"rows\"><tr><th class=\"n\">bar</th><th class=\"n\">x (mm)</th>"
        "<th class=\"n\">y (mm)</th><th class=\"n\">area (mm\u00B2)</th></tr>\n";
    for (std::size_t k = 0; k < bars->size(); ++k) {
      const Bar& bar = (*bars)[k];
      out += "<tr><td class=\"n\">" + std::to_string(k + 1) + "</td><td class=\"n\">" +
             Fixed(bar.x, 2) + "</td><td class=\"n\">" + Fixed(bar.y, 2) + "</td><td class=\"n\">" +
             Fixed(bar.area, 2) + "</td></tr>\n";
    }
    out += "</table>\n";
  }
  return out;
}

std::string MaterialsTable(const RunData& data) {
  const MaterialDerivation& m = data.materials;
  const MaterialSet& d = m.design;
  const std::string code = Trimmed(data.names.design_code);
  std::string out = "<table>\n";
  Row(out, "Design code", Html(code) + ": " + CodeStandsFor(code),
      "the model of EN 1992-1-1 with this code's factors (method, section 8)");
  Row(out, "Concrete", Html(Trimmed(data.names.concrete_class)),
      "fck = " + Mpa(m.fck) + ", \u03B3c = " + Fixed(m.gamma_c, 2) +
          ", \u03B1cc = " + Fixed(m.alpha_cc, 2) + " (long-term effects)");
  Row(out, "fcd",
      "\u03B1cc \u00B7 fck / \u03B3c = " + Fixed(m.alpha_cc, 2) + " \u00B7 " + Fixed(m.fck, 2) +
          " / " + Fixed(m.gamma_c, 2) + " = " + Mpa(d.fcd),
      "EN 1992-1-1 3.1.6(1), eq. (3.15)");
  Row(out, "Concrete law",
      "parabola-rectangle, exponent 2; \u03B5c2 = " + PerMille(d.eps_c2) +
          ", \u03B5cu2 = " + PerMille(d.eps_cu),
      "3.1.7, Figure 3.3; strains of Table 3.1");
  Row(out, "\u03BD", Fixed(d.nu, 2), "strength reduction of concrete cracked in shear");
  Row(out, "Steel", Html(Trimmed(data.names.steel_grade)),
      "fyk = " + Mpa(m.fyk) + ", \u03B3s = " + Fixed(m.gamma_s, 2) + ", ductility class " +
          std::string(1, m.ductility_class));
  Row(out, "fyd",
      "fyk / \u03B3s = " + Fixed(m.fyk, 2) + " / " + Fixed(m.gamma_s, 2) + " = " + Mpa(d.fyd),
      "horizontal top branch, 3.2.7, Figure 3.8");
  Row(out, "Es, \u03B5ud",
      Fixed(d.Es, 0) + " N/mm\u00B2, \u03B5ud = 0.9 \u03B5uk = " + PerMille(d.eps_ud),
      "3.2.7(2), Annex C");
  out += "</table>\n";
  if (m.fck > kHighStrengthConcrete) {
    out +=
        "<p class=\"fail\">Above C50/60 EN 1992-1-1 gives the parabola an exponent below 2: "
        "the resistances under compression are higher than its law gives (method, "
        "section 3).</p>\n";
  }
  return out;
}

std::string ActionsTable(const RunData& data) {
  std::string out = "<table>\n";
  if (data.is_biaxial) {
    const BiaxialActions& a = data.biaxial;
    Row(out, "Ned", kN(a.Ned), "axial force, tension positive");
    Row(out, "Mx", kNm(a.Mx), "positive when it compresses the side y &gt; 0");
    Row(out, "My", kNm(a.My), "positive when it compresses the side x &gt; 0");
    Row(out, "Vx, Vy", kN(a.Vx) + ", " + kN(a.Vy));
  } else {
    const Actions& a = data.actions;
    Row(out, "Ned", kN(a.Ned), "axial force, tension positive, at the reference point");
    Row(out, "Med", kNm(a.Med), "positive when it compresses the top face");
    Row(out, "Ved", kN(a.Ved));
  }
  out += "</table>\n";
  return out;
}

struct Unit {
  const char* label;
  const char* unit;
  const char* meaning;
};
constexpr Unit kUnits[] = {
    {"Mrd", "kN\u00B7m", "resisting moment at Ned (D, P: in the direction of the acting moment)"},
    {"Mrdx", "kN\u00B7m", "its component about x"},
    {"Mrdy", "kN\u00B7m", "its component about y"},
    {"rho_M", "", "Med / Mrd at constant Ned"},
    {"MRx", "kN\u00B7m", "resistance to Mx alone at Ned"},
    {"MRy", "kN\u00B7m", "resistance to My alone at Ned"},
    {"Vrd", "kN", "shear resistance"},
    {"Vrdx", "kN", "shear resistance along x"},
    {"Vrdy", "kN", "shear resistance along y"},
    {"rho_V", "", "shear utilisation"},
    {"epsilon", "", "neutral-axis depth / effective depth"},
    {"alpha", "\u00B0", "inclination of the neutral axis to x"},
    {"campo", "", "strain field at failure (1 to 6)"},
    {"rho_rad", "", "radial ratio: Ned, Mx and My scaled together to the resistance surface"},
};

std::string ResultsBlock(const fs::path& folder) {
  const plot::RunResults results = plot::ReadRunResults(folder / "risu-MN.txt");
  std::string out =
      "<table>\n<tr><th>result</th><th class=\"n\">value</th><th>unit</th>"
      "<th>meaning</th></tr>\n";
  for (std::size_t k = 0; k < results.values.size() && k < results.texts.size(); ++k) {
    const std::string& label = results.values[k].first;
    const Unit* unit = nullptr;
    for (const Unit& known : kUnits) {
      if (label == known.label) unit = &known;
    }
    out += "<tr><td>" + Html(label) + "</td><td class=\"n\">" + Html(results.texts[k]) +
           "</td><td>" + (unit ? unit->unit : "") + "</td><td class=\"meta\">" +
           (unit ? unit->meaning : "") + "</td></tr>\n";
  }
  out += "</table>\n";
  const std::optional<std::string> text = plot::ReadWholeFile(folder / "risu-MN.txt");
  out += "<p class=\"meta\">risu-MN.txt as the run wrote it:</p>\n<pre>";
  for (const std::string& line : plot::SplitLines(text.value_or(""))) {
    out += Html(line) + "\n";
  }
  out += "</pre>\n";
  return out;
}

std::string Failures(const std::vector<std::string>& conditions) {
  return conditions.empty() ? "" : " (" + Html(JoinedConditions(conditions)) + ")";
}

// A ratio against its limit 1, as the check decided on the unrounded value.
std::string Ratio(const std::optional<double>& ratio, bool verified) {
  if (!ratio) return "none (no resistance to compare)";
  return Fixed(*ratio, 2) + (verified ? " \u2264 1" : *ratio > 1 ? " &gt; 1" : "");
}

// The terms of one shear check, written out with their numbers.
std::string ShearTerms(const ShearCheck& c, double Asw, int legs, double st, const MaterialSet& m,
                       double Ned, const char* web) {
  std::string out;
  const auto line = [&](const std::string& text) { out += "<p>" + text + "</p>\n"; };
  line(std::string(web) + ": b = " + Fixed(c.b, 2) + " mm, d = " + Fixed(c.d, 2) +
       " mm; z = 0.9 d = " + Fixed(c.z, 2) + " mm (EN 1992-1-1 6.2.3(1))");
  line("\u03C3cp = Ned / A = " + Fixed(Ned * 1e-3, 2) + " kN / " + Fixed(c.area, 0) +
       " mm\u00B2 = " + Mpa(c.sigma_cp) + "; \u03B1cw = " + Fixed(c.alpha_cw, 3) +
       " (6.2.3(3), eqs. (6.11.aN)\u2013(6.11.cN))");
  line("cot \u03B8 = " + Fixed(c.cot_theta, 2) + " (strut at " +
       Fixed(std::atan(1 / c.cot_theta) * 180 / std::numbers::pi, 1) +
       "\u00B0), \u03BD = " + Fixed(c.nu, 2));
  line("VRd,s = n \u00B7 Asw / s \u00B7 z \u00B7 fyd \u00B7 cot \u03B8 = " + std::to_string(legs) +
       " \u00B7 " + Compact(Asw) + " / " + Compact(st) + " \u00B7 " + Fixed(c.z, 2) + " \u00B7 " +
       Fixed(m.fyd, 2) + " \u00B7 " + Fixed(c.cot_theta, 2) + " = " + kN(c.VRd_s) + " (eq. (6.8))");
  line(
      "VRd,max = \u03B1cw \u00B7 b \u00B7 z \u00B7 \u03BD \u00B7 fcd \u00B7 cot \u03B8 / (1 + "
      "cot\u00B2 \u03B8) = " +
      Fixed(c.alpha_cw, 3) + " \u00B7 " + Fixed(c.b, 2) + " \u00B7 " + Fixed(c.z, 2) + " \u00B7 " +
      Fixed(c.nu, 2) + " \u00B7 " + Fixed(m.fcd, 2) + " \u00B7 " + Fixed(c.cot_theta, 2) +
      " / (1 + " + Fixed(c.cot_theta, 2) + "\u00B2) = " + kN(c.VRd_max) + " (eq. (6.9))");
  return out;
}

std::string Checks(const RunData& data, Verdict& verdict) {
  const MaterialSet& m = data.materials.design;
  std::string out;
  const auto biaxial = [&](const auto& v, const BiaxialStirrups* s, const char* web_x,
                           const char* web_y) {
    const BiaxialActions& a = data.biaxial;
    verdict = VerdictOf(v);
    const bool bending = verdict.bending.empty(), shear = verdict.shear.empty();
    out += "<div class=\"check\"><h3>Biaxial bending at constant Ned</h3>\n";
    out += "<p>The acting moment M = \u221A(Mx\u00B2 + My\u00B2) = " + kNm(std::hypot(a.Mx, a.My)) +
           " in the direction of (Mx, My) = (" + Fixed(a.Mx * 1e-6, 2) + ", " +
           Fixed(a.My * 1e-6, 2) +
           ") kN\u00B7m against the contour of resisting moments at Ned = " + kN(a.Ned) +
           ": Mrd = " + kNm(v.Mrd) + " (Mrdx = " + kNm(v.Mrdx) + ", Mrdy = " + kNm(v.Mrdy) +
           ").</p>\n";
    out += "<p>rho_M = M / Mrd = " + Ratio(v.rho_M, bending) + ": bending " + VerdictWord(bending) +
           Failures(verdict.bending) + ".</p>\n";
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, PolygonVerification>) {
      out += "<p>Radial ratio (Ned, Mx and My scaled together to the resistance surface): " +
             (v.rho_radial ? Fixed(*v.rho_radial, 2) : std::string("\u2013")) +
             "; the verdict compares rho_M with 1. Concrete " + Compact(v.gross_concrete_area) +
             " mm\u00B2 gross, " + Compact(v.net_concrete_area) +
             " mm\u00B2 net of the bars.</p>\n";
    }
    if (v.alpha) {
      out += "<p>Neutral axis at " + Fixed(*v.alpha, 2) + "\u00B0 to x; epsilon = " +
             (v.epsilon ? Fixed(*v.epsilon, 2) : std::string("\u2013")) + ", campo " +
             std::to_string(v.campo) + ".</p>\n";
    }
    out += "</div>\n<div class=\"check\"><h3>Shear in both directions (45\u00B0 struts)</h3>\n";
    if (s == nullptr) {
      out += "<p>The section has no shear data: shear is not checked" +
             std::string(shear ? " (no shear force acts)" : "") + ": shear " + VerdictWord(shear) +
             Failures(verdict.shear) + ".</p>\n</div>\n";
      return;
    }
    if (v.shear_check_x)
      out += ShearTerms(*v.shear_check_x, s->Asw, s->nbx, s->st, m, a.Ned, web_x);
    out += "<p>Vrdx = min(VRd,s, VRd,max) = " + kN(v.Vrdx) + "</p>\n";
    if (v.shear_check_y)
      out += ShearTerms(*v.shear_check_y, s->Asw, s->nby, s->st, m, a.Ned, web_y);
    out += "<p>Vrdy = min(VRd,s, VRd,max) = " + kN(v.Vrdy) + "</p>\n";
    out += "<p>rho_V = \u221A((Vx / Vrdx)\u00B2 + (Vy / Vrdy)\u00B2) = " + Ratio(v.rho_V, shear) +
           ": shear " + VerdictWord(shear) + Failures(verdict.shear) + ".</p>\n</div>\n";
  };
  if (const auto* d = std::get_if<RectangleWithBars>(&data.section)) {
    biaxial(Verify(*d, m, data.biaxial), &d->stirrups, "Along x, web H", "Along y, web B");
    return out;
  }
  if (const auto* p = std::get_if<PolygonSection>(&data.section)) {
    biaxial(Verify(*p, m, data.biaxial), p->shear ? &p->shear->stirrups : nullptr,
            "Along x, web bx", "Along y, web by");
    return out;
  }
  const Actions& a = data.actions;
  const Verification v = std::visit(
      runfiles::Overloaded{
          [&](const RectangularSection& r) { return Verify(r, m, a); },
          [&](const TSection& t) { return Verify(t, m, a); },
          [&](const CircularSection& c) { return Verify(c, m, a); },
          [](const auto&) -> Verification { throw std::logic_error("not an R, T or C section"); }},
      data.section);
  verdict = VerdictOf(v);
  const bool bending = verdict.bending.empty(), shear = verdict.shear.empty();
  out += "<div class=\"check\"><h3>Bending with axial force</h3>\n";
  out +=
      "<p>Mrd is the moment of the ultimate strain plane (EN 1992-1-1 6.1, Figure 6.1) whose "
      "axial force equals Ned = " +
      kN(a.Ned) + ": Mrd = " + kNm(v.Mrd) + ".</p>\n";
  if (v.state) {
    out += "<p>Neutral axis " + Fixed(v.state->neutral_axis_depth, 2) +
           " mm below the compressed face, epsilon = " +
           (v.epsilon ? Fixed(*v.epsilon, 2) : std::string("\u2013")) + ", campo " +
           std::to_string(v.campo) + "; tension steel strain " +
           PerMille(v.state->tension_steel_strain) + ", compressed face " +
           PerMille(-v.state->compressed_face_strain) + " shortening.</p>\n";
  }
  if (v.moments_at_Ned) {
    out += "<p>At this Ned the section resists moments from " + kNm(v.moments_at_Ned->lower) +
           " to " + kNm(v.moments_at_Ned->upper) + ".</p>\n";
  }
  out += "<p>Med = " + kNm(a.Med) + " against Mrd = " + kNm(v.Mrd) +
         ": rho_M = Med / Mrd = " + Ratio(v.rho_M, bending) + ": bending " + VerdictWord(bending) +
         Failures(verdict.bending) + ".</p>\n</div>\n";
  out += "<div class=\"check\"><h3>Shear (45\u00B0 struts)</h3>\n";
  const Stirrups& s =
      std::visit(runfiles::Overloaded{
                     [](const RectangularSection& r) -> const Stirrups& { return r.stirrups; },
                     [](const TSection& t) -> const Stirrups& { return t.stirrups; },
                     [](const CircularSection& c) -> const Stirrups& { return c.stirrups; },
                     [](const auto&) -> const Stirrups& {
                       throw std::logic_error("not an R, T or C section");
                     }},
                 data.section);
  const char* web = std::holds_alternative<CircularSection>(data.section)
                        ? "Equivalent rectangle of the circle"
                    : std::holds_alternative<TSection>(data.section) ? "The web"
                                                                     : "The rectangle";
  if (v.shear_check) out += ShearTerms(*v.shear_check, s.Asw, s.nb, s.st, m, a.Ned, web);
  out += "<p>Vrd = min(VRd,s, VRd,max) = " + kN(v.Vrd) + "; |Ved| = " + kN(std::fabs(a.Ved)) +
         ": rho_V = |Ved| / Vrd = " + Ratio(v.rho_V, shear) + ": shear " + VerdictWord(shear) +
         Failures(verdict.shear) + ".</p>\n</div>\n";
  return out;
}

// Every row of risu-combinations.csv as written, the governing ones marked.
std::string CombinationsTable(const fs::path& file, const plot::DomainPlot& plot) {
  const std::optional<std::string> text = plot::ReadWholeFile(file, std::size_t{64} << 20);
  if (!text) return "";
  runfiles::CsvReader reader(*text);
  std::vector<runfiles::CsvField> fields;
  if (!reader.ReadHeader(fields)) return "";
  std::vector<std::string> header;
  std::size_t rho_V_column = fields.size();
  for (std::size_t k = 0; k < fields.size(); ++k) {
    header.push_back(fields[k].Text());
    if (runfiles::Lowercase(header.back()) == "rho_v") rho_V_column = k;
  }
  std::vector<std::vector<std::string>> rows;
  std::optional<std::size_t> shear_governing;
  std::optional<double> shear_ratio;
  while (reader.Next(fields)) {
    std::vector<std::string> row;
    for (const runfiles::CsvField& field : fields)
      row.push_back(field.Text());
    if (rho_V_column < row.size()) {
      // 999.99 is the table's ratio over a zero resistance: no ratio to compare.
      std::optional<double> ratio = plot::ParseNumber(row[rho_V_column]);
      if (ratio && *ratio == 999.99) ratio.reset();
      if (runfiles::Governs(ratio, shear_governing ? &shear_ratio : nullptr)) {
        shear_governing = rows.size();
        shear_ratio = ratio;
      }
    }
    rows.push_back(std::move(row));
  }
  std::string out = "<p>" + std::to_string(rows.size()) +
                    " load combinations from risu-combinations.csv, as quilex-combos wrote them "
                    "(kN, kN\u00B7m). In bold the governing ones, by the rule of its console: ";
  out += plot.governing ? "bending: " + Html(plot.combinations[*plot.governing].name) : "";
  out += shear_governing ? std::string(plot.governing ? "; " : "") +
                               "shear: " + Html(rows[*shear_governing].front())
                         : "";
  out += ".</p>\n<table class=\"rows\"><thead><tr><th></th>";
  for (const std::string& name : header)
    out += "<th>" + Html(name) + "</th>";
  out += "</tr></thead>\n";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    std::string mark;
    if (plot.governing && *plot.governing == r) mark += "M";
    if (shear_governing && *shear_governing == r) mark += "V";
    out +=
        std::string(mark.empty() ? "<tr>" : "<tr class=\"governing\">") + "<td>" + mark + "</td>";
    for (const std::string& field : rows[r])
      out += "<td>" + Html(field) + "</td>";
    out += "</tr>\n";
  }
  out += "</table>\n<p class=\"meta\">M: governs bending; V: governs shear.</p>\n";
  return out;
}

constexpr const char* kReferences[] = {
    "EN 1992-1-1:2004, Eurocode 2: Design of concrete structures, Part 1-1: General rules and "
    "rules for buildings.",
    "2.4.2.4(1), Table 2.1N: partial factors \u03B3c, \u03B3s (persistent and transient "
    "situations).",
    "3.1.6(1)P, eq. (3.15): fcd = \u03B1cc fck / \u03B3c.",
    "3.1.7(1), Figure 3.3, eqs. (3.17), (3.18); 3.1.3, Table 3.1: the parabola-rectangle law "
    "and its strains \u03B5c2, \u03B5cu2.",
    "3.2.7(2), (4), Figure 3.8; Annex C, Table C.1: reinforcing steel, \u03B5ud = 0.9 "
    "\u03B5uk.",
    "6.1(2)P, (3)P, (5), Figure 6.1: plane sections, no tensile strength, the ultimate strain "
    "distributions.",
    "6.2.3(1)\u2013(3), eqs. (6.8), (6.9), (6.10.aN), (6.10.bN), (6.11.aN)\u2013(6.11.cN): "
    "members with shear reinforcement, z = 0.9 d, \u03B1cw, \u03BD1.",
};

}  // namespace

std::string WriteReport(const fs::path& folder, const ReportOptions& options) {
  const plot::DomainPlot plot = plot::ReadRunFolder(folder);
  const RunData data = ReadRunData(folder);
  Verdict verdict;
  const std::string checks = Checks(data, verdict);
  const std::string type = runfiles::TypeLetter(data.section);

  std::string title = "Ultimate limit state of a type-" + type + " section";
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += "<meta name=\"generator\" content=\"quilex-report " + Html(options.version) + "\">\n";
  out += "<title>" +
         Html((options.member.empty() ? "" : options.member + ": ") + "Quilex calculation report") +
         "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
  out += "<header>\n<h1>Calculation report: " + Html(title) + "</h1>\n<table>\n";
  if (!options.project.empty()) Row(out, "Project", Html(options.project));
  if (!options.member.empty()) Row(out, "Member", Html(options.member));
  Row(out, "Date", Html(options.date));
  Row(out, "Program",
      "Quilex " + Html(options.version) + ", method: docs/method.md version " +
          QUILEX_METHOD_VERSION);
  out += "</table>\n</header>\n";
  out += "<div class=\"verdict\">The section is " + VerdictWord(verdict.verified) + ": bending " +
         VerdictWord(verdict.bending.empty()) + ", shear " + VerdictWord(verdict.shear.empty()) +
         Failures(verdict.conditions()) + ".</div>\n";

  out += "<h2>1. Section</h2>\n<div class=\"section-drawing\"><div class=\"figure\">" +
         plot::DrawSection(data.section) + "</div>\n<div>" + SectionTable(data.section) +
         (std::holds_alternative<PolygonSection>(data.section)
              ? "<p class=\"meta\">Net concrete section: the bars displace the concrete they "
                "occupy. The stirrups are not drawn: a polygon section gives them as numbers.</p>"
              : "<p class=\"meta\">Gross concrete section: the bars do not displace the "
                "concrete. Stirrups are drawn dashed through the bar axes.</p>") +
         "</div></div>\n";
  out += "<h2>2. Materials</h2>\n" + MaterialsTable(data);
  out += "<h2>3. Design actions</h2>\n" + ActionsTable(data);
  out += "<h2>4. Results</h2>\n" + ResultsBlock(folder);
  out += "<h2>5. Checks</h2>\n" + checks;
  std::string picture = plot::DrawDomainPicture(plot);
  picture = picture.substr(picture.find("<svg"));
  out += "<h2>6. " +
         std::string(data.is_biaxial ? "Resisting moments at Ned" : "M-N interaction domain") +
         "</h2>\n<div class=\"figure\">" + picture + "</div>\n";
  const fs::path table = folder / "risu-combinations.csv";
  std::error_code error;
  if (fs::exists(table, error)) {
    out += "<h2>7. Load combinations</h2>\n" + CombinationsTable(table, plot);
  }
  out += "<h2>References</h2>\n<ol class=\"refs\">\n";
  for (const char* reference : kReferences)
    out += std::string("<li>") + reference + "</li>\n";
  out += "<li>Quilex, The method: what Quilex computes, and on which assumptions, version " +
         std::string(QUILEX_METHOD_VERSION) +
         " (docs/method.md; section 8 names where the database departs from the national "
         "annexes).</li>\n</ol>\n";
  out += "<footer>Made by quilex-report " + Html(options.version) + " on " + Html(options.date) +
         " from sezi.txt, mate.txt, slu-max.txt and the results quilex wrote for them."
         "</footer>\n</body>\n</html>\n";
  return out;
}

}  // namespace quilex::report
