// The sections, materials and actions of the reference cases ref-R, ref-T, ref-C and
// ref-D, for the benchmarks that verify from values.
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

inline const Actions kRectangleActions{-500e3, 150e6, 100e3};
inline const Actions kTeeActions{0, 200e6, 150e3};
inline const Actions kCircleActions{-500e3, 80e6, 50e3};
inline const BiaxialActions kBarsActions{-500e3, 100e6, 50e6, 30e3, 40e3};
// Near the tensile capacity with a small moment: the search on the other face runs too.
inline const Actions kRectangleNearTension{584e3, 20e6, 50e3};

}  // namespace quilex::bench
