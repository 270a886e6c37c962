#include "flexure/QuilexRettSLU.hpp"

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

SectionForces RectForces(int n, const RectSection& s, const MaterialSet& m, double t) {
  const double b = s.B, h = s.H, c = s.c;
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  double N_c = 0;
  double M_c = 0;
  for (int i = 1; i <= n; ++i) {
    const double y_i = h * (i - 0.5) / n;
    const double s_i = ConcreteStress(StrainAtDepth(h, c, y_i, t, eps_ud, eps_cu, eps_c2), m.fcd,
                                      kLawKind, m.Ecm, eps_cu, eps_c2);
    const double F_i = s_i * b * h / n;
    N_c += F_i;
    M_c += F_i * (y_i - h / 2);
  }
  const double F_1 = SteelStress(StrainAtDepth(h, c, c, t, eps_ud, eps_cu, eps_c2), m.fyd, kLawKind,
                                 m.Es, eps_ud) *
                     s.As[0];
  const double F_2 = SteelStress(StrainAtDepth(h, c, h - c, t, eps_ud, eps_cu, eps_c2), m.fyd,
                                 kLawKind, m.Es, eps_ud) *
                     s.As[1];
  return {F_2 + N_c + F_1, F_2 * ((h - c) - h / 2) + (c - h / 2) * F_1 + M_c};
}

double RectResultant(int n, const RectSection& s, const MaterialSet& m, double t, int what) {
  return SelectResultant(RectForces(n, s, m, t), what);
}

double RectSolver(textio::OutputUnit& unit, int n, const RectSection& s, const MaterialSet& m,
                  double Ned, int mode, double tol, int maxit) {
  const SectionResultant R = [&](double t) { return RectForces(n, s, m, t); };
  return RunSolverProcedure(unit, R, s.H, s.c, m, Ned, mode, tol, maxit, kRectOffer);
}

}  // namespace quilex::flexure
