// Quilex: verification of reinforced-concrete cross sections at the ultimate limit state.
//
// One header for the whole library:
//   quilex/sections.hpp      the four kinds of section and their stirrups
//   quilex/materials.hpp     MaterialSet and the database lookup
//   quilex/verification.hpp  actions, settings, Verify() and its results
//   quilex/domain.hpp        the M-N interaction domain and the moment contour
//   quilex/validation.hpp    which values a verification cannot use
//   quilex/iteration_log.hpp the optional log of every search
//   quilex/errors.hpp        the exceptions
//
// Units everywhere: N, mm, mm², N·mm, N/mm².
//
//   #include <quilex/quilex.hpp>
//
//   const quilex::RectangularSection beam{.B = 300, .H = 500, .c = 40, .As_top = 628.32,
//                                         .As_bottom = 942.48,
//                                         .stirrups = {.Asw = 50.27, .nb = 2, .st = 150}};
//   const quilex::Verification v =
//       quilex::Verify(beam, quilex::LookupMaterials("IT", "B450C", "C25/30"),
//                      {.Ned = -500e3, .Med = 150e6, .Ved = 100e3});
//   if (!v.verified()) { ... }
#pragma once

#include "quilex/domain.hpp"
#include "quilex/errors.hpp"
#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"
#include "quilex/validation.hpp"
#include "quilex/verdict.hpp"
#include "quilex/verification.hpp"
#include "quilex/version.hpp"
