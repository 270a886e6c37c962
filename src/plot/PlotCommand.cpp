#include "plot/PlotCommand.hpp"

#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "plot/DomainPicture.hpp"
#include "plot/FileText.hpp"
#include "plot/RunFolder.hpp"
#include "quilex/version.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/ReplacedFile.hpp"

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
    "It reads sezi.txt, mate.txt, slu-max.txt, risu-MN.txt and domplot.txt and runs no\n"
    "verification itself: run quilex in the folder first.\n"
    "\n"
    "Options:\n"
    "  --output FILE  write the picture to FILE instead (one FOLDER only; - for the\n"
    "                 standard output)\n"
    "  --help         show this text and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Exit status: 0 when every picture is written; 2 when a folder's files cannot be\n"
    "drawn (the message names the file and line; no picture is written for that folder,\n"
    "an earlier one stays as it was) or the command line is wrong.\n";

// Writes `picture` over `target`, replaced only once it is complete; otherwise the message.
std::optional<std::string> WritePicture(const fs::path& target, const std::string& picture) {
  textio::ReplacedFile file(target);
  if (file.Write(picture) && file.Commit()) return std::nullopt;
  std::string message = Shown(target) + ": cannot be written";
  // The cause is named when the target itself refuses (a folder, say); a picture that could
  // not be written beside it is reported without one.
  if (file.failed_at_target()) message += " (" + std::string(std::strerror(file.error())) + ")";
  return message;
}

}  // namespace

int RunPlotCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  std::vector<fs::path> folders;
  std::optional<std::string> output;
  bool options_ended = false;
  const auto usage_error = [&](const std::string& message) {
    err << "quilex-plot: " << message << "\nTry 'quilex-plot --help' for more information.\n";
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
      out << "quilex-plot " << QUILEX_VERSION << "\n";
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
  for (const fs::path& folder : folders) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
      err << "quilex-plot: " << Shown(folder) << ": not a folder\n";
      status = kNotAllWritten;
      continue;
    }
    std::string picture;
    try {
      picture = DrawDomainPicture(ReadRunFolder(folder));
    } catch (const InputError& failure) {
      err << "quilex-plot: " << failure.what() << "\n";
      status = kNotAllWritten;
      continue;
    } catch (const textio::FileFailure& failure) {  // a read that failed midway
      err << "quilex-plot: " << failure.what();
      status = kNotAllWritten;
      continue;
    } catch (const std::bad_alloc&) {
      err << "quilex-plot: " << Shown(folder) << ": not enough memory\n";
      status = kNotAllWritten;
      continue;
    }
    if (output && *output == "-") {
      out << picture;
      continue;
    }
    const fs::path target = output ? fs::path(*output) : folder / "domplot.svg";
    if (const std::optional<std::string> failure = WritePicture(target, picture)) {
      err << "quilex-plot: " << *failure << "\n";
      status = kNotAllWritten;
    }
  }
  return status;
}

}  // namespace quilex::plot
