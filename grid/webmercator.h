// Web Mercator (EPSG:3857) as web maps tile it: the world at zoom z is a
// square of 256 * 2^z pixels, x growing east from 180° W, y growing south
// from about 85.05° N; tile (z, x, y) covers pixels [256x, 256x + 256) and
// [256y, 256y + 256). Latitude and longitude are taken on the sphere, as the
// tile services do (ETRS89/WGS84 degrees go in unchanged). Standard library only.
//
//   pixel(50°, 8°, zoom 0)   -> (133.69, 86.82)
//   kacheln({128, 128}, 256 x 256, zoom 1, margin 0) -> (1,0,0) (1,1,0) (1,0,1) (1,1,1)
#pragma once

#include <vector>

namespace webmerc {

inline constexpr int Kachel = 256;          // pixels to a tile's side
inline constexpr double GrenzBreite = 85.0511287798066;  // the square's north and south edge
inline constexpr int MaxZoom = 19;

struct Pixel {
    double x = 0, y = 0;
};

// World pixels at a zoom (fractional zooms scale between the levels).
// Latitudes beyond the square's edge are put on it.
Pixel pixel(double breite, double laenge, double zoom);
// And back: degrees north and east of a world pixel.
void grad(const Pixel& p, double zoom, double& breite, double& laenge);

struct KachelNr {
    int z = 0, x = 0, y = 0;
    bool operator==(const KachelNr&) const = default;
};

// The tiles that cover a view (its top-left world pixel and its size in
// pixels, at whole zoom z) and a margin of rand tiles around it, nearest the
// view's centre first; none outside the world (x wraps round, y does not).
std::vector<KachelNr> kacheln(const Pixel& linksOben, double breite, double hoehe, int z, int rand = 1);

}  // namespace webmerc
