// The sequence of a run of quilex, once: what it reads, checks, computes and writes, and in
// which order, on the seven numbered files of a run. quilex runs it on the files of a
// folder, quilex-plot on copies in memory (to know that a folder's outputs are its inputs'),
// quilex-combos runs the records of one verification for each row of a table (--log).
//
//   RunFiles files{textio::InputFile(10, "parm.txt", "1\n"), ..., textio::OutputFile(22)};
//   WriteRun(files);                // risu.txt, risu-MN.txt and domplot.txt in memory
//   files.risu_mn.text();           // "Mrd     =   185.33\r\n..."
#pragma once

#include "quilex/verification.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::runfiles {

// The seven files of a run, by their numbers: 10 to 13 the inputs, 20 to 22 the outputs.
struct RunFiles {
  textio::InputFile parm;
  textio::InputFile sezi;
  textio::InputFile mate;
  textio::InputFile slu;
  textio::OutputFile risu;
  textio::OutputFile risu_mn;
  textio::OutputFile domplot;
};

// The run up to the closing of its outputs. A problem of the data ends it after its line in
// risu-MN.txt; an input that cannot be read throws textio::InputFailure, one that cannot be
// written textio::FileFailure, with what was written until then kept in the files.
void WriteRun(RunFiles& files);

// The records one verification adds to risu.txt: the actions' echo (when `echo`), the log
// of the search and of the shear check, in the order a run writes them. Computed with
// `settings` (a run uses the library's defaults).
Verification WriteVerification(textio::OutputFile& risu, bool echo, const RectangularSection& s,
                               const MaterialSet& m, const Settings& settings,
                               const Actions& actions);
Verification WriteVerification(textio::OutputFile& risu, bool echo, const TSection& s,
                               const MaterialSet& m, const Settings& settings,
                               const Actions& actions);
Verification WriteVerification(textio::OutputFile& risu, bool echo, const CircularSection& s,
                               const MaterialSet& m, const Settings& settings,
                               const Actions& actions);
BiaxialVerification WriteVerification(textio::OutputFile& risu, bool echo,
                                      const RectangleWithBars& s, const MaterialSet& m,
                                      const Settings& settings, const BiaxialActions& actions);

PolygonVerification WriteVerification(textio::OutputFile& risu, bool echo, const PolygonSection& s,
                                      const MaterialSet& m, const Settings& settings,
                                      const BiaxialActions& actions);

// Whether a run goes on after the verification to its results and its domain or contour: it
// ends after the message of a strut angle out of range.
bool RunGoesOn(const Verification& v);
bool RunGoesOn(const BiaxialVerification& v);

}  // namespace quilex::runfiles
