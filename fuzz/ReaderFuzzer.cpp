// libFuzzer target: the free-form reader on any input file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInputs.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quilex::fuzz::ReadAsInput(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
