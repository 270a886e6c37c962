// Entry point of quilex-plot: pictures of the results of quilex runs.
#include <iostream>
#include <string>
#include <vector>

#include "plot/PlotCommand.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return quilex::plot::RunPlotCommand(arguments, std::cout, std::cerr);
}
