// Reading a code of any grid back (sheet grid, minute fields, EEA, UTM,
// MGRS, Gauss-Kruger), with the grid named or told by the form: never a crash; a code
// that is read names a cell with finite corners in the northern, eastern
// quarter of the globe or near it, and reads again to the same cell when
// written back (but for sheet codes, see below).
#include "cells/umriss.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    if (n == 0)
        return 0;
    // The first byte picks the grid: none (told by the form) or one of them.
    const quadrix::Gitter gitter[] = {quadrix::Gitter::Mtb,    quadrix::Gitter::Minutenfeld, quadrix::Gitter::Eea100m,
                                   quadrix::Gitter::Eea1km, quadrix::Gitter::Eea10km,     quadrix::Gitter::Eea100km,
                                   quadrix::Gitter::Utm,    quadrix::Gitter::Mgrs,        quadrix::Gitter::Gk};
    const int wahl = daten[0] % 10;
    const quadrix::Gitter* g = wahl == 9 ? nullptr : &gitter[wahl];
    const std::string_view text(reinterpret_cast<const char*>(daten + 1), n - 1);
    quadrix::Umriss u;
    if (!quadrix::leseUmriss(text, g, u).keiner())
        return 0;
    for (const double fx : {0.0, 0.5, 1.0})
        for (const double fy : {0.0, 0.5, 1.0}) {
            const quadrix::Grad2 p = quadrix::punktIn(u, fx, fy);
            if (!std::isfinite(p.breite) || !std::isfinite(p.laenge) || p.breite < -90 || p.breite > 90)
                std::abort();
        }
    if (quadrix::umrissPunkte(u).size() < 5)
        std::abort();
    // Sheet codes are written in the window's form (916 for row 9, column 16),
    // which is not meant to be read back; fuzz_code checks their round trip.
    if (u.gitter == quadrix::Gitter::Mtb)
        return 0;
    quadrix::Umriss wieder;
    const quadrix::Gitter eigenes = u.gitter;
    if (!quadrix::leseUmriss(u.code, &eigenes, wieder).keiner() || wieder.gitter != u.gitter || wieder.ost != u.ost ||
        wieder.nord != u.nord || wieder.seite != u.seite || wieder.zone != u.zone ||
        wieder.rechteck.sued != u.rechteck.sued || wieder.rechteck.west != u.rechteck.west ||
        wieder.rechteck.hoehe != u.rechteck.hoehe)
        std::abort();
    return 0;
}
