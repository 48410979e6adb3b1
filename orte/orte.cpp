#include "orte/orte.h"

#include <cmath>
#include <cstdio>

namespace orte {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double A = 6378137.0, F = 1 / 298.257223563;  // WGS84
constexpr double Rad = Pi / 180;

}  // namespace

const char* gebiet(const Ort& o)
{
    if (inDeutschemLand(o))
        return daten::Laender[o.land - 1];
    return o.land >= 100 ? daten::Staaten[o.land - 100] : "";
}

Strecke geodaete(double breite1, double laenge1, double breite2, double laenge2)
{
    const double b = A * (1 - F);
    const double u1 = std::atan((1 - F) * std::tan(breite1 * Rad)), u2 = std::atan((1 - F) * std::tan(breite2 * Rad));
    const double l = (laenge2 - laenge1) * Rad;
    const double su1 = std::sin(u1), cu1 = std::cos(u1), su2 = std::sin(u2), cu2 = std::cos(u2);
    double lambda = l, sigma = 0, ss = 0, cs = 0, cos2a = 0, c2sm = 0, sl = 0, cl = 0;
    for (int i = 0; i < 200; ++i) {
        sl = std::sin(lambda);
        cl = std::cos(lambda);
        ss = std::hypot(cu2 * sl, cu1 * su2 - su1 * cu2 * cl);
        if (ss == 0)
            return {};  // the same point
        cs = su1 * su2 + cu1 * cu2 * cl;
        sigma = std::atan2(ss, cs);
        const double sa = cu1 * cu2 * sl / ss;
        cos2a = 1 - sa * sa;
        c2sm = cos2a != 0 ? cs - 2 * su1 * su2 / cos2a : 0;
        const double c = F / 16 * cos2a * (4 + F * (4 - 3 * cos2a));
        const double vorher = lambda;
        lambda = l + (1 - c) * F * sa * (sigma + c * ss * (c2sm + c * cs * (-1 + 2 * c2sm * c2sm)));
        if (std::abs(lambda - vorher) < 1e-13)
            break;
    }
    const double u2q = cos2a * (A * A - b * b) / (b * b);
    const double ka = 1 + u2q / 16384 * (4096 + u2q * (-768 + u2q * (320 - 175 * u2q)));
    const double kb = u2q / 1024 * (256 + u2q * (-128 + u2q * (74 - 47 * u2q)));
    const double ds = kb * ss * (c2sm + kb / 4 * (cs * (-1 + 2 * c2sm * c2sm) -
                                                 kb / 6 * c2sm * (-3 + 4 * ss * ss) * (-3 + 4 * c2sm * c2sm)));
    Strecke s;
    s.meter = b * ka * (sigma - ds);
    s.azimut = std::atan2(cu2 * sl, cu1 * su2 - su1 * cu2 * cl) / Rad;
    if (s.azimut < 0)
        s.azimut += 360;
    return s;
}

std::optional<Lage> naechsterOrt(double breite, double laenge)
{
    // Compared first on a plane scaled to the latitude, then measured on the ellipsoid.
    const double k = std::cos(breite * Rad);
    const Ort* bester = nullptr;
    double kleinster = 0;
    for (std::size_t i = 0; i < daten::AnzahlOrte; ++i) {
        const Ort& o = daten::Orte[i];
        if (o.stadtteil)
            continue;  // "in Mitte" says less than "in Berlin"
        const double db = orte::breite(o) - breite, dl = (orte::laenge(o) - laenge) * k;
        const double d = db * db + dl * dl;
        if (!bester || d < kleinster) {
            bester = &o;
            kleinster = d;
        }
    }
    if (!bester)
        return std::nullopt;
    Lage lage{bester, geodaete(orte::breite(*bester), orte::laenge(*bester), breite, laenge)};
    if (lage.strecke.meter > 50000)
        return std::nullopt;
    return lage;
}

std::string lageText(const Lage& l)
{
    std::string name = l.ort->name;
    if (!inDeutschemLand(*l.ort))
        name += std::string(" (") + gebiet(*l.ort) + ")";
    const double m = l.strecke.meter;
    if (m < 150)
        return "in " + name;
    static const char* const richtung[] = {"nördlich", "nordöstlich", "östlich", "südöstlich",
                                           "südlich", "südwestlich", "westlich", "nordwestlich"};
    const char* wohin = richtung[static_cast<int>(std::floor(std::fmod(l.strecke.azimut + 22.5, 360) / 45)) % 8];
    char zahl[32];
    if (m < 950)
        std::snprintf(zahl, sizeof zahl, "%d m", static_cast<int>(std::lround(m / 100) * 100));
    else if (m < 9950)
        std::snprintf(zahl, sizeof zahl, "%d,%d km", static_cast<int>(std::lround(m / 100)) / 10,
                      static_cast<int>(std::lround(m / 100)) % 10);
    else
        std::snprintf(zahl, sizeof zahl, "%d km", static_cast<int>(std::lround(m / 1000)));
    return std::string(zahl) + " " + wohin + " von " + name;
}

std::string beschreibung(double breite, double laenge)
{
    const std::optional<Lage> l = naechsterOrt(breite, laenge);
    const bool drin = inDeutschland(breite, laenge);
    if (!l)
        return drin ? "kein Ort der Karte im Umkreis von 50 km"
                    : "außerhalb Deutschlands, kein Ort der Karte im Umkreis von 50 km";
    return (drin ? "" : "außerhalb Deutschlands: ") + lageText(*l);
}

bool inDeutschland(double breite, double laenge)
{
    // Even-odd rule over Germany's rings (the mainland and the islands).
    const auto b = static_cast<std::int64_t>(std::llround(breite * 1e5)), l = static_cast<std::int64_t>(std::llround(laenge * 1e5));
    bool drin = false;
    for (std::size_t r = 0; r < daten::AnzahlRinge; ++r) {
        const daten::Ring& ring = daten::Ringe[r];
        if (ring.staat[0] != 'D' || ring.staat[1] != 'E')
            continue;
        const std::int32_t* p = daten::Punkte + 2 * ring.erster;
        for (std::size_t i = 0, j = ring.anzahl - 1; i < ring.anzahl; j = i++) {
            const std::int64_t bi = p[2 * i], li = p[2 * i + 1], bj = p[2 * j], lj = p[2 * j + 1];
            if ((bi > b) != (bj > b) && ((l - li) * (bj - bi) < (lj - li) * (b - bi)) == (bj - bi > 0))
                drin = !drin;
        }
    }
    return drin;
}

}  // namespace orte
