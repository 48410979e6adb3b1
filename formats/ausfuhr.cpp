#include "formats/ausfuhr.h"

#include "cells/gitter.h"
#include "cells/texte.h"
#include "cells/umriss.h"
#include "grid/ellipsoid.h"
#include "position/code.h"
#include "position/gms.h"
#include "position/punkt.h"
#include "position/texte.h"
#include "records/fundortformat.h"
#include "tables/kodierung.h"
#include "tables/satzleser.h"

#include <cmath>
#include <string>

namespace quadrix {

namespace {

double abstand(double b1, double l1, double b2, double l2)
{
    double m = 0, p = 0;
    meterJeBogen((b1 + b2) / 2, m, p);
    return std::hypot((b2 - b1) * Pi / 180 * m, (l2 - l1) * Pi / 180 * p);
}

// Whole metres, rounded up, at least 1 (a tiny fraction of rounding noise
// does not count as another metre).
long ganzeMeter(double m) { return std::max(1L, static_cast<long>(std::ceil(m - 1e-6))); }

std::string zahl7(double x)
{
    char t[32];
    std::snprintf(t, sizeof t, "%.7f", x);
    return t;
}

}  // namespace

extern const char* const DwcSpalten[] = {
    "locality",       "verbatimCoordinates", "verbatimLatitude",  "verbatimLongitude",
    "verbatimCoordinateSystem", "verbatimSRS", "decimalLatitude", "decimalLongitude",
    "geodeticDatum",  "coordinateUncertaintyInMeters", "footprintWKT", "footprintSRS",
    "georeferenceRemarks", "mtbQuadrant"};
namespace {
constexpr int SpaltenZahl = 14;

const char* srs(Datum d)
{
    switch (d) {
    case Datum::Potsdam: return "EPSG:4314";
    case Datum::Etrs89: return "EPSG:4258";
    case Datum::Wgs84: return "EPSG:4326";
    case Datum::Auto: break;
    }
    return "";
}

const char* system(const Lesart& l)
{
    const int t = std::max(l.teile[0], l.teile[1]);
    return t == 3 ? "degrees minutes seconds" : t == 2 ? "degrees decimal minutes" : "decimal degrees";
}


}  // namespace

const char* text(const Ausfuhrgrund& g)
{
    switch (g.art) {
    case Ausfuhrgrund::Art::Keine: return "";
    case Ausfuhrgrund::Art::Zeile: return text(g.zeile);
    case Ausfuhrgrund::Art::NurMtbZellen: return "nur MTB-Codes beschreiben hier eine Zelle";
    case Ausfuhrgrund::Art::WederNoch: return "weder Koordinaten noch ein MTB-Code";
    case Ausfuhrgrund::Art::Kartesisch:
        return "eine Gauß-Krüger-, UTM- oder MGRS-Angabe: --dwc schreibt Positionen in Grad und MTB-Codes; "
               "--batch codiert auch diese";
    }
    return "";
}

Ausfuhrtafel::Ausfuhrtafel(std::FILE* aus, const Ausfuhrform& form) : m_aus(aus), m_form(form) { kopf(); }

Ausfuhrgrund Ausfuhrtafel::punkt(const Eintrag& e, std::string_view zeit, bool& schreibfehler)
{
    const Datum wgs84 = Datum::Wgs84;
    const Ausfuhrgrund g = satz(e, e.breite + " " + e.laenge, &wgs84, zeit);
    if (!g.keiner())
        ++m_uebersprungen;
    schreibfehler = !m_aus.vielleichtLeeren();
    return g;
}

Ausfuhrgrund Ausfuhrtafel::satz(const Eintrag& d, std::string_view wieGeschrieben, const Datum* fest, std::string_view zeit)
{
    std::string f[SpaltenZahl];
    static_assert(sizeof DwcSpalten / sizeof *DwcSpalten == SpaltenZahl);
    f[0] = d.ort;
    Umriss zelle;
    const bool mitPunkt = d.mitPosition;
    bool alsZelle = !mitPunkt;
    const Lesart& lesart = d.lesart;
    const double unsicherheit = d.unsicherheit > 0 ? d.unsicherheit : m_form.unsicherheit;
    Datum datum = m_form.datum;
    double b = 0, l = 0;  // WGS84
    if (mitPunkt) {
        datum = fest ? *fest : datumFuer(datumDerZeile(m_form.datum, d), lesart);
        Lage lage;
        if (const Umrechnungsfehler e = verorte(d.punkt, datum, m_form.transformation, AufPotsdam | InEtrs89, lage);
            e != Umrechnungsfehler::Keine)
            return Zeilenfehler(e);
        b = lage.breite;
        l = lage.laenge;
        const Punkt& potsdam = *lage.potsdam;
        mtb::Code code;
        if (const Fehler e = codeImNetz(potsdam, code); e != Fehler::Keine)
            return Zeilenfehler(e);
        int ebenen = m_form.ebenen;
        if (m_form.genauigkeit > 0) {
            ebenen = ebeneFuerGenauigkeit(m_form.genauigkeit, grad(potsdam.breite));
            alsZelle = true;
        }
        if (unsicherheit > 0)
            ebenen = ebeneFuerKreis(potsdam, code, unsicherheit, ebenen);
        zelle = mtbUmriss(code, std::max(ebenen, 0));
        if (ebenen < 0)
            zelle.code += UeberDasBlatt;
    } else {
        if (const Umrissfehler fehler = leseUmriss(d.code, nullptr, zelle); !fehler.keiner())
            return Zeilenfehler(fehler);
        if (zelle.gitter != Gitter::Mtb)
            return Ausfuhrgrund::Art::NurMtbZellen;
        if (m_form.genauigkeit > 0) {
            // Coarser where asked, never finer than the code.
            const double mitte = (zelle.rechteck.sued + zelle.rechteck.hoehe / 2) / 60;
            const int e = std::min(zelle.ebenen, ebeneFuerGenauigkeit(m_form.genauigkeit, mitte));
            if (e < zelle.ebenen)
                zelle = mtbUmriss(zelle.mtbCode, e);
        }
    }
    // A profile of fewer levels cuts the code (never the other way).
    if (zelle.gitter == Gitter::Mtb && zelle.ebenen > ebenen(m_form.profil) && zelle.code.back() != UeberDasBlatt)
        zelle = mtbUmriss(zelle.mtbCode, ebenen(m_form.profil));
    f[13] = zelle.code;
    f[8] = "EPSG:4326";
    if (!alsZelle) {
        f[1] = wieGeschrieben;
        f[2] = d.breite;
        f[3] = d.laenge;
        f[4] = system(lesart);
        f[5] = srs(datum);
        f[6] = zahl7(b);
        f[7] = zahl7(l);
        // The corner of the box of half units around the point.
        double m = 0, par = 0;
        meterJeBogen(b, m, par);
        const double sek = Pi / 180 / 3600;
        f[9] = std::to_string(ganzeMeter(std::max(unsicherheit, std::hypot(lesart.halbeEinheit(0) * sek * m,
                                                                                  lesart.halbeEinheit(1) * sek * par))));
        f[12] = std::string("Koordinaten ") + datumName(datum) +
                (datum == Datum::Potsdam ? ", mit BETA2007 nach ETRS89 (als WGS84) umgerechnet" : "");
    } else {
        double mb = (zelle.rechteck.sued + zelle.rechteck.hoehe / 2) / 60;
        double ml = (zelle.rechteck.west + zelle.rechteck.breite / 2) / 60;
        if (!m_form.transformation->vonPotsdam(mb, ml))
            return Zeilenfehler(Umrechnungsfehler::AusserhalbGitter);
        double radius = 0;
        std::string wkt = "POLYGON((";
        bool erstes = true;
        for (Grad2 g : umrissPunkte(zelle)) {
            if (!m_form.transformation->vonPotsdam(g.breite, g.laenge))
                return Zeilenfehler(Umrechnungsfehler::AusserhalbGitter);
            radius = std::max(radius, abstand(mb, ml, g.breite, g.laenge));
            wkt += erstes ? "" : ",";
            erstes = false;
            wkt += zahl7(g.laenge) + " " + zahl7(g.breite);
        }
        wkt += "))";
        f[6] = zahl7(mb);
        f[7] = zahl7(ml);
        f[9] = std::to_string(ganzeMeter(radius));
        f[10] = wkt;
        f[11] = "EPSG:4326";
        f[12] = "Mitte der MTB-Zelle " + zelle.code + " (Potsdam, mit BETA2007 nach ETRS89 als WGS84 "
                "umgerechnet), Radius des Kreises um die Zelle";
    }
    zeile(f, zelle, zeit);
    return {};
}

bool Ausfuhrtafel::datei(std::FILE* ein, const Melder& melde)
{
    Satzleser leser(ein, m_form.spalten);
    return lies(leser, melde);
}

bool Ausfuhrtafel::inhalt(std::string_view text, const Melder& melde)
{
    Satzleser leser(text, m_form.spalten);
    return lies(leser, melde);
}

bool Ausfuhrtafel::lies(Satzleser& leser, const Melder& melde)
{
    Satzleser::Zeile z;
    Eintrag e;
    using Art = Satzleser::Zeile::Art;
    while (leser.naechste(z)) {
        if (z.teil || z.art == Art::Kopf || z.art == Art::Leer)
            continue;
        const Zeilenfehler f = z.art == Art::ZuLang ? Zeilenfehler(Zeilenfehler::Art::ZeileZuLang) : leser.eintrag(z.text, e);
        Ausfuhrgrund grund;
        if (f.art == Zeilenfehler::Art::ZeileZuLang || f.art == Zeilenfehler::Art::KeinFundortSatz)
            grund = f;
        else if (e.unsicherheitFalsch)
            grund = Zeilenfehler(Zeilenfehler::Art::Unsicherheit);
        else if (!e.mitPosition && e.code.empty())
            grund = Ausfuhrgrund::Art::WederNoch;
        else if (e.mitPosition && e.lage == Eintrag::Lage::Kartesisch)
            grund = Ausfuhrgrund::Art::Kartesisch;
        else if (e.mitPosition && e.lage == Eintrag::Lage::Keine)
            grund = f;
        else
            grund = satz(e, e.breite.empty() ? leser.alsUtf8(z.text) : e.breite + " " + e.laenge);
        if (!grund.keiner()) {
            melde(z.nummer, text(grund));
            ++m_uebersprungen;
        }
        if (!m_aus.vielleichtLeeren())
            return false;
    }
    m_lesefehler = leser.lesefehler();
    return !m_lesefehler;
}

}  // namespace quadrix
