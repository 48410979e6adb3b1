// mtbq's run: the options read and checked, the datum chosen, the mode run.
#include "mtbq/lauf.h"

#include "cells/gitter.h"
#include "cells/texte.h"
#include "cells/umriss.h"
#include "datum/datum.h"
#include "formats/dwc.h"
#include "formats/geojson.h"
#include "formats/raster.h"
#include "formats/svg.h"
#include "mtbq/hilfe.h"
#include "platform/konsole.h"
#include "platform/textdatei.h"
#include "position/code.h"
#include "position/gms.h"
#include "position/meter.h"
#include "position/punkt.h"
#include "position/texte.h"
#include "tables/stapel.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <charconv>
#include <cstring>
#include <algorithm>
#include <optional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#ifndef QUADRIX_VERSION
#define QUADRIX_VERSION "0"
#endif

namespace {

using namespace quadrix;

// Where the Windows package keeps the BETA2007 grid: beside mtbq.exe.
std::vector<std::filesystem::path> gitterOrdner()
{
    std::vector<std::filesystem::path> o;
    if (auto p = konsole::programmOrdner(); !p.empty())
        o.push_back(p);
    return o;
}

int falscherAufruf(const std::string& was)
{
    std::fprintf(stderr, "mtbq: %s\n(mtbq --help zeigt die Hilfe)\n", was.c_str());
    return 2;
}

int abgelehnt(const char* was)
{
    std::fprintf(stderr, "mtbq: %s\n", was);
    return 1;
}

enum class Modus { Punkt, Stapel, Zelle, GeoJson, Svg, Raster, Dwc };

struct Aufruf {
    Modus modus = Modus::Punkt;
    Ausgabeform form;
    bool ausfuehrlich = false;
    bool zellen = false;
    bool gitterGesetzt = false;
    bool levelsGesetzt = false;
    bool untransformiert = false;
    bool mitBox = false;
    bool excel = false;  // --dwc for German Excel
    double box[4] = {0, 0, 0, 0};
    double genauigkeit = 0;  // metres; 0: none given
    Spaltenwahl spalten;     // --columns; empty: found by the header's titles
    const char* code = nullptr;  // --cell, or --svg with a code
    std::vector<const char*> rest;
    bool datumGesetzt = false;
    bool vermutet = false;  // the datum was taken by the rule for unnamed datums
    // A single point (and --svg with a point), read once.
    Punkt punkt;
    Fehler punktFehler = Fehler::KeineZahl;
    // A single point written in a plane grid: Gauss-Kruger (the point, on
    // the Potsdam datum), UTM or MGRS (a square on ETRS89, its centre in punkt).
    std::optional<Umriss> eben;
    bool ebenDatumFalsch = false;  // --datum names another datum than the plane grid's
    // Refused: the reason of the plane reader the text most resembles, if any.
    Umrissfehler ebenGrund;
};

// An input named on the command line, "-" for standard input, closed at the end.
struct Eingabe {
    std::FILE* f = nullptr;
    bool standard = false;
    std::string name;  // for messages: the name given, or "(Standardeingabe)"
    Eingabe() = default;
    Eingabe(const Eingabe&) = delete;
    Eingabe& operator=(const Eingabe&) = delete;
    ~Eingabe()
    {
        if (f && !standard)
            std::fclose(f);
    }
};

// Opens the input, by its UTF-8 name on every platform; false, with the
// reason printed, for a folder or a file that cannot be opened. art names
// what a folder is not ("keine Datei der Fundorte").
bool oeffne(const char* datei, const char* art, Eingabe& e)
{
    if (std::strcmp(datei, "-") == 0) {
        e.f = stdin;
        e.standard = true;
        e.name = "(Standardeingabe)";
        return true;
    }
    e.name = datei;
    std::error_code ec;
    const std::string_view n(datei);
    if (std::filesystem::is_directory(std::filesystem::path(std::u8string(n.begin(), n.end())), ec)) {
        std::fprintf(stderr, "mtbq: %s: ist ein Ordner, %s\n", datei, art);
        return false;
    }
    e.f = konsole::oeffne(datei, "rb");
    if (!e.f) {
        std::fprintf(stderr, "mtbq: %s: Datei kann nicht gelesen werden. %s\n", datei,
                     textdatei::satz(textdatei::ausErrno(errno), true).c_str());
        return false;
    }
    return true;
}

// Refused lines as "NAME:LINE: reason".
Melder melderFuer(const std::string& name)
{
    return [&name](long zeile, const char* grund) { std::fprintf(stderr, "%s:%ld: %s\n", name.c_str(), zeile, grund); };
}

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
    if (!u.eben()) {
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

std::string verbunden(const std::vector<const char*>& teile)
{
    std::string text;
    for (const char* t : teile)
        (text += t) += ' ';
    return text;
}

int punkt(const Aufruf& a)
{
    if (a.rest.empty())
        return falscherAufruf("keine Koordinaten angegeben");
    if (a.punktFehler != Fehler::Keine)
        return abgelehnt(!a.ebenGrund.keiner() ? text(a.ebenGrund) : text(a.punktFehler));
    if (a.ebenDatumFalsch)
        return falscherAufruf("Gauß-Krüger liegt im Potsdam-Datum, UTM und MGRS in ETRS89: --datum passt nicht dazu");
    const Punkt& p = a.punkt;
    std::string out;
    Verortung v;
    std::vector<std::pair<double, double>> umriss;
    if (const Fehler f = a.eben ? ebenenCode(*a.eben, a.form, out, &v, &umriss) : gitterCode(p, a.form, out, &v);
        f != Fehler::Keine)
        return abgelehnt(text(f));
    const bool quadrat = !umriss.empty();
    if (a.ausfuehrlich) {
        std::printf("Datum      %s%s\n", datumName(a.form.datum),
                    !a.vermutet                        ? ""
                    : a.form.datum == Datum::Potsdam   ? " (angenommen: ganze Grad, Minuten und Sekunden; --datum nennt ein anderes)"
                                                       : " (angenommen: Dezimalangabe; --datum nennt ein anderes)");
        if (a.form.transformation)
            std::printf("Umrechnung %s\n", a.form.transformation->beschreibung().c_str());
        if (a.eben)
            std::printf("Eingabe    %s %s: %s, %s %.8f %.8f\n",
                        a.eben->gitter == Gitter::Gk ? "Gauß-Krüger" : a.eben->gitter == Gitter::Utm ? "UTM" : "MGRS",
                        a.eben->code.c_str(),
                        a.eben->gitter == Gitter::Gk ? "ein Punkt" : ("ein Quadrat von " + meterText(a.eben->seite)).c_str(),
                        a.eben->gitter == Gitter::Gk ? "in Grad" : "seine Mitte", grad(p.breite), grad(p.laenge));
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
        if (const Fehler f = verorte(a.punkt, a.form.datum, a.form.transformation, AufPotsdam, lage); f != Fehler::Keine)
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
    for (const char* datei : a.rest) {
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

int dwcLauf(Aufruf& a, const Transformation* t)
{
    if (a.rest.empty())
        a.rest.push_back("-");
    const DwcForm form{a.form.datum, t, a.form.ebenen, a.genauigkeit, a.form.unsicherheit, a.spalten, a.excel};
    DwcTafel tafel(stdout, form);
    for (const char* datei : a.rest) {
        Eingabe e;
        if (!oeffne(datei, "keine Datei", e))
            return 1;
        if (!tafel.datei(e.f, melderFuer(e.name))) {
            if (tafel.lesefehler())
                std::fprintf(stderr, "mtbq: %s: Lesefehler\n", datei);
            return 1;
        }
    }
    return !tafel.schluss() || tafel.uebersprungen() ? 1 : 0;
}

int geojsonLauf(Aufruf& a, const Transformation* t)
{
    if (a.rest.empty())
        a.rest.push_back("-");
    const GeoJsonForm form{a.form.datum, t, a.zellen};
    GeoJsonFundorte sammlung(stdout, form);
    for (const char* datei : a.rest) {
        Eingabe e;
        if (!oeffne(datei, "keine Datei der Fundorte", e))
            return 1;
        if (!sammlung.datei(e.f, e.name, melderFuer(e.name))) {
            if (sammlung.lesefehler())
                std::fprintf(stderr, "mtbq: %s: Lesefehler\n", datei);
            return 1;
        }
    }
    return !sammlung.schluss() || sammlung.uebersprungen() ? 1 : 0;
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
        if (eeaGroesse(g) && (!u.eben() || u.zone != 0 || eeaGroesse(u.gitter) < eeaGroesse(g)))
            return abgelehnt((std::string(c) + ": kein EEA-Code, oder seine Zelle ist kleiner als die des "
                                               "Gitters").c_str());
        if (g == Gitter::Mtb && u.ebenen > a.form.ebenen)
            return abgelehnt((std::string(c) + ": der Code ist feiner als --levels").c_str());
        if (g == Gitter::Minutenfeld && u.ebenen > 1)
            return abgelehnt((std::string(c) + ": Minutenfelder gibt es zu Blättern und Quadranten").c_str());
        r.codes.push_back(u);
    }
    const RasterErgebnis e = raster(r, stdout, [](const std::string& code) {
        std::fprintf(stderr, "mtbq: Zelle %s: %s\n", code.c_str(), text(Fehler::AusserhalbGitter));
    });
    if (e.box != Fehler::Keine)
        std::fprintf(stderr, "mtbq: --bbox: %s\n", text(e.box));
    if (e.fehler)
        return 1;
    return e.ausgelassen ? 1 : 0;
}

// A length by the one reader of lengths; 0 for anything it refuses.
double meterAus(std::string_view t)
{
    double meter = 0;
    return leseMeter(t, meter) == MeterFehler::Keine ? meter : 0;
}

// "S,W,N,E" in decimal degrees, north and east.
bool leseBox(std::string_view t, double (&box)[4])
{
    for (int i = 0; i < 4; ++i) {
        const std::size_t komma = i < 3 ? t.find(',') : t.size();
        if (komma == std::string_view::npos)
            return false;
        const std::string_view teil = t.substr(0, komma);
        const auto r = std::from_chars(teil.data(), teil.data() + teil.size(), box[i]);
        if (teil.empty() || r.ec != std::errc() || r.ptr != teil.data() + teil.size() || !std::isfinite(box[i]))
            return false;
        t = komma < t.size() ? t.substr(komma + 1) : std::string_view();
    }
    return box[0] >= 0 && box[2] <= 90 && box[0] <= box[2] && box[1] >= 0 && box[3] <= 360 && box[1] <= box[3];
}

// Option names are English, as GNU's --help and --version are; the German
// names of earlier releases stay as aliases, so that no script breaks.
std::string_view kanonisch(std::string_view name)
{
    static constexpr struct { std::string_view alt, neu; } aliase[] = {
        {"--gitter", "--grid"},           {"--genauigkeit", "--precision"},     {"--spalten", "--columns"},
        {"--langform", "--long-form"},    {"--untransformiert", "--untransformed"}, {"--unsicherheit", "--uncertainty"},
    };
    for (const auto& a : aliase)
        if (name == a.alt)
            return a.neu;
    return name;
}

// A negative number is a coordinate (refused later as south or west), not an option.
bool istOption(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.' && arg[1] != ',';
}

// The options into a; an exit status when the run ends here (help,
// version, wrong usage).
std::optional<int> leseOptionen(int argc, char* argv[], Aufruf& a)
{
    a.form.datum = Datum::Auto;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        // GNU style: "--levels=3" is "--levels 3".
        const char* angehaengt = nullptr;
        if (arg.size() > 2 && arg.substr(0, 2) == "--")
            if (const auto gleich = arg.find('='); gleich != std::string_view::npos) {
                angehaengt = argv[i] + gleich + 1;
                arg = arg.substr(0, gleich);
            }
        arg = kanonisch(arg);
        for (const std::string_view schalter : {"--help", "--version", "--batch", "--geojson", "--cells", "--verbose",
                                                "--raster", "--dwc", "--long-form", "--untransformed", "--excel"})
            if (angehaengt && arg == schalter)
                return falscherAufruf("die Option " + std::string(arg) + " nimmt keinen Wert");
        bool wertGenommen = false;
        auto wert = [&]() -> const char* {
            wertGenommen = true;
            if (angehaengt)
                return angehaengt;
            return i + 1 < argc ? argv[++i] : nullptr;
        };
        if (arg == "--") {
            for (++i; i < argc; ++i)
                a.rest.push_back(argv[i]);
            break;
        }
        // "/?" as Windows programs take it.
        if (arg == "--help" || arg == "-h" || arg == "/?") {
            std::fputs(Hilfe, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("mtbq %s\n", QUADRIX_VERSION);
            return 0;
        }
        if (arg == "--batch") {
            a.modus = Modus::Stapel;
        } else if (arg == "--geojson") {
            a.modus = Modus::GeoJson;
        } else if (arg == "--cells") {
            a.zellen = true;
        } else if (arg == "--raster") {
            a.modus = Modus::Raster;
        } else if (arg == "--dwc") {
            a.modus = Modus::Dwc;
        } else if (arg == "--excel") {
            a.excel = true;
        } else if (arg == "--long-form") {
            a.form.langform = true;
        } else if (arg == "--untransformed") {
            a.untransformiert = true;
        } else if (arg == "--grid") {
            const char* v = wert();
            if (!v || !gitterNamens(v, a.form.gitter))
                return falscherAufruf("--grid nimmt mtb, minutenfeld, eea100m, eea1km, eea10km, eea100km, utm, "
                                      "mgrs oder gk");
            a.gitterGesetzt = true;
        } else if (arg == "--zone") {
            const char* v = wert();
            const std::string_view z = v ? v : "";
            int n = 0;
            const auto r = std::from_chars(z.data(), z.data() + z.size(), n);
            if (z.empty() || r.ec != std::errc() || r.ptr != z.data() + z.size() || n < 1 || n > 60)
                return falscherAufruf("--zone nimmt eine UTM-Zone von 1 bis 60 (Gauß-Krüger: 2 bis 5)");
            a.form.zone = n;
        } else if (arg == "--precision") {
            const char* v = wert();
            if (!v || !(a.genauigkeit = meterAus(v)))
                return falscherAufruf("--precision nimmt eine Länge wie 250m, 10 m oder 1km");
        } else if (arg == "--uncertainty") {
            const char* v = wert();
            if (!v || !(a.form.unsicherheit = meterAus(v)))
                return falscherAufruf("--uncertainty nimmt einen Radius in Metern wie 10, 30m oder 1km");
        } else if (arg == "--bbox") {
            const char* v = wert();
            if (!v || !leseBox(v, a.box))
                return falscherAufruf("--bbox nimmt SÜD,WEST,NORD,OST in Dezimalgrad (Süden unter Norden, "
                                      "Westen unter Osten)");
            a.mitBox = true;
        } else if (arg == "--verbose") {
            a.ausfuehrlich = true;
        } else if (arg == "--levels") {
            const char* v = wert();
            if (!v || std::strlen(v) != 1 || v[0] < '0' || v[0] > '5')
                return falscherAufruf("--levels nimmt eine Zahl von 0 bis 5");
            a.form.ebenen = v[0] - '0';
            a.levelsGesetzt = true;
        } else if (arg == "--notation") {
            const char* v = wert();
            const std::string_view n = v ? v : "";
            if (n == "slash")
                a.form.notation = Notation::Schraeg;
            else if (n == "compact")
                a.form.notation = Notation::Kompakt;
            else if (n == "dot")
                a.form.notation = Notation::Punkt;
            else
                return falscherAufruf("--notation nimmt slash, compact oder dot");
        } else if (arg == "--columns") {
            const char* v = wert();
            const std::string_view w = v ? v : "";
            const auto komma = w.find(',');
            if (komma == std::string_view::npos || komma == 0 || komma + 1 == w.size())
                return falscherAufruf("--columns nimmt BREITE,LAENGE: zwei Spaltentitel oder -nummern");
            a.spalten = {std::string(w.substr(0, komma)), std::string(w.substr(komma + 1))};
        } else if (arg == "--datum") {
            const char* v = wert();
            const std::string_view d = v ? v : "";
            if (d == "auto")
                a.form.datum = Datum::Auto;
            else if (d == "potsdam")
                a.form.datum = Datum::Potsdam;
            else if (d == "etrs89")
                a.form.datum = Datum::Etrs89;
            else if (d == "wgs84")
                a.form.datum = Datum::Wgs84;
            else
                return falscherAufruf("--datum nimmt auto, potsdam, etrs89 oder wgs84");
            a.datumGesetzt = true;
        } else if (arg == "--cell" || arg == "--svg") {
            a.modus = arg == "--cell" ? Modus::Zelle : Modus::Svg;
            // --svg takes a code, or a point from the remaining arguments.
            if (angehaengt && a.modus == Modus::Zelle)
                a.code = wert();
            else if (i + 1 < argc && (a.modus == Modus::Zelle || std::strpbrk(argv[i + 1], "/.") ||
                                      (std::strlen(argv[i + 1]) == 4 && i + 2 == argc)))
                a.code = argv[++i];
            else if (a.modus == Modus::Zelle)
                return falscherAufruf("--cell braucht einen Code");
        } else if (istOption(arg)) {
            return falscherAufruf("unbekannte Option " + std::string(arg));
        } else {
            a.rest.push_back(argv[i]);
        }
        if (angehaengt && !wertGenommen)
            return falscherAufruf("die Option " + std::string(arg) + " nimmt keinen Wert");
    }
    return std::nullopt;
}

// Options that do not go together; an exit status when they do not.
std::optional<int> pruefeZusammenspiel(Aufruf& a)
{
    if (a.zellen && a.modus != Modus::GeoJson)
        return falscherAufruf("--cells gehört zu --geojson");
    if (a.excel && a.modus != Modus::Dwc)
        return falscherAufruf("--excel gehört zu --dwc");
    if ((a.mitBox || a.untransformiert) && a.modus != Modus::Raster)
        return falscherAufruf("--bbox und --untransformed gehören zu --raster");
    const Gitter g = a.form.gitter;
    if (a.form.zone && g != Gitter::Utm && g != Gitter::Mgrs && g != Gitter::Gk)
        return falscherAufruf("--zone gehört zu --grid utm, mgrs oder gk");
    if (a.form.zone && g == Gitter::Gk && (a.form.zone < 2 || a.form.zone > 5))
        return falscherAufruf("--zone nimmt bei --grid gk eine Gauß-Krüger-Zone von 2 bis 5");
    if (a.form.langform && !eeaGroesse(g))
        return falscherAufruf("--long-form gehört zu den EEA-Gittern");
    if (a.genauigkeit > 0 && (a.modus == Modus::Raster || a.modus == Modus::Svg || a.modus == Modus::GeoJson ||
                              a.modus == Modus::Zelle))
        return falscherAufruf("--precision gehört zu Punkten, --batch und --dwc (bei --raster wählt --levels "
                              "die Ebene)");
    if (a.form.unsicherheit > 0) {
        if (a.modus != Modus::Punkt && a.modus != Modus::Stapel && a.modus != Modus::Dwc)
            return falscherAufruf("--uncertainty gehört zu Punkten, --batch und --dwc");
        if (g != Gitter::Mtb)
            return falscherAufruf("--uncertainty gehört zu --grid mtb");
        if (a.genauigkeit > 0)
            return falscherAufruf("--uncertainty und --precision schließen einander aus");
    }
    if (a.genauigkeit > 0) {
        if (g == Gitter::Mgrs) {
            const double stufen[] = {1, 10, 100, 1000};
            if (std::find(std::begin(stufen), std::end(stufen), a.genauigkeit) == std::end(stufen))
                return falscherAufruf("MGRS gibt es auf 1 m, 10 m, 100 m oder 1 km genau");
            a.form.genauigkeit = static_cast<int>(a.genauigkeit);
        } else if (g != Gitter::Mtb) {
            return falscherAufruf("--precision gehört zu --grid mtb oder mgrs");
        } else if (a.levelsGesetzt) {
            return falscherAufruf("--precision und --levels schließen einander aus");
        } else {
            a.form.ebenenNachGenauigkeit = a.genauigkeit;
        }
    }
    if (a.modus == Modus::Raster && g != Gitter::Mtb && g != Gitter::Minutenfeld && !eeaGroesse(g))
        return falscherAufruf("--raster gibt es für mtb, minutenfeld und die EEA-Gitter");
    if ((a.modus == Modus::Dwc || a.modus == Modus::GeoJson || a.modus == Modus::Svg) && a.gitterGesetzt &&
        g != Gitter::Mtb)
        return falscherAufruf("--grid gehört nicht zu --dwc, --geojson oder --svg");

    return std::nullopt;
}

// The single point, read once, and the datum of the input.
void waehleDatum(Aufruf& a)
{
    // A single point's datum follows from the way it is written; a box of
    // decimal degrees is WGS84 by the same rule; a list decides line by line.
    const bool einPunkt = a.modus == Modus::Punkt || (a.modus == Modus::Svg && !a.code);
    Lesart l;
    if (einPunkt && !a.rest.empty())
        a.punktFehler = lesePunkt(verbunden(a.rest), a.punkt, &l);
    // Not degrees: perhaps Gauss-Kruger, UTM or MGRS, whose datum is their own.
    if (a.modus == Modus::Punkt && a.punktFehler != Fehler::Keine && !a.rest.empty()) {
        Umriss u;
        if (lesePosition(verbunden(a.rest), u, &a.ebenGrund)) {
            const Grad2 g = positionsPunkt(u);
            a.punkt = {winkelAusGrad(g.breite), winkelAusGrad(g.laenge)};
            a.punktFehler = Fehler::Keine;
            a.eben = u;
            const Datum eigenes = u.gitter == Gitter::Gk ? Datum::Potsdam : Datum::Etrs89;
            a.ebenDatumFalsch =
                a.form.datum != Datum::Auto && (a.form.datum == Datum::Potsdam) != (eigenes == Datum::Potsdam);
            a.form.datum = eigenes;
        }
    }
    if (a.form.datum == Datum::Auto) {
        if (einPunkt && a.punktFehler == Fehler::Keine) {
            a.form.datum = datumFuer(Datum::Auto, l);
            a.vermutet = true;
        } else if (a.modus == Modus::Raster && a.mitBox) {
            a.form.datum = Datum::Wgs84;
        }
    }

}

// The transformation, where the run crosses between the datums; an exit
// status when it cannot be had.
std::optional<int> ladeUmrechnung(Aufruf& a, std::unique_ptr<Transformation>& transformation)
{
    // Whatever crosses between the datums needs the transformation: input
    // on another datum than the grid's, and output in WGS84.
    const Gitter g = a.form.gitter;
    const bool braucht = a.modus == Modus::GeoJson || a.modus == Modus::Dwc ||
                         (a.modus == Modus::Raster && ((a.mitBox && brauchtUmrechnung(a.form)) ||
                                                       (!a.untransformiert && !aufEtrs89(g)))) ||
                         (a.modus == Modus::Punkt && a.form.datum != Datum::Auto && brauchtUmrechnung(a.form)) ||
                         (a.modus == Modus::Stapel && a.form.datum != Datum::Auto && brauchtUmrechnung(a.form)) ||
                         (a.modus == Modus::Svg && a.form.datum != Datum::Potsdam && a.form.datum != Datum::Auto);
    if (braucht && !(a.modus == Modus::Stapel && a.form.datum == Datum::Auto)) {
        std::string fehler;
        transformation = Transformation::erstelle(fehler, gitterOrdner());
        if (!transformation)
            return abgelehnt(fehler.c_str());
    } else if (a.modus == Modus::Stapel) {
        // Loaded by the first line that needs it: lists of whole values never
        // do, and UTM or MGRS lines are on ETRS89 whatever --datum names for
        // the lines of degrees.
        transformation = Transformation::beiBedarf(gitterOrdner());
    }
    a.form.transformation = transformation.get();
    return std::nullopt;
}


}  // namespace

int mtbq::lauf(int argc, char* argv[])
{
    Aufruf a;
    if (const auto status = leseOptionen(argc, argv, a))
        return *status;
    if (const auto status = pruefeZusammenspiel(a))
        return *status;
    waehleDatum(a);
    std::unique_ptr<Transformation> transformation;
    if (const auto status = ladeUmrechnung(a, transformation))
        return *status;

    switch (a.modus) {
    case Modus::Zelle: {
        if (a.datumGesetzt)
            return falscherAufruf("--cell steht allein");
        // "32UMA 12345 67890" may come as one argument or as three.
        std::string code = a.code ? a.code : "";
        for (const char* r : a.rest)
            (code += ' ') += r;
        return zelle(a, code);
    }
    case Modus::Raster:
        return rasterLauf(a);
    case Modus::Dwc:
        return dwcLauf(a, transformation.get());
    case Modus::Stapel:
        return stapelLauf(a);
    case Modus::GeoJson:
        return geojsonLauf(a, transformation.get());
    case Modus::Svg:
        if (a.code && !a.rest.empty())
            return falscherAufruf("--svg nimmt einen Code oder einen Punkt");
        return svg(a);
    case Modus::Punkt:
        break;
    }
    return punkt(a);
}

