// The fixed database of design codes, steel grades and concrete classes, and the
// derivation of a run's MaterialSet from the three names of mate.txt.
#pragma once

#include <string_view>

#include "flexure/MaterialSet.hpp"

namespace quilex::driver {

enum class MaterialFailure { None, Code, Steel, Concrete };

struct DerivedMaterials {
  MaterialSet set;
  MaterialFailure failure = MaterialFailure::None;
};

// The names are compared as read: blank-padded to 2, 6 and 7 characters, case-sensitive,
// never trimmed. The first unknown name in the order code, steel, concrete is the failure.
DerivedMaterials DeriveMaterialSet(std::string_view DesignCode, std::string_view SteelGrade,
                                   std::string_view ConcreteClass);

}  // namespace quilex::driver
