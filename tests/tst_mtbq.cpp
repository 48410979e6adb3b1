// mtbq: written forms, refusals, the way back from a code, whole lists; and
// agreement with the window's computation over its whole accepted domain.
#include "cells/gitter.h"
#include "grid/ellipsoid.h"
#include "position/code.h"
#include "position/meter.h"
#include "position/punkt.h"
#include "tables/stapel.h"
#include "tests/tempdatei.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string code(std::string_view text, int ebenen = 5, quadrix::Notation n = quadrix::Notation::Schraeg)
{
    quadrix::Punkt p;
    if (const auto f = quadrix::lesePunkt(text, p); f != quadrix::Fehler::Keine)
        return "Fehler " + std::to_string(static_cast<int>(f));
    mtb::Code c;
    std::string s;
    if (mtb::codeGenau(p.breite, p.laenge, c))
        quadrix::schreibeCode(s, c, ebenen, n);
    return s;
}

struct Form {
    const char* name;
    const char* text;
    const char* erwartet;
};

TEST(Mtbq, WrittenForms)
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

TEST(Mtbq, LevelsAndNotation)
{
    const struct { int ebenen; quadrix::Notation n; const char* erwartet; } faelle[] = {
        {5, quadrix::Notation::Schraeg, "5818/3/3/2/1/1"},
        {5, quadrix::Notation::Kompakt, "5818/33211"},
        {5, quadrix::Notation::Punkt,   "5818.33211"},
        {2, quadrix::Notation::Schraeg, "5818/3/3"},
        {1, quadrix::Notation::Punkt,   "5818.3"},
        {0, quadrix::Notation::Kompakt, "5818"},
        {0, quadrix::Notation::Punkt,   "5818"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(code("50 07 20 8 41 30", f.ebenen, f.n), f.erwartet);
}

TEST(Mtbq, Refusals)
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
TEST(Mtbq, WordAtATimeReadsAsTheGeneralWay)
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
TEST(Mtbq, AgreesWithTheWindowOverTheWholeDomain)
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
                    if (code(text) != fenster.ergebnis->text() && ++abweichungen < 10)
                        ADD_FAILURE() << text;
                }
    EXPECT_EQ(abweichungen, 0);
}

// The centre of every cell of every sheet across Germany, at every level,
// gives that cell's code again.
TEST(Mtbq, CellCentresGiveTheirCodeAgain)
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
TEST(Mtbq, OnlyUniqueSheetNumbers)
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

TEST(Mtbq, ReadingCodes)
{
    using F = quadrix::CodeFehler;
    const struct { const char* text; F fehler; int zeile, spalte, ebenen; const char* q; } faelle[] = {
        // text              error                zeile spalte levels quarters
        {"5818/3/3/2",       F::Keine,            58,  18,    3,     "332"},
        {"5818/332",         F::Keine,            58,  18,    3,     "332"},
        {"5818.33211",       F::Keine,            58,  18,    5,     "33211"},
        {"5818",             F::Keine,            58,  18,    0,     ""},
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
        {"916/3",            F::BlattMehrdeutig,  0,   0,     0,     ""},
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

struct Lauf {
    std::string aus, fehler;
    long abgelehnt;
};

// Refused lines as mtbq prints them: "NAME:LINE: reason".
quadrix::Melder melder(std::FILE* fehler, const char* name)
{
    return [=](long zeile, const char* grund) { std::fprintf(fehler, "%s:%ld: %s\n", name, zeile, grund); };
}

Lauf stapel(const std::string& ein, quadrix::Ausgabeform form = {})
{
    std::FILE* e = tempdatei(ein);
    std::FILE* aus = std::tmpfile();
    std::FILE* fehler = std::tmpfile();
    const long n = quadrix::stapel(e, aus, form, {}, melder(fehler, "liste.csv"));
    std::fclose(e);
    return Lauf{alles(aus), alles(fehler), n};
}

TEST(Mtbq, Batch)
{
    const Lauf l = stapel("Name;Breite;Laenge\r\n"
                          "Stadtwald;50,12222;8,69167\r\n"
                          "kaputt;50\r\n"
                          "\r\n"
                          "Süd;-12;8\r\n"
                          "Ende;50;10");
    // The header names the columns: the code joins with the table's own delimiter.
    EXPECT_EQ(l.aus, "Name;Breite;Laenge;MTB [Potsdam (DHDN)]\r\n"
                     "Stadtwald;50,12222;8,69167;5818/3/3/2/1/1\r\n"
                     "kaputt;50;\r\n"
                     ";\r\n"
                     "Süd;-12;8;\r\n"
                     "Ende;50;10;6026/1/1/1/1/1\n");
    EXPECT_EQ(l.abgelehnt, 2);
    EXPECT_EQ(l.fehler.substr(0, l.fehler.find('\n')), "liste.csv:3: der Zeile fehlt die Spalte der Breite oder der Länge");
    EXPECT_NE(l.fehler.find("liste.csv:5: Punkt südlich des Äquators"), std::string::npos);
}

TEST(Mtbq, BatchLongInputCrossesBuffers)
{
    std::string ein;
    for (int i = 0; i < 200000; ++i)
        ein += i % 2 ? "50 07 20 8 41 30\n" : "50.12222\t8.69167\n";
    quadrix::Ausgabeform form;
    form.ebenen = 0;
    const Lauf l = stapel(ein, form);
    EXPECT_EQ(l.abgelehnt, 0);
    EXPECT_EQ(l.aus.size(), ein.size() + 200000 * 5);
    EXPECT_EQ(l.aus.substr(l.aus.size() - 22), "50 07 20 8 41 30\t5818\n");
}

}  // namespace

namespace {

std::string mitCode(const std::string& zeile) { return zeile + "\t" + code(zeile); }

// Lines ended by CR alone used to run together: the first line's latitude
// with the last line's longitude.
TEST(Mtbq, BatchLineEnds)
{
    const struct { const char* name; std::string ein, aus; } faelle[] = {
        {"CR alone",          "50 8\r51 9\r",           mitCode("50 8") + "\r" + mitCode("51 9") + "\r"},
        {"CR alone, decimal", "50.1 8.6\r49.5 9.5\r",   mitCode("50.1 8.6") + "\r" + mitCode("49.5 9.5") + "\r"},
        {"mixed",             "50 8\r\n51 9\n52 10\r",  mitCode("50 8") + "\r\n" + mitCode("51 9") + "\n" +
                                                        mitCode("52 10") + "\r"},
        {"last without end",  "50 8\r51 9",             mitCode("50 8") + "\r" + mitCode("51 9") + "\n"},
        {"empty lines by CR", "\r\r50 8\r",             "\t\r\t\r" + mitCode("50 8") + "\r"},
    };
    for (const auto& f : faelle) {
        const Lauf l = stapel(f.ein);
        EXPECT_EQ(l.aus, f.aus) << f.name;
        EXPECT_EQ(l.abgelehnt, 0) << f.name << ": " << l.fehler;
    }
}

// A CR LF whose CR is the last byte of a buffer full is one line end, not two.
TEST(Mtbq, BatchCrLfAcrossTheBuffer)
{
    std::string ein;
    for (int i = 0; i < 1000; ++i)
        ein += "50 8\r\n";
    ein += std::string(1048575 - ein.size(), '#') + "\r\n";
    for (int i = 0; i < 10; ++i)
        ein += "50 8\r\n";
    const Lauf l = stapel(ein);
    EXPECT_EQ(l.abgelehnt, 1);  // the line of # is no point
    std::size_t zeilen = 0;
    for (std::size_t p = 0; (p = l.aus.find("\r\n", p)) != std::string::npos; p += 2)
        ++zeilen;
    EXPECT_EQ(zeilen, 1011u);
    EXPECT_EQ(l.aus.find("\r\n\t"), std::string::npos);
}

// A line past 1 MiB is refused as soon as it is seen, streamed through, and
// the lines after it are read as usual.
TEST(Mtbq, BatchOverlongLine)
{
    const std::string lang(3 * 1048576 + 17, 'x');
    const Lauf l = stapel("50 8\n" + lang + "\n51 9\n" + lang);
    EXPECT_EQ(l.abgelehnt, 2);
    EXPECT_EQ(l.aus, mitCode("50 8") + "\n" + lang + "\t\n" + mitCode("51 9") + "\n" + lang + "\t\n");
    EXPECT_NE(l.fehler.find("liste.csv:2: Zeile länger als 1 MiB"), std::string::npos) << l.fehler;
    EXPECT_NE(l.fehler.find("liste.csv:4: Zeile länger als 1 MiB"), std::string::npos) << l.fehler;
}

TEST(Mtbq, BatchRefusesWhatWouldGiveAWrongCode)
{
    const Lauf l = stapel("50 07 20# 8 41 30#\n0 07\n00000050 8\n");
    EXPECT_EQ(l.abgelehnt, 2);
    EXPECT_EQ(l.aus, "50 07 20# 8 41 30#\t\n0 07\t\n" + mitCode("00000050 8") + "\n");
    EXPECT_NE(l.fehler.find("liste.csv:1: eine Spalte mit Ziffern"), std::string::npos) << l.fehler;
    EXPECT_NE(l.fehler.find("liste.csv:2: Punkt außerhalb des Netzes"), std::string::npos) << l.fehler;
}

}  // namespace

namespace {

// Tables as people have them: the columns found by their titles or named,
// CSV quotes read, the code joined with the table's delimiter.
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

// Lists mix the written forms: Gauss-Kruger lines are points on the
// Potsdam datum and need no transformation; three numbers are never UTM.
TEST(Unsicherheit, ListsOfPlanePositions)
{
    const Lauf l = stapel("50 07 20 8 41 30\nR 3478544 H 5549792\n3478544 5549792\nRechtswert: 3478544; Hochwert: "
                          "5549792\n50 07 20\n");
    EXPECT_EQ(l.aus, "50 07 20 8 41 30\t5818/3/3/2/1/1\n"
                     "R 3478544 H 5549792\t5918/1/1/4/2/1\n"
                     "3478544 5549792\t5918/1/1/4/2/1\n"
                     "Rechtswert: 3478544; Hochwert: 5549792\t5918/1/1/4/2/1\n"
                     "50 07 20\t\n");
    EXPECT_EQ(l.abgelehnt, 1);
    // Tables of Rechtswert and Hochwert, and x/y either way round (x east as
    // in GIS, x north as geodesists write it), told apart by the Hochwert's range.
    const struct { const char* ein; const char* aus; } tafeln[] = {
        {"Ort;Rechtswert;Hochwert\nA;3478544;5549792\n", "Ort;Rechtswert;Hochwert;MTB [Potsdam (DHDN)]\n"
                                                          "A;3478544;5549792;5918/1/1/4/2/1\n"},
        {"Ort;RW;HW\nA;3478544,5;5549792\n", "Ort;RW;HW;MTB [Potsdam (DHDN)]\nA;3478544,5;5549792;5918/1/1/4/2/1\n"},
        {"x,y\n3478544,5549792\n", "x,y,MTB [Potsdam (DHDN)]\n3478544,5549792,5918/1/1/4/2/1\n"},
        {"x,y\n5549792,3478544\n", "x,y,MTB [Potsdam (DHDN)]\n5549792,3478544,5918/1/1/4/2/1\n"},
    };
    for (const auto& t : tafeln) {
        const Lauf r = stapel(t.ein);
        EXPECT_EQ(r.aus, t.aus) << t.ein;
        EXPECT_EQ(r.abgelehnt, 0) << t.ein << r.fehler;
    }
    // UTM needs the transformation, and none is given here: refused, with the reason.
    const Lauf u = stapel("32UMA 72 50\n");
    EXPECT_EQ(u.aus, "32UMA 72 50\t\n");
    EXPECT_EQ(u.abgelehnt, 1);
}

// A table's own column of uncertainties, by any of its usual titles.
TEST(Unsicherheit, TableColumn)
{
    for (const char* titel : {"coordinateUncertaintyInMeters", "Toleranz", "Toleranz (m)", "Unschärfe",
                              "Unschärferadius"}) {
        const Lauf l = stapel(std::string("Ort;Breite;Länge;") + titel +
                              "\nA;50,12222;8,69167;30\nB;50,12222;8,69167;\nC;50,12222;8,69167;40 m\n"
                              "D;50,12222;8,69167;12,5\nE;50,12222;8,69167;zwanzig\nF;50,12222;8,69167;5000\n");
        EXPECT_EQ(l.aus, std::string("Ort;Breite;Länge;") + titel + ";MTB [Potsdam (DHDN)]\n"
                         "A;50,12222;8,69167;30;5818/3/3/2/1/1\n"
                         "B;50,12222;8,69167;;5818/3/3/2/1/1\n"
                         "C;50,12222;8,69167;40 m;5818/3/3/2/1\n"
                         "D;50,12222;8,69167;12,5;5818/3/3/2/1/1\n"
                         "E;50,12222;8,69167;zwanzig;\n"
                         "F;50,12222;8,69167;5000;5818*\n") << titel;
        EXPECT_EQ(l.abgelehnt, 1) << titel;
        EXPECT_EQ(l.fehler, "liste.csv:6: die Spalte der Unsicherheit ist keine Länge in Metern oder Kilometern "
                            "(erwartet etwa 30, 12,5 m oder 1,5 km; andere Einheiten wie mm, cm oder ft nicht)\n")
            << titel;
    }
}

TEST(Mtbq, Tables)
{
    const std::string c = "5818/3/3/2/1/1";
    const struct { const char* name; std::string ein; std::string breite, laenge; std::string aus; long abgelehnt; } faelle[] = {
        // These gave an empty code and exit 1.
        {"id,lat,lon",           "id,lat,lon\n1,50.12222,8.69167\n", "", "",
                                 "id,lat,lon,MTB [Potsdam (DHDN)]\n1,50.12222,8.69167," + c + "\n", 0},
        {"name with a digit",    "Name;Breite;L\xc3\xa4nge\nTeich 3;50,12222;8,69167\n", "", "",
                                 "Name;Breite;L\xc3\xa4nge;MTB [Potsdam (DHDN)]\nTeich 3;50,12222;8,69167;" + c + "\n", 0},
        {"CSV quotes",           "name,lat,lon\r\n\"Wald, \"\"Nord\"\"\",50.12222,8.69167\r\n", "", "",
                                 "name,lat,lon,MTB [Potsdam (DHDN)]\r\n\"Wald, \"\"Nord\"\"\",50.12222,8.69167," + c + "\r\n", 0},
        {"Darwin Core, TAB",     "locality\tdecimalLatitude\tdecimalLongitude\nWald\t50.12222\t8.69167\n", "", "",
                                 "locality\tdecimalLatitude\tdecimalLongitude\tMTB [Potsdam (DHDN)]\nWald\t50.12222\t8.69167\t" + c + "\n", 0},
        {"x before y",           "X,Y\n8.69167,50.12222\n", "", "",
                                 "X,Y,MTB [Potsdam (DHDN)]\n8.69167,50.12222," + c + "\n", 0},
        {"DMS in the columns",   "Ort;Breite;Laenge\nWald;50 07 20;8 41 30\n", "", "",
                                 "Ort;Breite;Laenge;MTB [Potsdam (DHDN)]\nWald;50 07 20;8 41 30;" + c + "\n", 0},
        {"--spalten by number",  "a;b;c\nx 1;50,12222;8,69167\n", "2", "3",
                                 "a;b;c;MTB [Potsdam (DHDN)]\nx 1;50,12222;8,69167;" + c + "\n", 0},
        {"--spalten by title",   "P;Q;R\n50,12222;x 1;8,69167\n", "p", "R",
                                 "P;Q;R;MTB [Potsdam (DHDN)]\n50,12222;x 1;8,69167;" + c + "\n", 0},
        {"--spalten, no header", "x 1;50,12222;8,69167\n", "2", "3",
                                 "x 1;50,12222;8,69167;" + c + "\n", 0},
        {"row too short",        "id,lat,lon\n1,50.1\n", "", "",
                                 "id,lat,lon,MTB [Potsdam (DHDN)]\n1,50.1,\n", 1},
        // A find-location file: its coordinate fields, the code after a TAB (this refused every record).
        {"find-location file",
         "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\t"
         "Koord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n"
         "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n", "", "",
         "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\t"
         "Koord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\tMTB [Potsdam (DHDN)]\r\n"
         "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\t" + c + "\r\n", 0},
    };
    for (const auto& f : faelle) {
        quadrix::Ausgabeform form;
        const quadrix::Spaltenwahl spalten{f.breite, f.laenge};
        std::FILE* e = tempdatei(f.ein);
        std::FILE* aus = std::tmpfile();
        std::FILE* fehler = std::tmpfile();
        const long n = quadrix::stapel(e, aus, form, spalten, melder(fehler, "t"));
        std::fclose(e);
        const std::string meldungen = alles(fehler);
        EXPECT_EQ(alles(aus), f.aus) << f.name;
        EXPECT_EQ(n, f.abgelehnt) << f.name << ": " << meldungen;
    }
}

}  // namespace

namespace {

std::string utf16le(const std::string& ascii)
{
    std::string s = "\xff\xfe";
    for (const char c : ascii) {
        s += c;
        s += '\0';
    }
    return s;
}

// Tables as Excel saves them, made from the forms' documented bytes: the
// code joins with the table's own delimiter, the encoding stays as it came.
TEST(Mtbq, BatchExcelForms)
{
    quadrix::Ausgabeform potsdam;
    const std::string code = "5818/3/3/2/1/1";
    const struct {
        const char* name;
        std::string ein, aus;
    } faelle[] = {
        {"CSV UTF-8: mark kept, semicolons", "\xef\xbb\xbf" "Ort;Breite;L\xc3\xa4nge\r\nK\xc3\xb6ln;50,12222;8,69167\r\n",
         "\xef\xbb\xbf" "Ort;Breite;L\xc3\xa4nge;MTB [Potsdam (DHDN)]\r\nK\xc3\xb6ln;50,12222;8,69167;" + code + "\r\n"},
        {"CSV UTF-8, mark before a record", "\xef\xbb\xbf" "50 07 20 8 41 30\r\n",
         "\xef\xbb\xbf" "50 07 20 8 41 30\t" + code + "\r\n"},
        {"CSV (Trennzeichen-getrennt): Windows-1252 bytes kept", "Ort;Breite;L\xe4nge\r\nK\xf6ln;50,12222;8,69167\r\n",
         "Ort;Breite;L\xe4nge;MTB [Potsdam (DHDN)]\r\nK\xf6ln;50,12222;8,69167;" + code + "\r\n"},
        {"two columns, no header: the semicolon", "50,12222;8,69167\r\n", "50,12222;8,69167;" + code + "\r\n"},
        {"two columns by comma", "50.12222,8.69167\n", "50.12222,8.69167," + code + "\n"},
        {"decimal commas between blanks: TAB", "50,12222 8,69167\n", "50,12222 8,69167\t" + code + "\n"},
        {"Unicode-Text: UTF-16 with TABs", utf16le("Breite\tLaenge\r\n50,12222\t8,69167\r\n"),
         utf16le("Breite\tLaenge\tMTB [Potsdam (DHDN)]\r\n50,12222\t8,69167\t" + code + "\r\n")},
        {"UTF-16 big-endian", std::string("\xfe\xff\0" "5\0" "0\0 \0" "0\0" "7\0 \0" "2\0" "0\0 \0" "8\0 \0" "4\0" "1\0 \0" "3\0" "0", 34),
         std::string("\xfe\xff\0" "5\0" "0\0 \0" "0\0" "7\0 \0" "2\0" "0\0 \0" "8\0 \0" "4\0" "1\0 \0" "3\0" "0\0\t", 36) +
             [&] { std::string s; for (char c : code + "\n") { s += '\0'; s += c; } return s; }()},
    };
    for (const auto& f : faelle) {
        const Lauf l = stapel(f.ein, potsdam);
        EXPECT_EQ(l.aus, f.aus) << f.name;
        EXPECT_EQ(l.abgelehnt, 0) << f.name << ": " << l.fehler;
    }
}

}  // namespace
