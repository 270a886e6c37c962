// A file replaced through a temporary file beside it, as every command writes its outputs:
// replaced only when committed, at the target of a link, a pipe written through its link, a
// new file's permissions from the umask, and failures that tell the target's refusal from
// the content's. (The program's files on it: OutputReplaceTest.)
#include "textio/ReplacedFile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>

#include "support/Files.hpp"

namespace quilex::textio {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ScratchFolder;
using testing_support::WriteFile;

std::ptrdiff_t EntryCount(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

class Replaced : public testing::Test {
 protected:
  ScratchFolder work_{"replaced-" + testing_support::CurrentTestName()};
};

TEST_F(Replaced, OnlyWhenCommitted) {
  const fs::path path = work_ / "results.csv";
  WriteFile(path, "old\r\n");
  {
    ReplacedFile file(path);
    EXPECT_TRUE(file.Write("new, half"));
    EXPECT_EQ(ReadFile(path), "old\r\n");
  }  // never committed: as if the run had failed
  EXPECT_EQ(ReadFile(path), "old\r\n");
  EXPECT_EQ(EntryCount(work_.path()), 1);
  {
    ReplacedFile file(path);
    EXPECT_TRUE(file.Write("new\r\n"));
    EXPECT_TRUE(file.Commit());
  }
  EXPECT_EQ(ReadFile(path), "new\r\n");
  EXPECT_EQ(EntryCount(work_.path()), 1);
}

TEST_F(Replaced, ALinkAtItsTarget) {
  fs::create_directories(work_ / "shared");
  WriteFile(work_ / "shared" / "results.csv", "old\r\n");
  fs::create_symlink("shared/results.csv", work_ / "link.csv");
  ReplacedFile file(work_ / "link.csv");
  ASSERT_TRUE(file.Write("new\r\n"));
  ASSERT_TRUE(file.Commit());
  EXPECT_TRUE(fs::is_symlink(work_ / "link.csv"));
  EXPECT_EQ(ReadFile(work_ / "shared" / "results.csv"), "new\r\n");
  EXPECT_EQ(EntryCount(work_ / "shared"), 1);
}

// /dev/stdout of a command in a pipeline: a link to a pipe that has no name in any folder.
TEST_F(Replaced, ALinkToAPipeIsWrittenThrough) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  fs::create_symlink("/proc/self/fd/" + std::to_string(ends[1]), work_ / "stdout");
  ReplacedFile file(work_ / "stdout");
  const bool written = file.Write("through the pipe\r\n") && file.Commit();
  ::close(ends[1]);
  char buffer[64] = {};
  const ssize_t got = ::read(ends[0], buffer, sizeof buffer);
  ::close(ends[0]);
  EXPECT_TRUE(written) << std::strerror(file.error());
  EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0),
            "through the pipe\r\n");
  EXPECT_EQ(EntryCount(work_.path()), 1);
}

TEST_F(Replaced, ANewFileHasThePermissionsTheUmaskLeaves) {
  const mode_t mask = ::umask(027);
  ReplacedFile file(work_ / "new.csv");
  const bool written = file.Write("new\r\n") && file.Commit();
  ::umask(mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(fs::status(work_ / "new.csv").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Replaced, AFailureSaysWhetherTheTargetRefused) {
  // A folder where the file should be: the target refuses, nothing is created.
  fs::create_directories(work_ / "results.csv");
  ReplacedFile folder(work_ / "results.csv");
  EXPECT_FALSE(folder.Open());
  EXPECT_EQ(folder.error(), EISDIR);
  EXPECT_TRUE(folder.failed_at_target());
  EXPECT_FALSE(folder.Write("new\r\n"));
  EXPECT_FALSE(folder.Commit());
  EXPECT_EQ(EntryCount(work_.path()), 1);

  // No folder for the temporary file: the new content cannot be written.
  ReplacedFile nowhere(work_ / "missing" / "results.csv");
  EXPECT_FALSE(nowhere.Write("new\r\n"));
  EXPECT_EQ(nowhere.error(), ENOENT);
  EXPECT_FALSE(nowhere.failed_at_target());

  // A read-only file keeps its content (the superuser may write it anyway).
  if (::geteuid() == 0) return;
  const fs::path locked = work_ / "locked.csv";
  WriteFile(locked, "kept\r\n");
  fs::permissions(locked, fs::perms::owner_read);
  ReplacedFile file(locked);
  EXPECT_FALSE(file.Write("new\r\n"));
  EXPECT_EQ(file.error(), EACCES);
  EXPECT_TRUE(file.failed_at_target());
  EXPECT_EQ(ReadFile(locked), "kept\r\n");
  EXPECT_EQ(EntryCount(work_.path()), 2);
}

TEST_F(Replaced, ALoopOfLinksIsRefusedAndStaysALink) {
  fs::create_symlink("b.csv", work_ / "a.csv");
  fs::create_symlink("a.csv", work_ / "b.csv");
  ReplacedFile file(work_ / "a.csv");
  EXPECT_FALSE(file.Write("new\r\n"));
  EXPECT_EQ(file.error(), ELOOP);
  EXPECT_TRUE(file.failed_at_target());
  EXPECT_FALSE(file.Commit());
  EXPECT_TRUE(fs::is_symlink(work_ / "a.csv"));
  EXPECT_EQ(EntryCount(work_.path()), 2);
}

TEST_F(Replaced, OneFileUnderEverySpelling) {
  fs::create_directories(work_ / "run");
  WriteFile(work_ / "run" / "sezi.txt", "R\r\n");
  WriteFile(work_ / "run" / "mate.txt", "IT\r\n");
  fs::create_symlink("run/sezi.txt", work_ / "section.txt");
  fs::create_hard_link(work_ / "run" / "mate.txt", work_ / "materials.txt");
  fs::create_symlink("run/new.csv", work_ / "dangling.csv");
  const fs::path sezi = work_ / "run" / "sezi.txt";
  EXPECT_TRUE(NameSameFile(sezi, work_ / "run" / "." / "sezi.txt"));
  EXPECT_TRUE(NameSameFile(sezi, work_ / "run" / ".." / "run" / "sezi.txt"));
  EXPECT_TRUE(NameSameFile(work_ / "section.txt", sezi));
  EXPECT_TRUE(NameSameFile(work_ / "materials.txt", work_ / "run" / "mate.txt"));
  EXPECT_TRUE(NameSameFile(work_ / "dangling.csv", work_ / "run" / "new.csv"));
  EXPECT_TRUE(NameSameFile(work_ / "run" / "new.csv", work_ / "run" / "./new.csv"));
  EXPECT_FALSE(NameSameFile(sezi, work_ / "run" / "mate.txt"));
  EXPECT_FALSE(NameSameFile(work_ / "run" / "new.csv", work_ / "run" / "other.csv"));
  EXPECT_FALSE(NameSameFile(sezi, work_ / "run" / "SEZI.TXT"));
}

}  // namespace
}  // namespace quilex::textio
