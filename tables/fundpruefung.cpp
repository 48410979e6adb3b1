#include "tables/fundpruefung.h"

#include "position/gms.h"

namespace quadrix {

bool berechneNeu(fundort::Datensatz& d, mtb::Fehler& fehler)
{
    const mtb::Berechnung b = mtb::berechne(d.gradN, d.minN, d.sekN, d.gradO, d.minO, d.sekO);
    d.breite = b.breite.value_or(d.breite);
    d.laenge = b.laenge.value_or(d.laenge);
    if (!b.ergebnis) {
        fehler = b.fehler;
        return false;
    }
    d.mtb = b.ergebnis->text();
    d.breite = b.ergebnis->breite;
    d.laenge = b.ergebnis->laenge;
    return true;
}

bool berechneNeu(fundort::Datensatz& d, std::int64_t nord, std::int64_t ost, mtb::Fehler& fehler)
{
    const GmsTexte n = felder(nord), o = felder(ost);
    d.gradN = n.grad;
    d.minN = n.min;
    d.sekN = n.sek;
    d.gradO = o.grad;
    d.minO = o.min;
    d.sekO = o.sek;
    return berechneNeu(d, fehler);
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

namespace {

// One data line of a find-location file: nothing where it is a record as the
// program writes it and fits its position.
void pruefeZeile(const Satzleser& leser, const Satzleser::Zeile& z, std::vector<Befund>& befunde)
{
    Eintrag e;
    Befund b;
    b.zeile = z.nummer;
    if (const Zeilenfehler f = leser.eintrag(z.text, e); f.art == Zeilenfehler::Art::KeinFundortSatz) {
        b.art = Befund::Art::Unlesbar;
        b.unlesbar = f;
        befunde.push_back(std::move(b));
        return;
    }
    // Fields as they stand in the file; the place and code as the reader decoded them (also from UTF-16).
    fundort::Datensatz d = fundort::datensatz(e.felder);
    d.gebiet = b.gebiet = e.ort;
    d.mtb = e.code;
    char sep = 0;
    b.form = fundort::mangel(z.text, e.felder, sep);
    if (b.form != fundort::Mangel::Keiner) {
        b.art = Befund::Art::Form;
        befunde.push_back(b);
        if (b.form == fundort::Mangel::Koordinate)
            return;  // no position to compute a code from
        if (sep == 0)
            sep = e.felder[fundort::nr::DezimalN].find('.') != std::string_view::npos ? '.' : ',';
    }
    if (Pruefung p = pruefe(d, sep); p.abweichung != Abweichung::Keine) {
        b.art = Befund::Art::Pruefung;
        b.form = fundort::Mangel::Keiner;
        b.pruefung = std::move(p);
        befunde.push_back(std::move(b));
    }
}

}  // namespace

std::vector<Befund> pruefeDatei(std::string_view inhalt)
{
    std::vector<Befund> befunde;
    Satzleser leser(inhalt);
    if (leser.kodierung() != Kodierung::Bytes)
        befunde.push_back({Befund::Art::Utf16, 0, {}, {}, {}, {}});
    Satzleser::Zeile z;
    while (leser.naechste(z)) {
        if (leser.tabelle().art() != Tabelle::Art::Fundorte) {
            befunde.push_back({Befund::Art::KeineDatei, 0, {}, {}, {}, {}});
            break;
        }
        if (z.art == Satzleser::Zeile::Art::ZuLang && !z.teil)
            befunde.push_back({Befund::Art::Unlesbar, z.nummer, {}, {}, Zeilenfehler::Art::ZeileZuLang, {}});
        else if (z.art == Satzleser::Zeile::Art::Daten)
            pruefeZeile(leser, z, befunde);
    }
    return befunde;
}

}  // namespace quadrix
