// The kinds of cross section Quilex verifies, as plain values: four fixed shapes and the
// polygon section of any shape.
//
// Every length is in mm and every area in mm²; the field names are those of the input file
// sezi.txt and of the echo in risu.txt (see the README's glossary). Nothing here is checked
// on construction: quilex::Validate() reports the values a verification cannot use, and the
// verification functions call it first.
//
// Example: the bundled rectangle (examples/rectangle), 300 x 500 with 2 x 50.27 mm² stirrup
// legs every 150 mm and bars of 628.32 mm² at the top and 942.48 mm² at the bottom, 40 mm
// from the faces:
//
//   quilex::RectangularSection beam{.B = 300, .H = 500, .c = 40,
//                                   .As_top = 628.32, .As_bottom = 942.48,
//                                   .stirrups = {.Asw = 50.27, .nb = 2, .st = 150}};
#pragma once

#include <optional>
#include <vector>

namespace quilex {

// Vertical stirrups of the R, T and C sections.
struct Stirrups {
  double Asw = 0;  // area of one leg, mm²
  int nb = 0;      // number of legs
  double st = 0;   // spacing, mm

  bool operator==(const Stirrups&) const = default;
};

// A B x H rectangle with a top and a bottom layer of bars, both at c from their face.
struct RectangularSection {
  double B = 0;          // width
  double H = 0;          // depth
  double c = 0;          // from each face to the axis of its layer
  double As_top = 0;     // As[1] of sezi.txt: the layer at depth c
  double As_bottom = 0;  // As[2] of sezi.txt: the layer at depth H - c
  Stirrups stirrups;

  bool operator==(const RectangularSection&) const = default;
};

// A flange block (BsUp x HsUp) standing on a web block (BiNf x HiNf); either may be the
// wider, so a T with its flange at the bottom is a T with a narrow flange on a wide web.
// The flange forms the top face; the total depth is HiNf + HsUp.
struct TSection {
  double BiNf = 0;       // web (lower block) width; the shear check uses it
  double HiNf = 0;       // web height
  double BsUp = 0;       // flange (upper block) width
  double HsUp = 0;       // flange height
  double c = 0;          // from each face to the axis of its layer
  double As_top = 0;     // As[1]: the layer at depth c
  double As_bottom = 0;  // As[2]: the layer at depth HiNf + HsUp - c
  Stirrups stirrups;

  bool operator==(const TSection&) const = default;
};

// A circle of diameter D with nF equal bars of diameter Df evenly spaced on a concentric
// circle of diameter D - 2c, the first bar at the lowest point.
struct CircularSection {
  double D = 0;
  double c = 0;   // from the surface to the bar axes
  int nF = 0;     // number of bars, 0 to 200
  double Df = 0;  // bar diameter
  Stirrups stirrups;

  bool operator==(const CircularSection&) const = default;
};

// One bar: its centre and its area. For a RectangleWithBars the centre is measured from the
// centre of the rectangle (x along B, y along H); for a PolygonSection in its coordinates.
struct Bar {
  double x = 0;
  double y = 0;
  double area = 0;

  bool operator==(const Bar&) const = default;
};

// Stirrups of a RectangleWithBars: the same legs and spacing for the shear along x (nbx
// legs) and along y (nby legs).
struct BiaxialStirrups {
  double Asw = 0;  // area of one leg, mm²
  int nbx = 0;     // legs resisting the shear along x
  int nby = 0;     // legs resisting the shear along y
  double st = 0;   // spacing, mm

  bool operator==(const BiaxialStirrups&) const = default;
};

// A B x H rectangle with 1 to 200 individually placed bars, verified under an axial force
// and bending about both axes (section type D of sezi.txt).
struct RectangleWithBars {
  double B = 0;  // width, along x
  double H = 0;  // depth, along y
  BiaxialStirrups stirrups;
  std::vector<Bar> bars;

  bool operator==(const RectangleWithBars&) const = default;
};

// The most bars a circle or a RectangleWithBars may have.
inline constexpr int kMaxBars = 200;

// A corner of a polygon, mm.
struct Vertex {
  double x = 0;
  double y = 0;

  bool operator==(const Vertex&) const = default;
};

// What the shear check of a PolygonSection needs and its outline cannot give: the stirrups
// (legs per direction, as for a RectangleWithBars) and, for the shear along x and along y,
// the width of the web and the effective depth.
struct PolygonShear {
  BiaxialStirrups stirrups;
  double bx = 0;  // web width resisting the shear along x
  double by = 0;  // web width resisting the shear along y
  double dx = 0;  // effective depth for the shear along x
  double dy = 0;  // effective depth for the shear along y

  bool operator==(const PolygonShear&) const = default;
};

// A cross section of any shape: concrete outlines (simple polygons, in either orientation)
// with holes inside them, and bars placed anywhere in the concrete, all in one system of
// coordinates in mm (x to the right, y up, any origin). Bars displace the concrete they
// occupy: the concrete is integrated over the net section (the R, T, C and D types keep
// their gross-section rule).
//
// Example: a 300 x 500 rectangle with two bars of 20 mm at each corner zone, moments taken
// about the rectangle's centre:
//
//   quilex::PolygonSection s{
//       .outlines = {{{0, 0}, {300, 0}, {300, 500}, {0, 500}}},
//       .bars = {{40, 40, 314.16}, {260, 40, 314.16}, {40, 460, 314.16}, {260, 460, 314.16}}};
struct PolygonSection {
  std::vector<std::vector<Vertex>> outlines;  // one or more, not overlapping
  std::vector<std::vector<Vertex>> holes;     // each inside one outline
  std::vector<Bar> bars;                      // (x, y, area) in the same coordinates
  // None: shear is not checked (the result says so).
  std::optional<PolygonShear> shear;
  // The point the moments Mx and My are taken about; none: the centroid of the gross
  // concrete (outlines less holes, bars not deducted).
  std::optional<Vertex> reference;

  bool operator==(const PolygonSection&) const = default;
};

}  // namespace quilex
