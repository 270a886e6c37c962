// Ultimate resistance of a T-section (a flange block standing on a web block, either one
// the wider) with two reinforcement layers: n layers per block, moments about the centroid
// of the gross concrete section. No curvature code.
#pragma once

#include "flexure/MaterialSet.hpp"
#include "flexure/Sections.hpp"
#include "flexure/SolverProcedure.hpp"
#include "textio/Units.hpp"

namespace quilex::flexure {

constexpr SolverOffer kTOffer{.boundary_moments = true, .curvature = false};

// Depth of the centroid of the gross concrete section below the top face.
double TCentroidDepth(const TSection& s);

SectionForces TForces(int n, const TSection& s, const MaterialSet& m, double t);

// The axial force (what = 2: the moment about the centroid) under configuration t.
double TResultant(int n, const TSection& s, const MaterialSet& m, double t, int what);

double TSolver(textio::OutputUnit& unit, int n, const TSection& s, const MaterialSet& m, double Ned,
               int mode, double tol, int maxit);

}  // namespace quilex::flexure
