// The program's numbered files: each file of a run is known by its number (10 to 13 for
// the inputs, 20 to 22 for the outputs), which its console messages name. Input files hold
// their records in memory (they are a few lines long); output files start writing from the
// beginning at their first record and stay untouched when a run writes nothing to them.
#pragma once

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "textio/RecordFormat.hpp"

namespace quilex::textio {

// A read or write that cannot be carried out. `what()` is the whole console message,
// ending with a line feed; the run ends with status 2.
class FileFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class InputFile {
 public:
  // Opens `path`, creating it empty when it does not exist.
  InputFile(int number, const std::filesystem::path& path);
  // An input held in memory, read as if it were the file `name`.
  InputFile(int number, std::string name, std::string_view content);

  int number() const { return number_; }
  const std::string& name() const { return name_; }

  // Records, without their line ends; the reader keeps its place in `next_record`.
  const std::vector<std::string>& records() const { return records_; }
  std::size_t next_record = 0;

 private:
  void Split(std::string_view content);

  int number_;
  std::string name_;
  std::vector<std::string> records_;
};

class OutputFile {
 public:
  // A file that is created empty when missing and rewritten from its first record.
  OutputFile(int number, std::filesystem::path path);
  // Records kept in memory only (tests, benchmarks).
  explicit OutputFile(int number);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  int number() const { return number_; }

  // Appends whole records (each already ended by CR LF).
  void Write(std::string_view records);
  // `format` is one of the program's literal formats, parsed where it is written.
  void WriteFormatted(const ParsedFormat& format, std::initializer_list<FormatValue> values = {});
  void WriteFreeForm(std::string_view text);

  // Everything written in this run (files in memory only; real files flush as they go).
  const std::string& text() const { return pending_; }

  // Flushes and closes; a file that could not be written is a FileFailure.
  void Close();

 private:
  void Flush();
  void FlushWhenFull();
  bool in_memory() const { return path_.empty(); }

  int number_;
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
  bool closed_ = false;
  std::string pending_;
};

}  // namespace quilex::textio
