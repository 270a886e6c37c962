#include "textio/ReplacedFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace quilex::textio {
namespace {

// The file a path names: every symbolic link resolved; for a dangling link the file it would
// name (followed to the end of its chain), so that the link stays a link.
std::filesystem::path FileReplacedBy(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path target = std::filesystem::canonical(path, error);
  if (!error) return target;
  // A file that exists under no name of its own (/dev/stdout, a link to a pipe) is opened
  // through the path.
  if (std::filesystem::exists(path, error)) return path;
  target = path;
  for (int depth = 0; std::filesystem::is_symlink(target, error); ++depth) {
    if (depth == 40) return path;  // a loop of links
    const std::filesystem::path link = std::filesystem::read_symlink(target, error);
    if (error) return path;
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return target;
}

}  // namespace

ReplacedFile::ReplacedFile(const std::filesystem::path& path) : target_(FileReplacedBy(path)) {}

ReplacedFile::~ReplacedFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void ReplacedFile::Fail(int error, bool at_target) {
  if (error_ != 0) return;
  error_ = error != 0 ? error : EIO;
  failed_at_target_ = at_target;
}

bool ReplacedFile::Open() {
  if (file_ != nullptr) return true;
  // Once only: after a failure or the finish, nothing opens again.
  if (error_ != 0 || finished_) return false;
  struct stat info {};
  const bool exists = ::stat(target_.c_str(), &info) == 0;
  // A loop of links, a path through a file: the target refuses (a missing file is made).
  if (!exists && errno != ENOENT) {
    Fail(errno, true);
    return false;
  }
  // A device or a pipe (a link to /dev/null, say) cannot be replaced: it is written to. (A
  // folder cannot be opened so.)
  if (exists && !S_ISREG(info.st_mode)) {
    file_ = std::fopen(target_.c_str(), "wb");
    if (file_ == nullptr) Fail(errno, true);
    return file_ != nullptr;
  }
  // A file that may not be written is not replaced either.
  if (exists && ::access(target_.c_str(), W_OK) != 0) {
    Fail(errno, true);
    return false;
  }
  // Appended, not "." + name: GCC 12 at -O3 warns of an overlap (-Wrestrict) in the
  // operator+ of a literal and a string that cannot happen.
  std::string leaf = ".";
  leaf += target_.filename().string();
  leaf += ".XXXXXX";
  std::string name = (target_.parent_path() / leaf).string();
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    Fail(errno, false);
    return false;
  }
  // Moved, not copied: an allocation failing now would leave the new file behind.
  temporary_ = std::move(name);
  if (exists) {
    ::fchmod(fd, info.st_mode & 07777);
    if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
      // Not allowed: the new file belongs to whoever runs the program.
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    Fail(errno, false);
    ::close(fd);
    ::unlink(temporary_.c_str());
    temporary_.clear();
    return false;
  }
  return true;
}

bool ReplacedFile::Write(std::string_view bytes) {
  if (error_ != 0 || finished_ || !Open()) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(errno, false);
  return error_ == 0;
}

bool ReplacedFile::Finish() {
  if (finished_) return error_ == 0;
  Open();
  finished_ = true;
  if (file_ != nullptr) {
    // Not forced to disk before the rename: a killed process leaves no cut file without it,
    // and a disk flush per file would double the time of a small run.
    if (std::fflush(file_) != 0) Fail(errno, false);
    if (std::fclose(file_) != 0) Fail(errno, false);
    file_ = nullptr;
  }
  return error_ == 0;
}

bool ReplacedFile::Commit() {
  if (committed_) return error_ == 0;
  Finish();
  committed_ = true;
  if (!temporary_.empty()) {
    if (error_ == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno, true);
    if (error_ != 0) ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  return error_ == 0;
}

bool NameSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const std::filesystem::path file_a = FileReplacedBy(a);
  const std::filesystem::path file_b = FileReplacedBy(b);
  if (std::filesystem::exists(file_a, error) && std::filesystem::exists(file_b, error)) {
    return std::filesystem::equivalent(file_a, file_b, error);
  }
  const std::filesystem::path whole_a = std::filesystem::weakly_canonical(file_a, error);
  if (error) return false;
  const std::filesystem::path whole_b = std::filesystem::weakly_canonical(file_b, error);
  return !error && whole_a == whole_b;
}

}  // namespace quilex::textio
