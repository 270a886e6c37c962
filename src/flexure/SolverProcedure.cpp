#include "flexure/SolverProcedure.hpp"

#include <cmath>

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {
namespace {

constexpr std::string_view kHeaderFormat = "('Iter',4x,'Scar',12x,'Mrd')";
constexpr textio::ParsedFormat kStepFormat = "(i4,1x,e15.6,1x,e15.6)";

double FailureValue(int quantity) {
  return quantity == 0 ? 0.0 : kFailedQuantity;
}

}  // namespace

std::optional<SolverMode> DecodeSolverMode(int mode, SolverOffer offer) {
  if (mode < 10 || mode > 69) return std::nullopt;
  const int tens = mode / 10;
  const int units = mode % 10;
  if (tens <= 2) {
    if (units > 1 || (units == 1 && !offer.boundary_moments)) return std::nullopt;
    return SolverMode{tens == 1 ? Problem::PureTension : Problem::PureCompression, units};
  }
  if (units > 7 || (units == 7 && !offer.curvature)) return std::nullopt;
  constexpr Problem kSearches[] = {Problem::BendingPositive, Problem::BendingNegative,
                                   Problem::AxialPositive, Problem::AxialNegative};
  return SolverMode{kSearches[tens - 3], units};
}

double RunSolverProcedure(textio::OutputUnit& unit, const SectionResultant& R, double h, double c,
                          const MaterialSet& m, double Ned, int mode, double tol, int maxit,
                          SolverOffer offer) {
  const SectionForces tension = R(0);
  const SectionForces compression = R(5);
  const double Ns = tension.N;
  const double Nc = compression.N;

  const std::optional<SolverMode> decoded = DecodeSolverMode(mode, offer);
  if (!decoded) return kFailedQuantity;
  const int quantity = decoded->quantity;
  switch (decoded->problem) {
    case Problem::PureTension:
      return quantity == 0 ? Ns : tension.M;
    case Problem::PureCompression:
      return quantity == 0 ? Nc : compression.M;
    default:
      break;
  }

  unit.WriteFormatted(kHeaderFormat);
  const bool positive =
      decoded->problem == Problem::BendingPositive || decoded->problem == Problem::AxialPositive;
  const bool given_axial_force =
      decoded->problem == Problem::AxialPositive || decoded->problem == Problem::AxialNegative;
  const double target = given_axial_force ? Ned : 0.0;
  if (given_axial_force && (Ned <= Nc || Ned >= Ns)) {
    unit.WriteFreeForm("maximum tension or compression strenght");
    unit.WriteFormatted("('Ned =',f10.2,2x,'Nc_rd =',f10.2)", {Ned / 1000, Nc / 1000});
    unit.WriteFormatted("('Ned =',f10.2,2x,'Ns_rd =',f10.2)", {Ned / 1000, Ns / 1000});
    return FailureValue(quantity);
  }

  // N falls with t on [0, 5] and rises on [5, 10]; a zero residual moves the bound on
  // the compression side.
  double lo = positive ? 0.0 : 5.0;
  double hi = positive ? 5.0 : 10.0;
  double t = 0;
  double M = 0;
  for (int i = 1;; ++i) {
    t = (hi + lo) * 0.5;
    const SectionForces forces = R(t);
    M = forces.M;
    const double r = forces.N - target;
    if (positive) {
      (r > 0 ? lo : hi) = t;
    } else {
      (r > 0 ? hi : lo) = t;
    }
    unit.WriteFormatted(kStepFormat, {i, std::fabs(r), M});
    if (std::fabs(r) <= tol) break;
    if (i >= maxit) {
      unit.WriteFreeForm("maximum number of iterations");
      return FailureValue(quantity);
    }
  }

  // Every quantity of the solution is evaluated, the selected one returned.
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  const double depth = NeutralAxisDepth(h, c, t, eps_ud, eps_cu, eps_c2);
  const double tension_layer_strain =
      StrainAtDepth(h, c, positive ? h - c : c, t, eps_ud, eps_cu, eps_c2);
  const double compressed_face_strain =
      StrainAtDepth(h, c, positive ? 0.0 : h, t, eps_ud, eps_cu, eps_c2);
  const double values[] = {
      M,
      positive ? depth : h - depth,
      t + 1,
      tension_layer_strain,
      SteelStress(tension_layer_strain, m.fyd, kLawKind, m.Es, eps_ud),
      compressed_face_strain,
      ConcreteStress(compressed_face_strain, m.fcd, kLawKind, m.Ecm, eps_cu, eps_c2),
      offer.curvature ? (StrainAtDepth(h, c, h, t, eps_ud, eps_cu, eps_c2) -
                         StrainAtDepth(h, c, 0.0, t, eps_ud, eps_cu, eps_c2)) /
                            h
                      : 0.0,
  };
  return values[quantity];
}

}  // namespace quilex::flexure
