// The one search every R, T and C section runs: for an acting axial force, the bisection of
// the configuration parameter t (see StrainModel.hpp) until the section's axial force
// matches it, and the ultimate state at the configuration found. A shape contributes only
// its resultant, a callable giving the forces of configuration t.
#pragma once

#include <array>
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

// Every search of one face starts from the same bracket, so the configurations it tries
// first depend only on which way its first steps went: searches for nearby forces try the
// same ones. Held across the searches of one section and face (the 49 of each branch of an
// interaction domain), the forces of the configurations of the first kLevels steps are
// computed once, stored by the way the bracket went to reach them.
class SharedFirstSteps {
 public:
  static constexpr int kLevels = 10;

  // The forces at step `step` (from 1) reached by the halvings in `path` (bit k: the lower
  // end of the bracket moved at step k + 1), if this search or an earlier one computed them.
  const SectionForces* Find(int step, unsigned path) const {
    const unsigned node = Node(step, path);
    return node < kNodes && known_[node] ? &forces_[node] : nullptr;
  }

  void Keep(int step, unsigned path, const SectionForces& forces) {
    const unsigned node = Node(step, path);
    if (node >= kNodes) return;
    forces_[node] = forces;
    known_[node] = true;
  }

 private:
  static constexpr unsigned kNodes = (1u << kLevels) - 1;

  // The nodes of step s follow those of the steps before it: 2^(s-1) - 1 of them.
  static unsigned Node(int step, unsigned path) {
    return step > kLevels ? kNodes : (1u << (step - 1)) - 1 + path;
  }

  std::array<SectionForces, kNodes> forces_{};
  std::array<bool, kNodes> known_{};
};

// Bisects t on [0, 5] (top face compressed) or [5, 10] (bottom face) until
// |N(t) - Ned| <= tol, in at most maxit steps. Ned must lie strictly between the uniform
// states' forces, or no search is made. With `shared`, the forces of the first steps are
// taken from (and added to) those of the earlier searches of the same section and face.
template <class Resultant>
ConfigurationSearch SearchConfiguration(const Resultant& forces, const UniformStates& uniform,
                                        double Ned, CompressedFace face, double tol, int maxit,
                                        IterationLog* log, SharedFirstSteps* shared = nullptr) {
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
  unsigned path = 0;  // bit k: the lower end moved at step k + 1
  for (int i = 1;; ++i) {
    const double t = (hi + lo) * 0.5;
    // Once the bracket no longer narrows, t repeats: its forces are those at hand.
    if (i == 1 || t != trial_t) {
      const SectionForces* known = shared != nullptr ? shared->Find(i, path) : nullptr;
      if (known != nullptr) {
        trial = *known;
      } else {
        trial = forces(t);
        if (shared != nullptr) shared->Keep(i, path, trial);
      }
      trial_t = t;
    }
    const double r = trial.N - Ned;
    const bool lower_moves = top ? r > 0 : !(r > 0);
    (lower_moves ? lo : hi) = t;
    if (i <= SharedFirstSteps::kLevels && lower_moves) path |= 1u << (i - 1);
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
// c from the faces, seen from the compressed face, the concrete's parabola of exponent
// `exponent`.
UltimateState UltimateStateAt(double h, double c, double t, CompressedFace face,
                              const MaterialSet& m, double exponent, int iterations);

}  // namespace quilex::flexure
