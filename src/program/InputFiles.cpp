#include "program/InputFiles.hpp"

#include "textio/FreeFormRead.hpp"

namespace quilex::program {

using textio::ReadList;

int ReadEchoFlag(textio::InputFile& parm) {
  int echo_flag = 0;
  ReadList(parm, {echo_flag});
  return echo_flag;
}

bool ReadSection(textio::InputFile& sezi, SectionInput& section) {
  ReadList(sezi, {{section.SectionType, 1}});
  switch (section.SectionType[0]) {
    case 'R': {
      RectangularSection& r = section.R;
      Stirrups& s = r.stirrups;
      ReadList(sezi, {r.B, r.H, r.c, s.Asw, s.nb, s.st});
      ReadList(sezi, {r.As_top, r.As_bottom});
      return true;
    }
    case 'T': {
      TSection& t = section.T;
      Stirrups& s = t.stirrups;
      ReadList(sezi, {t.BiNf, t.HiNf, t.BsUp, t.HsUp, t.c, s.Asw, s.nb, s.st});
      ReadList(sezi, {t.As_top, t.As_bottom});
      return true;
    }
    case 'C': {
      CircularSection& c = section.C;
      Stirrups& s = c.stirrups;
      ReadList(sezi, {c.D, c.c, c.nF, c.Df, s.Asw, s.nb, s.st});
      return true;
    }
    case 'D': {
      RectangleWithBars& d = section.D;
      BiaxialStirrups& s = d.stirrups;
      ReadList(sezi, {d.B, d.H, s.Asw, s.nbx, s.nby, s.st});
      ReadList(sezi, {section.nbar});
      if (section.nbar < 1 || section.nbar > kMaxBars) return false;
      d.bars.resize(static_cast<std::size_t>(section.nbar));
      for (Bar& bar : d.bars)
        ReadList(sezi, {bar.x, bar.y, bar.area});
      return true;
    }
    default:
      return true;
  }
}

MaterialNames ReadMaterialNames(textio::InputFile& mate) {
  MaterialNames names;
  ReadList(mate, {{names.DesignCode, 2}});
  ReadList(mate, {{names.SteelGrade, 6}});
  ReadList(mate, {{names.ConcreteClass, 7}});
  return names;
}

Actions ReadActions(textio::InputFile& slu) {
  Actions actions;
  ReadList(slu, {actions.Ned, actions.Med, actions.Ved});
  return actions;
}

BiaxialActions ReadBiaxialActions(textio::InputFile& slu) {
  BiaxialActions actions;
  ReadList(slu, {actions.Ned, actions.Mx, actions.My, actions.Vx, actions.Vy});
  return actions;
}

}  // namespace quilex::program
