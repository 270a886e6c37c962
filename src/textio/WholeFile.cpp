#include "textio/WholeFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { ::close(fd_); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

 private:
  int fd_;
};

WholeFileRead Failed(WholeFileRead::Failure failure, int error) {
  WholeFileRead read;
  read.failure = failure;
  read.error = error;
  return read;
}

}  // namespace

WholeFileRead ReadFileBytes(const std::filesystem::path& file, std::size_t most_bytes) {
  // Not blocking on the open: a named pipe without a writer reads as an empty file.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failed(WholeFileRead::Failure::Open, errno);
  const FileDescriptor open_file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Failed(WholeFileRead::Failure::Read, errno);
  if (S_ISDIR(info.st_mode)) return Failed(WholeFileRead::Failure::IsFolder, EISDIR);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
    return Failed(WholeFileRead::Failure::Read, errno);
  }
  WholeFileRead read;
  if (S_ISREG(info.st_mode) && info.st_size > 0) {
    read.text.reserve(std::min(static_cast<std::size_t>(info.st_size), most_bytes + 1));
  }
  // At most one byte more than the bound, whatever the file claims to be.
  char buffer[1 << 16];
  for (;;) {
    const std::size_t wanted = std::min(sizeof buffer, most_bytes + 1 - read.text.size());
    const ssize_t got = ::read(fd, buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failed(WholeFileRead::Failure::Read, errno);
    if (got == 0) break;
    read.text.append(buffer, static_cast<std::size_t>(got));
    if (read.text.size() > most_bytes) {
      read.larger_than_bound = true;
      break;
    }
  }
  return read;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file,
                                         std::size_t most_bytes) {
  WholeFileRead read = ReadFileBytes(file, most_bytes);
  if (read.failure == WholeFileRead::Failure::None) return std::move(read.text);
  if (read.failure == WholeFileRead::Failure::Open &&
      (read.error == ENOENT || read.error == ENOTDIR)) {
    return std::nullopt;
  }
  const std::string cause = read.failure == WholeFileRead::Failure::IsFolder
                                ? std::string("it is a folder")
                                : std::string(std::strerror(read.error));
  throw FileFailure("cannot read " + file.string() + ": " + cause + "\n");
}

}  // namespace quilex::textio
