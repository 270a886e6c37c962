// Entry point: the program takes no arguments and works in the current folder.
#include <iostream>

#include "driver/Quilex.hpp"

int main() {
  return quilex::driver::RunQuilex(".", std::cerr);
}
