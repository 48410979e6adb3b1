// mtbq: map sheet (MTB) and quadrants on the command line, for single
// points, whole lists and the way back from a code to its cell.
#include "code.h"
#include "punkt.h"
#include "stapel.h"
#include "texte.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifndef QUADRIX_VERSION
#define QUADRIX_VERSION "0"
#endif

namespace {

using namespace mtbq;

int falscherAufruf(const char* was)
{
    std::fprintf(stderr, "mtbq: %s\n(mtbq --help zeigt die Hilfe)\n", was);
    return 2;
}

// Degrees, minutes and seconds of an angle given in minutes of arc.
std::string gms(double minuten)
{
    const long sechzehntel = static_cast<long>(minuten * 16 * 60 * 10000 / 16 + 0.5);  // 1/10000 s
    const long grad = sechzehntel / (3600L * 10000), rest = sechzehntel % (3600L * 10000);
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%ld°%02ld'%02ld", grad, rest / 600000, rest % 600000 / 10000);
    std::string s(puffer);
    if (const long bruch = rest % 10000) {
        std::snprintf(puffer, sizeof puffer, ".%04ld", bruch);
        std::string b(puffer);
        while (b.back() == '0')
            b.pop_back();
        s += b;
    }
    return s + '"';
}

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
    std::printf("Zelle   %s (Ebene %d)\n", code.c_str(), g.ebenen);
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

}  // namespace

int main(int argc, char* argv[])
{
    Ausgabeform form;
    bool batch = false;
    const char* zelleCode = nullptr;
    std::vector<const char*> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto wert = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                falscherAufruf((std::string(name) + " braucht einen Wert").c_str());
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--") {
            for (++i; i < argc; ++i)
                rest.push_back(argv[i]);
            break;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(Hilfe, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("mtbq %s\n", QUADRIX_VERSION);
            return 0;
        }
        if (a == "--batch") {
            batch = true;
        } else if (a == "--levels") {
            const char* v = wert("--levels");
            if (!v)
                return 2;
            if (std::strlen(v) != 1 || v[0] < '0' || v[0] > '5')
                return falscherAufruf("--levels nimmt eine Zahl von 0 bis 5");
            form.ebenen = v[0] - '0';
        } else if (a == "--notation") {
            const char* v = wert("--notation");
            if (!v)
                return 2;
            const std::string_view n = v;
            if (n == "slash")
                form.notation = Notation::Schraeg;
            else if (n == "compact")
                form.notation = Notation::Kompakt;
            else if (n == "dot")
                form.notation = Notation::Punkt;
            else
                return falscherAufruf("--notation nimmt slash, compact oder dot");
        } else if (a == "--cell") {
            zelleCode = wert("--cell");
            if (!zelleCode)
                return 2;
        } else if (a.size() > 2 && a.substr(0, 2) == "--") {
            return falscherAufruf(("unbekannte Option " + std::string(a)).c_str());
        } else {
            rest.push_back(argv[i]);
        }
    }

    if (zelleCode) {
        if (batch || !rest.empty())
            return falscherAufruf("--cell steht allein");
        return zelle(zelleCode);
    }

    if (batch) {
        long abgelehnt = 0;
        if (rest.empty())
            rest.push_back("-");
        for (const char* datei : rest) {
            const bool stdin_ = std::strcmp(datei, "-") == 0;
            std::FILE* f = stdin_ ? stdin : std::fopen(datei, "rb");
            if (!f) {
                std::fprintf(stderr, "mtbq: %s: Datei kann nicht gelesen werden\n", datei);
                ++abgelehnt;
                continue;
            }
            const long n = stapel(f, stdin_ ? "(Standardeingabe)" : datei, stdout, stderr, form);
            if (!stdin_)
                std::fclose(f);
            if (n < 0) {
                std::fprintf(stderr, "mtbq: %s: Lese- oder Schreibfehler\n", datei);
                return 1;
            }
            abgelehnt += n;
        }
        return abgelehnt > 0 ? 1 : 0;
    }

    if (rest.empty())
        return falscherAufruf("keine Koordinaten angegeben");
    std::string text;
    for (const char* r : rest)
        (text += r) += ' ';
    Punkt p;
    if (const Fehler f = lesePunkt(text, p); f != Fehler::Keine) {
        std::fprintf(stderr, "mtbq: %s\n", mtbq::text(f));
        return 1;
    }
    mtb::Code code;
    if (!mtb::codeGenau(p.breite, p.laenge, code)) {
        std::fprintf(stderr, "mtbq: %s\n", mtbq::text(Fehler::ZuGross));
        return 1;
    }
    std::string out;
    schreibeCode(out, code, form.ebenen, form.notation);
    std::puts(out.c_str());
    return 0;
}
