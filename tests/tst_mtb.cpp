// Sheet and quadrant computation: hand-checked points and an exhaustive
// comparison with exact integer arithmetic from the grid definition.
#include "grid/mtb.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Punkt {
    const char* name;
    const char *gN, *mN, *sN, *gO, *mO, *sO;
    const char* erwartet;
};

// Expected codes worked out by hand from the grid definition.
const Punkt punkte[] = {
    // name                          gN    mN    sN    gO    mO    sO    expected
    {"Frankfurt Stadtwald",         "50", "07", "20", "8",  "41", "30", "5818/3/3/2/1/1"},
    {"both sheet lines",            "50", "00", "00", "10", "00", "00", "6026/1/1/1/1/1"},
    {"row line, level-1 half line", "49", "30", "00", "10", "45", "00", "6530/1/2/2/2/2"},
    {"sheet centre, ties SW",       "49", "57", "00", "10", "05", "00", "6026/3/2/2/2/2"},
    {"ties at level 2",             "49", "58", "30", "10", "07", "30", "6026/2/3/2/2/2"},
    {"60 s and 60 min carry",       "49", "29", "60", "10", "44", "60", "6530/1/2/2/2/2"},
    {"row below 10",                "55", "03", "00", "8",  "25", "00", "916/3/2/2/2/2"},
    {"column below 10",             "50", "46", "00", "6",  "05", "00", "522/1/4/2/4/2"},
    {"origin, negative column",     "0",  "00", "00", "0",  "00", "00", "560-34/1/1/1/1/1"},
    {"leading zeros",               "050", "007", "020", "008", "041", "030", "5818/3/3/2/1/1"},
    {"last second before row line", "49", "59", "59", "10", "00", "00", "6026/1/1/1/1/1"},
    {"last second before col line", "50", "00", "00", "9",  "59", "59", "6025/2/2/2/2/2"},
    {"upper bounds",                "90", "60", "60", "360", "60", "60", "-3512132/3/3/1/4/2"},
};

TEST(Mtb, HandCheckedPoints)
{
    for (const auto& p : punkte) {
        const auto b = mtb::berechne(p.gN, p.mN, p.sN, p.gO, p.mO, p.sO);
        ASSERT_TRUE(b.ergebnis) << p.name;
        EXPECT_EQ(b.ergebnis->text(), p.erwartet) << p.name;
    }
}

TEST(Mtb, DecimalDegrees)
{
    const auto b = mtb::berechne("50", "07", "20", "8", "41", "30");
    ASSERT_TRUE(b.ergebnis);
    EXPECT_DOUBLE_EQ(b.ergebnis->breite, 3007.0 / 60 + 20.0 / 3600);
    EXPECT_DOUBLE_EQ(b.ergebnis->laenge, 8 + 41.5 / 60);
    const auto c = mtb::berechne("49", "29", "60", "10", "44", "60");
    ASSERT_TRUE(c.ergebnis);
    EXPECT_EQ(c.ergebnis->breite, 49.5);
    EXPECT_EQ(c.ergebnis->laenge, 10.75);
}

struct Fehlerfall {
    const char* name;
    const char *gN, *mN, *sN, *gO, *mO, *sO;
    mtb::Fehlerart art;
    mtb::Feld feld;
};

const Fehlerfall fehlerfaelle[] = {
    // name                       gN      mN    sN    gO    mO    sO
    {"empty minutes north",       "50",   "",   "00", "8",  "41", "30", mtb::Fehlerart::KeineZahl, mtb::Feld::MinN},
    {"degrees before minutes",    "",     "",   "00", "8",  "41", "30", mtb::Fehlerart::KeineZahl, mtb::Feld::GradN},
    {"letter in seconds east",    "50",   "07", "20", "8",  "41", "3x", mtb::Fehlerart::KeineZahl, mtb::Feld::SekO},
    {"blank is no number",        "50",   "07", "20", " 8", "41", "30", mtb::Fehlerart::KeineZahl, mtb::Feld::GradO},
    {"sign is no number",         "-1",   "07", "20", "8",  "41", "30", mtb::Fehlerart::KeineZahl, mtb::Feld::GradN},
    {"row below -32768",          "3333", "00", "00", "8",  "41", "30", mtb::Fehlerart::Ueberlauf, mtb::Feld::GradN},
    {"column above 32767",        "50",   "00", "00", "99999", "0", "0", mtb::Fehlerart::Ueberlauf, mtb::Feld::GradO},
    {"latitude checked first",    "3333", "00", "00", "",   "41", "30", mtb::Fehlerart::Ueberlauf, mtb::Feld::GradN},
};

TEST(Mtb, Failures)
{
    for (const auto& f : fehlerfaelle) {
        const auto b = mtb::berechne(f.gN, f.mN, f.sN, f.gO, f.mO, f.sO);
        ASSERT_FALSE(b.ergebnis) << f.name;
        EXPECT_EQ(b.fehler.art, f.art) << f.name;
        EXPECT_EQ(b.fehler.feld, f.feld) << f.name;
    }
}

TEST(Mtb, TextToNumber)
{
    EXPECT_EQ(mtb::textZuZahl("07").wert, 7.0);
    EXPECT_EQ(mtb::textZuZahl("00").wert, 0.0);
    EXPECT_EQ(mtb::textZuZahl("99999").wert, 99999.0);
    EXPECT_FALSE(mtb::textZuZahl("").wert);
    EXPECT_FALSE(mtb::textZuZahl("1e3").wert);
    EXPECT_FALSE(mtb::textZuZahl("1,5").wert);
    const auto riesig = mtb::textZuZahl(std::string(400, '9'));
    EXPECT_FALSE(riesig.wert);
    EXPECT_EQ(riesig.fehler, mtb::Fehlerart::Ueberlauf);
}

TEST(Mtb, RowAndColumnLimits)
{
    // 3332°59'60" still fits (row -19432); far beyond, rows leave int16.
    EXPECT_TRUE(mtb::zeile(3332.0 * 60));
    EXPECT_FALSE(mtb::zeile(1e9));
    EXPECT_FALSE(mtb::spalte(std::nan("")));
    EXPECT_EQ(mtb::spalte(32767.0 * 10 + 340 - 1), 32766);
}

// Exact reference, in quarter seconds so every half line is whole:
// row r = 560 - ceil(B/360"), column c = floor(L/600") - 34.
int exakteZeile(long bs) { return 560 - static_cast<int>((bs + 359) / 360); }
int exakteSpalte(long ls) { return static_cast<int>(ls / 600) - 34; }

mtb::Quadranten exakteQuadranten(long bs, long ls, int r, int c)
{
    long S = (559L - r) * 360 * 4, W = (c + 34L) * 600 * 4;
    const long B = bs * 4, L = ls * 4;
    long h = 720, w = 1200;
    mtb::Quadranten q{};
    for (int i = 0; i < 5; ++i, h /= 2, w /= 2) {
        const bool nord = B - S > h, ost = L - W > w;
        S += nord ? h : 0;
        W += ost ? w : 0;
        q[i] = static_cast<std::uint8_t>(nord ? (ost ? 2 : 1) : (ost ? 4 : 3));
    }
    return q;
}

// Every whole-second position the entry fields accept: degrees 0..90 north
// and 0..360 east, minutes and seconds 0..60 each. Latitude and longitude are
// computed independently, so each axis is swept with the other one fixed.
TEST(Mtb, AgreesWithExactArithmeticOverTheWholeDomain)
{
    long abweichungen = 0;
    const double L0 = *mtb::minuten(8, 41, 30);
    const int c0 = *mtb::spalte(L0);
    for (int g = 0; g <= 90; ++g)
        for (int m = 0; m <= 60; ++m)
            for (int s = 0; s <= 60; ++s) {
                const double B = *mtb::minuten(g, m, s);
                const auto r = mtb::zeile(B);
                const long bs = g * 3600L + m * 60 + s;
                const int er = exakteZeile(bs);
                bool falsch = !r || *r != er;
                if (!falsch) {
                    const auto a = mtb::quadranten(B, L0, *r, c0);
                    const auto e = exakteQuadranten(bs, 8 * 3600 + 41 * 60 + 30, er, c0);
                    for (int i = 0; i < 5; ++i)
                        falsch |= (a[i] - 1) / 2 != (e[i] - 1) / 2;  // north/south half
                }
                if (falsch && ++abweichungen < 10)
                    ADD_FAILURE() << "latitude " << g << "° " << m << "' " << s << "\"";
            }
    const double B0 = *mtb::minuten(50, 7, 20);
    const int r0 = *mtb::zeile(B0);
    for (int g = 0; g <= 360; ++g)
        for (int m = 0; m <= 60; ++m)
            for (int s = 0; s <= 60; ++s) {
                const double L = *mtb::minuten(g, m, s);
                const auto c = mtb::spalte(L);
                const long ls = g * 3600L + m * 60 + s;
                const int ec = exakteSpalte(ls);
                bool falsch = !c || *c != ec;
                if (!falsch) {
                    const auto a = mtb::quadranten(B0, L, r0, *c);
                    const auto e = exakteQuadranten(50 * 3600 + 7 * 60 + 20, ls, r0, ec);
                    for (int i = 0; i < 5; ++i)
                        falsch |= (a[i] - 1) % 2 != (e[i] - 1) % 2;  // west/east half
                }
                if (falsch && ++abweichungen < 10)
                    ADD_FAILURE() << "longitude " << g << "° " << m << "' " << s << "\"";
            }
    EXPECT_EQ(abweichungen, 0);
}

}  // namespace
