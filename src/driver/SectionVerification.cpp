#include "driver/SectionVerification.hpp"

#include <cmath>

#include "driver/ResultFiles.hpp"
#include "driver/RunConstants.hpp"
#include "flexure/QuilexCircSLU.hpp"
#include "flexure/QuilexRettSLU.hpp"
#include "flexure/QuilexTSLU.hpp"
#include "flexure/StrainModel.hpp"
#include "shear/QuilexC.hpp"
#include "shear/QuilexRT.hpp"

namespace quilex::driver {
namespace {

constexpr int kSweepSteps = 50;

constexpr textio::ParsedFormat kPointFormat = "(f8.2,1x,f8.2)";
// clang-format off
constexpr std::string_view kResultsFormat = "('Mrd     = ',f8.2,/,                                              'rho_M   = ',f8.2,/,                                              'Vrd     = ',f8.2,/,                                              'rho_V   = ',f8.2,/,                                              'epsilon = ',f8.2,/,                                              'campo   = ',i2)";
// clang-format on

}  // namespace

ShapeRow MakeShapeRow(const SectionData& section, const MaterialSet& m, double Ned,
                      textio::OutputUnit& risu) {
  const Stirrups& s = section.stirrups;
  ShapeRow row;
  switch (section.SectionType[0]) {
    case 'R': {
      const RectSection& r = section.R;
      row.solver = [&risu, &r, &m](double N, int mode) {
        return flexure::RectSolver(risu, kStrips, r, m, N, mode, kTolerance, kMaxIterations);
      };
      row.shear = [&risu, &r, &s, &m, Ned] {
        return shear::ShearCheckRT(risu, r.B, r.H, r.c, s.Asw, s.nb, s.st, kStrutAngle, m.fyd,
                                   m.fcd, m.nu, Ned);
      };
      row.d = r.H - r.c;
      row.offer = flexure::kRectOffer;
      break;
    }
    case 'T': {
      const TSection& t = section.T;
      row.solver = [&risu, &t, &m](double N, int mode) {
        return flexure::TSolver(risu, kStrips, t, m, N, mode, kTolerance, kMaxIterations);
      };
      row.shear = [&risu, &t, &s, &m, Ned] {
        return shear::ShearCheckRT(risu, t.BiNf, t.HiNf + t.HsUp, t.c, s.Asw, s.nb, s.st,
                                   kStrutAngle, m.fyd, m.fcd, m.nu, Ned);
      };
      row.d = t.HiNf + t.HsUp - t.c;
      row.offer = flexure::kTOffer;
      break;
    }
    default: {
      const CircSection& c = section.C;
      row.solver = [&risu, &c, &m](double N, int mode) {
        return flexure::CircSolver(risu, kStrips, c, m, N, mode, kTolerance, kMaxIterations);
      };
      row.shear = [&risu, &c, &s, &m, Ned] {
        return shear::ShearCheckC(risu, c.D, c.c, s.Asw, s.nb, s.st, kStrutAngle, m.fyd, m.fcd,
                                  m.nu, Ned);
      };
      row.d = c.D - c.c;
      row.offer = flexure::kCircOffer;
      break;
    }
  }
  return row;
}

SectionResult VerifySection(const ShapeRow& shape, const MaterialSet& m, const Actions& actions,
                            textio::OutputUnit& risu_mn) {
  const double Ned = actions.Ned;
  const double Med = actions.Med;
  SectionResult result;
  // Modes 50-53 for a positive (or zero) moment, 60-63 for a negative one.
  const int k = Med >= 0 ? 53 : 63;
  result.Mrd = shape.solver(Ned, k - 3);
  const double depth = shape.solver(Ned, k - 2);
  if (result.Mrd != 0) {
    result.rho_M = Med / result.Mrd;
    result.epsilon = depth / shape.d;
  } else {
    result.rho_M = kNoRatio;
    result.epsilon = 0;
  }
  const double t1 = shape.solver(Ned, k - 1);
  const double es = shape.solver(Ned, k);
  result.campo = flexure::CampoNumber(t1, Med, es, m.fyd / m.Es);
  result.Vrd = shape.shear();
  result.rho_V = result.Vrd != 0 ? std::fabs(actions.Ved / result.Vrd) : kNoRatio;

  risu_mn.WriteFormatted(kResultsFormat, {result.Mrd * 1e-6, result.rho_M, result.Vrd * 0.001,
                                          result.rho_V, result.epsilon, result.campo});
  if (result.Mrd == 0) risu_mn.WriteFormatted(kNoResistingMomentFormat);
  if (result.Vrd == 0) risu_mn.WriteFormatted(kNoShearResistanceFormat);
  return result;
}

void SweepDomain(const ShapeRow& shape, double Ned, textio::OutputUnit& domplot) {
  const double Nc = shape.solver(Ned, 20);
  const double Mc = shape.offer.boundary_moments ? shape.solver(Ned, 21) : 0.0;
  const double Ns = shape.solver(Ned, 10);
  const double Ms = shape.offer.boundary_moments ? shape.solver(Ned, 11) : 0.0;
  const double s = (std::fabs(Nc) + Ns) / kSweepSteps;
  const auto point = [&domplot](double N, double M) {
    domplot.WriteFormatted(kPointFormat, {-N * 0.001, M * 1e-6});
  };

  point(Nc, Mc);
  // The running force is stepped by repeated addition, as the plotted points always were.
  double N = Nc;
  for (int k = 1; k < kSweepSteps; ++k) {
    N = N + s;
    point(N, shape.solver(N, 50));
  }
  point(Ns, Ms);
  N = Ns;
  for (int k = 1; k < kSweepSteps; ++k) {
    N = N - s;
    point(N, shape.solver(N, 60));
  }
  point(Nc, Mc);
}

}  // namespace quilex::driver
