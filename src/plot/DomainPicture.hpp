// Lays out a DomainPlot as an SVG picture: the title lines, a frame with a light grid at
// round ticks, the axes through zero, the filled boundary, the combinations, the design and
// resisting points with their labels, and a legend below. An interaction domain fills a
// fixed frame with a scale of its own per axis; a moment contour keeps equal scales on both
// axes, so a circle stays a circle.
#pragma once

#include <string>

#include "plot/PlotModel.hpp"

namespace quilex::plot {

std::string DrawDomainPicture(const DomainPlot& plot);

}  // namespace quilex::plot
