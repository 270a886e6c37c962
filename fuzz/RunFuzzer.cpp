// libFuzzer target: whole runs of the program on four inputs held in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInputs.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quilex::fuzz::RunOnInputs(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
