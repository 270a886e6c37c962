// An output of quilex-combos (the results table, the log): a file replaced whole when the
// command completes (textio::ReplacedFile), opened before any work so that a file that cannot
// be written stops the command at once. Nothing is replaced when the command fails: every
// output is finished (written out, each error known) before any is committed.
//
// "-" names the standard output, written as the rows come.
//
//   CommandOutput results("risu-combinations.csv");
//   results.Write(rows);
//   results.Finish();  // then the other outputs' Finish(), then every Commit()
//   results.Commit();
#pragma once

#include <filesystem>
#include <optional>
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
  // Writes out what was written; the file is still as it was.
  void Finish();
  // Replaces the file with what was written.
  void Commit();

 private:
  [[noreturn]] void Fail(int error) const;

  std::filesystem::path shown_;               // the path as given, for the messages
  std::optional<textio::ReplacedFile> file_;  // none: the standard output
};

}  // namespace quilex::combos
