// Entry point of quilex-combos: a section verified for every row of a table of design
// actions. See `quilex-combos --help`.
#include <iostream>
#include <string>
#include <vector>

#include "combos/CombinationsRun.hpp"
#include "combos/CommandLine.hpp"

int main(int argc, char** argv) {
  using namespace quilex::combos;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  Options options;
  try {
    options = ParseCommandLine(arguments);
  } catch (const UsageError& error) {
    std::cerr << "quilex-combos: " << error.what() << "\nTry 'quilex-combos --help'.\n";
    return 2;
  }
  switch (options.request) {
    case Options::Request::Help:
      std::cout << HelpText();
      return 0;
    case Options::Request::Version:
      std::cout << VersionText();
      return 0;
    case Options::Request::Run:
      break;
  }
  const int status = RunCombinations(options, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
