// Polygon sections against numbers worked out by hand (docs/method.md, "Polygon sections"),
// against the other section types where they describe the same section, and against the
// invariants of any shape: moving, turning, mirroring or cutting the section changes
// nothing but rounding, and a point of the boundary has both ratios 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "biaxial/PolygonResistance.hpp"
#include "quilex/quilex.hpp"

namespace quilex {
namespace {

using Ring = std::vector<Vertex>;

const MaterialSet kM = LookupMaterials("IT", "B450C", "C25/30");
// The searches stop within 0.001 N of the axial force and 1e-12 rad of the direction: the
// resisting moments they give carry relative errors far below this.
constexpr double kSearch = 1e-9;

PolygonSection Section(std::vector<Ring> outlines, std::vector<Bar> bars,
                       std::vector<Ring> holes = {}) {
  PolygonSection s;
  s.outlines = std::move(outlines);
  s.holes = std::move(holes);
  s.bars = std::move(bars);
  return s;
}

Ring RegularPolygon(int n, double radius, double phase = 0) {
  Ring ring;
  for (int k = 0; k < n; ++k) {
    const double a = phase + 2 * std::numbers::pi * k / n;
    ring.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return ring;
}

// An I girder 1000 mm deep (flanges 600 x 150 on top, 400 x 150 below, web 200), six bars of
// 314.16 mm² 50 mm above its bottom. In pure bending the bars yield and the concrete's
// stress block 17/21 fcd b x lies in the top flange, its resultant 99/238 x below the top:
//   x = As fyd / (17/21 fcd 600) = 107.19 mm, Mrd = As fyd (950 - 99/238 x) = 667.8 kN·m,
// the bars' strain 3.5 ‰ (950 - x) / x = 27.5 ‰ (yielded, below eps_ud): strain field 3.
TEST(PolygonSection, IGirderInPureBendingIsTheStressBlock) {
  const Ring girder{{-200, 0},   {200, 0},     {200, 150},  {100, 150},  {100, 850},  {300, 850},
                    {300, 1000}, {-300, 1000}, {-300, 850}, {-100, 850}, {-100, 150}, {-200, 150}};
  std::vector<Bar> bars;
  for (const double x : {-150, -90, -30, 30, 90, 150})
    bars.push_back({x, 50, 314.16});
  const PolygonSection s = Section({girder}, bars);
  const double As_fyd = 6 * 314.16 * kM.fyd;
  const double x = As_fyd / (17.0 / 21 * kM.fcd * 600);
  const double Mrd = As_fyd * (950 - 99.0 / 238 * x);
  ASSERT_NEAR(x, 107.19, 0.01);
  ASSERT_NEAR(Mrd / 1e6, 667.8, 0.1);

  const PolygonVerification v = Verify(s, kM, {.Ned = 0, .Mx = 500e6});
  EXPECT_EQ(v.bending, BendingOutcome::Resisted);
  EXPECT_NEAR(v.Mrd, Mrd, kSearch * Mrd);
  EXPECT_NEAR(v.Mrdy, 0, kSearch * Mrd);
  EXPECT_NEAR(*v.MRx, Mrd, kSearch * Mrd);
  EXPECT_NEAR(*v.neutral_axis_depth, x, 1e-6);
  EXPECT_NEAR(*v.epsilon, x / 950, 1e-9);
  EXPECT_NEAR(*v.alpha, 0, 1e-9);
  EXPECT_NEAR(*v.compression_angle, std::numbers::pi / 2, 1e-9);  // the top flange
  EXPECT_EQ(v.campo, 3);
  EXPECT_NEAR(*v.rho_M, 500e6 / Mrd, 1e-9);
  // At Ned = 0 the ray from the origin runs at constant N: the two ratios agree.
  EXPECT_NEAR(*v.rho_radial, *v.rho_M, 1e-9);
  EXPECT_EQ(v.shear_x, ShearOutcome::NotChecked);
  EXPECT_TRUE(v.verified());
  // A shear force that was not checked cannot pass.
  EXPECT_FALSE(Verify(s, kM, {.Ned = 0, .Mx = 500e6, .Vy = 1}).verified());
  // The gross area: two flanges and the web.
  EXPECT_DOUBLE_EQ(v.gross_concrete_area, 600 * 150 + 400 * 150 + 200 * 700);
  EXPECT_DOUBLE_EQ(v.net_concrete_area, v.gross_concrete_area - 6 * 314.16);
}

// An L-shaped wall: a 250 mm leg from y = 0 to 1500 at x = 0..250 on a 250 mm flange from x =
// 0 to 1200. The plane with the top (y = 1500) at eps_cu and the neutral axis 200 mm below
// compresses only the 250 x 200 top of the leg: C = 17/21 fcd 250 · 200 at x = 125, 99/238 ·
// 200 below the top. The two bars there (y = 1450, strain 2.625 ‰) yield in compression and
// displace concrete on the plateau (fcd); the four below (y = 50, 21.9 ‰) yield in tension.
// Taken about the centroid of the L (357.65, 507.65), that plane's N, Mx and My is a point
// of the boundary whose moment is skew: verified there, both ratios are 1, and the search
// finds the same plane again.
TEST(PolygonSection, LWallPointOfTheBoundaryUnderBiaxialBending) {
  const Ring wall{{0, 0}, {1200, 0}, {1200, 250}, {250, 250}, {250, 1500}, {0, 1500}};
  const std::vector<Bar> top{{50, 1450, 314.16}, {200, 1450, 314.16}};
  const std::vector<Bar> bottom{
      {50, 50, 490.87}, {400, 50, 490.87}, {800, 50, 490.87}, {1150, 50, 490.87}};
  std::vector<Bar> bars = top;
  bars.insert(bars.end(), bottom.begin(), bottom.end());
  const PolygonSection s = Section({wall}, bars);
  const double A = 250.0 * 1500 + 950.0 * 250;
  const double xr = (250.0 * 1500 * 125 + 950.0 * 250 * 725) / A;
  const double yr = (250.0 * 1500 * 750 + 950.0 * 250 * 125) / A;
  ASSERT_NEAR(xr, 357.65, 0.01);
  ASSERT_NEAR(yr, 507.65, 0.01);
  const double C = 17.0 / 21 * kM.fcd * 250 * 200;
  double N = -C, Mx = C * (1500 - 99.0 / 238 * 200 - yr), My = C * (125 - xr);
  for (const Bar& b : top) {  // -fyd, less the displaced fcd: tension positive
    const double f = (-kM.fyd + kM.fcd) * b.area;
    N += f;
    Mx -= (b.y - yr) * f;
    My -= (b.x - xr) * f;
  }
  for (const Bar& b : bottom) {
    const double f = kM.fyd * b.area;
    N += f;
    Mx -= (b.y - yr) * f;
    My -= (b.x - xr) * f;
  }
  const PolygonVerification v = Verify(s, kM, {.Ned = N, .Mx = Mx, .My = My});
  ASSERT_EQ(v.bending, BendingOutcome::Resisted);
  const double M = std::hypot(Mx, My);
  EXPECT_NEAR(*v.rho_M, 1, kSearch);
  EXPECT_NEAR(*v.rho_radial, 1, kSearch);
  EXPECT_NEAR(v.Mrdx, Mx, kSearch * M);
  EXPECT_NEAR(v.Mrdy, My, kSearch * M);
  EXPECT_NEAR(*v.alpha, 0, 1e-7);
  EXPECT_NEAR(*v.neutral_axis_depth, 200, 1e-5);
  EXPECT_EQ(v.campo, 3);
  // Ten per cent more of everything lies outside, whichever ratio decides.
  const BiaxialActions beyond{.Ned = 1.1 * N, .Mx = 1.1 * Mx, .My = 1.1 * My};
  const PolygonVerification out =
      Verify(s, kM, beyond, {.verdict_ratio = UtilisationRatio::Radial});
  EXPECT_NEAR(*out.rho_radial, 1.1, kSearch);
  EXPECT_GT(*out.rho_M, 1);
  EXPECT_FALSE(out.verified());
}

// A hollow circular pier as 256-gons, outer radius 900, inner 600, 24 bars of 491 mm² on a
// radius of 830. Its compressive capacity: fcd on the net area and every bar at -fyd, the
// area of a regular n-gon being n r² sin(2 pi / n) / 2. In compression and bending, the
// resisting moment against an integration written out independently: the chord of a
// polygon at depth u is linear between the depths of its vertices, so the width integral
// of sigma(u) w(u) is exact piece by piece with three-point Gauss.
TEST(PolygonSection, HollowPierInCompressionAndBending) {
  constexpr int n = 256;
  std::vector<Bar> bars;
  for (int k = 0; k < 24; ++k) {
    const double a = 2 * std::numbers::pi * k / 24;
    bars.push_back({830 * std::cos(a), 830 * std::sin(a), 490.87});
  }
  const PolygonSection s = Section({RegularPolygon(n, 900)}, bars, {RegularPolygon(n, 600)});
  const double ring_area = n * (900.0 * 900 - 600.0 * 600) * std::sin(2 * std::numbers::pi / n) / 2;
  const double As = 24 * 490.87;
  const double Nc = -kM.fcd * (ring_area - As) - kM.fyd * As;
  const std::vector<DomainPoint> domain = InteractionDomain(s, kM, 0);
  ASSERT_EQ(domain.size(), 101u);
  EXPECT_NEAR(domain[0].N, Nc, 1e-9 * -Nc);
  EXPECT_NEAR(domain[0].M, 0, 1e-9 * -Nc);

  // The plane of the top at eps_cu, the neutral axis x = 1100 below it: strain at depth u
  // (tension positive) 0.0035 (u - x) / x.
  const double x = 1100;
  const auto strain = [x](double u) { return 0.0035 * (u - x) / x; };
  const auto sigma_c = [&](double u) {  // compression positive
    const double e = -strain(u);
    if (e <= 0) return 0.0;
    if (e >= kM.eps_c2) return kM.fcd;
    const double r = 1 - e / kM.eps_c2;
    return kM.fcd * (1 - r * r);
  };
  // Chord of a centred regular n-gon of radius r at height y.
  const auto chord = [](double r, double y) {
    double w = 0;
    for (int k = 0; k < n; ++k) {
      const double a0 = 2 * std::numbers::pi * k / n, a1 = 2 * std::numbers::pi * (k + 1) / n;
      const double y0 = r * std::sin(a0), y1 = r * std::sin(a1);
      if ((y0 - y) * (y1 - y) < 0 || (y0 == y && y1 != y)) {
        const double xc =
            r * std::cos(a0) + (y - y0) / (y1 - y0) * r * (std::cos(a1) - std::cos(a0));
        w += y1 > y0 ? xc : -xc;  // counter-clockwise: rising edges on the right
      }
    }
    return w;
  };
  const auto steel = [](double e) { return std::clamp(kM.Es * e, -kM.fyd, kM.fyd); };
  std::vector<double> breaks{0, 1800, x - kM.eps_c2 / 0.0035 * x, x};
  for (int k = 0; k < n; ++k)
    for (const double r : {900.0, 600.0})
      breaks.push_back(900 - r * std::sin(2 * std::numbers::pi * k / n));
  std::sort(breaks.begin(), breaks.end());
  const double g[3] = {0.5 - 0.5 * std::sqrt(0.6), 0.5, 0.5 + 0.5 * std::sqrt(0.6)};
  const double w[3] = {5.0 / 18, 8.0 / 18, 5.0 / 18};
  double C = 0, CM = 0;
  for (std::size_t i = 1; i < breaks.size(); ++i) {
    const double u0 = std::clamp(breaks[i - 1], 0.0, 1800.0),
                 u1 = std::clamp(breaks[i], 0.0, 1800.0);
    for (int q = 0; q < 3; ++q) {
      const double u = u0 + (u1 - u0) * g[q], y = 900 - u;
      const double f = w[q] * (u1 - u0) * sigma_c(u) * (chord(900, y) - chord(600, y));
      C += f;
      CM += f * y;
    }
  }
  double N = -C, M = CM;
  for (const Bar& b : bars) {
    const double e = strain(900 - b.y);
    const double f = (steel(e) + (e < 0 ? sigma_c(900 - b.y) : 0)) * b.area;
    N += f;
    M -= b.y * f;
  }
  const PolygonVerification v = Verify(s, kM, {.Ned = N, .Mx = 0.5 * M});
  ASSERT_EQ(v.bending, BendingOutcome::Resisted);
  EXPECT_NEAR(v.Mrd, M, 1e-7 * M);
  EXPECT_NEAR(*v.neutral_axis_depth, x, 1e-3);
  EXPECT_NEAR(*v.rho_M, 0.5, 1e-7);
}

// The resisting moment along x at Ned of a polygon section whose bars do not displace the
// concrete, as the R, C and D types count them.
double GrossSectionMrd(const PolygonSection& s, double Ned) {
  biaxial::PolygonModel model = biaxial::ModelOf(s);
  model.net_section = false;
  const biaxial::DepthTarget target{.N = Ned};
  const biaxial::PolygonSweep sweep = biaxial::SweepDirections(model, kM, target, 8, 0.001, 1000);
  const auto c = biaxial::SearchCrossings(model, kM, target, sweep, 0, 0.001, 1000);
  return std::hypot(c->far.depth.plane.Mx, c->far.depth.plane.My);
}

// Where the polygon describes an R, a D or (as a 256-gon) a C section, the existing types'
// strips or grid converge on its exact integration, once the bars' displaced concrete is put
// back. The net section resists less wherever bars are compressed.
TEST(PolygonSection, OtherSectionTypesConvergeOnTheExactIntegration) {
  const RectangularSection beam{300, 500, 40, 628.32, 942.48, {}};
  const std::vector<Bar> bars{{-110, 210, 314.16},
                              {110, 210, 314.16},
                              {-110, -210, 314.16},
                              {0, -210, 314.16},
                              {110, -210, 314.16}};
  const PolygonSection rectangle =
      Section({{{-150, -250}, {150, -250}, {150, 250}, {-150, 250}}}, bars);
  for (const double Ned : {-1200e3, -500e3, 0.0, 300e3}) {
    const double exact = GrossSectionMrd(rectangle, Ned);
    const double coarse = Verify(beam, kM, {.Ned = Ned, .Med = 1}).Mrd;
    const double fine = Verify(beam, kM, {.Ned = Ned, .Med = 1}, {.strips = 10000}).Mrd;
    EXPECT_LT(std::fabs(fine - exact), std::fabs(coarse - exact)) << Ned;
    EXPECT_NEAR(fine, exact, 1e-6 * exact) << Ned;
    const RectangleWithBars grid{300, 500, {}, bars};
    // 60 x 60 cells: an error of the order of 1e-4.
    EXPECT_NEAR(Verify(grid, kM, {.Ned = Ned, .Mx = 1}).Mrd, exact, 5e-4 * exact) << Ned;
    const double net = Verify(rectangle, kM, {.Ned = Ned, .Mx = 1}).Mrd;
    if (Ned < 0) {
      EXPECT_LT(net, exact) << Ned;
    }
  }
  const CircularSection circle{600, 50, 8, 20, {}};
  std::vector<Bar> ring;
  for (int k = 0; k < 8; ++k) {  // the first at the lowest point
    const double a = 2 * std::numbers::pi * k / 8;
    ring.push_back({250 * std::sin(a), -250 * std::cos(a), std::numbers::pi / 4 * 400});
  }
  const PolygonSection polygon = Section({RegularPolygon(256, 300)}, ring);
  for (const double Ned : {-2000e3, -500e3, 0.0}) {
    const double exact = GrossSectionMrd(polygon, Ned);
    const double fine = Verify(circle, kM, {.Ned = Ned, .Med = 1}, {.strips = 10000}).Mrd;
    // The 256-gon has 1 - sin(2 pi / 256) / (2 pi / 256) = 1.0e-4 less area than its circle.
    EXPECT_NEAR(fine, exact, 3e-4 * exact) << Ned;
  }
}

// Moving, turning by 30°, mirroring and cutting the L wall into two rectangles (with the
// actions moved, turned and mirrored alike) change nothing but rounding.
TEST(PolygonSection, MovingTurningMirroringAndCuttingChangeNothing) {
  const std::vector<Bar> bars{{50, 1450, 314.16}, {200, 1450, 314.16}, {50, 50, 490.87},
                              {600, 50, 490.87},  {1150, 50, 490.87},  {1150, 200, 490.87}};
  const PolygonSection wall =
      Section({{{0, 0}, {1200, 0}, {1200, 250}, {250, 250}, {250, 1500}, {0, 1500}}}, bars);
  const BiaxialActions actions{.Ned = -800e3, .Mx = 300e6, .My = -150e6};
  const PolygonVerification v = Verify(wall, kM, actions);
  ASSERT_EQ(v.bending, BendingOutcome::Resisted);
  const auto same = [&](const PolygonSection& s, const BiaxialActions& a, const char* what) {
    const PolygonVerification w = Verify(s, kM, a);
    EXPECT_EQ(w.bending, BendingOutcome::Resisted) << what;
    EXPECT_NEAR(w.Mrd, v.Mrd, kSearch * v.Mrd) << what;
    EXPECT_NEAR(*w.rho_M, *v.rho_M, kSearch) << what;
    EXPECT_NEAR(*w.rho_radial, *v.rho_radial, kSearch) << what;
    EXPECT_NEAR(*w.neutral_axis_depth, *v.neutral_axis_depth, 1e-6) << what;
    EXPECT_EQ(w.campo, v.campo) << what;
    return w;
  };
  const auto mapped = [&](auto f) {
    PolygonSection s = wall;
    for (Vertex& p : s.outlines[0])
      p = f(p);
    for (Bar& b : s.bars) {
      const Vertex p = f(Vertex{b.x, b.y});
      b.x = p.x;
      b.y = p.y;
    }
    return s;
  };
  same(mapped([](Vertex p) { return Vertex{p.x + 1000, p.y - 700}; }), actions, "moved");
  // Turned by beta, the side a moment compresses turns with it: that side lies along (My, Mx).
  const double beta = std::numbers::pi / 6, c = std::cos(beta), s = std::sin(beta);
  const PolygonVerification turned = same(mapped([=](Vertex p) {
                                            return Vertex{c * p.x - s * p.y, s * p.x + c * p.y};
                                          }),
                                          {.Ned = actions.Ned,
                                           .Mx = s * actions.My + c * actions.Mx,
                                           .My = c * actions.My - s * actions.Mx},
                                          "turned");
  EXPECT_NEAR(std::remainder(*turned.alpha - *v.alpha - 30, 180), 0, 1e-7);
  const PolygonVerification mirrored =
      same(mapped([](Vertex p) {
             return Vertex{-p.x, p.y};
           }),
           {.Ned = actions.Ned, .Mx = actions.Mx, .My = -actions.My}, "mirrored");
  EXPECT_NEAR(mirrored.Mrdy, -v.Mrdy, kSearch * v.Mrd);
  PolygonSection cut = wall;
  cut.outlines = {{{0, 0}, {1200, 0}, {1200, 250}, {0, 250}},
                  {{0, 250}, {250, 250}, {250, 1500}, {0, 1500}}};
  same(cut, actions, "cut");
}

// A pure axial force on a doubly symmetric section reaches the boundary at the capacity; a
// force beyond it is an outcome, not an error; the diagrams' points lie on the boundary.
TEST(PolygonSection, AxialLimitsAndDiagrams) {
  const PolygonSection s =
      Section({{{-150, -250}, {150, -250}, {150, 250}, {-150, 250}}},
              {{-110, -210, 314.16}, {110, -210, 314.16}, {-110, 210, 314.16}, {110, 210, 314.16}});
  const double As = 4 * 314.16;
  const double Nc = -kM.fcd * (150000 - As) - kM.fyd * As, Nt = kM.fyd * As;
  const PolygonVerification half = Verify(s, kM, {.Ned = Nc / 2});
  EXPECT_NEAR(*half.rho_radial, 0.5, 1e-6);
  EXPECT_EQ(*half.rho_M, 0);
  EXPECT_EQ(Verify(s, kM, {.Ned = 1.01 * Nt}).bending, BendingOutcome::AxialForceOutsideDomain);
  EXPECT_FALSE(Verify(s, kM, {.Ned = 1.01 * Nt}).verified());

  const std::vector<MomentPoint> contour = MomentContour(s, kM, -600e3, 36);
  ASSERT_EQ(contour.size(), 37u);
  for (const std::size_t k : {3u, 10u, 22u}) {
    const PolygonVerification v =
        Verify(s, kM, {.Ned = -600e3, .Mx = contour[k].Mx, .My = contour[k].My});
    EXPECT_NEAR(*v.rho_M, 1, 1e-6) << k;
    EXPECT_NEAR(*v.alpha, std::remainder(10.0 * k - 90, 180), 1e-6) << k;
  }
  EXPECT_TRUE(MomentContour(s, kM, 1.01 * Nt).empty());
  const SurfaceMesh mesh = ResistanceSurface(s, kM, 5, 12);
  ASSERT_EQ(mesh.N.size(), 5u);
  ASSERT_EQ(mesh.moments.size(), 60u);
  EXPECT_TRUE(mesh.complete);
  EXPECT_NEAR(mesh.N_compression, Nc, 1e-9 * -Nc);
  EXPECT_NEAR(mesh.N[0], Nc + (Nt - Nc) / 6, 1e-9 * -Nc);
  const PolygonVerification on =
      Verify(s, kM, {.Ned = mesh.N[2], .Mx = mesh.moments[29].Mx, .My = mesh.moments[29].My});
  EXPECT_NEAR(*on.rho_M, 1, 1e-6);
  const std::vector<DomainPoint> domain = InteractionDomain(s, kM, 90);
  for (const std::size_t k : {10u, 60u}) {
    ASSERT_TRUE(domain[k].converged);
    const PolygonVerification v = Verify(s, kM, {.Ned = domain[k].N, .My = domain[k].M});
    EXPECT_NEAR(*v.rho_M, 1, 1e-9) << k;
    EXPECT_GT(k < 50 ? domain[k].M : -domain[k].M, 0) << k;
  }
}

}  // namespace
}  // namespace quilex
