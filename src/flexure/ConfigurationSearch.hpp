// The one search every R, T and C section runs: for an acting axial force, the bisection of
// the configuration parameter t (see StrainModel.hpp) until the section's axial force
// matches it, and the ultimate state at the configuration found. A shape contributes only
// its resultant, a callable giving the forces of configuration t.
#pragma once

#include <cmath>

#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "quilex/verification.hpp"

namespace quilex::flexure {

// Axial force (tension positive) and moment of a section under one configuration t.
struct SectionForces {
  double N = 0;
  double M = 0;
};

// The forces of the two uniform states: all tension (t = 0) and all compression (t = 5).
struct UniformStates {
  SectionForces tension;
  SectionForces compression;
};

template <class Resultant>
UniformStates UniformStatesOf(const Resultant& forces) {
  return {forces(0.0), forces(5.0)};
}

enum class CompressedFace { Top, Bottom };

struct ConfigurationSearch {
  BendingOutcome outcome = BendingOutcome::AxialForceOutsideDomain;
  double t = 0;  // at convergence
  double M = 0;  // moment of configuration t
  int iterations = 0;
};

// Bisects t on [0, 5] (top face compressed) or [5, 10] (bottom face) until
// |N(t) - Ned| <= tol, in at most maxit steps. Ned must lie strictly between the uniform
// states' forces, or no search is made.
template <class Resultant>
ConfigurationSearch SearchConfiguration(const Resultant& forces, const UniformStates& uniform,
                                        double Ned, CompressedFace face, double tol, int maxit,
                                        IterationLog* log) {
  if (log != nullptr) log->SearchStarted();
  const double Nc = uniform.compression.N;
  const double Ns = uniform.tension.N;
  if (Ned <= Nc || Ned >= Ns) {
    if (log != nullptr) log->AxialForceOutsideDomain(Ned, Nc, Ns);
    return {};
  }
  // N falls with t on [0, 5] and rises on [5, 10]; a zero residual moves the bound on
  // the compression side.
  const bool top = face == CompressedFace::Top;
  double lo = top ? 0.0 : 5.0;
  double hi = top ? 5.0 : 10.0;
  SectionForces trial{};
  double trial_t = 0;
  for (int i = 1;; ++i) {
    const double t = (hi + lo) * 0.5;
    // Once the bracket no longer narrows, t repeats: its forces are those at hand.
    if (i == 1 || t != trial_t) {
      trial = forces(t);
      trial_t = t;
    }
    const double r = trial.N - Ned;
    if (top) {
      (r > 0 ? lo : hi) = t;
    } else {
      (r > 0 ? hi : lo) = t;
    }
    const double residual = std::fabs(r);
    if (log != nullptr) log->SearchStep(i, residual, trial.M);
    if (residual <= tol) return {BendingOutcome::Resisted, t, trial.M, i};
    if (i >= maxit) {
      if (log != nullptr) log->IterationLimitReached();
      return {BendingOutcome::NotConverged, t, trial.M, i};
    }
  }
}

// The strains and stresses of configuration t of a section of depth h whose layers lie at
// c from the faces, seen from the compressed face.
UltimateState UltimateStateAt(double h, double c, double t, CompressedFace face,
                              const MaterialSet& m, int iterations);

}  // namespace quilex::flexure
