// Speed of quilex-combos: one combination of each section type as the command treats it
// without a log (verification, verdict, row), the table reader, and the whole command on
// one thread over a table of R combinations in a scratch folder.
// Run: build/default/bench/quilex_bench --benchmark_filter=Combination
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ReferenceSections.hpp"
#include "combos/ActionsTable.hpp"
#include "combos/CombinationsRun.hpp"
#include "combos/ResultRows.hpp"
#include "quilex/quilex.hpp"

namespace fs = std::filesystem;

namespace {

using quilex::bench::kBars;
using quilex::bench::kCircle;
using quilex::bench::kMaterials;
using quilex::bench::kRectangle;
using quilex::bench::kTee;

template <class Section, class Actions>
void CombinationRow(benchmark::State& state, const Section& section, const Actions& actions) {
  std::string rows;
  for (auto _ : state) {
    const auto v = quilex::Verify(section, kMaterials, actions, {}, nullptr);
    const quilex::Verdict verdict = quilex::VerdictOf(v);
    quilex::combos::AppendRow(rows, "ULS 1", actions, v, verdict);
    if (rows.size() > (1 << 20)) rows.clear();
  }
  state.SetItemsProcessed(state.iterations());
}

// A table of `rows` R combinations over the domain of the bundled rectangle.
std::string RectangleTable(int rows) {
  std::ostringstream table;
  table << "name,Ned,Med,Ved\n";
  for (int k = 0; k < rows; ++k) {
    table << "ULS " << k + 1 << ',' << -2500000 + (k * 7919) % 2900000 << ','
          << -250000000 + (k * 104729) % 500000000 << ',' << (k * 31) % 150000 << '\n';
  }
  return table.str();
}

void CombinationTable(benchmark::State& state) {
  const std::string table = RectangleTable(10000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(quilex::combos::ReadActionsTable(table, "combinations.csv",
                                                              quilex::combos::ActionKind::Uniaxial,
                                                              quilex::combos::ActionUnits::Newton));
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}

void CombinationCommand(benchmark::State& state) {
  const fs::path folder =
      fs::temp_directory_path() / ("quilex-combos-bench-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::ofstream(folder / "sezi.txt") << "R\n300 500 40 50.27 2 150\n628.32 942.48\n";
  std::ofstream(folder / "mate.txt") << "IT\nB450C\n'C25/30'\n";
  const int rows = static_cast<int>(state.range(0));
  std::ofstream(folder / "combinations.csv") << RectangleTable(rows);
  quilex::combos::Options options;
  options.folder = folder;
  options.quiet = true;
  options.jobs = 1;
  for (auto _ : state) {
    std::ostringstream out, err;
    benchmark::DoNotOptimize(quilex::combos::RunCombinations(options, out, err));
  }
  state.SetItemsProcessed(state.iterations() * rows);
  fs::remove_all(folder);
}

}  // namespace

BENCHMARK_CAPTURE(CombinationRow, R, kRectangle, quilex::bench::kRectangleActions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CombinationRow, T, kTee, quilex::bench::kTeeActions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CombinationRow, C, kCircle, quilex::bench::kCircleActions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CombinationRow, D, kBars, quilex::bench::kBarsActions)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CombinationTable)->Unit(benchmark::kMillisecond);
// The workers run on threads of their own: CPU time is the process's.
BENCHMARK(CombinationCommand)->Arg(20000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
