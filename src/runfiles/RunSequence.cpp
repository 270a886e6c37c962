#include "runfiles/RunSequence.hpp"

#include <variant>

#include "quilex/domain.hpp"
#include "runfiles/InputFiles.hpp"
#include "runfiles/RunLog.hpp"
#include "runfiles/RunRecords.hpp"

namespace quilex::runfiles {
namespace {

// The program computes with the library's default settings.
const Settings kSettings{};

template <class Section>
Verification WriteUniaxialVerification(textio::OutputFile& risu, bool echo, const Section& section,
                                       const MaterialSet& m, const Settings& settings,
                                       const Actions& actions) {
  if (echo) WriteActionsEcho(risu, actions);
  VerificationLog log(risu);
  const Verification v = Verify(section, m, actions, settings, &log);
  log.Finish();
  return v;
}

// An R, T or C section: the verification, its results, then the interaction domain.
template <class Section>
void RunUniaxial(RunFiles& files, bool echo, const Section& section, const MaterialSet& m) {
  const Actions actions = ReadActions(files.slu);
  const Verification v = WriteVerification(files.risu, echo, section, m, kSettings, actions);
  if (!RunGoesOn(v)) return;
  WriteResults(files.risu_mn, v, m);
  RisuLog domain_log(files.risu);
  WritePoints(files.domplot, InteractionDomain(section, m, kSettings, &domain_log));
}

// The contour of a rectangle with bars is part of its verification; a polygon section's is
// drawn after it, with the same 72 directions.
const std::vector<MomentPoint>& ContourOf(const RectangleWithBars&, const MaterialSet&,
                                          const BiaxialActions&, const BiaxialVerification& v) {
  return v.contour;
}
std::vector<MomentPoint> ContourOf(const PolygonSection& section, const MaterialSet& m,
                                   const BiaxialActions& actions, const BiaxialVerification&) {
  return MomentContour(section, m, actions.Ned, 72, kSettings);
}

// A rectangle with bars or a polygon section: the verification, its results and, when a
// search of direction converged (also to a point outside), the contour of resisting moments.
template <class Section>
void RunBiaxial(RunFiles& files, bool echo, const Section& section, const MaterialSet& m) {
  const BiaxialActions actions = ReadBiaxialActions(files.slu);
  const auto v = WriteVerification(files.risu, echo, section, m, kSettings, actions);
  if (!RunGoesOn(v)) return;
  WriteResults(files.risu_mn, v, m);
  if (v.bending == BendingOutcome::Resisted || v.bending == BendingOutcome::OutsideDomain) {
    WritePoints(files.domplot, ContourOf(section, m, actions, v));
  }
}

}  // namespace

Verification WriteVerification(textio::OutputFile& risu, bool echo, const RectangularSection& s,
                               const MaterialSet& m, const Settings& settings,
                               const Actions& actions) {
  return WriteUniaxialVerification(risu, echo, s, m, settings, actions);
}

Verification WriteVerification(textio::OutputFile& risu, bool echo, const TSection& s,
                               const MaterialSet& m, const Settings& settings,
                               const Actions& actions) {
  return WriteUniaxialVerification(risu, echo, s, m, settings, actions);
}

Verification WriteVerification(textio::OutputFile& risu, bool echo, const CircularSection& s,
                               const MaterialSet& m, const Settings& settings,
                               const Actions& actions) {
  return WriteUniaxialVerification(risu, echo, s, m, settings, actions);
}

BiaxialVerification WriteVerification(textio::OutputFile& risu, bool echo,
                                      const RectangleWithBars& s, const MaterialSet& m,
                                      const Settings& settings, const BiaxialActions& actions) {
  if (echo) WriteActionsEcho(risu, actions);
  RisuLog log(risu);
  return Verify(s, m, actions, settings, &log);
}

PolygonVerification WriteVerification(textio::OutputFile& risu, bool echo, const PolygonSection& s,
                                      const MaterialSet& m, const Settings& settings,
                                      const BiaxialActions& actions) {
  if (echo) WriteActionsEcho(risu, actions);
  RisuLog log(risu);
  return Verify(s, m, actions, settings, &log);
}

bool RunGoesOn(const Verification& v) {
  return v.shear != ShearOutcome::StrutAngleOutOfRange;
}

bool RunGoesOn(const BiaxialVerification& v) {
  return v.shear_y != ShearOutcome::StrutAngleOutOfRange;
}

void WriteRun(RunFiles& files) {
  const OpenInput open = [&files](int number) -> textio::InputFile& {
    return number == 10 ? files.parm : number == 11 ? files.sezi : files.mate;
  };
  std::variant<RunInputs, DataProblem> read = ReadRunInputs(open, true);
  if (const DataProblem* problem = std::get_if<DataProblem>(&read)) {
    WriteDataProblem(files.risu_mn, *problem);
    return;
  }
  const RunInputs& in = std::get<RunInputs>(read);
  const bool echo = in.echo_flag == 1;
  if (echo) WriteSectionEcho(files.risu, in.section, in.names);
  std::visit(
      Overloaded{[&](const RectangleWithBars& d) { RunBiaxial(files, echo, d, in.materials); },
                 [&](const PolygonSection& p) { RunBiaxial(files, echo, p, in.materials); },
                 [&](const UnknownSectionType&) {
                   // After the actions' echo, so that no earlier results stay in
                   // risu-MN.txt as if they were this run's.
                   const Actions actions = ReadActions(files.slu);
                   if (echo) WriteActionsEcho(files.risu, actions);
                   WriteDataProblem(files.risu_mn, *SectionTypeProblem(in.section));
                 },
                 [&](const auto& shape) { RunUniaxial(files, echo, shape, in.materials); }},
      in.section);
}

}  // namespace quilex::runfiles
