// The records the program writes: the echo of the input into risu.txt, the results blocks
// and their ATTENTION lines into risu-MN.txt, the input-error lines, and the points of
// domplot.txt. Forces print in kN and moments in kN·m; a quantity the library reports as
// absent prints as the value the files have always shown for it (999.99 for a ratio over a
// zero resistance, 0 for the rest).
#pragma once

#include <string_view>
#include <vector>

#include "program/InputFiles.hpp"
#include "quilex/domain.hpp"
#include "quilex/errors.hpp"
#include "quilex/verification.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::program {

// Echo of the section by type, then of the three material names (echo_flag 1 only).
void WriteSectionEcho(textio::OutputFile& risu, const SectionInput& section,
                      const MaterialNames& names);

void WriteActionsEcho(textio::OutputFile& risu, const Actions& actions);
void WriteActionsEcho(textio::OutputFile& risu, const BiaxialActions& actions);

// The line for an unknown code, steel grade or concrete class.
void WriteMaterialFailure(textio::OutputFile& risu_mn, MaterialItem item);

// The line for a bar count outside 1 to kMaxBars.
void WriteBarCountFailure(textio::OutputFile& risu_mn);

// The line for section data that cannot describe a real section: `problem` is the message
// of the first problem quilex::Validate() finds.
void WriteSectionDataFailure(textio::OutputFile& risu_mn, std::string_view problem);

// The line for a section type other than R, T, C and D.
void WriteSectionTypeFailure(textio::OutputFile& risu_mn);

// The results block and its ATTENTION lines.
void WriteResults(textio::OutputFile& risu_mn, const Verification& v);
void WriteResults(textio::OutputFile& risu_mn, const BiaxialVerification& v);

// The domain boundary (compression positive) or the moment contour, a point per line.
void WritePoints(textio::OutputFile& domplot, const std::vector<DomainPoint>& points);
void WritePoints(textio::OutputFile& domplot, const std::vector<MomentPoint>& points);

}  // namespace quilex::program
