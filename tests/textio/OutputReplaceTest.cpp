// How an output file replaces its old content: whole at Close(), never in part, through a
// symbolic link to its target, and directly into a pipe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Files.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::textio {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::ScratchFolder;
using testing_support::WriteFile;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// More records than the file holds back in memory, so that some reach the disk before
// Close().
std::string ManyRecords() {
  std::string records;
  for (int k = 0; records.size() < (1 << 18); ++k)
    records += "record " + std::to_string(k) + "\r\n";
  return records;
}

class OutputReplace : public ::testing::Test {
 protected:
  ScratchFolder folder_{"out-" + testing_support::CurrentTestName()};
};

TEST_F(OutputReplace, CloseReplacesTheWholeFileAndKeepsItsPermissions) {
  const fs::path risu = folder_ / "risu.txt";
  WriteFile(risu, "old content that is longer than the new\r\n");
  fs::permissions(risu, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  {
    OutputFile out(20, risu);
    out.Write("new\r\n");
    out.Close();
  }
  EXPECT_EQ(ReadFile(risu), "new\r\n");
  EXPECT_EQ(fs::status(risu).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(folder_.path()), std::vector<std::string>{"risu.txt"});
}

TEST_F(OutputReplace, UntilCloseTheOldContentStaysWhole) {
  const fs::path risu = folder_ / "risu.txt";
  WriteFile(risu, "old\r\n");
  const std::string records = ManyRecords();
  {
    OutputFile out(20, risu);
    out.Write(records);
    EXPECT_EQ(ReadFile(risu), "old\r\n");
    EXPECT_EQ(Names(folder_.path()).size(), 2u);  // the file and its replacement in the making
  }  // destroyed without Close(): nothing replaced, nothing left behind
  EXPECT_EQ(ReadFile(risu), "old\r\n");
  EXPECT_EQ(Names(folder_.path()), std::vector<std::string>{"risu.txt"});

  OutputFile out(20, risu);
  out.Write(records);
  out.Close();
  EXPECT_EQ(ReadFile(risu), records);
}

TEST_F(OutputReplace, ARunKilledWhileWritingLeavesTheOldContentWhole) {
  const fs::path risu = folder_ / "risu.txt";
  WriteFile(risu, "old\r\n");
  const std::string records = ManyRecords();
  EXPECT_EXIT(
      {
        OutputFile out(20, risu);
        out.Write(records);
        out.Write(records);
        std::raise(SIGKILL);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  EXPECT_EQ(ReadFile(risu), "old\r\n");
  // The killed run's temporary file stays beside it, hidden; the next run is not disturbed.
  const std::vector<std::string> names = Names(folder_.path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].rfind(".risu.txt.", 0), 0u) << names[0];
  EXPECT_GT(fs::file_size(folder_ / names[0]), 0u);  // it was being written
  OutputFile out(20, risu);
  out.Write("new\r\n");
  out.Close();
  EXPECT_EQ(ReadFile(risu), "new\r\n");
}

TEST_F(OutputReplace, ALinkIsWrittenThroughToItsTargetAndStaysALink) {
  fs::create_directories(folder_ / "run");
  fs::create_directories(folder_ / "results");
  const fs::path target = folder_ / "results" / "beam-12.txt";
  WriteFile(target, "old\r\n");
  fs::create_symlink("../results/beam-12.txt", folder_ / "run" / "risu-MN.txt");
  OutputFile out(21, folder_ / "run" / "risu-MN.txt");
  out.Write("new\r\n");
  out.Close();
  EXPECT_TRUE(fs::is_symlink(folder_ / "run" / "risu-MN.txt"));
  EXPECT_EQ(ReadFile(target), "new\r\n");
  EXPECT_EQ(Names(folder_ / "results"), std::vector<std::string>{"beam-12.txt"});
  EXPECT_EQ(Names(folder_ / "run"), std::vector<std::string>{"risu-MN.txt"});

  // A dangling link: its target is created.
  fs::create_symlink("../results/new.txt", folder_ / "run" / "domplot.txt");
  OutputFile plot(22, folder_ / "run" / "domplot.txt");
  plot.Write("points\r\n");
  plot.Close();
  EXPECT_EQ(ReadFile(folder_ / "results" / "new.txt"), "points\r\n");
}

TEST_F(OutputReplace, APipeIsWrittenToNotReplaced) {
  const fs::path risu = folder_ / "risu.txt";
  ASSERT_EQ(::mkfifo(risu.c_str(), 0600), 0);
  const int reader = ::open(risu.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  OutputFile out(20, risu);
  out.Write("through the pipe\r\n");
  out.Close();
  char buffer[64] = {};
  const ssize_t got = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0),
            "through the pipe\r\n");
  EXPECT_TRUE(fs::is_fifo(risu));
}

TEST_F(OutputReplace, AFileThatCannotBeReplacedIsAFailureAndKeepsItsContent) {
  // A folder where the file should be.
  fs::create_directories(folder_ / "risu.txt");
  OutputFile out(20, folder_ / "risu.txt");
  out.Write("new\r\n");
  try {
    out.Close();
    ADD_FAILURE() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_STREQ(failure.what(), "Cannot write file 'risu.txt' (unit = 20)\n");
  }
  EXPECT_TRUE(fs::is_directory(folder_ / "risu.txt"));
  EXPECT_EQ(Names(folder_.path()), std::vector<std::string>{"risu.txt"});

  // A read-only file (the superuser may write it anyway).
  if (::geteuid() == 0) return;
  const fs::path locked = folder_ / "risu-MN.txt";
  WriteFile(locked, "kept\r\n");
  fs::permissions(locked, fs::perms::owner_read);
  OutputFile results(21, locked);
  results.Write("new\r\n");
  EXPECT_THROW(results.Close(), FileFailure);
  EXPECT_EQ(ReadFile(locked), "kept\r\n");
}

}  // namespace
}  // namespace quilex::textio
