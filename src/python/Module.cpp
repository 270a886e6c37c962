// The Python module quilex: a front end on the library (include/quilex), with Python names,
// keyword arguments, NumPy arrays and Python exceptions.
#include <pybind11/eval.h>
#include <pybind11/pybind11.h>

#include <exception>
#include <string>

#include "Bindings.hpp"

namespace quilex::python {
namespace {

constexpr const char* kModuleDoc =
    R"(Verification of reinforced-concrete cross sections at the ultimate limit state.

The computation of the program quilex as a library: the same numbers, to the last bit,
from values instead of files. Units everywhere: N, mm, mm², N·mm, N/mm² (the files the
program writes show kN and kN·m).

  materials(code, steel, concrete)    design materials from the database
  Rectangle, TSection, Circle         sections with two layers of bars or a ring of bars
  RectangleWithBars                   a rectangle with individually placed bars (biaxial)
  Stirrups, BiaxialStirrups, Settings
  verify(section, materials, ...)     one verification: a Verification or BiaxialVerification
  verify_many(section, materials, table)
                                      many combinations of actions at once: NumPy arrays
  domain(section, materials)          the M-N interaction domain: array (101, 2) of (N, M)
  contour(section, materials, Ned)    resisting moments of a RectangleWithBars: (73, 2)
  BendingOutcome, ShearOutcome        how the searches ended
  ParabolaExponent                    the concrete law's exponent (a Settings choice)
  InvalidInputError (ValueError), UnknownMaterialError (KeyError)

>>> import quilex
>>> beam = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
...                         stirrups=quilex.Stirrups(Asw=50.27, nb=2, st=150))
>>> quilex.verify(beam, quilex.materials("IT", "B450C", "C25/30"),
...               Ned=-500e3, Med=150e6, Ved=100e3).verified
True
)";

// The exceptions, as Python classes of the module. The arguments stay in args, so that
// they pickle; str() is the message alone.
constexpr const char* kExceptions = R"(
class InvalidInputError(ValueError):
    """Values a computation cannot use (a ValueError).

    str() lists one problem per line, "field: message", e.g.
    "c: c must be at least 0 and less than half the depth". The attribute problems holds
    the same as (field, message) pairs. Fields are named as the attributes: "B",
    "stirrups.st", "bars[3].x", "fyd" (materials), "Ned" (actions), "settings.strips",
    "table[7].Med" (a row of verify_many).
    """

    def __init__(self, message, problems=()):
        super().__init__(message, list(problems))

    @property
    def problems(self):
        """The problems as (field, message) pairs."""
        return self.args[1]

    def __str__(self):
        return str(self.args[0])


class UnknownMaterialError(KeyError):
    """A design code, steel grade or concrete class the material database does not hold.

    A KeyError. The attribute item says which of the three ("design_code", "steel_grade" or
    "concrete_class"), name the name that was asked for.
    """

    def __init__(self, message, item, name):
        super().__init__(message, item, name)

    @property
    def item(self):
        """Which name is unknown: "design_code", "steel_grade" or "concrete_class"."""
        return self.args[1]

    @property
    def name(self):
        """The name the database does not hold."""
        return self.args[2]

    def __str__(self):
        return str(self.args[0])
)";

const char* ItemName(MaterialItem item) {
  switch (item) {
    case MaterialItem::DesignCode:
      return "design_code";
    case MaterialItem::SteelGrade:
      return "steel_grade";
    case MaterialItem::ConcreteClass:
      break;
  }
  return "concrete_class";
}

void Raise(const py::object& error) {
  PyErr_SetObject(error.get_type().ptr(), error.ptr());
}

void TranslateLibraryErrors(std::exception_ptr thrown) {
  try {
    if (thrown) std::rethrow_exception(thrown);
  } catch (const InvalidInput& invalid) {
    py::list problems;
    std::string message;
    for (const InvalidValue& problem : invalid.problems()) {
      problems.append(py::make_tuple(problem.field, problem.message));
      if (!message.empty()) message += '\n';
      message += problem.field + ": " + problem.message;
    }
    Raise(py::module_::import("quilex").attr("InvalidInputError")(message, problems));
  } catch (const UnknownMaterial& unknown) {
    Raise(py::module_::import("quilex").attr("UnknownMaterialError")(
        unknown.what(), ItemName(unknown.item()), unknown.name()));
  }
}

}  // namespace
}  // namespace quilex::python

PYBIND11_MODULE(quilex, m) {
  namespace qp = quilex::python;
  m.doc() = qp::kModuleDoc;
  m.attr("__version__") = QUILEX_VERSION;
  m.attr("method_version") = QUILEX_METHOD_VERSION;  // of docs/method.md, to cite
  pybind11::exec(qp::kExceptions, m.attr("__dict__"));
  pybind11::register_exception_translator(qp::TranslateLibraryErrors);
  qp::BindSections(m);
  qp::BindResults(m);
  qp::BindComputations(m);
  qp::BindBatchVerification(m);
}
