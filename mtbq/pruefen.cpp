// --check: the records of find-location files whose code or decimal degrees
// no longer fit their degrees, minutes and seconds, one line each.
#include "mtbq/aufruf.h"

#include "tables/fundpruefung.h"

#include <cstdio>
#include <string>

namespace mtbq {

namespace {

std::string ganz(std::FILE* f, bool& fehler)
{
    std::string inhalt;
    char puffer[1 << 16];
    for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;)
        inhalt.append(puffer, n);
    fehler = std::ferror(f) != 0;
    return inhalt;
}

std::string befund(const quadrix::Befund& b)
{
    using A = quadrix::Befund::Art;
    switch (b.art) {
    case A::Utf16:
        return "die Datei ist in UTF-16 gespeichert (als „Unicode-Text“); Quadrix schreibt Dateien der Fundorte "
               "in Windows-1252";
    case A::KeineDatei:
        return "keine Datei der Fundorte: die erste Zeile ist weder die Kopfzeile noch ein Datensatz aus 14 Feldern";
    case A::Unlesbar: return quadrix::text(b.unlesbar);
    case A::Form: return std::string("nicht in der Form, in der Quadrix schreibt: ") + fundort::text(b.form);
    case A::Pruefung: break;
    }
    switch (b.pruefung.abweichung) {
    case quadrix::Abweichung::Code: return "der Code passt nicht zur Position (sie ergibt " + b.pruefung.richtig + ")";
    case quadrix::Abweichung::Dezimalgrad: return "die Dezimalgrad passen nicht zu Grad, Minuten und Sekunden";
    case quadrix::Abweichung::Ungueltig: return "die Position ergibt keinen Code";
    case quadrix::Abweichung::Keine: break;
    }
    return {};
}

}  // namespace

int pruefLauf(const Aufruf& a)
{
    bool gefunden = false;
    for (const char* datei : a.rest) {
        Eingabe e;
        if (!oeffne(datei, "keine Datei der Fundorte", e))
            return 1;
        bool lesefehler = false;
        const std::string inhalt = ganz(e.f, lesefehler);
        if (lesefehler) {
            std::fprintf(stderr, "mtbq: %s: Lesefehler\n", e.name.c_str());
            return 1;
        }
        for (const quadrix::Befund& b : quadrix::pruefeDatei(inhalt)) {
            gefunden = true;
            if (b.zeile == 0)
                std::printf("%s: %s\n", e.name.c_str(), befund(b).c_str());
            else if (b.gebiet.empty())
                std::printf("%s:%ld: %s\n", e.name.c_str(), b.zeile, befund(b).c_str());
            else
                std::printf("%s:%ld: %s: %s\n", e.name.c_str(), b.zeile, b.gebiet.c_str(), befund(b).c_str());
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return abgelehnt("Schreibfehler");
    return gefunden ? 1 : 0;
}

}  // namespace mtbq
