// A small picture of a sheet: its quadrant lines along the code down to the
// level shown, the code's cell filled, the point marked when there is one,
// with the sheet number and the corner coordinates as labels. SVG 1.1.
#pragma once

#include "grid/mtb.h"

#include <string>

namespace quadrix {

// punkt: decimal degrees on the Potsdam datum, or nullptr.
std::string svgBild(const mtb::Code& code, int ebenen, const double* punktBreite, const double* punktLaenge);

}  // namespace quadrix
