#include "tables/satzleser.h"

#include "cells/texte.h"
#include "position/gms.h"
#include "position/texte.h"
#include "position/verweis.h"
#include "position/meter.h"
#include "records/fundortformat.h"

#include <algorithm>

namespace quadrix {

namespace {

namespace nr = fundort::nr;

bool leer(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

// One number alone, "50", "-8", "8,5": no minutes, seconds or signs of them.
bool eineZahl(std::string_view s)
{
    const auto a = s.find_first_not_of(' '), z = s.find_last_not_of(' ');
    if (a == std::string_view::npos)
        return false;
    s = s.substr(a, z - a + 1);
    if (s[0] == '-' || s[0] == '+')
        s.remove_prefix(1);
    int ziffern = 0, marken = 0;
    for (const char c : s) {
        if (c >= '0' && c <= '9')
            ++ziffern;
        else if ((c == '.' || c == ',') && ++marken == 1)
            continue;
        else
            return false;
    }
    return ziffern > 0;
}

// A find-location record's point: its degrees, minutes and seconds, or its
// decimal degrees where those are empty. On the grid's datum, whatever its form.
Fehler fundortPunkt(const std::string_view (&f)[14], Punkt& p, Lesart& lesart)
{
    std::string text;
    if (!f[nr::GradN].empty() || !f[nr::GradO].empty()) {
        for (int i : {nr::GradN, nr::MinN, nr::SekN, nr::GradO, nr::MinO, nr::SekO})
            (text += f[i]) += ' ';
    } else {
        (text += f[nr::DezimalN]) += ' ';
        text += f[nr::DezimalO];
    }
    const Fehler e = lesePunkt(text, p, &lesart);
    lesart.ausFundortdatei = true;
    return e;
}

}  // namespace

Satzleser::Satzleser(std::FILE* ein, const Spaltenwahl& wahl)
    : m_startFehler(!liesAnfang(ein, m_kodierung, m_vorweg, m_utf16)),
      m_leser(m_kodierung == Kodierung::Bytes ? Zeilenleser(ein, m_vorweg) : Zeilenleser(m_utf16)), m_wahl(wahl)
{
}

Satzleser::Satzleser(std::string_view inhalt, const Spaltenwahl& wahl)
    : m_kodierung(kodierungVon(inhalt)), m_leser(imSpeicher(inhalt)), m_wahl(wahl)
{
}

Zeilenleser Satzleser::imSpeicher(std::string_view inhalt)
{
    if (m_kodierung == Kodierung::Bytes)
        return Zeilenleser(inhalt);
    ausUtf16(inhalt.substr(2), m_kodierung, m_utf16);
    return Zeilenleser(m_utf16);
}

bool Satzleser::besondere(Zeile& z)
{
    // The first line, and over-long lines: a line too long is refused, its
    // pieces passed on for callers that copy lines.
    // An input in memory comes in whole lines, however long: refused alike.
    m_roh.zuLang |= m_roh.text.size() > Zeilenleser::Block;
    const bool neueZeile = !m_teilVorher;
    m_teilVorher = m_roh.teil;
    const bool erste = m_nummer == 0;
    if (neueZeile)
        ++m_nummer;
    z.nummer = m_nummer;
    z.text = m_roh.text;
    z.marke = {};
    if (erste && neueZeile) {
        z.text = ohneMarke(m_roh.text);
        z.marke = m_roh.text.substr(0, m_roh.text.size() - z.text.size());
    }
    z.ende = m_roh.ende;
    z.teil = m_roh.teil;
    if (m_roh.zuLang) {
        if (erste && neueZeile)
            m_tabelle.ersteZeile({}, m_wahl);  // the first line too long: decided as free form
        z.art = Zeile::Art::ZuLang;
        return true;
    }
    const bool kopf = erste && m_tabelle.ersteZeile(z.text, m_wahl);
    z.art = z.text.empty() ? Zeile::Art::Leer : kopf ? Zeile::Art::Kopf : Zeile::Art::Daten;
    return true;
}

std::string Satzleser::alsUtf8(std::string_view bytes) const
{
    if (m_kodierung != Kodierung::Bytes)
        return std::string(bytes);
    return m_tabelle.art() == Tabelle::Art::Fundorte ? fundort::vonCp1252(bytes) : fundort::textAlsUtf8(bytes);
}

Zeilenfehler Satzleser::eintrag(std::string_view zeile, Eintrag& e) const
{
    e = Eintrag{};
    Fehler f = Fehler::Keine;
    Umrissfehler eigenerGrund;
    Umrissfehler* const grund = &eigenerGrund;
    switch (m_tabelle.art()) {
    case Tabelle::Art::Frei:
        e.mitPosition = true;
        f = lesePunkt(zeile, e.punkt, &e.lesart);
        // A link's position reads as the decimal degrees it holds.
        if (std::string ausVerweis; f != Fehler::Keine) {
            const VerweisFehler v = leseVerweis(zeile, ausVerweis);
            if (v == VerweisFehler::OhnePosition)
                return Zeilenfehler::Art::Verweis;
            if (v == VerweisFehler::Keine) {
                f = lesePunkt(ausVerweis, e.punkt, &e.lesart);
                break;
            }
        }
        if (f != Fehler::Keine && lesePosition(zeile, e.kartesisch, grund))
            e.lage = Eintrag::Lage::Kartesisch;
        break;
    case Tabelle::Art::Fundorte: {
        std::string_view(&r)[14] = e.felder;
        if (!fundort::felder(zeile, r))
            return Zeilenfehler::Art::KeinFundortSatz;
        e.ort = alsUtf8(r[nr::Gebiet]);
        e.code = alsUtf8(r[nr::Mtb]);
        const bool gms_ = !r[nr::GradN].empty() || !r[nr::GradO].empty();
        e.mitPosition = gms_ || !r[nr::DezimalN].empty() || !r[nr::DezimalO].empty();
        if (gms_) {
            e.breite = gms(alsUtf8(r[nr::GradN]), alsUtf8(r[nr::MinN]), alsUtf8(r[nr::SekN]), 'N');
            e.laenge = gms(alsUtf8(r[nr::GradO]), alsUtf8(r[nr::MinO]), alsUtf8(r[nr::SekO]), 'E');
        } else {
            e.breite = alsUtf8(r[nr::DezimalN]);
            e.laenge = alsUtf8(r[nr::DezimalO]);
        }
        f = fundortPunkt(r, e.punkt, e.lesart);
        break;
    }
    case Tabelle::Art::Spalten: {
        const std::vector<std::string> s = spalten(zeile, m_tabelle.trenner(), m_tabelle.anfuehrung());
        auto zelle = [&](int i) -> std::string_view {
            return i >= 0 && i < static_cast<int>(s.size()) ? std::string_view(s[i]) : std::string_view();
        };
        e.ort = alsUtf8(zelle(m_tabelle.ortSpalte()));
        e.code = alsUtf8(zelle(m_tabelle.codeSpalte()));
        const std::string_view nord = zelle(m_tabelle.breiteSpalte()), ost = zelle(m_tabelle.laengeSpalte());
        e.breite = alsUtf8(nord);
        e.laenge = alsUtf8(ost);
        e.mitPosition = !nord.empty() || !ost.empty();
        // A row's own uncertainty: "30", "12,5", "30 m", "1,5 km", the one
        // way lengths are read; an empty cell gives none.
        if (const std::string_view u = zelle(m_tabelle.unsicherheitSpalte()); !leer(u)) {
            e.unsicherheitFalsch = leseMeter(u, e.unsicherheit) != MeterFehler::Keine;
            if (e.unsicherheitFalsch)
                e.unsicherheit = 0;
        }
        if (m_tabelle.breiteSpalte() < 0 || static_cast<int>(s.size()) <= std::max(m_tabelle.breiteSpalte(),
                                                                                     m_tabelle.laengeSpalte()))
            return Zeilenfehler::Art::ZuWenigSpalten;
        if (const std::string_view d = zelle(m_tabelle.datumSpalte()); !leer(d) && !geodaetischesDatum(d, e.datum))
            return Zeilenfehler::Art::Datum;
        // The two cells alone, TAB between: a decimal comma stays a decimal comma.
        f = lesePunkt(std::string(nord) + '\t' + std::string(ost), e.punkt, &e.lesart);
        if (f == Fehler::Keine) {
            // "50" under decimalLatitude is 50.0 degrees, written as GPS tables write them.
            if (m_tabelle.dezimalBenannt() && eineZahl(nord) && eineZahl(ost))
                e.lesart.nachkomma = true;
            break;
        }
        // Columns named Rechtswert and Hochwert (RW, HW) say which is which;
        // x and y, or no names, leave it to the values.
        const std::string o(ost), n(nord);
        if (m_tabelle.rechtsHochBenannt()) {
            if (lesePosition("R " + o + " H " + n, e.kartesisch, grund))
                e.lage = Eintrag::Lage::Kartesisch;
        } else if (lesePosition("x " + o + " y " + n, e.kartesisch)) {
            e.lage = Eintrag::Lage::Kartesisch;
        } else {
            // The reason, where the values themselves resemble a plane
            // position (x and y refused both ways round are refused unnamed too).
            Umriss nichts;
            lesePosition(o + ' ' + n, nichts, grund);
        }
        break;
    }
    }
    if (f == Fehler::Keine)
        e.lage = Eintrag::Lage::Grad;
    if (e.lage != Eintrag::Lage::Keine)
        return {};
    return eigenerGrund.keiner() ? Zeilenfehler(f) : Zeilenfehler(eigenerGrund);
}

const char* text(const Zeilenfehler& f)
{
    using A = Zeilenfehler::Art;
    switch (f.art) {
    case A::Keine: return "";
    case A::ZeileZuLang: return "Zeile länger als 1 MiB";
    case A::ZuWenigSpalten: return "der Zeile fehlt die Spalte der Breite oder der Länge";
    case A::KeinFundortSatz: return "kein Datensatz einer Datei der Fundorte (nicht 14 durch TAB getrennte Spalten)";
    case A::Unsicherheit:
        return "die Spalte der Unsicherheit ist keine Länge in Metern oder Kilometern (erwartet etwa 30, 12,5 m "
               "oder 1,5 km; andere Einheiten wie mm, cm oder ft nicht)";
    case A::Datum:
        return "die Spalte geodeticDatum nennt kein bekanntes Bezugssystem (erwartet EPSG:4326, WGS84, EPSG:4258, "
               "ETRS89, EPSG:4314 oder DHDN)";
    case A::Verweis: return text(VerweisFehler::OhnePosition);
    case A::Position: return text(f.position);
    case A::Umriss: return text(f.umriss);
    case A::Zelle: return text(f.zelle);
    }
    return "";
}

}  // namespace quadrix
