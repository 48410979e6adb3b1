// ETRS89 -> Potsdam through BETA2007: against PROJ's cs2cs, and points
// whose code the datum changes.
#include "datum/datum.h"
#include "grid/gk.h"
#include "grid/projektion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

std::unique_ptr<quadrix::Transformation> transformation()
{
    quadrix::Gitterfehler fehler;
    auto t = quadrix::Transformation::erstelle(fehler);
    EXPECT_TRUE(t) << quadrix::text(fehler);
    return t;
}

std::string code(double breite, double laenge, const quadrix::Transformation* t)
{
    quadrix::Punkt p{quadrix::winkelAusGrad(breite), quadrix::winkelAusGrad(laenge)};
    if (quadrix::aufPotsdam(p, t) != quadrix::Umrechnungsfehler::Keine)
        return "ausserhalb";
    mtb::Code c;
    mtb::codeGenau(p.breite, p.laenge, c);
    return mtb::codeText(c.zeile, c.spalte, c.quadranten);
}

TEST(Datum, AgreesWithCs2cs)
{
    const auto t = transformation();
    ASSERT_TRUE(t);
    std::ifstream daten(QUADRIX_TESTDATEN "/etrs89_potsdam.txt");
    ASSERT_TRUE(daten);
    std::string zeile;
    int punkte = 0;
    while (std::getline(daten, zeile)) {
        if (zeile.empty() || zeile[0] == '#')
            continue;
        std::istringstream z(zeile);
        double b, l, erwartetB, erwartetL;
        z >> b >> l >> erwartetB >> erwartetL;
        double pb = b, pl = l;
        ASSERT_TRUE(t->zuPotsdam(pb, pl)) << zeile;
        EXPECT_NEAR(pb, erwartetB, 1e-9) << zeile;
        EXPECT_NEAR(pl, erwartetL, 1e-9) << zeile;
        // And back.
        ASSERT_TRUE(t->vonPotsdam(pb, pl));
        EXPECT_NEAR(pb, b, 1e-9);
        EXPECT_NEAR(pl, l, 1e-9);
        ++punkte;
    }
    EXPECT_EQ(punkte, 10);
}

TEST(Datum, ChangesTheCodeNearALine)
{
    const auto t = transformation();
    ASSERT_TRUE(t);
    // 49.99895 N in ETRS89 is 50.00010 N on Potsdam: north of the sheet line 50°.
    EXPECT_EQ(code(49.99895, 8.24812, nullptr), "6015/1/2/2/2/2");
    EXPECT_EQ(code(49.99895, 8.24812, t.get()), "5915/3/4/4/4/4");
    // Far from any line the datum changes nothing.
    EXPECT_EQ(code(50.12222, 8.69167, t.get()), "5818/3/3/2/1/1");
}

TEST(Datum, OutsideTheGridIsRefused)
{
    const auto t = transformation();
    ASSERT_TRUE(t);
    EXPECT_EQ(code(40.0, 8.0, t.get()), "ausserhalb");
    EXPECT_EQ(code(50.0, 30.0, t.get()), "ausserhalb");
}

// Our own reading of BETA2007 against PROJ applying the same grid (cct with
// hgridshift, which is what cs2cs does between DHDN and ETRS89 inside
// Germany), forward and inverse, on every grid node, on the edges of its
// cells and on a dense random sample over the grid's whole extent (47° to
// 55°18' N, 5°30' to 15°40' E). Outside Germany cs2cs itself picks other
// operations by their area of use; the grid is the grid everywhere.
struct Punkt2 {
    double b, l;
};

std::vector<Punkt2> stichprobe()
{
    std::vector<Punkt2> p;
    const double s = 47, n = 55.3, w = 5.5, o = 15 + 40.0 / 60, db = 0.1, dl = 1.0 / 6;
    for (int y = 0; y <= 83; ++y)
        for (int x = 0; x <= 61; ++x)
            p.push_back({s + y * db, w + x * dl});  // nodes
    std::mt19937_64 zufall(2007);
    std::uniform_real_distribution<double> anteil(0, 1);
    for (int i = 0; i < 3000; ++i) {
        const int y = int(anteil(zufall) * 83), x = int(anteil(zufall) * 61);
        p.push_back({s + y * db, w + (x + anteil(zufall)) * dl});  // on a parallel of the grid
        p.push_back({s + (y + anteil(zufall)) * db, w + x * dl});  // on a meridian of the grid
    }
    for (int i = 0; i < 20000; ++i)
        p.push_back({s + anteil(zufall) * (n - s), w + anteil(zufall) * (o - w)});
    return p;
}

// PROJ's answers, lon lat; an empty line where it has none.
std::vector<std::string> proj(const std::vector<Punkt2>& punkte, bool vorwaerts)
{
    const auto ordner = std::filesystem::temp_directory_path();
    const std::string kennung = std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + (vorwaerts ? "v" : "r");
    const auto ein = ordner / ("quadrix-beta-ein-" + kennung);
    const auto aus = ordner / ("quadrix-beta-aus-" + kennung);
    {
        std::ofstream f(ein);
        f.precision(17);
        for (const auto& p : punkte)
            f << p.l << ' ' << p.b << " 0 0\n";
    }
    const std::string befehl = std::string(QUADRIX_CCT) + (vorwaerts ? "" : " -I") +
                               " -d 13 +proj=hgridshift +grids=BETA2007.gsb <" + ein.string() + " >" + aus.string() +
                               " 2>/dev/null";
    EXPECT_EQ(std::system(befehl.c_str()), 0);
    std::vector<std::string> zeilen;
    std::ifstream f(aus);
    for (std::string z; std::getline(f, z);) {
        if (z.rfind("# Record", 0) == 0) {
            std::getline(f, z);  // the reason, on a line of its own
            z.clear();
        }
        zeilen.push_back(z);
    }
    std::filesystem::remove(ein);
    std::filesystem::remove(aus);
    return zeilen;
}

void vergleiche(bool vorwaerts)
{
    quadrix::Gitterfehler fehler;
    const auto t = quadrix::Transformation::erstelle(fehler);
    ASSERT_TRUE(t) << quadrix::text(fehler);
    const auto punkte = stichprobe();
    const auto zeilen = proj(punkte, vorwaerts);
    ASSERT_EQ(zeilen.size(), punkte.size());
    double groesste = 0;
    int verglichen = 0;
    for (std::size_t i = 0; i < punkte.size(); ++i) {
        double b = punkte[i].b, l = punkte[i].l;
        const bool unser = vorwaerts ? t->vonPotsdam(b, l) : t->zuPotsdam(b, l);
        const bool beiProj = !zeilen[i].empty();
        ASSERT_EQ(unser, beiProj) << punkte[i].b << " " << punkte[i].l << ": " << zeilen[i];
        if (!beiProj)
            continue;
        std::istringstream z(zeilen[i]);
        double pb = 0, pl = 0;
        z >> pl >> pb;
        groesste = std::max({groesste, std::fabs(pb - b), std::fabs(pl - l)});
        EXPECT_NEAR(b, pb, 1e-10) << punkte[i].b << " " << punkte[i].l;
        EXPECT_NEAR(l, pl, 1e-10) << punkte[i].b << " " << punkte[i].l;
        ++verglichen;
    }
    EXPECT_GT(verglichen, 25000);
    std::printf("%s: %d points, largest difference to PROJ %.3g degrees\n", vorwaerts ? "DHDN -> ETRS89" : "ETRS89 -> DHDN",
                verglichen, groesste);
}

// Gauss-Kruger against cs2cs (EPSG:4314 to EPSG:31466..31469, the Potsdam
// datum's own projection, no shift): a dense sample over Germany in each
// point's own zone and in the neighbour zones a forced --zone reaches, and
// the zone edges.
TEST(GaussKrueger, AgreesWithCs2cs)
{
    const auto ordner = std::filesystem::temp_directory_path();
    double groesste = 0;
    int verglichen = 0;
    for (int zone = gk::ErsteZone; zone <= gk::LetzteZone; ++zone) {
        std::vector<Punkt2> punkte;
        for (int i = 0; i <= 164; ++i)
            for (int j = 0; j <= 100; ++j) {
                const double b = 47 + i * 0.05, l = 5.5 + j * 0.1;
                if (std::fabs(l - 3.0 * zone) <= gk::MaxAbstand)
                    punkte.push_back({b, l});
            }
        for (double b : {47.3, 50.0, 54.9})
            for (double kante : {3.0 * zone - 1.5, 3.0 * zone + 1.5})
                for (double d : {-1e-9, 0.0, 1e-9})
                    punkte.push_back({b, kante + d});
        const auto kennung = std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "gk" +
                             std::to_string(zone);
        const auto ein = ordner / ("quadrix-gk-ein-" + kennung), aus = ordner / ("quadrix-gk-aus-" + kennung);
        {
            std::ofstream f(ein);
            f.precision(17);
            for (const auto& p : punkte)
                f << p.b << ' ' << p.l << '\n';
        }
        const std::string befehl = std::string(QUADRIX_CS2CS) + " -d 7 EPSG:4314 EPSG:314" +
                                   std::to_string(64 + zone) + " <" + ein.string() + " >" + aus.string();
        ASSERT_EQ(std::system(befehl.c_str()), 0);
        std::ifstream f(aus);
        for (const auto& p : punkte) {
            double hoch = 0, rechts = 0;
            ASSERT_TRUE(f >> hoch >> rechts) << p.b << " " << p.l;
            f.ignore(1000, '\n');
            const proj::Ebene e = proj::gk(zone, {p.b, p.l});
            groesste = std::max({groesste, std::fabs(e.ost - rechts), std::fabs(e.nord - hoch)});
            EXPECT_NEAR(e.ost, rechts, 1e-4) << zone << ": " << p.b << " " << p.l;
            EXPECT_NEAR(e.nord, hoch, 1e-4) << zone << ": " << p.b << " " << p.l;
            ++verglichen;
        }
        std::filesystem::remove(ein);
        std::filesystem::remove(aus);
    }
    EXPECT_GT(verglichen, 25000);
    std::printf("Gauss-Kruger: %d points in zones 2 to 5, largest difference to cs2cs %.3g m\n", verglichen,
                groesste);
}

TEST(Beta2007, ForwardAgreesWithProjEverywhere) { vergleiche(true); }
TEST(Beta2007, InverseAgreesWithProjEverywhere) { vergleiche(false); }

}  // namespace

namespace {

// Two points at once give bit for bit what each gives alone, over the
// sample against PROJ (edges of the grid and beyond included), in every
// pairing of a point with its neighbours in the list.
TEST(Beta2007, TwoAtOnceAsEachAlone)
{
    const auto t = transformation();
    ASSERT_TRUE(t);
    auto punkte = stichprobe();
    punkte.push_back({NAN, 8});
    punkte.push_back({50, INFINITY});
    std::size_t verglichen = 0;
    for (std::size_t versatz = 1; versatz <= 3; ++versatz)
        for (std::size_t i = 0; i + versatz < punkte.size(); i += 2) {
            const auto& a = punkte[i];
            const auto& b = punkte[i + versatz];
            double einzelnB[2] = {a.b, b.b}, einzelnL[2] = {a.l, b.l};
            bool einzeln[2] = {t->zuPotsdam(einzelnB[0], einzelnL[0]), t->zuPotsdam(einzelnB[1], einzelnL[1])};
            double zweiB[2] = {a.b, b.b}, zweiL[2] = {a.l, b.l};
            bool zwei[2];
            t->zuPotsdamZwei(zweiB, zweiL, zwei);
            for (int k = 0; k < 2; ++k) {
                ASSERT_EQ(zwei[k], einzeln[k]) << zweiB[k] << " " << zweiL[k];
                if (!einzeln[k])
                    continue;
                ASSERT_EQ(std::memcmp(&zweiB[k], &einzelnB[k], sizeof(double)), 0);
                ASSERT_EQ(std::memcmp(&zweiL[k], &einzelnL[k], sizeof(double)), 0);
                ++verglichen;
            }
            // And as Punkte, with their failures.
            quadrix::Punkt p[2] = {{quadrix::winkelAusGrad(a.b), quadrix::winkelAusGrad(a.l)},
                                   {quadrix::winkelAusGrad(b.b), quadrix::winkelAusGrad(b.l)}};
            quadrix::Punkt q[2] = {p[0], p[1]};
            quadrix::Umrechnungsfehler f[2];
            quadrix::aufPotsdamZwei(q, t.get(), f);
            for (int k = 0; k < 2; ++k) {
                const quadrix::Umrechnungsfehler allein = quadrix::aufPotsdam(p[k], t.get());
                ASSERT_EQ(f[k], allein);
                if (allein == quadrix::Umrechnungsfehler::Keine) {
                    ASSERT_EQ(q[k].breite.einheiten, p[k].breite.einheiten);
                    ASSERT_EQ(q[k].laenge.einheiten, p[k].laenge.einheiten);
                }
            }
        }
    EXPECT_GT(verglichen, 50000u);
}

}  // namespace
