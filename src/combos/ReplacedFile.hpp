// An output file replaced whole or not at all: written under a temporary name in the same
// folder and renamed over the file when complete, so that a reader (or a run that fails or
// is killed) never leaves a part of it. A symbolic link is replaced at its target.
#pragma once

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace quilex::combos {

// A file that cannot be written; what() names it and says why.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ReplacedFile {
 public:
  // Creates the temporary file.
  explicit ReplacedFile(const std::filesystem::path& path);
  // Without Commit(), removes the temporary file and leaves the file as it was.
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  void Write(std::string_view text);
  // Closes the temporary file and renames it over the file.
  void Commit();

 private:
  [[noreturn]] void Fail(int error) const;

  std::filesystem::path shown_;   // the path as given, for the messages
  std::filesystem::path target_;  // the file replaced
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

}  // namespace quilex::combos
