// The records the program writes: the echo of the input into risu.txt, the results blocks
// and their ATTENTION lines into risu-MN.txt, the input-error lines, and the points of
// domplot.txt. Forces print in kN and moments in kN·m; a quantity the library reports as
// absent prints as the value the files have always shown for it (999.99 for a ratio over a
// zero resistance, 0 for the rest).
#pragma once

#include <string_view>
#include <vector>

#include "quilex/domain.hpp"
#include "quilex/errors.hpp"
#include "quilex/verification.hpp"
#include "runfiles/InputFiles.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::runfiles {

// Echo of the section by type, then of the three material names (echo_flag 1 only).
void WriteSectionEcho(textio::OutputFile& risu, const SectionData& section,
                      const MaterialNames& names);

void WriteActionsEcho(textio::OutputFile& risu, const Actions& actions);
void WriteActionsEcho(textio::OutputFile& risu, const BiaxialActions& actions);

// The line of a problem in the data that stops the run (AttentionLine()).
void WriteDataProblem(textio::OutputFile& risu_mn, const DataProblem& problem);

// The values of the actions echo and of the results blocks as the files print them: forces
// in kN and moments in kN·m, and the printed stand-ins for absent quantities. Every other
// front end that shows the program's numbers takes them from here.
struct PrintedActions {
  double Ned, Med, Ved;
};
struct PrintedBiaxialActions {
  double Ned, Mx, My, Vx, Vy;
};
struct PrintedResults {
  double Mrd, rho_M, Vrd, rho_V, epsilon;
  int campo;
};
struct PrintedBiaxialResults {
  double Mrd, Mrdx, Mrdy, rho_M, MRx, MRy, Vrdx, Vrdy, rho_V, epsilon, alpha;
  int campo;
};
// A polygon section's: the block of a rectangle with bars and the radial ratio after it.
struct PrintedPolygonResults : PrintedBiaxialResults {
  double rho_radial;
};
PrintedActions AsPrinted(const Actions& actions);
PrintedBiaxialActions AsPrinted(const BiaxialActions& actions);
PrintedResults AsPrinted(const Verification& v);
PrintedBiaxialResults AsPrinted(const BiaxialVerification& v);
PrintedPolygonResults AsPrinted(const PolygonVerification& v);

// The results block and its ATTENTION lines; the materials tell whether the concrete is of
// a class above C50/60.
void WriteResults(textio::OutputFile& risu_mn, const Verification& v, const MaterialSet& m);
void WriteResults(textio::OutputFile& risu_mn, const BiaxialVerification& v, const MaterialSet& m);
void WriteResults(textio::OutputFile& risu_mn, const PolygonVerification& v, const MaterialSet& m);

// The domain boundary (compression positive) or the moment contour, a point per line.
void WritePoints(textio::OutputFile& domplot, const std::vector<DomainPoint>& points);
void WritePoints(textio::OutputFile& domplot, const std::vector<MomentPoint>& points);

}  // namespace quilex::runfiles
