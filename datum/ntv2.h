// NTv2 grid shift files such as BETA2007.gsb (the official German grid
// between DHDN and ETRS89), read and applied exactly as PROJ's hgridshift
// applies them: the shifts of the four nodes around a point interpolated
// bilinearly, in radians, as single-precision values the way PROJ keeps
// them; the inverse found by the same fixed-point iteration (at most 10
// steps, to 1e-12 rad). Standard library only.
//
// Only files with one subgrid are taken (BETA2007 has one). A file that is
// truncated, has a header that does not add up, or shifts that are not
// finite numbers below a minute of arc is refused with its reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quadrix::ntv2 {

struct Gitter {
    // Extent and node spacing in radians, east positive (NTv2 counts west).
    double west = 0, sued = 0, ost = 0, nord = 0, schrittX = 0, schrittY = 0;
    int spalten = 0, zeilen = 0;
    // Per node from the south-west corner, row by row, west to east: the
    // shift of longitude (east positive) and of latitude, in radians.
    std::vector<float> verschiebung;
};

// The grid from a whole file's bytes; nullptr, or the reason in German.
//   lese(BETA2007.gsb) -> nullptr, 62 x 84 nodes from 5°30' E, 47° N
//   lese(the first 100 bytes) -> "die Datei ist zu kurz für ein NTv2-Gitter"
const char* lese(std::string_view bytes, Gitter& g);

// From the grid's source datum to its target (DHDN -> ETRS89 for BETA2007),
// longitude and latitude in radians, in place. False outside the grid.
bool vorwaerts(const Gitter& g, double& lam, double& phi);
// The way back; false outside the grid or where the iteration does not converge.
bool rueckwaerts(const Gitter& g, double& lam, double& phi);

}  // namespace quadrix::ntv2
