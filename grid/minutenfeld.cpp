#include "grid/minutenfeld.h"

#include "grid/ganzzahl.h"

#include <algorithm>

namespace mtb {

namespace {

using ganzzahl::abrunden;
using ganzzahl::aufrunden;

}  // namespace

bool minutenfeld(const Winkel& breite, const Winkel& laenge, Minutenfeld& feld)
{
    const int k = std::max(breite.stellen, laenge.stellen);
    if (breite.stellen < 0 || laenge.stellen < 0 || k > MaxStellen)
        return false;
    const std::int64_t B = breite.einheiten * zehnHoch[k - breite.stellen];
    const std::int64_t L = laenge.einheiten * zehnHoch[k - laenge.stellen];
    const std::int64_t minute = 60 * zehnHoch[k];

    // Minute row m holds m - 1 < B' <= m, minute column n holds n <= L' < n + 1
    // (B', L' in minutes): the same ties as the sheets, whose lines are
    // minute lines too.
    const std::int64_t m = aufrunden(B, minute);
    const std::int64_t n = abrunden(L, minute);
    const std::int64_t r = 560 - aufrunden(m, 6);
    const std::int64_t c = abrunden(n, 10) - 34;
    if (r < INT16_MIN || r > INT16_MAX || c < INT16_MIN || c > INT16_MAX)
        return false;
    feld.zeile = static_cast<std::int16_t>(r);
    feld.spalte = static_cast<std::int16_t>(c);
    feld.feldZeile = static_cast<std::uint8_t>((560 - r) * 6 - m + 1);
    feld.feldSpalte = static_cast<std::uint8_t>(n - (c + 34) * 10 + 1);
    return true;
}

bool minutenfeldAus(std::int16_t zeile, std::int16_t spalte, int quadrant, int y, int x, Minutenfeld& feld)
{
    if (quadrant < 1 || quadrant > 4 || y < 1 || y > 3 || x < 1 || x > 5)
        return false;
    feld.zeile = zeile;
    feld.spalte = spalte;
    feld.feldZeile = static_cast<std::uint8_t>((quadrant >= 3 ? 3 : 0) + y);
    feld.feldSpalte = static_cast<std::uint8_t>((quadrant % 2 == 0 ? 5 : 0) + x);
    return true;
}

Zelle minutenfeldZelle(const Minutenfeld& feld)
{
    const double nord = (560 - static_cast<double>(feld.zeile)) * 6;
    return {nord - feld.feldZeile, (static_cast<double>(feld.spalte) + 34) * 10 + feld.feldSpalte - 1, 1, 1};
}

}  // namespace mtb
