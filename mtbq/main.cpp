// mtbq: map sheet (MTB) and quadrants on the command line, for single
// points, whole lists and the way back from a code to its cell.
#include "code.h"
#include "konsole.h"
#include "datum.h"
#include "geojson.h"
#include "punkt.h"
#include "stapel.h"
#include "svg.h"
#include "texte.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#ifndef QUADRIX_VERSION
#define QUADRIX_VERSION "0"
#endif

namespace {

using namespace mtbq;

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

enum class Modus { Punkt, Stapel, Zelle, GeoJson, Svg };

struct Aufruf {
    Modus modus = Modus::Punkt;
    Ausgabeform form;
    bool ausfuehrlich = false;
    bool zellen = false;
    const char* code = nullptr;  // --cell, or --svg with a code
    std::vector<const char*> rest;
};

int zelle(const char* text)
{
    GelesenerCode g;
    if (const CodeFehler f = leseCode(text, g); f != CodeFehler::Keine) {
        if (f == CodeFehler::Ziffer)
            std::fprintf(stderr, "mtbq: %s: %s (%c)\n", text, mtbq::text(f), g.falscheZiffer);
        else
            std::fprintf(stderr, "mtbq: %s: %s\n", text, mtbq::text(f));
        return 1;
    }
    const mtb::Zelle z = mtb::zelle(g.code.zeile, g.code.spalte, g.code.quadranten, g.ebenen);
    std::string code;
    schreibeCode(code, g.code, g.ebenen, Notation::Schraeg);
    std::printf("Zelle   %s (Ebene %d, Potsdam-Datum)\n", code.c_str(), g.ebenen);
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
    Punkt p;
    if (const Fehler f = lesePunkt(verbunden(a.rest), p); f != Fehler::Keine)
        return abgelehnt(text(f));
    const Punkt eingabe = p;
    if (const Fehler f = aufPotsdam(p, a.form.transformation); f != Fehler::Keine)
        return abgelehnt(text(f));
    mtb::Code code;
    if (const Fehler f = codeImNetz(p, code); f != Fehler::Keine)
        return abgelehnt(text(f));
    std::string out;
    schreibeCode(out, code, a.form.ebenen, a.form.notation);
    if (a.ausfuehrlich) {
        std::printf("Datum      %s\n", datumName(a.form.datum));
        if (a.form.transformation)
            std::printf("Umrechnung %s\n", a.form.transformation->beschreibung().c_str());
        std::printf("Eingabe    %.8f %.8f\n", grad(eingabe.breite), grad(eingabe.laenge));
        std::printf("Potsdam    %.8f %.8f\n", grad(p.breite), grad(p.laenge));
        std::printf("MTB        %s\n", out.c_str());
    } else {
        std::puts(out.c_str());
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
        Punkt p;
        if (const Fehler f = lesePunkt(verbunden(a.rest), p); f != Fehler::Keine)
            return abgelehnt(text(f));
        if (const Fehler f = aufPotsdam(p, a.form.transformation); f != Fehler::Keine)
            return abgelehnt(text(f));
        if (const Fehler f = codeImNetz(p, code); f != Fehler::Keine)
            return abgelehnt(text(f));
        b = grad(p.breite);
        l = grad(p.laenge);
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
        const bool stdin_ = std::strcmp(datei, "-") == 0;
        std::FILE* f = stdin_ ? stdin : konsole::oeffne(datei, "rb");
        if (!f) {
            std::fprintf(stderr, "mtbq: %s: Datei kann nicht gelesen werden: %s\n", datei, std::strerror(errno));
            ++zahl;
            continue;
        }
        const long n = stapel(f, stdin_ ? "(Standardeingabe)" : datei, stdout, stderr, a.form);
        if (!stdin_)
            std::fclose(f);
        if (n < 0)
            return abgelehnt((std::string(datei) + ": Lese- oder Schreibfehler").c_str());
        zahl += n;
    }
    return zahl > 0 ? 1 : 0;
}

// A negative number is a coordinate (refused later as south or west), not an option.
bool istOption(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.' && arg[1] != ',';
}

int lauf(int argc, char* argv[])
{
    Aufruf a;
    bool datumGesetzt = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        // GNU style: "--levels=3" is "--levels 3".
        const char* angehaengt = nullptr;
        if (arg.size() > 2 && arg.substr(0, 2) == "--")
            if (const auto gleich = arg.find('='); gleich != std::string_view::npos) {
                angehaengt = argv[i] + gleich + 1;
                arg = arg.substr(0, gleich);
            }
        for (const std::string_view schalter : {"--help", "--version", "--batch", "--geojson", "--cells", "--verbose"})
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
        if (arg == "--help" || arg == "-h") {
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
        } else if (arg == "--verbose") {
            a.ausfuehrlich = true;
        } else if (arg == "--levels") {
            const char* v = wert();
            if (!v || std::strlen(v) != 1 || v[0] < '0' || v[0] > '5')
                return falscherAufruf("--levels nimmt eine Zahl von 0 bis 5");
            a.form.ebenen = v[0] - '0';
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
        } else if (arg == "--spalten") {
            const char* v = wert();
            const std::string_view w = v ? v : "";
            const auto komma = w.find(',');
            if (komma == std::string_view::npos || komma == 0 || komma + 1 == w.size())
                return falscherAufruf("--spalten nimmt BREITE,LAENGE: zwei Spaltentitel oder -nummern");
            a.form.spalten = {std::string(w.substr(0, komma)), std::string(w.substr(komma + 1))};
        } else if (arg == "--datum") {
            const char* v = wert();
            const std::string_view d = v ? v : "";
            if (d == "potsdam")
                a.form.datum = Datum::Potsdam;
            else if (d == "etrs89")
                a.form.datum = Datum::Etrs89;
            else if (d == "wgs84")
                a.form.datum = Datum::Wgs84;
            else
                return falscherAufruf("--datum nimmt potsdam, etrs89 oder wgs84");
            datumGesetzt = true;
        } else if (arg == "--cell" || arg == "--svg") {
            a.modus = arg == "--cell" ? Modus::Zelle : Modus::Svg;
            // --svg takes a code, or a point from the remaining arguments.
            if (i + 1 < argc && (a.modus == Modus::Zelle || std::strpbrk(argv[i + 1], "/.") ||
                                 (std::strlen(argv[i + 1]) == 4 && i + 2 == argc)))
                a.code = argv[++i];
            else if (a.modus == Modus::Zelle)
                return falscherAufruf("--cell braucht einen MTB-Code");
        } else if (istOption(arg)) {
            return falscherAufruf("unbekannte Option " + std::string(arg));
        } else {
            a.rest.push_back(argv[i]);
        }
        if (angehaengt && !wertGenommen)
            return falscherAufruf("die Option " + std::string(arg) + " nimmt keinen Wert");
    }
    if (a.zellen && a.modus != Modus::GeoJson)
        return falscherAufruf("--cells gehört zu --geojson");

    // Output in WGS84 needs the transformation whatever the input's datum.
    std::unique_ptr<Transformation> transformation;
    if (a.form.datum != Datum::Potsdam || a.modus == Modus::GeoJson) {
        std::string fehler;
        transformation = Transformation::erstelle(fehler);
        if (!transformation)
            return abgelehnt(fehler.c_str());
        if (a.form.datum != Datum::Potsdam)
            a.form.transformation = transformation.get();
    }

    switch (a.modus) {
    case Modus::Zelle:
        if (!a.rest.empty() || datumGesetzt)
            return falscherAufruf("--cell steht allein");
        return zelle(a.code);
    case Modus::Stapel:
        return stapelLauf(a);
    case Modus::GeoJson: {
        if (a.rest.empty())
            a.rest.push_back("-");
        GeoJsonForm g{a.form.datum, transformation.get(), a.zellen};
        const long n = geojson(a.rest, stdout, stderr, g);
        return n != 0 ? 1 : 0;
    }
    case Modus::Svg:
        if (a.code && !a.rest.empty())
            return falscherAufruf("--svg nimmt einen Code oder einen Punkt");
        return svg(a);
    case Modus::Punkt:
        break;
    }
    return punkt(a);
}

}  // namespace

int main(int argc, char* argv[])
{
    konsole::einrichten(argc, argv);
    const int status = lauf(argc, argv);
    // Output that did not arrive is a failure, never a success: a full disk,
    // a closed pipe, /dev/full.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int e = errno;
        std::fprintf(stderr, "mtbq: Fehler beim Schreiben der Ausgabe: %s\n", std::strerror(e ? e : EIO));
        return status == 2 ? 2 : 1;
    }
    return status;
}
