// An iteration log kept in memory as the records risu.txt would hold.
#pragma once

#include <string>

#include "runfiles/RunLog.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::testing_support {

class TextLog {
 public:
  IterationLog* sink() { return &log_; }
  const std::string& text() const { return file_.text(); }

 private:
  textio::OutputFile file_{20};
  runfiles::RisuLog log_{file_};
};

}  // namespace quilex::testing_support
