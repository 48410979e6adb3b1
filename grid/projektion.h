// The two map projections of the European grids, on the GRS80 ellipsoid of
// ETRS89. Standard library only; checked against PROJ to well under a
// millimetre.
//
//   Lambert azimuthal equal-area, ETRS89-LAEA Europe (EPSG:3035): centre
//   52° N 10° E, false easting 4321000 m, false northing 3210000 m. The
//   centre itself maps exactly onto (4321000, 3210000).
//
//   Transverse Mercator of UTM, ETRS89/UTM zone z (EPSG:25800 + z): central
//   meridian 6z - 183°, scale 0.9996, false easting 500000 m, northern
//   hemisphere only. Kruger's series to the sixth order in n (as PROJ's
//   default method), accurate to a few nanometres within thousands of
//   kilometres of the central meridian.
//
// Geographic coordinates in decimal degrees, latitude first; plane
// coordinates in metres, easting first.
#pragma once

namespace proj {

struct Ebene {
    double ost = 0, nord = 0;
};
struct Geo {
    double breite = 0, laenge = 0;
};

Ebene laea(const Geo& g);
Geo laeaZurueck(const Ebene& e);

// Zones 1..60; the longitude may be any distance from the central meridian
// that the caller allows.
Ebene utm(int zone, const Geo& g);
Geo utmZurueck(int zone, const Ebene& e);

}  // namespace proj
