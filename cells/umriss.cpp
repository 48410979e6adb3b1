#include "cells/umriss.h"

#include "grid/ganzzahl.h"
#include "position/code.h"
#include "grid/eea.h"
#include "grid/gk.h"
#include "grid/utm.h"

#include <algorithm>
#include <cmath>

#include <cctype>

namespace quadrix {

namespace {

std::string_view beschnitten(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r' || t.back() == '\n'))
        t.remove_suffix(1);
    return t;
}

using ganzzahl::ziffer;
bool buchstabe(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// The word at the text's start, in small letters.
std::string erstesWort(std::string_view t)
{
    std::string wort;
    for (std::size_t n = 0; n < t.size() && buchstabe(t[n]); ++n)
        wort += static_cast<char>(std::tolower(static_cast<unsigned char>(t[n])));
    return wort;
}

bool gkName(const std::string& w)
{
    return w == "r" || w == "rw" || w == "rechts" || w == "rechtswert" || w == "h" || w == "hw" || w == "hoch" ||
           w == "hochwert" || w == "x" || w == "y";
}

// Is there a name of a Gauss-Kruger value (R, RW, Rechtswert, H, x, y ...)
// as a word of its own, or a number of seven whole digits?
bool gkAehnlich(std::string_view t)
{
    for (std::size_t i = 0; i < t.size();) {
        std::size_t n = i + 1;
        if (ziffer(t[i])) {
            while (n < t.size() && ziffer(t[n]))
                ++n;
            const bool nachkomma = i > 0 && (t[i - 1] == '.' || t[i - 1] == ',');
            if (n - i == 7 && !nachkomma)
                return true;
        } else if (buchstabe(t[i])) {
            const std::string wort = erstesWort(t.substr(i));
            if (gkName(wort))
                return true;
            n = i + wort.size();
        }
        i = n;
    }
    return false;
}

// The grid a code's form names, or Mtb.
Gitter formDes(std::string_view t)
{
    std::size_t n = 0;
    while (n < t.size() && ziffer(t[n]))
        ++n;
    // Gauss-Kruger: seven digits apart, or named (R, RW, Rechtswert, H ...).
    if (n == 7 || (n == 0 && gkName(erstesWort(t))))
        return Gitter::Gk;
    if (t.substr(0, 7) == "CRS3035" || (n > 0 && (t.substr(n, 3) == "kmE" || t.substr(n, 2) == "mE")))
        return Gitter::Eea10km;  // the size comes from the code
    // Zone digits, then band and square letters: MGRS; zone digits and
    // numbers apart: UTM. A sheet code has neither letters nor blanks.
    if (n >= 1 && n <= 2) {
        const std::size_t b = n + 1 < t.size() && t[n] == ' ' && buchstabe(t[n + 1]) ? n + 1 : n;
        if (b + 1 < t.size() && buchstabe(t[b]) && buchstabe(t[b + 1]))
            return Gitter::Mgrs;
        if (t.find_first_of(" \t") != std::string_view::npos)
            return Gitter::Utm;
    }
    return Gitter::Mtb;
}

// What a text that is no position of any grid most resembles: a zone and
// band with large numbers or square letters (UTM, MGRS), a seven-digit
// number or a name of a value (Gauss-Kruger); else degrees (Mtb).
Gitter aehnlichstes(std::string_view t)
{
    std::size_t n = 0;
    while (n < t.size() && ziffer(t[n]))
        ++n;
    if (n >= 1 && n <= 2 && n < t.size()) {
        const std::size_t b = n + 1 < t.size() && t[n] == ' ' && buchstabe(t[n + 1]) ? n + 1 : n;
        if (b + 1 < t.size() && buchstabe(t[b]) && buchstabe(t[b + 1]) && std::toupper(t[b]) != 'N' &&
            std::toupper(t[b]) != 'E' && std::toupper(t[b]) != 'O')
            return Gitter::Mgrs;
        // A band letter, or a blank, and a five-digit number or longer after it.
        if ((buchstabe(t[b]) && (b + 1 == t.size() || !buchstabe(t[b + 1]))) || t[b] == ' ') {
            std::size_t lauf = 0, laengster = 0;
            for (std::size_t i = b + 1; i < t.size(); ++i) {
                lauf = ziffer(t[i]) ? lauf + 1 : 0;
                laengster = std::max(laengster, lauf);
            }
            if (laengster >= 5)
                return Gitter::Utm;
        }
    }
    return gkAehnlich(t) ? Gitter::Gk : Gitter::Mtb;
}

Gitter eeaGitter(std::int64_t groesse)
{
    switch (groesse) {
    case 100: return Gitter::Eea100m;
    case 1000: return Gitter::Eea1km;
    case 100000: return Gitter::Eea100km;
    default: return Gitter::Eea10km;
    }
}

Umrissfehler leseMinutenfeld(std::string_view t, Umriss& u)
{
    // rrcc/Qyx
    if (t.size() != 8 || t[4] != '/')
        return {Umrissfehler::Art::MinutenfeldForm};
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 7u})
        if (!ziffer(t[i]))
            return {Umrissfehler::Art::MinutenfeldZiffern};
    const int r = (t[0] - '0') * 10 + (t[1] - '0'), c = (t[2] - '0') * 10 + (t[3] - '0');
    if (r < 1 || c < 1)
        return {Umrissfehler::Art::Mtb, CodeFehler::AusserhalbNetz};
    mtb::Minutenfeld f;
    if (!mtb::minutenfeldAus(static_cast<std::int16_t>(r), static_cast<std::int16_t>(c), t[5] - '0', t[6] - '0',
                             t[7] - '0', f))
        return {Umrissfehler::Art::MinutenfeldWerte};
    u.gitter = Gitter::Minutenfeld;
    u.rechteck = mtb::minutenfeldZelle(f);
    u.mtbCode.zeile = f.zeile;
    u.mtbCode.spalte = f.spalte;
    u.code = std::string(t);
    return {};
}

}  // namespace

Umriss mtbUmriss(const mtb::Code& code, int ebenen)
{
    Umriss u;
    u.gitter = Gitter::Mtb;
    u.mtbCode = code;
    u.ebenen = ebenen;
    u.rechteck = mtb::zelle(code.zeile, code.spalte, code.quadranten, ebenen);
    schreibeCode(u.code, code, ebenen, Notation::Schraeg);
    return u;
}

Umrissfehler leseUmriss(std::string_view text, const Gitter* gewaehlt, Umriss& u)
{
    const std::string_view t = beschnitten(text);
    if (t.empty())
        return {Umrissfehler::Art::KeinCode};
    Gitter g = gewaehlt ? *gewaehlt : formDes(t);
    u = Umriss{};
    if (g == Gitter::Minutenfeld)
        return leseMinutenfeld(t, u);
    if (g == Gitter::Mtb) {
        GelesenerCode c;
        if (const CodeFehler f = leseCode(t, c); f != CodeFehler::Keine)
            return {Umrissfehler::Art::Mtb, f};
        u = mtbUmriss(c.code, c.ebenen);
        return {};
    }
    if (eeaGroesse(g)) {
        eea::Zelle z;
        if (!eea::lese(t, z))
            return {Umrissfehler::Art::Eea};
        if (gewaehlt && eeaGroesse(*gewaehlt) != z.groesse)
            return {Umrissfehler::Art::EeaGroesse};
        u.gitter = eeaGitter(z.groesse);
        u.zone = 0;
        u.seite = static_cast<double>(z.groesse);
        u.ost = static_cast<double>(z.ost * z.groesse);
        u.nord = static_cast<double>(z.nord * z.groesse);
        u.code = eea::kurz(z);
        return {};
    }
    // A square of a zone's plane: UTM, MGRS, Gauss-Kruger.
    const auto quadrat = [&](const auto& q) -> Umrissfehler {
        u.gitter = g;
        u.zone = q.zone;
        u.ost = q.ost;
        u.nord = q.nord;
        u.seite = q.seite;
        u.code = std::string(t);
        return {};
    };
    if (g == Gitter::Gk) {
        gk::Wert w;
        switch (gk::leseGk(t, w)) {
        case gk::Lesefehler::Keine: return quadrat(w);
        case gk::Lesefehler::Form: return {Umrissfehler::Art::GkForm};
        case gk::Lesefehler::Werte: return {Umrissfehler::Art::GkWerte};
        case gk::Lesefehler::Mehrdeutig: return {Umrissfehler::Art::GkMehrdeutig};
        }
    }
    utm::Quadrat q;
    if (g == Gitter::Utm ? !utm::leseUtm(t, q) : !utm::leseMgrs(t, q))
        return {g == Gitter::Utm ? Umrissfehler::Art::Utm : Umrissfehler::Art::Mgrs};
    return quadrat(q);
}

bool lesePosition(std::string_view text, Umriss& u, Umrissfehler* grund)
{
    Umriss r;
    const std::string_view t = beschnitten(text);
    Umrissfehler f = leseUmriss(t, nullptr, r);
    if (f.keiner() && r.gitter == Gitter::Utm && (r.ost < 100000 || r.ost >= 900000 || r.nord < 1000000))
        f = {Umrissfehler::Art::UtmStellen};
    if (f.keiner() && r.gitter != Gitter::Gk && r.gitter != Gitter::Utm && r.gitter != Gitter::Mgrs)
        f = {Umrissfehler::Art::KeinePosition};
    if (f.keiner()) {
        u = r;
        return true;
    }
    if (grund) {
        // The reason of the reader the text most resembles; none where it
        // resembles degrees more.
        const Gitter g = aehnlichstes(t);
        *grund = g == Gitter::Mtb                                                  ? Umrissfehler{}
                 : g == formDes(t) && f.art != Umrissfehler::Art::KeinePosition ? f
                                                                                 : leseUmriss(t, &g, r);
    }
    return false;
}

Zellfehler positionsCode(const Umriss& position, const Ausgabeform& form, std::string& out, Verortung* v,
                  std::vector<std::pair<double, double>>* umriss)
{
    const bool gk = position.gitter == Gitter::Gk;
    const Grad2 g = positionsPunkt(position);
    const Punkt p{winkelAusGrad(g.breite), winkelAusGrad(g.laenge)};
    Ausgabeform eigen = form;
    eigen.datum = gk ? Datum::Potsdam : Datum::Etrs89;
    Verortung eigene;
    Verortung& o = v ? *v : eigene;
    const std::size_t vorher = out.size();
    const Zellfehler f = gitterCode(p, eigen, out, &o);
    // The point is this function's own: the caller's Verortung must not
    // point to it once it is gone.
    if (o.potsdam == &p) {
        o.umgerechnet = p;
        o.potsdam = &o.umgerechnet;
    }
    if (!f.keiner())
        return f;
    if (gk || form.gitter != Gitter::Mtb)
        return {};
    std::vector<std::pair<double, double>> eigenerUmriss;
    std::vector<std::pair<double, double>>& u = umriss ? *umriss : eigenerUmriss;
    u.clear();
    for (const Grad2& e : umrissPunkte(position)) {
        double b = e.breite, l = e.laenge;
        if (!form.transformation || !form.transformation->zuPotsdam(b, l)) {
            out.resize(vorher);
            return Umrechnungsfehler::AusserhalbGitter;
        }
        u.emplace_back(b, l);
    }
    if (o.stufe >= 0)
        o.stufe = ebeneFuerUmriss(o.code, u, o.stufe);
    out.resize(vorher);
    schreibeCode(out, o.code, std::max(o.stufe, 0), form.notation);
    if (o.stufe < 0)
        out += UeberDasBlatt;
    return Fehler::Keine;
}

Grad2 positionsPunkt(const Umriss& position)
{
    const double mitte = position.gitter == Gitter::Gk ? 0 : 0.5;
    return punktIn(position, mitte, mitte);
}

Grad2 punktIn(const Umriss& u, double fx, double fy)
{
    if (!u.kartesisch())
        return {(u.rechteck.sued + fy * u.rechteck.hoehe) / 60, (u.rechteck.west + fx * u.rechteck.breite) / 60};
    const proj::Ebene e{u.ost + fx * u.seite, u.nord + fy * u.seite};
    const proj::Geo g = u.gitter == Gitter::Gk ? proj::gkZurueck(u.zone, e)
                        : u.zone == 0          ? proj::laeaZurueck(e)
                                               : proj::utmZurueck(u.zone, e);
    return {g.breite, g.laenge};
}

namespace {

// The smallest power of two that keeps segments within the length given:
// exact fractions of the cell, shared by neighbours.
int teile(double laenge, double hoechstens)
{
    int n = 1;
    while (laenge / n > hoechstens && n < 64)
        n *= 2;
    return n;
}

}  // namespace

std::vector<Grad2> umrissPunkte(const Umriss& u, bool inMetern)
{
    int nx = 1, ny = 1;
    if (u.kartesisch()) {
        nx = ny = teile(u.seite, 12500);
    } else {
        nx = teile(u.rechteck.breite, 2.5);
        ny = teile(u.rechteck.hoehe, 1.5);
    }
    std::vector<Grad2> p;
    p.reserve(2 * (nx + ny) + 1);
    auto ecke = [&](double fx, double fy) {
        if (inMetern && u.kartesisch())
            p.push_back({u.nord + fy * u.seite, u.ost + fx * u.seite});
        else
            p.push_back(punktIn(u, fx, fy));
    };
    for (int k = 0; k < nx; ++k)
        ecke(static_cast<double>(k) / nx, 0);
    for (int k = 0; k < ny; ++k)
        ecke(1, static_cast<double>(k) / ny);
    for (int k = nx; k > 0; --k)
        ecke(static_cast<double>(k) / nx, 1);
    for (int k = ny; k >= 0; --k)
        ecke(0, static_cast<double>(k) / ny);
    return p;
}

bool enthaelt(const Umriss& u, const Punkt& p, double breiteEtrs, double laengeEtrs)
{
    if (!u.kartesisch()) {
        // Exactly, as in the grid: the north and the west edge inside. The
        // edges are multiples of 1/16 minute (3.75"), whole in quarter units.
        const int k = std::max(p.breite.stellen, p.laenge.stellen);
        const std::int64_t b = p.breite.einheiten * mtb::zehnHoch[k - p.breite.stellen] * 4;
        const std::int64_t l = p.laenge.einheiten * mtb::zehnHoch[k - p.laenge.stellen] * 4;
        auto einheiten = [k](double minuten) { return std::llround(minuten * 240) * mtb::zehnHoch[k]; };
        const std::int64_t s = einheiten(u.rechteck.sued), n = einheiten(u.rechteck.sued + u.rechteck.hoehe);
        const std::int64_t w = einheiten(u.rechteck.west), o = einheiten(u.rechteck.west + u.rechteck.breite);
        return b > s && b <= n && l >= w && l < o;
    }
    const proj::Ebene e = u.gitter == Gitter::Gk ? proj::gk(u.zone, {grad(p.breite), grad(p.laenge)})
                          : u.zone == 0          ? proj::laea({breiteEtrs, laengeEtrs})
                                                 : proj::utm(u.zone, {breiteEtrs, laengeEtrs});
    const std::int64_t x = eea::mikrometer(e.ost), y = eea::mikrometer(e.nord);
    const std::int64_t x0 = eea::mikrometer(u.ost), y0 = eea::mikrometer(u.nord), s = eea::mikrometer(u.seite);
    return x >= x0 && x < x0 + s && y >= y0 && y < y0 + s;
}

}  // namespace quadrix
