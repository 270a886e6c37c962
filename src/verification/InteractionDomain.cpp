// The boundary of the M-N interaction domain of an R, T or C section: the two uniform
// states and 49 searches on each branch between them.
#include <array>
#include <cmath>
#include <memory>

#include "flexure/ConfigurationSearch.hpp"
#include "quilex/domain.hpp"
#include "quilex/validation.hpp"
#include "verification/FlexuralShapes.hpp"
#include "verification/Unchecked.hpp"
#include "verification/ValidInput.hpp"

namespace quilex {
namespace {

constexpr int kSweepSteps = 50;

template <class Shape>
std::vector<DomainPoint> DomainOf(const Shape& shape, const Settings& settings, IterationLog* log) {
  const flexure::UniformStates uniform = flexure::UniformStatesOf(shape);
  const double Nc = uniform.compression.N;
  const double Mc = Shape::kUniformMoments ? uniform.compression.M : 0.0;
  const double Ns = uniform.tension.N;
  const double Ms = Shape::kUniformMoments ? uniform.tension.M : 0.0;
  const double s = (std::fabs(Nc) + Ns) / kSweepSteps;

  std::vector<DomainPoint> points;
  points.reserve(2 * kSweepSteps + 1);
  // Large (about 16 KB each): kept off the stack.
  const auto shared = std::make_unique<std::array<flexure::SharedFirstSteps, 2>>();
  const auto search = [&](double N, flexure::CompressedFace face) {
    flexure::SharedFirstSteps& steps = (*shared)[face == flexure::CompressedFace::Top ? 0 : 1];
    const flexure::ConfigurationSearch found = flexure::SearchConfiguration(
        shape, uniform, N, face, settings.tolerance, settings.max_iterations, log, &steps);
    const bool converged = found.outcome == BendingOutcome::Resisted;
    points.push_back({N, converged ? found.M : 0.0, converged});
  };
  points.push_back({Nc, Mc, true});
  // The running force is stepped by repeated addition, as the plotted points always were.
  double N = Nc;
  for (int k = 1; k < kSweepSteps; ++k) {
    N = N + s;
    search(N, flexure::CompressedFace::Top);
  }
  points.push_back({Ns, Ms, true});
  N = Ns;
  for (int k = 1; k < kSweepSteps; ++k) {
    N = N - s;
    search(N, flexure::CompressedFace::Bottom);
  }
  points.push_back(points.front());
  return points;
}

}  // namespace

namespace unchecked {

std::vector<DomainPoint> InteractionDomain(const RectangularSection& section,
                                           const MaterialSet& materials, const Settings& settings,
                                           IterationLog* log) {
  return DomainOf(verification::RectangularShape{section, materials, settings}, settings, log);
}

std::vector<DomainPoint> InteractionDomain(const TSection& section, const MaterialSet& materials,
                                           const Settings& settings, IterationLog* log) {
  return DomainOf(verification::TShape{section, materials, settings}, settings, log);
}

std::vector<DomainPoint> InteractionDomain(const CircularSection& section,
                                           const MaterialSet& materials, const Settings& settings,
                                           IterationLog* log) {
  return DomainOf(verification::CircularShape{section, materials, settings}, settings, log);
}

}  // namespace unchecked

namespace {

template <class Section>
std::vector<DomainPoint> ValidatedDomain(const Section& section, const MaterialSet& materials,
                                         const Settings& settings, IterationLog* log) {
  RequireValid(
      {Validate(section), Validate(materials), Validate(settings), Validate(materials, settings)});
  return unchecked::InteractionDomain(section, materials, settings, log);
}

}  // namespace

std::vector<DomainPoint> InteractionDomain(const RectangularSection& section,
                                           const MaterialSet& materials, const Settings& settings,
                                           IterationLog* log) {
  return ValidatedDomain(section, materials, settings, log);
}

std::vector<DomainPoint> InteractionDomain(const TSection& section, const MaterialSet& materials,
                                           const Settings& settings, IterationLog* log) {
  return ValidatedDomain(section, materials, settings, log);
}

std::vector<DomainPoint> InteractionDomain(const CircularSection& section,
                                           const MaterialSet& materials, const Settings& settings,
                                           IterationLog* log) {
  return ValidatedDomain(section, materials, settings, log);
}

}  // namespace quilex
