#include "combos/ReplacedFile.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

namespace quilex::combos {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// The file a path names: the target of a symbolic link (followed to its end), else the path.
std::filesystem::path FileReplacedBy(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path target = path;
  for (int depth = 0; depth < 40 && std::filesystem::is_symlink(target, error); ++depth) {
    const std::filesystem::path link = std::filesystem::read_symlink(target, error);
    if (error) return path;
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return target;
}

}  // namespace

ReplacedFile::ReplacedFile(const std::filesystem::path& path)
    : shown_(path), target_(FileReplacedBy(path)) {
  std::error_code error;
  if (std::filesystem::is_directory(target_, error)) Fail(EISDIR);
  const std::filesystem::path folder = target_.parent_path();
  const std::string stem = "." + target_.filename().string() + "." + std::to_string(::getpid());
  for (int attempt = 0;; ++attempt) {
    temporary_ = folder / (stem + "-" + std::to_string(attempt) + ".tmp");
    const int descriptor =
        ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      file_ = ::fdopen(descriptor, "wb");
      if (file_ == nullptr) {
        const int cause = errno;
        ::close(descriptor);
        ::unlink(temporary_.c_str());
        Fail(cause);
      }
      std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
      return;
    }
    if (errno != EEXIST || attempt >= 100) Fail(errno);
  }
}

ReplacedFile::~ReplacedFile() {
  if (committed_) return;
  if (file_ != nullptr) std::fclose(file_);
  ::unlink(temporary_.c_str());
}

void ReplacedFile::Write(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail(errno);
}

void ReplacedFile::Commit() {
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fflush(file) != 0) {
    const int cause = errno;
    std::fclose(file);
    Fail(cause);
  }
  if (std::fclose(file) != 0) Fail(errno);
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  committed_ = true;
}

void ReplacedFile::Fail(int error) const {
  throw WriteError("cannot write " + shown_.string() + ": " + std::strerror(error));
}

}  // namespace quilex::combos
