#include "plot/FileText.hpp"

#include <cstdio>
#include <cstring>

#include "textio/FreeFormRead.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/ReplacedFile.hpp"
#include "textio/WholeFile.hpp"

namespace quilex::plot {

void FailAt(const std::filesystem::path& file, std::size_t line, const std::string& message) {
  throw InputError(Shown(file) + ":" + std::to_string(line) + ": " + message);
}

void Fail(const std::filesystem::path& file, const std::string& message) {
  throw InputError(Shown(file) + ": " + message);
}

std::string Shown(const std::filesystem::path& file) {
  return file.lexically_normal().string();
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file,
                                         std::size_t most_bytes) {
  std::optional<std::string> text = textio::ReadWholeFile(file, most_bytes);
  if (text && text->size() > most_bytes) {
    Fail(file, "larger than a run of quilex writes it (more than " + std::to_string(most_bytes) +
                   " bytes)");
  }
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<double> ParseNumber(std::string_view text) {
  const textio::RealValue real = textio::ParseReal(text);
  if (real.status != textio::RealValue::Status::Valid) return std::nullopt;
  return real.value;
}

bool IsOverflowField(std::string_view text) {
  return !text.empty() && text.find_first_not_of('*') == std::string_view::npos;
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string Compact(double value) {
  std::string text = Fixed(value, 2);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0')
      text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

namespace {

// Length of the valid UTF-8 sequence at `at` that XML 1.0 allows, or 0.
std::size_t XmlCharacterLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return (lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r') ? 1 : 0;
  std::size_t length = 0;
  char32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + k) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF) return 0;  // overlong or too large
  if (code >= 0xD800 && code <= 0xDFFF) return 0;            // surrogates
  if (code == 0xFFFE || code == 0xFFFF) return 0;
  return length;
}

}  // namespace

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = XmlCharacterLength(text, at);
    if (length == 0) {
      escaped += "\xEF\xBF\xBD";  // U+FFFD
      ++at;
      continue;
    }
    if (length == 1) {
      switch (text[at]) {
        case '&':
          escaped += "&amp;";
          break;
        case '<':
          escaped += "&lt;";
          break;
        case '>':
          escaped += "&gt;";
          break;
        case '"':
          escaped += "&quot;";
          break;
        case '\'':
          escaped += "&apos;";
          break;
        default:
          escaped += text[at];
          break;
      }
    } else {
      escaped.append(text.substr(at, length));
    }
    at += length;
  }
  return escaped;
}

std::optional<std::filesystem::path> RunFileNamedBy(const std::filesystem::path& target,
                                                    const std::filesystem::path& folder) {
  for (const char* name : kRunFilesRead) {
    if (textio::NameSameFile(target, folder / name)) return folder / name;
  }
  return std::nullopt;
}

std::optional<std::string> WriteReplacing(const std::filesystem::path& target,
                                          const std::string& text) {
  textio::ReplacedFile file(target);
  if (file.Write(text) && file.Commit()) return std::nullopt;
  std::string message = Shown(target) + ": cannot be written";
  // The cause is named when the target itself refuses (a folder, say); a file that could not
  // be written beside it is reported without one.
  if (file.failed_at_target()) message += " (" + std::string(std::strerror(file.error())) + ")";
  return message;
}

}  // namespace quilex::plot
