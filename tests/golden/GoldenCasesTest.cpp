// Whole runs of the built program. Each folder under tests/cases is one run: the input
// files it holds (a missing one stays missing; a folder is copied as a folder), files or
// folders named before-<name> placed as <name> beforehand (outputs of an earlier run), and the
// expectations: expected-<name> for every file compared byte for byte afterwards, expected-status,
// and expected-stderr (without it the console must stay silent).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// An input or an earlier output may be a folder (a file saved under the wrong name).
constexpr fs::copy_options kCopyFolders = fs::copy_options::recursive;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(QUILEX_CASES_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

class GoldenCase : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    work_ = fs::temp_directory_path() /
            ("quilex-golden-" + GetParam() + "-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(work_);
  }

  fs::path work_;
};

TEST_P(GoldenCase, RunLeavesTheExpectedFiles) {
  const fs::path source = fs::path(QUILEX_CASES_DIR) / GetParam();
  const std::vector<std::string> inputs = {"parm.txt", "sezi.txt", "mate.txt", "slu-max.txt"};
  for (const std::string& input : inputs) {
    if (fs::exists(source / input)) fs::copy(source / input, work_ / input, kCopyFolders);
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (StartsWith(name, "before-")) fs::copy(entry.path(), work_ / name.substr(7), kCopyFolders);
  }

  const std::string command =
      "cd '" + work_.string() + "' && '" + QUILEX_BINARY + "' > stdout.out 2> stderr.out";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << "the program did not exit normally";
  const int status = WEXITSTATUS(raw);

  EXPECT_EQ(std::to_string(status) + "\n", ReadFile(source / "expected-status")) << "exit status";
  EXPECT_EQ(ReadFile(work_ / "stdout.out"), "") << "standard output";
  const fs::path expected_stderr = source / "expected-stderr";
  EXPECT_EQ(ReadFile(work_ / "stderr.out"),
            fs::exists(expected_stderr) ? ReadFile(expected_stderr) : "")
      << "standard error";

  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!StartsWith(name, "expected-") || name == "expected-status" || name == "expected-stderr") {
      continue;
    }
    const fs::path produced = work_ / name.substr(9);
    ++compared;
    ASSERT_TRUE(fs::exists(produced)) << produced << " was not created";
    // Compared line by line first, so that a failure names the first differing record.
    const std::string want = ReadFile(entry.path());
    const std::string got = ReadFile(produced);
    if (want != got) {
      std::istringstream want_lines(want), got_lines(got);
      std::string want_line, got_line;
      int line = 0;
      while (true) {
        ++line;
        const bool more_want = static_cast<bool>(std::getline(want_lines, want_line));
        const bool more_got = static_cast<bool>(std::getline(got_lines, got_line));
        if (!more_want && !more_got) break;
        if (more_want != more_got || want_line != got_line) {
          ADD_FAILURE() << name.substr(9) << " differs first at line " << line
                        << ":\n  want: " << (more_want ? want_line : "<end>")
                        << "\n  got:  " << (more_got ? got_line : "<end>");
          break;
        }
      }
      EXPECT_EQ(want.size(), got.size()) << name.substr(9) << " bytes";
    }
  }
  EXPECT_GT(compared, 0) << "the case compares no file";
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

}  // namespace
