// Entry point of quilex: the program takes no arguments and works in the current folder.
#include <iostream>

#include "program/ProgramRun.hpp"

int main() {
  return quilex::program::RunQuilex(".", std::cerr);
}
