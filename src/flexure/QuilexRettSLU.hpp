// Ultimate resistance of a rectangular section with a top and a bottom reinforcement
// layer: its section resultant (concrete in n strips over the depth, bars lumped at their
// layers, moments about mid-depth) and its solver, which offers every SolverMode code.
#pragma once

#include "flexure/MaterialSet.hpp"
#include "flexure/Sections.hpp"
#include "flexure/SolverProcedure.hpp"
#include "textio/Units.hpp"

namespace quilex::flexure {

constexpr SolverOffer kRectOffer{.boundary_moments = true, .curvature = true};

// Axial force and moment about mid-depth under configuration t.
SectionForces RectForces(int n, const RectSection& s, const MaterialSet& m, double t);

// The axial force (what = 2: the moment) under configuration t.
double RectResultant(int n, const RectSection& s, const MaterialSet& m, double t, int what);

double RectSolver(textio::OutputUnit& unit, int n, const RectSection& s, const MaterialSet& m,
                  double Ned, int mode, double tol, int maxit);

}  // namespace quilex::flexure
