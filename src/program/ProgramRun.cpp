#include "program/ProgramRun.hpp"

#include <new>
#include <string>

#include "textio/FloatingPointStatus.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::program {
namespace {

// How the program names itself before the file, line and cause of an input it cannot read.
constexpr std::string_view kInputFailurePrefix = "quilex: ";

// A missing input is not created: a run in the wrong folder leaves nothing behind.
void RequireInputs(const std::filesystem::path& folder) {
  for (const char* name : {"parm.txt", "sezi.txt", "mate.txt", "slu-max.txt"}) {
    std::error_code error;
    if (std::filesystem::exists(folder / name, error)) continue;
    std::error_code ignored;
    std::filesystem::path where = std::filesystem::absolute(folder, ignored).lexically_normal();
    if (where.filename().empty() && where.has_parent_path()) where = where.parent_path();
    throw textio::InputFailure(name, 0, "",
                               "no such file in " + where.string() +
                                   " (quilex reads parm.txt, sezi.txt, mate.txt and slu-max.txt "
                                   "from the working folder)");
  }
}

// The seven files of `folder`, opened in the order of their numbers.
RunFiles OpenRunFiles(const std::filesystem::path& folder) {
  RequireInputs(folder);
  return RunFiles{
      textio::InputFile(10, folder / "parm.txt"),    textio::InputFile(11, folder / "sezi.txt"),
      textio::InputFile(12, folder / "mate.txt"),    textio::InputFile(13, folder / "slu-max.txt"),
      textio::OutputFile(20, folder / "risu.txt"),   textio::OutputFile(21, folder / "risu-MN.txt"),
      textio::OutputFile(22, folder / "domplot.txt")};
}

// Closes the outputs; the message names every one that cannot be written, a line each.
std::string CloseOutputs(RunFiles& files) {
  std::string failures;
  for (textio::OutputFile* output : {&files.risu, &files.risu_mn, &files.domplot}) {
    try {
      output->Close();
    } catch (const textio::FileFailure& failure) {
      failures += failure.what();
    }
  }
  return failures;
}

}  // namespace

void WriteFloatingPointNote(unsigned raised_flags, std::ostream& console) {
  if (raised_flags == 0) return;
  struct Flag {
    unsigned bit;
    const char* name;
  };
  constexpr Flag kFlags[] = {
      {textio::kInvalidFlag, " IEEE_INVALID_FLAG"},
      {textio::kDivideByZeroFlag, " IEEE_DIVIDE_BY_ZERO"},
      {textio::kOverflowFlag, " IEEE_OVERFLOW_FLAG"},
      {textio::kUnderflowFlag, " IEEE_UNDERFLOW_FLAG"},
      {textio::kDenormalFlag, " IEEE_DENORMAL"},
  };
  console << "Note: The following floating-point exceptions are signalling:";
  for (const Flag& flag : kFlags) {
    if ((raised_flags & flag.bit) != 0) console << flag.name;
  }
  console << '\n';
}

int RunQuilex(RunFiles& files, std::ostream& console) {
  textio::ClearFloatingPointFlags();
  std::string failure;
  try {
    runfiles::WriteRun(files);
  } catch (const textio::InputFailure& read_failure) {
    failure = std::string(kInputFailurePrefix) + read_failure.what();
  } catch (const textio::FileFailure& read_failure) {
    failure = read_failure.what();
  } catch (const std::bad_alloc&) {
    failure = kOutOfMemoryMessage;
  }
  // What the run wrote before a failure stays, as the records of a run that stopped there.
  failure += CloseOutputs(files);
  if (!failure.empty()) {
    console << failure;
    console.flush();
    return 2;
  }
  WriteFloatingPointNote(textio::RaisedFloatingPointFlags(), console);
  console.flush();
  return 0;
}

int RunQuilex(const std::filesystem::path& folder, std::ostream& console) {
  try {
    RunFiles files = OpenRunFiles(folder);
    return RunQuilex(files, console);
  } catch (const textio::InputFailure& missing) {
    console << kInputFailurePrefix << missing.what();
  } catch (const textio::FileFailure& open_failure) {
    console << open_failure.what();
  } catch (const std::bad_alloc&) {
    console << kOutOfMemoryMessage;
  }
  console.flush();
  return 2;
}

}  // namespace quilex::program
