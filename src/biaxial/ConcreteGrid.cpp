#include "biaxial/ConcreteGrid.hpp"

#include <bit>
#include <cstdint>

namespace quilex::biaxial {
namespace {

// The centres of the columns and rows and their terms of the depth, as a plain loop forms
// them (every one, whichever cells are then evaluated).
struct GridTerms {
  alignas(32) double xc[kGridCells];
  alignas(32) double xc_k[kGridCells];
  alignas(32) double yc[kGridCells];
  alignas(32) double yc_s[kGridCells];
};

[[gnu::always_inline]] inline void FillTerms(const GridPlane& p, double dx, double dy,
                                             GridTerms& t) {
  for (int j = 1; j <= kGridCells; ++j) {
    t.xc[j - 1] = (j - 0.5) * dx - p.B / 2;
    t.xc_k[j - 1] = t.xc[j - 1] * p.k;
  }
  for (int i = 1; i <= kGridCells; ++i) {
    t.yc[i - 1] = (i - 0.5) * dy - p.H / 2;
    t.yc_s[i - 1] = t.yc[i - 1] * p.s;
  }
}

// Whether v is a normal double of moderate magnitude, at least 2^-400 and below 2^400, or
// (with zero_too) 0: read from its bits, since a floating-point comparison could raise a flag
// of its own. Returns 0 if so, 1 if not.
[[gnu::always_inline]] inline std::uint64_t Immoderate(double v, bool zero_too) {
  constexpr std::uint64_t kLow = std::uint64_t{1023 - 400} << 52;   // 2^-400
  constexpr std::uint64_t kHigh = std::uint64_t{1023 + 400} << 52;  // 2^400
  // __builtin_bit_cast, not std::bit_cast: the WebAssembly build's libc++ 14 has none.
  const std::uint64_t magnitude = __builtin_bit_cast(std::uint64_t, v) & ~(std::uint64_t{1} << 63);
  return (magnitude - kLow >= kHigh - kLow) & !(zero_too && magnitude == 0);
}

// Whether the cells without compression may be left out and the law evaluated without
// branches (flexure::ModerateConcreteLawLanes), losing no floating-point flag: when a, x,
// kappa, every column term xc_k and every row term yc_s are 0 or moderate (Immoderate), and
// fcd and eps_c2 moderate. Then:
// - xc_k + yc_s, a - that and then - x are sums of finite doubles that are multiples of
//   2^-452 (each nonzero operand is at least 2^-400, and a double of magnitude at least
//   2^-400 is a multiple of 2^-452): each is 0 or at least 2^-452 in magnitude (never
//   subnormal) and below 2^403 (never overflowing), and no operand is infinite or NaN;
// - the strain (u - x) * kappa is 0 or of magnitude in [2^-852, 2^803]: neither an
//   underflow nor an overflow, and never subnormal or NaN;
// - the law compares such a strain with -eps_c2 and 0, none of them subnormal or NaN, and
//   a strain not below 0 has the stress 0 and no products.
// So the cells without compression raise no flag: only the stresses and products of cells
// with compression can, and those cells are always evaluated.
[[gnu::always_inline]] inline bool StrainsAndLawAreModerate(const GridPlane& p,
                                                            const GridTerms& t) {
  std::uint64_t immoderate = Immoderate(p.a, true) | Immoderate(p.x, true) |
                             Immoderate(p.kappa, true) | Immoderate(p.fcd, false) |
                             Immoderate(p.eps_c2, false);
  for (int j = 0; j < kGridCells; ++j)
    immoderate |= Immoderate(t.xc_k[j], true) | Immoderate(t.yc_s[j], true);
  return immoderate == 0;
}

// Adds the terms of cells first to last of a row to the sums, in order. One jump into a
// sequence of additions ending at the row's last cell, instead of a loop whose end (a
// different length in each row) the processor mispredicts.
#define QUILEX_ADD_TERM(k) \
  case k:                  \
    n += dN_end[-(k)];     \
    mx -= dMx_end[-(k)];   \
    my -= dMy_end[-(k)];   \
    [[fallthrough]];
#define QUILEX_ADD_4_TERMS(k) \
  QUILEX_ADD_TERM(k + 3) QUILEX_ADD_TERM(k + 2) QUILEX_ADD_TERM(k + 1) QUILEX_ADD_TERM(k)
[[gnu::always_inline]] inline void AddTerms(const double* dN, const double* dMx, const double* dMy,
                                            int first, int last, double& N, double& Mx,
                                            double& My) {
  static_assert(kGridCells == 60);
  const double* dN_end = dN + last + 1;
  const double* dMx_end = dMx + last + 1;
  const double* dMy_end = dMy + last + 1;
  double n = N, mx = Mx, my = My;
  switch (last + 1 - first) {
    QUILEX_ADD_4_TERMS(57)
    QUILEX_ADD_4_TERMS(53)
    QUILEX_ADD_4_TERMS(49)
    QUILEX_ADD_4_TERMS(45)
    QUILEX_ADD_4_TERMS(41)
    QUILEX_ADD_4_TERMS(37)
    QUILEX_ADD_4_TERMS(33)
    QUILEX_ADD_4_TERMS(29)
    QUILEX_ADD_4_TERMS(25)
    QUILEX_ADD_4_TERMS(21)
    QUILEX_ADD_4_TERMS(17)
    QUILEX_ADD_4_TERMS(13)
    QUILEX_ADD_4_TERMS(9)
    QUILEX_ADD_4_TERMS(5)
    QUILEX_ADD_4_TERMS(1)
    default:
      break;
  }
  N = n;
  Mx = mx;
  My = my;
}
#undef QUILEX_ADD_4_TERMS
#undef QUILEX_ADD_TERM

// The grid on lanes of one path.
//
// A cell without stress adds exact zeros to the sums, so it is left out of them, as a plain
// loop leaves it out. Which cells are evaluated at all:
// - When StrainsAndLawAreModerate holds, only the cells with compression (strain below 0),
//   and at most one group of lanes more in a row. The strain of a row is a chain of rounded
//   sums and products of the column's term xc_k with operands fixed for the row, each
//   monotone in that term, and xc_k is monotone in the column: so the strain is monotone
//   along the row, and the cells with compression are a run at one of its ends. The strains
//   of every row's first and last cells are evaluated first, several rows at a time. A row
//   with neither compressed has no compression; with both, it is compressed throughout;
//   with one, its groups of lanes are evaluated from that end until one is not compressed
//   throughout. Every decision compares strains evaluated as a plain loop evaluates them.
// - Otherwise every cell, with the law of the plain loop, so that every flag a plain loop
//   raises is raised.
template <class Lanes, bool kModerate>
[[gnu::always_inline]] inline GridForces GridCells(const GridPlane& p, const GridTerms& terms,
                                                   double dA) {
  using V = typename Lanes::V;
  using M = typename Lanes::M;
  constexpr int W = Lanes::kWidth;
  constexpr unsigned kAllLanes = (1u << W) - 1;
  constexpr int kLast = kGridCells - W;  // the last group of lanes of a row
  static_assert(kGridCells % W == 0 && kGridCells <= 64);

  // (Copies: the stores of the terms could alias the plane, as far as the compiler knows.)
  const double fcd = p.fcd, eps_c2 = p.eps_c2;
  const flexure::ModerateConcreteLawLanes<Lanes> moderate_law(fcd, eps_c2);
  const V a = Lanes::Broadcast(p.a);
  const V x = Lanes::Broadcast(p.x);
  const V kappa = Lanes::Broadcast(p.kappa);
  const V cell_area = Lanes::Broadcast(dA);
  const auto strain = [&](V xc_k, V yc_s) __attribute__((always_inline)) {
    return (a - (xc_k + yc_s) - x) * kappa;
  };

  // Bit i: the first (last) cell of row i is compressed. Where every cell is evaluated,
  // every row counts as compressed at both ends.
  std::uint64_t first_compressed = ~std::uint64_t{0};
  std::uint64_t last_compressed = ~std::uint64_t{0};
  if constexpr (kModerate) {
    first_compressed = 0;
    last_compressed = 0;
    const V first_xc_k = Lanes::Broadcast(terms.xc_k[0]);
    const V last_xc_k = Lanes::Broadcast(terms.xc_k[kGridCells - 1]);
    for (int i = 0; i < kGridCells; i += W) {
      const V yc_s = Lanes::Load(&terms.yc_s[i]);
      first_compressed |= std::uint64_t{Lanes::Bits(strain(first_xc_k, yc_s) < 0.0)} << i;
      last_compressed |= std::uint64_t{Lanes::Bits(strain(last_xc_k, yc_s) < 0.0)} << i;
    }
  }

  // Rows in blocks: first the stressed cells of each row of the block and their terms, as a
  // plain loop forms them; then the sums, in the plain loop's order. (Apart, the sums keep
  // registers of their own.)
  constexpr int kBlock = 4;
  static_assert(kGridCells % kBlock == 0);
  alignas(32) double dN[kBlock][kGridCells];
  alignas(32) double dMx[kBlock][kGridCells];
  alignas(32) double dMy[kBlock][kGridCells];
  std::uint64_t stressed[kBlock];  // bit j of row r: cell j of the row carries stress
  double N = 0, Mx = 0, My = 0;
  for (int block = 0; block < kGridCells; block += kBlock) {
    constexpr std::uint64_t kBlockRows = (std::uint64_t{1} << kBlock) - 1;
    if ((((first_compressed | last_compressed) >> block) & kBlockRows) == 0) continue;
    for (int r = 0; r < kBlock; ++r) {
      const int i = block + r;
      const V yc = Lanes::Broadcast(terms.yc[i]);
      const V yc_s = Lanes::Broadcast(terms.yc_s[i]);
      std::uint64_t row = 0;
      // Cells j to j + W - 1 of the row: their stresses and, for those that carry one,
      // their terms. Returns the cells with compression.
      const auto cells = [&](int j) __attribute__((always_inline)) {
        const V eps = strain(Lanes::Load(&terms.xc_k[j]), yc_s);
        V sigma;
        if constexpr (kModerate) {
          sigma = moderate_law(eps);
        } else {
          sigma = flexure::ConcreteStressLanes<Lanes>(eps, fcd, eps_c2);
        }
        const M carries = sigma != 0.0;
        const unsigned bits = Lanes::Bits(carries);
        if (bits != 0) {
          row |= std::uint64_t{bits} << j;
          // The lanes without stress multiply zeros by zero, which raises no flag: a stress
          // of +-0 times the area would give NaN for an infinite area, which a plain loop
          // never forms. (Their other factors, yc and xc, are operands of yc * s and xc * k
          // already.)
          const V area = carries ? cell_area : V{};
          Lanes::Store(&dN[r][j], sigma * area);
          Lanes::Store(&dMx[r][j], yc * sigma * area);
          Lanes::Store(&dMy[r][j], Lanes::Load(&terms.xc[j]) * sigma * area);
        }
        return Lanes::Bits(eps < 0.0);
      };
      const bool first = (first_compressed >> i) & 1;
      const bool last = (last_compressed >> i) & 1;
      if (first && last) {
#pragma GCC unroll 15
        for (int j = 0; j < kGridCells; j += W)
          cells(j);
      } else if (first) {
        for (int j = 0; j < kGridCells && cells(j) == kAllLanes; j += W) {
        }
      } else if (last) {
        for (int j = kLast; j >= 0 && cells(j) == kAllLanes; j -= W) {
        }
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

template <class Lanes>
[[gnu::always_inline]] inline GridForces GridOnLanes(const GridPlane& p) {
  const double dx = p.B / kGridCells;
  const double dy = p.H / kGridCells;
  const double dA = dy * dx;
  GridTerms terms;
  FillTerms(p, dx, dy, terms);
  return StrainsAndLawAreModerate(p, terms) ? GridCells<Lanes, true>(p, terms, dA)
                                            : GridCells<Lanes, false>(p, terms, dA);
}

// Every cell, one by one, with the law of exponent p.exponent: the plain loop the lanes
// reproduce, for the exponent they do not cover.
GridForces PlainGrid(const GridPlane& p) {
  const double dx = p.B / kGridCells;
  const double dy = p.H / kGridCells;
  const double dA = dy * dx;
  GridTerms t;
  FillTerms(p, dx, dy, t);
  GridForces f;
  for (int i = 0; i < kGridCells; ++i) {
    for (int j = 0; j < kGridCells; ++j) {
      const double eps = (p.a - (t.xc_k[j] + t.yc_s[i]) - p.x) * p.kappa;
      const double sigma = flexure::ConcreteStress(eps, p.fcd, p.eps_c2, p.exponent);
      if (sigma == 0) continue;
      f.N += sigma * dA;
      f.Mx -= t.yc[i] * sigma * dA;
      f.My -= t.xc[j] * sigma * dA;
    }
  }
  return f;
}

}  // namespace

GridForces ConcreteGridForces(const GridPlane& plane, flexure::LanePath path) {
  if (plane.exponent != 2) return PlainGrid(plane);
  return flexure::OnLanes(
      path, [&]<class Lanes>()
                __attribute__((always_inline)) { return GridOnLanes<Lanes>(plane); });
}

bool LeavesOutCellsWithoutCompression(const GridPlane& plane) {
  GridTerms terms;
  FillTerms(plane, plane.B / kGridCells, plane.H / kGridCells, terms);
  return StrainsAndLawAreModerate(plane, terms);
}

}  // namespace quilex::biaxial
