// Verifies the bundled rectangle (examples/rectangle) from values and prints its results in
// kN and kN·m, as risu-MN.txt shows them.
#include <quilex/quilex.hpp>

#include <cstdio>

int main() {
  const quilex::RectangularSection beam{.B = 300,
                                        .H = 500,
                                        .c = 40,
                                        .As_top = 628.32,
                                        .As_bottom = 942.48,
                                        .stirrups = {.Asw = 50.27, .nb = 2, .st = 150}};
  try {
    const quilex::MaterialSet materials = quilex::LookupMaterials("IT", "B450C", "C25/30");
    const quilex::Verification v =
        quilex::Verify(beam, materials, {.Ned = -500e3, .Med = 150e6, .Ved = 100e3});
    std::printf("Mrd     = %8.2f kNm\n", v.Mrd * 1e-6);
    if (v.rho_M) std::printf("rho_M   = %8.2f\n", *v.rho_M);
    std::printf("Vrd     = %8.2f kN\n", v.Vrd * 0.001);
    if (v.rho_V) std::printf("rho_V   = %8.2f\n", *v.rho_V);
    if (v.epsilon) std::printf("epsilon = %8.2f\n", *v.epsilon);
    std::printf("campo   = %2d\n", v.campo);
    std::printf("%s\n", v.verified() ? "verified" : "not verified");
    return v.verified() ? 0 : 1;
  } catch (const quilex::Error& error) {
    std::fprintf(stderr, "quilex: %s\n", error.what());
    return 2;
  }
}
