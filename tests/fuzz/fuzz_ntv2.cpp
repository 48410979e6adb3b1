// Reading an NTv2 grid file (BETA2007.gsb): never a crash, never a read past
// the bytes given, and a grid that is read gives finite shifts only:
//  - every point the forward shift takes comes out finite and within a
//    minute of arc of where it went in;
//  - the inverse, where it succeeds, is finite too.
#include "datum/ntv2.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string_view bytes(reinterpret_cast<const char*>(daten), n);
    quadrix::ntv2::Gitter g;
    if (quadrix::ntv2::lese(bytes, g) != quadrix::ntv2::Lesefehler::Keine)
        return 0;
    const double grenze = 1.0 / 60 * 3.14159265358979323846 / 180;
    // The corners, the middle, points on the edges and a hair outside them.
    for (double fx : {-1e-13, 0.0, 0.25, 0.5, 1.0, 1.0 + 1e-13})
        for (double fy : {-1e-13, 0.0, 0.5, 0.75, 1.0, 1.0 + 1e-13}) {
            const double lam0 = g.west + fx * (g.ost - g.west), phi0 = g.sued + fy * (g.nord - g.sued);
            double lam = lam0, phi = phi0;
            if (quadrix::ntv2::vorwaerts(g, lam, phi) &&
                (!std::isfinite(lam) || !std::isfinite(phi) || std::fabs(lam - lam0) > grenze ||
                 std::fabs(phi - phi0) > grenze))
                std::abort();
            lam = lam0;
            phi = phi0;
            if (quadrix::ntv2::rueckwaerts(g, lam, phi) && (!std::isfinite(lam) || !std::isfinite(phi)))
                std::abort();
        }
    return 0;
}
