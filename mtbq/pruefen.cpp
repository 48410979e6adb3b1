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

}  // namespace

int pruefLauf(const Aufruf& a)
{
    using quadrix::Abweichung;
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
            const quadrix::Pruefung& p = b.pruefung;
            std::string was;
            switch (p.abweichung) {
            case Abweichung::Code: was = "der Code passt nicht zur Position (sie ergibt " + p.richtig + ")"; break;
            case Abweichung::Dezimalgrad: was = "die Dezimalgrad passen nicht zu Grad, Minuten und Sekunden"; break;
            case Abweichung::Ungueltig: was = "die Position ergibt keinen Code"; break;
            case Abweichung::Keine: break;
            }
            std::printf("%s:%ld: %s: %s\n", e.name.c_str(), b.zeile, b.gebiet.c_str(), was.c_str());
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return abgelehnt("Schreibfehler");
    return gefunden ? 1 : 0;
}

}  // namespace mtbq
