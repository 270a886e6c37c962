// A file read whole, with every read checked and a bound on what is held: a file that cannot
// be opened or read says why, running out of memory is std::bad_alloc, never a shorter text
// taken for the whole. The file is opened without blocking, so a named pipe with no writer
// reads as an empty file instead of waiting forever; one with a writer is read until the
// writer closes it. Pipes and devices are read until their end or the bound.
//
//   const std::optional<std::string> text = quilex::textio::ReadWholeFile("table.csv");
//   // nullopt: no such file; a FileFailure "cannot read table.csv: Permission denied\n"
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace quilex::textio {

constexpr std::size_t kNoBound = std::numeric_limits<std::size_t>::max() - 1;

// What reading a file whole gave: the text (at most most_bytes + 1 bytes, so that the caller
// can tell a file larger than the bound), or the step that failed and its errno.
struct WholeFileRead {
  enum class Failure { None, Open, IsFolder, Read };
  Failure failure = Failure::None;
  int error = 0;  // errno of an Open or Read failure
  std::string text;
  bool larger_than_bound = false;
};

WholeFileRead ReadFileBytes(const std::filesystem::path& file, std::size_t most_bytes);

// The text of `file`, or nullopt when there is no such file; at most most_bytes + 1 bytes.
// Any other failure is a FileFailure, "cannot read FILE: cause\n" (FILE as given).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file,
                                         std::size_t most_bytes = kNoBound);

}  // namespace quilex::textio
