// The one family of exceptions the library throws. Conditions of a verification (a section
// outside its M-N domain, no shear resistance, ...) are not errors: they come back as values
// of the result. An exception means the request itself cannot be answered: a value the
// computation cannot use, or a material the database does not hold.
//
//   try {
//     const quilex::Verification v = quilex::Verify(section, materials, actions);
//     ...
//   } catch (const quilex::InvalidInput& bad) {
//     for (const quilex::InvalidValue& p : bad.problems()) report(p.field, p.message);
//   } catch (const quilex::Error& e) {  // UnknownMaterial from LookupMaterials
//     report(e.what());
//   }
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quilex {

// Base of every exception of the library.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One value a verification cannot use: the field it concerns (named as in sezi.txt and
// slu-max.txt, "bars[3].x" for a bar, "settings.strips" for a setting) and why.
struct InvalidValue {
  std::string field;
  std::string message;  // e.g. "B must be greater than 0"
};

// Thrown by the verification functions when quilex::Validate() finds problems. what()
// lists every message, one per line.
class InvalidInput : public Error {
 public:
  explicit InvalidInput(std::vector<InvalidValue> problems);
  const std::vector<InvalidValue>& problems() const { return problems_; }

 private:
  std::vector<InvalidValue> problems_;
};

// Which of the three names of a material lookup the database does not hold.
enum class MaterialItem { DesignCode, SteelGrade, ConcreteClass };

// Thrown by quilex::LookupMaterials() for a name the database does not hold. The first
// unknown name in the order code, steel grade, concrete class is the one reported.
class UnknownMaterial : public Error {
 public:
  UnknownMaterial(MaterialItem item, std::string name);
  MaterialItem item() const { return item_; }
  const std::string& name() const { return name_; }

 private:
  MaterialItem item_;
  std::string name_;
};

}  // namespace quilex
