// A file read whole, with every read checked: a file that cannot be opened is none, a read
// that fails midway a FileFailure, and running out of memory std::bad_alloc, never a
// shorter text taken for the whole. Pipes and devices are read until their end.
//
//   const std::optional<std::string> text = quilex::textio::ReadWholeFile("table.csv");
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quilex::textio {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

}  // namespace quilex::textio
