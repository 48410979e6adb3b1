// Positions, codes and lengths as people write them, and degrees as the
// program writes them: written forms and refusals, the quick way against
// the general one, agreement with the window's computation over its whole
// domain, the way back from a code, the one length reader, the one writer
// of degrees, minutes and seconds.
#include "cells/gitter.h"
#include "grid/ellipsoid.h"
#include "position/code.h"
#include "position/gms.h"
#include "position/meter.h"
#include "position/punkt.h"
#include "position/verweis.h"
#include "tests/codehilfe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Form {
    const char* name;
    const char* text;
    const char* erwartet;
};

TEST(Position, WrittenForms)
{
    const Form formen[] = {
        // name                         text                                        expected
        {"DMS",                         "50 07 20 8 41 30",                         "5818/3/3/2/1/1"},
        {"decimal degrees",             "50.12222 8.69167",                         "5818/3/3/2/1/1"},
        {"decimal comma",               "50,12222 8,69167",                         "5818/3/3/2/1/1"},
        {"decimal minutes",             "50 7.3333 8 41.5",                         "5818/3/3/2/1/1"},
        {"GPS with letters before",     "N50°07.333' E8°41.500'",                   "5818/3/3/2/1/1"},
        {"written, letters after",      "50°07'20\"N 8°41'30\"E",                   "5818/3/3/2/1/1"},
        {"written, no letters",         "50°07'20\" 8°41'30\"",                     "5818/3/3/2/1/1"},
        {"prime signs",                 "50°07′20″N 8°41′30″O",                     "5818/3/3/2/1/1"},
        {"two apostrophes",             "50°07'20'' 8°41'30''",                     "5818/3/3/2/1/1"},
        {"Windows-1252 degree",         "50\xb0" "07'20\" 8\xb0" "41'30\"",         "5818/3/3/2/1/1"},
        {"longitude first by letters",  "E8°41'30\" N50°07'20\"",                   "5818/3/3/2/1/1"},
        {"semicolon columns",           "Stadtwald;50,12222;8,69167",               "5818/3/3/2/1/1"},
        {"comma columns",               "Stadtwald,50.12222,8.69167",               "5818/3/3/2/1/1"},
        {"comma and blank columns",     "50.12222, 8.69167",                        "5818/3/3/2/1/1"},
        {"tab columns with name",       "Nr. A\t50\t07\t20\t8\t41\t30",             "5818/3/3/2/1/1"},
        {"plus signs",                  "+50.12222 +8.69167",                       "5818/3/3/2/1/1"},
        {"both sheet lines, exact",     "50 10",                                    "6026/1/1/1/1/1"},
        {"tie at sheet centre",         "49.95 10.083333333",                       "6026/3/2/2/2/2"},
        {"exact decimal tie",           "49.95 10.0833333333",                      "6026/3/2/2/2/2"},
        {"decimal just above tie",      "49.9500000001 10.0833333334",              "6026/2/3/3/3/3"},
        {"60 s carry",                  "49 29 60 10 44 60",                        "6530/1/2/2/2/2"},
        {"10 decimals then zeros",      "50.1222200000000 8.69167",                 "5818/3/3/2/1/1"},
        // More decimals, as spreadsheets and scripts write them, were refused: rounded to ten.
        {"15 decimals",                 "50.122222222222224 8.691666666666666",     "5818/3/3/2/1/1"},
        // 50.1 is a sheet line, inside the sheet south of it.
        {"rounded down onto a line",    "50.10000000004999 8.7",                    "5918/1/1/2/2/1"},
        {"rounded up over a line",      "50.10000000005 8.7",                       "5818/3/3/4/4/3"},
        {"origin",                      "0 0",                                      "560-34/1/1/1/1/1"},
        // Leading zeros used to count towards the 7 digits ("Zahl zu groß").
        {"leading zeros",               "00000050 8",                               "6014/1/1/1/1/1"},
        {"many leading zeros",          "000000000000050.000 0008",                 "6014/1/1/1/1/1"},
    };
    for (const auto& f : formen)
        EXPECT_EQ(code(f.text), f.erwartet) << f.name;
}

TEST(Position, LevelsAndNotation)
{
    const struct { int ebenen; quadrix::Notation n; const char* erwartet; } faelle[] = {
        {5, quadrix::Notation::Schraeg, "5818/3/3/2/1/1"},
        {5, quadrix::Notation::Kompakt, "5818/33211"},
        {5, quadrix::Notation::Punkt,   "5818.33211"},
        {5, quadrix::Notation::Leer,    "5818 33211"},
        {3, quadrix::Notation::Leer,    "5818 332"},
        {2, quadrix::Notation::Schraeg, "5818/3/3"},
        {1, quadrix::Notation::Punkt,   "5818.3"},
        {0, quadrix::Notation::Kompakt, "5818"},
        {0, quadrix::Notation::Punkt,   "5818"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(code("50 07 20 8 41 30", f.ebenen, f.n), f.erwartet);
}

TEST(Position, Refusals)
{
    using F = quadrix::Fehler;
    const struct { const char* name; const char* text; F erwartet; } faelle[] = {
        {"south letter",            "S12 E8",                    F::Sueden},
        {"west letter",             "N50 W8",                    F::Westen},
        {"negative latitude",       "-50.1 8.6",                 F::Sueden},
        {"negative longitude",      "50.1 -8.6",                 F::Westen},
        {"three numbers",           "50 07 20",                  F::AnzahlZahlen},
        {"id column: 7 numbers",    "17 50 07 20 8 41 30",       F::AnzahlZahlen},
        {"only a name",             "Stadtwald",                 F::KeineZahl},
        {"empty",                   "",                          F::KeineZahl},
        {"degrees north 91",        "91 00 00 8 00 00",          F::BereichNord},
        {"decimal north 90.5",      "90.5 8",                    F::BereichNord},
        {"degrees east 361",        "50 361",                    F::BereichOst},
        {"minutes 61",              "50 61 00 8 00 00",          F::BereichMinSek},
        {"seconds 60.5",            "50 00 60.5 8 00 00",        F::BereichMinSek},
        {"decimals before last",    "50.5 07 8 41",              F::Nachkommastellen},
        {"marks out of order",      "50'07° 8°41'",              F::Form},
        {"one letter only",         "N50 8",                     F::Form},
        {"two north letters",       "N50 N8",                    F::Form},
        {"huge number",             "123456789 8",               F::ZuGross},
        {"8 significant digits",    "00012345678 8",             F::ZuGross},
        // A glued number used to be skipped as a name: this gave 50°07'00" 8°41'00".
        {"numbers glued to marks",  "50 07 20# 8 41 30#",        F::Spalte},
        {"id glued to letters",     "A12 50 8",                  F::Spalte},
        {"number in a word",        "Teich3 50.1 8.6",           F::Spalte},
        {"date column",             "2024-05-01 50.1 8.6",       F::AnzahlZahlen},
    };
    for (const auto& f : faelle) {
        quadrix::Punkt p;
        EXPECT_EQ(quadrix::lesePunkt(f.text, p), f.erwartet) << f.name;
    }
}

// Plain lists are read on a short way of their own; anything unusual goes the
// general way. A column without digits after a TAB sends a line the general
// way without changing what it says: both ways must read the same.
TEST(Position, WordAtATimeReadsAsTheGeneralWay)
{
    const char* faelle[] = {
        "50 07 20 8 41 30", "5 7 2 8 4 3", "0 0 0 0 0 0", "90 60 60 360 60 60", "91 0 0 8 0 0",
        "50 07 20 8 41 61", "50.1234567 8.7654321", "50.12345678 8.1", "50.1234567890 8.1", "50.12345678901 8",
        "1234567 8", "12345678 8", "00000001234567 8", "0000000 00000000", "00012345678 8", "50;07;20;8;41;30",
        "50\t07\t20\t8\t41\t30", "  50  07 20 8 41 30  ", "50 8", "5 8", "50.5 07 8 41", "50,5 8,5", "50 07,5 8 41,5",
        "50.", "50. 8.", "50 .5 8", "7", "1 2 3 4 5 6 7 8", "1 2 3 4 5 6 7 8 9", "50 07 20 8 41 3099999999",
        "48 18 31 7 07 01", "99999999 1", "1.99999999 1",
    };
    for (const char* f : faelle) {
        quadrix::Punkt schnell{}, allgemein{};
        const auto a = quadrix::lesePunkt(f, schnell);
        const auto b = quadrix::lesePunkt(std::string(f) + "\t#", allgemein);
        EXPECT_EQ(a, b) << f;
        if (a == quadrix::Fehler::Keine && b == quadrix::Fehler::Keine) {
            EXPECT_EQ(schnell.breite.einheiten, allgemein.breite.einheiten) << f;
            EXPECT_EQ(schnell.breite.stellen, allgemein.breite.stellen) << f;
            EXPECT_EQ(schnell.laenge.einheiten, allgemein.laenge.einheiten) << f;
            EXPECT_EQ(schnell.laenge.stellen, allgemein.laenge.stellen) << f;
        }
    }
}

// Whole seconds: through the parser and formatter, exactly the window's
// result everywhere it accepts input.
TEST(Position, AgreesWithTheWindowOverTheWholeDomain)
{
    long abweichungen = 0;
    char text[64];
    for (int achse = 0; achse < 2; ++achse)
        for (int g = 0; g <= (achse ? 360 : 90); ++g)
            for (int m = 0; m <= 60; ++m)
                for (int s = 0; s <= 60; ++s) {
                    const std::string a = std::to_string(g), b = std::to_string(m), c = std::to_string(s);
                    const auto fenster = achse ? mtb::berechne("50", "07", "20", a, b, c)
                                               : mtb::berechne(a, b, c, "8", "41", "30");
                    if (achse)
                        std::snprintf(text, sizeof text, "50 07 20 %d %d %d", g, m, s);
                    else
                        std::snprintf(text, sizeof text, "%d %d %d 8 41 30", g, m, s);
                    // The same cell; the library writes its sheet number with four digits.
                    const mtb::Ergebnis& e = *fenster.ergebnis;
                    std::string vierstellig;
                    mtb::schreibeCode(vierstellig, e.zeile, e.spalte, e.quadranten, 5);
                    if (code(text) != vierstellig && ++abweichungen < 10)
                        ADD_FAILURE() << text << ": " << code(text) << " " << e.text();
                }
    EXPECT_EQ(abweichungen, 0);
}

// The centre of every cell of every sheet across Germany, at every level,
// gives that cell's code again.
TEST(Position, CellCentresGiveTheirCodeAgain)
{
    long fehler = 0;
    for (int r = 1; r <= 90; ++r)
        for (int c = 1; c <= 60; ++c)
            for (int ebenen = 0; ebenen <= 5; ++ebenen)
                for (int zelle = 0; zelle < (1 << (2 * ebenen)); ++zelle) {
                    mtb::Quadranten q{};
                    for (int i = 0; i < ebenen; ++i)
                        q[i] = static_cast<std::uint8_t>(1 + ((zelle >> (2 * i)) & 3));
                    const auto z = mtb::zelle(static_cast<std::int16_t>(r), static_cast<std::int16_t>(c), q, ebenen);
                    // Centres lie on multiples of 1/32 minute: 1.875", exact with 4 decimals.
                    const mtb::Winkel b{static_cast<std::int64_t>((z.sued + z.hoehe / 2) * 60 * 10000), 4};
                    const mtb::Winkel l{static_cast<std::int64_t>((z.west + z.breite / 2) * 60 * 10000), 4};
                    mtb::Code code;
                    bool gleich = mtb::codeGenau(b, l, code) && code.zeile == r && code.spalte == c;
                    for (int i = 0; gleich && i < ebenen; ++i)
                        gleich = code.quadranten[i] == q[i];
                    if (!gleich && ++fehler < 10)
                        ADD_FAILURE() << r << "/" << c << " level " << ebenen << " cell " << zelle;
                }
    EXPECT_EQ(fehler, 0);
}

// Points whose sheet row or column lies outside 1..99 get no code: "0 ° 07"
// used to print 5608/1/1/1/1/1 (row 560, column 8), read back as row 56.
TEST(Position, OnlyUniqueSheetNumbers)
{
    const struct { const char* text; bool imNetz; } faelle[] = {
        {"0 7",             false},
        {"50 0",            false},
        {"89 8",            false},
        {"55 54 00 5 50 00", true},   // the northern line of row 1 belongs to it (the southern field)
        {"55 54 01 5 50 00", false},  // north of row 1
        {"55 53 59 5 50 00", true},   // row 1, column 1 (55°48'-55°54', 5°50'-6°00')
        {"55 53 59 5 49 59", false},  // west of column 1
        {"50 07 20 8 41 30", true},
        {"46 00 01 22 19 59", true},  // row 99, column 99 (46°00'-46°06', 22°10'-22°20')
        {"46 00 00 22 19 59", false}, // south of row 99
        {"46 00 01 22 20 00", false}, // east of column 99
    };
    for (const auto& f : faelle) {
        quadrix::Punkt p;
        ASSERT_EQ(quadrix::lesePunkt(f.text, p), quadrix::Fehler::Keine) << f.text;
        mtb::Code c;
        EXPECT_EQ(quadrix::codeImNetz(p, c) == quadrix::Fehler::Keine, f.imNetz) << f.text;
    }
}

TEST(Position, ReadingCodes)
{
    using F = quadrix::CodeFehler;
    const struct { const char* text; F fehler; int zeile, spalte, ebenen; const char* q; } faelle[] = {
        // text              error                zeile spalte levels quarters
        {"5818/3/3/2",       F::Keine,            58,  18,    3,     "332"},
        {"5818/332",         F::Keine,            58,  18,    3,     "332"},
        {"5818.33211",       F::Keine,            58,  18,    5,     "33211"},
        {"5818",             F::Keine,            58,  18,    0,     ""},
        {"5818 33211",       F::Keine,            58,  18,    5,     "33211"},  // blank: was refused
        {"5818 3/3",         F::Form,             0,   0,     0,     ""},
        {" 0916/3 ",         F::Keine,            9,   16,    1,     "3"},
        {"5202/1/4",         F::Keine,            52,  2,     2,     "14"},
        // Sheet numbers are unique only for rows and columns 1..99: these used to be taken.
        {"560-34/1/1/1/1/1", F::AusserhalbNetz,   0,   0,     0,     ""},
        {"343-0",            F::AusserhalbNetz,   0,   0,     0,     ""},
        {"32370-19911/3/3/2/1/1", F::AusserhalbNetz, 0, 0,   0,     ""},
        {"0016/1",           F::AusserhalbNetz,   0,   0,     0,     ""},
        {"5800",             F::AusserhalbNetz,   0,   0,     0,     ""},
        {"9999",             F::Keine,            99,  99,    0,     ""},
        {"0101/4",           F::Keine,            1,   1,     1,     "4"},
        // The short form the window writes for rows and columns below 10: read back.
        {"916/3",            F::Keine,            9,   16,    1,     "3"},
        {"522/1/4/2/4/2",    F::Keine,            52,  2,     5,     "14242"},
        {"916/3/2/2/2/2",    F::Keine,            9,   16,    5,     "32222"},
        {"95/1",             F::Keine,            9,   5,     1,     "1"},
        {"8756",             F::Keine,            87,  56,    0,     ""},
        {"875",              F::Keine,            87,  5,     0,     ""},   // not 0875: row 8 north of the grid
        {"561.33",           F::Keine,            56,  1,     2,     "33"}, // not 0561: row 5
        {"887",              F::BlattMehrdeutig,  0,   0,     0,     ""},   // 0887 and 8807: rows 8 and 88
        {"957",              F::BlattMehrdeutig,  0,   0,     0,     ""},   // 0957 (column 57), 9507 (row 95)
        {"880",              F::BlattMehrdeutig,  0,   0,     0,     ""},   // no column 0; 0880 outside
        {"908",              F::BlattMehrdeutig,  0,   0,     0,     ""},   // 9 and 08: not the short form
        {"58",               F::BlattMehrdeutig,  0,   0,     0,     ""},   // 0508: row 5 north of the grid
        {"5",                F::BlattMehrdeutig,  0,   0,     0,     ""},
        {"58180",            F::BlattMehrdeutig,  0,   0,     0,     ""},
        {"58a8/3",           F::Blatt,            0,   0,     0,     ""},
        {"5818/3/5",         F::Ziffer,           0,   0,     0,     ""},
        {"5818/0",           F::Ziffer,           0,   0,     0,     ""},
        {"5818/332111",      F::ZuVieleEbenen,    0,   0,     0,     ""},
        {"5818/3/3/",        F::Form,             0,   0,     0,     ""},
        {"5818/",            F::Form,             0,   0,     0,     ""},
        {"5818/3.3",         F::Form,             0,   0,     0,     ""},
        {"",                 F::Leer,             0,   0,     0,     ""},
    };
    for (const auto& f : faelle) {
        quadrix::GelesenerCode g;
        ASSERT_EQ(quadrix::leseCode(f.text, g), f.fehler) << f.text;
        if (f.fehler != F::Keine)
            continue;
        EXPECT_EQ(g.code.zeile, f.zeile) << f.text;
        EXPECT_EQ(g.code.spalte, f.spalte) << f.text;
        ASSERT_EQ(g.ebenen, f.ebenen) << f.text;
        for (int i = 0; i < g.ebenen; ++i)
            EXPECT_EQ(g.code.quadranten[i], f.q[i] - '0') << f.text;
    }
}

// Every sheet of the grid over Germany, written in every notation at every
// level as the window and the tools write it, reads back as itself.
TEST(Position, EveryWrittenCodeReadsBack)
{
    const mtb::Quadranten q{4, 1, 3, 2, 4};
    for (const auto n : {quadrix::Notation::Schraeg, quadrix::Notation::Kompakt, quadrix::Notation::Punkt,
                         quadrix::Notation::Leer})
        for (std::int16_t r = 9; r <= 87; ++r)
            for (std::int16_t c = 1; c <= 56; ++c)
                for (int ebenen = 0; ebenen <= 5; ++ebenen) {
                    std::string text;
                    mtb::schreibeCode(text, r, c, q, ebenen, n);
                    quadrix::GelesenerCode g;
                    ASSERT_EQ(quadrix::leseCode(text, g), quadrix::CodeFehler::Keine) << text;
                    ASSERT_EQ(g.code.zeile, r) << text;
                    ASSERT_EQ(g.code.spalte, c) << text;
                    ASSERT_EQ(g.ebenen, ebenen) << text;
                    for (int i = 0; i < ebenen; ++i)
                        ASSERT_EQ(g.code.quadranten[i], q[i]) << text;
                }
}


// One reader of lengths for the options and the tables' columns: "30 mm"
// was read as 30 m in a table, "5 km" refused there and taken by the option.
TEST(Meter, OneReaderOfLengths)
{
    using F = quadrix::MeterFehler;
    const struct { const char* text; F fehler; double meter; } faelle[] = {
        {"30", F::Keine, 30},        {"30 m", F::Keine, 30},     {"30m", F::Keine, 30},
        {"12,5m", F::Keine, 12.5},   {"12.5 m", F::Keine, 12.5}, {" 0,5 ", F::Keine, 0.5},
        {"1,5 km", F::Keine, 1500},  {"5km", F::Keine, 5000},    {"10000 km", F::Keine, 1e7},
        {"30 mm", F::Einheit, 0},    {"30 cm", F::Einheit, 0},   {"2 ft", F::Einheit, 0},
        {"30 M", F::Einheit, 0},     {"m", F::KeineZahl, 0},     {"", F::KeineZahl, 0},
        {"-5", F::KeineZahl, 0},     {"1e3", F::Einheit, 0},     {"1,5,0", F::KeineZahl, 0},
        {"0", F::Bereich, 0},        {"10001 km", F::Bereich, 0},
    };
    for (const auto& f : faelle) {
        double m = 0;
        EXPECT_EQ(quadrix::leseMeter(f.text, m), f.fehler) << f.text;
        if (f.fehler == F::Keine) {
            EXPECT_DOUBLE_EQ(m, f.meter) << f.text;
        }
    }
}

// The box texts and the message form of whole seconds: two-digit minutes
// and seconds, no-break spaces inside a coordinate, rounding never wraps.
TEST(Gms, WholeSecondsAsTextAndForTheBoxes)
{
    const std::string nbsp = "\xc2\xa0";
    const struct {
        std::int64_t sekunden;
        const char *grad, *min, *sek;
    } felder[] = {
        {180440, "50", "07", "20"}, {0, "0", "00", "00"}, {3599, "0", "59", "59"},
        {3600, "1", "00", "00"},    {31290, "8", "41", "30"}, {324000, "90", "00", "00"},
    };
    for (const auto& f : felder) {
        const quadrix::GmsTexte t = quadrix::felder(f.sekunden);
        EXPECT_EQ(t.grad, f.grad) << f.sekunden;
        EXPECT_EQ(t.min, f.min) << f.sekunden;
        EXPECT_EQ(t.sek, f.sek) << f.sekunden;
    }
    EXPECT_EQ(quadrix::punktLesbar(180440, 31290), "50\xc2\xb0" + nbsp + "07\xe2\x80\xb2" + nbsp + "20\xe2\x80\xb3" + nbsp +
                                                     "N, 8\xc2\xb0" + nbsp + "41\xe2\x80\xb2" + nbsp + "30\xe2\x80\xb3" +
                                                     nbsp + "O");
    EXPECT_EQ(quadrix::gmsLesbar(3599, 'N'), "0\xc2\xb0" + nbsp + "59\xe2\x80\xb2" + nbsp + "59\xe2\x80\xb3" + nbsp + "N");
    EXPECT_EQ(quadrix::gms("50", "07", "20", 'N'), "50\xc2\xb0" "07'20\"N");
    EXPECT_EQ(quadrix::gms(3007.5), "50\xc2\xb0" "07'30\"");
}

// Links as people paste them: the position they hold, with its own digits;
// a link without one is refused, anything else is no link.
TEST(Verweis, PositionsInLinks)
{
    using V = quadrix::VerweisFehler;
    const struct {
        const char* text;
        V fehler;
        const char* position;
    } faelle[] = {
        {"geo:50.1222,8.6917", V::Keine, "50.1222 8.6917"},
        {"geo:50.1222,8.6917,120;u=35", V::Keine, "50.1222 8.6917"},
        {"  <geo:50,8>  ", V::Keine, "50 8"},
        {"GEO:-33.9,18.4", V::Keine, "-33.9 18.4"},
        {"geo:Frankfurt", V::OhnePosition, ""},
        {"https://www.google.com/maps/@50.1222,8.6917,17z", V::Keine, "50.1222 8.6917"},
        {"https://www.google.de/maps/place/R%C3%B6merberg/@50.1104,8.6821,17z/data=!3m1", V::Keine, "50.1104 8.6821"},
        {"https://maps.google.com/?q=50.1222,8.6917", V::Keine, "50.1222 8.6917"},
        {"https://www.google.com/maps/search/?api=1&query=50.1222,8.6917", V::Keine, "50.1222 8.6917"},
        {"https://maps.apple.com/?ll=50.1222,8.6917&z=16", V::Keine, "50.1222 8.6917"},
        {"https://www.openstreetmap.org/#map=17/50.1222/8.6917", V::Keine, "50.1222 8.6917"},
        {"https://www.openstreetmap.org/?mlat=50.1222&mlon=8.6917#map=12/50.0/8.0", V::Keine, "50.1222 8.6917"},
        {"https://www.google.com/maps?q=50.1222,+8.6917", V::Keine, "50.1222 8.6917"},
        {"https://maps.app.goo.gl/Xyz12AbC", V::OhnePosition, ""},
        {"https://www.google.com/maps/place/Frankfurt", V::OhnePosition, ""},
        {"https://www.openstreetmap.org/#map=17/50.1222", V::OhnePosition, ""},
        {"https://example.org/@50.,8", V::OhnePosition, ""},
        {"50.1222 8.6917", V::KeinVerweis, ""},
        {"Rechtswert 3478544", V::KeinVerweis, ""},
        {"", V::KeinVerweis, ""},
    };
    for (const auto& f : faelle) {
        std::string position;
        EXPECT_EQ(quadrix::leseVerweis(f.text, position), f.fehler) << f.text;
        if (f.fehler == V::Keine) {
            EXPECT_EQ(position, f.position) << f.text;
        }
    }
    // A link's position gives the code its digits give.
    std::string position;
    ASSERT_EQ(quadrix::leseVerweis("geo:50.12222,8.69167", position), V::Keine);
    EXPECT_EQ(code(position), code("50.12222 8.69167"));
}

}  // namespace
