#include "formats/geojson.h"

#include "position/code.h"
#include "tables/tabelle.h"
#include "records/fundortformat.h"
#include "position/texte.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace quadrix {

namespace {

void jsonText(std::string& out, std::string_view s)
{
    out += '"';
    for (const char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                out += u;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void position(std::string& out, double breite, double laenge)
{
    char p[64];
    // 7 decimals: about a centimetre, far finer than any find's position.
    std::snprintf(p, sizeof p, "[%.7f,%.7f]", laenge, breite);
    out += p;
}

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


}  // namespace

long geojson(const std::vector<const char*>& dateien, std::FILE* aus, std::FILE* fehler, const GeoJsonForm& form)
{
    const std::vector<std::string> titel = namen();
    long uebersprungen = 0;
    bool erstes = true;
    std::string out = "{\"type\":\"FeatureCollection\",\"features\":[";
    auto feature = [&](const std::string& geometrie, const std::string& eigenschaften) {
        out += erstes ? "\n" : ",\n";
        erstes = false;
        out += "{\"type\":\"Feature\",\"geometry\":" + geometrie + ",\"properties\":{" + eigenschaften + "}}";
        if (out.size() > (1 << 16)) {
            std::fwrite(out.data(), 1, out.size(), aus);
            out.clear();
        }
    };

    for (const char* datei : dateien) {
        const bool standard = std::strcmp(datei, "-") == 0;
        std::ifstream datei_ein;
        std::istream* offen = oeffneEingabe(datei, datei_ein, fehler, "keine Datei der Fundorte");
        if (!offen)
            return -1;
        std::istream& ein = *offen;
        const std::string dateiname = standard ? std::string("(Standardeingabe)") : fundort::gueltigesUtf8(datei);
        std::string zeile;
        long nummer = 0;
        while (leseZeile(ein, zeile)) {
            ++nummer;
            if (zeile.empty() || (nummer == 1 && fundort::istKopfzeile(zeile)))
                continue;
            auto melde = [&](const char* grund) {
                std::fprintf(fehler, "%s:%ld: %s\n", datei, nummer, grund);
                ++uebersprungen;
            };
            std::string_view f[14];
            if (!fundort::felder(zeile, f)) {
                melde("kein Datensatz einer Datei der Fundorte (nicht 14 durch TAB getrennte Spalten)");
                continue;
            }
            Punkt p;
            if (const Fehler e = fundortPunkt(f, p); e != Fehler::Keine) {
                melde(text(e));
                continue;
            }
            // The point in WGS84 for the output, and on the Potsdam datum for the cell.
            double b = grad(p.breite), l = grad(p.laenge);
            Punkt potsdam = p;
            // The records' coordinates are the window's, on the grid's datum, unless --datum says otherwise.
            const bool ok = form.datum == Datum::Potsdam || form.datum == Datum::Auto
                                ? form.transformation->vonPotsdam(b, l)
                                                          : aufPotsdam(potsdam, form.transformation) == Fehler::Keine;
            mtb::Code code;
            if (!ok) {
                melde(text(Fehler::AusserhalbGitter));
                continue;
            }
            if (const Fehler e = codeImNetz(potsdam, code); e != Fehler::Keine) {
                melde(text(e));
                continue;
            }
            std::string codeText;
            schreibeCode(codeText, code, 5, Notation::Schraeg);

            std::string eigenschaften = "\"Datei\":";
            jsonText(eigenschaften, dateiname);
            eigenschaften += ",\"Zeile\":" + std::to_string(nummer);
            for (int i = 0; i < 14; ++i) {
                eigenschaften += ',';
                jsonText(eigenschaften, titel[i]);
                eigenschaften += ':';
                jsonText(eigenschaften, fundort::vonCp1252(f[i]));
            }
            eigenschaften += ",\"MTB berechnet\":";
            jsonText(eigenschaften, codeText);
            // One kind of geometry per output, so that every GIS format takes it
            // (a shapefile holds points or polygons, never both): the points,
            // or with --cells the cells, each with the record's properties.
            if (!form.zellen) {
                std::string geometrie = "{\"type\":\"Point\",\"coordinates\":";
                position(geometrie, b, l);
                feature(geometrie + "}", eigenschaften);
            } else {
                const mtb::Zelle z = mtb::zelle(code.zeile, code.spalte, code.quadranten, 5);
                // Corners counter-clockwise from south-west, on Potsdam, then to WGS84.
                const double ecken[5][2] = {{z.sued, z.west}, {z.sued, z.west + z.breite},
                                            {z.sued + z.hoehe, z.west + z.breite}, {z.sued + z.hoehe, z.west},
                                            {z.sued, z.west}};
                std::string ring = "{\"type\":\"Polygon\",\"coordinates\":[[";
                bool alle = true;
                for (int i = 0; i < 5; ++i) {
                    double eb = ecken[i][0] / 60, el = ecken[i][1] / 60;
                    alle &= form.transformation->vonPotsdam(eb, el);
                    if (i)
                        ring += ',';
                    position(ring, eb, el);
                }
                if (alle)
                    feature(ring + "]]}", eigenschaften);
                else
                    melde(text(Fehler::AusserhalbGitter));
            }
        }
        // A read error is no end of the file.
        if (ein.bad()) {
            std::fprintf(fehler, "mtbq: %s: Lesefehler\n", datei);
            return -1;
        }
    }
    out += "\n]}\n";
    std::fwrite(out.data(), 1, out.size(), aus);
    return uebersprungen;
}

}  // namespace quadrix
