// Resistance of a polygon section under an axial force and a moment of any direction. A
// strain plane is the angle theta of its compressed side's direction and the depth x of its
// neutral axis below the most compressed fibre, with the pivots of the rectangle with bars:
// the most compressed fibre at eps_cu, the deepest bar at eps_ud, or the fibre at
// (1 - eps_c2 / eps_cu) of the depth at eps_c2. Its resultants are exact: the concrete by
// flexure::IntegrateConcrete over the outlines less the holes, the bars less the concrete
// they displace. Searches of the depth (for an axial force, or for a point on a ray from the
// origin) converge superlinearly (regula falsi, Anderson-Bjorck) from a neighbour's solution,
// so that neighbouring planes cost a few evaluations each.
//
// Example: the depth at which a section carries Ned = -500 kN with the compressed side
// towards +y (theta = pi/2), and its moments about the reference point:
//
//   const PolygonModel model = ModelOf(section);
//   const DepthSolution s = SolveDepth(model, m, DirectionOf(model, pi / 2), {.N = -500e3},
//                                      {}, 0.001, 1000);
//   // s.converged, |s.plane.N + 500e3| <= 0.001, s.plane.Mx > 0
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "biaxial/BiaxialResistance.hpp"
#include "flexure/PolygonIntegration.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::biaxial {

// A PolygonSection as the integration takes it.
struct PolygonModel {
  std::vector<std::vector<flexure::Point>> outlines;
  std::vector<std::vector<flexure::Point>> holes;
  std::vector<Bar> bars;
  double xr = 0;  // the reference point of the moments
  double yr = 0;
  double gross_area = 0;  // outlines less holes
  double steel_area = 0;
  // Whether the bars displace the concrete they occupy. Always so for a PolygonSection; the
  // other section types take the gross section, which comparisons with them set false for.
  bool net_section = true;
};

// The reference point defaults to the centroid of the gross concrete.
PolygonModel ModelOf(const PolygonSection& section);

// The geometry of the planes of one angle: the compressed side towards (k, s) = (cos theta,
// sin theta); a point (px, py) lies at depth a - (px k + py s) below the most compressed fibre.
struct PlaneDirection {
  double theta = 0;
  double k = 1;
  double s = 0;
  double a = 0;
  double htheta = 0;  // depth of the concrete across the neutral axis
  double dmax = 0;    // depth of the deepest bar (htheta without bars)
};

PlaneDirection DirectionOf(const PolygonModel& model, double theta);

// The resultants of one plane: N (tension positive) and the moments about the reference point
// (Mx positive when it compresses the side y > yr, My the side x > xr), and the plane's
// key values for its strain field.
struct PlaneResult {
  double N = 0;
  double Mx = 0;
  double My = 0;
  double x = 0;      // neutral-axis depth below the most compressed fibre
  double eps_c = 0;  // strain at the most compressed fibre (negative)
  double eps_s = 0;  // strain at the deepest bar
};

// The plane of depth parameter t in (-1, 1): x = htheta / 2 (tan(pi t / 2) + 1).
PlaneResult PolygonResultants(const PolygonModel& model, const MaterialSet& m,
                              const PlaneDirection& direction, double t);

// The uniform strain (tension positive) everywhere.
PlaneResult UniformResultants(const PolygonModel& model, const MaterialSet& m, double strain);

// The axial capacities: uniform shortening eps_c2 and every bar at eps_ud.
AxialLimits AxialCapacities(const PolygonModel& model, const MaterialSet& m);

// What a depth search makes zero: N - N_target - per_moment (Mx cos phi + My sin phi). With
// per_moment 0 the plane carries N_target; with N_target 0 and per_moment Ned / |M| its
// resultant lies on the ray through (Ned, |M| along phi).
struct DepthTarget {
  double N = 0;
  double per_moment = 0;
  double phi = 0;
};

struct DepthSolution {
  PlaneResult plane;  // of the last evaluation
  double t = 0;
  double slope = 0;  // of the residual in t, from the last two points
  bool converged = false;
};

// Where a search starts: t, and the residual's slope there if known (negative), from a
// neighbouring plane's solution.
struct DepthGuess {
  double t = 0;
  double slope = 0;
};

// Until |residual| <= tol, with at most maxit evaluations.
DepthSolution SolveDepth(const PolygonModel& model, const MaterialSet& m,
                         const PlaneDirection& direction, const DepthTarget& target,
                         const DepthGuess& guess, double tol, int maxit);

// Planes of `samples` angles evenly spaced, each solved for the target.
struct PolygonSweep {
  std::vector<double> theta;
  std::vector<DepthSolution> solutions;
  std::vector<double> Mx;
  std::vector<double> My;
  bool converged = true;
};

PolygonSweep SweepDirections(const PolygonModel& model, const MaterialSet& m,
                             const DepthTarget& target, int samples, double tol, int maxit);

// Whether the moments of a sweep turn once round the origin in steps below a quarter turn:
// then every direction has exactly one bracketing pair of samples.
bool WindsOnceInSmallSteps(const PolygonSweep& sweep);

struct DirectionSolution {
  DepthSolution depth;
  double theta = 0;
  bool converged = false;
};

// The plane whose moment points in direction phi, within bracket i of AngleBrackets.
DirectionSolution SolveDirectionIn(const PolygonModel& model, const MaterialSet& m,
                                   const DepthTarget& target, const PolygonSweep& sweep, double phi,
                                   std::size_t i, double tol, int maxit);

// Where direction phi meets the contour of a sweep, as for a rectangle with bars: the far
// crossing bounds the domain in that direction; with an even number of crossings the origin
// lies outside the contour and the nearest one bounds it towards the origin.
struct PolygonCrossings {
  DirectionSolution far;
  std::optional<double> near_magnitude;
  bool converged = true;
  double last_trial_angle = 0;
};

std::optional<PolygonCrossings> SearchCrossings(const PolygonModel& model, const MaterialSet& m,
                                                const DepthTarget& target,
                                                const PolygonSweep& sweep, double phi, double tol,
                                                int maxit);

// The strain field 1 to 6 of a final plane.
int PolygonStrainField(const PlaneDirection& direction, const PlaneResult& plane,
                       const MaterialSet& m);

}  // namespace quilex::biaxial
