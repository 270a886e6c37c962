// A file replaced whole or not at all, as every output of the programs is: the new content
// goes to a hidden temporary file beside its target (".risu.txt.XXXXXX"), which Commit()
// renames over the target once it is complete. A reader never sees a part of it; a failure
// leaves the old content whole, and so does a process killed on the way (which leaves the
// temporary file behind too).
//
// The file a symbolic link names is replaced and the link stays; a device or a pipe (a link
// to /dev/null) cannot be replaced and is written to directly; a file that may not be written
// is not replaced either; the replacement keeps the file's permissions and, where allowed, its
// owner (a new file gets those the umask leaves). A chain of links that loops is refused, and
// stays as it was.
//
// A command with several outputs finishes them all (Finish: everything written and closed,
// every write error known) before it commits any, so that a failure leaves every one of them
// as it was:
//
//   quilex::textio::ReplacedFile results("risu-combinations.csv"), log("risu.txt");
//   bool ok = results.Write(rows) && log.Write(text);
//   ok = ok && results.Finish() && log.Finish();
//   ok = ok && log.Commit() && results.Commit();
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quilex::textio {

class ReplacedFile {
 public:
  // The file `path` names, a symbolic link followed to its target (a dangling link's target
  // is created). Nothing is opened yet.
  explicit ReplacedFile(const std::filesystem::path& path);
  // Without Commit() the target stays as it was and the temporary file goes.
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // Creates the temporary file (or opens the device or pipe). Write() does it when it has not
  // been done; calling it first finds a file that cannot be written before any work.
  // Every step returns false when it fails or an earlier one has failed; error() and
  // failed_at_target() then say why.
  bool Open();
  bool Write(std::string_view bytes);
  // Writes out and closes the file: after it nothing more is written, and a write that
  // failed has been reported. The target is still as it was.
  bool Finish();
  // Finishes the file when that has not been done and renames the temporary file over the target;
  // after a failure, removes the temporary file instead. Nothing allocates from the creation of the
  // temporary file to its rename or removal, so that running out of memory cannot leave it behind.
  bool Commit();

  // Opened and not yet committed.
  bool is_open() const { return file_ != nullptr; }

  // The error number (errno) of the first failure; 0 when nothing failed.
  int error() const { return error_; }
  // Whether the first failure was the target's (a folder, a file that may not be written, a
  // device that cannot be opened, a refused rename) rather than the new content's (no room
  // for the temporary file, a failed write).
  bool failed_at_target() const { return failed_at_target_; }

 private:
  void Fail(int error, bool at_target);

  std::filesystem::path target_;
  // Beside target_, from Open() to Commit(); empty when written directly. A string, not a
  // path: taking the name once the file exists must not allocate.
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool finished_ = false;
  bool committed_ = false;
  int error_ = 0;
  bool failed_at_target_ = false;
};

// Whether two paths name one file, however spelled: "./a" and "a", a symbolic link and its
// target, two hard links. A file that does not exist yet is the one its path would create
// (a dangling link: at the end of its chain).
bool NameSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace quilex::textio
