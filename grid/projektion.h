// The map projections of the European grids, on the GRS80 ellipsoid of
// ETRS89, and of the German Gauss-Kruger grid on Bessel's ellipsoid of the
// Potsdam datum. Standard library only; checked against PROJ to well under
// a millimetre.
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
//   Transverse Mercator of Gauss-Kruger, DHDN/3-degree Gauss-Kruger zone z
//   (EPSG:31464 + z, zones 2 to 5 in Germany): central meridian 3z deg,
//   scale 1, false easting z * 1,000,000 + 500,000 m; the same series.
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

// Geographic coordinates on the Potsdam datum.
Ebene gk(int zone, const Geo& g);
Geo gkZurueck(int zone, const Ebene& e);

}  // namespace proj
