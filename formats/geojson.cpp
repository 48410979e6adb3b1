#include "formats/geojson.h"

#include "position/texte.h"
#include "records/fundortformat.h"
#include "tables/satzleser.h"

namespace quadrix {

namespace {

// The property names: the header titles, a repeated one numbered.
std::vector<std::string> namen()
{
    std::vector<std::string> n;
    for (int i = 0; i < 14; ++i) {
        std::string t = fundort::titel(i);
        for (int j = 0; j < i; ++j)
            if (t == fundort::titel(j))
                t += " (2)";
        n.push_back(t);
    }
    return n;
}

// A cell as a polygon, its corners counter-clockwise from south-west, on
// Potsdam, then to WGS84; false where BETA2007 does not reach a corner.
bool zellenPolygon(std::string& t, const mtb::Code& code, int ebenen, const Transformation& beta)
{
    const mtb::Zelle zelle = mtb::zelle(code.zeile, code.spalte, code.quadranten, ebenen);
    const double ecken[5][2] = {{zelle.sued, zelle.west}, {zelle.sued, zelle.west + zelle.breite},
                                {zelle.sued + zelle.hoehe, zelle.west + zelle.breite},
                                {zelle.sued + zelle.hoehe, zelle.west}, {zelle.sued, zelle.west}};
    t += "{\"type\":\"Polygon\",\"coordinates\":[[";
    bool alle = true;
    for (int i = 0; i < 5; ++i) {
        double eb = ecken[i][0] / 60, el = ecken[i][1] / 60;
        alle &= beta.vonPotsdam(eb, el);
        if (i)
            t += ',';
        jsonPosition(t, eb, el);
    }
    t += "]]}";
    return alle;
}

}  // namespace

bool GeoJsonFundorte::punkt(double breite, double laenge, const mtb::Code& code, int ebenen,
                            std::string_view eigenschaften, bool& zellenFehler)
{
    std::string& t = m_schreiber.feature();
    zellenFehler = false;
    if (!m_form.zellen) {
        t += "{\"type\":\"Point\",\"coordinates\":";
        jsonPosition(t, breite, laenge);
        t += '}';
    } else if (!zellenPolygon(t, code, ebenen, *m_form.transformation)) {
        m_schreiber.verwerfen();
        zellenFehler = true;
        ++m_uebersprungen;
        return true;
    }
    m_schreiber.eigenschaften() += eigenschaften;
    return m_schreiber.featureEnde();
}

GeoJsonFundorte::GeoJsonFundorte(std::FILE* aus, const GeoJsonForm& form)
    : m_form(form), m_schreiber(aus), m_titel(namen())
{
    m_schreiber.anfang();
}

bool GeoJsonFundorte::datei(std::FILE* ein, std::string_view name, const Melder& melde)
{
    Satzleser leser(ein, {});
    Satzleser::Zeile z;
    Eintrag eintrag;
    const std::string dateiname = fundort::gueltigesUtf8(name);
    using Art = Satzleser::Zeile::Art;
    while (leser.naechste(z)) {
        if (z.teil)
            continue;
        const long nummer = z.nummer;
        auto ablehnen = [&](const char* grund) {
            melde(nummer, grund);
            ++m_uebersprungen;
        };
        if (z.art == Art::ZuLang) {
            ablehnen(text(Zeilenfehler(Zeilenfehler::Art::ZeileZuLang)));
            continue;
        }
        // Only find-location records: in any other table every line is refused, its title line too.
        const bool fundorte = leser.tabelle().art() == Tabelle::Art::Fundorte;
        if (z.art == Art::Leer || (z.art == Art::Kopf && fundorte))
            continue;
        if (!fundorte) {
            ablehnen(text(Zeilenfehler(Zeilenfehler::Art::KeinFundortSatz)));
            continue;
        }
        if (const Zeilenfehler e = leser.eintrag(z.text, eintrag); !e.keiner()) {
            ablehnen(text(e));
            continue;
        }
        const Punkt& p = eintrag.punkt;
        const std::string_view(&f)[14] = eintrag.felder;
        // The records' coordinates are the window's, on the grid's datum, unless --datum says otherwise.
        Lage lage;
        if (verorte(p, m_form.datum, m_form.transformation, AufPotsdam | InEtrs89, lage) != Umrechnungsfehler::Keine) {
            ablehnen(text(Umrechnungsfehler::AusserhalbGitter));
            continue;
        }
        mtb::Code code;
        if (const Fehler e = codeImNetz(*lage.potsdam, code); e != Fehler::Keine) {
            ablehnen(text(e));
            continue;
        }

        // One kind of geometry per output, so that every GIS format takes it
        // (a shapefile holds points or polygons, never both): the points,
        // or with cells the cells, each with the record's properties.
        std::string& t = m_schreiber.feature();
        if (!m_form.zellen) {
            t += "{\"type\":\"Point\",\"coordinates\":";
            jsonPosition(t, lage.breite, lage.laenge);
            t += '}';
        } else {
            if (!zellenPolygon(t, code, 5, *m_form.transformation)) {
                m_schreiber.verwerfen();
                ablehnen(text(Umrechnungsfehler::AusserhalbGitter));
                continue;
            }
        }
        std::string& e = m_schreiber.eigenschaften();
        e += "\"Datei\":";
        jsonText(e, dateiname);
        e += ",\"Zeile\":" + std::to_string(nummer);
        for (int i = 0; i < 14; ++i) {
            e += ',';
            jsonText(e, m_titel[i]);
            e += ':';
            jsonText(e, leser.alsUtf8(f[i]));
        }
        e += ",\"MTB berechnet\":\"";
        schreibeCode(e, code, 5, Notation::Schraeg);
        e += '"';
        if (!m_schreiber.featureEnde())
            return false;
    }
    // A read error is no end of the file.
    m_lesefehler = leser.lesefehler();
    return !m_lesefehler;
}

}  // namespace quadrix
