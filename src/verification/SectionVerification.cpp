// Verification of R, T and C sections: one search of the ultimate configuration for Ned
// gives the resisting moment and the state at resistance; the shear check of the shape
// follows. The procedure is the same for the three shapes.
#include <cmath>

#include "flexure/ConfigurationSearch.hpp"
#include "flexure/StrainModel.hpp"
#include "quilex/validation.hpp"
#include "shear/CircularShear.hpp"
#include "shear/RectangularShear.hpp"
#include "verification/FlexuralShapes.hpp"
#include "verification/Unchecked.hpp"
#include "verification/ValidInput.hpp"

namespace quilex {
namespace {

using flexure::CompressedFace;

shear::ShearResistance ShearOf(const RectangularSection& s, const MaterialSet& m, double Ned,
                               const Settings& settings, IterationLog* log) {
  const Stirrups& st = s.stirrups;
  return shear::RectangularWebShear(s.B, s.H, s.c, st.Asw, st.nb, st.st, settings.strut_angle, m,
                                    Ned, log);
}

// The web carries the shear over the whole depth.
shear::ShearResistance ShearOf(const TSection& s, const MaterialSet& m, double Ned,
                               const Settings& settings, IterationLog* log) {
  const Stirrups& st = s.stirrups;
  return shear::RectangularWebShear(s.BiNf, s.HiNf + s.HsUp, s.c, st.Asw, st.nb, st.st,
                                    settings.strut_angle, m, Ned, log);
}

shear::ShearResistance ShearOf(const CircularSection& s, const MaterialSet& m, double Ned,
                               const Settings& settings, IterationLog* log) {
  const Stirrups& st = s.stirrups;
  return shear::CircularShear(s.D, s.c, st.Asw, st.nb, st.st, settings.strut_angle, m, Ned, log);
}

template <class Shape>
Verification VerifyShape(const Shape& shape, const MaterialSet& m, const Actions& a,
                         const Settings& settings, IterationLog* log) {
  Verification v;
  // A zero moment is verified as a positive one.
  const CompressedFace face = a.Med >= 0 ? CompressedFace::Top : CompressedFace::Bottom;
  const flexure::ConfigurationSearch search =
      flexure::SearchConfiguration(shape, flexure::UniformStatesOf(shape), a.Ned, face,
                                   settings.tolerance, settings.max_iterations, log);
  v.bending = search.outcome;
  if (search.outcome == BendingOutcome::Resisted) {
    const double h = shape.depth();
    const double c = shape.section.c;
    v.state = flexure::UltimateStateAt(h, c, search.t, face, m, search.iterations);
    v.Mrd = search.M;
    if (v.Mrd != 0) {
      v.rho_M = a.Med / v.Mrd;
      v.epsilon = v.state->neutral_axis_depth / (h - c);
    }
  }
  const double eps_yd = m.fyd / m.Es;
  if (v.state) {
    v.campo = flexure::CampoNumber(v.state->t + 1, a.Med, v.state->tension_steel_strain, eps_yd);
  }
  const shear::ShearResistance shear = ShearOf(shape.section, m, a.Ned, settings, log);
  v.shear = shear.outcome;
  v.Vrd = shear.Vrd;
  if (v.Vrd != 0) v.rho_V = std::fabs(a.Ved / v.Vrd);
  return v;
}

}  // namespace

namespace unchecked {

Verification Verify(const RectangularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log) {
  const verification::RectangularShape shape{section, materials, settings.strips};
  return VerifyShape(shape, materials, actions, settings, log);
}

Verification Verify(const TSection& section, const MaterialSet& materials, const Actions& actions,
                    const Settings& settings, IterationLog* log) {
  const verification::TShape shape{section, materials, settings.strips};
  return VerifyShape(shape, materials, actions, settings, log);
}

Verification Verify(const CircularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log) {
  const verification::CircularShape shape{section, materials, settings.strips};
  return VerifyShape(shape, materials, actions, settings, log);
}

}  // namespace unchecked

bool Verification::verified() const {
  if (Mrd == 0 || !rho_M || !rho_V) return false;
  // The resisting moment must lie on the side Med compresses (a zero Med counts as
  // positive): one of the other sign means the design point lies outside the domain.
  const bool same_side = *rho_M > 0 || (*rho_M == 0 && Mrd > 0);
  return same_side && *rho_M <= 1 && *rho_V <= 1;
}

namespace {

template <class Section>
Verification ValidatedVerify(const Section& section, const MaterialSet& materials,
                             const Actions& actions, const Settings& settings, IterationLog* log) {
  RequireValid({Validate(section), Validate(materials), Validate(actions), Validate(settings)});
  return unchecked::Verify(section, materials, actions, settings, log);
}

}  // namespace

Verification Verify(const RectangularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log) {
  return ValidatedVerify(section, materials, actions, settings, log);
}

Verification Verify(const TSection& section, const MaterialSet& materials, const Actions& actions,
                    const Settings& settings, IterationLog* log) {
  return ValidatedVerify(section, materials, actions, settings, log);
}

Verification Verify(const CircularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log) {
  return ValidatedVerify(section, materials, actions, settings, log);
}

}  // namespace quilex
