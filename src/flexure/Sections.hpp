// Geometry of the four section types as the input file describes them (mm and mm2).
// As[0] is the layer at the top face, As[1] the one at the bottom face.
#pragma once

#include <array>

namespace quilex {

struct RectSection {
  double B = 0;
  double H = 0;
  double c = 0;
  std::array<double, 2> As{};
};

struct TSection {
  double BiNf = 0;  // web (lower block) width
  double HiNf = 0;  // web height
  double BsUp = 0;  // flange (upper block) width; the flange forms the top face
  double HsUp = 0;  // flange height
  double c = 0;
  std::array<double, 2> As{};
};

struct CircSection {
  double D = 0;
  double c = 0;   // from the outer surface to the bar axes
  int nF = 0;     // bars, evenly spaced
  double Df = 0;  // bar diameter
};

constexpr int kMaxBars = 200;

// A B x H rectangle with individually placed bars (x along B, y along H, both from the
// centre) and its stirrups for the shear along x and along y.
struct BarSection {
  double B = 0;
  double H = 0;
  double Asw = 0;
  int nbx = 0;
  int nby = 0;
  double st = 0;
  int nbar = 0;
  std::array<double, kMaxBars> x{};
  std::array<double, kMaxBars> y{};
  std::array<double, kMaxBars> area{};
};

}  // namespace quilex
