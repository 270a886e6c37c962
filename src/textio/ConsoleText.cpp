#include "textio/ConsoleText.hpp"

#include <cstddef>

namespace quilex::textio {
namespace {

// The length of the well-formed UTF-8 sequence of two or more bytes at `at`, or 0 (RFC 3629:
// no overlong forms, no surrogates, nothing beyond U+10FFFF). The C1 controls U+0080 to
// U+009F count as not printable: some terminals take U+009B for the escape of a command.
std::size_t MultibyteLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    if (lead == 0xC2) low = 0xA0;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string ConsoleText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t k = 0; k < text.size();) {
    const unsigned char ch = static_cast<unsigned char>(text[k]);
    if (ch >= 0x20 && ch < 0x7F) {
      shown += static_cast<char>(ch);
      ++k;
    } else if (const std::size_t length = ch >= 0x80 ? MultibyteLength(text, k) : 0) {
      shown.append(text, k, length);
      k += length;
    } else {
      shown += "\\x";
      shown += kHex[ch >> 4];
      shown += kHex[ch & 0xF];
      ++k;
    }
  }
  return shown;
}

std::string ConsoleLines(std::string_view text) {
  std::string shown;
  for (;;) {
    const std::size_t end = text.find('\n');
    shown += ConsoleText(text.substr(0, end));
    if (end == std::string_view::npos) return shown;
    shown += '\n';
    text.remove_prefix(end + 1);
  }
}

}  // namespace quilex::textio
