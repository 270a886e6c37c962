// Ultimate resistance of a circular section with nF equal bars on a concentric circle:
// n horizontal strips whose areas are trapezoids of the chord widths, bars placed by angle
// from the lowest point, moments about the centre. Only the axial forces of the two
// uniform states are offered (no codes 11 and 21), and no curvature.
#pragma once

#include "flexure/MaterialSet.hpp"
#include "flexure/Sections.hpp"
#include "flexure/SolverProcedure.hpp"
#include "textio/Units.hpp"

namespace quilex::flexure {

constexpr SolverOffer kCircOffer{.boundary_moments = false, .curvature = false};

// The circle's pi, as every circular routine uses it.
constexpr double kPi = 3.141592653589793;

// Depth below the top of bar k (1 to nF); bar 1 is the lowest.
double CircBarDepth(const CircSection& s, int k);

SectionForces CircForces(int n, const CircSection& s, const MaterialSet& m, double t);

// The moment about the centre for what = 2, the axial force otherwise.
double CircResultant(int n, const CircSection& s, const MaterialSet& m, double t, int what);

double CircSolver(textio::OutputUnit& unit, int n, const CircSection& s, const MaterialSet& m,
                  double Ned, int mode, double tol, int maxit);

}  // namespace quilex::flexure
