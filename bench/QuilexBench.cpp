// Speed of whole runs (in a scratch folder, as the program runs), of single solver calls and
// of the most written record. Run: build/default/bench/quilex_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "driver/MaterialDatabase.hpp"
#include "driver/Quilex.hpp"
#include "flexure/QuilexCircSLU.hpp"
#include "flexure/QuilexRettSLU.hpp"
#include "flexure/QuilexTSLU.hpp"
#include "textio/Units.hpp"

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
    benchmark::DoNotOptimize(quilex::driver::RunQuilex(run.folder(), console));
  }
}

quilex::MaterialSet ItalianB450C25() {
  return quilex::driver::DeriveMaterialSet("IT", "B450C ", "C25/30 ").set;
}

void RectSolverCall(benchmark::State& state) {
  const quilex::RectSection section{300, 500, 50, {603, 1257}};
  const quilex::MaterialSet m = ItalianB450C25();
  for (auto _ : state) {
    quilex::textio::OutputUnit log(20);
    benchmark::DoNotOptimize(
        quilex::flexure::RectSolver(log, 100, section, m, -500000.0, 50, 0.001, 1000));
  }
}

void TSolverCall(benchmark::State& state) {
  const quilex::TSection section{300, 450, 800, 150, 50, {603, 1257}};
  const quilex::MaterialSet m = ItalianB450C25();
  for (auto _ : state) {
    quilex::textio::OutputUnit log(20);
    benchmark::DoNotOptimize(
        quilex::flexure::TSolver(log, 100, section, m, -500000.0, 50, 0.001, 1000));
  }
}

void CircSolverCall(benchmark::State& state) {
  const quilex::CircSection section{400, 40, 8, 16};
  const quilex::MaterialSet m = ItalianB450C25();
  for (auto _ : state) {
    quilex::textio::OutputUnit log(20);
    benchmark::DoNotOptimize(
        quilex::flexure::CircSolver(log, 100, section, m, -500000.0, 50, 0.001, 1000));
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

}  // namespace

BENCHMARK_CAPTURE(WholeRun, R, std::string("ref-R"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, T, std::string("ref-T"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, C, std::string("ref-C"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, D, std::string("ref-D"))->Unit(benchmark::kMillisecond);
BENCHMARK(RectSolverCall)->Unit(benchmark::kMicrosecond);
BENCHMARK(TSolverCall)->Unit(benchmark::kMicrosecond);
BENCHMARK(CircSolverCall)->Unit(benchmark::kMicrosecond);
BENCHMARK(SolverStepRecord);
BENCHMARK(SolverStepRecordParsedEachTime);
