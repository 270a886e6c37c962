// Speed of whole runs of the program (in a scratch folder, as it runs), of the library's
// verifications and interaction domain from values without a log, of the most written
// record and of the type-D concrete grid on each processor path.
// Run: build/default/bench/quilex_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include "ReferenceSections.hpp"
#include "biaxial/ConcreteGrid.hpp"
#include "biaxial/PolygonResistance.hpp"
#include "flexure/PolygonIntegration.hpp"
#include "program/ProgramRun.hpp"
#include "quilex/quilex.hpp"
#include "textio/RecordFormat.hpp"

namespace fs = std::filesystem;

namespace {

// A scratch folder holding the inputs of one bundled case.
class ScratchRun {
 public:
  explicit ScratchRun(const std::string& case_name)
      : folder_(fs::temp_directory_path() /
                ("quilex-bench-" + case_name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const char* input : {"parm.txt", "sezi.txt", "mate.txt", "slu-max.txt"}) {
      fs::copy_file(fs::path(QUILEX_CASES_DIR) / case_name / input, folder_ / input);
    }
  }
  ~ScratchRun() { fs::remove_all(folder_); }
  const fs::path& folder() const { return folder_; }

 private:
  fs::path folder_;
};

void WholeRun(benchmark::State& state, const std::string& case_name) {
  const ScratchRun run(case_name);
  for (auto _ : state) {
    std::ostringstream console;
    benchmark::DoNotOptimize(quilex::program::RunQuilex(run.folder(), console));
  }
}

using quilex::bench::kBars;
using quilex::bench::kCircle;
using quilex::bench::kMaterials;
using quilex::bench::kRectangle;
using quilex::bench::kTee;

template <class Section, class Actions>
void Verification(benchmark::State& state, const Section& section, const Actions& actions) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(quilex::Verify(section, kMaterials, actions));
  }
}

// The 60 x 60 concrete grid of the ref-D section under one plane (the neutral axis
// inclined, a third of the section compressed), on each processor path.
void ConcreteGrid(benchmark::State& state, quilex::flexure::LanePath path) {
  if (path == quilex::flexure::LanePath::Avx2 && !quilex::flexure::Avx2Available()) {
    state.SkipWithError("no AVX2 on this processor");
    return;
  }
  const double theta = 1.0, k = std::cos(theta), s = std::sin(theta);
  const double a = 300.0 / 2 * std::fabs(k) + 500.0 / 2 * std::fabs(s);
  const double x = 2 * a / 3;
  const quilex::biaxial::GridPlane plane{.B = 300,
                                         .H = 500,
                                         .a = a,
                                         .k = k,
                                         .s = s,
                                         .x = x,
                                         .kappa = kMaterials.eps_cu / x,
                                         .fcd = kMaterials.fcd,
                                         .eps_c2 = kMaterials.eps_c2};
  for (auto _ : state) {
    benchmark::DoNotOptimize(quilex::biaxial::ConcreteGridForces(plane, path));
  }
}

void RectangleDomain(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(quilex::InteractionDomain(kRectangle, kMaterials));
  }
}

// One record of a solver's iteration log, the program's most written format: parsed at
// compile time, and parsed on every call as a format known only at run time is.
void SolverStepRecord(benchmark::State& state) {
  constexpr quilex::textio::ParsedFormat kStep = "(i4,1x,e15.6,1x,e15.6)";
  std::string out;
  int i = 0;
  for (auto _ : state) {
    const quilex::textio::FormatValue values[] = {++i % 100, 1234.5678 / i, -98765.4321 * i};
    out.clear();
    quilex::textio::AppendFormatted(out, kStep, values);
    benchmark::DoNotOptimize(out.data());
  }
}

void SolverStepRecordParsedEachTime(benchmark::State& state) {
  const std::string_view step = "(i4,1x,e15.6,1x,e15.6)";
  std::string out;
  int i = 0;
  for (auto _ : state) {
    const quilex::textio::FormatValue values[] = {++i % 100, 1234.5678 / i, -98765.4321 * i};
    out.clear();
    quilex::textio::AppendFormatted(out, step, values);
    benchmark::DoNotOptimize(out.data());
  }
}

// The concrete of a polygon section under an inclined plane, integrated exactly: an
// octagon (8 vertices) and a 64-gon, both crossed by the neutral axis and the plateau line.
void PolygonConcrete(benchmark::State& state) {
  const auto vertices = static_cast<int>(state.range(0));
  std::vector<quilex::flexure::Point> polygon;
  for (int k = 0; k < vertices; ++k) {
    const double angle = 2 * 3.141592653589793 * k / vertices;
    polygon.push_back({300 * std::cos(angle), 450 * std::sin(angle)});
  }
  const quilex::flexure::ShorteningPlane plane{0.001, 0.000002, 0.000004};
  for (auto _ : state) {
    benchmark::DoNotOptimize(quilex::flexure::IntegrateConcrete(polygon, plane, 14.17, 0.002));
  }
}

// A polygon section of n vertices on a 600 x 900 ellipse with 20 bars of 20 mm on an
// ellipse 60 mm inside it, under Ned = -1000 kN, Mx = 300 kN·m, My = 150 kN·m.
quilex::PolygonSection EllipticalColumn(int vertices) {
  quilex::PolygonSection s;
  s.outlines.emplace_back();
  for (int k = 0; k < vertices; ++k) {
    const double a = 2 * 3.141592653589793 * (k + 0.5) / vertices;
    s.outlines[0].push_back({300 * std::cos(a), 450 * std::sin(a)});
  }
  for (int k = 0; k < 20; ++k) {
    const double a = 2 * 3.141592653589793 * k / 20;
    s.bars.push_back({200 * std::cos(a), 330 * std::sin(a), 314.16});
  }
  return s;
}

const quilex::MaterialSet kPolygonMaterials = quilex::LookupMaterials("IT", "B450C", "C25/30");

void PolygonResultant(benchmark::State& state) {
  const quilex::biaxial::PolygonModel model =
      quilex::biaxial::ModelOf(EllipticalColumn(static_cast<int>(state.range(0))));
  const quilex::biaxial::PlaneDirection direction = quilex::biaxial::DirectionOf(model, 1.0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        quilex::biaxial::PolygonResultants(model, kPolygonMaterials, direction, 0.1));
  }
}

void PolygonVerification(benchmark::State& state) {
  const quilex::PolygonSection s = EllipticalColumn(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        quilex::Verify(s, kPolygonMaterials, {.Ned = -1000e3, .Mx = 300e6, .My = 150e6}));
  }
}

void PolygonContour(benchmark::State& state) {
  const quilex::PolygonSection s = EllipticalColumn(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(quilex::MomentContour(s, kPolygonMaterials, -1000e3, 72));
}

void PolygonSurface(benchmark::State& state) {
  const quilex::PolygonSection s = EllipticalColumn(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(quilex::ResistanceSurface(s, kPolygonMaterials, 50, 72));
}

}  // namespace

BENCHMARK(PolygonConcrete)->Arg(8)->Arg(64);
BENCHMARK(PolygonResultant)->Arg(8)->Arg(64);
BENCHMARK(PolygonVerification)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(PolygonContour)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(PolygonSurface)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, R, std::string("ref-R"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, T, std::string("ref-T"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, C, std::string("ref-C"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, D, std::string("ref-D"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Verification, R, kRectangle, quilex::bench::kRectangleActions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Verification, R_near_tension, kRectangle, quilex::bench::kRectangleNearTension)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Verification, T, kTee, quilex::bench::kTeeActions)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Verification, C, kCircle, quilex::bench::kCircleActions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Verification, D, kBars, quilex::bench::kBarsActions)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RectangleDomain)->Unit(benchmark::kMicrosecond);
BENCHMARK(SolverStepRecord);
BENCHMARK(SolverStepRecordParsedEachTime);
BENCHMARK_CAPTURE(ConcreteGrid, Baseline, quilex::flexure::LanePath::Baseline)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ConcreteGrid, Avx2, quilex::flexure::LanePath::Avx2)
    ->Unit(benchmark::kMicrosecond);
