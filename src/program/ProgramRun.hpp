// The program quilex: one run reads parm.txt, sezi.txt, mate.txt and slu-max.txt from a
// folder, verifies the section they describe with the library and writes risu.txt,
// risu-MN.txt and domplot.txt beside them.
#pragma once

#include <filesystem>
#include <ostream>

namespace quilex::program {

// Runs in `folder`; console messages (a failed read, the floating-point note) go to
// `console`. Returns the exit status: 0 for every orderly end, 2 for a failed read or
// write.
int RunQuilex(const std::filesystem::path& folder, std::ostream& console);

// The note on the raised floating-point flags, or nothing when none is raised.
void WriteFloatingPointNote(unsigned raised_flags, std::ostream& console);

}  // namespace quilex::program
