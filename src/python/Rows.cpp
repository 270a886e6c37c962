// Tables of numbers from Python: bars of a section, rows of design actions.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Bindings.hpp"

namespace quilex::python {
namespace {

using namespace pybind11::literals;

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

std::string Lower(std::string text) {
  for (char& ch : text)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

// The columns of a table that names them, in its order; none for a table without names.
std::optional<std::vector<std::pair<std::string, py::object>>> NamedColumns(py::handle table) {
  std::vector<std::pair<std::string, py::object>> named;
  if (py::isinstance<py::array>(table)) {
    const py::object fields = table.attr("dtype").attr("names");
    if (fields.is_none()) return std::nullopt;
    for (py::handle field : fields)
      named.emplace_back(py::str(field), table[field]);
    return named;
  }
  if (py::hasattr(table, "columns") && py::hasattr(table, "__getitem__")) {  // a DataFrame
    for (py::handle column : table.attr("columns"))
      named.emplace_back(py::str(column), table[column]);
    return named;
  }
  if (PyMapping_Check(table.ptr()) && py::hasattr(table, "keys") &&
      !PySequence_Check(table.ptr())) {
    for (py::handle key : table.attr("keys")())
      named.emplace_back(py::str(key), table[key]);
    return named;
  }
  return std::nullopt;
}

// A masked array with a masked value would be computed as if unmasked.
void RefuseMaskedValues(py::handle values, const std::string& field) {
  const py::object ma = py::module_::import("numpy").attr("ma");
  if (ma.attr("isMaskedArray")(values).cast<bool>() &&
      ma.attr("getmaskarray")(values).attr("any")().cast<bool>()) {
    throw py::value_error(field + " holds masked values: give every value, or drop the rows");
  }
}

// One column as float64 values: a nullable pandas column without missing values too; a
// masked or a missing value is refused.
py::array_t<double> ColumnValues(const py::object& column, const std::string& field) {
  const py::module_ numpy = py::module_::import("numpy");
  RefuseMaskedValues(column, field);
  py::object values = column;
  if (py::hasattr(column, "to_numpy")) {  // pandas: a nullable column refuses its NA here
    try {
      values = column.attr("to_numpy")("dtype"_a = "float64");
    } catch (const py::error_already_set&) {
      throw py::value_error(field + " holds missing values: give every value, or drop the rows");
    }
  }
  const py::array array = numpy.attr("asarray")(values);
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u' && kind != 'f' && kind != 'b') {
    throw py::type_error(field + " must hold numbers, not values of dtype " +
                         py::str(array.dtype()).cast<std::string>());
  }
  if (array.ndim() != 1) throw py::value_error(field + " must be one column of values");
  return py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(array);
}

Rows FromNamedColumns(const std::vector<std::pair<std::string, py::object>>& named,
                      const std::vector<std::string>& columns, const std::string& name) {
  const auto find = [&](const std::string& wanted) -> const py::object* {
    const py::object* found = nullptr;
    for (const auto& [title, column] : named) {
      if (Lower(title) != Lower(wanted)) continue;
      if (found != nullptr) throw py::value_error(name + " has two columns named " + wanted);
      found = &column;
    }
    return found;
  };
  std::vector<py::array_t<double>> values;
  for (const std::string& column : columns) {
    const py::object* found = find(column);
    if (found == nullptr) {
      throw py::value_error(name + " has no column " + column + " (it needs " +
                            ColumnList(columns) + ", by name in any case)");
    }
    values.push_back(ColumnValues(*found, name + "." + column));
  }
  Rows rows;
  rows.count = values.empty() ? 0 : static_cast<std::size_t>(values[0].size());
  for (std::size_t j = 0; j < values.size(); ++j) {
    if (static_cast<std::size_t>(values[j].size()) != rows.count) {
      throw py::value_error(name + "." + columns[j] + " has " + std::to_string(values[j].size()) +
                            " values, " + columns[0] + " " + std::to_string(rows.count));
    }
  }
  rows.values.resize(rows.count * columns.size());
  for (std::size_t j = 0; j < values.size(); ++j) {
    const double* data = values[j].data();
    for (std::size_t i = 0; i < rows.count; ++i)
      rows.values[i * columns.size() + j] = data[i];
  }
  const py::object* names = find("name");
  if (names == nullptr) names = find("combination");
  if (names != nullptr) {
    for (py::handle row_name : *names)
      rows.names.push_back(py::str(row_name));
    if (rows.names.size() != rows.count) throw py::value_error(name + ".name has another length");
  }
  return rows;
}

}  // namespace

Rows RowsOf(py::handle rows, const std::vector<std::string>& columns, const std::string& name) {
  if (const auto named = NamedColumns(rows)) return FromNamedColumns(*named, columns, name);
  RefuseMaskedValues(rows, name);
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
