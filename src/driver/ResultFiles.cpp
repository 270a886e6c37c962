#include "driver/ResultFiles.hpp"

namespace quilex::driver {

// clang-format off
void WriteSectionEcho(textio::OutputUnit& risu, const SectionData& section,
                      const MaterialNames& names) {
  const Stirrups& s = section.stirrups;
  const std::string& type = section.SectionType;
  switch (type[0]) {
    case 'R': {
      const RectSection& r = section.R;
      risu.WriteFormatted("('Stype',8x,'B',8x,'H',8x,'c',6x,                                  'Asw',3x,'nb',7x,'st')");
      risu.WriteFormatted("(a1,5x,f8.2,1x,f8.2,1x,f8.2,1x,                                    f8.2,1x,i4,1x,f8.2,/)",
                          {type, r.B, r.H, r.c, s.Asw, s.nb, s.st});
      risu.WriteFormatted("(2f10.2,/)", {r.As[0], r.As[1]});
      break;
    }
    case 'T': {
      const TSection& t = section.T;
      risu.WriteFormatted("('Stype',5x,'BiNf',5x,'HiNf',5x,                                   'BsUp',6x,'HsUp',8x,'c',6x,                                       'Asw',2x,'nb',8x,'st')");
      risu.WriteFormatted("(a1,5x,f8.2,1x,f8.2,1x,                                            f8.2,2x,f8.2,1x,f8.2,1x,                                          f8.2,1x,i3,2x,f8.2,/)",
                          {type, t.BiNf, t.HiNf, t.BsUp, t.HsUp, t.c, s.Asw, s.nb, s.st});
      risu.WriteFormatted("(2f10.2,/)", {t.As[0], t.As[1]});
      break;
    }
    case 'C': {
      const CircSection& c = section.C;
      risu.WriteFormatted("('Stype',8x,'D',8x,'c',7x,                                         'nF',7x,'Df',6x,                                                  'Asw',3x,'nb',7x,'st')");
      risu.WriteFormatted("(a1,5x,f8.2,1x,f8.2,1x,i8,1x,                                      f8.2,1x,f8.2,1x,i4,1x,f8.2,/)",
                          {type, c.D, c.c, c.nF, c.Df, s.Asw, s.nb, s.st});
      break;
    }
    case 'D': {
      const BarSection& d = section.D;
      risu.WriteFormatted("('Stype',8x,'B',8x,'H',6x,'Asw',2x,'nbx',2x,'nby',                 7x,'st',2x,'nbar',/,                                              a1,5x,f8.2,1x,f8.2,1x,f8.2,1x,i4,1x,i4,1x,f8.2,1x,i5)",
                          {type, d.B, d.H, d.Asw, d.nbx, d.nby, d.st, d.nbar});
      for (int j = 0; j < d.nbar; ++j) {
        risu.WriteFormatted("(i5,3f10.2)", {j + 1, d.x[j], d.y[j], d.area[j]});
      }
      break;
    }
    default: break;
  }
  risu.WriteFormatted("(a2,2x,a6,2x,a7,/)", {names.DesignCode, names.SteelGrade, names.ConcreteClass});
}

void WriteActionsEcho(textio::OutputUnit& risu, const Actions& actions) {
  risu.WriteFormatted("('Ned = ',f8.2,/,                                                  'Med = ',f8.2,/,                                                  'Ved = ',f8.2,/)",
                      {actions.Ned * 0.001, actions.Med * 1e-6, actions.Ved * 0.001});
}

// clang-format on

void WriteMaterialFailure(textio::OutputUnit& risu_mn, MaterialFailure failure) {
  switch (failure) {
    case MaterialFailure::Code:
      risu_mn.WriteFormatted("('ATTENTION --> code not present within the database!')");
      break;
    case MaterialFailure::Steel:
      risu_mn.WriteFormatted("('ATTENTION --> steel not present within the database!')");
      break;
    case MaterialFailure::Concrete:
      risu_mn.WriteFormatted("('ATTENTION --> concrete not present within the database!')");
      break;
    case MaterialFailure::None:
      break;
  }
}

void WriteBarCountFailure(textio::OutputUnit& risu_mn) {
  risu_mn.WriteFormatted("('ATTENTION --> number of bars must be from 1 to ',i4)", {kMaxBars});
}

}  // namespace quilex::driver
