// The parts of the Python module quilex, each defined in its own file and put together by
// Module.cpp, and the conversions they share.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "quilex/quilex.hpp"

namespace quilex::python {

namespace py = pybind11;

// Stirrups, the four sections, MaterialSet, Settings and materials().
void BindSections(py::module_& m);
// UltimateState, Verification and BiaxialVerification.
void BindResults(py::module_& m);
// verify(), domain() and contour().
void BindComputations(py::module_& m);
// verify_many().
void BindBatchVerification(py::module_& m);

// The members of a C++ enum as a Python enum shows them: names and values.
template <class Enum>
using Members = std::vector<std::pair<const char*, Enum>>;

// Makes the IntEnum `name` of the module, its values the C++ ones.
template <class Enum>
py::object MakeEnum(py::module_& m, const char* name, const Members<Enum>& members,
                    const char* doc) {
  py::list pairs;
  for (const auto& [member, value] : members)
    pairs.append(py::make_tuple(member, static_cast<int>(value)));
  py::object type =
      py::module_::import("enum").attr("IntEnum")(name, pairs, py::arg("module") = "quilex");
  type.attr("__doc__") = doc;
  m.attr(name) = type;
  return type;
}

// The Python enum (an IntEnum of the module) for an outcome; its values are the C++ ones.
py::object ToPython(BendingOutcome outcome);
py::object ToPython(ShearOutcome outcome);

// Rows of numbers from Python, one value per column: an array-like of shape (n, columns)
// of integers or floats (a NumPy array, a pandas DataFrame, ...) or any sequence of rows
// (tuples, lists). `name` names the argument in messages. Something that is not rows of
// numbers raises TypeError ("bars[3].area must be a number, not str"); rows of another
// length or an array of another shape raise ValueError. The values come row after row.
// A table with column names (a dict of columns, a pandas DataFrame, a structured array) is
// read by name, case-insensitively, its "name" (or "combination") column giving the rows'
// names; one without names by position.
struct Rows {
  std::size_t count = 0;
  std::vector<double> values;      // count * columns.size()
  std::vector<std::string> names;  // of the rows, when the table names them
};
Rows RowsOf(py::handle rows, const std::vector<std::string>& columns, const std::string& name);

// The array, marked read-only: for arrays that are copies of a value's members, which a
// change could not reach.
py::array ReadOnly(py::array array);

// A new NumPy array of shape (points.size(), 2) of the two members of each point.
template <class Point, auto first, auto second>
py::array_t<double> PairsArray(const std::vector<Point>& points) {
  py::array_t<double> array({static_cast<py::ssize_t>(points.size()), py::ssize_t{2}});
  auto out = array.template mutable_unchecked<2>();
  for (std::size_t i = 0; i < points.size(); ++i) {
    out(static_cast<py::ssize_t>(i), 0) = points[i].*first;
    out(static_cast<py::ssize_t>(i), 1) = points[i].*second;
  }
  return array;
}

}  // namespace quilex::python
