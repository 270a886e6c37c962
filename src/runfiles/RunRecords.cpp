#include "runfiles/RunRecords.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quilex::runfiles {
namespace {

// A utilisation ratio over a zero resistance.
constexpr double kNoRatio = 999.99;

constexpr textio::ParsedFormat kPointFormat = "(f8.2,1x,f8.2)";
// clang-format off
constexpr textio::ParsedFormat kNoResistingMomentFormat = "('ATTENTION --> Mrd = 0 (Ned outside the M-N domain ',             'or no convergence, see risu.txt): section not verified!')";
constexpr textio::ParsedFormat kNoShearResistanceFormat = "('ATTENTION --> mean compression exceeds fcd: ',                   'shear not verified (Vrd = 0)!')";
constexpr textio::ParsedFormat kNoStirrupsFormat = "('ATTENTION --> no stirrups',a,': shear not verified (Vrd = 0)!')";
constexpr textio::ParsedFormat kNoLeverArmFormat = "('ATTENTION --> no lever arm',a,' (the bars lie on the face the shear runs from): shear not verified (Vrd = 0)!')";
constexpr textio::ParsedFormat kShearNotCheckedFormat = "('ATTENTION --> no shear data in sezi.txt: shear not checked (no shear force acts)')";
constexpr textio::ParsedFormat kShearNotCheckedActingFormat = "('ATTENTION --> no shear data in sezi.txt: shear not checked: section not verified!')";
constexpr textio::ParsedFormat kHighStrengthConcreteFormat = "('ATTENTION --> concrete above C50/60: parabola exponent 2 used where EN 1992-1-1 gives less: the resistance may be overestimated!')";
constexpr textio::ParsedFormat kOutsideDomainFormat = "('ATTENTION --> Ned and Med outside the M-N domain: at this Ned the section resists moments from ',f9.2,' to ',f9.2,' kN·m: section not verified!')";
// clang-format on

// After the results block: a design point outside the domain although rho_M is at most 1.
void WriteOutsideDomain(textio::OutputFile& risu_mn, BendingOutcome bending,
                        const std::optional<MomentRange>& range) {
  if (bending != BendingOutcome::OutsideDomain || !range) return;
  risu_mn.WriteFormatted(kOutsideDomainFormat, {range->lower * 1e-6, range->upper * 1e-6});
}

// Last: the law the numbers come from is the program's for every class.
void WriteConcreteClassWarning(textio::OutputFile& risu_mn, const MaterialSet& m) {
  if (m.fck > kHighStrengthConcrete) risu_mn.WriteFormatted(kHighStrengthConcreteFormat);
}

}  // namespace

// clang-format off
void WriteSectionEcho(textio::OutputFile& risu, const SectionData& section,
                      const MaterialNames& names) {
  const std::string type = TypeLetter(section);
  std::visit(Overloaded{
    [&](const RectangularSection& r) {
      const Stirrups& s = r.stirrups;
      risu.WriteFormatted("('Stype',8x,'B',8x,'H',8x,'c',6x,                                  'Asw',3x,'nb',7x,'st')");
      risu.WriteFormatted("(a1,5x,f8.2,1x,f8.2,1x,f8.2,1x,                                    f8.2,1x,i4,1x,f8.2,/)",
                          {type, r.B, r.H, r.c, s.Asw, s.nb, s.st});
      risu.WriteFormatted("(2f10.2,/)", {r.As_top, r.As_bottom});
    },
    [&](const TSection& t) {
      const Stirrups& s = t.stirrups;
      risu.WriteFormatted("('Stype',5x,'BiNf',5x,'HiNf',5x,                                   'BsUp',6x,'HsUp',8x,'c',6x,                                       'Asw',2x,'nb',8x,'st')");
      risu.WriteFormatted("(a1,5x,f8.2,1x,f8.2,1x,                                            f8.2,2x,f8.2,1x,f8.2,1x,                                          f8.2,1x,i3,2x,f8.2,/)",
                          {type, t.BiNf, t.HiNf, t.BsUp, t.HsUp, t.c, s.Asw, s.nb, s.st});
      risu.WriteFormatted("(2f10.2,/)", {t.As_top, t.As_bottom});
    },
    [&](const CircularSection& c) {
      const Stirrups& s = c.stirrups;
      risu.WriteFormatted("('Stype',8x,'D',8x,'c',7x,                                         'nF',7x,'Df',6x,                                                  'Asw',3x,'nb',7x,'st')");
      risu.WriteFormatted("(a1,5x,f8.2,1x,f8.2,1x,i8,1x,                                      f8.2,1x,f8.2,1x,i4,1x,f8.2,/)",
                          {type, c.D, c.c, c.nF, c.Df, s.Asw, s.nb, s.st});
    },
    [&](const RectangleWithBars& d) {
      const BiaxialStirrups& s = d.stirrups;
      const int nbar = static_cast<int>(d.bars.size());  // as read: 1 to kMaxBars
      risu.WriteFormatted("('Stype',8x,'B',8x,'H',6x,'Asw',2x,'nbx',2x,'nby',                 7x,'st',2x,'nbar',/,                                              a1,5x,f8.2,1x,f8.2,1x,f8.2,1x,i4,1x,i4,1x,f8.2,1x,i5)",
                          {type, d.B, d.H, s.Asw, s.nbx, s.nby, s.st, nbar});
      int j = 0;
      for (const Bar& bar : d.bars) {
        risu.WriteFormatted("(i5,3f10.2)", {++j, bar.x, bar.y, bar.area});
      }
    },
    [&](const PolygonSection& p) {
      const auto count = [](const auto& list) { return static_cast<int>(list.size()); };
      risu.WriteFormatted("('Stype',3x,'nout',2x,'nhole',3x,'nbar',1x,'nshear',3x,'nref',/,       a1,5x,i6,1x,i6,1x,i6,1x,i6,1x,i6)",
                          {type, count(p.outlines), count(p.holes), count(p.bars), p.shear ? 1 : 0, p.reference ? 1 : 0});
      const auto rings = [&](const std::vector<std::vector<Vertex>>& list, std::string_view kind) {
        int k = 0;
        for (const std::vector<Vertex>& ring : list) {
          risu.WriteFormatted("(a,i5,':',i6,' vertices')", {kind, ++k, count(ring)});
          int j = 0;
          for (const Vertex& v : ring) risu.WriteFormatted("(i5,2f10.2)", {++j, v.x, v.y});
        }
      };
      rings(p.outlines, "outline");
      rings(p.holes, "hole   ");
      if (!p.bars.empty()) risu.WriteFormatted("('  bar',9x,'x',9x,'y',6x,'area')");
      int j = 0;
      for (const Bar& bar : p.bars) risu.WriteFormatted("(i5,3f10.2)", {++j, bar.x, bar.y, bar.area});
      if (p.shear) {
        const PolygonShear& v = *p.shear;
        const BiaxialStirrups& s = v.stirrups;
        risu.WriteFormatted("(6x,'Asw',2x,'nbx',2x,'nby',7x,'st',7x,'bx',7x,'by',7x,'dx',7x,'dy',/,  f9.2,1x,i4,1x,i4,1x,f8.2,1x,f8.2,1x,f8.2,1x,f8.2,1x,f8.2)",
                            {s.Asw, s.nbx, s.nby, s.st, v.bx, v.by, v.dx, v.dy});
      }
      if (p.reference) {
        risu.WriteFormatted("('moments about',2f10.2)", {p.reference->x, p.reference->y});
      }
    },
    [](const UnknownSectionType&) {}}, section);
  risu.WriteFormatted("(a2,2x,a6,2x,a7,/)", {names.design_code, names.steel_grade, names.concrete_class});
}

void WriteActionsEcho(textio::OutputFile& risu, const Actions& actions) {
  const PrintedActions a = AsPrinted(actions);
  risu.WriteFormatted("('Ned = ',f8.2,/,                                                  'Med = ',f8.2,/,                                                  'Ved = ',f8.2,/)",
                      {a.Ned, a.Med, a.Ved});
}

void WriteActionsEcho(textio::OutputFile& risu, const BiaxialActions& actions) {
  const PrintedBiaxialActions a = AsPrinted(actions);
  risu.WriteFormatted("('Ned = ',f8.2,/,                                                  'Mx  = ',f8.2,/,                                                  'My  = ',f8.2,/,                                                  'Vx  = ',f8.2,/,                                                  'Vy  = ',f8.2,/)",
                      {a.Ned, a.Mx, a.My, a.Vx, a.Vy});
}

void WriteResults(textio::OutputFile& risu_mn, const Verification& v, const MaterialSet& m) {
  const PrintedResults p = AsPrinted(v);
  risu_mn.WriteFormatted("('Mrd     = ',f8.2,/,                                              'rho_M   = ',f8.2,/,                                              'Vrd     = ',f8.2,/,                                              'rho_V   = ',f8.2,/,                                              'epsilon = ',f8.2,/,                                              'campo   = ',i2)",
                         {p.Mrd, p.rho_M, p.Vrd, p.rho_V, p.epsilon, p.campo});
  if (v.Mrd == 0) risu_mn.WriteFormatted(kNoResistingMomentFormat);
  WriteOutsideDomain(risu_mn, v.bending, v.moments_at_Ned);
  if (v.Vrd == 0) {
    if (v.shear == ShearOutcome::NoStirrups) {
      risu_mn.WriteFormatted(kNoStirrupsFormat, {std::string_view()});
    } else {
      risu_mn.WriteFormatted(kNoShearResistanceFormat);
    }
  }
  WriteConcreteClassWarning(risu_mn, m);
}

namespace {

void WriteBiaxialBlock(textio::OutputFile& risu_mn, const BiaxialVerification& v) {
  const PrintedBiaxialResults p = AsPrinted(v);
  risu_mn.WriteFormatted("('Mrd     = ',f8.2,/,                                              'Mrdx    = ',f8.2,/,                                              'Mrdy    = ',f8.2,/,                                              'rho_M   = ',f8.2,/,                                              'MRx     = ',f8.2,/,                                              'MRy     = ',f8.2,/,                                              'Vrdx    = ',f8.2,/,                                              'Vrdy    = ',f8.2,/,                                              'rho_V   = ',f8.2,/,                                              'epsilon = ',f8.2,/,                                              'alpha   = ',f8.2,/,                                              'campo   = ',i2)",
                         {p.Mrd, p.Mrdx, p.Mrdy, p.rho_M, p.MRx, p.MRy, p.Vrdx, p.Vrdy, p.rho_V,
                          p.epsilon, p.alpha, p.campo});
}

void WriteBiaxialAttention(textio::OutputFile& risu_mn, const BiaxialVerification& v) {
  if (v.Mrd == 0) risu_mn.WriteFormatted(kNoResistingMomentFormat);
  WriteOutsideDomain(risu_mn, v.bending, v.moments_at_Ned);
  // Crushed struts in either direction, then the directions without stirrups, then those
  // without a lever arm.
  const auto zero = [&](ShearOutcome outcome) {
    return (v.Vrdx == 0 && v.shear_x == outcome) || (v.Vrdy == 0 && v.shear_y == outcome);
  };
  const auto directions = [&](ShearOutcome outcome) {
    const bool x = v.Vrdx == 0 && v.shear_x == outcome;
    const bool y = v.Vrdy == 0 && v.shear_y == outcome;
    return std::string_view(x && y ? " along x and y" : x ? " along x" : " along y");
  };
  if (zero(ShearOutcome::CompressionOutOfRange)) risu_mn.WriteFormatted(kNoShearResistanceFormat);
  if (zero(ShearOutcome::NoStirrups)) {
    risu_mn.WriteFormatted(kNoStirrupsFormat, {directions(ShearOutcome::NoStirrups)});
  }
  if (zero(ShearOutcome::NoLeverArm)) {
    risu_mn.WriteFormatted(kNoLeverArmFormat, {directions(ShearOutcome::NoLeverArm)});
  }
}

}  // namespace

void WriteResults(textio::OutputFile& risu_mn, const BiaxialVerification& v,
                  const MaterialSet& m) {
  WriteBiaxialBlock(risu_mn, v);
  WriteBiaxialAttention(risu_mn, v);
  WriteConcreteClassWarning(risu_mn, m);
}

// The block of a rectangle with bars, then the radial ratio; without shear data, a line
// that says shear was not checked (and that the section is not verified when a shear force
// acts).
void WriteResults(textio::OutputFile& risu_mn, const PolygonVerification& v,
                  const MaterialSet& m) {
  WriteBiaxialBlock(risu_mn, v);
  risu_mn.WriteFormatted("('rho_rad = ',f8.2)", {AsPrinted(v).rho_radial});
  WriteBiaxialAttention(risu_mn, v);
  if (!v.shear_checked()) {
    risu_mn.WriteFormatted(v.shear_acting ? kShearNotCheckedActingFormat : kShearNotCheckedFormat);
  }
  WriteConcreteClassWarning(risu_mn, m);
}
// clang-format on

// Multiplied by 0.001 and 1e-6, not divided by 1000 and 1e6 as RunLog.cpp's messages of
// an axial force outside the domain are: the two give different doubles for some values,
// and each record keeps the digits it has always printed.
PrintedActions AsPrinted(const Actions& a) {
  return {a.Ned * 0.001, a.Med * 1e-6, a.Ved * 0.001};
}

PrintedBiaxialActions AsPrinted(const BiaxialActions& a) {
  return {a.Ned * 0.001, a.Mx * 1e-6, a.My * 1e-6, a.Vx * 0.001, a.Vy * 0.001};
}

PrintedResults AsPrinted(const Verification& v) {
  return {v.Mrd * 1e-6,
          v.rho_M.value_or(kNoRatio),
          v.Vrd * 0.001,
          v.rho_V.value_or(kNoRatio),
          v.epsilon.value_or(0.0),
          v.campo};
}

// After a final search of direction that failed, alpha shows the last angle tried.
PrintedBiaxialResults AsPrinted(const BiaxialVerification& v) {
  return {v.Mrd * 1e-6,
          v.Mrdx * 1e-6,
          v.Mrdy * 1e-6,
          v.rho_M.value_or(kNoRatio),
          v.MRx.value_or(0.0) * 1e-6,
          v.MRy.value_or(0.0) * 1e-6,
          v.Vrdx * 0.001,
          v.Vrdy * 0.001,
          v.rho_V.value_or(kNoRatio),
          v.epsilon.value_or(0.0),
          v.alpha.value_or(v.last_trial_angle),
          v.campo};
}

PrintedPolygonResults AsPrinted(const PolygonVerification& v) {
  return {AsPrinted(static_cast<const BiaxialVerification&>(v)), v.rho_radial.value_or(kNoRatio)};
}

void WriteDataProblem(textio::OutputFile& risu_mn, const DataProblem& problem) {
  risu_mn.WriteFormatted("(a)", {AttentionLine(problem)});
}

void WritePoints(textio::OutputFile& domplot, const std::vector<DomainPoint>& points) {
  for (const DomainPoint& p : points)
    domplot.WriteFormatted(kPointFormat, {-p.N * 0.001, p.M * 1e-6});
}

void WritePoints(textio::OutputFile& domplot, const std::vector<MomentPoint>& points) {
  for (const MomentPoint& p : points)
    domplot.WriteFormatted(kPointFormat, {p.Mx * 1e-6, p.My * 1e-6});
}

}  // namespace quilex::runfiles
