// Entry point of quilex-plot: pictures of the results of quilex runs.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "plot/PlotCommand.hpp"

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quilex::plot::RunPlotCommand(arguments, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {  // for the arguments' copy
    std::cerr << "quilex-plot: not enough memory\n";
    return 2;
  }
}
