// Tables of numbers from Python: bars of a section, rows of design actions.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "Bindings.hpp"

namespace quilex::python {
namespace {

std::string TypeName(py::handle value) {
  return Py_TYPE(value.ptr())->tp_name;
}

std::string ColumnList(const std::vector<std::string>& columns) {
  std::string list;
  for (const std::string& column : columns)
    list += (list.empty() ? "" : ", ") + column;
  return list;
}

std::string ShapeOf(const py::array& array) {
  std::string shape = "(";
  for (py::ssize_t d = 0; d < array.ndim(); ++d)
    shape += (d == 0 ? "" : ", ") + std::to_string(array.shape(d));
  return shape + (array.ndim() == 1 ? ",)" : ")");
}

double Number(py::handle value, const std::string& field) {
  py::detail::make_caster<double> number;
  if (!py::isinstance<py::str>(value) && number.load(value, true)) {
    return py::detail::cast_op<double>(number);
  }
  throw py::type_error(field + " must be a number, not " + TypeName(value));
}

Rows FromArray(const py::array& array, const std::vector<std::string>& columns,
               const std::string& name) {
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u' && kind != 'f') {
    throw py::type_error(name + " must hold numbers, not values of dtype " +
                         py::str(array.dtype()).cast<std::string>());
  }
  const auto width = static_cast<py::ssize_t>(columns.size());
  const bool empty = array.size() == 0 && array.ndim() == 1;
  if (!empty && (array.ndim() != 2 || array.shape(1) != width)) {
    throw py::value_error(name + " must be an array of shape (n, " + std::to_string(width) +
                          ") of " + ColumnList(columns) + ", not of shape " + ShapeOf(array));
  }
  const auto values = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(array);
  if (!values) throw py::error_already_set();
  Rows rows;
  rows.count = empty ? 0 : static_cast<std::size_t>(array.shape(0));
  rows.values.assign(values.data(), values.data() + rows.count * columns.size());
  return rows;
}

Rows FromSequence(py::handle sequence, const std::vector<std::string>& columns,
                  const std::string& name) {
  Rows rows;
  for (py::handle row : sequence) {
    const std::string row_name = name + "[" + std::to_string(rows.count) + "]";
    if (py::isinstance<py::str>(row) || !PySequence_Check(row.ptr())) {
      throw py::type_error(row_name + " must be a row of " + std::to_string(columns.size()) +
                           " numbers (" + ColumnList(columns) + "), not " + TypeName(row));
    }
    const auto items = py::reinterpret_borrow<py::sequence>(row);
    if (items.size() != columns.size()) {
      throw py::value_error(row_name + " must hold " + std::to_string(columns.size()) +
                            " numbers (" + ColumnList(columns) + "), not " +
                            std::to_string(items.size()));
    }
    for (std::size_t j = 0; j < columns.size(); ++j)
      rows.values.push_back(Number(items[j], row_name + "." + columns[j]));
    ++rows.count;
  }
  return rows;
}

}  // namespace

Rows RowsOf(py::handle rows, const std::vector<std::string>& columns, const std::string& name) {
  if (py::isinstance<py::array>(rows) || py::hasattr(rows, "__array__")) {
    return FromArray(py::module_::import("numpy").attr("asarray")(rows), columns, name);
  }
  if (py::isinstance<py::str>(rows) || py::isinstance<py::bytes>(rows) ||
      !py::isinstance<py::iterable>(rows)) {
    throw py::type_error(name + " must be an array of shape (n, " + std::to_string(columns.size()) +
                         ") or a sequence of rows of " + ColumnList(columns) + ", not " +
                         TypeName(rows));
  }
  return FromSequence(rows, columns, name);
}

py::array ReadOnly(py::array array) {
  array.attr("setflags")(py::arg("write") = false);
  return array;
}

}  // namespace quilex::python
