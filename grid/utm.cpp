#include "grid/utm.h"

#include "grid/eea.h"
#include "grid/ganzzahl.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace utm {

namespace {

constexpr char Baender[] = "CDEFGHJKLMNPQRSTUVWX";
constexpr char Zeilen[] = "ABCDEFGHJKLMNPQRSTUV";
constexpr const char* Spalten[3] = {"ABCDEFGH", "JKLMNPQR", "STUVWXYZ"};

double normiert(double laenge) { return laenge >= 180 ? laenge - 360 : laenge; }

const char* spaltenFuer(int zone) { return Spalten[(zone - 1) % 3]; }
int zeilenVersatz(int zone) { return zone % 2 == 0 ? 5 : 0; }

using ganzzahl::abrunden;

void blanksWeg(std::string_view& t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
}

bool ziffern(std::string_view& t, std::size_t min, std::size_t max, std::int64_t& wert, std::size_t& anzahl)
{
    const std::size_t n = ganzzahl::ziffernAb(t, 0);
    if (n < min || n > max)
        return false;
    wert = 0;
    std::from_chars(t.data(), t.data() + n, wert);
    anzahl = n;
    t.remove_prefix(n);
    return true;
}

char gross(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Zone 1..60 and band letter at the start of the text.
bool zoneUndBand(std::string_view& t, int& zone, char& b, bool bandNoetig)
{
    blanksWeg(t);
    std::int64_t z = 0;
    std::size_t n = 0;
    if (!ziffern(t, 1, 2, z, n) || z < 1 || z > 60)
        return false;
    zone = static_cast<int>(z);
    b = 0;
    // "32 U 478544 5549792": a blank between zone and band, as people write it.
    if (t.size() > 1 && t.front() == ' ' && std::strchr(Baender, gross(t[1])) && t[1] != '\0')
        t.remove_prefix(1);
    if (!t.empty() && std::strchr(Baender, gross(t.front())) && t.front() != '\0') {
        b = gross(t.front());
        t.remove_prefix(1);
    }
    return b || !bandNoetig;
}

// The southern latitude of a band, and its height.
double bandSued(char b) { return -80 + 8.0 * (std::strchr(Baender, b) - Baender); }

}  // namespace

char band(double breite)
{
    if (!(breite >= 0 && breite < 84))
        return 0;
    // X, the last band, is 12° high: 72° to 84° N.
    return Baender[std::min(19, 10 + static_cast<int>(std::floor(breite / 8)))];
}

int zone(double breite, double laenge)
{
    if (!(breite >= 0 && breite < 84))
        return 0;
    const double l = normiert(laenge);
    int z = static_cast<int>(std::floor((l + 180) / 6)) + 1;
    if (z > 60)
        z = 1;
    const char b = band(breite);
    if (b == 'V' && l >= 3 && l < 12)
        return 32;
    if (b == 'X' && l >= 0 && l < 42) {
        if (l < 9)
            return 31;
        if (l < 21)
            return 33;
        if (l < 33)
            return 35;
        return 37;
    }
    return z;
}

bool lage(double breite, double laenge, int zwang, Lage& l)
{
    const int z = zone(breite, laenge);
    if (z == 0 || zwang < 0 || zwang > 60)
        return false;
    l.zone = zwang ? zwang : z;
    l.band = band(breite);
    double d = normiert(laenge) - (6.0 * l.zone - 183);
    if (d < -180)
        d += 360;
    if (std::fabs(d) > MaxAbstand)
        return false;
    l.ebene = proj::utm(l.zone, {breite, 6.0 * l.zone - 183 + d});
    return std::isfinite(l.ebene.ost) && std::isfinite(l.ebene.nord);
}

std::string utmText(const Lage& l)
{
    const std::int64_t e = abrunden(eea::mikrometer(l.ebene.ost), 1000000);
    const std::int64_t n = abrunden(eea::mikrometer(l.ebene.nord), 1000000);
    return std::to_string(l.zone) + l.band + ' ' + std::to_string(e) + ' ' + std::to_string(n);
}

bool mgrsText(const Lage& l, int genauigkeit, std::string& text)
{
    int stellen = 0;
    switch (genauigkeit) {
    case 1: stellen = 5; break;
    case 10: stellen = 4; break;
    case 100: stellen = 3; break;
    case 1000: stellen = 2; break;
    case 100000: stellen = 0; break;
    default: return false;
    }
    const std::int64_t e = abrunden(eea::mikrometer(l.ebene.ost), 1000000);
    const std::int64_t n = abrunden(eea::mikrometer(l.ebene.nord), 1000000);
    const std::int64_t spalte = abrunden(e, 100000);
    if (spalte < 1 || spalte > 8 || n < 0)
        return false;
    const char zeile = Zeilen[(n / 100000 + zeilenVersatz(l.zone)) % 20];
    text = std::to_string(l.zone) + l.band + spaltenFuer(l.zone)[spalte - 1] + zeile;
    if (stellen) {
        char teil[16];
        std::snprintf(teil, sizeof teil, " %0*lld %0*lld", stellen,
                      static_cast<long long>((e % 100000) / genauigkeit), stellen,
                      static_cast<long long>((n % 100000) / genauigkeit));
        text += teil;
    }
    return true;
}

bool leseUtm(std::string_view t, Quadrat& q)
{
    Quadrat r;
    if (!zoneUndBand(t, r.zone, r.band, false))
        return false;
    std::int64_t e = 0, n = 0;
    std::size_t ne = 0, nn = 0;
    blanksWeg(t);
    if (!ziffern(t, 1, 7, e, ne))
        return false;
    blanksWeg(t);
    if (!ziffern(t, 1, 8, n, nn))
        return false;
    blanksWeg(t);
    if (!t.empty() || n >= 9400000)
        return false;
    r.ost = static_cast<double>(e);
    r.nord = static_cast<double>(n);
    r.seite = 1;
    // A band, where given, must hold the square.
    if (r.band) {
        const proj::Geo g = proj::utmZurueck(r.zone, {r.ost + 0.5, r.nord + 0.5});
        if (band(g.breite) != r.band)
            return false;
    }
    q = r;
    return true;
}

bool leseMgrs(std::string_view t, Quadrat& q)
{
    Quadrat r;
    if (!zoneUndBand(t, r.zone, r.band, true) || r.band < 'N')
        return false;
    blanksWeg(t);
    if (t.size() < 2)
        return false;
    const char* s = std::strchr(spaltenFuer(r.zone), gross(t[0]));
    const char* z = std::strchr(Zeilen, gross(t[1]));
    if (!s || !z || !t[0] || !t[1])
        return false;
    t.remove_prefix(2);
    const int spalte = static_cast<int>(s - spaltenFuer(r.zone)) + 1;
    const int zeile = (static_cast<int>(z - Zeilen) - zeilenVersatz(r.zone) + 20) % 20;
    // Digits: none, or the same number (1..5) for easting and northing,
    // with or without blanks between them.
    std::int64_t e = 0, n = 0;
    std::size_t ne = 0, nn = 0;
    blanksWeg(t);
    int stellen = 0;
    if (!t.empty()) {
        std::string_view vorher = t;
        if (!ziffern(t, 1, 10, e, ne))
            return false;
        blanksWeg(t);
        if (t.empty()) {
            // all digits in one: split in the middle
            if (ne % 2 || ne > 10)
                return false;
            stellen = static_cast<int>(ne / 2);
            std::string_view d = vorher.substr(0, ne);
            std::from_chars(d.data(), d.data() + stellen, e);
            std::from_chars(d.data() + stellen, d.data() + ne, n);
        } else {
            if (ne > 5 || !ziffern(t, ne, ne, n, nn))
                return false;
            blanksWeg(t);
            if (!t.empty())
                return false;
            stellen = static_cast<int>(ne);
        }
    }
    static constexpr double Seiten[] = {100000, 10000, 1000, 100, 10, 1};
    r.seite = Seiten[stellen];
    r.ost = spalte * 100000.0 + static_cast<double>(e) * r.seite;
    const double imZyklus = zeile * 100000.0 + static_cast<double>(n) * r.seite;
    // The cycle of 2,000 km whose square's middle lies in the band, or
    // within a degree of it (squares straddle the band lines).
    const double sued = bandSued(r.band), nord = sued + (r.band == 'X' ? 12 : 8);
    for (int k = 0; k < 5; ++k) {
        const double kandidat = imZyklus + 2000000.0 * k;
        const proj::Geo g = proj::utmZurueck(r.zone, {r.ost + r.seite / 2, kandidat + r.seite / 2});
        if (g.breite >= sued - 1 && g.breite < nord + 1) {
            r.nord = kandidat;
            q = r;
            return true;
        }
    }
    return false;
}

}  // namespace utm
