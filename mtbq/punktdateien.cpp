#include "mtbq/punktdateien.h"

#include "cells/texte.h"
#include "datum/datum.h"
#include "imports/ordner.h"
#include "platform/ortszeit.h"
#include "position/texte.h"
#include "tables/ausgabepuffer.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

void meldeDatei(const std::string& name, const Leseergebnis& e)
{
    std::string grund = text(e.grund);
    if (e.grund == Lesegrund::Xml || e.grund == Lesegrund::Json)
        grund += " (Zeile " + std::to_string(e.zeile) + (e.ausdruck.empty() ? "" : ": " + e.ausdruck) + ")";
    if (e.art != Dateiart::Unbekannt && e.grund != Lesegrund::Unbekannt)
        std::fprintf(stderr, "mtbq: %s: %s: %s\n", name.c_str(), text(e.art), grund.c_str());
    else
        std::fprintf(stderr, "mtbq: %s: %s\n", name.c_str(), grund.c_str());
}

// Names and times go into TAB-separated columns: a TAB or line end in them
// would start a column or a line of its own.
void spalte(std::string& out, const std::string& wert)
{
    for (const char c : wert)
        out += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
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
            meldeDatei(std::string("--track ") + s, e);
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

long Punktquellen::datei(const fs::path& pfad, const std::string& name, const Punktnehmer& nimm)
{
    std::FILE* f = oeffneLesend(pfad);
    if (!f) {
        std::fprintf(stderr, "mtbq: %s: Datei kann nicht gelesen werden\n", name.c_str());
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
    meldeDatei(name, e);
    return 1;
}

long Punktquellen::lies(const char* arg, const Punktnehmer& nimm)
{
    const fs::path p = pfadAus(arg);
    std::error_code f;
    if (!fs::is_directory(p, f))
        return datei(p, arg, nimm);
    long abgelehnt = 0;
    durchlaufe(p, [&](const fs::path& d, Lesegrund g) {
        if (g == Lesegrund::Keiner) {
            abgelehnt += datei(d, utf8Name(d), nimm);
        } else {
            std::fprintf(stderr, "mtbq: %s: %s\n", utf8Name(d).c_str(), text(g));
            ++abgelehnt;
        }
    });
    return abgelehnt;
}

Zellfehler fundpunktCode(const Fundpunkt& p, const Ausgabeform& form, std::string& out)
{
    Punkt punkt;
    if (const Fehler f = lesePunkt(p.breite + ' ' + p.laenge, punkt); f != Fehler::Keine)
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
    long abgelehnt = 0, punkte = 0;
    bool schreibfehler = false;
    std::string code;
    abgelehnt += quellen.lies(arg, [&](const Fundpunkt& p, const std::string& datei, long nummer) {
        std::string& t = aus.text();
        ++punkte;
        if (kopf) {
            Ausgabeform titel = f;
            titel.datum = Datum::Wgs84;
            t += "Name\tZeit\tBreite\tLänge\t" + spaltentitel(titel) + "\n";
            kopf = false;
        }
        spalte(t, p.name);
        spalte(t, p.zeit);
        spalte(t, p.breite);
        spalte(t, p.laenge);
        code.clear();
        std::string grund;
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
    });
    if (!aus.leeren() || schreibfehler)
        return -1;
    if (punkte == 0 && abgelehnt == 0) {
        std::fprintf(stderr, "mtbq: %s: keine Punkte darin (ein Ordner ohne GPX, KML, KMZ, GeoJSON oder Fotos?)\n", arg);
        return 1;
    }
    return abgelehnt;
}

}  // namespace mtbq
