// The command quilex-combos: the section of sezi.txt and mate.txt verified for every row of
// a table of design actions, with the program's numbers, on several threads; the rows go to
// risu-combinations.csv and a summary to the console.
#pragma once

#include <ostream>

#include "combos/CommandLine.hpp"

namespace quilex::combos {

// Runs the command; the summary goes to `out`, messages to `err`. Returns the exit status:
// 0 every combination verified, 1 some not, 2 an input error or a file not written.
int RunCombinations(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace quilex::combos
