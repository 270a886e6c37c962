// An output of quilex-combos (the results table, the log): a file replaced whole when the
// command completes (textio::ReplacedFile), opened before any work so that a file that cannot
// be written stops the command at once. Nothing is replaced when the command fails.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "textio/ReplacedFile.hpp"

namespace quilex::combos {

// A file that cannot be written; what() names it and says why.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CommandOutput {
 public:
  // Creates the temporary file beside `path`.
  explicit CommandOutput(const std::filesystem::path& path);

  void Write(std::string_view text);
  // Replaces the file with what was written.
  void Commit();

 private:
  [[noreturn]] void Fail() const;

  std::filesystem::path shown_;  // the path as given, for the messages
  textio::ReplacedFile file_;
};

}  // namespace quilex::combos
