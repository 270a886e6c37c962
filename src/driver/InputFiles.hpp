// The four input files of a run: which values each read statement takes, in which order.
// Values that a read leaves unchanged (a null value, a slash) keep the zero they start at.
#pragma once

#include <array>
#include <string>

#include "flexure/Sections.hpp"
#include "textio/Units.hpp"

namespace quilex::driver {

// Stirrups of the R, T and C sections.
struct Stirrups {
  double Asw = 0;
  int nb = 0;
  double st = 0;
};

struct SectionData {
  std::string SectionType = " ";
  RectSection R;
  TSection T;
  CircSection C;
  Stirrups stirrups;
  BarSection D;
};

struct MaterialNames {
  std::string DesignCode = "  ";
  std::string SteelGrade = "      ";
  std::string ConcreteClass = "       ";
};

struct Actions {
  double Ned = 0;
  double Med = 0;
  double Ved = 0;
};

int ReadEchoFlag(textio::InputUnit& parm);

// Reads the type and the records of that type. For type D it returns false, before any
// bar is read, when the bar count is outside 1 to kMaxBars.
bool ReadSection(textio::InputUnit& sezi, SectionData& section);

MaterialNames ReadMaterialNames(textio::InputUnit& mate);

Actions ReadActions(textio::InputUnit& slu);

}  // namespace quilex::driver
