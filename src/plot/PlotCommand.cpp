#include "plot/PlotCommand.hpp"

#include <filesystem>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "plot/DomainPicture.hpp"
#include "plot/FileText.hpp"
#include "plot/RunFolder.hpp"
#include "quilex/version.hpp"
#include "textio/ConsoleText.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::plot {
namespace fs = std::filesystem;
namespace {

constexpr const char* kUsage =
    "Usage: quilex-plot [options] [FOLDER...]\n"
    "\n"
    "Draws the result of the last quilex run in each FOLDER (default: the current folder)\n"
    "as an SVG picture, domplot.svg beside the run's files: for a section of type R, T or C\n"
    "its M-N interaction domain, for type D its contour of resisting moments at the acting\n"
    "axial force, each with the design point (green when verified, red when not) and the\n"
    "resisting point. When risu-combinations.csv (written by quilex-combos) is in the\n"
    "folder, every combination is drawn as a small marker and the governing one (the\n"
    "largest rho_M) is labelled.\n"
    "\n"
    "It reads sezi.txt, mate.txt, slu-max.txt, risu-MN.txt and domplot.txt: run quilex in\n"
    "the folder first. It draws only results that are the inputs' own: it runs quilex\n"
    "again in memory and refuses a folder whose risu-MN.txt or domplot.txt differs from\n"
    "what that run writes (files of different runs).\n"
    "\n"
    "Options:\n"
    "  --output FILE  write the picture to FILE instead (one FOLDER only; - for the\n"
    "                 standard output; one of the files read is refused)\n"
    "  --help         show this text and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Exit status: 0 when every picture is written; 2 when a folder's files cannot be\n"
    "drawn (the message names the file and line; no picture is written for that folder,\n"
    "an earlier one stays as it was) or the command line is wrong.\n";

// A picture must not be written over one of the files it is drawn from.
std::optional<std::string> OverwrittenInput(const fs::path& target, const fs::path& folder) {
  const std::optional<fs::path> input = RunFileNamedBy(target, folder);
  if (!input) return std::nullopt;
  return Shown(target) + " is " + Shown(*input) +
         ", which the picture is drawn from: give another output file; nothing is written";
}

}  // namespace

namespace {

int RunFolders(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  std::vector<fs::path> folders;
  std::optional<std::string> output;
  bool options_ended = false;
  const auto usage_error = [&](const std::string& message) {
    err << "quilex-plot: " << textio::ConsoleText(message)
        << "\nTry 'quilex-plot --help' for more information.\n";
    return kNotAllWritten;
  };
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& argument = arguments[k];
    if (options_ended || argument.empty() || argument[0] != '-') {
      folders.emplace_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--help" || argument == "-h") {
      out << kUsage;
      return kAllWritten;
    } else if (argument == "--version") {
      out << QUILEX_VERSION_LINES("quilex-plot");
      return kAllWritten;
    } else if (argument == "--output" || argument.rfind("--output=", 0) == 0) {
      if (output) return usage_error("--output given twice");
      if (argument == "--output") {
        if (k + 1 == arguments.size()) return usage_error("--output needs a file name");
        output = arguments[++k];
      } else {
        output = argument.substr(9);
      }
      if (output->empty()) return usage_error("--output needs a file name");
    } else {
      return usage_error("unknown option '" + argument + "'");
    }
  }
  if (folders.empty()) folders.emplace_back(".");
  if (output && folders.size() > 1) {
    return usage_error("--output writes one picture: give one folder with it");
  }

  int status = kAllWritten;
  // Every message of a folder: its names escaped, the folder not drawn.
  const auto folder_failed = [&](const std::string& message) {
    err << "quilex-plot: " << textio::ConsoleLines(message) << "\n";
    status = kNotAllWritten;
  };
  for (const fs::path& folder : folders) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
      folder_failed(Shown(folder) + ": not a folder");
      continue;
    }
    try {
      const bool to_standard_output = output && *output == "-";
      const fs::path target = output ? fs::path(*output) : folder / "domplot.svg";
      if (!to_standard_output) {
        if (const std::optional<std::string> refusal = OverwrittenInput(target, folder)) {
          folder_failed(*refusal);
          continue;
        }
      }
      const std::string picture = DrawDomainPicture(ReadRunFolder(folder));
      if (to_standard_output) {
        out << picture;
      } else if (const std::optional<std::string> failure = WriteReplacing(target, picture)) {
        folder_failed(*failure);
      }
    } catch (const InputError& failure) {
      folder_failed(failure.what());
    } catch (const textio::FileFailure& failure) {  // a read that failed midway
      std::string message = failure.what();
      if (!message.empty() && message.back() == '\n') message.pop_back();
      folder_failed(message);
    } catch (const std::bad_alloc&) {
      folder_failed(Shown(folder) + ": not enough memory");
    }
  }
  return status;
}

}  // namespace

int RunPlotCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  try {
    return RunFolders(arguments, out, err);
  } catch (const std::bad_alloc&) {  // outside a folder's work, which reports its own
    err << "quilex-plot: not enough memory\n";
    return kNotAllWritten;
  }
}

}  // namespace quilex::plot
