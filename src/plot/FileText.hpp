// Small pieces shared by the readers of a run folder: the lines of a text file, strict
// numbers, the fixed-decimal texts of the picture, and the error that names a file and
// line. Every message starts with the file as the user gave it ("run1/domplot.txt:37: ...").
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilex::plot {

// More than any file of a run holds, but for the table of combinations: its inputs, its
// results block and its picture points are a few kilobytes.
constexpr std::size_t kLargestRunFile = std::size_t{1} << 20;

// Input that cannot be drawn; what() is the whole message, without a line end.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "path: message" or, with a line number (from 1), "path:line: message".
[[noreturn]] void FailAt(const std::filesystem::path& file, std::size_t line,
                         const std::string& message);
[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& message);

// The path as messages show it: "run1/domplot.txt", or "domplot.txt" in the current folder.
std::string Shown(const std::filesystem::path& file);

// The whole file, or nullopt when it does not exist; a file that cannot be read is a
// textio::FileFailure. Beyond `most_bytes` the file is refused as larger than any run writes
// (an InputError), after reading no more than that.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file,
                                         std::size_t most_bytes = kLargestRunFile);

// Lines without their ends (LF or CR LF); a last line without a line end counts, the empty
// piece after a final line end does not.
std::vector<std::string> SplitLines(std::string_view text);

std::string_view Trim(std::string_view text);

// A number of the run's files, read by the rule quilex reads its inputs by
// (textio::ParseReal): an optional sign, digits with at most one point, an optional exponent
// with e or d, to the nearest double. Nothing else (no blanks, no inf or nan, nothing beyond
// the largest double).
std::optional<double> ParseNumber(std::string_view text);

// Values beyond this size (kN, kN·m) are refused: no picture could show them beside any
// other value, and their spans would overflow.
constexpr double kLargestDrawable = 1e12;

// A field filled with asterisks: a value that did not fit its print width.
bool IsOverflowField(std::string_view text);

// Fixed-point text with `decimals` decimals, never "-0.00".
std::string Fixed(double value, int decimals);

// At most two decimals, trailing zeros dropped: 300, 50.27, 0.5.
std::string Compact(double value);

// Text made safe for XML character data and attribute values: the five special characters
// escaped, invalid UTF-8 and control characters replaced by U+FFFD.
std::string XmlEscaped(std::string_view text);

// The files of a run folder that the commands read, and must never write over.
inline constexpr const char* kRunFilesRead[] = {
    "sezi.txt", "mate.txt", "slu-max.txt", "risu-MN.txt", "domplot.txt", "risu-combinations.csv"};

// The file of kRunFilesRead in `folder` that `target` names, if it names one.
std::optional<std::filesystem::path> RunFileNamedBy(const std::filesystem::path& target,
                                                    const std::filesystem::path& folder);

// Writes `text` over `target`, replaced only once it is complete; otherwise the message
// ("target: cannot be written", with the cause when the target itself refuses).
std::optional<std::string> WriteReplacing(const std::filesystem::path& target,
                                          const std::string& text);

}  // namespace quilex::plot
