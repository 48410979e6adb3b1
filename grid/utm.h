// UTM on ETRS89 (ETRS89/UTM, EPSG:25832 and 25833 for Germany) and the MGRS
// grid references built on it (UTMREF on German maps), northern hemisphere.
//
//   UTM    32U 412345 5567890          zone, latitude band, easting, northing (whole metres)
//   MGRS   32UMA 12345 67890           zone, band, 100 km square, 5 + 5 digits (1 m)
//          32UMA 1234 6789 / 123 678 / 12 67      10 m, 100 m, 1 km
//
// The rules on lines, the same as the sheet grid's where they meet:
//   zone z holds 6(z - 31) <= lon < 6(z - 30) (12° E lies in zone 33); bands
//   are 8° high, a parallel belonging to the band north of it (48° N is U);
//   the Norwegian and Svalbard exceptions apply (32V spans 3°..12° E).
//   Digits are truncated, never rounded: a reference names the square whose
//   south-west corner it gives, and a point on a metre line lies in the
//   square east or north of it. Plane coordinates are taken to the
//   micrometre first (see eea.h).
// 100 km squares use the lettering of WGS84/GRS80 (AA scheme): column
// letters A-H, J-R, S-Z by zone, row letters A-V without I and O, shifted
// by five in even zones.
//
// Standard library only.
#pragma once

#include "grid/projektion.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace utm {

// The zone of a point by the rules above (north of 0°, any longitude east
// of Greenwich; longitudes above 180 count as west); 0 north of 84° N,
// where UTM ends.
int zone(double breite, double laenge);
// "C".."X", 0 outside 0°..84° N.
char band(double breite);

struct Lage {
    int zone = 32;
    char band = 'U';
    proj::Ebene ebene;
};
// The point in a given zone (1..60), or in its own one with zone 0.
// False north of 84° N or more than MaxAbstand degrees from the zone's
// central meridian.
inline constexpr double MaxAbstand = 12;
bool lage(double breite, double laenge, int zone, Lage& l);

// "32U 412345 5567890"
std::string utmText(const Lage& l);
// Precision 1, 10, 100 or 1000 m; false where the easting lies outside the
// eight 100 km columns of the zone (a zone forced far beyond its edge).
bool mgrsText(const Lage& l, int genauigkeit, std::string& text);

// A square read back: its zone and south-west corner in the zone's plane
// coordinates, and its side in metres.
struct Quadrat {
    int zone = 0;
    char band = 0;
    double ost = 0, nord = 0, seite = 1;
};
// "32U 412345 5567890", "32 U 412345 5567890" (band optional; blanks between
// zone, band, easting and northing).
bool leseUtm(std::string_view text, Quadrat& q);
// "32UMA 12345 67890", "32UMA1234567890", "32UMA 12 67", "32UMA" (100 km);
// the band decides which 2,000 km cycle of row letters is meant.
bool leseMgrs(std::string_view text, Quadrat& q);

}  // namespace utm
