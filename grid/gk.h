// Gauss-Kruger on the Potsdam datum (DHDN/3-degree Gauss-Kruger zones 2 to
// 5, EPSG:31466 to 31469): the Rechtswert (easting, led by the zone's
// digit) and Hochwert (northing) of decades of German field data, survey
// offices and species databases.
//
//   R 3478544 H 5549792          zone 3, whole metres
//
// The zone is the point's meridian's: zone z holds 3z - 1.5 <= lon < 3z + 1.5
// degrees (a point on 7.5 deg E lies in zone 3, as a point on a sheet line
// lies in the sheet east of it). Metres are truncated, never rounded, after
// taking plane coordinates to the micrometre (see eea.h): a value names the
// square metre whose south-west corner it gives.
//
// Standard library only.
#pragma once

#include "grid/projektion.h"

#include <string>
#include <string_view>

namespace gk {

inline constexpr int ErsteZone = 2, LetzteZone = 5;
// The zone of a longitude (any; 0 outside zones 2 to 5).
int zone(double laenge);

struct Lage {
    int zone = 3;
    proj::Ebene ebene;
};
// The point (Potsdam datum) in a given zone (2..5), or in its own one with
// zone 0. False outside zones 2 to 5, north of 84 deg or south of the
// equator, or more than MaxAbstand degrees from a forced zone's central
// meridian.
inline constexpr double MaxAbstand = 4.5;
bool lage(double breite, double laenge, int zone, Lage& l);

// "R 3478544 H 5549792"
std::string gkText(const Lage& l);

// The northings of Germany's zones and a margin (45 to 58 deg N): a value
// outside is no Hochwert, so that a Rechtswert and Hochwert swapped are
// never read as another place.
inline constexpr double HochwertAb = 5000000, HochwertBis = 6500000;

// Read back: the zone and the plane coordinates as written (whole metres
// or with decimals: seite is the size of the last digit's square, 1 m for
// whole metres). Takes "R 3478544 H 5549792", "RW 3478544 HW 5549792",
// "Rechtswert: 3478544, Hochwert: 5549792" (also Hochwert first when
// named), blanks, commas, semicolons, colons and "=" between. Unnamed
// ("3478544 5549792"), the Rechtswert comes first; named x and y, which
// people write either way round, the values tell which is the Rechtswert.
// Where both readings are plausible (zone 5: "5700000 5450000") the pair
// is refused: only R and H say which is which.
struct Wert {
    int zone = 0;
    double ost = 0, nord = 0, seite = 1;  // Rechtswert, Hochwert
};
enum class Lesefehler {
    Keine,
    Form,       // not two seven-digit values, named both or neither
    Werte,      // no zone 2 to 5 in front, an easting beyond the zone, no Hochwert of Germany's range
    Mehrdeutig, // unnamed, and either value could be the Rechtswert
};
Lesefehler leseGk(std::string_view text, Wert& w);

}  // namespace gk
