#include "mtbq/punktdateien.h"

#include "cells/texte.h"
#include "datum/datum.h"
#include "formats/ausfuhr.h"
#include "formats/geojson.h"
#include "formats/geojson_schreiber.h"
#include "imports/ordner.h"
#include "mtbq/fliessband.h"
#include "platform/ortszeit.h"
#include "position/code.h"
#include "position/texte.h"
#include "records/fundortformat.h"
#include "tables/ausgabepuffer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

namespace mtbq {

using namespace quadrix;
namespace fs = std::filesystem;

namespace {

fs::path pfadAus(const char* utf8)
{
    const std::string_view n(utf8);
    return fs::path(std::u8string(n.begin(), n.end()));
}

std::string utf8Name(const fs::path& p)
{
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

std::string dateiMeldung(const std::string& name, const Leseergebnis& e)
{
    std::string grund = text(e.grund);
    if (e.grund == Lesegrund::Xml || e.grund == Lesegrund::Json)
        grund += " (Zeile " + std::to_string(e.zeile) + (e.ausdruck.empty() ? "" : ": " + e.ausdruck) + ")";
    if (e.art != Dateiart::Unbekannt && e.grund != Lesegrund::Unbekannt)
        return "mtbq: " + name + ": " + text(e.art) + ": " + grund;
    return "mtbq: " + name + ": " + grund;
}

void aufStderr(const std::string& zeile) { std::fprintf(stderr, "%s\n", zeile.c_str()); }

// Names and times go into TAB-separated columns: a TAB or line end in them
// would start a column or a line of its own. (Positions are digits.)
void spalte(std::string& out, const std::string& wert)
{
    const std::size_t von = out.size();
    out += wert;
    if (std::any_of(wert.begin(), wert.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        for (std::size_t i = von; i < out.size(); ++i)
            if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n')
                out[i] = ' ';
    out += '\t';
}

}  // namespace

bool punktquelle(const char* arg)
{
    if (std::strcmp(arg, "-") == 0)
        return false;
    const fs::path p = pfadAus(arg);
    std::error_code f;
    if (fs::is_directory(p, f) || punktdateiName(p))
        return true;
    std::FILE* d = oeffneLesend(p);
    if (!d)
        return false;
    unsigned char anfang[16];
    const std::size_t n = std::fread(anfang, 1, sizeof anfang, d);
    std::fclose(d);
    return erkenneArt(anfang, n) != Dateiart::Unbekannt;
}

bool Punktquellen::ladeSpuren(const Aufruf& a)
{
    zeit_ = a.zeitwahl;
    zeit_.ortszeit = [](std::int64_t lokal) { return ortszeit::versatz(lokal); };
    mitSpur_ = !a.spuren.empty();
    for (const char* s : a.spuren) {
        std::FILE* f = oeffneLesend(pfadAus(s));
        if (!f) {
            std::fprintf(stderr, "mtbq: --track %s: Datei kann nicht gelesen werden\n", s);
            return false;
        }
        const std::size_t vorher = spur_.groesse();
        const Leseergebnis e = lesePunkte(f, s, [&](const Fundpunkt& p) { spur_.nimm(p); });
        std::fclose(f);
        if (e.grund != Lesegrund::Keiner) {
            aufStderr(dateiMeldung(std::string("--track ") + s, e));
            return false;
        }
        if (spur_.groesse() == vorher) {
            std::fprintf(stderr, "mtbq: --track %s: keine Spurpunkte mit Position und Zeit\n", s);
            return false;
        }
    }
    spur_.ordne();
    return true;
}

long Punktquellen::datei(const fs::path& pfad, const std::string& name, const Punktnehmer& nimm, const Zeilenmelder& melde)
{
    std::FILE* f = oeffneLesend(pfad);
    if (!f) {
        melde("mtbq: " + name + ": Datei kann nicht gelesen werden");
        return 1;
    }
    long nummer = 0;
    const std::string dateiname = utf8Name(pfad.filename());
    const Leseergebnis e = lesePunkte(f, dateiname, [&](const Fundpunkt& p) {
        if (p.art == Punktart::Foto && p.grund == Punktgrund::OhnePosition && mitSpur_) {
            Fundpunkt gelegt = p;
            gelegt.grund = spur_.lege(gelegt, zeit_);
            nimm(gelegt, name, ++nummer);
        } else {
            nimm(p, name, ++nummer);
        }
    });
    std::fclose(f);
    if (e.grund == Lesegrund::Keiner)
        return 0;
    melde(dateiMeldung(name, e));
    return 1;
}

long Punktquellen::lies(const char* arg, const Punktnehmer& nimm, const Zeilenmelder& melde)
{
    const Zeilenmelder& m = melde ? melde : Zeilenmelder(aufStderr);
    long punkte = 0;
    const Punktnehmer zaehlend = [&](const Fundpunkt& p, const std::string& datei, long nummer) {
        ++punkte;
        nimm(p, datei, nummer);
    };
    const fs::path p = pfadAus(arg);
    std::error_code f;
    long abgelehnt = 0;
    if (!fs::is_directory(p, f)) {
        abgelehnt = datei(p, arg, zaehlend, m);
    } else {
        durchlaufe(p, [&](const fs::path& d, Lesegrund g) {
            if (g == Lesegrund::Keiner) {
                abgelehnt += datei(d, utf8Name(d), zaehlend, m);
            } else {
                m("mtbq: " + utf8Name(d) + ": " + text(g));
                ++abgelehnt;
            }
        });
    }
    // Nothing read and nothing refused: say so, rather than output nothing.
    if (punkte == 0 && abgelehnt == 0) {
        m(std::string("mtbq: ") + arg + ": keine Punkte darin (ein Ordner ohne GPX, KML, KMZ, GeoJSON oder Fotos?)");
        return 1;
    }
    return abgelehnt;
}

Zellfehler fundpunktCode(const Fundpunkt& p, const Ausgabeform& form, std::string& out)
{
    // Both coordinates as one position text, without a string of their own.
    char text[128];
    if (p.breite.size() + p.laenge.size() + 1 > sizeof text)
        return Fehler::ZuGross;
    std::memcpy(text, p.breite.data(), p.breite.size());
    text[p.breite.size()] = ' ';
    std::memcpy(text + p.breite.size() + 1, p.laenge.data(), p.laenge.size());
    Punkt punkt;
    if (const Fehler f = lesePunkt(std::string_view(text, p.breite.size() + 1 + p.laenge.size()), punkt);
        f != Fehler::Keine)
        return f;
    Ausgabeform eigene = form;
    eigene.datum = Datum::Wgs84;
    if (p.unsicherheit && form.gitter == Gitter::Mtb)
        eigene.unsicherheit = std::max(eigene.unsicherheit, *p.unsicherheit);
    return gitterCode(punkt, eigene, out);
}

std::string punktGrund(const Fundpunkt& p)
{
    // With a track, such a photo has been placed or has another reason.
    if (p.art == Punktart::Foto && p.grund == Punktgrund::OhnePosition)
        return "ein Foto ohne Position (ohne GPS-Angaben); --track legt es nach seiner Aufnahmezeit auf eine Spur";
    return text(p.grund);
}

void meldePunkt(const std::string& datei, long nummer, const Fundpunkt& p, const std::string& grund)
{
    std::fprintf(stderr, "%s: Punkt %ld%s%s%s: %s\n", datei.c_str(), nummer, p.name.empty() ? "" : " (",
                 p.name.c_str(), p.name.empty() ? "" : ")", grund.c_str());
}

long punkteStapel(const char* arg, Punktquellen& quellen, const Ausgabeform& form, bool& kopf)
{
    Ausgabeform f = form;
    // Positions of these files are WGS84: to the grid through BETA2007,
    // loaded by the first point that needs it.
    std::unique_ptr<Transformation> eigene;
    if (!f.transformation) {
        eigene = Transformation::beiBedarf(gitterOrdner());
        f.transformation = eigene.get();
    }
    Ausgabepuffer aus(stdout);
    long abgelehnt = 0;
    bool schreibfehler = false;
    std::string code, grund;
    const auto schreibe = [&](const Fundpunkt& p, const std::string& datei, long nummer) {
        std::string& t = aus.text();
        if (kopf) {
            Ausgabeform titel = f;
            titel.datum = Datum::Wgs84;
            t += "Name\tZeit\tBreite\tLänge\t" + spaltentitel(titel) + "\n";
            kopf = false;
        }
        spalte(t, p.name);
        spalte(t, p.zeit);
        ((t += p.breite) += '\t') += p.laenge;
        t += '\t';
        code.clear();
        grund.clear();
        if (p.grund != Punktgrund::Keiner)
            grund = punktGrund(p);
        else if (const Zellfehler z = fundpunktCode(p, f, code); !z.keiner())
            grund = text(z);
        if (grund.empty()) {
            t += code;
        } else {
            meldePunkt(datei, nummer, p, grund);
            ++abgelehnt;
        }
        t += '\n';
        if (!aus.vielleichtLeeren())
            schreibfehler = true;
    };
    // The files read in a thread of their own, the points coded and written
    // here as they come, in their order.
    Fliessband band;
    long dateienAbgelehnt = 0;
    std::thread leser;
    try {
        leser = std::thread([&] {
            dateienAbgelehnt = quellen.lies(
                arg, [&](const Fundpunkt& p, const std::string& datei, long nummer) { band.punkt(p, datei, nummer); },
                [&](const std::string& zeile) { band.meldung(zeile); });
            band.ende();
        });
    } catch (const std::system_error&) {
        // No thread to be had: all in this one.
        dateienAbgelehnt = quellen.lies(arg, schreibe);
        band.ende();
    }
    while (std::unique_ptr<Block> b = band.naechster()) {
        for (std::size_t i = 0; i < b->zahl; ++i) {
            const Block::Eintrag& e = b->eintraege[i];
            if (!e.meldung.empty())
                aufStderr(e.meldung);
            else
                schreibe(e.punkt, e.datei, e.nummer);
        }
        band.zurueck(std::move(b));
    }
    if (leser.joinable())
        leser.join();
    abgelehnt += dateienAbgelehnt;
    if (!aus.leeren() || schreibfehler)
        return -1;
    return abgelehnt;
}

long punkteDwc(const char* arg, Punktquellen& quellen, Ausfuhrtafel& tafel, const Ausgabeform& form, bool& schreibfehler)
{
    long abgelehnt = 0;
    Eintrag e;
    abgelehnt += quellen.lies(arg, [&](const Fundpunkt& p, const std::string& datei, long nummer) {
        std::string grund;
        if (p.grund != Punktgrund::Keiner) {
            grund = punktGrund(p);
        } else {
            e = Eintrag{};
            e.ort = p.name;
            e.breite = p.breite;
            e.laenge = p.laenge;
            e.mitPosition = true;
            e.lage = Eintrag::Lage::Grad;
            e.unsicherheit = std::max(form.unsicherheit, p.unsicherheit.value_or(0));
            if (const Fehler f = lesePunkt(p.breite + ' ' + p.laenge, e.punkt, &e.lesart); f != Fehler::Keine)
                grund = text(f);
            else if (const Ausfuhrgrund g = tafel.punkt(e, p.zeit, schreibfehler); !g.keiner())
                grund = text(g);
        }
        if (!grund.empty()) {
            meldePunkt(datei, nummer, p, grund);
            ++abgelehnt;
        }
    });
    return abgelehnt;
}

long punkteGeoJson(const char* arg, Punktquellen& quellen, GeoJsonFundorte& sammlung, const Transformation* t,
                   bool& schreibfehler)
{
    long abgelehnt = 0;
    std::string e;
    abgelehnt += quellen.lies(arg, [&](const Fundpunkt& p, const std::string& datei, long nummer) {
        std::string grund;
        Punkt punkt;
        Lage lage;
        mtb::Code code;
        if (p.grund != Punktgrund::Keiner)
            grund = punktGrund(p);
        else if (const Fehler f = lesePunkt(p.breite + ' ' + p.laenge, punkt); f != Fehler::Keine)
            grund = text(f);
        else if (const Umrechnungsfehler u = verorte(punkt, Datum::Wgs84, t, AufPotsdam | InEtrs89, lage);
                 u != Umrechnungsfehler::Keine)
            grund = text(u);
        else if (const Fehler c = codeImNetz(*lage.potsdam, code); c != Fehler::Keine)
            grund = text(c);
        if (grund.empty()) {
            // The point's own uncertainty cuts its code, as in --batch.
            const int ebenen = p.unsicherheit ? ebeneFuerKreis(*lage.potsdam, code, *p.unsicherheit, 5) : 5;
            e = "\"Datei\":";
            jsonText(e, fundort::gueltigesUtf8(datei));
            e += ",\"Punkt\":" + std::to_string(nummer);
            for (const auto& [name, wert] : {std::pair<const char*, const std::string*>{"Name", &p.name},
                                             {"Zeit", &p.zeit}, {"Beschreibung", &p.beschreibung},
                                             {"Gruppe", &p.gruppe}}) {
                (e += ",\"") += name;
                e += "\":";
                jsonText(e, fundort::gueltigesUtf8(*wert));
            }
            if (p.unsicherheit) {
                char u[32];
                std::snprintf(u, sizeof u, "%g", *p.unsicherheit);
                (e += ",\"Unsicherheit\":") += u;
            }
            e += ",\"MTB berechnet\":\"";
            schreibeCode(e, code, std::max(ebenen, 0), Notation::Schraeg);
            if (ebenen < 0)
                e += UeberDasBlatt;
            e += '"';
            bool zellenFehler = false;
            if (!sammlung.punkt(lage.breite, lage.laenge, code, std::max(ebenen, 0), e, zellenFehler))
                schreibfehler = true;
            if (zellenFehler)
                grund = text(Umrechnungsfehler::AusserhalbGitter);
        }
        if (!grund.empty()) {
            meldePunkt(datei, nummer, p, grund);
            ++abgelehnt;
        }
    });
    return abgelehnt;
}

}  // namespace mtbq
