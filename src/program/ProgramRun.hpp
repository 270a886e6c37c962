// The program quilex: one run reads parm.txt, sezi.txt, mate.txt and slu-max.txt from a
// folder, verifies the section they describe with the library and writes risu.txt,
// risu-MN.txt and domplot.txt beside them.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "program/InputFiles.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::program {

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

// The console message of a run that ran out of memory.
inline constexpr std::string_view kOutOfMemoryMessage = "Cannot complete the run: out of memory\n";

// Runs in `folder`; console messages (a failed read or write, the floating-point note) go to
// `console`. Returns the exit status: 0 for every orderly end, 2 for a file that cannot be
// read or written and for a run out of memory.
int RunQuilex(const std::filesystem::path& folder, std::ostream& console);

// The same run on files already open, such as files held in memory (tests, fuzzing): the
// run sequence, then the closing of the outputs, also after a failed read.
int RunQuilex(RunFiles& files, std::ostream& console);

// The message of the first problem of the section's data (quilex::Validate() for its type),
// or nothing: also for an unknown type, which a run reports after the actions.
std::optional<std::string> FirstSectionProblem(const SectionInput& section);

// The note on the raised floating-point flags, or nothing when none is raised.
void WriteFloatingPointNote(unsigned raised_flags, std::ostream& console);

}  // namespace quilex::program
