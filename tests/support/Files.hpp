// Files for the tests: a file read or written whole, and a scratch folder of a test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace quilex::testing_support {

// The whole content; empty when the file cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// A folder of its own under the temporary directory ("quilex-<name>-<process id>"), empty at
// the start and removed at the end, unless the test failed: then it stays to be looked into.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("quilex-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    if (::testing::Test::HasFailure()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The name of the running test, for a scratch folder of its own.
inline std::string CurrentTestName() {
  return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

}  // namespace quilex::testing_support
