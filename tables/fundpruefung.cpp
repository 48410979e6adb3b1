#include "tables/fundpruefung.h"

namespace quadrix {

bool berechneNeu(fundort::Datensatz& d, mtb::Fehler& fehler)
{
    const mtb::Berechnung b = mtb::berechne(d.gradN, d.minN, d.sekN, d.gradO, d.minO, d.sekO);
    if (!b.ergebnis) {
        fehler = b.fehler;
        return false;
    }
    d.mtb = b.ergebnis->text();
    d.breite = b.ergebnis->breite;
    d.laenge = b.ergebnis->laenge;
    return true;
}

Pruefung pruefe(const fundort::Datensatz& d, char dezimalzeichen)
{
    Pruefung p;
    fundort::Datensatz neu = d;
    if (!berechneNeu(neu, p.fehler)) {
        p.abweichung = Abweichung::Ungueltig;
        return p;
    }
    p.richtig = neu.mtb;
    if (neu.mtb != d.mtb)
        p.abweichung = Abweichung::Code;
    else if (fundort::formatGrad(neu.breite, dezimalzeichen) != fundort::formatGrad(d.breite, dezimalzeichen) ||
             fundort::formatGrad(neu.laenge, dezimalzeichen) != fundort::formatGrad(d.laenge, dezimalzeichen))
        p.abweichung = Abweichung::Dezimalgrad;
    return p;
}

std::vector<Befund> pruefeDatei(std::string_view inhalt)
{
    std::vector<Befund> befunde;
    long nummer = 0;
    fundort::Datensatz d;
    for (const fundort::Dateizeile& z : fundort::dateizeilen(inhalt)) {
        ++nummer;
        char sep = 0;
        if (z.art != fundort::Dateizeile::Art::Satz || !fundort::leseSatz(z.text, d, sep))
            continue;
        if (Pruefung p = pruefe(d, sep); p.abweichung != Abweichung::Keine)
            befunde.push_back({nummer, std::move(p), d.gebiet});
    }
    return befunde;
}

}  // namespace quadrix
