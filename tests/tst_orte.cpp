// Places by name and where a point lies in words, offline: search rows as
// users type names, distances and directions against GeographicLib's
// GeodSolve, the border of Germany on both sides.
#include "orte/orte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gefunden(const char* name)
{
    std::vector<std::string> aus;
    for (const orte::Ort* o : orte::suche(name))
        aus.push_back(std::string(o->name) + ", " + orte::gebiet(*o));
    return aus;
}

bool enthaelt(const std::vector<std::string>& v, const std::string& s)
{
    for (const std::string& x : v)
        if (x == s)
            return true;
    return false;
}

}  // namespace

TEST(Orte, SearchAsUsersTypeNames)
{
    const struct {
        const char* eingabe;
        std::vector<std::string> zuerst;  // the first places found, in order
    } faelle[] = {
        {"Grünwald", {"Grünwald, Bayern"}},  // the data has no Grünwald in Saxony (under 1,000 people)
        {"Gruenwald", {"Grünwald, Bayern"}},
        {"GRÜNWALD", {"Grünwald, Bayern"}},
        {"Frankfurt", {"Frankfurt am Main, Hessen", "Frankfurt (Oder), Brandenburg"}},
        {"Frankfurt/Oder", {"Frankfurt (Oder), Brandenburg"}},
        {"Frankfurt a. M.", {"Frankfurt am Main, Hessen"}},
        {"Bad Homburg", {"Bad Homburg vor der Höhe, Hessen"}},
        {"Bad Homburg v.d. Höhe", {"Bad Homburg vor der Höhe, Hessen"}},
        {"Homburg", {"Homburg, Saarland", "Bad Homburg vor der Höhe, Hessen"}},
        {"St. Ingbert", {"Sankt Ingbert, Saarland"}},
        {"Neustadt b. Coburg", {"Neustadt bei Coburg, Bayern"}},
        {"oberursel", {"Oberursel, Hessen"}},
        {"Muenchen", {"München, Bayern"}},
    };
    for (const auto& f : faelle) {
        const std::vector<std::string> v = gefunden(f.eingabe);
        ASSERT_GE(v.size(), f.zuerst.size()) << f.eingabe;
        for (std::size_t i = 0; i < f.zuerst.size(); ++i)
            EXPECT_EQ(v[i], f.zuerst[i]) << f.eingabe;
    }
    // "Neustadt" has dozens, each with its Land.
    const std::vector<std::string> n = gefunden("Neustadt");
    EXPECT_GE(n.size(), 15u);
    EXPECT_TRUE(enthaelt(n, "Neustadt in Holstein, Schleswig-Holstein"));
    EXPECT_TRUE(enthaelt(n, "Neustadt an der Orla, Thüringen"));
    // Names not in the data, and nothing to search.
    for (const char* nichts : {"Xyzzyhausen", "", "  ", "---"})
        EXPECT_TRUE(orte::suche(nichts).empty()) << nichts;
}

TEST(Orte, SearchForm)
{
    EXPECT_EQ(orte::suchform("Bad Homburg v.d. Höhe"), "bad homburg vor der hoehe");
    EXPECT_EQ(orte::suchform("St. Märgen"), "sankt maergen");
    EXPECT_EQ(orte::suchform("Straße"), "strasse");
}

// Distances and directions on the ellipsoid, against GeodSolve.
TEST(Orte, GeodesicAgainstGeodSolve)
{
    const double paare[][4] = {
        {50.20731, 8.57747, 50.2217, 8.5557},  {50.11552, 8.68417, 52.34714, 14.55062},
        {48.03947, 11.5232, 48.0395, 11.5233}, {54.9, 8.3, 47.3, 13.0},
        {47.5, 6.0, 47.5, 15.0},               {52.0, 10.0, 52.0, 10.0},
    };
    for (const auto& p : paare) {
        char befehl[256];
        std::snprintf(befehl, sizeof befehl, "echo '%.8f %.8f %.8f %.8f' | " QUADRIX_GEODSOLVE " -i -p 9", p[0], p[1], p[2], p[3]);
        FILE* f = popen(befehl, "r");
        ASSERT_NE(f, nullptr);
        double azi1 = 0, azi2 = 0, s12 = 0;
        ASSERT_EQ(std::fscanf(f, "%lf %lf %lf", &azi1, &azi2, &s12), 3);
        pclose(f);
        const orte::Strecke s = orte::geodaete(p[0], p[1], p[2], p[3]);
        EXPECT_NEAR(s.meter, s12, 1e-3) << p[0] << " " << p[1];
        if (s12 > 0) {
            EXPECT_NEAR(std::fmod(s.azimut - (azi1 < 0 ? azi1 + 360 : azi1) + 540, 360) - 180, 0, 1e-7) << p[0];
        }
    }
}

// "2,2 km nordwestlich von Oberursel": the nearest place, its distance rounded
// as written, the direction one of eight; checked against GeodSolve's figures.
TEST(Orte, WhereAPointLiesInWords)
{
    const struct {
        double breite, laenge;
        const char* text;
    } faelle[] = {
        {50.2217, 8.5557, "2,2 km nordwestlich von Oberursel"},       // GeodSolve: 2230.8 m, azimuth -44.1
        {50.20731, 8.57747, "in Oberursel"},
        {50.21631, 8.57747, "1,0 km nördlich von Oberursel"},          // 0.009° north: 1000.6 m
        {47.5596, 7.5886, "1,2 km östlich von Basel (Schweiz)"},
        {52.52437, 13.41053, "in Berlin"},
        {52.52, 13.405, "600 m südwestlich von Berlin"},  // not "in Mitte": districts of a city are not taken
    };
    for (const auto& f : faelle) {
        const auto l = orte::naechsterOrt(f.breite, f.laenge);
        ASSERT_TRUE(l) << f.text;
        EXPECT_EQ(orte::lageText(*l), f.text);
    }
    EXPECT_FALSE(orte::naechsterOrt(20.0, 60.0));  // the Arabian Sea: nothing within 50 km
}

TEST(Orte, TheLineOfEveryProgram)
{
    EXPECT_EQ(orte::beschreibung(50.2217, 8.5557), "2,2 km nordwestlich von Oberursel");
    EXPECT_EQ(orte::beschreibung(47.5596, 7.5886), "außerhalb Deutschlands: 1,2 km östlich von Basel (Schweiz)");
    // Latitude and longitude swapped: far from anything on the map.
    EXPECT_EQ(orte::beschreibung(8.69167, 50.12222), "außerhalb Deutschlands, kein Ort der Karte im Umkreis von 50 km");
}

TEST(Orte, InsideGermany)
{
    const struct {
        double breite, laenge;
        bool drin;
        const char* wo;
    } faelle[] = {
        {50.1155, 8.6842, true, "Frankfurt am Main"}, {54.9, 8.32, true, "Sylt"},
        {54.42, 13.43, true, "Rügen"},                {47.68, 9.15, true, "Konstanz (north of the old town: Natural Earth's outline is coarse there)"},
        {47.5596, 7.5886, false, "Basel"},             {48.5734, 7.7521, false, "Strasbourg"},
        {49.61, 6.13, false, "Luxembourg"},            {8.69, 50.12, false, "swapped: the Indian Ocean"},
        {52.23, 21.01, false, "Warsaw"},               {55.68, 12.57, false, "Copenhagen"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(orte::inDeutschland(f.breite, f.laenge), f.drin) << f.wo;
}
