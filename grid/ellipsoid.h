// The constants of the earth's figure, once for the whole program:
// pi, the GRS80 ellipsoid (ETRS89, WGS84 within a millimetre) and Bessel's
// ellipsoid (the Potsdam datum, DHDN).
#pragma once

namespace quadrix {

inline constexpr double Pi = 3.14159265358979323846;
inline constexpr double GradInBogen = Pi / 180;

struct Ellipsoid {
    double a;  // semi-major axis, metres
    double f;  // flattening
    constexpr double e2() const { return f * (2 - f); }
};

inline constexpr Ellipsoid Grs80{6378137.0, 1 / 298.257222101};
inline constexpr Ellipsoid Bessel{6377397.155, 1 / 299.1528128};

}  // namespace quadrix
