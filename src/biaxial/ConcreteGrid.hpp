// The concrete of a rectangle under one strain plane as a grid of 60 x 60 cells: the axial
// force and the two moments of the stressed cells. Computed on lanes (flexure/Lanes.hpp):
// the strains and stresses of a row of cells several at a time, the sums cell after cell in
// the order of a plain double loop, so that every path gives the same bits. Cells without
// compression are left out where that provably loses no floating-point flag, so the flags
// are a plain loop's too.
#pragma once

#include "flexure/Lanes.hpp"

namespace quilex::biaxial {

constexpr int kGridCells = 60;  // per side

// A B x H rectangle under the strain plane of angle theta (k = cos theta, s = sin theta):
// the cell whose centre lies at (xc, yc) from the centre of the rectangle has depth
// u = a - (xc * k + yc * s) below the most compressed corner and the strain (u - x) * kappa.
struct GridPlane {
  double B = 0;
  double H = 0;
  double a = 0;
  double k = 0;
  double s = 0;
  double x = 0;
  double kappa = 0;
  double fcd = 0;
  double eps_c2 = 0;
  double exponent = 2;  // of the parabola; another than 2 takes a plain loop over every cell
};

struct GridForces {
  double N = 0;
  double Mx = 0;
  double My = 0;
};

GridForces ConcreteGridForces(const GridPlane& plane,
                              flexure::LanePath path = flexure::BestLanePath());

// Whether ConcreteGridForces evaluates only the cells with compression (and a few of their
// neighbours) for this plane: when every strain of the grid is free of floating-point
// flags. Otherwise it evaluates every cell.
bool LeavesOutCellsWithoutCompression(const GridPlane& plane);

}  // namespace quilex::biaxial
