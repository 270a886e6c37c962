// The four input files of a run: which values each read statement takes, in which order,
// under the names the messages give them. Values that a read leaves unchanged (a null value,
// a slash) keep the zero they start at. A number after the last value a file holds is
// refused (a textio::InputFailure), as is any read that fails.
#pragma once

#include <string>

#include "quilex/sections.hpp"
#include "quilex/verification.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::program {

// sezi.txt: the type (its first character counts) and the data of that type.
struct SectionInput {
  std::string SectionType = " ";
  RectangularSection R;
  TSection T;
  CircularSection C;
  RectangleWithBars D;
  int nbar = 0;  // D: the bar count as read
};

struct MaterialNames {
  std::string DesignCode = "  ";
  std::string SteelGrade = "      ";
  std::string ConcreteClass = "       ";
};

int ReadEchoFlag(textio::InputFile& parm);

// Reads the type and the records of that type. For type D it returns false, before any
// bar is read, when the bar count is outside 1 to kMaxBars.
bool ReadSection(textio::InputFile& sezi, SectionInput& section);

MaterialNames ReadMaterialNames(textio::InputFile& mate);

Actions ReadActions(textio::InputFile& slu);

BiaxialActions ReadBiaxialActions(textio::InputFile& slu);

}  // namespace quilex::program
