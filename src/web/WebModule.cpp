// The browser page's way into Quilex, compiled to WebAssembly. The page writes the files of
// a run folder into the module's memory (FS.writeFile("/run/sezi.txt", ...)) and runs the
// commands on them as a terminal would: the program quilex, quilex-combos and quilex-plot,
// with their own reading, messages and bytes. Beside them, what a form needs: the database's
// names, the problems of a half-edited section field by field, its drawing, and the
// verdict in words.
//
//   const q = await createQuilex();
//   q.FS.mkdir("/run");  q.FS.writeFile("/run/sezi.txt", "R\n300 500 40 50.27 2 150\n...");
//   q.runProgram("/run");            // {status: 0, console: ""}; /run/risu-MN.txt written
//   q.checkSection(q.FS.readFile("/run/sezi.txt", {encoding: "utf8"}));  // [] or problems
//
// No exception leaves a function here: each answers with an object that says what failed.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <sys/stat.h>

#include <exception>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "combos/CombinationsRun.hpp"
#include "combos/CommandLine.hpp"
#include "plot/PlotCommand.hpp"
#include "plot/SectionDrawing.hpp"
#include "program/ProgramRun.hpp"
#include "quilex/quilex.hpp"
#include "runfiles/InputFiles.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/WholeFile.hpp"

namespace {

using emscripten::val;
using quilex::runfiles::Overloaded;
using quilex::runfiles::SectionData;

val Strings(const std::vector<std::string>& texts) {
  val array = val::array();
  for (const std::string& text : texts)
    array.call<void>("push", text);
  return array;
}

val Doubles(const std::vector<double>& values) {
  val array = val::array();
  for (const double value : values)
    array.call<void>("push", value);
  return array;
}

// What a command leaves on a terminal: its exit status and its two streams.
val CommandResult(int status, const std::string& out, const std::string& err) {
  val result = val::object();
  result.set("status", status);
  result.set("out", out);
  result.set("err", err);
  return result;
}

val Failed(const std::string& message) {
  val result = val::object();
  result.set("error", message);
  return result;
}

// What `body` answers, or {error} when it throws: no exception reaches the page.
template <class Body>
val Guarded(const Body& body) {
  try {
    return body();
  } catch (const std::exception& failure) {
    return Failed(failure.what());
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// quilex in `folder`: risu.txt, risu-MN.txt and domplot.txt are written there.
val RunProgram(const std::string& folder) {
  return Guarded([&] {
    std::ostringstream console;
    const int status = quilex::program::RunQuilex(folder, console);
    return CommandResult(status, console.str(), "");
  });
}

// quilex-combos with its command line, one argument per line of `arguments`.
val RunCombos(const std::string& arguments) {
  return Guarded([&] {
    using namespace quilex::combos;
    std::ostringstream out, err;
    Options options;
    try {
      options = ParseCommandLine(Lines(arguments));
    } catch (const UsageError& error) {
      return CommandResult(2, "", std::string("quilex-combos: ") + error.what() + "\n");
    }
    const int status = RunCombinations(options, out, err);
    return CommandResult(status, out.str(), err.str());
  });
}

// quilex-plot with its command line, one argument per line of `arguments`.
val RunPlot(const std::string& arguments) {
  return Guarded([&] {
    std::ostringstream out, err;
    const std::vector<std::string> list = Lines(arguments);
    const int status = quilex::plot::RunPlotCommand(list, out, err);
    return CommandResult(status, out.str(), err.str());
  });
}

val Problem(const std::string& field, std::size_t line, const std::string& message) {
  val problem = val::object();
  problem.set("field", field);
  problem.set("line", static_cast<double>(line));
  problem.set("message", message);
  return problem;
}

std::string WithoutLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}

// The section of a sezi.txt text as quilex reads it, or the problem that stops the read.
std::variant<SectionData, val> ReadSectionText(const std::string& text) {
  quilex::textio::InputFile sezi(11, "sezi.txt", text);
  try {
    auto read = quilex::runfiles::ReadSection(sezi);
    if (const auto* problem = std::get_if<quilex::runfiles::DataProblem>(&read)) {
      return Problem(problem->where.item, problem->where.line,
                     quilex::runfiles::AttentionLine(*problem));
    }
    SectionData section = std::get<SectionData>(std::move(read));
    if (const auto problem = quilex::runfiles::SectionTypeProblem(section)) {
      return Problem(problem->where.item, problem->where.line,
                     quilex::runfiles::AttentionLine(*problem));
    }
    return section;
  } catch (const quilex::textio::InputFailure& failure) {
    return Problem(failure.item(), failure.line(), WithoutLineEnd(failure.what()));
  }
}

// Every problem of a sezi.txt text: the one that stops its read, or every value
// quilex::Validate() refuses, by the field it names ("B", "stirrups.st", "bars[3].x").
val CheckSection(const std::string& text) {
  return Guarded([&] {
    val problems = val::array();
    auto read = ReadSectionText(text);
    if (val* problem = std::get_if<val>(&read)) {
      problems.call<void>("push", *problem);
      return problems;
    }
    const auto invalid =
        std::visit(Overloaded{[](const quilex::runfiles::UnknownSectionType&) {
                                return std::vector<quilex::InvalidValue>{};
                              },
                              [](const auto& section) { return quilex::Validate(section); }},
                   std::get<SectionData>(read));
    for (const quilex::InvalidValue& value : invalid)
      problems.call<void>("push", Problem(value.field, 0, value.message));
    return problems;
  });
}

// The problems of a slu-max.txt text for a section of one plane (R, T, C) or two (D, P).
val CheckActions(const std::string& text, bool biaxial) {
  return Guarded([&] {
    val problems = val::array();
    quilex::textio::InputFile slu(13, "slu-max.txt", text);
    try {
      const std::vector<quilex::InvalidValue> invalid =
          biaxial ? quilex::Validate(quilex::runfiles::ReadBiaxialActions(slu))
                  : quilex::Validate(quilex::runfiles::ReadActions(slu));
      for (const quilex::InvalidValue& value : invalid)
        problems.call<void>("push", Problem(value.field, 0, value.message));
    } catch (const quilex::textio::InputFailure& failure) {
      problems.call<void>("push",
                          Problem(failure.item(), failure.line(), WithoutLineEnd(failure.what())));
    }
    return problems;
  });
}

// The actions of a slu-max.txt text as quilex reads them: {Ned, Med, Ved} or, for D and P,
// {Ned, Mx, My, Vx, Vy}; {error} when it cannot be read.
val ReadActionValues(const std::string& text, bool biaxial) {
  return Guarded([&] {
    quilex::textio::InputFile slu(13, "slu-max.txt", text);
    try {
      val o = val::object();
      if (biaxial) {
        const quilex::BiaxialActions a = quilex::runfiles::ReadBiaxialActions(slu);
        o.set("Ned", a.Ned), o.set("Mx", a.Mx), o.set("My", a.My), o.set("Vx", a.Vx);
        o.set("Vy", a.Vy);
      } else {
        const quilex::Actions a = quilex::runfiles::ReadActions(slu);
        o.set("Ned", a.Ned), o.set("Med", a.Med), o.set("Ved", a.Ved);
      }
      return o;
    } catch (const quilex::textio::InputFailure& failure) {
      return Failed(WithoutLineEnd(failure.what()));
    }
  });
}

// The section of a sezi.txt text drawn to scale, as quilex-report draws it.
val DrawSection(const std::string& text) {
  return Guarded([&] {
    auto read = ReadSectionText(text);
    if (val* problem = std::get_if<val>(&read))
      return Failed((*problem)["message"].as<std::string>());
    val result = val::object();
    result.set("svg", quilex::plot::DrawSection(std::get<SectionData>(read)));
    return result;
  });
}

val StirrupsObject(const quilex::Stirrups& s) {
  val o = val::object();
  o.set("Asw", s.Asw);
  o.set("nb", s.nb);
  o.set("st", s.st);
  return o;
}

val BarsObject(const std::vector<quilex::Bar>& bars) {
  val array = val::array();
  for (const quilex::Bar& bar : bars)
    array.call<void>("push", Doubles({bar.x, bar.y, bar.area}));
  return array;
}

val RingsObject(const std::vector<std::vector<quilex::Vertex>>& rings) {
  val array = val::array();
  for (const std::vector<quilex::Vertex>& ring : rings) {
    val points = val::array();
    for (const quilex::Vertex& p : ring)
      points.call<void>("push", Doubles({p.x, p.y}));
    array.call<void>("push", points);
  }
  return array;
}

// The section of a sezi.txt text as the library holds it, for a form to show: {type: "R",
// B: 300, ...} with the library's field names, or {error} when quilex could not read it.
val ReadSectionFields(const std::string& text) {
  return Guarded([&] {
    auto read = ReadSectionText(text);
    if (val* problem = std::get_if<val>(&read))
      return Failed((*problem)["message"].as<std::string>());
    val o = val::object();
    std::visit(Overloaded{
                   [&](const quilex::RectangularSection& s) {
                     o.set("type", std::string("R"));
                     o.set("B", s.B), o.set("H", s.H), o.set("c", s.c);
                     o.set("As_top", s.As_top), o.set("As_bottom", s.As_bottom);
                     o.set("stirrups", StirrupsObject(s.stirrups));
                   },
                   [&](const quilex::TSection& s) {
                     o.set("type", std::string("T"));
                     o.set("BiNf", s.BiNf), o.set("HiNf", s.HiNf), o.set("BsUp", s.BsUp);
                     o.set("HsUp", s.HsUp), o.set("c", s.c);
                     o.set("As_top", s.As_top), o.set("As_bottom", s.As_bottom);
                     o.set("stirrups", StirrupsObject(s.stirrups));
                   },
                   [&](const quilex::CircularSection& s) {
                     o.set("type", std::string("C"));
                     o.set("D", s.D), o.set("c", s.c), o.set("nF", s.nF), o.set("Df", s.Df);
                     o.set("stirrups", StirrupsObject(s.stirrups));
                   },
                   [&](const quilex::RectangleWithBars& s) {
                     o.set("type", std::string("D"));
                     o.set("B", s.B), o.set("H", s.H);
                     val st = val::object();
                     st.set("Asw", s.stirrups.Asw), st.set("nbx", s.stirrups.nbx);
                     st.set("nby", s.stirrups.nby), st.set("st", s.stirrups.st);
                     o.set("stirrups", st);
                     o.set("bars", BarsObject(s.bars));
                   },
                   [&](const quilex::PolygonSection& s) {
                     o.set("type", std::string("P"));
                     o.set("outlines", RingsObject(s.outlines));
                     o.set("holes", RingsObject(s.holes));
                     o.set("bars", BarsObject(s.bars));
                     if (s.shear) {
                       const quilex::PolygonShear& v = *s.shear;
                       val sh = val::object();
                       sh.set("Asw", v.stirrups.Asw), sh.set("nbx", v.stirrups.nbx);
                       sh.set("nby", v.stirrups.nby), sh.set("st", v.stirrups.st);
                       sh.set("bx", v.bx), sh.set("by", v.by), sh.set("dx", v.dx);
                       sh.set("dy", v.dy);
                       o.set("shear", sh);
                     }
                     if (s.reference) o.set("reference", Doubles({s.reference->x, s.reference->y}));
                   },
                   [&](const quilex::runfiles::UnknownSectionType&) {},
               },
               std::get<SectionData>(read));
    return o;
  });
}

// The three names of a mate.txt text as quilex reads them, without the fields' blanks.
val ReadMaterialNames(const std::string& text) {
  return Guarded([&] {
    quilex::textio::InputFile mate(12, "mate.txt", text);
    try {
      const quilex::runfiles::MaterialNames names = quilex::runfiles::ReadMaterialNames(mate);
      const auto trimmed = [](std::string name) {
        while (!name.empty() && name.back() == ' ')
          name.pop_back();
        return name;
      };
      val o = val::object();
      o.set("code", trimmed(names.design_code));
      o.set("steel", trimmed(names.steel_grade));
      o.set("concrete", trimmed(names.concrete_class));
      return o;
    } catch (const quilex::textio::InputFailure& failure) {
      return Failed(WithoutLineEnd(failure.what()));
    }
  });
}

// The database's names: {codes, steels: {IT: [...], ...}, concretes}.
val MaterialNames() {
  val o = val::object();
  const std::vector<std::string> codes = quilex::DesignCodes();
  o.set("codes", Strings(codes));
  val steels = val::object();
  for (const std::string& code : codes)
    steels.set(code, Strings(quilex::SteelGrades(code)));
  o.set("steels", steels);
  o.set("concretes", Strings(quilex::ConcreteClasses()));
  return o;
}

template <class Result>
val VerdictObject(const Result& result) {
  const quilex::Verdict verdict = quilex::VerdictOf(result);
  val o = val::object();
  o.set("verified", verdict.verified);
  o.set("bending", Strings(verdict.bending));
  o.set("shear", Strings(verdict.shear));
  o.set("reason", verdict.reason());
  return o;
}

// The verdict of the run folder's section under its actions, in the words of quilex-combos's
// reason column: {verified, bending: [...], shear: [...], reason}, or {error} for inputs
// quilex would not verify (its risu-MN.txt says why).
val Verdict(const std::string& folder) {
  return Guarded([&] {
    using namespace quilex;
    const auto input = [&](int number, const char* name) {
      const std::optional<std::string> content = textio::ReadWholeFile(folder + "/" + name);
      return textio::InputFile(number, name, content.value_or(""));
    };
    textio::InputFile sezi = input(11, "sezi.txt");
    textio::InputFile mate = input(12, "mate.txt");
    textio::InputFile slu = input(13, "slu-max.txt");
    try {
      const auto read = runfiles::ReadRunInputs(
          [&](int number) -> textio::InputFile& { return number == 11 ? sezi : mate; }, false);
      if (const auto* problem = std::get_if<runfiles::DataProblem>(&read)) {
        return Failed(runfiles::AttentionLine(*problem));
      }
      const auto& inputs = std::get<runfiles::RunInputs>(read);
      return std::visit(
          Overloaded{
              [&](const RectangleWithBars& s) {
                return VerdictObject(
                    Verify(s, inputs.materials, runfiles::ReadBiaxialActions(slu)));
              },
              [&](const PolygonSection& s) {
                return VerdictObject(
                    Verify(s, inputs.materials, runfiles::ReadBiaxialActions(slu)));
              },
              [&](const runfiles::UnknownSectionType&) { return Failed("unknown section type"); },
              [&](const auto& s) {
                return VerdictObject(Verify(s, inputs.materials, runfiles::ReadActions(slu)));
              }},
          inputs.section);
    } catch (const textio::InputFailure& failure) {
      return Failed(WithoutLineEnd(failure.what()));
    }
  });
}

}  // namespace

EMSCRIPTEN_BINDINGS(quilex) {
  // The file-creation mask of a terminal: Emscripten starts with 0777, under which a file the
  // commands create (risu-combinations.csv) could not be read back.
  ::umask(022);
  emscripten::function("runProgram", &RunProgram);
  emscripten::function("runCombos", &RunCombos);
  emscripten::function("runPlot", &RunPlot);
  emscripten::function("checkSection", &CheckSection);
  emscripten::function("checkActions", &CheckActions);
  emscripten::function("drawSection", &DrawSection);
  emscripten::function("readSectionFields", &ReadSectionFields);
  emscripten::function("readMaterialNames", &ReadMaterialNames);
  emscripten::function("readActions", &ReadActionValues);
  emscripten::function("materialNames", &MaterialNames);
  emscripten::function("verdict", &Verdict);
  emscripten::function("version",
                       emscripten::optional_override([] { return std::string(QUILEX_VERSION); }));
}
