// The output formats byte for byte: Darwin Core (both forms), GeoJSON of
// records (points and cells), grid layers and the SVG picture, with a fixed
// datum shift in place of BETA2007, so that they run anywhere (Linux and
// Wine) without the grid or an oracle. The shell tests check the numbers
// against cs2cs; these hold the bytes.
#include "formats/ausfuhr.h"
#include "formats/geojson.h"
#include "formats/raster.h"
#include "formats/svg.h"
#include "tests/feste_verschiebung.h"
#include "tests/tempdatei.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const FesteVerschiebung Shift;

const std::string Kopf = "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\t"
                         "Sek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n";
const std::string Fundorte = Kopf +
                             "Gr\xfcnwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n"
                             "Teich\t\t\t\t\tN\t\t\t\tO\t50,0000\tN\t8,2500\tO\r\n"
                             "kaputt\r\n";

struct Lauf {
    std::string aus;
    std::vector<std::string> gemeldet;
};

quadrix::Melder sammler(std::vector<std::string>& v)
{
    return [&v](long zeile, const char* grund) { v.push_back(std::to_string(zeile) + ": " + grund); };
}

Lauf dwc(const std::vector<std::string>& eingaben, bool excel, double genauigkeit = 0)
{
    quadrix::Ausfuhrform form;
    form.datum = quadrix::Datum::Auto;
    form.transformation = &Shift;
    form.excel = excel;
    form.genauigkeit = genauigkeit;
    std::FILE* aus = std::tmpfile();
    Lauf l;
    {
        quadrix::Ausfuhrtafel t(aus, form);
        for (const std::string& e : eingaben) {
            std::FILE* ein = tempdatei(e);
            EXPECT_TRUE(t.datei(ein, sammler(l.gemeldet)));
            std::fclose(ein);
        }
        EXPECT_TRUE(t.schluss());
    }
    l.aus = alles(aus);
    return l;
}

Lauf geojson(const std::string& ein, bool zellen)
{
    const quadrix::GeoJsonForm form{quadrix::Datum::Potsdam, &Shift, zellen};
    std::FILE* aus = std::tmpfile();
    Lauf l;
    {
        quadrix::GeoJsonFundorte g(aus, form);
        std::FILE* e = tempdatei(ein);
        EXPECT_TRUE(g.datei(e, "funde.txt", sammler(l.gemeldet)));
        std::fclose(e);
        EXPECT_TRUE(g.schluss());
    }
    l.aus = alles(aus);
    return l;
}

// FNV-1a over the bytes: long outputs are held by their hash and length.
std::uint64_t fnv(const std::string& s)
{
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : s)
        h = (h ^ c) * 1099511628211ULL;
    return h;
}

TEST(Formate, DarwinCore)
{
    const Lauf l = dwc({Fundorte, "Ort;MTB\r\nWiese;5818/3\r\n"}, false);
    EXPECT_EQ(l.aus, "locality,verbatimCoordinates,verbatimLatitude,verbatimLongitude,verbatimCoordinateSystem,verbatimSRS,decimalLatitude,decimalLongitude,geodeticDatum,coordinateUncertaintyInMeters,footprintWKT,footprintSRS,georeferenceRemarks,mtbQuadrant\r\n"
              "Gr\xC3\xBCnwald,\"50\xC2\xB0" "07'20\"\"N 8\xC2\xB0" "41'30\"\"E\",\"50\xC2\xB0" "07'20\"\"N\","
              "\"8\xC2\xB0" "41'30\"\"E\",degrees minutes seconds,EPSG:4314,50.1232222,8.6931667,EPSG:4326,19,"
              ",,\"Koordinaten Potsdam (DHDN), mit BETA2007 nach ETRS89 (als WGS84) umgerechnet\",5818/3/3/2/1/1\r\n"
              "Teich,\"50,0000 8,2500\",\"50,0000\",\"8,2500\",decimal degrees,EPSG:4314,50.0010000,8.2515000,"
              "EPSG:4326,7,,,\"Koordinaten Potsdam (DHDN), mit BETA2007 nach ETRS89 (als WGS84) umgerechnet\","
              "6015/1/2/2/2/2\r\n"
              "Wiese,,,,,,50.1260000,8.7098333,EPSG:4326,4077,\"POLYGON((8.6681667 50.1010000,8.7098333 50.1010000,"
              "8.7515000 50.1010000,8.7515000 50.1260000,8.7515000 50.1510000,8.7098333 50.1510000,8.6681667 50.1510000,"
              "8.6681667 50.1260000,8.6681667 50.1010000))\",EPSG:4326,\"Mitte der MTB-Zelle 5818/3 (Potsdam, mit BETA2007 nach ETRS89 als WGS84 umgerechnet),"
              " Radius des Kreises um die Zelle\",5818/3\r\n");
    EXPECT_EQ(l.gemeldet, (std::vector<std::string>{"4: kein Datensatz einer Datei der Fundorte (nicht 14 durch TAB "
                                                    "getrennte Spalten)"}));
}

TEST(Formate, DarwinCoreForExcel)
{
    const Lauf l = dwc({Fundorte}, true, 1000);
    EXPECT_EQ(l.aus, "\xEF\xBB\xBFlocality;verbatimCoordinates;verbatimLatitude;verbatimLongitude;verbatimCoordinateSystem;verbatimSRS;decimalLatitude;decimalLongitude;geodeticDatum;coordinateUncertaintyInMeters;footprintWKT;footprintSRS;georeferenceRemarks;mtbQuadrant\r\n"
              "Gr\xC3\xBCnwald;;;;;;50,1197500;8,6994167;EPSG:4326;1019;POLYGON((8.6890000 50.1135000,8.7098333 50.1135000,"
              "8.7098333 50.1260000,8.6890000 50.1260000,8.6890000 50.1135000));EPSG:4326;Mitte der MTB-Zelle 5818/3/3/2 (Potsdam,"
              " mit BETA2007 nach ETRS89 als WGS84 umgerechnet), Radius des Kreises um die Zelle;5818/3/3/2\r\n"
              "Teich;;;;;;49,9947500;8,2410833;EPSG:4326;1021;POLYGON((8.2306667 49.9885000,8.2515000 49.9885000,"
              "8.2515000 50.0010000,8.2306667 50.0010000,8.2306667 49.9885000));EPSG:4326;Mitte der MTB-Zelle 6015/1/2/2 (Potsdam,"
              " mit BETA2007 nach ETRS89 als WGS84 umgerechnet), Radius des Kreises um die Zelle;6015/1/2/2\r\n");
}

TEST(Formate, GeoJsonPointsAndCells)
{
    EXPECT_EQ(geojson(Fundorte, false).aus, "{\"type\":\"FeatureCollection\",\"features\":[\n"
              "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[8.6931667,50.1232222]},"
              "\"properties\":{\"Datei\":\"funde.txt\",\"Zeile\":2,\"Gebietsname\":\"Gr\xC3\xBCnwald\",\"MTB/Q/UQ\":\"5818/3/3/2/1/1\","
              "\"Grad(Nord)\":\"50\",\"Min.(Nord)\":\"07\",\"Sek.(Nord)\":\"20\",\"Nord\":\"N\",\"Grad(Ost)\":\"8\","
              "\"Min.(Ost)\":\"41\",\"Sek.(Ost)\":\"30\",\"Ost\":\"O\",\"Koord. Nord(Grad)\":\"50,1222\",\"Nord (2)\":\"N\","
              "\"Koord. Ost(Grad)\":\"8,6917\",\"Ost (2)\":\"O\",\"MTB berechnet\":\"5818/3/3/2/1/1\"}},\n"
              "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[8.2515000,50.0010000]},"
              "\"properties\":{\"Datei\":\"funde.txt\",\"Zeile\":3,\"Gebietsname\":\"Teich\",\"MTB/Q/UQ\":\"\","
              "\"Grad(Nord)\":\"\",\"Min.(Nord)\":\"\",\"Sek.(Nord)\":\"\",\"Nord\":\"N\",\"Grad(Ost)\":\"\",\"Min.(Ost)\":\"\","
              "\"Sek.(Ost)\":\"\",\"Ost\":\"O\",\"Koord. Nord(Grad)\":\"50,0000\",\"Nord (2)\":\"N\",\"Koord. Ost(Grad)\":\"8,"
              "2500\",\"Ost (2)\":\"O\",\"MTB berechnet\":\"6015/1/2/2/2/2\"}}\n"
              "]}\n");
    EXPECT_EQ(geojson(Fundorte, true).aus, "{\"type\":\"FeatureCollection\",\"features\":[\n"
              "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[8.6890000,50.1228750],"
              "[8.6942083,50.1228750],[8.6942083,50.1260000],[8.6890000,50.1260000],[8.6890000,50.1228750]]]},"
              "\"properties\":{\"Datei\":\"funde.txt\",\"Zeile\":2,\"Gebietsname\":\"Gr\xC3\xBCnwald\",\"MTB/Q/UQ\":\"5818/3/3/2/1/1\","
              "\"Grad(Nord)\":\"50\",\"Min.(Nord)\":\"07\",\"Sek.(Nord)\":\"20\",\"Nord\":\"N\",\"Grad(Ost)\":\"8\","
              "\"Min.(Ost)\":\"41\",\"Sek.(Ost)\":\"30\",\"Ost\":\"O\",\"Koord. Nord(Grad)\":\"50,1222\",\"Nord (2)\":\"N\","
              "\"Koord. Ost(Grad)\":\"8,6917\",\"Ost (2)\":\"O\",\"MTB berechnet\":\"5818/3/3/2/1/1\"}},\n"
              "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[[8.2462917,49.9978750],"
              "[8.2515000,49.9978750],[8.2515000,50.0010000],[8.2462917,50.0010000],[8.2462917,49.9978750]]]},"
              "\"properties\":{\"Datei\":\"funde.txt\",\"Zeile\":3,\"Gebietsname\":\"Teich\",\"MTB/Q/UQ\":\"\","
              "\"Grad(Nord)\":\"\",\"Min.(Nord)\":\"\",\"Sek.(Nord)\":\"\",\"Nord\":\"N\",\"Grad(Ost)\":\"\",\"Min.(Ost)\":\"\","
              "\"Sek.(Ost)\":\"\",\"Ost\":\"O\",\"Koord. Nord(Grad)\":\"50,0000\",\"Nord (2)\":\"N\",\"Koord. Ost(Grad)\":\"8,"
              "2500\",\"Ost (2)\":\"O\",\"MTB berechnet\":\"6015/1/2/2/2/2\"}}\n"
              "]}\n");
}

TEST(Formate, GridLayer)
{
    quadrix::RasterForm form;
    form.ebenen = 1;
    form.transformation = &Shift;
    quadrix::Umriss u;
    ASSERT_TRUE(quadrix::leseUmriss("5818", nullptr, u).keiner());
    form.codes.push_back(u);
    std::FILE* aus = std::tmpfile();
    const quadrix::RasterErgebnis r = quadrix::raster(form, aus, [](const std::string&) {});
    const std::string json = alles(aus);
    EXPECT_EQ(r.zellen, 4);
    EXPECT_EQ(json.size(), 1287u);
    EXPECT_EQ(fnv(json), 847337000724265503ULL) << json;
}

TEST(Formate, SheetPicture)
{
    mtb::Code code;
    const double b = 50.12222, l = 8.69167;
    ASSERT_TRUE(mtb::codeGenau(quadrix::winkelAusGrad(b), quadrix::winkelAusGrad(l), code));
    const std::string svg = quadrix::svgBild(code, 3, &b, &l);
    EXPECT_EQ(svg.size(), 4126u);
    EXPECT_EQ(fnv(svg), 941203628075412156ULL) << svg;
}

}  // namespace
