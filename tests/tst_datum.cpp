// ETRS89 -> Potsdam through BETA2007: against PROJ's cs2cs, and points
// whose code the datum changes.
#include "datum.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::unique_ptr<mtbq::Transformation> transformation()
{
    std::string fehler;
    auto t = mtbq::Transformation::erstelle(fehler);
    EXPECT_TRUE(t) << fehler;
    return t;
}

std::string code(double breite, double laenge, const mtbq::Transformation* t)
{
    mtbq::Punkt p{mtbq::winkelAusGrad(breite), mtbq::winkelAusGrad(laenge)};
    if (mtbq::aufPotsdam(p, t) != mtbq::Fehler::Keine)
        return "ausserhalb";
    mtb::Code c;
    mtb::codeGenau(p.breite, p.laenge, c);
    return std::to_string(c.zeile) + std::to_string(c.spalte) + mtb::quadrantenText(c.quadranten);
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

}  // namespace
