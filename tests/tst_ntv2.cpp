// NTv2 grid files: what is read from their bytes, and what is refused.
#include "datum/datum.h"
#include "datum/ntv2.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double Sekunde = 3.14159265358979323846 / 180 / 3600;

std::string satz(const char* name, const std::string& wert)
{
    std::string s(name);
    s.resize(8, ' ');
    std::string w = wert;
    w.resize(8, '\0');
    return s + w;
}
template <typename T>
std::string roh(T t, bool gross = false)
{
    std::string s(sizeof t, '\0');
    std::memcpy(s.data(), &t, sizeof t);
    if (gross)
        s.assign(s.rbegin(), s.rend());
    return s;
}
std::string ganz(std::int32_t v, bool g = false) { return roh(v, g) + std::string(4, '\0'); }
std::string text(const char* t) { std::string s(t); s.resize(8, ' '); return s; }

// A grid of 2 x 2 nodes from 50° N, 8°20' E, 6' by 10', with shifts of its own
// per node; big-endian when gross.
std::string gitter(bool gross = false, std::int32_t teilgitter = 1, float verschiebung = 0)
{
    std::string b = satz("NUM_OREC", ganz(11, gross)) + satz("NUM_SREC", ganz(11, gross)) +
                    satz("NUM_FILE", ganz(teilgitter, gross)) + satz("GS_TYPE", text("SECONDS")) +
                    satz("VERSION", text("NTv2.0")) + satz("SYSTEM_F", text("DHDN90")) +
                    satz("SYSTEM_T", text("ETRS89")) + satz("MAJOR_F", roh(6377397.155, gross)) +
                    satz("MINOR_F", roh(6356078.963, gross)) + satz("MAJOR_T", roh(6378137.0, gross)) +
                    satz("MINOR_T", roh(6356752.314, gross));
    b += satz("SUB_NAME", text("DHDN90")) + satz("PARENT", text("NONE")) + satz("CREATED", text("")) +
         satz("UPDATED", text("")) + satz("S_LAT", roh(180000.0, gross)) + satz("N_LAT", roh(180360.0, gross)) +
         satz("E_LONG", roh(-30600.0, gross)) + satz("W_LONG", roh(-30000.0, gross)) +
         satz("LAT_INC", roh(360.0, gross)) + satz("LONG_INC", roh(600.0, gross)) + satz("GS_COUNT", ganz(4, gross));
    // Records row by row from the south, east to west; latitude shift, longitude shift (west positive).
    const float knoten[4][2] = {{-3, -2}, {-2, -1}, {-3.5f + verschiebung, -2.5f}, {-2.5f, -1.5f}};
    for (const auto& k : knoten)
        b += roh(k[0], gross) + roh(k[1], gross) + roh(0.f, gross) + roh(0.f, gross);
    return b + satz("END", "");
}

TEST(Ntv2, ReadsTheGrid)
{
    for (bool gross : {false, true}) {
        quadrix::ntv2::Gitter g;
        ASSERT_EQ(quadrix::ntv2::lese(gitter(gross), g), quadrix::ntv2::Lesefehler::Keine) << gross;
        EXPECT_EQ(g.spalten, 2);
        EXPECT_EQ(g.zeilen, 2);
        EXPECT_NEAR(g.west, 30000 * Sekunde, 1e-15);
        EXPECT_NEAR(g.ost, 30600 * Sekunde, 1e-15);
        // The south-west node is the second record (records run east to west);
        // its longitude shift, west positive in the file, points east here.
        EXPECT_NEAR(g.verschiebung[0], 1 * Sekunde, 1e-12);
        EXPECT_NEAR(g.verschiebung[1], -2 * Sekunde, 1e-12);
    }
}

// At a node its own shift; in the middle of a cell the mean of four.
TEST(Ntv2, InterpolatesBilinearly)
{
    quadrix::ntv2::Gitter g;
    ASSERT_EQ(quadrix::ntv2::lese(gitter(), g), quadrix::ntv2::Lesefehler::Keine);
    double lam = g.west, phi = g.sued;
    ASSERT_TRUE(quadrix::ntv2::vorwaerts(g, lam, phi));
    EXPECT_NEAR((lam - g.west) / Sekunde, 1, 1e-6);
    EXPECT_NEAR((phi - g.sued) / Sekunde, -2, 1e-6);
    lam = (g.west + g.ost) / 2;
    phi = (g.sued + g.nord) / 2;
    ASSERT_TRUE(quadrix::ntv2::vorwaerts(g, lam, phi));
    EXPECT_NEAR((lam - (g.west + g.ost) / 2) / Sekunde, (1 + 2 + 1.5 + 2.5) / 4, 1e-6);
    EXPECT_NEAR((phi - (g.sued + g.nord) / 2) / Sekunde, (-2 - 3 - 2.5 - 3.5) / 4, 1e-6);
    // And back.
    ASSERT_TRUE(quadrix::ntv2::rueckwaerts(g, lam, phi));
    EXPECT_NEAR(lam, (g.west + g.ost) / 2, 1e-14);
    EXPECT_NEAR(phi, (g.sued + g.nord) / 2, 1e-14);
}

TEST(Ntv2, OutsideIsRefused)
{
    quadrix::ntv2::Gitter g;
    ASSERT_EQ(quadrix::ntv2::lese(gitter(), g), quadrix::ntv2::Lesefehler::Keine);
    const double aussen[][2] = {{g.west - 1e-6, g.sued}, {g.ost + 1e-6, g.sued}, {g.west, g.nord + 1e-6},
                                {g.west, g.sued - 1e-6}, {NAN, g.sued}, {g.west, INFINITY}};
    for (const auto& a : aussen) {
        double lam = a[0], phi = a[1];
        EXPECT_FALSE(quadrix::ntv2::vorwaerts(g, lam, phi)) << a[0] << " " << a[1];
    }
    // The last line of the grid is still in.
    double lam = g.ost, phi = g.nord;
    EXPECT_TRUE(quadrix::ntv2::vorwaerts(g, lam, phi));
}

// Two points at once take exactly the steps each takes alone: on a lattice
// from a little outside the small grid across it, so that some guesses
// leave the grid on their way, paired with every kind of neighbour.
TEST(Ntv2, TwoAtOnceAsEachAlone)
{
    quadrix::ntv2::Gitter g;
    ASSERT_EQ(quadrix::ntv2::lese(gitter(false, 1, 40), g), quadrix::ntv2::Lesefehler::Keine);
    std::vector<std::pair<double, double>> punkte;
    for (int y = -3; y <= 23; ++y)
        for (int x = -3; x <= 23; ++x)
            punkte.emplace_back(g.west + (g.ost - g.west) * x / 20 + 3 * Sekunde * (y % 2),
                                g.sued + (g.nord - g.sued) * y / 20);
    punkte.emplace_back(NAN, g.sued);
    int drinnen = 0, draussen = 0;
    for (std::size_t i = 0; i + 1 < punkte.size(); ++i) {
        const std::size_t j = (i * 7 + 3) % punkte.size();
        double lam[2] = {punkte[i].first, punkte[j].first}, phi[2] = {punkte[i].second, punkte[j].second};
        bool ok[2];
        quadrix::ntv2::rueckwaertsZwei(g, lam, phi, ok);
        for (int k = 0; k < 2; ++k) {
            const auto& p = k == 0 ? punkte[i] : punkte[j];
            double l = p.first, b = p.second;
            const bool allein = quadrix::ntv2::rueckwaerts(g, l, b);
            ASSERT_EQ(ok[k], allein) << p.first << " " << p.second;
            if (!allein) {
                ++draussen;
                continue;
            }
            ++drinnen;
            ASSERT_EQ(std::memcmp(&lam[k], &l, sizeof l), 0);
            ASSERT_EQ(std::memcmp(&phi[k], &b, sizeof b), 0);
        }
    }
    EXPECT_GT(drinnen, 500);
    EXPECT_GT(draussen, 100);
}

struct Kaputt {
    const char* name;
    std::string bytes;
    const char* grund;
};

TEST(Ntv2, DamagedFilesAreRefusedWithTheirReason)
{
    std::string falscheZahl = gitter();
    falscheZahl.replace(21 * 16 + 8, 4, roh(std::int32_t(5)));
    std::string kopf = gitter();
    kopf.replace(15 * 16, 8, "X_LAT   ");
    std::string masche = gitter();
    masche.replace(19 * 16 + 8, 8, roh(0.0));
    std::string ausdehnung = gitter();
    ausdehnung.replace(16 * 16 + 8, 8, roh(180100.0));
    std::string grad = gitter();
    grad.replace(3 * 16 + 8, 8, "MINUTES ");
    const Kaputt faelle[] = {
        {"empty",                 "",                               "zu kurz"},
        {"header only",           gitter().substr(0, 200),          "zu kurz"},
        {"truncated",             gitter().substr(0, 400),          "abgeschnitten"},
        {"no NTv2",               std::string(400, 'x'),            "kein NTv2-Gitter"},
        {"two subgrids",          gitter(false, 2),                 "mehrere Teilgitter"},
        {"not in seconds",        grad,                             "Bogensekunden"},
        {"wrong node count",      falscheZahl,                      "Zahl der Gitterpunkte"},
        {"damaged subgrid header", kopf,                            "beschädigt"},
        {"zero spacing",          masche,                           "kein Gitter"},
        {"extent off the mesh",   ausdehnung,                       "Vielfaches"},
        {"NaN shift",             gitter(false, 1, NAN),            "unmögliche Verschiebungen"},
        {"huge shift",            gitter(false, 1, 1e6f),           "unmögliche Verschiebungen"},
        // Found by fuzzing: a shift of 13′ passed and moved points by as much.
        {"shift of a minute",     gitter(false, 1, 63.5f),          "unmögliche Verschiebungen"},
    };
    for (const auto& f : faelle) {
        quadrix::ntv2::Gitter g;
        const quadrix::ntv2::Lesefehler fehler = quadrix::ntv2::lese(f.bytes, g);
        ASSERT_NE(fehler, quadrix::ntv2::Lesefehler::Keine) << f.name;
        const char* grund = quadrix::ntv2::text(fehler);
        EXPECT_NE(std::string(grund).find(f.grund), std::string::npos) << f.name << ": " << grund;
    }
}

// Moves every point north by a tenth of a degree from Potsdam to ETRS89;
// knows nothing south of 45 degrees.
class Verschiebung final : public quadrix::Transformation {
public:
    explicit Verschiebung(bool verfuegbar = true) : m_verfuegbar(verfuegbar) {}
    bool verfuegbar() const override { return m_verfuegbar; }
    bool zuPotsdam(double& b, double&) const override { return m_verfuegbar && b > 45 && (b -= 0.1, true); }
    bool vonPotsdam(double& b, double&) const override { return m_verfuegbar && b > 45 && (b += 0.1, true); }
    const std::string& beschreibung() const override { return m_name; }

private:
    bool m_verfuegbar;
    std::string m_name = "Verschiebung";
};

TEST(Datum, VerorteOnBothDatums)
{
    using quadrix::Datum;
    using Fehler = quadrix::Umrechnungsfehler;
    const Verschiebung t, fehlt(false);
    const struct {
        const char* name;
        double breite;
        Datum datum;
        const quadrix::Transformation* t;
        unsigned bedarf;
        Fehler fehler;
        double potsdam, etrs;
    } faelle[] = {
        {"Potsdam stays, ETRS89 shifted", 50, Datum::Potsdam, &t, quadrix::AufPotsdam | quadrix::InEtrs89, Fehler::Keine, 50, 50.1},
        {"auto counts as Potsdam", 50, Datum::Auto, &t, quadrix::AufPotsdam | quadrix::InEtrs89, Fehler::Keine, 50, 50.1},
        {"WGS84 shifted back", 50, Datum::Wgs84, &t, quadrix::AufPotsdam | quadrix::InEtrs89, Fehler::Keine, 49.9, 50},
        {"Potsdam needs nothing for itself", 50, Datum::Potsdam, nullptr, quadrix::AufPotsdam, Fehler::Keine, 50, 0},
        {"ETRS89 needs nothing for itself", 50, Datum::Etrs89, nullptr, quadrix::InEtrs89, Fehler::Keine, 0, 50},
        {"WGS84 without a transformation", 50, Datum::Wgs84, nullptr, quadrix::AufPotsdam, Fehler::KeineUmrechnung, 0, 0},
        {"Potsdam to ETRS89 without one", 50, Datum::Potsdam, nullptr, quadrix::InEtrs89, Fehler::KeineUmrechnung, 0, 0},
        {"grid missing", 50, Datum::Etrs89, &fehlt, quadrix::AufPotsdam, Fehler::KeineUmrechnung, 0, 0},
        {"outside the grid", 40, Datum::Etrs89, &t, quadrix::AufPotsdam, Fehler::AusserhalbGitter, 0, 0},
        {"outside the grid, other way", 40, Datum::Potsdam, &t, quadrix::InEtrs89, Fehler::AusserhalbGitter, 0, 0},
    };
    for (const auto& f : faelle) {
        const quadrix::Punkt p{quadrix::winkelAusGrad(f.breite), quadrix::winkelAusGrad(8)};
        quadrix::Lage lage;
        ASSERT_EQ(quadrix::verorte(p, f.datum, f.t, f.bedarf, lage), f.fehler) << f.name;
        if (f.fehler != Fehler::Keine)
            continue;
        if (f.bedarf & quadrix::AufPotsdam) {
            EXPECT_NEAR(quadrix::grad(lage.potsdam->breite), f.potsdam, 1e-9) << f.name;
        }
        if (f.bedarf & quadrix::InEtrs89) {
            EXPECT_NEAR(lage.breite, f.etrs, 1e-9) << f.name;
        }
    }
}

}  // namespace
