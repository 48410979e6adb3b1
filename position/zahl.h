// How the readers of positions hold a number and turn the numbers of one
// coordinate into seconds of arc: shared by the text reader and the reader
// of doubles. Internal to position/.
#pragma once

#include "position/punkt.h"

#include <cstdint>

namespace quadrix::zahlen {

enum class Marke : std::uint8_t { Keine, Grad, Minute, Sekunde };

// Left uninitialised on purpose: set field by field as a number is read
// (clearing the whole set for every line costs more than reading it).
struct Zahl {
    std::int64_t wert;  // digits without the decimal separator
    int stellen;        // digits after it
    Marke marke;
};

// The numbers of one coordinate, in seconds of arc. Inline: long lists
// read two coordinates a line.
// ohneMarken: numbers only, read in order (the quick way's lines).
template <bool ohneMarken>
[[gnu::always_inline]] inline Fehler koordinate(const Zahl* z, int n, bool nord, mtb::Winkel& w, int* teile,
                                                bool* nachkomma, int* stellenAus)
{
    if (n < 1 || n > 3)
        return Fehler::Form;
    std::int64_t teil[3] = {0, 0, 0};
    int stellen = 0;
    int platz = -1;
    for (int i = 0; i < n; ++i) {
        // A mark names the component; without one, components follow in order.
        int p = ohneMarken || z[i].marke == Marke::Keine ? platz + 1 : static_cast<int>(z[i].marke) - 1;
        if (p <= platz || p > 2)
            return Fehler::Form;
        if (z[i].stellen > 0 && i != n - 1)
            return Fehler::Nachkommastellen;
        platz = p;
        teil[p] = z[i].wert;
        if (i == n - 1)
            stellen = z[i].stellen;
    }
    // Every part in units of 10^-stellen: the last part carries the decimals.
    const std::int64_t eins = mtb::zehnHoch[stellen];
    std::int64_t wert[3];
    for (int p = 0; p < 3; ++p)
        wert[p] = p == platz ? teil[p] : teil[p] * eins;
    if (wert[0] > (nord ? 90 : 360) * eins)
        return nord ? Fehler::BereichNord : Fehler::BereichOst;
    if (wert[1] > 60 * eins || wert[2] > 60 * eins)
        return Fehler::BereichMinSek;
    w.einheiten = wert[0] * 3600 + wert[1] * 60 + wert[2];
    w.stellen = stellen;
    if (teile)
        *teile = platz + 1;
    if (nachkomma)
        *nachkomma = *nachkomma || stellen > 0;
    if (stellenAus)
        *stellenAus = stellen;
    return Fehler::Keine;
}

}  // namespace quadrix::zahlen
