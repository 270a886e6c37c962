#include "textio/NumberedFiles.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quilex::textio {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string OpenFailure(int number, const std::filesystem::path& path, const char* cause) {
  return "Cannot open file '" + path.filename().string() + "' (unit = " + std::to_string(number) +
         "): " + cause + "\n";
}

void CreateWhenMissing(int number, const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) throw FileFailure(OpenFailure(number, path, std::strerror(errno)));
  std::fclose(file);
}

}  // namespace

InputFile::InputFile(int number, const std::filesystem::path& path)
    : number_(number), name_(path.filename().string()) {
  CreateWhenMissing(number, path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileFailure(OpenFailure(number, path, "cannot be read"));
  std::ostringstream content;
  content << in.rdbuf();
  Split(content.str());
}

InputFile::InputFile(int number, std::string name, std::string_view content)
    : number_(number), name_(std::move(name)) {
  Split(content);
}

void InputFile::Split(std::string_view content) {
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = content.size();
    std::string_view record = content.substr(start, end - start);
    if (!record.empty() && record.back() == '\r') record.remove_suffix(1);
    records_.emplace_back(record);
    start = last ? content.size() : end + 1;
  }
}

OutputFile::OutputFile(int number, std::filesystem::path path)
    : number_(number), path_(std::move(path)) {
  CreateWhenMissing(number, path_);
}

OutputFile::OutputFile(int number) : number_(number) {}

OutputFile::~OutputFile() {
  if (!closed_) {
    try {
      Close();
    } catch (const FileFailure&) {
      // A destructor cannot report; Close() is called explicitly on every orderly end.
    }
  }
}

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
  if (file_ == nullptr) {
    // The first record of the run: the file starts again from its beginning.
    file_ = std::fopen(path_.c_str(), "wb");
    if (file_ == nullptr) {
      failed_ = true;
      return;
    }
  }
  if (std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size()) failed_ = true;
  pending_.clear();
}

void OutputFile::Close() {
  if (closed_) return;
  Flush();
  closed_ = true;
  if (file_ != nullptr && std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (failed_) {
    throw FileFailure("Cannot write file '" + path_.filename().string() +
                      "' (unit = " + std::to_string(number_) + ")\n");
  }
}

}  // namespace quilex::textio
