#include "textio/NumberedFiles.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

namespace quilex::textio {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string OpenFailure(int number, const std::filesystem::path& path, const char* cause) {
  return "Cannot open file '" + path.filename().string() + "' (unit = " + std::to_string(number) +
         "): " + cause + "\n";
}

std::string ReadFailure(int number, const std::filesystem::path& path, const char* cause) {
  return "Cannot read file '" + path.filename().string() + "' (unit = " + std::to_string(number) +
         "): " + cause + "\n";
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { ::close(fd_); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

 private:
  int fd_;
};

// An output the run has not written yet exists, empty, from its start.
void CreateWhenMissing(int number, const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) throw FileFailure(OpenFailure(number, path, std::strerror(errno)));
  std::fclose(file);
}

std::string Location(const std::string& file, std::size_t line, const std::string& item) {
  std::string location = file;
  if (line != 0) location += ", line " + std::to_string(line);
  if (!item.empty()) location += ", " + item;
  return location;
}

}  // namespace

InputFailure::InputFailure(std::string file, std::size_t line, std::string item, std::string cause)
    : FileFailure(Location(file, line, item) + ": " + cause + "\n"),
      file_(std::move(file)),
      line_(line),
      item_(std::move(item)),
      cause_(std::move(cause)) {}

InputFile::InputFile(int number, const std::filesystem::path& path)
    : number_(number), name_(path.filename().string()) {
  // Not blocking on the open: a named pipe without a writer reads as an empty file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw FileFailure(OpenFailure(number, path, std::strerror(errno)));
  const FileDescriptor open_file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw FileFailure(ReadFailure(number, path, std::strerror(errno)));
  if (S_ISDIR(info.st_mode)) throw FileFailure(ReadFailure(number, path, "it is a folder"));
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
    throw FileFailure(ReadFailure(number, path, std::strerror(errno)));
  }
  // At most one byte more than an input may hold, whatever the file claims to be.
  char buffer[1 << 16];
  for (;;) {
    const std::size_t wanted = std::min(sizeof buffer, kMaxSize + 1 - content_.size());
    const ssize_t got = ::read(fd, buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw FileFailure(ReadFailure(number, path, std::strerror(errno)));
    if (got == 0) break;
    content_.append(buffer, static_cast<std::size_t>(got));
    if (content_.size() > kMaxSize) {
      throw FileFailure(ReadFailure(number, path, "it is larger than 1 MiB"));
    }
  }
  Split();
}

InputFile::InputFile(int number, std::string name, std::string content)
    : number_(number), name_(std::move(name)), content_(std::move(content)) {
  Split();
}

// A record ends at LF, at CR LF and at a CR followed by anything else.
void InputFile::Split() {
  const std::size_t size = content_.size();
  std::size_t start = 0;
  while (start < size) {
    const std::size_t end = content_.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      records_.push_back({start, size - start});
      break;
    }
    records_.push_back({start, end - start});
    start = end + 1;
    if (content_[end] == '\r' && start < size && content_[start] == '\n') ++start;
  }
}

OutputFile::OutputFile(int number, std::filesystem::path path)
    : number_(number), path_(std::move(path)) {
  CreateWhenMissing(number, path_);
  file_.emplace(path_);
}

OutputFile::OutputFile(int number) : number_(number) {}

// Without Close() (a run that ends by an exception that is not its own) the file stays as it
// was: what was written so far goes with the temporary file.
OutputFile::~OutputFile() = default;

void OutputFile::Write(std::string_view records) {
  if (closed_) return;
  pending_ += records;
  FlushWhenFull();
}

void OutputFile::WriteFormatted(const ParsedFormat& format,
                                std::initializer_list<FormatValue> values) {
  if (closed_) return;
  AppendFormatted(pending_, format, std::span<const FormatValue>(values.begin(), values.size()));
  FlushWhenFull();
}

void OutputFile::WriteFreeForm(std::string_view text) {
  Write(FreeFormRecord(text));
}

void OutputFile::FlushWhenFull() {
  if (!in_memory() && pending_.size() >= kFlushSize) Flush();
}

void OutputFile::Flush() {
  if (in_memory() || pending_.empty() || failed_) return;
  // The first record of the run starts the file again from its beginning.
  if (!file_->Write(pending_)) failed_ = true;
  pending_.clear();
}

void OutputFile::Close() {
  if (closed_) return;
  Flush();
  closed_ = true;
  // A file the run wrote nothing to keeps its content.
  if (!in_memory() && file_->is_open() && !file_->Commit()) failed_ = true;
  if (failed_) {
    throw FileFailure("Cannot write file '" + path_.filename().string() +
                      "' (unit = " + std::to_string(number_) + ")\n");
  }
}

}  // namespace quilex::textio
