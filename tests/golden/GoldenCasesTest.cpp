// Whole runs of the built program. Each folder under tests/cases is one run: the input
// files it holds (a missing one stays missing; a folder is copied as a folder), files or
// folders named before-<name> placed as <name> beforehand (outputs of an earlier run), and the
// expectations: expected-<name> for every file compared byte for byte afterwards, expected-status,
// expected-stderr (without it the console must stay silent; the run folder's path reads as
// <folder> in it) and expected-nothing-created (the folder holds only what was put in it).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "quilex/version.hpp"
#include "support/Cases.hpp"
#include "support/Commands.hpp"
#include "support/Files.hpp"

namespace fs = std::filesystem;

namespace {

using namespace quilex::testing_support;

// An input or an earlier output may be a folder (a file saved under the wrong name).
constexpr fs::copy_options kCopyFolders = fs::copy_options::recursive;

class GoldenCase : public testing::TestWithParam<std::string> {
 protected:
  ScratchFolder work_{"golden-" + GetParam()};
};

TEST_P(GoldenCase, RunLeavesTheExpectedFiles) {
  const fs::path source = fs::path(QUILEX_CASES_DIR) / GetParam();
  const std::vector<std::string> inputs = {"parm.txt", "sezi.txt", "mate.txt", "slu-max.txt"};
  for (const std::string& input : inputs) {
    if (fs::exists(source / input)) fs::copy(source / input, work_ / input, kCopyFolders);
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("before-")) fs::copy(entry.path(), work_ / name.substr(7), kCopyFolders);
  }

  const CommandResult run = RunIn(work_.path(), ShellQuoted(QUILEX_BINARY));
  ASSERT_TRUE(run.exited) << "the program did not exit normally";

  EXPECT_EQ(std::to_string(run.status) + "\n", ReadFile(source / "expected-status"))
      << "exit status";
  EXPECT_EQ(run.out, "") << "standard output";
  std::string err = run.err;
  const std::string folder = fs::canonical(work_.path()).string();
  for (std::size_t at; (at = err.find(folder)) != std::string::npos;)
    err.replace(at, folder.size(), "<folder>");
  const fs::path expected_stderr = source / "expected-stderr";
  EXPECT_EQ(err, fs::exists(expected_stderr) ? ReadFile(expected_stderr) : "") << "standard error";

  int compared = 0;
  if (fs::exists(source / "expected-nothing-created")) {
    ++compared;
    for (const fs::directory_entry& entry : fs::directory_iterator(work_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".out")) continue;  // the command's console, kept by RunIn
      EXPECT_TRUE(fs::exists(source / name) || fs::exists(source / ("before-" + name)))
          << name << " was created";
    }
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("expected-") || name == "expected-status" || name == "expected-stderr" ||
        name == "expected-nothing-created") {
      continue;
    }
    const fs::path produced = work_ / name.substr(9);
    ++compared;
    ASSERT_TRUE(fs::exists(produced)) << produced << " was not created";
    // A failure names the first differing record.
    const std::string want = ReadFile(entry.path());
    const std::string got = ReadFile(produced);
    if (want != got) ADD_FAILURE() << FirstDifference(name.substr(9), want, got);
  }
  EXPECT_GT(compared, 0) << "the case compares no file";
}

// The two questions a new user asks answer on the console and leave the folder as it was.
TEST(Program, HelpAndVersionTouchNoFile) {
  ScratchFolder empty("golden-help");
  const CommandResult version = RunIn(empty.path(), ShellQuoted(QUILEX_BINARY) + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, QUILEX_VERSION_LINES("quilex"));
  // The version printed is the one the method's document states of itself.
  EXPECT_NE(ReadFile(QUILEX_METHOD_DOCUMENT)
                .find("Document version " QUILEX_METHOD_VERSION ", for Quilex " QUILEX_VERSION),
            std::string::npos);
  const CommandResult help = RunIn(empty.path(), ShellQuoted(QUILEX_BINARY) + " x --help");
  EXPECT_EQ(help.status, 0);
  for (const char* file : {"parm.txt", "sezi.txt", "mate.txt", "slu-max.txt", "risu-MN.txt",
                           "risu.txt", "domplot.txt", "README"}) {
    EXPECT_NE(help.out.find(file), std::string::npos) << file;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(empty.path()))
    EXPECT_TRUE(entry.path().extension() == ".out") << entry.path() << " was created";
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, testing::ValuesIn(CaseNames(QUILEX_CASES_DIR)),
                         CaseTestName());

}  // namespace
