// The four input files of a run: which values each read statement takes, in which order,
// under the names the messages give them, and the checks a run makes of what it read, in the
// order a run makes them. Values that a read leaves unchanged (a null value, a slash) keep
// the zero they start at. A number after the last value a file holds is refused (a
// textio::InputFailure), as is any read that fails.
//
//   textio::InputFile sezi(11, "sezi.txt", "R\n300 500 40 0 0 0\n1000 1000\n");
//   const auto read = ReadSection(sezi);  // a SectionData holding a RectangularSection
//   if (const DataProblem* problem = std::get_if<DataProblem>(&read)) ...
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "quilex/errors.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"
#include "quilex/verification.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::runfiles {

// A type letter other than R, T, C, D and P: nothing after it is read from sezi.txt.
struct UnknownSectionType {
  std::string letter;
  bool operator==(const UnknownSectionType&) const = default;
};

// sezi.txt: the section of the type its first character names.
using SectionData = std::variant<RectangularSection, TSection, CircularSection, RectangleWithBars,
                                 PolygonSection, UnknownSectionType>;

// The letter of sezi.txt for the section: R, T, C, D, P, or the unknown one as read.
std::string TypeLetter(const SectionData& section);

// Helper for std::visit with one lambda per alternative.
template <class... Cases>
struct Overloaded : Cases... {
  using Cases::operator()...;
};
template <class... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;

struct MaterialNames {
  std::string design_code = "  ";
  std::string steel_grade = "      ";
  std::string concrete_class = "       ";
};

// What in the data of a readable input stops a run: a bar count out of range, a section that
// cannot be real (the first of quilex::Validate()'s problems), a material the database does
// not hold, a type letter that is no section type. Where and why as for a file that cannot be
// read (a textio::FileProblem: "sezi.txt", the line when one is at fault, the item such as
// "nbar", "B" or "DesignCode", the cause); each command says it in its own words, quilex as
// risu-MN.txt's line AttentionLine().
struct DataProblem {
  enum class Kind { BarCount, InvalidSection, UnknownMaterial, UnknownSectionType };
  Kind kind = Kind::InvalidSection;
  textio::FileProblem where;
  MaterialItem material = MaterialItem::DesignCode;  // Kind::UnknownMaterial only
};

// The line quilex writes to risu-MN.txt for the problem, without its line end.
std::string AttentionLine(const DataProblem& problem);

// The problem of a type letter that is no section type, or nothing.
std::optional<DataProblem> SectionTypeProblem(const SectionData& section);

int ReadEchoFlag(textio::InputFile& parm);

// Reads the type and the records of that type. A type-D bar count outside 1 to kMaxBars is
// a DataProblem, found before any bar is read; so is a type-P count out of its range (more
// outlines, holes, vertices or bars than Validate() takes), found before what it counts.
std::variant<SectionData, DataProblem> ReadSection(textio::InputFile& sezi);

MaterialNames ReadMaterialNames(textio::InputFile& mate);

Actions ReadActions(textio::InputFile& slu);

BiaxialActions ReadBiaxialActions(textio::InputFile& slu);

// What a run reads before the actions, every check passed but the type letter's (which a run
// of quilex reports after the actions' echo).
struct RunInputs {
  int echo_flag = 0;
  SectionData section;
  MaterialNames names;
  MaterialSet materials;
};

// The input file of a number (10 parm.txt, 11 sezi.txt, 12 mate.txt), opened when its turn
// comes: a file that is not needed because an earlier one failed is never opened.
using OpenInput = std::function<textio::InputFile&(int number)>;

// Reads parm.txt (when `read_parm`), sezi.txt and mate.txt and checks them in a run's order:
// the section as read, then as a real section (Validate()), the material names, then their
// lookup. Returns the first problem; a file that cannot be read throws textio::InputFailure.
std::variant<RunInputs, DataProblem> ReadRunInputs(const OpenInput& open, bool read_parm);

}  // namespace quilex::runfiles
