// Whole runs of quilex-combos. Each folder under tests/combos-cases is one run: its input
// files (subfolders included), `arguments` (one command-line argument per line, optional),
// files named before-<name> placed as <name> beforehand, and the expectations:
// expected-<name> for every file compared byte for byte afterwards, expected-status, and
// expected-stdout and expected-stderr (without them the stream must stay empty). After the
// run the folder may hold nothing else: no temporary file is left behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
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

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(QUILEX_COMBOS_CASES_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char ch : text) {
    if (ch == '\'') {
      quoted += "'\\''";
    } else {
      quoted += ch;
    }
  }
  return quoted + "'";
}

std::string FirstDifference(const std::string& name, const std::string& want,
                            const std::string& got) {
  std::istringstream want_lines(want), got_lines(got);
  std::string want_line, got_line;
  for (int line = 1;; ++line) {
    const bool more_want = static_cast<bool>(std::getline(want_lines, want_line));
    const bool more_got = static_cast<bool>(std::getline(got_lines, got_line));
    if (!more_want && !more_got) break;
    if (more_want != more_got || want_line != got_line) {
      return name + " differs first at line " + std::to_string(line) +
             ":\n  want: " + (more_want ? want_line : "<end>") +
             "\n  got:  " + (more_got ? got_line : "<end>");
    }
  }
  return name + " differs in its bytes (" + std::to_string(want.size()) + " wanted, " +
         std::to_string(got.size()) + " written)";
}

class CombosCase : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    work_ = fs::temp_directory_path() /
            ("quilex-combos-case-" + GetParam() + "-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(work_);
  }

  fs::path work_;
};

TEST_P(CombosCase, RunLeavesTheExpectedFiles) {
  const fs::path source = fs::path(QUILEX_COMBOS_CASES_DIR) / GetParam();
  std::set<std::string> allowed = {"stdout.out", "stderr.out"};
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
    const std::string relative = fs::relative(entry.path(), source).string();
    const std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      fs::create_directories(work_ / relative);
      allowed.insert(relative);
    } else if (StartsWith(name, "before-")) {
      fs::copy_file(entry.path(), work_ / name.substr(7));
      allowed.insert(name.substr(7));
    } else if (StartsWith(name, "expected-")) {
      allowed.insert(name.substr(9));
    } else if (name != "arguments") {
      fs::copy_file(entry.path(), work_ / relative);
      allowed.insert(relative);
    }
  }

  std::string command = "cd " + ShellQuoted(work_.string()) + " && " + QUILEX_COMBOS_BINARY;
  if (fs::exists(source / "arguments")) {
    std::istringstream arguments(ReadFile(source / "arguments"));
    std::string argument;
    while (std::getline(arguments, argument))
      command += " " + ShellQuoted(argument);
  }
  command += " > stdout.out 2> stderr.out";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << "quilex-combos did not exit normally";

  EXPECT_EQ(std::to_string(WEXITSTATUS(raw)) + "\n", ReadFile(source / "expected-status"))
      << "exit status";
  for (const char* stream : {"stdout", "stderr"}) {
    const fs::path expected = source / ("expected-" + std::string(stream));
    EXPECT_EQ(ReadFile(work_ / (std::string(stream) + ".out")),
              fs::exists(expected) ? ReadFile(expected) : "")
        << stream;
  }

  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!StartsWith(name, "expected-") || name == "expected-status" || name == "expected-stdout" ||
        name == "expected-stderr") {
      continue;
    }
    ++compared;
    const fs::path produced = work_ / name.substr(9);
    ASSERT_TRUE(fs::exists(produced)) << produced << " was not written";
    const std::string want = ReadFile(entry.path());
    const std::string got = ReadFile(produced);
    if (want != got) ADD_FAILURE() << FirstDifference(name.substr(9), want, got);
  }
  EXPECT_GT(compared + static_cast<int>(fs::exists(source / "expected-stdout")) +
                static_cast<int>(fs::exists(source / "expected-stderr")),
            0)
      << "the case checks nothing";

  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(work_)) {
    const std::string relative = fs::relative(entry.path(), work_).string();
    EXPECT_TRUE(allowed.count(relative) == 1) << "unexpected file left: " << relative;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CombosCase, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

}  // namespace
