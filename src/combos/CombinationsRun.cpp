#include "combos/CombinationsRun.hpp"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <type_traits>

#include "combos/ActionsTable.hpp"
#include "combos/CommandOutput.hpp"
#include "combos/OrderedBlocks.hpp"
#include "combos/ResultRows.hpp"
#include "quilex/domain.hpp"
#include "quilex/materials.hpp"
#include "quilex/validation.hpp"
#include "quilex/verification.hpp"
#include "runfiles/Csv.hpp"
#include "runfiles/Governing.hpp"
#include "runfiles/InputFiles.hpp"
#include "runfiles/RunLog.hpp"
#include "runfiles/RunRecords.hpp"
#include "runfiles/RunSequence.hpp"
#include "textio/ConsoleText.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/ReplacedFile.hpp"
#include "textio/WholeFile.hpp"

namespace quilex::combos {
namespace {

namespace fs = std::filesystem;

// The program computes with the library's default settings; so does this command, but for
// the exponent of the concrete parabola, which --exponent chooses.
Settings SettingsOf(const Options& options) {
  Settings settings;
  settings.parabola_exponent = options.exponent;
  return settings;
}

// Rows per block of work: enough to make the hand-over cheap, few enough to share the rows
// evenly. With the log a combination writes about 120 KB: its blocks are one row, and the
// threads run no more than two blocks each ahead of the one written (16 at least), so that
// what is held stays a few megabytes whatever the number of rows, and some ten per ten
// threads.
constexpr std::size_t kBlockRows = 256;
constexpr std::size_t kBlocksAhead = 4;
constexpr std::size_t kLogBlockRows = 1;
constexpr std::size_t kLogBlocksAhead = 2;
constexpr std::size_t kLogLeastWindow = 16;

// An input that stops the command; what() is the whole console text.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An input file read as quilex reads it, but a missing one is reported, not created.
textio::InputFile OpenInput(int number, const fs::path& path) {
  std::error_code error;
  if (!fs::exists(path, error)) {
    throw InputError("quilex-combos: cannot read " + path.lexically_normal().string() +
                     ": no such file\n");
  }
  return textio::InputFile(number, path);
}

struct Inputs {
  runfiles::RunInputs read;
  Settings settings;
  const runfiles::SectionData& section() const { return read.section; }
  const MaterialSet& materials() const { return read.materials; }
};

// A problem of the data stops the command with the line quilex writes to risu-MN.txt for it.
[[noreturn]] void Stop(const runfiles::DataProblem& problem) {
  throw InputError(runfiles::AttentionLine(problem) + "\n");
}

// parm.txt (for the log only), sezi.txt and mate.txt, read and checked in the order of a
// run of quilex, which reports the first problem; each file is opened when its turn comes.
Inputs ReadInputs(const Options& options) {
  std::optional<textio::InputFile> files[3];
  const runfiles::OpenInput open = [&](int number) -> textio::InputFile& {
    const char* name = number == 10 ? "parm.txt" : number == 11 ? "sezi.txt" : "mate.txt";
    return files[number - 10].emplace(OpenInput(number, options.folder / name));
  };
  std::variant<runfiles::RunInputs, runfiles::DataProblem> read =
      runfiles::ReadRunInputs(open, options.log);
  if (const auto* problem = std::get_if<runfiles::DataProblem>(&read)) Stop(*problem);
  Inputs in{std::move(std::get<runfiles::RunInputs>(read)), SettingsOf(options)};
  if (const auto problem = runfiles::SectionTypeProblem(in.section())) Stop(*problem);
  // What the settings of the command's options refuse for the section, before any row.
  if (const auto* polygon = std::get_if<PolygonSection>(&in.section())) {
    const std::vector<InvalidValue> refused = Validate(*polygon, in.materials(), in.settings);
    if (!refused.empty()) {
      throw InputError("quilex-combos: " + refused.front().message + " (--exponent)\n");
    }
  }
  return in;
}

std::string ReadTableText(const fs::path& path) {
  // Read in one piece (a table of a million rows is some 35 MB), every read checked.
  std::optional<std::string> text;
  try {
    text = textio::ReadWholeFile(path);
  } catch (const textio::FileFailure& failure) {
    throw InputError(std::string("quilex-combos: ") + failure.what());
  }
  if (!text) throw InputError("quilex-combos: cannot read " + path.string() + ": no such file\n");
  return std::move(*text);
}

// The combination that governs a check (runfiles::Governs), with its failed conditions.
struct Governing {
  bool found = false;
  std::size_t row = 0;
  std::optional<double> ratio;
  std::string failure;  // the check's failed conditions, joined

  void Offer(std::size_t r, const std::optional<double>& offered_ratio,
             const std::string& offered_failure) {
    if (!runfiles::Governs(offered_ratio, found ? &ratio : nullptr)) return;
    found = true;
    row = r;
    ratio = offered_ratio;
    failure = offered_failure;
  }
};

struct Tally {
  std::size_t not_verified = 0;
  ThreadsUsed threads;
  Governing bending;
  Governing shear;

  void Add(std::size_t row, const Verdict& verdict) {
    if (!verdict.verified) ++not_verified;
    bending.Offer(row, verdict.rho_M, JoinedConditions(verdict.bending));
    // A polygon section without shear data and without a shear force made no shear check.
    if (verdict.rho_V || !verdict.shear.empty()) {
      shear.Offer(row, verdict.rho_V, JoinedConditions(verdict.shear));
    }
  }
  // The tally of the rows that follow.
  void Add(const Tally& later) {
    not_verified += later.not_verified;
    if (later.bending.found) {
      bending.Offer(later.bending.row, later.bending.ratio, later.bending.failure);
    }
    if (later.shear.found) shear.Offer(later.shear.row, later.shear.ratio, later.shear.failure);
  }
};

struct Block {
  std::string rows;
  std::string log;
  Tally tally;
};

// What --log writes for every combination besides its own searches: the echo of the section
// (when parm.txt asks for it) and the log of the interaction domain, which does not depend
// on the actions and is traced once.
struct LogParts {
  bool echo = false;
  std::string section_echo;
  std::string domain;
};

template <class Section>
std::string DomainLog(const Section& section, const MaterialSet& m, const Settings& settings) {
  textio::OutputFile risu(20);
  runfiles::RisuLog log(risu);
  InteractionDomain(section, m, settings, &log);
  return risu.text();
}

// What quilex writes to risu.txt for the verification: the echo of the section (traced
// once), the actions' echo and the verification's log, then the domain's log (traced once)
// when the run goes on to it.
template <class Section, class RowActions>
auto VerifyWithLog(const Section& section, const MaterialSet& m, const Settings& settings,
                   const RowActions& actions, const LogParts& parts, std::string& log) {
  textio::OutputFile risu(20);
  if (parts.echo) risu.Write(parts.section_echo);
  const auto v = runfiles::WriteVerification(risu, parts.echo, section, m, settings, actions);
  if (runfiles::RunGoesOn(v)) risu.Write(parts.domain);
  log += risu.text();
  return v;
}

const std::vector<Actions>& RowsOf(const ActionsTable& table, const Actions*) {
  return table.uniaxial;
}
const std::vector<BiaxialActions>& RowsOf(const ActionsTable& table, const BiaxialActions*) {
  return table.biaxial;
}

template <class Section, class RowActions>
void VerifyRows(const Section& section, const MaterialSet& m, const Settings& settings,
                const ActionsTable& table, const LogParts* parts, std::size_t first,
                std::size_t end, Block& block) {
  const std::vector<RowActions>& rows = RowsOf(table, static_cast<const RowActions*>(nullptr));
  for (std::size_t row = first; row < end; ++row) {
    const RowActions& actions = rows[row];
    const auto v = parts == nullptr
                       ? Verify(section, m, actions, settings, nullptr)
                       : VerifyWithLog(section, m, settings, actions, *parts, block.log);
    const Verdict verdict = VerdictOf(v);
    AppendRow(block.rows, table.Name(row), actions, v, verdict);
    block.tally.Add(row, verdict);
  }
}

struct Outputs {
  CommandOutput& results;
  CommandOutput* log;
};

template <class RowActions, class Section>
Tally VerifyAll(const Section& section, const Inputs& in, const ActionsTable& table, unsigned jobs,
                Outputs outputs) {
  LogParts parts;
  if (outputs.log != nullptr) {
    parts.echo = in.read.echo_flag == 1;
    if (parts.echo) {
      textio::OutputFile risu(20);
      runfiles::WriteSectionEcho(risu, in.section(), in.read.names);
      parts.section_echo = risu.text();
    }
    // The contour of a rectangle with bars or a polygon section is not logged.
    if constexpr (std::is_same_v<RowActions, Actions>) {
      parts.domain = DomainLog(section, in.materials(), in.settings);
    }
  }
  const LogParts* log_parts = outputs.log != nullptr ? &parts : nullptr;
  Tally tally;
  const bool logged = outputs.log != nullptr;
  tally.threads = ProcessInOrder<Block>(
      table.size(),
      logged ? BlockPlan(kLogBlockRows, kLogBlocksAhead, kLogLeastWindow)
             : BlockPlan(kBlockRows, kBlocksAhead),
      jobs,
      [&](std::size_t first, std::size_t end, Block& block) {
        VerifyRows<Section, RowActions>(section, in.materials(), in.settings, table, log_parts,
                                        first, end, block);
      },
      [&](Block& block) {
        outputs.results.Write(block.rows);
        if (outputs.log != nullptr) outputs.log->Write(block.log);
        tally.Add(block.tally);
      });
  return tally;
}

void PrintGoverning(std::ostream& out, const char* check, const char* ratio_name,
                    const Governing& governing, const ActionsTable& table) {
  if (!governing.found) {
    out << "governing for " << check << ": none, no combination was checked for it\n";
    return;
  }
  out << "governing for " << check << ": "
      << textio::ConsoleLines(runfiles::CsvQuoted(table.Name(governing.row))) << ", ";
  if (governing.ratio) {
    out << ratio_name << " = " << TwoDecimals(*governing.ratio) << '\n';
  } else {
    out << governing.failure << '\n';
  }
}

void PrintSummary(std::ostream& out, const Tally& tally, const ActionsTable& table,
                  const fs::path& output, const Inputs& in) {
  out << table.size() << (table.size() == 1 ? " combination, " : " combinations, ")
      << tally.not_verified << " not verified: "
      << (output == "-" ? std::string("the standard output") : textio::ConsoleText(output.string()))
      << '\n';
  PrintGoverning(out, "bending", "rho_M", tally.bending, table);
  PrintGoverning(out, "shear", "rho_V", tally.shear, table);
  if (in.materials().fck > kHighStrengthConcrete &&
      in.settings.parabola_exponent == ParabolaExponent::Two) {
    out << "note: concrete above C50/60 with the parabola exponent 2 of quilex: the resistance "
           "may be overestimated; --exponent en1992 uses EN 1992-1-1's\n";
  }
}

// An output that is one of the inputs, or the other output, would destroy what the run reads
// or writes: refused before anything is read or written.
void RefuseOverwrites(const Options& options) {
  std::vector<std::pair<fs::path, std::string>> inputs;
  if (options.log) inputs.emplace_back(options.folder / "parm.txt", "the input");
  inputs.emplace_back(options.folder / "sezi.txt", "the input");
  inputs.emplace_back(options.folder / "mate.txt", "the input");
  inputs.emplace_back(options.ActionsPath(), "the table of actions");
  std::vector<fs::path> outputs;
  if (options.OutputPath() != "-") outputs.push_back(options.OutputPath());
  if (options.log) outputs.push_back(options.LogPath());
  for (std::size_t k = 0; k < outputs.size(); ++k) {
    const fs::path& output = outputs[k];
    auto others = inputs;
    if (k == 0 && options.log) others.emplace_back(options.LogPath(), "the log");
    for (const auto& [file, role] : others) {
      if (!textio::NameSameFile(output, file)) continue;
      throw InputError("quilex-combos: " + output.string() + " is " + role + " " +
                       file.lexically_normal().string() +
                       ": give another output file; nothing is written\n");
    }
  }
}

int Run(const Options& options, std::ostream& out, std::ostream& err) {
  std::error_code error;
  if (!fs::is_directory(options.folder, error)) {
    throw InputError("quilex-combos: " + options.folder.string() + ": not a folder\n");
  }
  RefuseOverwrites(options);
  const Inputs in = ReadInputs(options);
  const bool polygon = std::holds_alternative<PolygonSection>(in.section());
  const bool biaxial = polygon || std::holds_alternative<RectangleWithBars>(in.section());
  const ActionKind kind = biaxial ? ActionKind::Biaxial : ActionKind::Uniaxial;
  const fs::path table_path = options.ActionsPath();
  const ActionsTable table =
      ReadActionsTable(ReadTableText(table_path), table_path.string(), kind, options.units);

  const fs::path output_path = options.OutputPath();
  CommandOutput results(output_path);
  std::optional<CommandOutput> log;
  if (options.log) log.emplace(options.LogPath());
  results.Write(HeaderRecord(kind, polygon));

  const unsigned jobs =
      options.jobs != 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  const Outputs outputs{results, log ? &*log : nullptr};
  const Tally tally = std::visit(
      runfiles::Overloaded{
          [&](const RectangleWithBars& d) {
            return VerifyAll<BiaxialActions>(d, in, table, jobs, outputs);
          },
          [&](const PolygonSection& p) {
            return VerifyAll<BiaxialActions>(p, in, table, jobs, outputs);
          },
          [](const runfiles::UnknownSectionType&) -> Tally {
            throw std::logic_error("an unknown section type is refused as it is read");
          },
          [&](const auto& shape) { return VerifyAll<Actions>(shape, in, table, jobs, outputs); }},
      in.section());
  // The console text made before any file is replaced: what remains cannot fail for memory.
  std::ostringstream note;
  if (tally.threads.started < tally.threads.asked) {
    note << "quilex-combos: note: " << tally.threads.asked << " threads wanted, "
         << tally.threads.started << " could be started"
         << (tally.threads.started == 0 ? " (the work ran on the main thread)" : "") << "\n";
  }
  std::ostringstream summary;
  if (!options.quiet) PrintSummary(summary, tally, table, output_path, in);
  const std::string note_text = note.str();
  const std::string summary_text = summary.str();
  // Both written out before either replaces its file: a write that fails leaves both.
  results.Finish();
  if (log) log->Finish();
  if (log) log->Commit();
  results.Commit();
  err << note_text;
  (output_path == "-" ? err : out) << summary_text;
  return tally.not_verified == 0 ? 0 : 1;
}

}  // namespace

int RunCombinations(const Options& options, std::ostream& out, std::ostream& err) {
  try {
    return Run(options, out, err);
  } catch (const InputError& error) {
    err << textio::ConsoleLines(error.what());
  } catch (const textio::InputFailure& failure) {
    err << "quilex-combos: " << textio::ConsoleLines(failure.what());
  } catch (const textio::FileFailure& failure) {
    err << textio::ConsoleLines(failure.what());
  } catch (const TableError& error) {
    err << "quilex-combos: " << textio::ConsoleLines(error.what()) << '\n';
  } catch (const WriteError& error) {
    err << "quilex-combos: " << textio::ConsoleLines(error.what()) << '\n';
  } catch (const std::bad_alloc&) {
    err << "quilex-combos: not enough memory\n";
  } catch (const std::system_error& error) {  // what the system refused on the way
    err << "quilex-combos: " << textio::ConsoleLines(error.what()) << '\n';
  }
  return 2;
}

}  // namespace quilex::combos
