// Resistance of a rectangle with individually placed bars under an axial force and a
// moment of any direction. A strain plane is the angle theta of the compressed side's
// direction and the depth x of the neutral axis below the most compressed corner; the
// depth is searched for the acting axial force, the angle for a wanted moment direction.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::biaxial {

// Reduces an angle to (-pi, pi].
double WrapAngle(double a);

// The inclination to the x axis, in (-90, 90] degrees, of the neutral axis of a plane whose
// compressed side lies in direction theta (rad).
double NeutralAxisInclination(double theta);

// One evaluation of a strain plane: the internal forces and the plane's key depths.
struct BiaxialState {
  double N = 0;
  double Mx = 0;      // compression on the side of positive y makes it positive
  double My = 0;      // compression on the side of positive x makes it positive
  double x = 0;       // neutral-axis depth below the most compressed corner
  double dmax = 0;    // depth of the deepest bar
  double htheta = 0;  // depth of the section across the neutral axis
  double eps_c = 0;   // strain at the most compressed corner
  double eps_s = 0;   // strain at the deepest bar
};

// The plane of angle theta and depth parameter t in (-1, 1) (t = 0: axis at mid-depth), the
// concrete's parabola of exponent `exponent` (2: the program's law).
BiaxialState BiaxialResultants(const RectangleWithBars& section, const MaterialSet& m,
                               double exponent, double theta, double t);

struct DepthSearch {
  BiaxialState state;  // of the last evaluation
  bool converged = false;
};

// Bisection of the depth parameter at angle theta until |N - Ned| <= tol, with at most
// maxit evaluations.
DepthSearch SolveNeutralAxisDepth(const RectangleWithBars& section, const MaterialSet& m,
                                  double exponent, double theta, double Ned, double tol, int maxit);

struct AxialLimits {
  double Nmin = 0;  // pure compression, negative
  double Nmax = 0;  // pure tension, positive
};

AxialLimits AxialCapacities(const RectangleWithBars& section, const MaterialSet& m);

struct AngleSearch {
  BiaxialState state;  // of the last depth search's last evaluation
  double theta = 0;    // the last trial angle
  bool converged = false;
};

// The pairs of neighbouring samples of a sweep (Mx[k], My[k], closing on itself) between
// which the direction of the moment passes phi, each as the index i of its second sample
// (the pair i - 1, i; i = n for the closing pair n - 1, 0), in the order of the samples.
// One pair when the origin lies inside the contour; two when it lies outside and the ray
// of direction phi meets the contour twice, none when it misses it.
std::vector<std::size_t> AngleBrackets(std::span<const double> Mx, std::span<const double> My,
                                       double phi);

// Bisection of the angle within bracket i of AngleBrackets until the moment vector points
// in direction phi.
AngleSearch SolveNeutralAxisAngleIn(const RectangleWithBars& section, const MaterialSet& m,
                                    double exponent, double Ned, double tol, int maxit,
                                    std::span<const double> theta, std::span<const double> Mx,
                                    std::span<const double> My, double phi, std::size_t i);

// Bisection of the angle, from the first bracket that a sweep of samples (theta[k], Mx[k], My[k],
// closing on itself) gives, until the moment vector points in direction phi. Nothing when
// there are no samples or no pair of neighbours brackets phi.
std::optional<AngleSearch> SolveNeutralAxisAngle(const RectangleWithBars& section,
                                                 const MaterialSet& m, double exponent, double Ned,
                                                 double tol, int maxit,
                                                 std::span<const double> theta,
                                                 std::span<const double> Mx,
                                                 std::span<const double> My, double phi);

// The strain field 1 to 6 of a final plane.
int StrainField(double x, double dmax, double htheta, double eps_c, double eps_s, double eps_cu,
                double eps_yd);

}  // namespace quilex::biaxial
