// The program quilex: one run reads parm.txt, sezi.txt, mate.txt and slu-max.txt from a
// folder, verifies the section they describe with the library and writes risu.txt,
// risu-MN.txt and domplot.txt beside them (runfiles::WriteRun), and tells the console what
// went wrong with a file.
#pragma once

#include <filesystem>
#include <ostream>
#include <string_view>

#include "runfiles/RunSequence.hpp"

namespace quilex::program {

using runfiles::RunFiles;

// The console message of a run that ran out of memory.
inline constexpr std::string_view kOutOfMemoryMessage = "Cannot complete the run: out of memory\n";

// Runs in `folder`; console messages (a failed read or write, the floating-point note) go to
// `console`. Returns the exit status: 0 for every orderly end, 2 for a file that cannot be
// read or written and for a run out of memory.
int RunQuilex(const std::filesystem::path& folder, std::ostream& console);

// The same run on files already open, such as files held in memory (tests, fuzzing): the
// run sequence, then the closing of the outputs, also after a failed read.
int RunQuilex(RunFiles& files, std::ostream& console);

// The note on the raised floating-point flags, or nothing when none is raised.
void WriteFloatingPointNote(unsigned raised_flags, std::ostream& console);

}  // namespace quilex::program
