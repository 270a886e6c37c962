#include "flexure/ConfigurationSearch.hpp"

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

UltimateState UltimateStateAt(double h, double c, double t, CompressedFace face,
                              const MaterialSet& m, double exponent, int iterations) {
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  const bool top = face == CompressedFace::Top;
  const auto strain = [&](double y) { return StrainAtDepth(h, c, y, t, eps_ud, eps_cu, eps_c2); };
  UltimateState state;
  state.t = t;
  const double depth = NeutralAxisDepth(h, c, t, eps_ud, eps_cu, eps_c2);
  state.neutral_axis_depth = top ? depth : h - depth;
  state.tension_steel_strain = strain(top ? h - c : c);
  state.tension_steel_stress = SteelStress(state.tension_steel_strain, m.fyd, m.Es);
  state.compressed_face_strain = strain(top ? 0.0 : h);
  state.compressed_face_stress =
      ConcreteStress(state.compressed_face_strain, m.fcd, eps_c2, exponent);
  state.curvature = (strain(h) - strain(0.0)) / h;
  state.iterations = iterations;
  return state;
}

}  // namespace quilex::flexure
