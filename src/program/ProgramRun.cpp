#include "program/ProgramRun.hpp"

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "program/InputFiles.hpp"
#include "program/RunLog.hpp"
#include "program/RunRecords.hpp"
#include "quilex/domain.hpp"
#include "quilex/materials.hpp"
#include "quilex/validation.hpp"
#include "quilex/verification.hpp"
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

// The program computes with the library's default settings.
const Settings kSettings{};

// An R, T or C section: the verification, its results, then the interaction domain. A
// strut angle out of range ends the run after its message, without results.
template <class Section>
void VerifyAndTraceDomain(const Section& section, const MaterialSet& m, const Actions& actions,
                          RunFiles& files) {
  VerificationLog verification_log(files.risu);
  const Verification v = Verify(section, m, actions, kSettings, &verification_log);
  verification_log.Finish();
  if (v.shear == ShearOutcome::StrutAngleOutOfRange) return;
  WriteResults(files.risu_mn, v, m);
  RisuLog domain_log(files.risu);
  WritePoints(files.domplot, InteractionDomain(section, m, kSettings, &domain_log));
}

// A rectangle with bars: the actions, the verification, its results and, when the
// resisting moment was found, the contour of resisting moments.
void VerifyBiaxial(bool echo, const RectangleWithBars& section, const MaterialSet& m,
                   RunFiles& files) {
  const BiaxialActions actions = ReadBiaxialActions(files.slu);
  if (echo) WriteActionsEcho(files.risu, actions);
  RisuLog log(files.risu);
  const BiaxialVerification v = Verify(section, m, actions, kSettings, &log);
  if (v.shear_y == ShearOutcome::StrutAngleOutOfRange) return;
  WriteResults(files.risu_mn, v, m);
  // The contour of a search of direction that converged, also when the point lies outside.
  if (v.bending == BendingOutcome::Resisted || v.bending == BendingOutcome::OutsideDomain) {
    WritePoints(files.domplot, v.contour);
  }
}

// The run up to its closing step. Returns early, with everything written so far, on an
// input-data error.
void RunSequence(RunFiles& files) {
  const int echo_flag = ReadEchoFlag(files.parm);
  SectionInput section;
  if (!ReadSection(files.sezi, section)) {
    WriteBarCountFailure(files.risu_mn);
    return;
  }
  if (const std::optional<std::string> problem = FirstSectionProblem(section)) {
    WriteInvalidSectionFailure(files.risu_mn, *problem);
    return;
  }
  const MaterialNames names = ReadMaterialNames(files.mate);
  MaterialSet m;
  try {
    m = LookupMaterials(names.DesignCode, names.SteelGrade, names.ConcreteClass);
  } catch (const UnknownMaterial& unknown) {
    WriteMaterialFailure(files.risu_mn, unknown.item());
    return;
  }
  const bool echo = echo_flag == 1;
  if (echo) WriteSectionEcho(files.risu, section, names);

  const char type = section.SectionType[0];
  if (type == 'D') {
    VerifyBiaxial(echo, section.D, m, files);
    return;
  }
  const Actions actions = ReadActions(files.slu);
  if (echo) WriteActionsEcho(files.risu, actions);
  switch (type) {
    case 'R':
      VerifyAndTraceDomain(section.R, m, actions, files);
      break;
    case 'T':
      VerifyAndTraceDomain(section.T, m, actions, files);
      break;
    case 'C':
      VerifyAndTraceDomain(section.C, m, actions, files);
      break;
    default:
      // After the echo, so that no earlier results stay in risu-MN.txt as if they were this
      // run's.
      WriteUnknownTypeFailure(files.risu_mn);
      break;
  }
}

}  // namespace

std::optional<std::string> FirstSectionProblem(const SectionInput& section) {
  std::vector<InvalidValue> problems;
  switch (section.SectionType[0]) {
    case 'R':
      problems = Validate(section.R);
      break;
    case 'T':
      problems = Validate(section.T);
      break;
    case 'C':
      problems = Validate(section.C);
      break;
    case 'D':
      problems = Validate(section.D);
      break;
    default:
      break;
  }
  if (problems.empty()) return std::nullopt;
  return problems.front().message;
}

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
    RunSequence(files);
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
