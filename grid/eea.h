// The EEA reference grid (European Environment Agency; ETRS89-LAEA,
// EPSG:3035): square cells of 100 m, 1 km, 10 km or 100 km, named by the
// south-west corner's easting and northing divided by the cell size.
//
//   short form  10kmE432N321                      ("10km", E, N)
//   long form   CRS3035RES10000mN3210000E4320000  (N before E, in metres)
//
// A cell holds E0 <= E < E0 + size and N0 <= N < N0 + size: a point on a
// line belongs to the cell east or north of it. Plane coordinates are taken
// to the micrometre before that rule, so that the last bits of the
// projection's arithmetic cannot tip a point on a line to either side.
//   52° N 10° E (ETRS89) -> E 4321000, N 3210000 -> 10kmE432N321, 1kmE4321N3210
//
// Standard library only.
#pragma once

#include "grid/projektion.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace eea {

// Cell sizes in metres.
inline constexpr std::int64_t Groessen[] = {100, 1000, 10000, 100000};

struct Zelle {
    std::int64_t groesse = 10000;  // one of Groessen
    std::int64_t ost = 0, nord = 0; // corner / size
};

// Micrometres of a plane coordinate, rounded to the nearest.
std::int64_t mikrometer(double meter);

// The cell of a plane point; false west or south of the grid's origin
// (negative coordinates), where the names do not exist.
bool zelleVon(const proj::Ebene& e, std::int64_t groesse, Zelle& z);

std::string kurz(const Zelle& z);
std::string lang(const Zelle& z);

// Either form; false for anything else ("10kmE432", "7kmE1N1", "1kmE-1N3").
bool lese(std::string_view text, Zelle& z);

// Size prefix of the short form: "100m", "1km", "10km", "100km".
const char* praefix(std::int64_t groesse);

}  // namespace eea
