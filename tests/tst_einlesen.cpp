// The readers of GPS files and photos: the points of files as devices,
// apps and exiftool wrote them (tests/daten/punkte), each bad input of its
// kind with its reason, the time rules and the placing of photos on a
// track. The positions of the photos were written by exiftool from
// degrees, minutes and seconds; the expected decimal degrees are exiftool's
// own reading of the files (exiftool -n).
#include "imports/ordner.h"
#include "imports/punkte.h"
#include "imports/spur.h"
#include "imports/zeit.h"
#include "tests/tempdatei.h"
#include "tests/zipdatei.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace quadrix;

namespace {

std::string daten(const char* name) { return std::string(QUADRIX_PUNKTDATEN) + "/" + name; }

struct Gelesen {
    Leseergebnis ergebnis;
    std::vector<Fundpunkt> punkte;
};

Gelesen ausDatei(const std::string& pfad)
{
    Gelesen g;
    std::FILE* f = oeffneLesend(pfad);
    EXPECT_NE(f, nullptr) << pfad;
    if (!f)
        return g;
    const std::string name = std::filesystem::path(pfad).filename().string();
    g.ergebnis = lesePunkte(f, name, [&](const Fundpunkt& p) { g.punkte.push_back(p); });
    std::fclose(f);
    return g;
}

Gelesen ausText(const std::string& bytes, const char* name = "x")
{
    std::FILE* f = tempdatei(bytes);
    Gelesen g;
    g.ergebnis = lesePunkte(f, name, [&](const Fundpunkt& p) { g.punkte.push_back(p); });
    std::fclose(f);
    return g;
}

double zahl(const std::string& t) { return std::stod(t); }

}  // namespace

TEST(Einlesen, WegpunkteEinesGeraets)
{
    const Gelesen g = ausDatei(daten("geraet.gpx"));
    EXPECT_EQ(g.ergebnis.grund, Lesegrund::Keiner);
    EXPECT_EQ(g.ergebnis.art, Dateiart::Gpx);
    ASSERT_EQ(g.punkte.size(), 3u);
    const Fundpunkt& a = g.punkte[0];
    EXPECT_EQ(a.name, "001");
    EXPECT_EQ(a.breite, "50.122200");  // as the device wrote it
    EXPECT_EQ(a.laenge, "8.691700");
    EXPECT_EQ(a.beschreibung, "Waldrand, 12 Ex.");
    EXPECT_EQ(a.zeit, "2026-06-01T08:15:02Z");
    ASSERT_TRUE(a.utc);
    EXPECT_EQ(*a.utc, 1780301702);  // date -u -d 2026-06-01T08:15:02Z +%s
    EXPECT_DOUBLE_EQ(*a.hoehe, 112.4);
    EXPECT_DOUBLE_EQ(*a.hdop, 1.8);
    EXPECT_FALSE(a.unsicherheit);  // hdop is no distance
    EXPECT_EQ(g.punkte[1].name, "002 B\xc3\xb6schung");
    EXPECT_DOUBLE_EQ(*g.punkte[1].pdop, 2.5);
    EXPECT_EQ(*g.punkte[2].utc, 1780304400);  // 11:00 +02:00 = 09:00Z
    for (const Fundpunkt& p : g.punkte)
        EXPECT_EQ(p.art, Punktart::Wegpunkt);
}

TEST(Einlesen, SpurMitNamen)
{
    const Gelesen g = ausDatei(daten("spur.gpx"));
    EXPECT_EQ(g.ergebnis.grund, Lesegrund::Keiner);
    ASSERT_EQ(g.punkte.size(), 3u);
    EXPECT_EQ(g.punkte[0].art, Punktart::Spurpunkt);
    EXPECT_EQ(g.punkte[0].gruppe, "Exkursion 1. Juni");
    EXPECT_EQ(g.punkte[2].breite, "50.1020000");
}

TEST(Einlesen, KmzEinerWebkarte)
{
    const Gelesen g = ausDatei(daten("webkarte.kmz"));
    EXPECT_EQ(g.ergebnis.grund, Lesegrund::Keiner);
    EXPECT_EQ(g.ergebnis.art, Dateiart::Kmz);
    ASSERT_EQ(g.punkte.size(), 2u);
    EXPECT_EQ(g.punkte[0].name, "Teich am Lohberg");
    EXPECT_EQ(g.punkte[0].gruppe, "Fundorte");
    EXPECT_EQ(g.punkte[0].beschreibung, "Nuphar lutea<br>viel");
    EXPECT_EQ(g.punkte[0].breite, "49.7913");
    EXPECT_EQ(g.punkte[0].laenge, "9.9361");
    EXPECT_EQ(g.punkte[1].name, "Weg zum Teich");
    EXPECT_EQ(g.punkte[1].grund, Punktgrund::KeinPunkt);
}

TEST(Einlesen, GeoJsonEinerApp)
{
    const Gelesen g = ausDatei(daten("app.geojson"));
    EXPECT_EQ(g.ergebnis.grund, Lesegrund::Keiner);
    ASSERT_EQ(g.punkte.size(), 2u);
    EXPECT_EQ(g.punkte[0].name, "Spree-Ufer");
    EXPECT_EQ(g.punkte[0].breite, "52.520008");
    EXPECT_EQ(g.punkte[0].laenge, "13.404954");
    EXPECT_DOUBLE_EQ(*g.punkte[0].unsicherheit, 8);
    EXPECT_EQ(g.punkte[1].grund, Punktgrund::KeinPunkt);
}

TEST(Einlesen, FotosMitPosition)
{
    const struct {
        const char* datei;
        Dateiart art;
        double breite, laenge, fehler;  // exiftool -n -GPSLatitude -GPSLongitude -GPSHPositioningError
        std::int64_t utc;
    } faelle[] = {
        {"telefon.jpg", Dateiart::Jpeg, 50.1222, 8.6917, 12, 1780309200},              // 12:20 +02:00
        {"telefon.heic", Dateiart::Heic, 51.3376388888889, 12.3750694444444, 5.5, 1780309800},  // 12:30 +02:00
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.datei);
        const Gelesen g = ausDatei(daten(f.datei));
        EXPECT_EQ(g.ergebnis.grund, Lesegrund::Keiner);
        EXPECT_EQ(g.ergebnis.art, f.art);
        ASSERT_EQ(g.punkte.size(), 1u);
        const Fundpunkt& p = g.punkte[0];
        EXPECT_EQ(p.grund, Punktgrund::Keiner);
        EXPECT_EQ(p.name, f.datei);
        EXPECT_NEAR(zahl(p.breite), f.breite, 1e-10);
        EXPECT_NEAR(zahl(p.laenge), f.laenge, 1e-10);
        EXPECT_DOUBLE_EQ(*p.unsicherheit, f.fehler);
        ASSERT_TRUE(p.utc);
        EXPECT_EQ(*p.utc, f.utc);
    }
}

// A window sets its German locale: positions keep their full stop.
TEST(Einlesen, PositionenOhneGebietsschema)
{
    const char* alt = std::setlocale(LC_NUMERIC, nullptr);
    const std::string vorher = alt ? alt : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "German_Germany.1252"))
        GTEST_SKIP() << "no German locale here";
    const Gelesen g = ausDatei(daten("telefon.jpg"));
    std::setlocale(LC_NUMERIC, vorher.c_str());
    ASSERT_EQ(g.punkte.size(), 1u);
    EXPECT_EQ(g.punkte[0].grund, Punktgrund::Keiner);
    EXPECT_EQ(g.punkte[0].breite, "50.1222000000");
}

TEST(Einlesen, KameraOhneGps)
{
    const Gelesen g = ausDatei(daten("kamera_ohne_gps.jpg"));
    EXPECT_EQ(g.ergebnis.grund, Lesegrund::Keiner);
    ASSERT_EQ(g.punkte.size(), 1u);
    EXPECT_EQ(g.punkte[0].grund, Punktgrund::OhnePosition);
    EXPECT_FALSE(g.punkte[0].utc);
    ASSERT_TRUE(g.punkte[0].lokaleZeit);
    EXPECT_EQ(*g.punkte[0].lokaleZeit, 1780315830);  // 2026-06-01 12:10:30 as if UTC
}

namespace {

// A zip of one stored entry; groesse: the unpacked size its headers claim
// (0: its true size).
std::string zip(const std::string& name, const std::string& inhalt, std::uint32_t groesse = 0)
{
    const std::uint32_t crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(inhalt.data()), static_cast<uInt>(inhalt.size())));
    return gespeichertesZip(name, inhalt, groesse ? groesse : static_cast<std::uint32_t>(inhalt.size()), crc);
}

// A JPEG holding only EXIF with the GPS latitude and longitude given as
// three rationals each (numerator, denominator), little-endian TIFF.
std::string jpegMitGps(const std::uint32_t (&breite)[6], const std::uint32_t (&laenge)[6], char nord = 'N',
                       char ost = 'E')
{
    std::string t = "II*";
    t += '\0';
    le32(t, 8);
    // IFD0 at 8: one entry, the GPS IFD's place (at 26).
    le16(t, 1);
    le16(t, 0x8825), le16(t, 4), le32(t, 1), le32(t, 26);
    le32(t, 0);
    // The GPS IFD at 26: four entries (2 + 4 * 12 + 4 = 54 bytes), its values at 80.
    le16(t, 4);
    le16(t, 1), le16(t, 2), le32(t, 2), t += nord, t += std::string(3, '\0');
    le16(t, 2), le16(t, 5), le32(t, 3), le32(t, 80);
    le16(t, 3), le16(t, 2), le32(t, 2), t += ost, t += std::string(3, '\0');
    le16(t, 4), le16(t, 5), le32(t, 3), le32(t, 104);
    le32(t, 0);
    for (const std::uint32_t v : breite)
        le32(t, v);
    for (const std::uint32_t v : laenge)
        le32(t, v);
    const std::string app1 = std::string("Exif\0\0", 6) + t;
    std::string j = "\xFF\xD8\xFF\xE1";
    j += static_cast<char>((app1.size() + 2) >> 8);
    j += static_cast<char>((app1.size() + 2) & 0xFF);
    return j + app1 + "\xFF\xD9";
}

const std::string Lachen =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n <!ENTITY a \"aaaaaaaaaa\">\n <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
    " <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">\n]>\n<gpx><wpt lat=\"50\" lon=\"8\"><name>&c;</name></wpt></gpx>\n";

std::string heicAbgeschnitten()
{
    std::FILE* f = oeffneLesend(daten("telefon.heic"));
    std::string s = f ? alles(f) : std::string();
    return s.substr(0, 200);
}

}  // namespace

// Every bad input gives its reason and leaves the rest of the file or run.
TEST(Einlesen, SchlechteEingaben)
{
    const std::uint32_t frankfurt[6] = {50, 1, 7, 1, 1992, 100}, ost[6] = {8, 1, 41, 1, 3012, 100};
    const std::uint32_t breite91[6] = {91, 1, 0, 1, 0, 1}, nenner0[6] = {50, 0, 7, 1, 0, 1},
                        minute60[6] = {50, 1, 60, 1, 0, 1};
    const struct {
        const char* fall;
        std::string bytes;
        Lesegrund grund;
        std::size_t punkte;
        Punktgrund punktgrund;  // of the first point
    } faelle[] = {
        {"kein wohlgeformtes XML", "<gpx><wpt lat=\"50\" lon=\"8\"></gpx>", Lesegrund::Xml, 0, {}},
        {"Entitäten (Milliarde Lacher)", Lachen, Lesegrund::Entitaeten, 0, {}},
        {"XML, weder GPX noch KML", "<?xml version=\"1.0\"?><html><body/></html>", Lesegrund::KeinGpxKml, 0, {}},
        {"Breite 91", "<gpx><wpt lat=\"91\" lon=\"8\"/><wpt lat=\"50\" lon=\"8\"/></gpx>", Lesegrund::Keiner, 2,
         Punktgrund::Ungueltig},
        {"Breite keine Zahl", "<gpx><wpt lat=\"5O.1\" lon=\"8\"/></gpx>", Lesegrund::Keiner, 1, Punktgrund::Ungueltig},
        {"Breite inf", "<gpx><wpt lat=\"inf\" lon=\"8\"/></gpx>", Lesegrund::Keiner, 1, Punktgrund::Ungueltig},
        {"ohne lon", "<gpx><wpt lat=\"50\"><name>x</name></wpt></gpx>", Lesegrund::Keiner, 1,
         Punktgrund::OhnePosition},
        {"KMZ, entpackt über 256 MiB", zip("doc.kml", "<kml/>", 3u << 30), Lesegrund::ZuGross, 0, {}},
        {"KMZ ohne KML", zip("bild.png", "\x89PNG"), Lesegrund::Zip, 0, {}},
        {"KMZ beschädigt", std::string("PK\x03\x04", 4) + std::string(40, 'x'), Lesegrund::Zip, 0, {}},
        {"KMZ mit KML", zip("Dateien/Orte.KML",
                            "<kml><Placemark><name>A</name><Point><coordinates>8.5,50.5</coordinates></Point>"
                            "</Placemark></kml>"),
         Lesegrund::Keiner, 1, Punktgrund::Keiner},
        {"JSON abgebrochen", "{\"type\":", Lesegrund::Json, 0, {}},
        {"JSON zu tief", "{\"a\":" + std::string(200, '[') + std::string(200, ']') + "}", Lesegrund::Json, 0, {}},
        {"JSON, kein GeoJSON", "{\"a\":1}", Lesegrund::KeinGeoJson, 0, {}},
        {"GeoJSON Punkt ohne Zahlen", "{\"type\":\"Point\",\"coordinates\":[\"8\",\"50\"]}", Lesegrund::Keiner, 1,
         Punktgrund::Ungueltig},
        {"Foto ohne EXIF", "\xFF\xD8\xFF\xDB\x00\x04\x00\x00\xFF\xDA", Lesegrund::KeinExif, 0, {}},
        {"EXIF Breite 91°", jpegMitGps(breite91, ost), Lesegrund::Keiner, 1, Punktgrund::Ungueltig},
        {"EXIF Nenner 0", jpegMitGps(nenner0, ost), Lesegrund::Keiner, 1, Punktgrund::Ungueltig},
        {"EXIF 60 Minuten", jpegMitGps(minute60, ost), Lesegrund::Keiner, 1, Punktgrund::Ungueltig},
        {"EXIF Süd-Referenz X", jpegMitGps(frankfurt, ost, 'X'), Lesegrund::Keiner, 1, Punktgrund::Ungueltig},
        {"EXIF heil", jpegMitGps(frankfurt, ost), Lesegrund::Keiner, 1, Punktgrund::Keiner},
        {"HEIC abgeschnitten", heicAbgeschnitten(), Lesegrund::Exif, 0, {}},
        {"keine dieser Dateien", "Hallo\n", Lesegrund::Unbekannt, 0, {}},
        {"leer", "", Lesegrund::Unbekannt, 0, {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        const Gelesen g = ausText(f.bytes);
        EXPECT_EQ(g.ergebnis.grund, f.grund) << text(g.ergebnis.grund);
        ASSERT_EQ(g.punkte.size(), f.punkte);
        if (f.punkte) {
            EXPECT_EQ(g.punkte[0].grund, f.punktgrund) << text(g.punkte[0].grund);
        }
        EXPECT_NE(std::string(text(f.grund)), f.grund == Lesegrund::Keiner ? "x" : "");
    }
    EXPECT_STREQ(text(Lesegrund::Entitaeten), "das XML erklärt Entitäten; abgelehnt, nichts davon ausgewertet");
}

TEST(Einlesen, ArtAnDenErstenBytes)
{
    const struct {
        const char* fall;
        std::string bytes;
        Dateiart art;
    } faelle[] = {
        {"GPX", "<?xml version=\"1.0\"?><gpx>", Dateiart::Gpx},
        {"GPX mit Marke und Leerzeilen", "\xEF\xBB\xBF\r\n  <gpx>", Dateiart::Gpx},
        {"XML in UTF-16 LE", std::string("\xFF\xFE \0<\0?\0x\0", 10), Dateiart::Gpx},
        {"XML in UTF-16 BE", std::string("\xFE\xFF\0<\0?", 6), Dateiart::Gpx},
        {"Tabelle in UTF-16 (Excel)", std::string("\xFF\xFEO\0r\0t\0\t\0", 10), Dateiart::Unbekannt},
        {"GeoJSON", "{\"type\"", Dateiart::GeoJson},
        {"KMZ", "PK\x03\x04", Dateiart::Kmz},
        {"JPEG", "\xFF\xD8\xFF\xE1", Dateiart::Jpeg},
        {"HEIC", std::string("\0\0\0\x18" "ftypheic\0\0\0\0", 16), Dateiart::Heic},
        {"MP4", std::string("\0\0\0\x18" "ftypisom\0\0\0\0", 16), Dateiart::Unbekannt},
        {"Liste", "50 07 20 8 41 30\n", Dateiart::Unbekannt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        EXPECT_EQ(erkenneArt(reinterpret_cast<const unsigned char*>(f.bytes.data()), f.bytes.size()), f.art);
    }
}

TEST(Einlesen, FehlerzeileImXml)
{
    const Gelesen g = ausText("<?xml version=\"1.0\"?>\n<gpx>\n<wpt lat=\"50\" lon=\"8\">\n</gpx>\n");
    EXPECT_EQ(g.ergebnis.grund, Lesegrund::Xml);
    EXPECT_EQ(g.ergebnis.zeile, 4u);
    EXPECT_EQ(g.ergebnis.ausdruck, "mismatched tag");
}

TEST(Einlesen, Zeiten)
{
    const struct {
        const char* text;
        bool iso;
        std::optional<std::int64_t> sekunden;
        std::optional<int> versatz;
    } faelle[] = {
        {"2026-06-01T10:00:00Z", true, 1780308000, 0},
        {"2026-06-01T12:00:00+02:00", true, 1780315200, 7200},
        {"2026-06-01T10:00:00.250Z", true, 1780308000, 0},
        {"2026-06-01T10:00:00", true, 1780308000, std::nullopt},
        {"2024-02-29T00:00:00Z", true, 1709164800, 0},
        {"2026-02-29T00:00:00Z", true, std::nullopt, std::nullopt},
        {"2026-13-01T00:00:00Z", true, std::nullopt, std::nullopt},
        {"2026-06-01T24:00:00Z", true, std::nullopt, std::nullopt},
        {"2026-06-01T10:00:00+2", true, std::nullopt, std::nullopt},
        {"2026:06:01 12:00:00", false, 1780315200, std::nullopt},
        {"2026:06:01 12:00:00\0", false, 1780315200, std::nullopt},
        {"0000:00:00 00:00:00", false, std::nullopt, std::nullopt},
        {"2026:06:01", false, std::nullopt, std::nullopt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        const auto z = f.iso ? leseIsoZeit(f.text) : leseExifZeit(f.text);
        ASSERT_EQ(z.has_value(), f.sekunden.has_value());
        if (z) {
            EXPECT_EQ(z->sekunden, *f.sekunden);
            EXPECT_EQ(z->versatz, f.versatz);
        }
    }
    EXPECT_EQ(tageSeit1970(1970, 1, 1), 0);
    EXPECT_EQ(tageSeit1970(1969, 12, 31), -1);
}

TEST(Einlesen, FotoAufDerSpur)
{
    Spur s;
    for (const Fundpunkt& p : ausDatei(daten("spur.gpx")).punkte)
        s.nimm(p);
    s.ordne();
    ASSERT_EQ(s.groesse(), 3u);
    const auto lege = [&](std::optional<std::int64_t> utc, std::optional<std::int64_t> lokal, Zeitwahl w,
                          std::string& breite, std::string& laenge) {
        Fundpunkt foto;
        foto.grund = Punktgrund::OhnePosition;
        foto.utc = utc;
        foto.lokaleZeit = lokal;
        const Punktgrund g = s.lege(foto, w);
        breite = foto.breite;
        laenge = foto.laenge;
        return g;
    };
    const std::int64_t t0 = 1780308600;  // 10:10:00Z, the first track point
    Zeitwahl mez;
    mez.zone = 7200;
    Zeitwahl versetzt = mez;
    versetzt.uhrVersatz = -3600;  // the camera's clock an hour ahead
    Zeitwahl ortszeit;
    ortszeit.ortszeit = [](std::int64_t) { return std::optional<int>(7200); };
    const struct {
        const char* fall;
        std::optional<std::int64_t> utc, lokal;
        Zeitwahl w;
        Punktgrund grund;
        const char *breite, *laenge;
    } faelle[] = {
        {"auf einem Spurpunkt", t0, {}, {}, Punktgrund::Keiner, "50.1000000", "8.6000000"},
        {"zwischen zweien", t0 + 30, {}, {}, Punktgrund::Keiner, "50.1005000", "8.6010000"},
        {"Ortszeit in der Zone", {}, t0 + 7200 + 90, mez, Punktgrund::Keiner, "50.1015000", "8.6030000"},
        {"Ortszeit des Rechners", {}, t0 + 7200 + 90, ortszeit, Punktgrund::Keiner, "50.1015000", "8.6030000"},
        {"Uhr eine Stunde vor", {}, t0 + 7200 + 3600, versetzt, Punktgrund::Keiner, "50.1000000", "8.6000000"},
        {"nach dem Ende, in der Lücke", t0 + 120 + 299, {}, {}, Punktgrund::Keiner, "50.1020000", "8.6040000"},
        {"nach dem Ende, zu weit", t0 + 120 + 301, {}, {}, Punktgrund::FernVonSpur, "", ""},
        {"vor dem Anfang, zu weit", t0 - 301, {}, {}, Punktgrund::FernVonSpur, "", ""},
        {"ohne Zeit", {}, {}, {}, Punktgrund::OhneZeit, "", ""},
        {"Ortszeit ohne Zone", {}, t0, {}, Punktgrund::OhneZeit, "", ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        std::string b, l;
        EXPECT_EQ(lege(f.utc, f.lokal, f.w, b, l), f.grund);
        EXPECT_EQ(b, f.breite);
        EXPECT_EQ(l, f.laenge);
    }
    Spur leer;
    Fundpunkt foto;
    foto.utc = t0;
    EXPECT_EQ(leer.lege(foto, {}), Punktgrund::OhneSpur);
}

TEST(Einlesen, OrdnerMitVerknuepfungImKreis)
{
    namespace fs = std::filesystem;
    const fs::path o = fs::temp_directory_path() / "quadrix_einlesen_ordner";
    fs::remove_all(o);
    fs::create_directories(o / "b");
    for (const char* n : {"a.gpx", "b/c.JPG", "b/notiz.txt", "d.kmz"})
        std::fclose(std::fopen((o / n).string().c_str(), "wb"));
    bool verknuepft = false;
#ifndef _WIN32
    std::error_code f;
    fs::create_directory_symlink(o, o / "b" / "zurueck", f);
    verknuepft = !f;
#endif
    std::vector<std::string> gesehen;
    durchlaufe(o, [&](const fs::path& p, Lesegrund g) {
        gesehen.push_back(p.lexically_relative(o).generic_string() + (g == Lesegrund::Keiner ? "" : std::string(" ") + text(g)));
    });
    std::vector<std::string> erwartet = {"a.gpx", "b/c.JPG", "d.kmz"};
    if (verknuepft)
        erwartet.insert(erwartet.begin() + 2, std::string("b/zurueck ") + text(Lesegrund::OrdnerImKreis));
    EXPECT_EQ(gesehen, erwartet);
    fs::remove_all(o);
}
