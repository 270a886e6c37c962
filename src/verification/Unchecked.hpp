// The verifications and domains without the validation of their inputs: for front ends
// that have validated the values themselves (the program quilex reports the first problem
// its own way) and need no second pass. Called with values Validate() refuses, they compute
// whatever the arithmetic gives.
#pragma once

#include <vector>

#include "quilex/domain.hpp"
#include "quilex/iteration_log.hpp"
#include "quilex/verification.hpp"

namespace quilex::unchecked {

Verification Verify(const RectangularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log);
Verification Verify(const TSection& section, const MaterialSet& materials, const Actions& actions,
                    const Settings& settings, IterationLog* log);
Verification Verify(const CircularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log);
BiaxialVerification Verify(const RectangleWithBars& section, const MaterialSet& materials,
                           const BiaxialActions& actions, const Settings& settings,
                           IterationLog* log);

std::vector<DomainPoint> InteractionDomain(const RectangularSection& section,
                                           const MaterialSet& materials, const Settings& settings,
                                           IterationLog* log);
std::vector<DomainPoint> InteractionDomain(const TSection& section, const MaterialSet& materials,
                                           const Settings& settings, IterationLog* log);
std::vector<DomainPoint> InteractionDomain(const CircularSection& section,
                                           const MaterialSet& materials, const Settings& settings,
                                           IterationLog* log);

}  // namespace quilex::unchecked
