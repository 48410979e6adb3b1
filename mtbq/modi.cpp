// mtbq's modes: a code's cell, a single point, a sheet as SVG, whole lists,
// Darwin Core, GeoJSON and grid layers; each prints its output and says
// what it refused.
#include "mtbq/aufruf.h"
#include "mtbq/punktdateien.h"

#include "cells/texte.h"
#include "datum/datum.h"
#include "formats/ausfuhr.h"
#include "formats/geojson.h"
#include "formats/raster.h"
#include "formats/svg.h"
#include "orte/orte.h"
#include "platform/konsole.h"
#include "position/code.h"
#include "position/gms.h"
#include "position/texte.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace mtbq {

using namespace quadrix;

namespace {

void zeigeGrad(const char* name, double breite, double laenge)
{
    std::printf("%s %12.7f %12.7f  %s %s\n", name, breite, laenge, gms(breite * 60).c_str(), gms(laenge * 60).c_str());
}

// "100 m", "1 km", "0.1 m"
std::string meterText(double meter)
{
    const long m = std::lround(meter);
    if (m >= 1000)
        return std::to_string(m / 1000) + " km";
    if (m >= 1)
        return std::to_string(m) + " m";
    char t[24];
    std::snprintf(t, sizeof t, "%g m", meter);
    return t;
}

// Where the point lies, in words: on WGS84, through BETA2007 where the point
// is on the Potsdam datum (loaded here when the run had no need of it yet).
void ortZeile(const Verortung& v, bool etrs89, const Transformation* t)
{
    double b = etrs89 ? v.breite : grad(v.potsdam->breite), l = etrs89 ? v.laenge : grad(v.potsdam->laenge);
    std::unique_ptr<Transformation> geladen;
    if (!etrs89 && !t)
        t = (geladen = Transformation::beiBedarf(gitterOrdner())).get();
    if (!etrs89 && !t->vonPotsdam(b, l)) {
        std::printf("Ort        (ohne BETA2007 nicht zu sagen)\n");
        return;
    }
    std::printf("Ort        %s\n", orte::beschreibung(b, l).c_str());
}

}  // namespace

int zelle(const Aufruf& a, const std::string& text)
{
    Umriss u;
    if (const Umrissfehler f = leseUmriss(text, a.gitterGesetzt ? &a.form.gitter : nullptr, u); !f.keiner()) {
        GelesenerCode g;
        if (f.art == Umrissfehler::Art::Mtb && f.code == CodeFehler::Ziffer && leseCode(text, g) == CodeFehler::Ziffer)
            std::fprintf(stderr, "mtbq: %s: %s (%c)\n", text.c_str(), quadrix::text(f), g.falscheZiffer);
        else
            std::fprintf(stderr, "mtbq: %s: %s\n", text.c_str(), quadrix::text(f));
        return 1;
    }
    if (!u.kartesisch()) {
        const mtb::Zelle& z = u.rechteck;
        if (u.gitter == Gitter::Mtb)
            std::printf("Zelle   %s (Ebene %d, Potsdam-Datum)\n", u.code.c_str(), u.ebenen);
        else
            std::printf("Zelle   %s (Minutenfeld, Potsdam-Datum)\n", u.code.c_str());
        const struct { const char* name; double wert; } raender[] = {
            {"Süden ", z.sued},
            {"Westen", z.west},
            {"Norden", z.sued + z.hoehe},
            {"Osten ", z.west + z.breite},
        };
        for (const auto& r : raender)
            std::printf("%s  %12.7f  %s\n", r.name, r.wert / 60, gms(r.wert).c_str());
        const double mb = z.sued + z.hoehe / 2, ml = z.west + z.breite / 2;
        std::printf("Mitte   %12.7f %12.7f  %s %s\n", mb / 60, ml / 60, gms(mb).c_str(), gms(ml).c_str());
        return 0;
    }
    const std::string seiteText = meterText(u.seite);
    if (u.gitter == Gitter::Gk) {
        std::printf("Zelle     %s (Gauß-Krüger Zone %d, Quadrat %s, DHDN, EPSG:314%02d)\n", u.code.c_str(), u.zone,
                    seiteText.c_str(),
                    64 + u.zone);
        std::printf("Ebene     Rechts %.3f bis %.3f, Hoch %.3f bis %.3f\n", u.ost, u.ost + u.seite, u.nord,
                    u.nord + u.seite);
    } else if (u.zone == 0)
        std::printf("Zelle     %s (EEA-Referenzgitter %s, ETRS89-LAEA, EPSG:3035)\n", u.code.c_str(), seiteText.c_str());
    else
        std::printf("Zelle     %s (%s Zone %d, Quadrat %s, ETRS89/UTM, EPSG:258%02d)\n", u.code.c_str(),
                    u.gitter == Gitter::Mgrs ? "MGRS" : "UTM", u.zone, seiteText.c_str(), u.zone);
    if (u.gitter != Gitter::Gk)
        std::printf("Ebene     Ost %.0f bis %.0f, Nord %.0f bis %.0f\n", u.ost, u.ost + u.seite, u.nord,
                    u.nord + u.seite);
    std::printf(u.aufPotsdam() ? "Ecken im Potsdam-Datum:\n" : "Ecken in ETRS89:\n");
    const struct { const char* name; double fx, fy; } ecken[] = {
        {"Südwest ", 0, 0}, {"Südost  ", 1, 0}, {"Nordost ", 1, 1}, {"Nordwest", 0, 1}, {"Mitte   ", 0.5, 0.5}};
    for (const auto& e : ecken) {
        const Grad2 g = punktIn(u, e.fx, e.fy);
        zeigeGrad(e.name, g.breite, g.laenge);
    }
    return 0;
}

int punkt(const Aufruf& a)
{
    if (a.rest.empty())
        return falscherAufruf("keine Koordinaten angegeben");
    if (a.punktFehler != Fehler::Keine)
        return abgelehnt(a.verweis == VerweisFehler::OhnePosition ? text(a.verweis)
                         : !a.positionsGrund.keiner()            ? text(a.positionsGrund)
                                                                 : text(a.punktFehler));
    if (a.kartesischDatumFalsch)
        return falscherAufruf("Gauß-Krüger liegt im Potsdam-Datum, UTM und MGRS in ETRS89: --datum passt nicht dazu");
    const Punkt& p = a.punkt;
    std::string out;
    Verortung v;
    std::vector<std::pair<double, double>> umriss;
    if (const Zellfehler f = a.kartesisch ? positionsCode(*a.kartesisch, a.form, out, &v, &umriss) : gitterCode(p, a.form, out, &v);
        !f.keiner())
        return abgelehnt(text(f));
    const bool quadrat = !umriss.empty();
    if (a.ausfuehrlich) {
        std::printf("Datum      %s%s\n", datumName(a.form.datum),
                    !a.vermutet                        ? ""
                    : a.form.datum == Datum::Potsdam   ? " (angenommen: ganze Grad, Minuten und Sekunden; --datum nennt ein anderes)"
                                                       : " (angenommen: Dezimalangabe; --datum nennt ein anderes)");
        if (a.form.transformation)
            std::printf("Umrechnung %s\n", a.form.transformation->beschreibung().c_str());
        if (a.kartesisch)
            std::printf("Eingabe    %s %s: %s, %s %.8f %.8f\n",
                        a.kartesisch->gitter == Gitter::Gk ? "Gauß-Krüger" : a.kartesisch->gitter == Gitter::Utm ? "UTM" : "MGRS",
                        a.kartesisch->code.c_str(),
                        a.kartesisch->gitter == Gitter::Gk ? "ein Punkt" : ("ein Quadrat von " + meterText(a.kartesisch->seite)).c_str(),
                        a.kartesisch->gitter == Gitter::Gk ? "in Grad" : "seine Mitte", grad(p.breite), grad(p.laenge));
        else
            std::printf("Eingabe    %.8f %.8f\n", grad(p.breite), grad(p.laenge));
        if (a.form.gitter == Gitter::Gk) {
            std::printf("Potsdam    %.8f %.8f\n", grad(v.potsdam->breite), grad(v.potsdam->laenge));
            std::printf("GK %d      Rechts %.3f Hoch %.3f\n", v.zone, v.ebene.ost, v.ebene.nord);
            std::printf("%-10s %s\n", "GK", out.c_str());
        } else if (!aufEtrs89(a.form.gitter)) {
            std::printf("Potsdam    %.8f %.8f\n", grad(v.potsdam->breite), grad(v.potsdam->laenge));
            std::printf("%-10s %s\n", a.form.gitter == Gitter::Mtb ? "MTB" : "Minutenfeld", out.c_str());
        } else {
            std::printf("ETRS89     %.8f %.8f\n", v.breite, v.laenge);
            if (v.zone)
                std::printf("UTM %d     Ost %.3f Nord %.3f\n", v.zone, v.ebene.ost, v.ebene.nord);
            else
                std::printf("LAEA       Ost %.3f Nord %.3f\n", v.ebene.ost, v.ebene.nord);
            std::printf("%-10s %s\n", a.form.gitter == Gitter::Utm ? "UTM" : a.form.gitter == Gitter::Mgrs ? "MGRS" : "EEA",
                        out.c_str());
        }
        ortZeile(v, aufEtrs89(a.form.gitter), a.form.transformation);
        if (a.form.gitter == Gitter::Mtb) {
            // How far the point lies from its cell's lines, level by level.
            double abstand[6];
            abstaendeZuLinien(*v.potsdam, v.code, abstand);
            std::printf("Abstand zur nächsten Linie der Zelle, Ebene 0 bis 5:");
            for (int e = 0; e <= 5; ++e)
                std::printf(" %.1f m", abstand[e]);
            std::printf("\n");
            if (a.form.unsicherheit > 0)
                std::printf("Radius     %g m: %s\n", a.form.unsicherheit,
                            v.stufe < 0 ? "kein Blatt hält den Kreis ganz"
                                        : ("die Zelle der Ebene " + std::to_string(v.stufe) + " hält den Kreis ganz").c_str());
        }
    } else {
        std::puts(out.c_str());
    }
    // Where no sheet holds the square or the circle, the code says only the
    // sheet of its centre: the warning names the one that reaches out.
    if (a.form.gitter == Gitter::Mtb && v.stufe < 0) {
        const std::string blatt = out.substr(0, out.find(UeberDasBlatt));
        const bool kreis = a.form.unsicherheit > 0 && ebeneFuerKreis(*v.potsdam, v.code, a.form.unsicherheit, 0) < 0;
        if (kreis)
            std::fprintf(stderr,
                         "mtbq: Warnung: der Kreis von %g m um den Punkt reicht über Blatt %s hinaus in %s; "
                         "geschrieben ist %s (das Blatt der Mitte, nicht genauer)\n",
                         a.form.unsicherheit, blatt.c_str(),
                         blaetterImKreis(*v.potsdam, v.code, a.form.unsicherheit).c_str(), out.c_str());
        else if (quadrat)
            std::fprintf(stderr,
                         "mtbq: Warnung: das Quadrat reicht über Blatt %s hinaus in %s; geschrieben ist %s (das Blatt "
                         "seiner Mitte, nicht genauer)\n",
                         blatt.c_str(), blaetterAn(v.code, umriss).c_str(), out.c_str());
    }
    return 0;
}

int svg(const Aufruf& a)
{
    mtb::Code code;
    int ebenen = a.form.ebenen;
    double b = 0, l = 0;
    bool mitPunkt = false;
    if (a.code) {
        GelesenerCode g;
        if (const CodeFehler f = leseCode(a.code, g); f != CodeFehler::Keine)
            return abgelehnt(text(f));
        code = g.code;
        ebenen = g.ebenen;
    } else {
        if (a.punktFehler != Fehler::Keine)
            return abgelehnt(text(a.punktFehler));
        Lage lage;
        if (const Umrechnungsfehler f = verorte(a.punkt, a.form.datum, a.form.transformation, AufPotsdam, lage);
            f != Umrechnungsfehler::Keine)
            return abgelehnt(text(f));
        if (const Fehler f = codeImNetz(*lage.potsdam, code); f != Fehler::Keine)
            return abgelehnt(text(f));
        b = grad(lage.potsdam->breite);
        l = grad(lage.potsdam->laenge);
        mitPunkt = true;
    }
    std::fputs(svgBild(code, ebenen, mitPunkt ? &b : nullptr, mitPunkt ? &l : nullptr).c_str(), stdout);
    return 0;
}

int stapelLauf(Aufruf& a)
{
    long zahl = 0;
    if (a.rest.empty())
        a.rest.push_back("-");
    Punktquellen quellen;
    if (!quellen.ladeSpuren(a))
        return 1;
    bool kopf = true;
    for (const char* datei : a.rest) {
        if (punktquelle(datei)) {
            const long n = punkteStapel(datei, quellen, a.form, kopf);
            if (n < 0)
                return abgelehnt((std::string(datei) + ": Schreibfehler").c_str());
            zahl += n;
            continue;
        }
        Eingabe e;
        if (!oeffne(datei, "keine Datei", e)) {
            ++zahl;
            continue;
        }
        const long n = stapel(e.f, stdout, a.form, a.spalten, melderFuer(e.name), konsole::aufBildschirm(stdout));
        if (n < 0)
            return abgelehnt((std::string(datei) + ": Lese- oder Schreibfehler").c_str());
        zahl += n;
    }
    return zahl > 0 ? 1 : 0;
}

namespace {

// Why a table's workbook could not be made.
const char* mappensatz(Mappenfehler f)
{
    switch (f) {
    case Mappenfehler::Anlegen:
        return "die Excel-Arbeitsmappe lässt sich im Ordner für temporäre Dateien (TMPDIR, unter Windows TEMP) "
               "nicht anlegen: gibt es ihn?";
    case Mappenfehler::Schreiben:
        return "die Excel-Arbeitsmappe lässt sich im Ordner für temporäre Dateien (TMPDIR, unter Windows TEMP) "
               "nicht schreiben: ist er voll oder schreibgeschützt?";
    case Mappenfehler::Zuruecklesen:
        return "die Excel-Arbeitsmappe lässt sich aus dem Ordner für temporäre Dateien nicht zurücklesen";
    case Mappenfehler::Keiner: break;
    }
    return "";
}

}  // namespace

int dwcLauf(Aufruf& a, const Transformation* t)
{
    if (a.profil == Profil::Xlsx && konsole::aufBildschirm(stdout))
        return falscherAufruf("eine Excel-Arbeitsmappe gehört in eine Datei: mtbq --export=xlsx ... > funde.xlsx");
    if (a.rest.empty())
        a.rest.push_back("-");
    // Points of GPS files and photos bring their time: the table gets a column for it.
    const bool mitPunkten = std::any_of(a.rest.begin(), a.rest.end(), punktquelle);
    Ausfuhrform form{a.form.datum, t, a.form.ebenen, a.genauigkeit, a.form.unsicherheit, a.spalten, a.excel,
                     mitPunkten, a.profil, std::nullopt};
    if (a.notationGesetzt)
        form.notation = a.form.notation;
    Ausfuhrtafel tafel(stdout, form);
    Punktquellen quellen;
    if (!quellen.ladeSpuren(a))
        return 1;
    long punkteAbgelehnt = 0;
    for (const char* datei : a.rest) {
        if (punktquelle(datei)) {
            bool schreibfehler = false;
            punkteAbgelehnt += punkteDwc(datei, quellen, tafel, a.form, schreibfehler);
            if (schreibfehler)
                return abgelehnt("Schreibfehler");
            continue;
        }
        Eingabe e;
        if (!oeffne(datei, "keine Datei", e))
            return 1;
        if (!tafel.datei(e.f, melderFuer(e.name))) {
            if (tafel.lesefehler())
                std::fprintf(stderr, "mtbq: %s: Lesefehler\n", datei);
            return 1;
        }
    }
    // A failed write has said so already.
    if (!tafel.schluss())
        return tafel.mappenfehler() == Mappenfehler::Keiner ? 1 : abgelehnt(mappensatz(tafel.mappenfehler()));
    return tafel.uebersprungen() || punkteAbgelehnt ? 1 : 0;
}

int geojsonLauf(Aufruf& a, const Transformation* t)
{
    if (a.rest.empty())
        a.rest.push_back("-");
    const GeoJsonForm form{a.form.datum, t, a.zellen};
    GeoJsonFundorte sammlung(stdout, form);
    Punktquellen quellen;
    if (!quellen.ladeSpuren(a))
        return 1;
    long punkteAbgelehnt = 0;
    for (const char* datei : a.rest) {
        if (punktquelle(datei)) {
            bool schreibfehler = false;
            punkteAbgelehnt += punkteGeoJson(datei, quellen, sammlung, t, schreibfehler);
            if (schreibfehler)
                return abgelehnt("Schreibfehler");
            continue;
        }
        Eingabe e;
        if (!oeffne(datei, "keine Datei der Fundorte", e))
            return 1;
        if (!sammlung.datei(e.f, e.name, melderFuer(e.name))) {
            if (sammlung.lesefehler())
                std::fprintf(stderr, "mtbq: %s: Lesefehler\n", datei);
            return 1;
        }
    }
    return !sammlung.schluss() || sammlung.uebersprungen() || punkteAbgelehnt ? 1 : 0;
}

int rasterLauf(const Aufruf& a)
{
    const Gitter g = a.form.gitter;
    RasterForm r;
    r.gitter = g;
    r.ebenen = a.form.ebenen;
    r.untransformiert = a.untransformiert;
    r.datum = a.form.datum;
    r.transformation = a.form.transformation;
    r.mitBox = a.mitBox;
    std::copy(a.box, a.box + 4, r.box);
    if (a.mitBox && !a.rest.empty())
        return falscherAufruf("--raster nimmt eine --bbox oder Codes, nicht beides");
    for (const char* c : a.rest) {
        Umriss u;
        const Gitter lesen = eeaGroesse(g) ? Gitter::Eea10km : Gitter::Mtb;
        if (const Umrissfehler f = leseUmriss(c, eeaGroesse(g) ? nullptr : &lesen, u); !f.keiner()) {
            std::fprintf(stderr, "mtbq: %s: %s\n", c, text(f));
            return 1;
        }
        if (eeaGroesse(g) && (!u.kartesisch() || u.zone != 0 || eeaGroesse(u.gitter) < eeaGroesse(g)))
            return abgelehnt((std::string(c) + ": kein EEA-Code, oder seine Zelle ist kleiner als die des "
                                               "Gitters").c_str());
        if (g == Gitter::Mtb && u.ebenen > a.form.ebenen)
            return abgelehnt((std::string(c) + ": der Code ist feiner als --levels").c_str());
        if (g == Gitter::Minutenfeld && u.ebenen > 1)
            return abgelehnt((std::string(c) + ": Minutenfelder gibt es zu Blättern und Quadranten").c_str());
        r.codes.push_back(u);
    }
    const RasterErgebnis e = raster(r, stdout, [](const std::string& code) {
        std::fprintf(stderr, "mtbq: Zelle %s: %s\n", code.c_str(), text(Umrechnungsfehler::AusserhalbGitter));
    });
    if (!e.box.keiner())
        std::fprintf(stderr, "mtbq: --bbox: %s\n", text(e.box));
    if (e.fehler)
        return 1;
    return e.ausgelassen ? 1 : 0;
}

}  // namespace mtbq
