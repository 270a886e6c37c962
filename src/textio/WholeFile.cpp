#include "textio/WholeFile.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text;
  std::error_code error;
  const std::uintmax_t size =
      std::filesystem::is_regular_file(file, error) ? std::filesystem::file_size(file, error) : 0;
  if (!error && size > 0) text.reserve(static_cast<std::size_t>(size));
  // The chunks are appended here, not by the stream, so that an allocation failure is
  // thrown rather than turned into a stream state.
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.eof()) break;
  }
  if (in.bad() || !in.eof()) {
    throw FileFailure("cannot read " + file.string() + ": " + std::strerror(errno) + "\n");
  }
  return text;
}

}  // namespace quilex::textio
