// Minute fields, the EEA grid, UTM and MGRS: hand-checked points, points
// exactly on lines, projections against values measured with PROJ's cs2cs
// and GeographicLib's GeoConvert, codes read back, and round trips point ->
// code -> cell over dense samples.
#include "grid/eea.h"
#include "grid/gk.h"
#include "cells/gitter.h"
#include "grid/minutenfeld.h"
#include "grid/projektion.h"
#include "position/punkt.h"
#include "cells/umriss.h"
#include "grid/utm.h"
#include "grid/webmercator.h"
#include "cells/kasten.h"
#include "grid/ellipsoid.h"
#include "position/code.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

using mtb::Winkel;

std::string feldText(const char* punkt)
{
    quadrix::Punkt p;
    if (quadrix::lesePunkt(punkt, p) != quadrix::Fehler::Keine)
        return "Lesefehler";
    mtb::Minutenfeld f;
    if (!mtb::minutenfeld(p.breite, p.laenge, f))
        return "Fehler";
    return quadrix::minutenfeldText(f.zeile, f.spalte, f.quadrant(), f.zeileImQuadranten(), f.spalteImQuadranten());
}

// ---- Minute fields ----

TEST(Minutenfeld, HandCheckedAndOnLines)
{
    const struct { const char* punkt; const char* erwartet; } faelle[] = {
        {"50 07 20 8 41 30", "5818/322"},   // B 3007.3' -> field row 5; L 521.5' -> column 2
        {"50 12 00 8 40 00", "5818/111"},   // the sheet's north-west corner belongs to it
        {"50 06 00 8 40 00", "5918/111"},   // the south line is the next sheet's north line
        {"50 09 00 8 45 00", "5818/411"},   // middle parallel: south; middle meridian: east
        {"50 09 00 8 44 59", "5818/315"},
        {"50 09 01 8 45 00", "5818/231"},
        {"50 08 00 8 49 59", "5818/425"},   // a minute line of latitude: the field south of it
        {"50 08 00 8 50 00", "5819/321"},   // the sheet line of longitude: the eastern sheet
        {"50 08 00.0000000001 8 40 00", "5818/311"},
        {"50 10 59.9999999999 8 40 00", "5818/121"},
        {"55 06 00 8 20 00", "0916/111"},   // row 9: four digits
        {"50 07.5 8 41.5", "5818/322"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(feldText(f.punkt), f.erwartet) << f.punkt;
}

TEST(Minutenfeld, DigitsBackAndForth)
{
    for (int q = 1; q <= 4; ++q)
        for (int y = 1; y <= 3; ++y)
            for (int x = 1; x <= 5; ++x) {
                mtb::Minutenfeld f;
                ASSERT_TRUE(mtb::minutenfeldAus(58, 18, q, y, x, f));
                EXPECT_EQ(f.quadrant(), q);
                EXPECT_EQ(f.zeileImQuadranten(), y);
                EXPECT_EQ(f.spalteImQuadranten(), x);
            }
    mtb::Minutenfeld f;
    for (const auto& [q, y, x] : {std::tuple{0, 1, 1}, {5, 1, 1}, {1, 0, 1}, {1, 4, 1}, {1, 1, 0}, {1, 1, 6}})
        EXPECT_FALSE(mtb::minutenfeldAus(58, 18, q, y, x, f)) << q << y << x;
}

// Every field holds the points it names, by the grid's own rules, and lies
// in the sheet of the sheet grid; its quadrant is the first quadrant digit
// except on the sheet's middle meridian.
TEST(Minutenfeld, RoundTripDense)
{
    std::mt19937_64 zufall(7);
    for (int i = 0; i < 200000; ++i) {
        const int stellen = static_cast<int>(zufall() % 3) * 2;
        const std::int64_t eins = mtb::zehnHoch[stellen];
        // 47..55° N, 6..15° E, and a quarter of the points on minute lines.
        std::int64_t b = (169200 + static_cast<std::int64_t>(zufall() % 28800)) * eins + static_cast<std::int64_t>(zufall() % eins);
        std::int64_t l = (21600 + static_cast<std::int64_t>(zufall() % 32400)) * eins + static_cast<std::int64_t>(zufall() % eins);
        if (i % 4 == 0)
            b -= b % (60 * eins);
        if (i % 4 == 1)
            l -= l % (60 * eins);
        const Winkel B{b, stellen}, L{l, stellen};
        mtb::Minutenfeld f;
        mtb::Code c;
        ASSERT_TRUE(mtb::minutenfeld(B, L, f));
        ASSERT_TRUE(mtb::codeGenau(B, L, c));
        ASSERT_EQ(f.zeile, c.zeile);
        ASSERT_EQ(f.spalte, c.spalte);
        ASSERT_GE(f.feldZeile, 1);
        ASSERT_LE(f.feldZeile, 6);
        ASSERT_GE(f.feldSpalte, 1);
        ASSERT_LE(f.feldSpalte, 10);
        quadrix::Umriss u;
        const quadrix::Gitter g = quadrix::Gitter::Minutenfeld;
        const std::string code =
            quadrix::minutenfeldText(f.zeile, f.spalte, f.quadrant(), f.zeileImQuadranten(), f.spalteImQuadranten());
        ASSERT_TRUE(quadrix::leseUmriss(code, &g, u).keiner()) << code;
        ASSERT_TRUE(quadrix::enthaelt(u, {B, L}, 0, 0)) << code << " " << b << " " << l;
        const bool mittelmeridian = (l - ((c.spalte + 34) * 600 + 300) * eins) == 0;
        if (!mittelmeridian) {
            ASSERT_EQ(f.quadrant(), c.quadranten[0]) << code;
        }
    }
}

TEST(Minutenfeld, CodesRefused)
{
    const quadrix::Gitter g = quadrix::Gitter::Minutenfeld;
    quadrix::Umriss u;
    for (const char* falsch : {"", "5818", "5818/32", "5818/3221", "5818/532", "5818/342", "5818/316", "0018/111",
                               "5818/3/2/2", "58a8/322"})
        EXPECT_FALSE(quadrix::leseUmriss(falsch, &g, u).keiner()) << falsch;
}

// ---- Projections ----

// Measured with cs2cs (PROJ 9.1): EPSG:4258 to EPSG:3035, 25832 and 25833.
struct Vektor {
    double breite, laenge;
    int zone;  // 0: LAEA
    double ost, nord;
};
const Vektor vektoren[] = {
    {52, 10, 0, 4321000.000000, 3210000.000000},
    {50.1, 8.7, 0, 4227985.160569, 2999456.408526},
    {47.3, 13.2, 0, 4563109.417272, 2692608.655151},
    {54.9, 6.0, 0, 4064443.721093, 3539823.112553},
    {55.05, 15.0, 0, 4640406.627760, 3560478.995969},
    {48.0, 12.0, 0, 4470309.442165, 2767177.887233},
    {52, 10, 32, 568649.704896, 5761510.316431},
    {50.1, 8.7, 32, 478544.523799, 5549792.348371},
    {54.9, 6.0, 32, 307647.165653, 6087785.208389},
    {47.3, 13.2, 33, 363923.593842, 5240074.016162},
    {55.05, 15.0, 33, 500000.000000, 6100355.393920},
    {48.0, 12.0, 33, 276224.084601, 5320655.789070},
};

TEST(Projektion, AgreesWithProj)
{
    for (const auto& v : vektoren) {
        const proj::Ebene e = v.zone ? proj::utm(v.zone, {v.breite, v.laenge}) : proj::laea({v.breite, v.laenge});
        EXPECT_NEAR(e.ost, v.ost, 2e-6) << v.breite << " " << v.laenge << " zone " << v.zone;
        EXPECT_NEAR(e.nord, v.nord, 2e-6) << v.breite << " " << v.laenge << " zone " << v.zone;
    }
    // The centre of the LAEA projection, exactly.
    const proj::Ebene m = proj::laea({52, 10});
    EXPECT_EQ(m.ost, 4321000.0);
    EXPECT_EQ(m.nord, 3210000.0);
}

TEST(Projektion, InverseRoundTrip)
{
    std::mt19937_64 zufall(11);
    std::uniform_real_distribution<double> breite(46, 56), laenge(4, 17);
    for (int i = 0; i < 20000; ++i) {
        const proj::Geo g{breite(zufall), laenge(zufall)};
        const proj::Geo a = proj::laeaZurueck(proj::laea(g));
        ASSERT_NEAR(a.breite, g.breite, 1e-11);
        ASSERT_NEAR(a.laenge, g.laenge, 1e-11);
        const int zone = utm::zone(g.breite, g.laenge);
        const proj::Geo u = proj::utmZurueck(zone, proj::utm(zone, g));
        ASSERT_NEAR(u.breite, g.breite, 1e-11);
        ASSERT_NEAR(u.laenge, g.laenge, 1e-11);
    }
}

// ---- EEA ----

std::string eeaCode(double breite, double laenge, std::int64_t groesse, bool lang = false)
{
    eea::Zelle z;
    if (!eea::zelleVon(proj::laea({breite, laenge}), groesse, z))
        return "Fehler";
    return lang ? eea::lang(z) : eea::kurz(z);
}

TEST(Eea, HandChecked)
{
    const struct { double b, l; std::int64_t groesse; bool lang; const char* erwartet; } faelle[] = {
        {52, 10, 10000, false, "10kmE432N321"},  // the vector of the grid's documentation
        {52, 10, 1000, false, "1kmE4321N3210"},  // the centre lies on the lines: east and north
        {52, 10, 100, false, "100mE43210N32100"},
        {52, 10, 100000, false, "100kmE43N32"},
        {52, 10, 10000, true, "CRS3035RES10000mN3210000E4320000"},
        {52, 10, 100, true, "CRS3035RES100mN3210000E4321000"},
        {50.1, 8.7, 100, false, "100mE42279N29994"},
        {50.1, 8.7, 1000, true, "CRS3035RES1000mN2999000E4227000"},
        {47.3, 13.2, 10000, false, "10kmE456N269"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(eeaCode(f.b, f.l, f.groesse, f.lang), f.erwartet) << f.b << " " << f.l;
}

// Points projected back from exact cell corners land on the lines; the
// micrometre rule puts each in the cell east and north of it, at every size.
TEST(Eea, PointsOnCornersGoNorthEast)
{
    for (std::int64_t e = 4000000; e <= 4600000; e += 100000)
        for (std::int64_t n = 2700000; n <= 3500000; n += 100000) {
            const proj::Geo g = proj::laeaZurueck({static_cast<double>(e), static_cast<double>(n)});
            for (const std::int64_t groesse : eea::Groessen) {
                eea::Zelle z;
                ASSERT_TRUE(eea::zelleVon(proj::laea(g), groesse, z));
                EXPECT_EQ(z.ost * groesse, e) << groesse;
                EXPECT_EQ(z.nord * groesse, n) << groesse;
            }
        }
    // A micrometre short of the line stays west.
    eea::Zelle z;
    ASSERT_TRUE(eea::zelleVon({4319999.999999, 3210000}, 1000, z));
    EXPECT_EQ(z.ost, 4319);
    ASSERT_TRUE(eea::zelleVon({4319999.9999996, 3210000}, 1000, z));
    EXPECT_EQ(z.ost, 4320);
    EXPECT_FALSE(eea::zelleVon({-1, 3210000}, 1000, z));
}

TEST(Eea, CodesReadBack)
{
    const struct { const char* text; bool gut; std::int64_t groesse, ost, nord; } faelle[] = {
        {"10kmE432N321", true, 10000, 432, 321},
        {"100mE43210N32100", true, 100, 43210, 32100},
        {"100kmE43N32", true, 100000, 43, 32},
        {"1kmE1N0", true, 1000, 1, 0},
        {"CRS3035RES10000mN3210000E4320000", true, 10000, 432, 321},
        {"CRS3035RES100mN3210000E4321000", true, 100, 43210, 32100},
        {"", false, 0, 0, 0},
        {"10kmE432", false, 0, 0, 0},
        {"10kmN321E432", false, 0, 0, 0},
        {"7kmE1N1", false, 0, 0, 0},
        {"10kmE-1N3", false, 0, 0, 0},
        {"10kmE432N321x", false, 0, 0, 0},
        {"10KME432N321", false, 0, 0, 0},
        {"CRS3035RES10000mN3210001E4320000", false, 0, 0, 0},  // not on the 10 km lines
        {"CRS3035RES5000mN0E0", false, 0, 0, 0},
        {"10kmE1234567890N1", false, 0, 0, 0},
        {"100kmE99999N1", false, 0, 0, 0},  // beyond the Earth
    };
    for (const auto& f : faelle) {
        eea::Zelle z;
        ASSERT_EQ(eea::lese(f.text, z), f.gut) << f.text;
        if (f.gut) {
            EXPECT_EQ(z.groesse, f.groesse) << f.text;
            EXPECT_EQ(z.ost, f.ost) << f.text;
            EXPECT_EQ(z.nord, f.nord) << f.text;
        }
    }
}

// ---- UTM and MGRS ----

TEST(Utm, ZonesAndBandsOnTheirLines)
{
    const struct { double b, l; int zone; char band; } faelle[] = {
        {50, 5.9999999, 31, 'U'}, {50, 6, 32, 'U'},      {50, 11.9999999, 32, 'U'}, {50, 12, 33, 'U'},
        {50, 18, 34, 'U'},        {47.9999999, 10, 32, 'T'}, {48, 10, 32, 'U'},      {55.9999999, 5, 31, 'U'},
        {56, 5, 32, 'V'},         {57, 2.9999999, 31, 'V'}, {57, 3, 32, 'V'},        {57, 12, 33, 'V'},
        {64, 5, 31, 'W'},         {75, 8.9999999, 31, 'X'}, {75, 9, 33, 'X'},        {75, 21, 35, 'X'},
        {75, 33, 37, 'X'},        {75, 42, 38, 'X'},        {0, 0, 31, 'N'},         {50, 359, 30, 'U'},
        {50, 180, 1, 'U'},        {83.9999999, 10, 33, 'X'}, {84, 10, 0, 0},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(utm::zone(f.b, f.l), f.zone) << f.b << " " << f.l;
        EXPECT_EQ(utm::band(f.b), f.band) << f.b;
    }
}

std::string mgrs(double b, double l, int genauigkeit, int zone = 0)
{
    utm::Lage lage;
    std::string t;
    if (!utm::lage(b, l, zone, lage) || !utm::mgrsText(lage, genauigkeit, t))
        return "Fehler";
    return t;
}

// Expected values from GeographicLib's GeoConvert -m (which truncates as
// MGRS does) and cs2cs.
TEST(Utm, MgrsAndUtmTexts)
{
    const struct { double b, l; int genauigkeit, zone; const char* erwartet; } faelle[] = {
        {50.1, 8.7, 1, 0, "32UMA 78544 49792"},
        {50.1, 8.7, 10, 0, "32UMA 7854 4979"},
        {50.1, 8.7, 100, 0, "32UMA 785 497"},
        {50.1, 8.7, 1000, 0, "32UMA 78 49"},
        {50.1, 8.7, 100000, 0, "32UMA"},
        {47.3, 13.2, 1, 0, "33TUN 63923 40074"},
        {48.0, 12.0, 1, 0, "33UTP 76224 20655"},  // 12° E and 48° N: zone 33, band U
        {48.0, 12.0, 1, 32, "32UQU 23775 20655"}, // the same point in zone 32, forced
        {50.1, 8.7, 1, 33, "Fehler"},            // easting 49 km: west of the 100 km columns
        {50.1, 8.7, 5, 0, "Fehler"},
        {50.1, 1.0, 1, 33, "Fehler"},             // 14° from zone 33's meridian
    };
    for (const auto& f : faelle)
        EXPECT_EQ(mgrs(f.b, f.l, f.genauigkeit, f.zone), f.erwartet) << f.b << " " << f.l << " " << f.zone;

    utm::Lage lage;
    ASSERT_TRUE(utm::lage(50.1, 8.7, 0, lage));
    EXPECT_EQ(utm::utmText(lage), "32U 478544 5549792");
    EXPECT_FALSE(utm::lage(84, 8.7, 0, lage));
}

// Points projected back from whole-metre positions lie on metre lines: each
// belongs to the square east and north of its lines, in UTM and in MGRS.
TEST(Utm, PointsOnMetreLinesGoNorthEast)
{
    for (int zone : {32, 33})
        for (std::int64_t e = 300000; e <= 700000; e += 50000)
            for (std::int64_t n = 5250000; n <= 6050000; n += 100000) {
                const proj::Geo g = proj::utmZurueck(zone, {static_cast<double>(e), static_cast<double>(n)});
                utm::Lage l;
                ASSERT_TRUE(utm::lage(g.breite, g.laenge, zone, l));
                EXPECT_EQ(utm::utmText(l), std::to_string(zone) + utm::band(g.breite) + ' ' + std::to_string(e) +
                                               ' ' + std::to_string(n));
                std::string m;
                ASSERT_TRUE(utm::mgrsText(l, 1000, m));
                utm::Quadrat q;
                ASSERT_TRUE(utm::leseMgrs(m, q)) << m;
                EXPECT_EQ(q.ost, static_cast<double>(e)) << m;
                EXPECT_EQ(q.nord, static_cast<double>(n)) << m;
            }
}

TEST(Utm, ReadBack)
{
    const struct { const char* text; bool mgrs; bool gut; int zone; double ost, nord, seite; } faelle[] = {
        {"32UMA 78544 49792", true, true, 32, 478544, 5549792, 1},
        {"32UMA7854449792", true, true, 32, 478544, 5549792, 1},
        {"32uma 785 497", true, true, 32, 478500, 5549700, 100},
        {"32UMA 78 49", true, true, 32, 478000, 5549000, 1000},
        {"32UMA", true, true, 32, 400000, 5500000, 100000},
        {"33TUN 63923 40074", true, true, 33, 363923, 5240074, 1},
        {"32UMA 785 49", true, false, 0, 0, 0, 0},     // unequal digits
        {"32UIA 1 1", true, false, 0, 0, 0, 0},        // I is no column letter
        {"32UAA 1 1", true, false, 0, 0, 0, 0},        // A..H are zone 31's, 34's ... columns
        {"61UMA", true, false, 0, 0, 0, 0},
        {"32MA 1 1", true, false, 0, 0, 0, 0},
        {"32UMA 123456 123456", true, false, 0, 0, 0, 0},
        {"32U 478544 5549792", false, true, 32, 478544, 5549792, 1},
        {"32 478544 5549792", false, true, 32, 478544, 5549792, 1},
        {"32T 478544 5549792", false, false, 0, 0, 0, 0},  // 50° N is band U
        {"32U 478544", false, false, 0, 0, 0, 0},
        {"32U 478544 5549792 1", false, false, 0, 0, 0, 0},
        {"0U 478544 5549792", false, false, 0, 0, 0, 0},
    };
    for (const auto& f : faelle) {
        utm::Quadrat q;
        const bool ok = f.mgrs ? utm::leseMgrs(f.text, q) : utm::leseUtm(f.text, q);
        ASSERT_EQ(ok, f.gut) << f.text;
        if (ok) {
            EXPECT_EQ(q.zone, f.zone) << f.text;
            EXPECT_EQ(q.ost, f.ost) << f.text;
            EXPECT_EQ(q.nord, f.nord) << f.text;
            EXPECT_EQ(q.seite, f.seite) << f.text;
        }
    }
}

// Point -> code -> cell holds the point, for every grid of the ETRS89 family,
// and the code's form names its grid when no grid is given.
TEST(Gitter, RoundTripDense)
{
    std::mt19937_64 zufall(3);
    std::uniform_real_distribution<double> breite(47.2, 55.1), laenge(5.8, 15.2);
    const quadrix::Gitter gitter[] = {quadrix::Gitter::Eea100m, quadrix::Gitter::Eea1km, quadrix::Gitter::Eea10km,
                                   quadrix::Gitter::Eea100km, quadrix::Gitter::Utm,    quadrix::Gitter::Mgrs};
    for (int i = 0; i < 20000; ++i) {
        const double b = breite(zufall), l = laenge(zufall);
        quadrix::Punkt p{quadrix::winkelAusGrad(b), quadrix::winkelAusGrad(l)};
        for (const quadrix::Gitter g : gitter) {
            quadrix::Ausgabeform form;
            form.gitter = g;
            form.datum = quadrix::Datum::Etrs89;
            form.genauigkeit = g == quadrix::Gitter::Mgrs ? (i % 4 == 0 ? 1 : i % 4 == 1 ? 10 : i % 4 == 2 ? 100 : 1000) : 1;
            std::string code;
            quadrix::Verortung v;
            ASSERT_EQ(quadrix::gitterCode(p, form, code, &v), quadrix::Fehler::Keine) << b << " " << l;
            quadrix::Umriss u;
            ASSERT_TRUE(quadrix::leseUmriss(code, nullptr, u).keiner()) << code;
            ASSERT_EQ(u.gitter, g) << code;
            ASSERT_TRUE(quadrix::enthaelt(u, p, v.breite, v.laenge)) << code << " " << b << " " << l;
        }
    }
}

// ---- Gauss-Kruger ----

// cs2cs -d 4 EPSG:4314 EPSG:3146x (northing, easting), on the Potsdam datum.
TEST(GaussKrueger, ZonesTextsAndCs2cs)
{
    const struct { double breite, laenge; int zwang; const char* text; } faelle[] = {
        {50.12222222222, 8.69166666667, 0, "R 3477952 H 5553918"},  // 5553918.3310 3477952.6098
        {50.12222222222, 8.69166666667, 4, "R 4263460 H 5559116"},  // 5559116.1780 4263460.5598
        {54.0, 6.0, 0, "R 2500000 H 5985297"},   // on the central meridian: 5985297.5390 2500000.0000
        {48.0, 7.5, 0, "R 3388076 H 5318974"},   // on the zone edge, the zone east of it: 5318974.1100 3388076.8954
        {48.0, 7.4999999, 0, "R 2611923 H 5318974"},  // 5318974.1098 2611923.0972
        {51.0, 16.4, 0, "R 5598262 H 5652438"},  // 5652438.6161 5598262.7292
        {51.0, 16.5, 0, ""},                      // zone 6
        {51.0, 4.49, 0, ""},                      // zone 1
        {51.0, 12.0, 2, ""},                      // 6 degrees from zone 2's meridian
        {84.0, 9.0, 0, ""},
    };
    for (const auto& f : faelle) {
        gk::Lage l;
        const bool ok = gk::lage(f.breite, f.laenge, f.zwang, l);
        ASSERT_EQ(ok, *f.text != 0) << f.breite << " " << f.laenge;
        if (ok) {
            EXPECT_EQ(gk::gkText(l), f.text) << f.breite << " " << f.laenge;
        }
    }
}

// Points projected back from whole metres lie on metre lines: each belongs
// to the square metre east and north of its lines; and the way back.
TEST(GaussKrueger, MetreLinesAndInverse)
{
    for (int zone = 2; zone <= 5; ++zone)
        for (std::int64_t r = zone * 1000000 + 380000; r <= zone * 1000000 + 620000; r += 40000)
            for (std::int64_t h = 5230000; h <= 6100000; h += 145000) {
                const proj::Geo g = proj::gkZurueck(zone, {static_cast<double>(r), static_cast<double>(h)});
                gk::Lage l;
                ASSERT_TRUE(gk::lage(g.breite, g.laenge, zone, l));
                EXPECT_EQ(gk::gkText(l), "R " + std::to_string(r) + " H " + std::to_string(h));
                EXPECT_NEAR(l.ebene.ost, static_cast<double>(r), 1e-6);
                EXPECT_NEAR(l.ebene.nord, static_cast<double>(h), 1e-6);
            }
}

TEST(GaussKrueger, ReadBack)
{
    using F = gk::Lesefehler;
    const struct { const char* text; F fehler; int zone; double rechts, hoch, seite; } faelle[] = {
        {"R 3478544 H 5549792", F::Keine, 3, 3478544, 5549792, 1},
        {"3478544 5549792", F::Keine, 3, 3478544, 5549792, 1},
        {"r3478544 h5549792", F::Keine, 3, 3478544, 5549792, 1},
        {"RW 3478544 HW 5549792", F::Keine, 3, 3478544, 5549792, 1},
        {"Rechtswert: 3478544, Hochwert: 5549792", F::Keine, 3, 3478544, 5549792, 1},
        {"H 5549792 R 3478544", F::Keine, 3, 3478544, 5549792, 1},
        {"Hochwert=5549792; Rechtswert=3478544", F::Keine, 3, 3478544, 5549792, 1},
        {"R 3478544,5 H 5549792,25", F::Keine, 3, 3478544.5, 5549792.25, 0.1},  // the coarser of the two
        {"4478544 5549792", F::Keine, 4, 4478544, 5549792, 1},
        {"3478544,5549792", F::Keine, 3, 3478544, 5549792, 1},  // as a table's two columns
        {"3478544;5549792", F::Keine, 3, 3478544, 5549792, 1},
        {"5549792 3478544", F::Werte, 0, 0, 0, 0},  // unnamed: the Rechtswert first
        {"x 5549792 y 3478544", F::Keine, 3, 3478544, 5549792, 1},  // as geodesists write x and y
        {"x 3478544 y 5549792", F::Keine, 3, 3478544, 5549792, 1},  // as GIS writes them
        {"R 5450000 H 5700000", F::Keine, 5, 5450000, 5700000, 1},  // zone 5, named
        {"H 5700000 R 5450000", F::Keine, 5, 5450000, 5700000, 1},
        {"5700000 5450000", F::Mehrdeutig, 0, 0, 0, 0},  // zone 5 either way round: was read as R 5700000
        {"5450000 5700000", F::Mehrdeutig, 0, 0, 0, 0},
        {"x 5700000 y 5450000", F::Mehrdeutig, 0, 0, 0, 0},
        {"R 3478544 R 5549792", F::Form, 0, 0, 0, 0},  // named twice the same
        {"R 3478544 5549792", F::Form, 0, 0, 0, 0},    // named once
        {"R 3478544 x 5549792", F::Form, 0, 0, 0, 0},  // R with x
        {"6478544 5549792", F::Werte, 0, 0, 0, 0},     // zone 6
        {"1478544 5549792", F::Werte, 0, 0, 0, 0},
        {"R 1500000 H 5500000", F::Werte, 0, 0, 0, 0},
        {"3978544 5549792", F::Werte, 0, 0, 0, 0},     // beyond the zone's width
        {"347854 5549792", F::Form, 0, 0, 0, 0},       // six digits
        {"R 3478544 H 5549792 X", F::Form, 0, 0, 0, 0},
        {"R 3478544.1234 H 5549792", F::Form, 0, 0, 0, 0},  // finer than a millimetre
        {"Ost 3478544 Nord 5549792", F::Form, 0, 0, 0, 0},
        {"3478544", F::Form, 0, 0, 0, 0},
    };
    for (const auto& f : faelle) {
        gk::Wert w;
        ASSERT_EQ(gk::leseGk(f.text, w), f.fehler) << f.text;
        if (f.fehler == F::Keine) {
            EXPECT_EQ(w.zone, f.zone) << f.text;
            EXPECT_DOUBLE_EQ(w.ost, f.rechts) << f.text;
            EXPECT_DOUBLE_EQ(w.nord, f.hoch) << f.text;
            EXPECT_DOUBLE_EQ(w.seite, f.seite) << f.text;
        }
    }
}

// Point -> Gauss-Kruger -> square metre holds the point; the form names the
// grid; and outside the zones the point is refused.
TEST(GaussKrueger, RoundTripDense)
{
    std::mt19937_64 zufall(5);
    std::uniform_real_distribution<double> breite(47.2, 55.1), laenge(5.8, 15.2);
    quadrix::Ausgabeform form;
    form.gitter = quadrix::Gitter::Gk;
    for (int i = 0; i < 20000; ++i) {
        const double b = breite(zufall), l = laenge(zufall);
        quadrix::Punkt p{quadrix::winkelAusGrad(b), quadrix::winkelAusGrad(l)};
        std::string code;
        quadrix::Verortung v;
        ASSERT_EQ(quadrix::gitterCode(p, form, code, &v), quadrix::Fehler::Keine) << b << " " << l;
        quadrix::Umriss u;
        ASSERT_TRUE(quadrix::leseUmriss(code, nullptr, u).keiner()) << code;
        ASSERT_EQ(u.gitter, quadrix::Gitter::Gk) << code;
        ASSERT_TRUE(u.aufPotsdam());
        ASSERT_TRUE(quadrix::enthaelt(u, p, 0, 0)) << code << " " << b << " " << l;
    }
    quadrix::Punkt westlich{quadrix::winkelAusGrad(51), quadrix::winkelAusGrad(4)};
    std::string code;
    EXPECT_EQ(quadrix::gitterCode(westlich, form, code), quadrix::Zellfehler(quadrix::Zellfehler::Art::AusserhalbGk));
}

// Positions as input: only the plane grids' forms, never three numbers of degrees.
TEST(GaussKrueger, PositionsAsInput)
{
    const struct { const char* text; bool gut; quadrix::Gitter gitter; } faelle[] = {
        {"R 3478544 H 5549792", true, quadrix::Gitter::Gk},
        {"3478544 5549792", true, quadrix::Gitter::Gk},
        {"32U 478544 5549792", true, quadrix::Gitter::Utm},
        {"32 478544 5549792", true, quadrix::Gitter::Utm},
        {"32UMA 78544 49792", true, quadrix::Gitter::Mgrs},
        {"32UMA", true, quadrix::Gitter::Mgrs},
        {"50 07 20", false, {}},              // would be zone 50, 7 m east, 20 m north
        {"32 47854 5549792", false, {}},      // a five-digit easting
        {"32U 478544 554979", false, {}},     // a six-digit northing
        {"5818/3/3", false, {}},
        {"10kmE432N321", false, {}},
        {"50.12222 8.69167", false, {}},
    };
    for (const auto& f : faelle) {
        quadrix::Umriss u;
        ASSERT_EQ(quadrix::lesePosition(f.text, u), f.gut) << f.text;
        if (f.gut) {
            EXPECT_EQ(u.gitter, f.gitter) << f.text;
        }
    }
}

TEST(Gitter, PrecisionPicksLevel)
{
    const struct { double meter, breite; int ebene; } faelle[] = {
        {250, 50, 5}, {350, 50, 4}, {340, 50, 5}, {1000, 50, 3}, {1400, 50, 2},
        {5000, 50, 1}, {6000, 50, 0}, {100000, 50, 0}, {1, 50, 5},
        {340, 55, 4},  // in the north a column is narrower than a row is high
    };
    for (const auto& f : faelle)
        EXPECT_EQ(quadrix::ebeneFuerGenauigkeit(f.meter, f.breite), f.ebene) << f.meter << " m at " << f.breite;
}

// ---- Codes no finer than the position ----

// A point placed in metres from the south edge and the middle of a level-5
// cell's width (Potsdam datum), for the precision rule by hand.
quadrix::Punkt imZellenmass(const char* code, double meterNordVomSueden)
{
    quadrix::GelesenerCode g;
    EXPECT_EQ(quadrix::leseCode(code, g), quadrix::CodeFehler::Keine) << code;
    const mtb::Zelle z = mtb::zelle(g.code.zeile, g.code.spalte, g.code.quadranten, g.ebenen);
    double m = 0, p = 0;
    quadrix::meterJeBogen(z.sued / 60, m, p, quadrix::Bessel);
    const double b = z.sued / 60 + meterNordVomSueden / m * 180 / quadrix::Pi;
    return {quadrix::winkelAusGrad(b), quadrix::winkelAusGrad((z.west + z.breite / 2) / 60)};
}

TEST(Unsicherheit, CircleCutsTheCode)
{
    // The level-5 cell 5818/3/3/2/1/1 is about 347 m high.
    const struct { double meterNord, radius; int ebene; const char* warum; } faelle[] = {
        {5, 10, 4, "5 m from a level-5 line, 10 m radius: the level above"},
        {173.5, 1, 5, "the cell's centre, 1 m: all five levels"},
        {173.5, 150, 5, "the centre, 150 m: still inside"},
        {10.002, 10, 5, "two millimetres inside the line: held"},
        {10, 10, 4, "touching the line: not held (the point's own rounding)"},
        {9.9, 10, 4, "a little over the line"},
        {5, 0.5, 5, "half a metre"},
    };
    for (const auto& f : faelle) {
        const quadrix::Punkt p = imZellenmass("5818/3/3/2/1/1", f.meterNord);
        mtb::Code c;
        ASSERT_EQ(quadrix::codeImNetz(p, c), quadrix::Fehler::Keine);
        EXPECT_EQ(quadrix::ebeneFuerKreis(p, c, f.radius), f.ebene) << f.warum;
        quadrix::Ausgabeform form;
        form.unsicherheit = f.radius;
        std::string code;
        ASSERT_EQ(quadrix::gitterCode(p, form, code), quadrix::Fehler::Keine);
        EXPECT_EQ(code, std::string("5818/3/3/2/1/1").substr(0, 4 + 2 * f.ebene)) << f.warum;
    }
    // The distances themselves: at the centre half the cell's height at level 5.
    const quadrix::Punkt mitte = imZellenmass("5818/3/3/2/1/1", 173.5);
    mtb::Code c;
    ASSERT_EQ(quadrix::codeImNetz(mitte, c), quadrix::Fehler::Keine);
    double abstand[6];
    quadrix::abstaendeZuLinien(mitte, c, abstand);
    EXPECT_NEAR(abstand[5], 173.5, 0.5);
    for (int e = 1; e <= 5; ++e)
        EXPECT_LE(abstand[e], abstand[e - 1]);
}

TEST(Unsicherheit, BeyondTheSheetIsMarked)
{
    // 5 km around a point 300 m inside sheet 5818's south line, some 3 km from its west line.
    const quadrix::Punkt p = imZellenmass("5818/3/3/4/4/4", 300);
    mtb::Code c;
    ASSERT_EQ(quadrix::codeImNetz(p, c), quadrix::Fehler::Keine);
    EXPECT_EQ(quadrix::ebeneFuerKreis(p, c, 5000), -1);
    quadrix::Ausgabeform form;
    form.unsicherheit = 5000;
    std::string code;
    ASSERT_EQ(quadrix::gitterCode(p, form, code), quadrix::Fehler::Keine);
    EXPECT_EQ(code, "5818*");
    EXPECT_EQ(quadrix::blaetterImKreis(p, c, 5000), "5917, 5918, 5817");  // south-west, south, west
    // --levels still bounds it from above.
    form.unsicherheit = 1;
    form.ebenen = 2;
    code.clear();
    ASSERT_EQ(quadrix::gitterCode(p, form, code), quadrix::Fehler::Keine);
    EXPECT_EQ(code, "5818/3/3");
}

}  // namespace

// Web map pixels and tiles: corners of the world, a hand-computed tile of
// Frankfurt, and the tiles a view needs, wrapping east-west but not north-south.
TEST(WebMercator, PixelsAndTiles)
{
    const struct { double b, l, z, x, y; } punkte[] = {
        {0, 0, 0, 128, 128},
        {webmerc::GrenzBreite, -180, 0, 0, 0},
        {-webmerc::GrenzBreite, 180, 1, 512, 512},
        {89.9, 0, 0, 128, 0},  // beyond the square: on its edge
        {50.1109, 8.6821, 13, 4293.566008888889 * 256, 2774.3434453331593 * 256},
    };
    for (const auto& p : punkte) {
        const webmerc::Pixel px = webmerc::pixel(p.b, p.l, p.z);
        EXPECT_NEAR(px.x, p.x, 1e-6) << p.b << " " << p.l;
        EXPECT_NEAR(px.y, p.y, 1e-6) << p.b << " " << p.l;
    }
    double b = 0, l = 0;
    webmerc::grad(webmerc::pixel(50.1, 8.6, 13.5), 13.5, b, l);
    EXPECT_NEAR(b, 50.1, 1e-12);
    EXPECT_NEAR(l, 8.6, 1e-12);

    using K = webmerc::KachelNr;
    EXPECT_EQ(webmerc::kacheln({128, 128}, 256, 256, 1, 0), (std::vector<K>{{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}}));
    // A view of one tile with a margin of one at the world's top-left corner.
    EXPECT_EQ(webmerc::kacheln({0, 0}, 256, 256, 1, 1), (std::vector<K>{{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}}));
    // Frankfurt's tile first, its eight neighbours after it.
    const auto f = webmerc::kacheln({4293 * 256 + 64, 2774 * 256 + 64}, 128, 128, 13, 1);
    ASSERT_EQ(f.size(), 9u);
    EXPECT_EQ(f.front(), (K{13, 4293, 2774}));
    EXPECT_TRUE(webmerc::kacheln({0, 0}, 0, 256, 3).empty());
    EXPECT_TRUE(webmerc::kacheln({0, 0}, 256, 256, 20).empty());
}

// The sheets a box touches and their cells, as grid layers and the map take them.
TEST(Kasten, SheetsAndCellsInABox)
{
    const double innen[4] = {3007, 521, 3011, 529};  // inside sheet 5818
    auto blaetter = quadrix::blaetterIm(innen);
    ASSERT_EQ(blaetter.size(), 1u);
    EXPECT_EQ(blaetter[0].code.zeile, 58);
    EXPECT_EQ(blaetter[0].code.spalte, 18);
    // A box on the sheet's lines: a latitude line belongs to the sheet south
    // of it, a meridian to the sheet east of it, so 5818, 5819, 5918, 5919.
    const double rand[4] = {3006, 520, 3012, 530};
    const auto vier = quadrix::blaetterIm(rand);
    ASSERT_EQ(vier.size(), 4u);
    EXPECT_EQ(vier.back().code.zeile, 59);
    EXPECT_EQ(vier.back().code.spalte, 19);

    std::vector<std::string> codes;
    const auto sammle = [&](const quadrix::Umriss& u) { codes.push_back(u.code); return true; };
    EXPECT_TRUE(quadrix::zellenIn(quadrix::Gitter::Mtb, 1, blaetter[0], nullptr, sammle));
    EXPECT_EQ(codes, (std::vector<std::string>{"5818/1", "5818/2", "5818/3", "5818/4"}));
    // Only the cells that touch the box: the north-west quarter of the sheet's north-west quarter.
    codes.clear();
    const double ecke[4] = {3010.6, 520.1, 3011.9, 521.9};
    EXPECT_TRUE(quadrix::zellenIn(quadrix::Gitter::Mtb, 2, blaetter[0], ecke, sammle));
    EXPECT_EQ(codes, (std::vector<std::string>{"5818/1/1"}));
    // Stopping early.
    int gesehen = 0;
    EXPECT_FALSE(quadrix::zellenIn(quadrix::Gitter::Mtb, 3, blaetter[0], nullptr, [&](const quadrix::Umriss&) { return ++gesehen < 5; }));
    EXPECT_EQ(gesehen, 5);
}
