// The sections and materials of the reference cases ref-R, ref-T, ref-C and ref-D, for the
// benchmarks that verify from values.
#pragma once

#include "quilex/quilex.hpp"

namespace quilex::bench {

inline const MaterialSet kMaterials = LookupMaterials("IT", "B450C", "C25/30");
inline const RectangularSection kRectangle{300, 500, 40, 628.32, 942.48, {50.27, 2, 150}};
inline const TSection kTee{300, 450, 800, 150, 50, 603, 1257, {50.27, 2, 150}};
inline const CircularSection kCircle{400, 40, 8, 16, {50.27, 2, 150}};
inline const RectangleWithBars kBars{
    300,
    500,
    {50.27, 2, 2, 200},
    {{-110, -210, 314.16}, {110, -210, 314.16}, {-110, 210, 314.16}, {110, 210, 314.16}}};

}  // namespace quilex::bench
