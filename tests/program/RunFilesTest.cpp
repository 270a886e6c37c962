// Whole runs in a scratch folder, for the inputs and outputs that a golden case cannot hold
// (files generated on the spot, devices, pipes): what the console says and which files the
// run leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "program/ProgramRun.hpp"
#include "support/Files.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::program {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::ScratchFolder;
using testing_support::WriteFile;

// A folder holding the inputs of the bundled rectangle (ref-R).
class ScratchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder_ / "parm.txt", "1\n");
    WriteFile(folder_ / "sezi.txt", "R\n300 500 40 50.27 2 150\n628.32 942.48\n");
    WriteFile(folder_ / "mate.txt", "IT\nB450C\n'C25/30'\n");
    WriteFile(folder_ / "slu-max.txt", "-500000 150000000 100000\n");
  }
  int Run() {
    std::ostringstream console;
    const int status = RunQuilex(folder_.path(), console);
    console_ = console.str();
    return status;
  }

  ScratchFolder folder_{"run-" + testing_support::CurrentTestName()};
  std::string console_;
};

constexpr std::size_t kMiB = std::size_t{1} << 20;

TEST_F(ScratchRun, AnInputOfMoreThanOneMebibyteIsRefusedUnread) {
  // Valid values followed by blank lines: exactly 1 MiB is still an input.
  std::string actions = "-500000 150000000 100000\n";
  actions.resize(kMiB, '\n');
  WriteFile(folder_ / "slu-max.txt", actions);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(console_, "");
  EXPECT_EQ(ReadFile(folder_ / "risu-MN.txt").substr(0, 20), "Mrd     =   237.89\r\n");

  WriteFile(folder_ / "risu-MN.txt", "earlier results\r\n");
  actions += '\n';
  WriteFile(folder_ / "slu-max.txt", actions);
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(console_, "Cannot read file 'slu-max.txt' (unit = 13): it is larger than 1 MiB\n");
  EXPECT_EQ(ReadFile(folder_ / "risu-MN.txt"), "earlier results\r\n");
}

TEST_F(ScratchRun, AnEndlessInputIsRefusedAndAPipeWithoutWriterIsEmpty) {
  fs::remove(folder_ / "sezi.txt");
  fs::create_symlink("/dev/zero", folder_ / "sezi.txt");
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(console_, "Cannot read file 'sezi.txt' (unit = 11): it is larger than 1 MiB\n");

  fs::remove(folder_ / "sezi.txt");
  ASSERT_EQ(::mkfifo((folder_ / "sezi.txt").c_str(), 0600), 0);
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(console_,
            "quilex: sezi.txt: the file ends before item 1 (SectionType, a name) of the section "
            "type\n");
}

TEST_F(ScratchRun, AFolderThatDoesNotExistCannotHoldTheInputs) {
  std::ostringstream console;
  EXPECT_EQ(RunQuilex(folder_ / "absent", console), 2);
  EXPECT_EQ(console.str(), "quilex: parm.txt: no such file in " + (folder_ / "absent").string() +
                              " (quilex reads parm.txt, sezi.txt, mate.txt and slu-max.txt from "
                              "the working folder)\n");
  EXPECT_FALSE(fs::exists(folder_ / "absent"));
}

}  // namespace
}  // namespace quilex::program
