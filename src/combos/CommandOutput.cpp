#include "combos/CommandOutput.hpp"

#include <cstring>
#include <string>

namespace quilex::combos {

CommandOutput::CommandOutput(const std::filesystem::path& path) : shown_(path), file_(path) {
  if (!file_.Open()) Fail();
}

void CommandOutput::Write(std::string_view text) {
  if (!file_.Write(text)) Fail();
}

void CommandOutput::Commit() {
  if (!file_.Commit()) Fail();
}

void CommandOutput::Fail() const {
  throw WriteError("cannot write " + shown_.string() + ": " + std::strerror(file_.error()));
}

}  // namespace quilex::combos
