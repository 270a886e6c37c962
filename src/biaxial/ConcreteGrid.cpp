#include "biaxial/ConcreteGrid.hpp"

#include <bit>
#include <cstdint>

namespace quilex::biaxial {
namespace {

// Adds the terms of cells first to last to the sums, in order.
[[gnu::always_inline]] inline void AddTerms(const double* dN, const double* dMx, const double* dMy,
                                            int first, int last, double& N, double& Mx,
                                            double& My) {
  double n = N, mx = Mx, my = My;
#pragma GCC unroll 4
  for (int j = first; j <= last; ++j) {
    n += dN[j];
    mx -= dMx[j];
    my -= dMy[j];
  }
  N = n;
  Mx = mx;
  My = my;
}

// The grid on lanes of one path. Every cell's strain and stress are computed (on lanes;
// ConcreteStressLanes evaluates the law as a plain loop would); a cell without stress adds
// exact zeros to the sums, so it is left out of them, as a plain loop would leave it out.
template <class Lanes>
[[gnu::always_inline]] inline GridForces GridOnLanes(const GridPlane& p) {
  using V = typename Lanes::V;
  using M = typename Lanes::M;
  constexpr int W = Lanes::kWidth;
  static_assert(kGridCells % W == 0 && kGridCells <= 64);

  const double B = p.B, H = p.H;
  const double dx = B / kGridCells;
  const double dy = H / kGridCells;
  const double dA = dy * dx;
  // Column terms are the same in every row.
  alignas(32) double xc[kGridCells];
  alignas(32) double xc_k[kGridCells];
  for (int j = 1; j <= kGridCells; ++j) {
    xc[j - 1] = (j - 0.5) * dx - B / 2;
    xc_k[j - 1] = xc[j - 1] * p.k;
  }
  const V a = Lanes::Broadcast(p.a);
  const V x = Lanes::Broadcast(p.x);
  const V kappa = Lanes::Broadcast(p.kappa);
  const V cell_area = Lanes::Broadcast(dA);

  // Rows in blocks: first the stressed cells of each row of the block and their terms, as a
  // plain loop forms them; then the sums, in the plain loop's order. (Apart, the sums keep
  // registers of their own.)
  constexpr int kBlock = 12;
  static_assert(kGridCells % kBlock == 0);
  alignas(32) double dN[kBlock][kGridCells];
  alignas(32) double dMx[kBlock][kGridCells];
  alignas(32) double dMy[kBlock][kGridCells];
  std::uint64_t stressed[kBlock];  // bit j of row r: cell j of the row carries stress
  double N = 0, Mx = 0, My = 0;
  for (int block = 0; block < kGridCells; block += kBlock) {
    for (int r = 0; r < kBlock; ++r) {
      const double yc = (block + r + 1 - 0.5) * dy - H / 2;
      const V yc_lanes = Lanes::Broadcast(yc);
      const V yc_s = Lanes::Broadcast(yc * p.s);
      std::uint64_t row = 0;
#pragma GCC unroll 15
      for (int j = 0; j < kGridCells; j += W) {
        const V u = a - (Lanes::Load(&xc_k[j]) + yc_s);
        const V sigma = flexure::ConcreteStressLanes<Lanes>((u - x) * kappa, p.fcd, p.eps_c2);
        const M carries = sigma != 0.0;
        const unsigned bits = Lanes::Bits(carries);
        if (bits == 0) continue;
        row |= std::uint64_t{bits} << j;
        // The lanes without stress multiply zeros by zero, which raises no flag: a stress of
        // +-0 times the area would give NaN for an infinite area, which a plain loop never
        // forms. (Their other factors, yc and xc, are operands of yc * s and xc * k already.)
        const V area = carries ? cell_area : V{};
        Lanes::Store(&dN[r][j], sigma * area);
        Lanes::Store(&dMx[r][j], yc_lanes * sigma * area);
        Lanes::Store(&dMy[r][j], Lanes::Load(&xc[j]) * sigma * area);
      }
      stressed[r] = row;
    }
    for (int r = 0; r < kBlock; ++r) {
      // The strain is monotone along a row and the magnitude of the stress in the strain,
      // so the stressed cells form one run, from the first to the last. Should they ever
      // not, the mask gives them one by one.
      const std::uint64_t row = stressed[r];
      if (row == 0) continue;
      const int first = std::countr_zero(row);
      const int last = 63 - std::countl_zero(row);
      if (row == (std::uint64_t{2} << last) - (std::uint64_t{1} << first)) {
        AddTerms(dN[r], dMx[r], dMy[r], first, last, N, Mx, My);
      } else {
        for (std::uint64_t rest = row; rest != 0; rest &= rest - 1) {
          const int j = std::countr_zero(rest);
          AddTerms(dN[r], dMx[r], dMy[r], j, j, N, Mx, My);
        }
      }
    }
  }
  return {N, Mx, My};
}

}  // namespace

GridForces ConcreteGridForces(const GridPlane& plane, flexure::LanePath path) {
  return flexure::OnLanes(
      path, [&]<class Lanes>()
                __attribute__((always_inline)) { return GridOnLanes<Lanes>(plane); });
}

}  // namespace quilex::biaxial
