#include "program/InputFiles.hpp"

#include <string>

#include "textio/FreeFormRead.hpp"

namespace quilex::program {

using textio::ReadList;
using textio::RequireNoFurtherNumbers;

int ReadEchoFlag(textio::InputFile& parm) {
  int echo_flag = 0;
  ReadList(parm, {{echo_flag, "echo_flag"}}, "the echo flag");
  RequireNoFurtherNumbers(parm, "the echo flag", "");
  return echo_flag;
}

bool ReadSection(textio::InputFile& sezi, SectionInput& section) {
  ReadList(sezi, {{section.SectionType, 1, "SectionType"}}, "the section type");
  switch (section.SectionType[0]) {
    case 'R': {
      RectangularSection& r = section.R;
      Stirrups& s = r.stirrups;
      ReadList(sezi,
               {{r.B, "B"}, {r.H, "H"}, {r.c, "c"}, {s.Asw, "Asw"}, {s.nb, "nb"}, {s.st, "st"}},
               "the section");
      ReadList(sezi, {{r.As_top, "As[1]"}, {r.As_bottom, "As[2]"}}, "the areas");
      break;
    }
    case 'T': {
      TSection& t = section.T;
      Stirrups& s = t.stirrups;
      ReadList(sezi,
               {{t.BiNf, "BiNf"},
                {t.HiNf, "HiNf"},
                {t.BsUp, "BsUp"},
                {t.HsUp, "HsUp"},
                {t.c, "c"},
                {s.Asw, "Asw"},
                {s.nb, "nb"},
                {s.st, "st"}},
               "the section");
      ReadList(sezi, {{t.As_top, "As[1]"}, {t.As_bottom, "As[2]"}}, "the areas");
      break;
    }
    case 'C': {
      CircularSection& c = section.C;
      Stirrups& s = c.stirrups;
      ReadList(sezi,
               {{c.D, "D"},
                {c.c, "c"},
                {c.nF, "nF"},
                {c.Df, "Df"},
                {s.Asw, "Asw"},
                {s.nb, "nb"},
                {s.st, "st"}},
               "the section");
      break;
    }
    case 'D': {
      RectangleWithBars& d = section.D;
      BiaxialStirrups& s = d.stirrups;
      ReadList(
          sezi,
          {{d.B, "B"}, {d.H, "H"}, {s.Asw, "Asw"}, {s.nbx, "nbx"}, {s.nby, "nby"}, {s.st, "st"}},
          "the section");
      ReadList(sezi, {{section.nbar, "nbar"}}, "the bar count");
      if (section.nbar < 1 || section.nbar > kMaxBars) return false;
      d.bars.resize(static_cast<std::size_t>(section.nbar));
      int j = 0;
      for (Bar& bar : d.bars) {
        const std::string subject = "bar " + std::to_string(++j);
        ReadList(sezi, {{bar.x, "x"}, {bar.y, "y"}, {bar.area, "area"}}, subject);
      }
      RequireNoFurtherNumbers(sezi, "the section data",
                              "more bar lines than nbar = " + std::to_string(section.nbar) + "?");
      return true;
    }
    default:
      // Nothing more of an unknown type is read, so nothing after it is judged.
      return true;
  }
  RequireNoFurtherNumbers(sezi, "the section data", "");
  return true;
}

MaterialNames ReadMaterialNames(textio::InputFile& mate) {
  MaterialNames names;
  ReadList(mate, {{names.DesignCode, 2, "DesignCode"}}, "the design code");
  ReadList(mate, {{names.SteelGrade, 6, "SteelGrade"}}, "the steel grade");
  ReadList(mate, {{names.ConcreteClass, 7, "ConcreteClass"}}, "the concrete class");
  RequireNoFurtherNumbers(mate, "the three material names", "");
  return names;
}

// One set of actions a run: a second line of them would be ignored.
constexpr const char* kOneSetOfActions =
    "a run checks one set of actions; quilex-combos checks "
    "a table of them";

Actions ReadActions(textio::InputFile& slu) {
  Actions actions;
  ReadList(slu, {{actions.Ned, "Ned"}, {actions.Med, "Med"}, {actions.Ved, "Ved"}}, "the actions");
  RequireNoFurtherNumbers(slu, "the actions", kOneSetOfActions);
  return actions;
}

BiaxialActions ReadBiaxialActions(textio::InputFile& slu) {
  BiaxialActions actions;
  ReadList(slu,
           {{actions.Ned, "Ned"},
            {actions.Mx, "Mx"},
            {actions.My, "My"},
            {actions.Vx, "Vx"},
            {actions.Vy, "Vy"}},
           "the actions");
  RequireNoFurtherNumbers(slu, "the actions", kOneSetOfActions);
  return actions;
}

}  // namespace quilex::program
