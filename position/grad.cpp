#include "position/punkt.h"

#include "grid/ganzzahl.h"
#include "position/zahl.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace quadrix {

namespace {

using namespace zahlen;

// A double's shortest decimal form as one number, the way lesen() takes its
// digits: through its text, for the rare doubles the quick way below leaves.
// Its sign is left to the caller.
Fehler zahlAusText(double x, Zahl& z)
{
    char text[400];  // the longest fixed form of a double has 309 digits before the point
    const auto r = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed);
    if (r.ec != std::errc())
        return Fehler::ZuGross;
    z = Zahl{0, 0, Marke::Keine};
    const char* c = text;
    int ganze = 0;
    for (; c != r.ptr && ganzzahl::ziffer(*c); ++c) {
        if ((z.wert != 0 || *c != '0') && ++ganze > 7)
            return Fehler::ZuGross;
        z.wert = z.wert * 10 + (*c - '0');
    }
    if (c != r.ptr && *c == '.') {
        bool erstesWeitere = true;
        for (++c; c != r.ptr; ++c) {
            if (z.stellen < mtb::MaxStellen) {
                z.wert = z.wert * 10 + (*c - '0');
                ++z.stellen;
            } else if (erstesWeitere) {
                z.wert += *c >= '5' ? 1 : 0;
                erstesWeitere = false;
            }
        }
    }
    return Fehler::Keine;
}

__extension__ typedef unsigned __int128 Gross;

// The same number without the text: the double's exact value rounded to ten
// decimals, half up, in integer arithmetic. Its shortest text lies within
// half a unit of its last bit of it, so the two round alike unless the value
// lies that close to a half of the tenth decimal: those, and values too large
// or too small for the arithmetic, go through the text.
Fehler zahlAusDouble(double x, Zahl& z)
{
    if (std::isnan(x))
        return Fehler::KeineZahl;
    if (std::isinf(x))
        return Fehler::ZuGross;
    x = std::fabs(x);
    if (x == 0) {
        z = Zahl{0, 0, Marke::Keine};
        return Fehler::Keine;
    }
    // x = bits / 2^schieben, bits with its leading one (x is normal here:
    // the smallest values go through the text).
    const auto roh = std::bit_cast<std::uint64_t>(x);
    const int exponent = static_cast<int>(roh >> 52);
    const std::uint64_t bits = (roh & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int schieben = 1075 - exponent;
    if (x >= 1e7 || exponent == 0 || schieben > 120)
        return zahlAusText(x, z);
    constexpr std::uint64_t Zehn10 = 10000000000;
    const Gross skaliert = static_cast<Gross>(bits) * Zehn10;  // x * 10^10 * 2^schieben
    const Gross eins = static_cast<Gross>(1) << schieben;
    const Gross rest = skaliert & (eins - 1), halb = eins >> 1;
    // The shortest text lies within half a last bit (2^-schieben of x) of x:
    // 10^10 / 2 in these units, after the scaling.
    if ((rest > halb ? rest - halb : halb - rest) <= Zehn10)
        return zahlAusText(x, z);
    std::int64_t wert = static_cast<std::int64_t>(skaliert >> schieben) + (rest > halb ? 1 : 0);
    int stellen = mtb::MaxStellen;
    while (stellen > 0 && wert % 10 == 0) {
        wert /= 10;
        --stellen;
    }
    z = Zahl{wert, stellen, Marke::Keine};
    return Fehler::Keine;
}

}  // namespace

Fehler punktAusGrad(double breite, double laenge, Punkt& punkt, Lesart* lesart)
{
    // In the order the text reader finds them: a number too long, then a
    // sign, then the ranges.
    Zahl b, l;
    if (const Fehler f = zahlAusDouble(breite, b); f != Fehler::Keine)
        return f;
    if (const Fehler f = zahlAusDouble(laenge, l); f != Fehler::Keine)
        return f;
    if (std::signbit(breite))
        return Fehler::Sueden;
    if (std::signbit(laenge))
        return Fehler::Westen;
    int teile[2] = {0, 0}, stellen[2] = {0, 0};
    bool nachkomma = false;
    if (const Fehler f = koordinate<true>(&b, 1, true, punkt.breite, teile, &nachkomma, stellen); f != Fehler::Keine)
        return f;
    if (const Fehler f = koordinate<true>(&l, 1, false, punkt.laenge, teile + 1, &nachkomma, stellen + 1);
        f != Fehler::Keine)
        return f;
    if (lesart) {
        *lesart = Lesart{};
        lesart->teile[0] = teile[0];
        lesart->teile[1] = teile[1];
        lesart->stellen[0] = stellen[0];
        lesart->stellen[1] = stellen[1];
        lesart->nachkomma = true;
    }
    return Fehler::Keine;
}

}  // namespace quadrix
