#include "driver/Quilex.hpp"

#include "biaxial/TypeDRun.hpp"
#include "driver/InputFiles.hpp"
#include "driver/MaterialDatabase.hpp"
#include "driver/ResultFiles.hpp"
#include "driver/SectionVerification.hpp"
#include "shear/QuilexRT.hpp"
#include "textio/FloatingPointStatus.hpp"
#include "textio/Units.hpp"

namespace quilex::driver {
namespace {

// The seven units, opened in the order of their numbers.
struct RunUnits {
  explicit RunUnits(const std::filesystem::path& folder)
      : parm(10, folder / "parm.txt"),
        sezi(11, folder / "sezi.txt"),
        mate(12, folder / "mate.txt"),
        slu(13, folder / "slu-max.txt"),
        risu(20, folder / "risu.txt"),
        risu_mn(21, folder / "risu-MN.txt"),
        domplot(22, folder / "domplot.txt") {}

  void Close() {
    risu.Close();
    risu_mn.Close();
    domplot.Close();
  }

  textio::InputUnit parm;
  textio::InputUnit sezi;
  textio::InputUnit mate;
  textio::InputUnit slu;
  textio::OutputUnit risu;
  textio::OutputUnit risu_mn;
  textio::OutputUnit domplot;
};

bool IsVerifiedShape(char type) {
  return type == 'R' || type == 'T' || type == 'C';
}

// The run up to its closing step. Returns early, with everything written so far, on an
// input-data error.
void RunSequence(RunUnits& units) {
  const int echo_flag = ReadEchoFlag(units.parm);
  SectionData section;
  if (!ReadSection(units.sezi, section)) {
    WriteBarCountFailure(units.risu_mn);
    return;
  }
  const MaterialNames names = ReadMaterialNames(units.mate);
  const DerivedMaterials derived =
      DeriveMaterialSet(names.DesignCode, names.SteelGrade, names.ConcreteClass);
  if (derived.failure != MaterialFailure::None) {
    WriteMaterialFailure(units.risu_mn, derived.failure);
    return;
  }
  const MaterialSet& m = derived.set;
  const bool echo = echo_flag == 1;
  if (echo) WriteSectionEcho(units.risu, section, names);

  const char type = section.SectionType[0];
  if (type == 'D') {
    biaxial::RunTypeD(echo, section.D, m, units.slu, units.risu, units.risu_mn, units.domplot);
    return;
  }
  const Actions actions = ReadActions(units.slu);
  if (echo) WriteActionsEcho(units.risu, actions);
  if (!IsVerifiedShape(type)) return;
  const ShapeRow shape = MakeShapeRow(section, m, actions.Ned, units.risu);
  VerifySection(shape, m, actions, units.risu_mn);
  SweepDomain(shape, actions.Ned, units.domplot);
}

}  // namespace

void WriteFloatingPointNote(unsigned raised_flags, std::ostream& console) {
  if (raised_flags == 0) return;
  struct Flag {
    unsigned bit;
    const char* name;
  };
  constexpr Flag kFlags[] = {
      {textio::kInvalidFlag, " IEEE_INVALID_FLAG"},
      {textio::kDivideByZeroFlag, " IEEE_DIVIDE_BY_ZERO"},
      {textio::kOverflowFlag, " IEEE_OVERFLOW_FLAG"},
      {textio::kUnderflowFlag, " IEEE_UNDERFLOW_FLAG"},
      {textio::kDenormalFlag, " IEEE_DENORMAL"},
  };
  console << "Note: The following floating-point exceptions are signalling:";
  for (const Flag& flag : kFlags) {
    if ((raised_flags & flag.bit) != 0) console << flag.name;
  }
  console << '\n';
}

int RunQuilex(const std::filesystem::path& folder, std::ostream& console) {
  textio::ClearFloatingPointFlags();
  try {
    RunUnits units(folder);
    try {
      RunSequence(units);
    } catch (const shear::StrutAngleOutOfRange&) {
      // The check has written its message; the run ends here as a normal end.
    }
    units.Close();
  } catch (const textio::UnitFailure& failure) {
    console << failure.what();
    console.flush();
    return 2;
  }
  WriteFloatingPointNote(textio::RaisedFloatingPointFlags(), console);
  console.flush();
  return 0;
}

}  // namespace quilex::driver
