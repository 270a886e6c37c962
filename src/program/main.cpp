// Entry point of quilex: the program takes no arguments and works in the current folder.
#include <iostream>
#include <new>

#include "program/ProgramRun.hpp"

int main() {
  try {
    return quilex::program::RunQuilex(".", std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << quilex::program::kOutOfMemoryMessage;
    return 2;
  }
}
