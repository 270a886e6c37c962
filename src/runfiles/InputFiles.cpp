#include "runfiles/InputFiles.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "quilex/validation.hpp"
#include "textio/FreeFormRead.hpp"
#include "textio/RecordFormat.hpp"

namespace quilex::runfiles {

using textio::ReadList;
using textio::RequireNoFurtherNumbers;

std::string TypeLetter(const SectionData& section) {
  return std::visit(Overloaded{[](const RectangularSection&) { return std::string("R"); },
                               [](const TSection&) { return std::string("T"); },
                               [](const CircularSection&) { return std::string("C"); },
                               [](const RectangleWithBars&) { return std::string("D"); },
                               [](const PolygonSection&) { return std::string("P"); },
                               [](const UnknownSectionType& unknown) { return unknown.letter; }},
                    section);
}

std::string AttentionLine(const DataProblem& problem) {
  std::string line;
  switch (problem.kind) {
    case DataProblem::Kind::BarCount:
      line =
          textio::Formatted("('ATTENTION --> number of bars must be from 1 to ',i4)", {kMaxBars});
      break;
    case DataProblem::Kind::InvalidSection:
      line = textio::Formatted("('ATTENTION --> invalid section data: ',a)", {problem.where.cause});
      break;
    case DataProblem::Kind::UnknownMaterial:
      switch (problem.material) {
        case MaterialItem::DesignCode:
          line = "ATTENTION --> code not present within the database!";
          break;
        case MaterialItem::SteelGrade:
          line = "ATTENTION --> steel not present within the database!";
          break;
        case MaterialItem::ConcreteClass:
          line = "ATTENTION --> concrete not present within the database!";
          break;
      }
      return line;
    case DataProblem::Kind::UnknownSectionType:
      return "ATTENTION --> unknown section type (R, T, C, D or P expected)";
  }
  // A formatted record ends with its CR LF.
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
    line.pop_back();
  return line;
}

std::optional<DataProblem> SectionTypeProblem(const SectionData& section) {
  const auto* unknown = std::get_if<UnknownSectionType>(&section);
  if (unknown == nullptr) return std::nullopt;
  return DataProblem{DataProblem::Kind::UnknownSectionType,
                     {"sezi.txt", 1, "SectionType",
                      "section type '" + unknown->letter + "' is not R, T, C, D or P"}};
}

int ReadEchoFlag(textio::InputFile& parm) {
  int echo_flag = 0;
  ReadList(parm, {{echo_flag, "echo_flag"}}, "the echo flag");
  RequireNoFurtherNumbers(parm, "the echo flag", "");
  return echo_flag;
}

namespace {

RectangularSection ReadRectangle(textio::InputFile& sezi) {
  RectangularSection r;
  Stirrups& s = r.stirrups;
  ReadList(sezi, {{r.B, "B"}, {r.H, "H"}, {r.c, "c"}, {s.Asw, "Asw"}, {s.nb, "nb"}, {s.st, "st"}},
           "the section");
  ReadList(sezi, {{r.As_top, "As[1]"}, {r.As_bottom, "As[2]"}}, "the areas");
  return r;
}

TSection ReadTSection(textio::InputFile& sezi) {
  TSection t;
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
  return t;
}

CircularSection ReadCircle(textio::InputFile& sezi) {
  CircularSection c;
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
  return c;
}

std::variant<SectionData, DataProblem> ReadRectangleWithBars(textio::InputFile& sezi) {
  RectangleWithBars d;
  BiaxialStirrups& s = d.stirrups;
  ReadList(sezi,
           {{d.B, "B"}, {d.H, "H"}, {s.Asw, "Asw"}, {s.nbx, "nbx"}, {s.nby, "nby"}, {s.st, "st"}},
           "the section");
  int nbar = 0;
  ReadList(sezi, {{nbar, "nbar"}}, "the bar count");
  if (nbar < 1 || nbar > kMaxBars) {
    // next_record is the line after the bar count's, counted from 0: the count's, from 1.
    return DataProblem{DataProblem::Kind::BarCount,
                       {"sezi.txt", sezi.next_record, "nbar",
                        "the number of bars, " + std::to_string(nbar) + ", is outside 1 to " +
                            std::to_string(kMaxBars)}};
  }
  d.bars.resize(static_cast<std::size_t>(nbar));
  int j = 0;
  for (Bar& bar : d.bars) {
    const std::string subject = "bar " + std::to_string(++j);
    ReadList(sezi, {{bar.x, "x"}, {bar.y, "y"}, {bar.area, "area"}}, subject);
  }
  RequireNoFurtherNumbers(sezi, "the section data",
                          "more bar lines than nbar = " + std::to_string(nbar) + "?");
  return SectionData(std::move(d));
}

// A count of type P read from sezi.txt, checked against its range before what it counts is
// read, so that no count makes the reader hold more than a section may have.
std::optional<DataProblem> CountProblem(const textio::InputFile& sezi, const char* item,
                                        const std::string& what, int count, int least,
                                        std::size_t most) {
  if (count >= least && static_cast<std::size_t>(count) <= most) return std::nullopt;
  return DataProblem{DataProblem::Kind::InvalidSection,
                     {"sezi.txt", sezi.next_record, item,
                      std::string(item) + ", " + what + ", must be from " + std::to_string(least) +
                          " to " + std::to_string(most) + ", not " + std::to_string(count)}};
}

// Type P: the counts, each outline and each hole (its vertex count, then a vertex a record),
// the bars (x, y, area a record), then the shear data and the reference point when the
// counts say they follow.
std::variant<SectionData, DataProblem> ReadPolygonSection(textio::InputFile& sezi) {
  int nout = 0, nhole = 0, nbar = 0, nshear = 0, nref = 0;
  ReadList(sezi,
           {{nout, "nout"}, {nhole, "nhole"}, {nbar, "nbar"}, {nshear, "nshear"}, {nref, "nref"}},
           "the counts");
  // Every ring has at least three vertices.
  constexpr std::size_t kMostRings = kMaxPolygonVertices / 3;
  for (const auto& problem :
       {CountProblem(sezi, "nout", "the number of outlines", nout, 1, kMostRings),
        CountProblem(sezi, "nhole", "the number of holes", nhole, 0, kMostRings),
        CountProblem(sezi, "nbar", "the number of bars", nbar, 0, kMaxPolygonBars),
        CountProblem(sezi, "nshear", "the number of shear records", nshear, 0, 1),
        CountProblem(sezi, "nref", "the number of reference points", nref, 0, 1)}) {
    if (problem) return *problem;
  }
  PolygonSection p;
  std::size_t vertices_left = kMaxPolygonVertices;
  const auto read_rings =
      [&](int count, const char* kind,
          std::vector<std::vector<Vertex>>& rings) -> std::optional<DataProblem> {
    rings.resize(static_cast<std::size_t>(count));
    int k = 0;
    for (std::vector<Vertex>& ring : rings) {
      const std::string ring_name = std::string(kind) + " " + std::to_string(++k);
      int nv = 0;
      ReadList(sezi, {{nv, "nv"}}, "the vertex count of " + ring_name);
      if (auto problem = CountProblem(sezi, "nv", "the number of vertices of " + ring_name, nv, 3,
                                      std::max<std::size_t>(3, vertices_left))) {
        return problem;
      }
      vertices_left -= std::min(vertices_left, static_cast<std::size_t>(nv));
      ring.resize(static_cast<std::size_t>(nv));
      int j = 0;
      for (Vertex& vertex : ring) {
        ReadList(sezi, {{vertex.x, "x"}, {vertex.y, "y"}},
                 "vertex " + std::to_string(++j) + " of " + ring_name);
      }
    }
    return std::nullopt;
  };
  if (auto problem = read_rings(nout, "outline", p.outlines)) return *problem;
  if (auto problem = read_rings(nhole, "hole", p.holes)) return *problem;
  p.bars.resize(static_cast<std::size_t>(nbar));
  int j = 0;
  for (Bar& bar : p.bars) {
    ReadList(sezi, {{bar.x, "x"}, {bar.y, "y"}, {bar.area, "area"}}, "bar " + std::to_string(++j));
  }
  if (nshear == 1) {
    PolygonShear& shear = p.shear.emplace();
    BiaxialStirrups& s = shear.stirrups;
    ReadList(sezi,
             {{s.Asw, "Asw"},
              {s.nbx, "nbx"},
              {s.nby, "nby"},
              {s.st, "st"},
              {shear.bx, "bx"},
              {shear.by, "by"},
              {shear.dx, "dx"},
              {shear.dy, "dy"}},
             "the shear data");
  }
  if (nref == 1) {
    Vertex& reference = p.reference.emplace();
    ReadList(sezi, {{reference.x, "xref"}, {reference.y, "yref"}}, "the reference point");
  }
  RequireNoFurtherNumbers(sezi, "the section data",
                          "more lines than the counts nout, nhole, nbar, nshear and nref say?");
  return SectionData(std::move(p));
}

}  // namespace

std::variant<SectionData, DataProblem> ReadSection(textio::InputFile& sezi) {
  std::string letter = " ";
  ReadList(sezi, {{letter, 1, "SectionType"}}, "the section type");
  SectionData section;
  switch (letter[0]) {
    case 'R':
      section = ReadRectangle(sezi);
      break;
    case 'T':
      section = ReadTSection(sezi);
      break;
    case 'C':
      section = ReadCircle(sezi);
      break;
    case 'D':
      return ReadRectangleWithBars(sezi);
    case 'P':
      return ReadPolygonSection(sezi);
    default:
      // Nothing more of an unknown type is read, so nothing after it is judged.
      return SectionData(UnknownSectionType{letter});
  }
  RequireNoFurtherNumbers(sezi, "the section data", "");
  return section;
}

MaterialNames ReadMaterialNames(textio::InputFile& mate) {
  MaterialNames names;
  ReadList(mate, {{names.design_code, 2, "DesignCode"}}, "the design code");
  ReadList(mate, {{names.steel_grade, 6, "SteelGrade"}}, "the steel grade");
  ReadList(mate, {{names.concrete_class, 7, "ConcreteClass"}}, "the concrete class");
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

namespace {

// The first of quilex::Validate()'s problems of the section, or nothing (also for an unknown
// type, which is reported later).
std::optional<DataProblem> FirstSectionProblem(const SectionData& section) {
  const std::vector<InvalidValue> problems =
      std::visit(Overloaded{[](const UnknownSectionType&) { return std::vector<InvalidValue>(); },
                            [](const auto& shape) { return Validate(shape); }},
                 section);
  if (problems.empty()) return std::nullopt;
  return DataProblem{DataProblem::Kind::InvalidSection,
                     {"sezi.txt", 0, problems.front().field, problems.front().message}};
}

const char* ItemName(MaterialItem item) {
  switch (item) {
    case MaterialItem::DesignCode:
      return "DesignCode";
    case MaterialItem::SteelGrade:
      return "SteelGrade";
    case MaterialItem::ConcreteClass:
      break;
  }
  return "ConcreteClass";
}

}  // namespace

std::variant<RunInputs, DataProblem> ReadRunInputs(const OpenInput& open, bool read_parm) {
  RunInputs in;
  if (read_parm) in.echo_flag = ReadEchoFlag(open(10));
  std::variant<SectionData, DataProblem> section = ReadSection(open(11));
  if (DataProblem* problem = std::get_if<DataProblem>(&section)) return std::move(*problem);
  in.section = std::move(std::get<SectionData>(section));
  if (std::optional<DataProblem> problem = FirstSectionProblem(in.section)) {
    return std::move(*problem);
  }
  in.names = ReadMaterialNames(open(12));
  try {
    in.materials =
        LookupMaterials(in.names.design_code, in.names.steel_grade, in.names.concrete_class);
  } catch (const UnknownMaterial& unknown) {
    DataProblem problem{DataProblem::Kind::UnknownMaterial,
                        {"mate.txt", 0, ItemName(unknown.item()), unknown.what()}};
    problem.material = unknown.item();
    return problem;
  }
  return in;
}

}  // namespace quilex::runfiles
