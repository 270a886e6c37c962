#include "textio/NumberedFiles.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#include "textio/WholeFile.hpp"

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

InputFailure::InputFailure(FileProblem problem)
    : FileFailure(Location(problem.file, problem.line, problem.item) + ": " + problem.cause + "\n"),
      problem_(std::move(problem)) {}

InputFailure::InputFailure(std::string file, std::size_t line, std::string item, std::string cause)
    : InputFailure(FileProblem{std::move(file), line, std::move(item), std::move(cause)}) {}

InputFile::InputFile(int number, const std::filesystem::path& path)
    : number_(number), name_(path.filename().string()) {
  WholeFileRead read = ReadFileBytes(path, kMaxSize);
  switch (read.failure) {
    case WholeFileRead::Failure::None:
      break;
    case WholeFileRead::Failure::Open:
      throw FileFailure(OpenFailure(number, path, std::strerror(read.error)));
    case WholeFileRead::Failure::IsFolder:
      throw FileFailure(ReadFailure(number, path, "it is a folder"));
    case WholeFileRead::Failure::Read:
      throw FileFailure(ReadFailure(number, path, std::strerror(read.error)));
  }
  if (read.larger_than_bound)
    throw FileFailure(ReadFailure(number, path, "it is larger than 1 MiB"));
  content_ = std::move(read.text);
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
