#include "cells/gitter.h"

#include "grid/eea.h"
#include "grid/ellipsoid.h"
#include "grid/gk.h"
#include "grid/minutenfeld.h"
#include "grid/utm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace quadrix {

namespace {

struct Eintrag {
    Gitter gitter;
    const char* name;
};
constexpr Eintrag Namen[] = {
    {Gitter::Mtb, "mtb"},         {Gitter::Minutenfeld, "minutenfeld"}, {Gitter::Eea100m, "eea100m"},
    {Gitter::Eea1km, "eea1km"},   {Gitter::Eea10km, "eea10km"},         {Gitter::Eea100km, "eea100km"},
    {Gitter::Utm, "utm"},         {Gitter::Mgrs, "mgrs"},               {Gitter::Gk, "gk"},
};

}  // namespace

bool gitterNamens(std::string_view name, Gitter& g)
{
    for (const Eintrag& e : Namen)
        if (name == e.name) {
            g = e.gitter;
            return true;
        }
    return false;
}

const char* gitterName(Gitter g)
{
    for (const Eintrag& e : Namen)
        if (e.gitter == g)
            return e.name;
    return "";
}

bool aufEtrs89(Gitter g) { return g != Gitter::Mtb && g != Gitter::Minutenfeld && g != Gitter::Gk; }

std::int64_t eeaGroesse(Gitter g)
{
    switch (g) {
    case Gitter::Eea100m: return 100;
    case Gitter::Eea1km: return 1000;
    case Gitter::Eea10km: return 10000;
    case Gitter::Eea100km: return 100000;
    default: return 0;
    }
}

void meterJeBogen(double breite, double& meridian, double& parallel, const Ellipsoid& el)
{
    const double a = el.a, e2 = el.e2(), s = std::sin(breite * Pi / 180);
    const double w = std::sqrt(1 - e2 * s * s);
    meridian = a * (1 - e2) / (w * w * w);
    parallel = a / w * std::cos(breite * Pi / 180);
}

int ebeneFuerGenauigkeit(double meter, double breite)
{
    constexpr double Minute = Pi / 180 / 60;
    double m = 0, p = 0;
    meterJeBogen(breite, m, p);
    int ebene = 0;
    for (int e = 1; e <= 5; ++e)
        if (std::min(6.0 / (1 << e) * Minute * m, 10.0 / (1 << e) * Minute * p) >= meter)
            ebene = e;
    return ebene;
}

namespace {

// Metres along the meridian between two latitudes (degrees) on Bessel's
// ellipsoid, the Potsdam datum's: Simpson's rule over the meridian's
// radius, exact to far below a millimetre over the few kilometres asked.
double meridianbogen(double b1, double b2)
{
    const double e2 = Bessel.e2();
    const auto radius = [e2](double b) {
        const double s = std::sin(b * GradInBogen);
        return Bessel.a * (1 - e2) / std::pow(1 - e2 * s * s, 1.5);
    };
    return std::abs(b2 - b1) * GradInBogen * (radius(b1) + 4 * radius((b1 + b2) / 2) + radius(b2)) / 6;
}

// Metres from a point (degrees, Bessel) to the meridian dl degrees east or
// west of it: the geodesic that meets the meridian at a right angle. It
// leaves the point along the prime vertical, so the sphere of the prime
// vertical's radius gives it to micrometres (checked against GeodSolve).
double abstandZumMeridian(double breite, double dl)
{
    const double s = std::sin(breite * GradInBogen);
    const double n = Bessel.a / std::sqrt(1 - Bessel.e2() * s * s);
    return n * std::asin(std::cos(breite * GradInBogen) * std::sin(std::abs(dl) * GradInBogen));
}

}  // namespace

void abstaendeZuLinien(const Punkt& potsdam, const mtb::Code& code, double abstand[6])
{
    const double b = grad(potsdam.breite), l = grad(potsdam.laenge);
    for (int e = 0; e <= 5; ++e) {
        const mtb::Zelle z = mtb::zelle(code.zeile, code.spalte, code.quadranten, e);
        const double sued = meridianbogen(b, z.sued / 60), nord = meridianbogen(b, (z.sued + z.hoehe) / 60);
        const double west = abstandZumMeridian(b, l - z.west / 60);
        const double ost = abstandZumMeridian(b, (z.west + z.breite) / 60 - l);
        abstand[e] = std::min(std::min(sued, nord), std::min(west, ost));
    }
}

int ebeneFuerKreis(const Punkt& potsdam, const mtb::Code& code, double radius, int hoechstens)
{
    double abstand[6];
    abstaendeZuLinien(potsdam, code, abstand);
    // The point itself is held to a millionth of a second of arc (3e-5 m)
    // and may have come through the datum grid: a millimetre to spare, so
    // that rounding never makes a code finer than the circle.
    constexpr double Spielraum = 0.001;
    for (int e = std::min(hoechstens, 5); e >= 0; --e)
        if (abstand[e] >= radius + Spielraum)
            return e;
    return -1;
}

std::string blaetterAn(const mtb::Code& code, const std::vector<std::pair<double, double>>& potsdam)
{
    std::string blaetter;
    std::vector<int> gesehen{code.zeile * 100 + code.spalte};
    for (const auto& [b, l] : potsdam) {
        const Punkt q{winkelAusGrad(b), winkelAusGrad(l)};
        mtb::Code c;
        if (codeImNetz(q, c) != Fehler::Keine)
            continue;
        const int nummer = c.zeile * 100 + c.spalte;
        if (std::find(gesehen.begin(), gesehen.end(), nummer) != gesehen.end())
            continue;
        gesehen.push_back(nummer);
        blaetter += blaetter.empty() ? "" : ", ";
        schreibeCode(blaetter, c, 0, Notation::Schraeg);
    }
    return blaetter;
}

std::string blaetterImKreis(const Punkt& potsdam, const mtb::Code& code, double radius)
{
    const double b = grad(potsdam.breite), l = grad(potsdam.laenge);
    double m = 0, p = 0;
    meterJeBogen(b, m, p, Bessel);
    const double db = radius / m * 180 / Pi, dl = radius / p * 180 / Pi;
    // The circle's box: its corners and the middles of its sides.
    std::vector<std::pair<double, double>> kasten;
    for (const double fb : {-1.0, 0.0, 1.0})
        for (const double fl : {-1.0, 0.0, 1.0})
            kasten.emplace_back(b + fb * db, l + fl * dl);
    return blaetterAn(code, kasten);
}

int ebeneFuerUmriss(const mtb::Code& code, const std::vector<std::pair<double, double>>& potsdam, int hoechstens)
{
    for (int e = std::min(hoechstens, 5); e >= 0; --e) {
        const mtb::Zelle z = mtb::zelle(code.zeile, code.spalte, code.quadranten, e);
        const bool haelt = std::all_of(potsdam.begin(), potsdam.end(), [&](const std::pair<double, double>& p) {
            const double b = p.first * 60, l = p.second * 60;
            return b >= z.sued && b <= z.sued + z.hoehe && l >= z.west && l <= z.west + z.breite;
        });
        if (haelt)
            return e;
    }
    return -1;
}

bool brauchtUmrechnung(const Ausgabeform& form)
{
    return form.datum == Datum::Auto || (form.datum == Datum::Potsdam) == aufEtrs89(form.gitter);
}

std::string minutenfeldText(std::int16_t zeile, std::int16_t spalte, int quadrant, int y, int x)
{
    char t[24];
    std::snprintf(t, sizeof t, "%02d%02d/%d%d%d", zeile, spalte, quadrant, y, x);
    return t;
}

namespace {

// The level of a sheet code cut to the cell that holds the circle of an
// uncertainty, and what --verbose shows.
int stufe(const Punkt& potsdam, const mtb::Code& code, const Ausgabeform& form, int ebenen, Verortung* v)
{
    if (form.unsicherheit > 0)
        ebenen = ebeneFuerKreis(potsdam, code, form.unsicherheit, ebenen);
    if (v) {
        v->code = code;
        v->stufe = ebenen;
    }
    return ebenen;
}

}  // namespace

Zellfehler gitterCode(const Punkt& eingabe, const Ausgabeform& form, std::string& out, Verortung* v, const Lesart* lesart)
{
    const Datum datum = lesart ? datumFuer(form.datum, *lesart) : form.datum == Datum::Auto ? Datum::Potsdam : form.datum;
    // Only what --verbose asks for is kept: long lists pass no Verortung.
    Lage eigene;
    Lage& lage = v ? *v : eigene;
    if (const Umrechnungsfehler f =
            verorte(eingabe, datum, form.transformation, aufEtrs89(form.gitter) ? InEtrs89 : AufPotsdam, lage);
        f != Umrechnungsfehler::Keine)
        return f;
    if (form.gitter == Gitter::Gk) {
        gk::Lage l;
        if (!gk::lage(grad(lage.potsdam->breite), grad(lage.potsdam->laenge), form.zone, l))
            return Zellfehler::Art::AusserhalbGk;
        if (v) {
            v->ebene = l.ebene;
            v->zone = l.zone;
        }
        out += gk::gkText(l);
        return Fehler::Keine;
    }
    if (!aufEtrs89(form.gitter)) {
        const Punkt* potsdam = lage.potsdam;
        mtb::Code code;
        if (const Fehler f = codeImNetz(*potsdam, code); f != Fehler::Keine)
            return f;
        if (form.gitter == Gitter::Mtb) {
            int ebenen = form.ebenenNachGenauigkeit > 0
                             ? ebeneFuerGenauigkeit(form.ebenenNachGenauigkeit, grad(potsdam->breite))
                             : form.ebenen;
            if (form.unsicherheit > 0 || v)
                ebenen = stufe(*potsdam, code, form, ebenen, v);
            // One call, so that long lists have it inline.
            schreibeCode(out, code, ebenen < 0 ? 0 : ebenen, form.notation, form.blattnummer);
            if (ebenen < 0)
                out += UeberDasBlatt;
            return Fehler::Keine;
        }
        mtb::Minutenfeld feld;
        if (!mtb::minutenfeld(potsdam->breite, potsdam->laenge, feld))
            return Fehler::AusserhalbNetz;
        out += minutenfeldText(feld.zeile, feld.spalte, feld.quadrant(), feld.zeileImQuadranten(),
                               feld.spalteImQuadranten());
        return Fehler::Keine;
    }

    Verortung eigeneEbene;
    Verortung& o = v ? *v : eigeneEbene;
    if (!v) {
        o.breite = lage.breite;
        o.laenge = lage.laenge;
    }
    if (const std::int64_t g = eeaGroesse(form.gitter)) {
        o.ebene = proj::laea({o.breite, o.laenge});
        eea::Zelle z;
        if (!eea::zelleVon(o.ebene, g, z))
            return Zellfehler::Art::AusserhalbEea;
        out += form.langform ? eea::lang(z) : eea::kurz(z);
        return Fehler::Keine;
    }
    utm::Lage l;
    if (!utm::lage(o.breite, o.laenge, form.zone, l))
        return Zellfehler::Art::AusserhalbUtm;
    o.ebene = l.ebene;
    o.zone = l.zone;
    if (form.gitter == Gitter::Utm) {
        out += utm::utmText(l);
        return Fehler::Keine;
    }
    std::string text;
    if (!utm::mgrsText(l, form.genauigkeit, text))
        return Zellfehler::Art::AusserhalbMgrs;
    out += text;
    return Fehler::Keine;
}

std::string spaltentitel(const Ausgabeform& form)
{
    std::string name;
    switch (form.gitter) {
    case Gitter::Mtb: name = "MTB"; break;
    case Gitter::Minutenfeld: name = "Minutenfeld"; break;
    case Gitter::Utm: name = "UTM"; break;
    case Gitter::Mgrs: name = "MGRS"; break;
    case Gitter::Gk: name = "Gauß-Krüger"; break;
    default: name = std::string("EEA ") + eea::praefix(eeaGroesse(form.gitter)); break;
    }
    if (form.datum == Datum::Auto)
        return name + (aufEtrs89(form.gitter) ? " [ETRS89; ganze Werte aus Potsdam (DHDN)]"
                                              : " [Potsdam (DHDN); Dezimalangaben aus WGS84]");
    return name + (brauchtUmrechnung(form) ? " [aus " : " [") + datumName(form.datum) + "]";
}

}  // namespace quadrix
