// The one search that every flexural solver runs: boundary resultants, the range check of
// the axial force, the bisection of the configuration parameter t with its log, and the
// quantity that the SolverMode code selects. A shape contributes only its section
// resultant and the codes it offers.
#pragma once

#include <functional>
#include <optional>

#include "flexure/MaterialSet.hpp"
#include "textio/Units.hpp"

namespace quilex::flexure {

// Returned by a search that failed, for every quantity but the moment (which is 0).
constexpr double kFailedQuantity = -999999999.99;

// Axial force (tension positive) and moment of a section under one configuration t.
struct SectionForces {
  double N = 0;
  double M = 0;
};

using SectionResultant = std::function<SectionForces(double t)>;

// The axial force of `forces`, or its moment for what = 2.
inline double SelectResultant(const SectionForces& forces, int what) {
  return what == 2 ? forces.M : forces.N;
}

// What a shape's solver offers beyond the searches with units digits 0 to 6.
struct SolverOffer {
  bool boundary_moments = true;  // codes 11 and 21
  bool curvature = true;         // units digit 7
};

enum class Problem {
  PureTension,      // 1x
  PureCompression,  // 2x
  BendingPositive,  // 3x: N = 0, top face compressed
  BendingNegative,  // 4x: N = 0, bottom face compressed
  AxialPositive,    // 5x: N = Ned, top face compressed
  AxialNegative,    // 6x: N = Ned, bottom face compressed
};

struct SolverMode {
  Problem problem;
  int quantity;  // units digit
};

// The problem and quantity of a code, or nothing for a code the solver does not offer.
std::optional<SolverMode> DecodeSolverMode(int mode, SolverOffer offer);

// Runs one solver call on a section of depth h whose layers lie at c from the faces.
// Codes the solver does not offer write nothing and return kFailedQuantity.
double RunSolverProcedure(textio::OutputUnit& unit, const SectionResultant& R, double h, double c,
                          const MaterialSet& m, double Ned, int mode, double tol, int maxit,
                          SolverOffer offer);

}  // namespace quilex::flexure
