// The boundary of a section's M-N interaction domain, and the contour of resisting moments
// of a RectangleWithBars: the points domplot.txt holds, as numbers.
//
// InteractionDomain() traces the closed boundary of the pairs (N, M) an R, T or C section
// resists, in 101 points: the uniform compression state, 49 points of the branch of
// positive moments, the uniform tension state, 49 points of the branch of negative moments,
// and the first point again. The 49 axial forces of each branch divide the range from the
// compressive to the tensile capacity into 50 equal steps. N is in N (tension positive), M
// in N·mm; domplot.txt prints -N in kN and M in kN·m, so that compression plots to the
// right:
//
//   const std::vector<quilex::DomainPoint> points =
//       quilex::InteractionDomain(beam, quilex::LookupMaterials("IT", "B450C", "C25/30"));
//   // points[0].N ≈ -2739.66e3 (the compressive capacity), points[0].M ≈ -25.82e6,
//   // points.size() == 101, points[100] is points[0]
//
// MomentContour() gives the resisting moments (Mx, My) of a RectangleWithBars under the
// axial force Ned for 72 directions of the neutral axis, 5 degrees apart, and the first
// again (73 points); it is empty when Ned lies at or beyond the axial capacities or a
// direction's depth search does not converge.
//
// For a PolygonSection, the same diagrams in any direction, and the whole resistance surface
// as a mesh (see below).
//
// All throw InvalidInput for values the computation cannot use, like the verifications.
#pragma once

#include <vector>

#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"
#include "quilex/verification.hpp"

namespace quilex {

struct DomainPoint {
  double N = 0;  // axial force, N, tension positive
  double M = 0;  // resisting moment, N·mm; 0 where the search did not converge
  bool converged = true;
};

std::vector<DomainPoint> InteractionDomain(const RectangularSection& section,
                                           const MaterialSet& materials,
                                           const Settings& settings = {},
                                           IterationLog* log = nullptr);
std::vector<DomainPoint> InteractionDomain(const TSection& section, const MaterialSet& materials,
                                           const Settings& settings = {},
                                           IterationLog* log = nullptr);
std::vector<DomainPoint> InteractionDomain(const CircularSection& section,
                                           const MaterialSet& materials,
                                           const Settings& settings = {},
                                           IterationLog* log = nullptr);

std::vector<MomentPoint> MomentContour(const RectangleWithBars& section,
                                       const MaterialSet& materials, double Ned,
                                       const Settings& settings = {});

// PolygonSection: the M-N domain for moments in one direction, `angle` degrees from the x
// axis to the moment vector (0: Mx, compressing the side y > 0; 90: My). In the 101 points of
// the other types: M is the resisting moment along that direction (the neutral axis turned
// until the moment points there), negative on the branch of the opposite direction; the two
// ends are the uniform states, M their moment's component along the direction. A level
// whose search found no moment in the direction (its contour does not reach that way) is
// not converged.
std::vector<DomainPoint> InteractionDomain(const PolygonSection& section,
                                           const MaterialSet& materials, double angle,
                                           const Settings& settings = {});

// PolygonSection: the resisting moments at Ned of `directions` neutral axes evenly turned
// (the compressed side at 360° k / directions from the x axis), and the first again; empty
// as for a RectangleWithBars.
std::vector<MomentPoint> MomentContour(const PolygonSection& section, const MaterialSet& materials,
                                       double Ned, int directions = 72,
                                       const Settings& settings = {});

// The resistance surface N-Mx-My of a PolygonSection as a mesh: contours at `levels` axial
// forces evenly spaced strictly between the capacities, closed by the two uniform states.
struct SurfaceMesh {
  std::vector<double> N;  // the levels, from compression to tension
  int directions = 0;     // points per level (the contour's first point not repeated)
  // levels x directions points, level after level; a point whose depth search did not
  // converge is (0, 0) and clears `complete`.
  std::vector<MomentPoint> moments;
  double N_compression = 0;    // the compressive capacity (uniform shortening eps_c2)
  MomentPoint at_compression;  // its moments about the reference point
  double N_tension = 0;        // the tensile capacity (every bar at eps_ud)
  MomentPoint at_tension;
  bool complete = true;
};

SurfaceMesh ResistanceSurface(const PolygonSection& section, const MaterialSet& materials,
                              int levels = 50, int directions = 72, const Settings& settings = {});

}  // namespace quilex
