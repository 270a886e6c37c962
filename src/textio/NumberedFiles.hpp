// The program's numbered files: each file of a run is known by its number (10 to 13 for
// the inputs, 20 to 22 for the outputs), which its console messages name. Input files hold
// their records in memory (a few lines, at most kMaxSize bytes); output files start again from
// the beginning at their first record, replace their old content only when the run closes
// them, and stay untouched when a run writes nothing to them.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "textio/RecordFormat.hpp"
#include "textio/ReplacedFile.hpp"

namespace quilex::textio {

// A read or write that cannot be carried out. `what()` is the whole console message,
// ending with a line feed; the run ends with status 2.
class FileFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What is wrong in an input file, and where: the file, its line (from 1; 0 for the file as a
// whole), the item at fault when one is (a value's name, "nb, an integer"), and the cause in
// the user's words. The one description of a problem with a file or a value in it; each
// command renders it in its own words.
struct FileProblem {
  std::string file;
  std::size_t line = 0;
  std::string item;
  std::string cause;
  bool operator==(const FileProblem&) const = default;
};

// A record of an input file that cannot be read as it stands. what() is "sezi.txt, line 2,
// item 5 (nb, an integer): "x" is not an integer\n", which each command puts after its own
// name.
class InputFailure : public FileFailure {
 public:
  explicit InputFailure(FileProblem problem);
  InputFailure(std::string file, std::size_t line, std::string item, std::string cause);

  const FileProblem& problem() const { return problem_; }
  const std::string& file() const { return problem_.file; }
  std::size_t line() const { return problem_.line; }
  const std::string& item() const { return problem_.item; }
  const std::string& cause() const { return problem_.cause; }

 private:
  FileProblem problem_;
};

class InputFile {
 public:
  // The most bytes an input file may hold: the largest real input (200 bars) is about 10 KB,
  // and a larger file (a log saved over an input, an endless device) is refused unread.
  static constexpr std::size_t kMaxSize = std::size_t{1} << 20;

  // Opens `path` and reads it whole. A missing file, a folder, a file that cannot be read or
  // one larger than kMaxSize is a FileFailure.
  InputFile(int number, const std::filesystem::path& path);
  // An input held in memory, read as if it were the file `name`.
  InputFile(int number, std::string name, std::string content);

  int number() const { return number_; }
  const std::string& name() const { return name_; }

  // Records, without their line ends (LF, CR LF or a lone CR); the reader keeps its place in
  // `next_record`.
  std::size_t record_count() const { return records_.size(); }
  std::string_view record(std::size_t k) const {
    return std::string_view(content_).substr(records_[k].start, records_[k].length);
  }
  std::size_t next_record = 0;

 private:
  struct Extent {
    std::size_t start;
    std::size_t length;
  };
  void Split();

  int number_;
  std::string name_;
  std::string content_;
  std::vector<Extent> records_;  // into content_
};

// An output is replaced whole or not at all (a ReplacedFile): its records go to a temporary
// file beside it, which Close() renames over it. A run killed before that leaves the file as
// it was, and the temporary file behind.
class OutputFile {
 public:
  // A file that is created empty when missing and rewritten from its first record.
  OutputFile(int number, std::filesystem::path path);
  // Records kept in memory only (tests, benchmarks).
  explicit OutputFile(int number);
  // Without Close() nothing is replaced.
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

  // Flushes, closes and replaces the file; a file that could not be written (or replaced)
  // is a FileFailure and keeps its old content.
  void Close();

 private:
  void Flush();
  void FlushWhenFull();
  bool in_memory() const { return path_.empty(); }

  int number_;
  std::filesystem::path path_;        // as the run names it
  std::optional<ReplacedFile> file_;  // none in memory
  bool failed_ = false;
  bool closed_ = false;
  std::string pending_;
};

}  // namespace quilex::textio
