#include "grid/mtb.h"

#include "grid/ganzzahl.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

namespace mtb {

Zahl textZuZahl(std::string_view text)
{
    if (text.empty())
        return {};
    for (char ch : text)
        if (ch < '0' || ch > '9')
            return {};
    // strtod rounds a long digit string correctly; it needs a terminated copy.
    const std::string kopie(text);
    const double wert = std::strtod(kopie.c_str(), nullptr);
    if (!std::isfinite(wert))
        return {std::nullopt, Fehlerart::Ueberlauf};
    return {wert, Fehlerart::KeineZahl};
}

std::optional<double> minuten(double grad, double min, double sek)
{
    const double m = (grad * 60 + min) + sek / 60;
    if (!std::isfinite(m))
        return std::nullopt;
    return m;
}

namespace {

std::optional<std::int16_t> alsInt16(double x)
{
    if (!(x >= std::numeric_limits<std::int16_t>::min() && x <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(x);
}

}  // namespace

// Why the double steps below are exact for whole seconds: B and L are
// multiples of 1/60 minute below 2^15, so (1/6)*B and (1/10)*L carry a
// relative error of at most one ulp, far less than the distance 1/360 from
// the nearest whole number that a non-integral quotient can have; and on a
// sheet line, where the exact quotient is whole, rounding to nearest returns
// that whole number (tested exhaustively over the accepted domain).
// Contraction into fused multiply-adds is switched off for this file.
std::optional<std::int16_t> zeile(double B)
{
    const double q = 1.0 / 6;
    return alsInt16(std::floor((559 - q * B) + 1));
}

std::optional<std::int16_t> spalte(double L)
{
    const double p = 1.0 / 10;
    return alsInt16(std::floor(((p * L) - 35) + 1));
}

Quadranten quadranten(double B, double L, std::int16_t r, std::int16_t c)
{
    double S = (559 - static_cast<double>(r)) * 6;
    double W = ((static_cast<double>(c) + 35) - 1) * 10;
    Quadranten q{};
    double teiler = 1;
    for (int i = 0; i < 5; ++i) {
        const double dB = B - S;
        const double dL = L - W;
        teiler *= 2;
        const double h = 6 / teiler;
        const double w = 10 / teiler;
        // Strictly greater: a point on a half line stays south and west.
        const bool nord = dB > h;
        const bool ost = dL > w;
        if (nord)
            S = h + S;
        if (ost)
            W = w + W;
        q[i] = static_cast<std::uint8_t>(nord ? (ost ? 2 : 1) : (ost ? 4 : 3));
    }
    return q;
}

std::string codeText(std::int16_t r, std::int16_t c, const Quadranten& q)
{
    std::string s;
    schreibeCode(s, r, c, q, 5, Notation::Schraeg, Blattnummer::Kurz);
    return s;
}

Achse achse(std::string_view grad, std::string_view min, std::string_view sek, Feld gradFeld)
{
    const std::string_view texte[3] = {grad, min, sek};
    double werte[3] = {};
    for (int i = 0; i < 3; ++i) {
        const Zahl z = textZuZahl(texte[i]);
        if (!z.wert)
            return {std::nullopt, {z.fehler, static_cast<Feld>(static_cast<int>(gradFeld) + i)}};
        werte[i] = *z.wert;
    }
    const auto m = minuten(werte[0], werte[1], werte[2]);
    if (!m)
        return {std::nullopt, {Fehlerart::Ueberlauf, gradFeld}};
    return {m, {}};
}

Berechnung berechne(std::string_view gradN, std::string_view minN, std::string_view sekN,
                    std::string_view gradO, std::string_view minO, std::string_view sekO)
{
    Berechnung b;
    const Achse nord = achse(gradN, minN, sekN, Feld::GradN);
    if (!nord.minuten) {
        b.fehler = nord.fehler;
        return b;
    }
    const double B = *nord.minuten;
    b.breite = B / 60;
    const auto r = zeile(B);
    if (!r) {
        b.fehler = {Fehlerart::Ueberlauf, Feld::GradN};
        return b;
    }
    const Achse ost = achse(gradO, minO, sekO, Feld::GradO);
    if (!ost.minuten) {
        b.fehler = ost.fehler;
        return b;
    }
    const double L = *ost.minuten;
    b.laenge = L / 60;
    const auto c = spalte(L);
    if (!c) {
        b.fehler = {Fehlerart::Ueberlauf, Feld::GradO};
        return b;
    }
    Ergebnis e;
    e.breite = B / 60;
    e.laenge = L / 60;
    e.zeile = *r;
    e.spalte = *c;
    e.quadranten = quadranten(B, L, *r, *c);
    b.ergebnis = e;
    return b;
}

namespace {

// floor(a / b) for b > 0.
using ganzzahl::abrunden;

// Everything in units of 1/(32 * 10^K) second, so that the fifth level's
// half lines (11.25" and 18.75") are whole numbers too. K is a constant of
// each instance, which turns the divisions into multiplications.
template <int K>
bool codeMitStellen(std::int64_t B, std::int64_t L, Code& code)
{
    constexpr std::int64_t u = 32 * zehnHoch[K];  // units per second
    constexpr std::int64_t zeilenHoehe = 360 * u, spaltenBreite = 600 * u;

    // Row r holds (559 - r) * 360" < B <= (560 - r) * 360"; column c holds
    // (c + 34) * 600" <= L < (c + 35) * 600".
    const std::int64_t r = 560 - (-abrunden(-B, zeilenHoehe));
    const std::int64_t c = abrunden(L, spaltenBreite) - 34;
    if (r < INT16_MIN || r > INT16_MAX || c < INT16_MIN || c > INT16_MAX)
        return false;

    code.zeile = static_cast<std::int16_t>(r);
    code.spalte = static_cast<std::int16_t>(c);
    std::int64_t S = (559 - r) * zeilenHoehe, W = (c + 34) * spaltenBreite;
    std::int64_t h = zeilenHoehe, w = spaltenBreite;
    for (int i = 0; i < 5; ++i) {
        h /= 2;
        w /= 2;
        // Without branches: random points would mispredict every one of them.
        const std::int64_t nord = B - S > h, ost = L - W > w;
        S += h & -nord;
        W += w & -ost;
        code.quadranten[i] = static_cast<std::uint8_t>(3 - 2 * nord + ost);
    }
    return true;
}

template <int... K>
bool codeFuer(int k, std::int64_t B, std::int64_t L, Code& code, std::integer_sequence<int, K...>)
{
    bool ok = false;
    (void)((k == K ? (ok = codeMitStellen<K>(B, L, code), true) : false) || ...);
    return ok;
}

}  // namespace

bool codeGenau(const Winkel& breite, const Winkel& laenge, Code& code)
{
    const int k = std::max(breite.stellen, laenge.stellen);
    if (breite.stellen < 0 || laenge.stellen < 0 || k > MaxStellen)
        return false;
    const std::int64_t B = breite.einheiten * zehnHoch[k - breite.stellen] * 32;
    const std::int64_t L = laenge.einheiten * zehnHoch[k - laenge.stellen] * 32;
    return codeFuer(k, B, L, code, std::make_integer_sequence<int, MaxStellen + 1>{});
}

Zelle zelle(std::int16_t zeile, std::int16_t spalte, const Quadranten& q, int ebenen)
{
    Zelle z{(559 - static_cast<double>(zeile)) * 6, (static_cast<double>(spalte) + 34) * 10, 6, 10};
    for (int i = 0; i < ebenen && i < 5; ++i) {
        z.hoehe /= 2;
        z.breite /= 2;
        if (q[i] == 1 || q[i] == 2)
            z.sued += z.hoehe;
        if (q[i] == 2 || q[i] == 4)
            z.west += z.breite;
    }
    return z;
}

}  // namespace mtb
