// Entry point of quilex: the program works in the current folder. --help and --version
// answer without touching any file; every other argument is ignored.
#include <iostream>
#include <new>
#include <string_view>

#include "program/ProgramRun.hpp"
#include "quilex/version.hpp"

namespace {

constexpr std::string_view kUsage =
    "Usage: quilex [--help | --version]\n"
    "\n"
    "Verifies one reinforced-concrete cross section at the ultimate limit state. Run it in\n"
    "the folder that holds its four inputs:\n"
    "  parm.txt     1 to echo the input into risu.txt\n"
    "  sezi.txt     the section: its type (R, T, C, D or P) and its data\n"
    "  mate.txt     design code, steel grade and concrete class\n"
    "  slu-max.txt  the design actions (Ned Med Ved, or Ned Mx My Vx Vy for D)\n"
    "It writes beside them:\n"
    "  risu-MN.txt  the results block and its ATTENTION lines\n"
    "  risu.txt     the echo of the input and the log of every search\n"
    "  domplot.txt  the M-N interaction domain (for D the contour of resisting moments)\n"
    "Exit status: 0 for every orderly end, 2 when a file cannot be read or written.\n"
    "The README of the source tree describes the files; docs/method.md the method.\n";

}  // namespace

int main(int argc, char** argv) {
  for (int k = 1; k < argc; ++k) {
    const std::string_view argument = argv[k];
    if (argument == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (argument == "--version") {
      std::cout << QUILEX_VERSION_LINES("quilex");
      return 0;
    }
  }
  try {
    return quilex::program::RunQuilex(".", std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << quilex::program::kOutOfMemoryMessage;
    return 2;
  }
}
