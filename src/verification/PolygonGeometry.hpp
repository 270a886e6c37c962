// The plane geometry that the validation of a polygon section needs: whether a polygon is
// simple, where a point lies with respect to a polygon, and whether two polygons overlap or
// one lies within another. Exact orientation tests on the given doubles (products of
// coordinates up to 1e5 mm are exact enough: no tolerance is added), O(n m) for polygons of
// n and m vertices.
//
//   const std::vector<Vertex> square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
//   Locate({0.5, 0.5}, square) == Location::Inside;
//   Locate({1, 0.5}, square) == Location::OnBoundary;
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <utility>

#include "quilex/sections.hpp"

namespace quilex::geometry {

// Twice the signed area, counter-clockwise positive.
double TwiceSignedArea(std::span<const Vertex> polygon);

// The first pair of edges (edge i runs from vertex i to vertex i + 1) that touch other than
// at the vertex two neighbours share, or a repeated vertex (as the pair i, i): nothing for a
// simple polygon.
std::optional<std::pair<std::size_t, std::size_t>> SelfContact(std::span<const Vertex> polygon);

enum class Location { Outside, OnBoundary, Inside };

Location Locate(Vertex point, std::span<const Vertex> polygon);

// Whether the interiors of two simple polygons share any area.
bool InteriorsOverlap(std::span<const Vertex> a, std::span<const Vertex> b);

// Whether simple polygon `inner` lies within simple polygon `outer` (its boundary may touch).
bool LiesWithin(std::span<const Vertex> inner, std::span<const Vertex> outer);

}  // namespace quilex::geometry
