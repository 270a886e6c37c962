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

// Of the sum of the uniform states' moments: how far the search on the other face looks
// inside the chord of its branch (see OtherFaceCanMatter).
constexpr double kChordMargin = 0.05;

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

// Whether Med can lie beyond the far end of the domain at Ned, so that the search on the
// other face must tell. The branch of the other face is convex towards Med's side between
// the two uniform states (the lower branch of a convex domain lies below the chord joining
// its ends, the upper one above it), so Med is safely on the inner side of it when it is
// beyond that chord by a margin; the margin covers what the strip integration may add to
// the exact curve. A resisting moment on the wrong side of zero always needs the other
// face: the point is outside, and the range is reported.
bool OtherFaceCanMatter(const flexure::UniformStates& u, double Ned, double Med, double Mrd,
                        CompressedFace face) {
  const flexure::SectionForces& c = u.compression;
  const flexure::SectionForces& s = u.tension;
  const double chord = c.M + (s.M - c.M) * ((Ned - c.N) / (s.N - c.N));
  const double margin = kChordMargin * (std::fabs(c.M) + std::fabs(s.M));
  if (face == CompressedFace::Top) return !(Mrd > 0) || Med < chord + margin;
  return !(Mrd < 0) || Med > chord - margin;
}

template <class Shape>
Verification VerifyShape(const Shape& shape, const MaterialSet& m, const Actions& a,
                         const Settings& settings, IterationLog* log) {
  Verification v;
  // A zero moment is verified as a positive one.
  const CompressedFace face = a.Med >= 0 ? CompressedFace::Top : CompressedFace::Bottom;
  const flexure::UniformStates uniform = flexure::UniformStatesOf(shape);
  const flexure::ConfigurationSearch search = flexure::SearchConfiguration(
      shape, uniform, a.Ned, face, settings.tolerance, settings.max_iterations, log);
  v.bending = search.outcome;
  if (search.outcome == BendingOutcome::Resisted) {
    const double h = shape.depth();
    const double c = shape.section.c;
    v.state = flexure::UltimateStateAt(h, c, search.t, face, m, shape.exponent, search.iterations);
    v.Mrd = search.M;
    if (v.Mrd != 0) {
      v.rho_M = a.Med / v.Mrd;
      v.epsilon = v.state->neutral_axis_depth / (h - c);
    }
  }
  // A point beyond the far end of the domain at Ned: rho_M alone cannot see it. The search
  // on the other face is not logged, so that the log shows the verification's one search.
  if (v.rho_M && *v.rho_M <= 1 && OtherFaceCanMatter(uniform, a.Ned, a.Med, v.Mrd, face)) {
    const CompressedFace other =
        face == CompressedFace::Top ? CompressedFace::Bottom : CompressedFace::Top;
    const flexure::ConfigurationSearch far = flexure::SearchConfiguration(
        shape, uniform, a.Ned, other, settings.tolerance, settings.max_iterations, nullptr);
    if (far.outcome != BendingOutcome::Resisted) {
      v.bending = far.outcome;
    } else {
      v.moments_at_Ned =
          face == CompressedFace::Top ? MomentRange{far.M, v.Mrd} : MomentRange{v.Mrd, far.M};
      if (!(v.moments_at_Ned->lower <= a.Med && a.Med <= v.moments_at_Ned->upper)) {
        v.bending = BendingOutcome::OutsideDomain;
      }
    }
  }
  const double eps_yd = m.fyd / m.Es;
  if (v.state) {
    v.campo = flexure::StrainField(v.state->t + 1, a.Med, v.state->tension_steel_strain, eps_yd);
  }
  const shear::ShearResistance shear = ShearOf(shape.section, m, a.Ned, settings, log);
  v.shear = shear.outcome;
  v.Vrd = shear.Vrd;
  v.shear_check = shear.check;
  if (v.Vrd != 0) v.rho_V = std::fabs(a.Ved / v.Vrd);
  return v;
}

}  // namespace

double ParabolaExponentOf(ParabolaExponent choice, double fck) {
  if (choice == ParabolaExponent::Two || !(fck > kHighStrengthConcrete)) return 2;
  if (fck >= 90) return 1.4;
  const double r = (90 - fck) / 100;
  return 1.4 + 23.4 * (r * r * r * r);
}

namespace unchecked {

Verification Verify(const RectangularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log) {
  const verification::RectangularShape shape{section, materials, settings};
  return VerifyShape(shape, materials, actions, settings, log);
}

Verification Verify(const TSection& section, const MaterialSet& materials, const Actions& actions,
                    const Settings& settings, IterationLog* log) {
  const verification::TShape shape{section, materials, settings};
  return VerifyShape(shape, materials, actions, settings, log);
}

Verification Verify(const CircularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings, IterationLog* log) {
  const verification::CircularShape shape{section, materials, settings};
  return VerifyShape(shape, materials, actions, settings, log);
}

}  // namespace unchecked

bool Verification::verified() const {
  // The bounds of Validate() keep every force finite; an infinite resistance proves nothing.
  if (bending != BendingOutcome::Resisted || Mrd == 0 || !rho_M || !rho_V) return false;
  if (!std::isfinite(Mrd) || !std::isfinite(Vrd)) return false;
  // A verification reports a resisting moment on the other side than Med's (a zero Med
  // counts as positive) as OutsideDomain; the rule stays for results made by hand.
  const bool same_side = *rho_M > 0 || (*rho_M == 0 && Mrd > 0);
  return same_side && *rho_M <= 1 && *rho_V <= 1;
}

namespace {

template <class Section>
Verification ValidatedVerify(const Section& section, const MaterialSet& materials,
                             const Actions& actions, const Settings& settings, IterationLog* log) {
  RequireValid({Validate(section), Validate(materials), Validate(actions), Validate(settings),
                Validate(materials, settings)});
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
