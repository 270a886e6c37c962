#include "FuzzInputs.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "program/ProgramRun.hpp"
#include "textio/FreeFormRead.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::fuzz {
namespace {

[[noreturn]] void Broken(const char* rule) {
  std::fprintf(stderr, "rule broken: %s\n", rule);
  std::abort();
}

void RequireFinite(std::initializer_list<double> values) {
  for (const double value : values) {
    if (!std::isfinite(value)) Broken("a real that is read is finite");
  }
}

// One read statement of shape `shape` (0 to 7): the shapes of the program's own reads and a
// mixed one.
void ReadStatement(textio::InputFile& unit, unsigned shape) {
  using textio::ReadList;
  int n[3] = {};
  double x[6] = {};
  std::string text[3];
  switch (shape % 8) {
    case 0:
      ReadList(unit, {n[0]});
      break;
    case 1:
      ReadList(unit, {{text[0], 1}});
      break;
    case 2:
      ReadList(unit, {x[0], x[1], x[2], x[3], n[0], x[4]});
      break;
    case 3:
      ReadList(unit, {x[0], x[1], n[0], x[2], x[3], n[1], x[4]});
      break;
    case 4:
      ReadList(unit, {x[0], x[1], x[2]});
      break;
    case 5:
      ReadList(unit, {{text[0], 2}});
      ReadList(unit, {{text[1], 6}});
      ReadList(unit, {{text[2], 7}});
      break;
    case 6:
      ReadList(unit, {x[0], x[1], x[2], x[3], x[4], x[5]});
      break;
    default:
      ReadList(unit, {n[0], x[0], {text[0], 3}, x[1], n[1], {text[1], 1}, x[2], n[2]});
      break;
  }
  RequireFinite({x[0], x[1], x[2], x[3], x[4], x[5]});
}

}  // namespace

void ReadAsInput(std::string_view data) {
  if (data.empty()) return;
  const unsigned recipe = static_cast<unsigned char>(data[0]);
  textio::InputFile unit(11, "sezi.txt", std::string(data.substr(1)));
  try {
    // Each statement starts on a record after the last one it used.
    for (unsigned k = 0; unit.next_record < unit.record_count(); ++k)
      ReadStatement(unit, (recipe >> (k % 4 * 2)) + k);
  } catch (const textio::FileFailure&) {
    // A failed read is an orderly outcome.
  }
}

int RunOnInputs(std::string_view data) {
  std::string part[4];
  for (int k = 0; k < 4 && !data.empty(); ++k) {
    const std::size_t end = data.find('\0');
    part[k] = std::string(data.substr(0, end));
    data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
  }
  program::RunFiles files{textio::InputFile(10, "parm.txt", part[0]),
                          textio::InputFile(11, "sezi.txt", part[1]),
                          textio::InputFile(12, "mate.txt", part[2]),
                          textio::InputFile(13, "slu-max.txt", part[3]),
                          textio::OutputFile(20),
                          textio::OutputFile(21),
                          textio::OutputFile(22)};
  std::ostringstream console;
  const int status = program::RunQuilex(files, console);
  if (status == 0 && files.risu_mn.text().empty()) {
    Broken("a run with status 0 writes to risu-MN.txt");
  }
  if (status == 2 && console.str().empty()) Broken("a run with status 2 says why");
  if (status != 0 && status != 2) Broken("the status is 0 or 2");
  return status;
}

}  // namespace quilex::fuzz
