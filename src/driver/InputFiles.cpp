#include "driver/InputFiles.hpp"

#include "textio/FreeFormRead.hpp"

namespace quilex::driver {

using textio::ReadList;

int ReadEchoFlag(textio::InputUnit& parm) {
  int echo_flag = 0;
  ReadList(parm, {echo_flag});
  return echo_flag;
}

bool ReadSection(textio::InputUnit& sezi, SectionData& section) {
  ReadList(sezi, {{section.SectionType, 1}});
  Stirrups& s = section.stirrups;
  switch (section.SectionType[0]) {
    case 'R': {
      RectSection& r = section.R;
      ReadList(sezi, {r.B, r.H, r.c, s.Asw, s.nb, s.st});
      ReadList(sezi, {r.As[0], r.As[1]});
      return true;
    }
    case 'T': {
      TSection& t = section.T;
      ReadList(sezi, {t.BiNf, t.HiNf, t.BsUp, t.HsUp, t.c, s.Asw, s.nb, s.st});
      ReadList(sezi, {t.As[0], t.As[1]});
      return true;
    }
    case 'C': {
      CircSection& c = section.C;
      ReadList(sezi, {c.D, c.c, c.nF, c.Df, s.Asw, s.nb, s.st});
      return true;
    }
    case 'D': {
      BarSection& d = section.D;
      ReadList(sezi, {d.B, d.H, d.Asw, d.nbx, d.nby, d.st});
      ReadList(sezi, {d.nbar});
      if (d.nbar < 1 || d.nbar > kMaxBars) return false;
      for (int j = 0; j < d.nbar; ++j)
        ReadList(sezi, {d.x[j], d.y[j], d.area[j]});
      return true;
    }
    default:
      return true;
  }
}

MaterialNames ReadMaterialNames(textio::InputUnit& mate) {
  MaterialNames names;
  ReadList(mate, {{names.DesignCode, 2}});
  ReadList(mate, {{names.SteelGrade, 6}});
  ReadList(mate, {{names.ConcreteClass, 7}});
  return names;
}

Actions ReadActions(textio::InputUnit& slu) {
  Actions actions;
  ReadList(slu, {actions.Ned, actions.Med, actions.Ved});
  return actions;
}

}  // namespace quilex::driver
