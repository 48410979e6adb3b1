// The one line reader: line ends of every kind, a CR LF split across a
// block, lines longer than a block in pieces, a last line without its end.
// The one record reader: every kind of table, every encoding, the first
// line, over-long and empty lines, and what each line's record holds.
#include "cells/texte.h"
#include "position/texte.h"
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

}  // namespace
