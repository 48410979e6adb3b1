#include "grid/eea.h"

#include "grid/ganzzahl.h"

#include <charconv>
#include <cmath>

namespace eea {

namespace {

// Digits only, at most 9 of them; the rest of the text after them in rest.
bool zahl(std::string_view& text, std::int64_t& wert)
{
    const std::size_t n = ganzzahl::ziffernAb(text, 0);
    if (n == 0 || n > 9)
        return false;
    std::from_chars(text.data(), text.data() + n, wert);
    text.remove_prefix(n);
    return true;
}

bool vorsilbe(std::string_view& text, std::string_view s)
{
    if (text.substr(0, s.size()) != s)
        return false;
    text.remove_prefix(s.size());
    return true;
}

bool gueltigeGroesse(std::int64_t g)
{
    for (const std::int64_t x : Groessen)
        if (g == x)
            return true;
    return false;
}

}  // namespace

std::int64_t mikrometer(double meter) { return std::llround(meter * 1e6); }

bool zelleVon(const proj::Ebene& e, std::int64_t groesse, Zelle& z)
{
    if (!gueltigeGroesse(groesse) || !std::isfinite(e.ost) || !std::isfinite(e.nord) || e.ost < 0 || e.nord < 0 ||
        e.ost > 1e8 || e.nord > 1e8)
        return false;
    z.groesse = groesse;
    z.ost = mikrometer(e.ost) / (groesse * 1000000);
    z.nord = mikrometer(e.nord) / (groesse * 1000000);
    return true;
}

const char* praefix(std::int64_t groesse)
{
    switch (groesse) {
    case 100: return "100m";
    case 1000: return "1km";
    case 10000: return "10km";
    case 100000: return "100km";
    }
    return "";
}

std::string kurz(const Zelle& z)
{
    return std::string(praefix(z.groesse)) + 'E' + std::to_string(z.ost) + 'N' + std::to_string(z.nord);
}

std::string lang(const Zelle& z)
{
    return "CRS3035RES" + std::to_string(z.groesse) + "mN" + std::to_string(z.nord * z.groesse) + 'E' +
           std::to_string(z.ost * z.groesse);
}

bool lese(std::string_view text, Zelle& z)
{
    Zelle r;
    if (vorsilbe(text, "CRS3035RES")) {
        std::int64_t n = 0, e = 0;
        if (!zahl(text, r.groesse) || !vorsilbe(text, "mN") || !zahl(text, n) || !vorsilbe(text, "E") ||
            !zahl(text, e) || !text.empty() || !gueltigeGroesse(r.groesse) || n % r.groesse || e % r.groesse)
            return false;
        r.nord = n / r.groesse;
        r.ost = e / r.groesse;
    } else {
        r.groesse = 0;
        for (const std::int64_t g : {100000, 10000, 1000, 100})  // "100km" before "10km" before "1km"
            if (vorsilbe(text, std::string(praefix(g)) + 'E')) {
                r.groesse = g;
                break;
            }
        if (!r.groesse || !zahl(text, r.ost) || !vorsilbe(text, "N") || !zahl(text, r.nord) || !text.empty())
            return false;
    }
    // Beyond 100,000 km the numbers mean nothing on the Earth.
    if (r.ost * r.groesse > 100000000 || r.nord * r.groesse > 100000000)
        return false;
    z = r;
    return true;
}

}  // namespace eea
