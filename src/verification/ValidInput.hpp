// The check every public entry point makes before it computes.
#pragma once

#include <initializer_list>
#include <vector>

#include "quilex/errors.hpp"

namespace quilex {

// Throws InvalidInput with the problems of all the given lists, in their order.
inline void RequireValid(std::initializer_list<std::vector<InvalidValue>> lists) {
  std::vector<InvalidValue> problems;
  for (const std::vector<InvalidValue>& list : lists)
    problems.insert(problems.end(), list.begin(), list.end());
  if (!problems.empty()) throw InvalidInput(std::move(problems));
}

}  // namespace quilex
