#include "quilex/errors.hpp"

#include <utility>

namespace quilex {
namespace {

std::string Lines(const std::vector<InvalidValue>& problems) {
  std::string text;
  for (const InvalidValue& problem : problems) {
    if (!text.empty()) text += '\n';
    text += problem.message;
  }
  return text;
}

std::string ItemName(MaterialItem item) {
  switch (item) {
    case MaterialItem::DesignCode:
      return "design code";
    case MaterialItem::SteelGrade:
      return "steel grade";
    case MaterialItem::ConcreteClass:
      break;
  }
  return "concrete class";
}

}  // namespace

InvalidInput::InvalidInput(std::vector<InvalidValue> problems)
    : Error(Lines(problems)), problems_(std::move(problems)) {}

UnknownMaterial::UnknownMaterial(MaterialItem item, std::string name)
    : Error(ItemName(item) + " '" + name + "' is not in the material database"),
      item_(item),
      name_(std::move(name)) {}

}  // namespace quilex
