#include "combos/CommandOutput.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace quilex::combos {

CommandOutput::CommandOutput(const std::filesystem::path& path) : shown_(path) {
  if (path == "-") return;
  file_.emplace(path);
  if (!file_->Open()) Fail(file_->error());
}

void CommandOutput::Write(std::string_view text) {
  if (!file_) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) Fail(errno);
  } else if (!file_->Write(text)) {
    Fail(file_->error());
  }
}

void CommandOutput::Finish() {
  if (!file_) {
    if (std::fflush(stdout) != 0) Fail(errno);
  } else if (!file_->Finish()) {
    Fail(file_->error());
  }
}

void CommandOutput::Commit() {
  if (file_ && !file_->Commit()) Fail(file_->error());
}

void CommandOutput::Fail(int error) const {
  const std::string name = file_ ? shown_.string() : "the standard output";
  throw WriteError("cannot write " + name + ": " + std::strerror(error != 0 ? error : EIO));
}

}  // namespace quilex::combos
