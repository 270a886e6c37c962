// What the fuzz targets do with one input, also run on the saved inputs by the regression
// test (tests/fuzz). Each function aborts, so that the fuzzer reports it, when a rule that
// holds for every input is broken; crashes, leaks and undefined behaviour the sanitizers
// report.
#pragma once

#include <string_view>

namespace quilex::fuzz {

// Reads `data` as an input file with read statements of several shapes (integers, reals,
// texts), the first byte choosing their order, until the file fails to read or is used up.
// Rule: a real that is read is finite.
void ReadAsInput(std::string_view data);

// Runs the program on the four inputs held in `data`: parm.txt, sezi.txt, mate.txt and
// slu-max.txt, separated by NUL bytes (a missing one is empty), with outputs in memory.
// Rules: the status is 0 or 2; a run with status 0 writes to risu-MN.txt (its results or
// the line of an input error); a run with status 2 says why on the console.
// Returns the status.
int RunOnInputs(std::string_view data);

}  // namespace quilex::fuzz
