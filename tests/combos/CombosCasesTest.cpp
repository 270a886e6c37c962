// Whole runs of quilex-combos. Each folder under tests/combos-cases is one run: its input
// files (subfolders included), `arguments` (one command-line argument per line, optional),
// files named before-<name> placed as <name> beforehand, and the expectations:
// expected-<name> for every file compared byte for byte afterwards, expected-status, and
// expected-stdout and expected-stderr (without them the stream must stay empty). After the
// run the folder may hold nothing else: no temporary file is left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "support/Cases.hpp"
#include "support/Commands.hpp"
#include "support/Files.hpp"

namespace fs = std::filesystem;

namespace {

using namespace quilex::testing_support;

class CombosCase : public testing::TestWithParam<std::string> {
 protected:
  ScratchFolder work_{"combos-case-" + GetParam()};
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
    } else if (name.starts_with("before-")) {
      fs::copy_file(entry.path(), work_ / name.substr(7));
      allowed.insert(name.substr(7));
    } else if (name.starts_with("expected-")) {
      allowed.insert(name.substr(9));
    } else if (name != "arguments") {
      fs::copy_file(entry.path(), work_ / relative);
      allowed.insert(relative);
    }
  }

  std::string command = QUILEX_COMBOS_BINARY;
  if (fs::exists(source / "arguments")) {
    std::istringstream arguments(ReadFile(source / "arguments"));
    std::string argument;
    while (std::getline(arguments, argument))
      command.append(" ").append(ShellQuoted(argument));
  }
  const CommandResult run = RunIn(work_.path(), command);
  ASSERT_TRUE(run.exited) << "quilex-combos did not exit normally";

  EXPECT_EQ(std::to_string(run.status) + "\n", ReadFile(source / "expected-status"))
      << "exit status";
  const auto expected_stream = [&](const std::string& name) {
    const fs::path expected = source / ("expected-" + name);
    return fs::exists(expected) ? ReadFile(expected) : "";
  };
  EXPECT_EQ(run.out, expected_stream("stdout")) << "stdout";
  EXPECT_EQ(run.err, expected_stream("stderr")) << "stderr";

  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("expected-") || name == "expected-status" || name == "expected-stdout" ||
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

  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(work_.path())) {
    const std::string relative = fs::relative(entry.path(), work_.path()).string();
    EXPECT_TRUE(allowed.count(relative) == 1) << "unexpected file left: " << relative;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CombosCase, testing::ValuesIn(CaseNames(QUILEX_COMBOS_CASES_DIR)),
                         CaseTestName());

}  // namespace
