// The format engine as it was before it wrote fields with std::to_chars: every F and E
// field printed with snprintf, the format parsed again on every write. Kept for the tests
// only, as the reference the current engine is cross-checked against byte for byte.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "textio/RecordFormat.hpp"

namespace quilex::textio::reference {

void AppendFormatted(std::string& out, std::string_view format,
                     std::span<const FormatValue> values);
std::string FormatFixed(double value, int width, int decimals);
std::string FormatExponent(double value, int width, int digits);
std::string FormatInteger(long long value, int width);

}  // namespace quilex::textio::reference
