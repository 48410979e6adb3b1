// The one line reader: line ends of every kind, a CR LF split across a
// block, lines longer than a block in pieces, a last line without its end.
// The one record reader: every kind of table, every encoding, the first
// line, over-long and empty lines, and what each line's record holds.
// Whole lists coded (--batch): tables, line ends, Excel's forms, a row's
// own uncertainty.
#include "cells/texte.h"
#include "position/texte.h"
#include "tables/fundpruefung.h"
#include "tables/fundzeilen.h"
#include "tables/stapel.h"
#include "tests/codehilfe.h"
#include "tables/satzleser.h"
#include "tables/zeilenleser.h"
#include "tests/tempdatei.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Gelesen {
    std::string text, ende;
    bool teil, zuLang;
    bool operator==(const Gelesen&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Gelesen& g)
{
    return o << '[' << g.text << "|" << (g.ende == "\r\n" ? "CRLF" : g.ende == "\r" ? "CR" : g.ende == "\n" ? "LF" : "")
             << (g.teil ? "|teil" : "") << (g.zuLang ? "|zuLang" : "") << ']';
}

std::vector<Gelesen> lies(const std::string& ein, std::size_t block)
{
    std::FILE* f = tempdatei(ein);
    quadrix::Zeilenleser leser(f, block);
    quadrix::Zeilenleser::Zeile z;
    std::vector<Gelesen> v;
    while (leser.naechste(z))
        v.push_back({std::string(z.text), std::string(z.ende), z.teil, z.zuLang});
    EXPECT_FALSE(leser.lesefehler());
    std::fclose(f);
    return v;
}

TEST(Zeilenleser, LineEndsAndParts)
{
    const struct {
        const char* name;
        std::string ein;
        std::size_t block;
        std::vector<Gelesen> erwartet;
    } faelle[] = {
        {"LF, CR LF, CR", "a\nb\r\nc\rd", 64, {{"a", "\n", 0, 0}, {"b", "\r\n", 0, 0}, {"c", "\r", 0, 0}, {"d", "", 0, 0}}},
        {"empty input", "", 64, {}},
        {"empty lines", "\n\r\n\r", 64, {{"", "\n", 0, 0}, {"", "\r\n", 0, 0}, {"", "\r", 0, 0}}},
        {"CR at the end", "a\r", 64, {{"a", "\r", 0, 0}}},
        // A CR ends a read; its LF comes with the next one.
        {"CR LF across a refill", "abc\r\nd\n", 4, {{"abc", "\r\n", 0, 0}, {"d", "\n", 0, 0}}},
        {"line as long as the block, CR LF", "abcd\r\nx\n", 4, {{"abcd", "\r\n", 0, 0}, {"x", "\n", 0, 0}}},
        {"a byte over the block", "abcde\r\nx\n", 4, {{"abcde\r", "", 1, 1}, {"", "\n", 0, 1}, {"x", "\n", 0, 0}}},
        {"overlong line in pieces", "abcdefghijklm\nx", 4,
         {{"abcdef", "", 1, 1}, {"ghijkl", "", 1, 1}, {"m", "\n", 0, 1}, {"x", "", 0, 0}}},
        {"overlong last line without end", "abcdefghijkl", 4,
         {{"abcdef", "", 1, 1}, {"ghijkl", "", 1, 1}, {"", "", 0, 1}}},
        {"the buffer grows to the block", std::string(70000, 'a') + "\n", 1 << 20,
         {{std::string(70000, 'a'), "\n", 0, 0}}},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(lies(f.ein, f.block), f.erwartet) << f.name;
}

// ---- The record reader ----

// A line as the reader gives it: kind, number, text; and, for a data line,
// its record in short: "Grad 50.1222/8.6917", "Kartesisch 3478544/5549792",
// or the reason.
struct Satz {
    char art;  // D data, K header, L empty, U over-long
    long nummer;
    std::string text, eintrag;
    bool operator==(const Satz&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Satz& s)
{
    return o << '{' << s.art << ' ' << s.nummer << " [" << s.text << "] " << s.eintrag << '}';
}

std::string kurz(const quadrix::Satzleser& leser, std::string_view zeile)
{
    quadrix::Eintrag e;
    const quadrix::Zeilenfehler f = leser.eintrag(zeile, e);
    std::string s;
    if (!e.ort.empty())
        s += e.ort + "|";
    if (!e.code.empty())
        s += "MTB " + e.code + "|";
    if (e.unsicherheit > 0)
        s += std::to_string(static_cast<long>(e.unsicherheit)) + " m|";
    if (e.unsicherheitFalsch)
        s += "Unsicherheit?|";
    if (!f.keiner())
        return s + quadrix::text(f);
    if (e.lage == quadrix::Eintrag::Lage::Kartesisch)
        return s + "Kartesisch " + e.kartesisch.code;
    char t[64];
    std::snprintf(t, sizeof t, "Grad %.4f/%.4f", quadrix::grad(e.punkt.breite), quadrix::grad(e.punkt.laenge));
    return s + t + (e.lesart.ausFundortdatei ? " Fundort" : "");
}

std::vector<Satz> saetze(quadrix::Satzleser& leser)
{
    std::vector<Satz> v;
    quadrix::Satzleser::Zeile z;
    using Art = quadrix::Satzleser::Zeile::Art;
    while (leser.naechste(z)) {
        if (z.teil)
            continue;
        const char art = z.art == Art::Daten ? 'D' : z.art == Art::Kopf ? 'K' : z.art == Art::Leer ? 'L' : 'U';
        v.push_back({art, z.nummer, z.art == Art::ZuLang ? std::string() : std::string(z.text),
                     z.art == Art::Daten ? kurz(leser, z.text) : std::string()});
    }
    EXPECT_FALSE(leser.lesefehler());
    return v;
}

std::vector<Satz> saetze(const std::string& ein, const quadrix::Spaltenwahl& wahl = {})
{
    std::FILE* f = tempdatei(ein);
    quadrix::Satzleser leser(f, wahl);
    std::vector<Satz> v = saetze(leser);
    std::fclose(f);
    // The same bytes from memory (as the map reads them) give the same records.
    quadrix::Satzleser imSpeicher(ein, wahl);
    EXPECT_EQ(saetze(imSpeicher), v) << "from memory";
    return v;
}

std::string utf16le(std::string_view ascii)
{
    std::string s = "\xff\xfe";
    for (char c : ascii)
        (s += c) += '\0';
    return s;
}

std::string utf16be(std::string_view ascii)
{
    std::string s = "\xfe\xff";
    for (char c : ascii)
        (s += '\0') += c;
    return s;
}

const std::string Stadtwald = "Stadtwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO";
const std::string Kopf = "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\t"
                         "Sek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst";

TEST(Satzleser, EveryKindOfTable)
{
    const std::string stadtwald = "Stadtwald|MTB 5818/3/3/2/1/1|Grad 50.1222/8.6917 Fundort";
    const struct {
        const char* name;
        std::string ein;
        std::vector<Satz> erwartet;
    } faelle[] = {
        {"free lines, every line end",
         "50 07 20 8 41 30\r\n\r50.1 8.6\nR 3478544 H 5549792",
         {{'D', 1, "50 07 20 8 41 30", "Grad 50.1222/8.6917"},
          {'L', 2, "", ""},
          {'D', 3, "50.1 8.6", "Grad 50.1000/8.6000"},
          {'D', 4, "R 3478544 H 5549792", "Kartesisch R 3478544 H 5549792"}}},
        {"links in free lines: their positions, and none in a short link",
         "geo:50.1,8.6\nhttps://maps.app.goo.gl/Xyz12AbC\n",
         {{'D', 1, "geo:50.1,8.6", "Grad 50.1000/8.6000"},
          {'D', 2, "https://maps.app.goo.gl/Xyz12AbC",
           quadrix::text(quadrix::Zeilenfehler(quadrix::Zeilenfehler::Art::Verweis))}}},
        {"a title line of free form",
         "Punkte\n50 8\n",
         {{'K', 1, "Punkte", ""}, {'D', 2, "50 8", "Grad 50.0000/8.0000"}}},
        {"an empty first line is empty, not a header",
         "\r\n50 8\r\n",
         {{'L', 1, "", ""}, {'D', 2, "50 8", "Grad 50.0000/8.0000"}}},
        {"a table by its titles, quoted cells, uncertainty",
         "Ort;Breite;L\xe4nge;Toleranz\r\n\"Wald; alt\";50,1222;8,6917;1,5 km\r\nB;50;\r\nC;50;8;30 mm\r\n",
         {{'K', 1, "Ort;Breite;L\xe4nge;Toleranz", ""},
          {'D', 2, "\"Wald; alt\";50,1222;8,6917;1,5 km", "Wald; alt|1500 m|Grad 50.1222/8.6917"},
          {'D', 3, "B;50;", "B|" + std::string(quadrix::text(quadrix::Fehler::AnzahlZahlen))},
          {'D', 4, "C;50;8;30 mm", "C|Unsicherheit?|Grad 50.0000/8.0000"}}},
        {"a table of cells: a code and no coordinates",
         "Ort,MTB\nWald,5818/3\n",
         {{'K', 1, "Ort,MTB", ""}, {'D', 2, "Wald,5818/3", "Wald|MTB 5818/3|" + std::string(quadrix::text(quadrix::Zeilenfehler(quadrix::Zeilenfehler::Art::ZuWenigSpalten)))}}},
        {"Rechtswert and Hochwert columns say which is which",
         "RW;HW\n3478544;5549792\n",
         {{'K', 1, "RW;HW", ""}, {'D', 2, "3478544;5549792", "Kartesisch R 3478544 H 5549792"}}},
        {"a find-location file with its header",
         Kopf + "\r\n" + Stadtwald + "\r\nkaputt\tx\r\n",
         {{'K', 1, Kopf, ""}, {'D', 2, Stadtwald, stadtwald},
          {'D', 3, "kaputt\tx", quadrix::text(quadrix::Zeilenfehler(quadrix::Zeilenfehler::Art::KeinFundortSatz))}}},
        {"a find-location file without its header",
         Stadtwald + "\r\n",
         {{'D', 1, Stadtwald, stadtwald}}},
        {"a header of other words in the record's form",
         "Name\tMTB\tG\tM\tS\tN\tG\tM\tS\tO\tB\tN\tL\tO\r\n" + Stadtwald + "\r\n",
         {{'K', 1, "Name\tMTB\tG\tM\tS\tN\tG\tM\tS\tO\tB\tN\tL\tO", ""}, {'D', 2, Stadtwald, stadtwald}}},
        {"a record with decimal degrees only",
         "Wald\t\t\t\t\tN\t\t\t\tO\t50,1222\tN\t8,6917\tO\r\n",
         {{'D', 1, "Wald\t\t\t\t\tN\t\t\t\tO\t50,1222\tN\t8,6917\tO", "Wald|Grad 50.1222/8.6917 Fundort"}}},
        {"a UTF-8 mark before the header",
         "\xef\xbb\xbf" "Breite;L\xc3\xa4nge\n50;8\n",
         {{'K', 1, "Breite;L\xc3\xa4nge", ""}, {'D', 2, "50;8", "Grad 50.0000/8.0000"}}},
        {"UTF-16 LE (Excel's Unicode text)",
         utf16le("Breite\tLaenge\r\n50\t8\r\n"),
         {{'K', 1, "Breite\tLaenge", ""}, {'D', 2, "50\t8", "Grad 50.0000/8.0000"}}},
        {"UTF-16 BE, a find-location file",
         utf16be(Stadtwald + "\r\n"),
         {{'D', 1, Stadtwald, stadtwald}}},
        {"the acute accent as minute mark in UTF-8, as in Windows-1252",
         "50\xc2\xb0 07\xc2\xb4 20\" 8\xc2\xb0 41\xc2\xb4 30\"\n50\xb0 07\xb4 20\" 8\xb0 41\xb4 30\"\n",
         {{'D', 1, "50\xc2\xb0 07\xc2\xb4 20\" 8\xc2\xb0 41\xc2\xb4 30\"", "Grad 50.1222/8.6917"},
          {'D', 2, "50\xb0 07\xb4 20\" 8\xb0 41\xb4 30\"", "Grad 50.1222/8.6917"}}},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(saetze(f.ein), f.erwartet) << f.name;
}

// An over-long line is refused under one number, whatever its pieces; an
// over-long first line decides the table as free form, so that the line
// after it is data, not a header (the map once took it for one).
TEST(Satzleser, OverlongLines)
{
    const std::string lang(quadrix::Zeilenleser::Block + 10, '5');
    const std::vector<Satz> v = saetze(lang + "\r\n" + Kopf + "\r\n" + Stadtwald + "\r\n" + lang + "\n50 8");
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v[0], (Satz{'U', 1, "", ""}));
    EXPECT_EQ(v[1].art, 'D');
    EXPECT_EQ(v[1].nummer, 2);
    EXPECT_EQ(v[2].nummer, 3);
    EXPECT_EQ(v[3], (Satz{'U', 4, "", ""}));
    EXPECT_EQ(v[4], (Satz{'D', 5, "50 8", "Grad 50.0000/8.0000"}));
}

// A UTF-8 mark before the first line is handed over apart, for those who copy lines.
TEST(Satzleser, TheMarkIsKeptApart)
{
    std::FILE* f = tempdatei("\xef\xbb\xbf" "50 8\n51 9\n");
    quadrix::Satzleser leser(f, {});
    quadrix::Satzleser::Zeile z;
    ASSERT_TRUE(leser.naechste(z));
    EXPECT_EQ(z.marke, "\xef\xbb\xbf");
    EXPECT_EQ(z.text, "50 8");
    ASSERT_TRUE(leser.naechste(z));
    EXPECT_EQ(z.marke, "");
    EXPECT_FALSE(leser.naechste(z));
    std::fclose(f);
}

// ---- A find-location file line by line, for a correction ----

// Each line's kind ('K' header, 'S' record, 'F' foreign with its reason);
// the lines together always the bytes read.
TEST(Fundzeilen, EachLineWithItsKind)
{
    using M = fundort::Mangel;
    const std::string satz = "Gr\xfcnwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO";
    const std::string punkt = "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50.1222\tN\t8.6917\tO";
    const struct {
        std::string ein;
        std::string arten;
        std::vector<M> maengel;  // of the foreign lines, in order
    } faelle[] = {
        {Kopf + "\r\n" + satz + "\r\nx\n", "KSF", {M::Felderzahl}},
        {"\xef\xbb\xbf" + Kopf + "\r\n" + satz, "KS", {}},  // an editor's mark before the header
        {satz + "\r" + punkt + "\r\n\r\n" + satz + " ", "SSFF", {M::Leer, M::Buchstaben}},
        {satz.substr(0, satz.size() - 8) + "8.6917\tO\n", "F", {M::Dezimal}},
        {"Wald\x81" + satz.substr(8) + "\n", "F", {M::Zeichen}},
        {satz.substr(0, satz.rfind('\t')), "F", {M::Felderzahl}},
        {std::string("\xff\xfe" "5\0" "0\0\n\0", 8), "F", {M::Kodierung}},
        {"", "", {}},
    };
    for (const auto& f : faelle) {
        const std::vector<fundort::Dateizeile> z = quadrix::dateizeilen(f.ein);
        EXPECT_EQ(fundort::zusammen(z), f.ein) << f.ein;
        std::string arten;
        std::vector<M> maengel;
        for (const fundort::Dateizeile& l : z) {
            arten += l.art == fundort::Dateizeile::Art::Kopf ? 'K' : l.art == fundort::Dateizeile::Art::Satz ? 'S' : 'F';
            if (l.art == fundort::Dateizeile::Art::Fremd)
                maengel.push_back(l.mangel);
        }
        EXPECT_EQ(arten, f.arten) << f.ein;
        EXPECT_EQ(maengel, f.maengel) << f.ein;
    }
    const std::vector<fundort::Dateizeile> z = quadrix::dateizeilen(Kopf + "\r\n" + satz + "\n" + punkt);
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[1].satz.gebiet, "Grünwald");
    EXPECT_EQ(z[1].satz.sekO, "30");
    EXPECT_DOUBLE_EQ(z[1].satz.laenge, 8.6917);
    EXPECT_EQ(z[1].dezimalzeichen, ',');
    EXPECT_EQ(z[2].dezimalzeichen, '.');
}

// --check's findings: each line --batch would read and the window did not
// write so is named, a record's code checked whatever its form.
TEST(Fundzeilen, CheckNamesEveryLine)
{
    using A = quadrix::Befund::Art;
    const std::string satz = "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO";
    const std::string falsch = "Wald\t5818/3/3/2/1/2\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO";
    const struct {
        std::string ein;
        std::vector<std::pair<long, A>> befunde;
    } faelle[] = {
        {Kopf + "\r\n" + satz + "\r\n", {}},
        {Kopf + "\r\n" + satz + "\r\n\r\n", {}},  // an empty line is no record and no fault
        {Kopf + "\r\n" + falsch + " \r\n", {{2, A::Form}, {2, A::Pruefung}}},
        {Kopf + "\r\n" + satz + "\tx\r\n" + satz, {{2, A::Unlesbar}}},
        {"Ort;Breite;L\xe4nge\n", {{0, A::KeineDatei}}},
    };
    for (const auto& f : faelle) {
        std::vector<std::pair<long, A>> befunde;
        for (const quadrix::Befund& b : quadrix::pruefeDatei(f.ein))
            befunde.emplace_back(b.zeile, b.art);
        EXPECT_EQ(befunde, f.befunde) << f.ein;
    }
}

// ---- Whole lists ----

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

TEST(Stapel, Batch)
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

TEST(Stapel, BatchLongInputCrossesBuffers)
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

std::string mitCode(const std::string& zeile) { return zeile + "\t" + code(zeile); }

// Lines ended by CR alone used to run together: the first line's latitude
// with the last line's longitude.
TEST(Stapel, BatchLineEnds)
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
TEST(Stapel, BatchCrLfAcrossTheBuffer)
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
TEST(Stapel, BatchOverlongLine)
{
    const std::string lang(3 * 1048576 + 17, 'x');
    const Lauf l = stapel("50 8\n" + lang + "\n51 9\n" + lang);
    EXPECT_EQ(l.abgelehnt, 2);
    EXPECT_EQ(l.aus, mitCode("50 8") + "\n" + lang + "\t\n" + mitCode("51 9") + "\n" + lang + "\t\n");
    EXPECT_NE(l.fehler.find("liste.csv:2: Zeile länger als 1 MiB"), std::string::npos) << l.fehler;
    EXPECT_NE(l.fehler.find("liste.csv:4: Zeile länger als 1 MiB"), std::string::npos) << l.fehler;
}

TEST(Stapel, BatchRefusesWhatWouldGiveAWrongCode)
{
    const Lauf l = stapel("50 07 20# 8 41 30#\n0 07\n00000050 8\n");
    EXPECT_EQ(l.abgelehnt, 2);
    EXPECT_EQ(l.aus, "50 07 20# 8 41 30#\t\n0 07\t\n" + mitCode("00000050 8") + "\n");
    EXPECT_NE(l.fehler.find("liste.csv:1: eine Spalte mit Ziffern"), std::string::npos) << l.fehler;
    EXPECT_NE(l.fehler.find("liste.csv:2: Punkt außerhalb des Netzes"), std::string::npos) << l.fehler;
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

// Tables as people have them: the columns found by their titles or named,
// CSV quotes read, the code joined with the table's delimiter.
TEST(Stapel, Tables)
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

// Tables as Excel saves them, made from the forms' documented bytes: the
// code joins with the table's own delimiter, the encoding stays as it came.
TEST(Stapel, BatchExcelForms)
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
