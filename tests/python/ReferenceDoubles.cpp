// Prints the C++ library's results for one case folder of tests/cases, every double in
// hexadecimal, so that the tests of the Python module can compare its numbers with the C++
// ones bit for bit. The inputs are read with the program's own readers.
//
//   quilex_reference_doubles tests/cases/ref-R
//   Mrd 0x1.c5bd60c43a346p+27
//   rho_M 0x1.42d1a0f4b9c35p-1
//   ...
//   domain[0] -0x1.4e6f67890abcdp+21 -0x1.89eb4cdef0123p+24
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "quilex/quilex.hpp"
#include "runfiles/InputFiles.hpp"

namespace {

using namespace quilex;

textio::InputFile Input(int number, const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return textio::InputFile(number, path.filename().string(), content.str());
}

void Print(const char* name, double value) {
  std::printf("%s %a\n", name, value);
}
void Print(const char* name, int value) {
  std::printf("%s %d\n", name, value);
}
void Print(const char* name, const std::optional<double>& value) {
  if (value) {
    Print(name, *value);
  } else {
    std::printf("%s None\n", name);
  }
}

template <class Point, class Pair>
void PrintPoints(const char* name, const std::vector<Point>& points, Pair pair) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto [first, second] = pair(points[i]);
    std::printf("%s[%zu] %a %a\n", name, i, first, second);
  }
}

template <class Section>
void PrintUniaxial(const Section& section, const MaterialSet& m, textio::InputFile& slu) {
  const Verification v = Verify(section, m, runfiles::ReadActions(slu));
  Print("Mrd", v.Mrd);
  Print("rho_M", v.rho_M);
  Print("epsilon", v.epsilon);
  Print("campo", v.campo);
  Print("bending", static_cast<int>(v.bending));
  Print("Vrd", v.Vrd);
  Print("rho_V", v.rho_V);
  Print("shear", static_cast<int>(v.shear));
  if (v.state) {
    Print("state.t", v.state->t);
    Print("state.neutral_axis_depth", v.state->neutral_axis_depth);
    Print("state.tension_steel_strain", v.state->tension_steel_strain);
    Print("state.tension_steel_stress", v.state->tension_steel_stress);
    Print("state.compressed_face_strain", v.state->compressed_face_strain);
    Print("state.compressed_face_stress", v.state->compressed_face_stress);
    Print("state.curvature", v.state->curvature);
    Print("state.iterations", v.state->iterations);
  }
  PrintPoints("domain", InteractionDomain(section, m), [](const DomainPoint& p) {
    return std::pair{p.N, p.M};
  });
}

template <class Section>
void PrintBiaxial(const Section& section, const MaterialSet& m, textio::InputFile& slu) {
  const BiaxialActions actions = runfiles::ReadBiaxialActions(slu);
  const auto v = Verify(section, m, actions);
  Print("Mrd", v.Mrd);
  Print("Mrdx", v.Mrdx);
  Print("Mrdy", v.Mrdy);
  Print("rho_M", v.rho_M);
  Print("MRx", v.MRx);
  Print("MRy", v.MRy);
  Print("epsilon", v.epsilon);
  Print("alpha", v.alpha);
  Print("campo", v.campo);
  Print("last_trial_angle", v.last_trial_angle);
  Print("bending", static_cast<int>(v.bending));
  Print("Vrdx", v.Vrdx);
  Print("Vrdy", v.Vrdy);
  Print("rho_V", v.rho_V);
  Print("shear_x", static_cast<int>(v.shear_x));
  Print("shear_y", static_cast<int>(v.shear_y));
  const auto pair = [](const MomentPoint& p) { return std::pair{p.Mx, p.My}; };
  if constexpr (std::is_same_v<Section, PolygonSection>) {
    Print("rho_radial", v.rho_radial);
    Print("neutral_axis_depth", v.neutral_axis_depth);
    Print("compression_angle", v.compression_angle);
  } else {
    PrintPoints("contour", v.contour, pair);
  }
  PrintPoints("moment_contour", MomentContour(section, m, actions.Ned), pair);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quilex_reference_doubles CASE_FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  textio::InputFile sezi = Input(11, folder / "sezi.txt");
  textio::InputFile mate = Input(12, folder / "mate.txt");
  textio::InputFile slu = Input(13, folder / "slu-max.txt");
  auto read = runfiles::ReadSection(sezi);
  const auto* section = std::get_if<runfiles::SectionData>(&read);
  if (section == nullptr) return 1;
  const runfiles::MaterialNames names = runfiles::ReadMaterialNames(mate);
  const MaterialSet m = LookupMaterials(names.design_code, names.steel_grade, names.concrete_class);
  return std::visit(runfiles::Overloaded{[&](const RectangleWithBars& d) {
                                           PrintBiaxial(d, m, slu);
                                           return 0;
                                         },
                                         [&](const PolygonSection& p) {
                                           PrintBiaxial(p, m, slu);
                                           return 0;
                                         },
                                         [](const runfiles::UnknownSectionType&) { return 1; },
                                         [&](const auto& shape) {
                                           PrintUniaxial(shape, m, slu);
                                           return 0;
                                         }},
                    *section);
}
