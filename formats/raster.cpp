#include "formats/raster.h"

#include "cells/kasten.h"
#include "formats/geojson_schreiber.h"
#include "grid/eea.h"
#include "grid/projektion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quadrix {

namespace {

// The sheet range of Germany.
constexpr int ErsteZeile = 9, LetzteZeile = 87, ErsteSpalte = 1, LetzteSpalte = 56;

class Schreiber {
public:
    Schreiber(const RasterForm& form, std::FILE* aus, const std::function<void(const std::string&)>& ausgelassen)
        : m_form(form), m_json(aus), m_ausgelassen(ausgelassen)
    {
    }

    void anfang()
    {
        std::string mitglieder = ",\"name\":\"";
        mitglieder += gitterName(m_form.gitter);
        if (m_form.gitter == Gitter::Mtb)
            mitglieder += "_ebene" + std::to_string(m_form.ebenen);
        mitglieder += '"';
        if (m_form.untransformiert)
            mitglieder += aufEtrs89(m_form.gitter)
                              ? ",\"crs\":{\"type\":\"name\",\"properties\":{\"name\":\"urn:ogc:def:crs:EPSG::3035\"}}"
                              : ",\"crs\":{\"type\":\"name\",\"properties\":{\"name\":\"urn:ogc:def:crs:EPSG::4314\"}}";
        m_json.anfang(mitglieder);
    }

    // One cell; false when a vertex cannot be transformed or the output fails.
    bool zelle(const Umriss& u)
    {
        std::string& t = m_json.feature();
        t += "{\"type\":\"Polygon\",\"coordinates\":[[";
        // Counter-clockwise from the south-west corner, as RFC 7946 asks.
        bool ok = true;
        bool erstes = true;
        for (Grad2 g : umrissPunkte(u, m_form.untransformiert)) {
            if (!erstes)
                t += ',';
            erstes = false;
            if (u.kartesisch() && m_form.untransformiert) {
                jsonMeter(t, g.laenge, g.breite);
            } else {
                if (u.aufPotsdam() && !m_form.untransformiert)
                    ok = ok && m_form.transformation && m_form.transformation->vonPotsdam(g.breite, g.laenge);
                jsonPosition(t, g.breite, g.laenge);
            }
        }
        t += "]]}";
        if (!ok) {
            m_json.verwerfen();
            ++m_ausgelassenZahl;
            m_ausgelassen(u.code);
            return false;
        }
        std::string& e = m_json.eigenschaften();
        e += "\"code\":\"";
        e += u.code;
        e += '"';
        if (!m_json.featureEnde()) {
            m_schreibfehler = true;
            return false;
        }
        return true;
    }

    bool ende()
    {
        if (!m_json.schluss()) {
            m_schreibfehler = true;
            return false;
        }
        return true;
    }

    long zahl() const { return m_json.zahl(); }
    long ausgelassen() const { return m_ausgelassenZahl; }
    bool schreibfehler() const { return m_schreibfehler; }

private:
    const RasterForm& m_form;
    GeoJsonSchreiber m_json;
    const std::function<void(const std::string&)>& m_ausgelassen;
    long m_ausgelassenZahl = 0;
    bool m_schreibfehler = false;
};

// ---- EEA ----

// The EEA cells of columns x0..x1 and rows y0..y1 (cell indices), in rows
// from the north.
void eeaZellen(Gitter gitter, std::int64_t groesse, std::int64_t x0, std::int64_t x1, std::int64_t y0,
               std::int64_t y1, Schreiber& s)
{
    Umriss c;
    c.gitter = gitter;
    c.seite = static_cast<double>(groesse);
    for (std::int64_t y = y1; y >= y0; --y)
        for (std::int64_t x = x0; x <= x1; ++x) {
            c.ost = static_cast<double>(x * groesse);
            c.nord = static_cast<double>(y * groesse);
            c.code = eea::kurz({groesse, x, y});
            if (!s.zelle(c) && s.schreibfehler())
                return;
        }
}

}  // namespace

RasterErgebnis raster(const RasterForm& form, std::FILE* aus, const std::function<void(const std::string&)>& ausgelassen)
{
    RasterErgebnis ergebnis;
    ergebnis.fehler = true;
    Schreiber s(form, aus, ausgelassen);
    s.anfang();
    const std::int64_t groesse = eeaGroesse(form.gitter);

    double box[4];
    bool mitBox = form.mitBox;
    if (mitBox) {
        std::copy(form.box, form.box + 4, box);
        // The box on the grid's datum: its corners and edge middles transformed.
        if ((form.datum == Datum::Potsdam) == (groesse != 0)) {
            double s0 = 1e9, w0 = 1e9, n0 = -1e9, e0 = -1e9;
            for (int i = 0; i <= 2; ++i)
                for (int j = 0; j <= 2; ++j) {
                    double b = form.box[0] + (form.box[2] - form.box[0]) * i / 2;
                    double l = form.box[1] + (form.box[3] - form.box[1]) * j / 2;
                    const bool ok = groesse ? form.transformation->vonPotsdam(b, l) : form.transformation->zuPotsdam(b, l);
                    if (!ok) {
                        ergebnis.box = Umrechnungsfehler::AusserhalbGitter;
                        return ergebnis;
                    }
                    s0 = std::min(s0, b), n0 = std::max(n0, b), w0 = std::min(w0, l), e0 = std::max(e0, l);
                }
            box[0] = s0, box[1] = w0, box[2] = n0, box[3] = e0;
        }
    }

    if (groesse == 0) {
        std::vector<Blattteil> teile;
        const double* kasten = nullptr;
        double minuten[4];
        if (!form.codes.empty()) {
            for (const Umriss& u : form.codes)
                teile.push_back({u.mtbCode, u.ebenen});
        } else {
            // Without a box, Germany's sheet range: its box a minute inside
            // its edges, so that no neighbouring sheet touches it.
            double deutschland[4] = {(559.0 - LetzteZeile) * 6 + 1, (ErsteSpalte + 34.0) * 10 + 1,
                                     (560.0 - ErsteZeile) * 6 - 1, (LetzteSpalte + 35.0) * 10 - 1};
            if (mitBox) {
                for (int i = 0; i < 4; ++i)
                    minuten[i] = box[i] * 60;
                kasten = minuten;
            }
            teile = blaetterIm(mitBox ? minuten : deutschland);
        }
        const auto weiter = [&](const Umriss& u) { return s.zelle(u) || !s.schreibfehler(); };
        for (const Blattteil& t : teile)
            if (!zellenIn(form.gitter, form.ebenen, t, kasten, weiter))
                return ergebnis;
    } else if (!form.codes.empty()) {
        for (const Umriss& u : form.codes) {
            const std::int64_t x0 = static_cast<std::int64_t>(u.ost) / groesse;
            const std::int64_t y0 = static_cast<std::int64_t>(u.nord) / groesse;
            const std::int64_t n = static_cast<std::int64_t>(u.seite) / groesse;
            eeaZellen(form.gitter, groesse, x0, x0 + n - 1, y0, y0 + n - 1, s);
        }
    } else {
        if (!mitBox) {
            box[0] = (559.0 - LetzteZeile) / 10, box[1] = (ErsteSpalte + 34.0) / 6;
            box[2] = (560.0 - ErsteZeile) / 10, box[3] = (LetzteSpalte + 35.0) / 6;
        }
        // The box's outline in the plane, and the cells over its extent.
        double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
        for (int k = 0; k <= 64; ++k)
            for (const auto& [b, l] : {std::pair{box[0] + (box[2] - box[0]) * k / 64, box[1]},
                                       std::pair{box[0] + (box[2] - box[0]) * k / 64, box[3]},
                                       std::pair{box[0], box[1] + (box[3] - box[1]) * k / 64},
                                       std::pair{box[2], box[1] + (box[3] - box[1]) * k / 64}}) {
                const proj::Ebene e = proj::laea({b, l});
                x0 = std::min(x0, e.ost), x1 = std::max(x1, e.ost), y0 = std::min(y0, e.nord), y1 = std::max(y1, e.nord);
            }
        if (!(x0 >= 0 && y0 >= 0 && x1 < 1e8 && y1 < 1e8)) {
            ergebnis.box = Zellfehler::Art::AusserhalbEea;
            return ergebnis;
        }
        eeaZellen(form.gitter, groesse, static_cast<std::int64_t>(x0) / groesse, static_cast<std::int64_t>(x1) / groesse,
                  static_cast<std::int64_t>(y0) / groesse, static_cast<std::int64_t>(y1) / groesse, s);
    }
    ergebnis.zellen = s.zahl();
    ergebnis.ausgelassen = s.ausgelassen();
    ergebnis.fehler = s.schreibfehler() || !s.ende();
    return ergebnis;
}

}  // namespace quadrix
