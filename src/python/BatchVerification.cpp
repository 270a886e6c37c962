// verify_many(): one section under a table of design actions, verified row by row on
// several threads with the GIL released. Each row runs the very call verify() makes, in the
// same floating-point environment, so each row's numbers are verify()'s to the bit.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "Bindings.hpp"
#include "FloatingPointEnvironment.hpp"

namespace quilex::python {
namespace {

using namespace pybind11::literals;

// A ratio or a quantity the result does not hold (None from verify()).
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

const std::vector<std::string> kUniaxialColumns = {"Ned", "Med", "Ved"};
const std::vector<std::string> kBiaxialColumns = {"Ned", "Mx", "My", "Vx", "Vy"};

template <class T>
T* NewColumn(py::dict& columns, const char* name, std::size_t rows) {
  py::array_t<T> array(static_cast<py::ssize_t>(rows));
  T* data = array.mutable_data();
  columns[name] = array;
  return data;
}

std::int8_t Code(BendingOutcome outcome) {
  return static_cast<std::int8_t>(outcome);
}
std::int8_t Code(ShearOutcome outcome) {
  return static_cast<std::int8_t>(outcome);
}

// The result arrays of an R, T or C section, created in the order of the dict.
struct UniaxialColumns {
  using Result = Verification;
  using Actions = quilex::Actions;
  static const std::vector<std::string>& ActionColumns() { return kUniaxialColumns; }
  static Actions ActionsOf(const double* row) { return {row[0], row[1], row[2]}; }

  UniaxialColumns(py::dict& d, std::size_t n)
      : Mrd(NewColumn<double>(d, "Mrd", n)),
        rho_M(NewColumn<double>(d, "rho_M", n)),
        Vrd(NewColumn<double>(d, "Vrd", n)),
        rho_V(NewColumn<double>(d, "rho_V", n)),
        epsilon(NewColumn<double>(d, "epsilon", n)),
        campo(NewColumn<std::int32_t>(d, "campo", n)),
        verified(NewColumn<bool>(d, "verified", n)),
        bending(NewColumn<std::int8_t>(d, "bending", n)),
        shear(NewColumn<std::int8_t>(d, "shear", n)) {}

  void Store(std::size_t i, const Verification& v) const {
    Mrd[i] = v.Mrd;
    rho_M[i] = v.rho_M.value_or(kNone);
    Vrd[i] = v.Vrd;
    rho_V[i] = v.rho_V.value_or(kNone);
    epsilon[i] = v.epsilon.value_or(kNone);
    campo[i] = v.campo;
    verified[i] = v.verified();
    bending[i] = Code(v.bending);
    shear[i] = Code(v.shear);
  }

  double* Mrd;
  double* rho_M;
  double* Vrd;
  double* rho_V;
  double* epsilon;
  std::int32_t* campo;
  bool* verified;
  std::int8_t* bending;
  std::int8_t* shear;
};

// The result arrays of a RectangleWithBars.
struct BiaxialColumns {
  using Result = BiaxialVerification;
  using Actions = BiaxialActions;
  static const std::vector<std::string>& ActionColumns() { return kBiaxialColumns; }
  static Actions ActionsOf(const double* row) { return {row[0], row[1], row[2], row[3], row[4]}; }

  BiaxialColumns(py::dict& d, std::size_t n)
      : Mrd(NewColumn<double>(d, "Mrd", n)),
        Mrdx(NewColumn<double>(d, "Mrdx", n)),
        Mrdy(NewColumn<double>(d, "Mrdy", n)),
        rho_M(NewColumn<double>(d, "rho_M", n)),
        MRx(NewColumn<double>(d, "MRx", n)),
        MRy(NewColumn<double>(d, "MRy", n)),
        Vrdx(NewColumn<double>(d, "Vrdx", n)),
        Vrdy(NewColumn<double>(d, "Vrdy", n)),
        rho_V(NewColumn<double>(d, "rho_V", n)),
        epsilon(NewColumn<double>(d, "epsilon", n)),
        alpha(NewColumn<double>(d, "alpha", n)),
        campo(NewColumn<std::int32_t>(d, "campo", n)),
        verified(NewColumn<bool>(d, "verified", n)),
        bending(NewColumn<std::int8_t>(d, "bending", n)),
        shear_x(NewColumn<std::int8_t>(d, "shear_x", n)),
        shear_y(NewColumn<std::int8_t>(d, "shear_y", n)),
        last_trial_angle(NewColumn<double>(d, "last_trial_angle", n)) {}

  void Store(std::size_t i, const BiaxialVerification& v) const {
    Mrd[i] = v.Mrd;
    Mrdx[i] = v.Mrdx;
    Mrdy[i] = v.Mrdy;
    rho_M[i] = v.rho_M.value_or(kNone);
    MRx[i] = v.MRx.value_or(kNone);
    MRy[i] = v.MRy.value_or(kNone);
    Vrdx[i] = v.Vrdx;
    Vrdy[i] = v.Vrdy;
    rho_V[i] = v.rho_V.value_or(kNone);
    epsilon[i] = v.epsilon.value_or(kNone);
    alpha[i] = v.alpha.value_or(kNone);
    campo[i] = v.campo;
    verified[i] = v.verified();
    bending[i] = Code(v.bending);
    shear_x[i] = Code(v.shear_x);
    shear_y[i] = Code(v.shear_y);
    last_trial_angle[i] = v.last_trial_angle;
  }

  double* Mrd;
  double* Mrdx;
  double* Mrdy;
  double* rho_M;
  double* MRx;
  double* MRy;
  double* Vrdx;
  double* Vrdy;
  double* rho_V;
  double* epsilon;
  double* alpha;
  std::int32_t* campo;
  bool* verified;
  std::int8_t* bending;
  std::int8_t* shear_x;
  std::int8_t* shear_y;
  double* last_trial_angle;
};

// The result arrays of a PolygonSection: those of a RectangleWithBars and the radial ratio,
// `verified` by the polygon's own rule.
struct PolygonColumns : BiaxialColumns {
  using Result = PolygonVerification;
  PolygonColumns(py::dict& d, std::size_t n)
      : BiaxialColumns(d, n), rho_radial(NewColumn<double>(d, "rho_radial", n)) {}
  void Store(std::size_t i, const PolygonVerification& v) const {
    BiaxialColumns::Store(i, v);
    verified[i] = v.verified();
    rho_radial[i] = v.rho_radial.value_or(kNone);
  }
  double* rho_radial;
};

unsigned ThreadCount(const std::optional<int>& threads) {
  if (!threads) return std::max(1u, std::thread::hardware_concurrency());
  if (*threads < 1) {
    throw py::value_error("threads must be at least 1, not " + std::to_string(*threads));
  }
  return static_cast<unsigned>(*threads);
}

// How long the calling thread computes between two looks for a signal (Ctrl-C).
constexpr auto kSignalCheckInterval = std::chrono::milliseconds(100);

// Raises the exception of a signal that arrived, KeyboardInterrupt for Ctrl-C.
void ThrowIfInterrupted() {
  const py::gil_scoped_acquire locked;
  if (PyErr_CheckSignals() != 0) throw py::error_already_set();
}

// Runs compute(i) for every i below count on `workers` threads, the calling one among them,
// each in the default floating-point environment. Rows are handed out one at a time: a row
// takes microseconds to milliseconds, far more than the handing out. The calling thread
// looks for signals now and then, in the caller's environment, so that a long table can be
// interrupted. The first exception stops the others and is thrown again here. Threads the
// system refuses to start (a process or address-space limit) are done without; returns how
// many threads computed, the calling one included.
template <class Compute>
std::size_t ForEachRow(std::size_t count, unsigned workers, const Compute& compute) {
  using Clock = std::chrono::steady_clock;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr first_failure;
  std::mutex failure_mutex;
  const auto work = [&](bool calling_thread) {
    try {
      std::size_t i = next++;
      while (i < count && !failed) {
        {
          const DefaultFloatingPointEnvironment environment;
          const Clock::time_point slice_end = Clock::now() + kSignalCheckInterval;
          do {
            compute(i);
            i = next++;
          } while (i < count && !failed && !(calling_thread && Clock::now() >= slice_end));
        }
        if (calling_thread && i < count && !failed) ThrowIfInterrupted();
      }
    } catch (...) {
      const std::lock_guard<std::mutex> lock(failure_mutex);
      if (!first_failure) first_failure = std::current_exception();
      failed = true;
    }
  };
  std::size_t computing = 1;
  {
    std::vector<std::jthread> helpers;
    const auto helper_count = static_cast<std::size_t>(std::min<std::size_t>(workers, count));
    helpers.reserve(helper_count);
    try {
      for (std::size_t k = 1; k < helper_count; ++k) {
        helpers.emplace_back(work, false);
        ++computing;
      }
    } catch (const std::system_error&) {
      // No more threads: those started and this one do the rows.
    }
    work(true);
  }
  if (first_failure) std::rethrow_exception(first_failure);
  return computing;
}

// The problems of the rows, the first few of each field with their rows: a table of a
// million NaN rows must not make a million messages. A field with more gets one line more
// with the count.
constexpr std::size_t kRowProblemsShown = 3;

template <class Columns>
void AddRowProblems(const Rows& rows, std::size_t width, std::vector<InvalidValue>& problems) {
  std::vector<std::pair<std::string, std::size_t>> per_field;  // in order of first sight
  for (std::size_t i = 0; i < rows.count; ++i) {
    for (InvalidValue& problem : Validate(Columns::ActionsOf(&rows.values[i * width]))) {
      auto field = std::find_if(per_field.begin(), per_field.end(),
                                [&](const auto& seen) { return seen.first == problem.field; });
      if (field == per_field.end()) field = per_field.insert(per_field.end(), {problem.field, 0});
      if (++field->second <= kRowProblemsShown) {
        problems.push_back(
            {"table[" + std::to_string(i) + "]." + problem.field, std::move(problem.message)});
      }
    }
  }
  for (const auto& [field, count] : per_field) {
    if (count <= kRowProblemsShown) continue;
    problems.push_back({"table[...]." + field, std::to_string(count) + " rows in all have a " +
                                                   field + " that cannot be used; the first " +
                                                   std::to_string(kRowProblemsShown) +
                                                   " are named above"});
  }
}

template <class Columns, class Section>
py::dict VerifyMany(const Section& section, const MaterialSet& materials, py::handle table,
                    const std::optional<Settings>& settings, const std::optional<int>& threads) {
  const std::vector<std::string>& action_columns = Columns::ActionColumns();
  const std::size_t width = action_columns.size();
  const Rows rows = RowsOf(table, action_columns, "table");
  const unsigned workers = ThreadCount(threads);
  const Section copy = section;
  const MaterialSet m = materials;
  const Settings chosen = settings.value_or(Settings{});

  // Every problem up front, in the order verify() reports them, each row's fields named
  // after the row: no row is computed when any row cannot be.
  std::vector<InvalidValue> problems = Validate(copy);
  for (InvalidValue& problem : Validate(m))
    problems.push_back(std::move(problem));
  AddRowProblems<Columns>(rows, width, problems);
  for (InvalidValue& problem : Validate(chosen))
    problems.push_back(std::move(problem));
  for (InvalidValue& problem : Validate(m, chosen))
    problems.push_back(std::move(problem));
  if constexpr (std::is_same_v<Section, PolygonSection>) {
    for (InvalidValue& problem : Validate(copy, m, chosen))
      problems.push_back(std::move(problem));
  }
  if (!problems.empty()) throw InvalidInput(std::move(problems));

  py::dict results;
  const Columns columns(results, rows.count);
  std::size_t computing = 0;
  {
    const py::gil_scoped_release unlocked;
    computing = ForEachRow(rows.count, workers, [&](std::size_t i) {
      columns.Store(i, Verify(copy, m, Columns::ActionsOf(&rows.values[i * width]), chosen));
    });
  }
  const std::size_t wanted = std::min<std::size_t>(workers, rows.count);
  if (computing < wanted) {
    const std::string note = "verify_many: " + std::to_string(wanted) + " threads wanted, " +
                             std::to_string(computing) + " could compute";
    if (PyErr_WarnEx(PyExc_RuntimeWarning, note.c_str(), 1) != 0) throw py::error_already_set();
  }
  if (!rows.names.empty()) results["name"] = py::cast(rows.names);
  return results;
}

constexpr const char* kVerifyManyDoc =
    R"(verify_many(section, materials, table, *, settings=None, threads=None) -> dict

Verify one section under many combinations of design actions, in C++ on several threads
with the GIL released. Each row's numbers are those of verify() on that row, bit for bit.

Arguments (units as in the input files: N, mm, N·mm):
  section    a Rectangle, TSection or Circle, or a RectangleWithBars
  materials  a MaterialSet, e.g. quilex.materials("IT", "B450C", "C25/30")
  table      one combination per row: Ned, Med, Ved (N, N·mm, N) for a Rectangle,
             TSection or Circle; Ned, Mx, My, Vx, Vy for a RectangleWithBars. A table
             that names its columns (a pandas DataFrame, a dict of columns, a structured
             array) is read by name, in any case and order, other columns ignored, its
             "name" column giving the rows' names; a missing column is a ValueError. A
             table without names (an array of shape (n, 3) or (n, 5), any array-like or
             sequence of rows) is read by position. Masked or missing values (NaN aside,
             which the validation names) are refused
  settings   a quilex.Settings, or None for the defaults of the program quilex
  threads    how many threads compute; None for one per core. Threads the system
             refuses to start (a process or memory limit) are done without, with a
             RuntimeWarning saying how many computed

Returns a dict of NumPy arrays of length n, one per result field; its first entries are
the results block of risu-MN.txt, in its order:
  Rectangle, TSection, Circle:
    Mrd, rho_M, Vrd, rho_V, epsilon    float64: N·mm, N and ratios; NaN where verify()
                                       gives None
    campo                              int32
    verified                           bool
    bending, shear                     int8: the values of quilex.BendingOutcome and
                                       quilex.ShearOutcome
  RectangleWithBars:
    Mrd, Mrdx, Mrdy, rho_M, MRx, MRy, Vrdx, Vrdy, rho_V, epsilon, alpha
                                       float64: N·mm, N, ratios and degrees; NaN where
                                       verify() gives None
    campo                              int32
    verified                           bool
    bending, shear_x, shear_y          int8 outcome values
    last_trial_angle                   float64, rad
  name                                 the rows' names, a list, when the table has them
The ultimate state and the contour of resisting moments are verify()'s only.
pandas.DataFrame(result) makes a table of it; quilex.BendingOutcome(code) names a code.

A value the computation cannot use, in the section, the materials, the settings or any
row (a NaN force: "table[7].Med"), raises InvalidInputError before any row is computed
(a field wrong in many rows: its first three rows, then "table[...].Med" with the count);
a table of another shape raises ValueError, one that does not hold numbers TypeError.
Ctrl-C stops the computation within a row or so (KeyboardInterrupt).

>>> table = [(-500e3, 150e6, 100e3), (-500e3, -150e6, 100e3), (0, 300e6, 50e3)]
>>> r = quilex.verify_many(beam, quilex.materials("IT", "B450C", "C25/30"), table)
>>> r["verified"]
array([ True,  True, False])
>>> r["rho_M"].round(2)
array([0.63, 0.73, 1.9 ])
)";

}  // namespace

namespace {

// verify_many() for one kind of section, whose results fill `Columns`.
template <class Columns, class Section>
void DefineVerifyMany(py::module_& m, const char* doc) {
  m.def(
      "verify_many",
      [](const Section& section, const MaterialSet& materials, py::handle table,
         const std::optional<Settings>& settings, const std::optional<int>& threads) {
        return VerifyMany<Columns>(section, materials, table, settings, threads);
      },
      "section"_a, "materials"_a, "table"_a, py::kw_only(), "settings"_a = py::none(),
      "threads"_a = py::none(), doc);
}

}  // namespace

void BindBatchVerification(py::module_& m) {
  py::options options;
  options.disable_function_signatures();
  DefineVerifyMany<UniaxialColumns, RectangularSection>(m, kVerifyManyDoc);
  DefineVerifyMany<UniaxialColumns, TSection>(m, "");
  DefineVerifyMany<UniaxialColumns, CircularSection>(m, "");
  DefineVerifyMany<BiaxialColumns, RectangleWithBars>(m, "");
  DefineVerifyMany<PolygonColumns, PolygonSection>(m, "");
}

}  // namespace quilex::python
