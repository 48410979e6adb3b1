#include "grid/gk.h"

#include "grid/eea.h"
#include "grid/ganzzahl.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace gk {

namespace {

using ganzzahl::abrunden;

char klein(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool trenner(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == ':' || c == '='; }

void trennerWeg(std::string_view& t)
{
    while (!t.empty() && trenner(t.front()))
        t.remove_prefix(1);
}

// A name before a value: 'r' for Rechtswert, 'h' for Hochwert, 'x' for x or
// y (which stand either way round: x east as in GIS, x north as geodesists
// write), 0 for none.
char name(std::string_view& t)
{
    std::size_t n = 0;
    while (n < t.size() && ((t[n] >= 'a' && t[n] <= 'z') || (t[n] >= 'A' && t[n] <= 'Z') || t[n] == '.'))
        ++n;
    std::string wort;
    for (std::size_t i = 0; i < n; ++i)
        if (t[i] != '.')
            wort += klein(t[i]);
    char art = 0;
    if (wort == "r" || wort == "rw" || wort == "rechts" || wort == "rechtswert")
        art = 'r';
    else if (wort == "h" || wort == "hw" || wort == "hoch" || wort == "hochwert")
        art = 'h';
    else if (wort == "x" || wort == "y")
        art = 'x';
    else if (!wort.empty())
        return '?';
    t.remove_prefix(n);
    return art;
}

// A value in metres: digits, perhaps a decimal point or comma and up to
// three decimals. seite: 1 m, or the size of the last decimal.
bool wert(std::string_view& t, double& w, double& seite)
{
    std::size_t n = ganzzahl::ziffernAb(t, 0);
    if (n != 7)
        return false;
    std::int64_t ganz = 0;
    std::from_chars(t.data(), t.data() + n, ganz);
    w = static_cast<double>(ganz);
    seite = 1;
    // A comma before seven digits separates the two values ("3478544,5549792").
    const std::size_t folgende = ganzzahl::ziffernAb(t, n + 1);
    const bool dezimal = n + 1 < t.size() && (t[n] == '.' || (t[n] == ',' && folgende != 7));
    if (dezimal && folgende > 0) {
        std::size_t m = n + 1;
        double teil = 0.1;
        while (m < t.size() && ganzzahl::ziffer(t[m]) && m - n <= 3) {
            w += (t[m] - '0') * teil;
            seite = teil;
            teil /= 10;
            ++m;
        }
        if (m < t.size() && ganzzahl::ziffer(t[m]))
            return false;  // finer than a millimetre
        n = m;
    }
    t.remove_prefix(n);
    return true;
}

}  // namespace

int zone(double laenge)
{
    if (!std::isfinite(laenge))
        return 0;
    const int z = static_cast<int>(std::floor((laenge + 1.5) / 3));
    return z >= ErsteZone && z <= LetzteZone ? z : 0;
}

bool lage(double breite, double laenge, int zwang, Lage& l)
{
    if (!(breite >= 0 && breite < 84) || zwang < 0 || (zwang && (zwang < ErsteZone || zwang > LetzteZone)))
        return false;
    const int z = zwang ? zwang : zone(laenge);
    if (z == 0 || std::fabs(laenge - 3.0 * z) > MaxAbstand)
        return false;
    l.zone = z;
    l.ebene = proj::gk(z, {breite, laenge});
    return std::isfinite(l.ebene.ost) && std::isfinite(l.ebene.nord);
}

std::string gkText(const Lage& l)
{
    const std::int64_t r = abrunden(eea::mikrometer(l.ebene.ost), 1000000);
    const std::int64_t h = abrunden(eea::mikrometer(l.ebene.nord), 1000000);
    return "R " + std::to_string(r) + " H " + std::to_string(h);
}

namespace {

bool plausibel(double rechts, double hoch)
{
    const int z = static_cast<int>(rechts / 1000000);
    // The zone's digit, an easting within the zone's plausible width, a
    // northing within Germany's range.
    return z >= ErsteZone && z <= LetzteZone && std::fabs(rechts - z * 1000000.0 - 500000) <= 400000 &&
           hoch >= HochwertAb && hoch <= HochwertBis;
}

}  // namespace

Lesefehler leseGk(std::string_view t, Wert& w)
{
    double werte[2] = {0, 0}, seiten[2] = {1, 1};
    char namen[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        trennerWeg(t);
        namen[i] = name(t);
        if (namen[i] == '?')
            return Lesefehler::Form;
        trennerWeg(t);
        if (!wert(t, werte[i], seiten[i]))
            return Lesefehler::Form;
    }
    trennerWeg(t);
    if (!t.empty())
        return Lesefehler::Form;
    // Named both or neither; R and H in either order, never twice the same.
    if ((namen[0] == 0) != (namen[1] == 0) || (namen[0] && namen[0] == namen[1] && namen[0] != 'x') ||
        ((namen[0] == 'x') != (namen[1] == 'x')))
        return Lesefehler::Form;
    Wert v;
    v.seite = std::fmax(seiten[0], seiten[1]);
    if (namen[0] == 'r' || namen[0] == 'h') {
        const int r = namen[0] == 'h' ? 1 : 0;
        v.ost = werte[r];
        v.nord = werte[1 - r];
        if (!plausibel(v.ost, v.nord))
            return Lesefehler::Werte;
    } else {
        // Unnamed: the Rechtswert first, as written, unless the other way
        // round fits too. x and y: the values tell which is which, or nothing does.
        const bool vorn = plausibel(werte[0], werte[1]), hinten = plausibel(werte[1], werte[0]);
        if (vorn && hinten)
            return Lesefehler::Mehrdeutig;
        if (!vorn && (!hinten || namen[0] == 0))
            return Lesefehler::Werte;
        v.ost = werte[vorn ? 0 : 1];
        v.nord = werte[vorn ? 1 : 0];
    }
    v.zone = static_cast<int>(v.ost / 1000000);
    w = v;
    return Lesefehler::Keine;
}

}  // namespace gk
