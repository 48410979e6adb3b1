// The find-location file format, byte for byte.
#include "records/fundortformat.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace std::string_literals;

fundort::Datensatz stadtwald()
{
    return {"Stadtwald", "5818/3/3/2/1/1", "50", "07", "20", "8", "41", "30", 50.0 + 7.0 / 60 + 20.0 / 3600,
            8.0 + 41.0 / 60 + 30.0 / 3600};
}

TEST(Fundortformat, HeaderLine)
{
    EXPECT_EQ(fundort::kopfzeile(),
              "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\tOst\t"
              "Koord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n");
}

TEST(Fundortformat, StadtwaldGermanAndEnglish)
{
    EXPECT_EQ(*fundort::datensatzZeile(stadtwald(), ',').bytes,
              "Stadtwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n");
    EXPECT_EQ(*fundort::datensatzZeile(stadtwald(), '.').bytes,
              "Stadtwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50.1222\tN\t8.6917\tO\r\n");
}

struct Zahlfall {
    const char* name;
    double wert;
    const char* komma;
};

const Zahlfall zahlen[] = {
    // name                    value                                expected
    {"whole half degree",      49.5,                                "49,5000"},
    {"three quarters",         10.75,                               "10,7500"},
    {"zero",                   0.0,                                 "0,0000"},
    {"three-digit degrees",    123.0 + 27.0 / 60 + 24.0 / 3600,     "123,4567"},
    {"rounds up at 5th digit", 8.0 + 41.0 / 60 + 30.0 / 3600,       "8,6917"},
    {"below one",              0.5,                                 "0,5000"},
    {"upper bound east",       361.0 + 1.0 / 60,                    "361,0167"},
    {"no grouping",            12345.678,                           "12345,6780"},
    {"negative",               -1.25,                               "-1,2500"},
    {"tiny negative is zero",  -0.00001,                            "0,0000"},
};

TEST(Fundortformat, DecimalDegrees)
{
    for (const auto& z : zahlen)
        EXPECT_EQ(fundort::formatGrad(z.wert, ','), z.komma) << z.name;
}

// Every whole-second value the window can produce: ten thousand times the
// fraction is a multiple of 1/9, so it is never a tie and printf's rounding
// of the binary value is the rounding of the exact value.
TEST(Fundortformat, WholeSecondsRoundToNearest)
{
    // 64 bits: on Windows a long has 32, too few for the tenths of a thousandth.
    for (long long s = 0; s <= 91LL * 3600 + 60; s += 7) {
        const double grad = (static_cast<double>(s / 3600) * 60 + static_cast<double>(s / 60 % 60)) / 60 +
                            static_cast<double>(s % 60) / 3600;
        const long long zehntausendstel = (s * 10000 * 2 + 3600) / (2 * 3600);  // exact, half up
        char erwartet[32];
        std::snprintf(erwartet, sizeof erwartet, "%lld.%04lld", zehntausendstel / 10000, zehntausendstel % 10000);
        ASSERT_EQ(fundort::formatGrad(grad, '.'), erwartet) << s << " s";
    }
}

TEST(Fundortformat, TextFieldsStayAsTyped)
{
    auto d = stadtwald();
    d.sekN = "00";
    d.sekO = "00";
    d.gebiet = "";
    EXPECT_EQ(*fundort::datensatzZeile(d, ',').bytes,
              "\t5818/3/3/2/1/1\t50\t07\t00\tN\t8\t41\t00\tO\t50,1222\tN\t8,6917\tO\r\n");
}

TEST(Fundortformat, UmlautsAreSingleBytes)
{
    auto d = stadtwald();
    d.gebiet = "äöüÄÖÜ";
    const std::string zeile = *fundort::datensatzZeile(d, ',').bytes;
    EXPECT_EQ(zeile.substr(0, 7), "\xe4\xf6\xfc\xc4\xd6\xdc\t"s);
}

struct Kodierfall {
    const char* name;
    std::string utf8;
    std::string cp1252;
};

TEST(Fundortformat, Windows1252)
{
    const Kodierfall faelle[] = {
        {"ascii",                "Wald 1/2_x-y.z",         "Wald 1/2_x-y.z"},
        {"sharp s and accents",  "\xc3\x9f\xc3\xa9",       "\xdf\xe9"},
        {"euro sign 0x80",       "\xe2\x82\xac",           "\x80"},
        {"curly quote 0x93",     "\xe2\x80\x9c",           "\x93"},
        {"not in code page",     "\xc5\x82",               "?"},
        {"astral character",     "\xf0\x9f\x8c\xb2",       "?"},
        {"broken sequence",      "a\xc3",                  "a?"},
        {"stray continuation",   "\x80z",                  "?z"},
        // Overlong forms used to decode: the first of these became a TAB and shifted every column.
        {"overlong TAB, 3 bytes", "Wald\xe0\x80\x89X",      "Wald?X"},
        {"overlong LF, 2 bytes",  "\xc0\x8a",               "??"},
        {"overlong CR, 4 bytes",  "\xf0\x80\x80\x8d",       "?"},
        {"overlong euro, 4 bytes", "\xf0\x82\x82\xac",     "?"},
        {"surrogate",            "\xed\xa0\x80",           "?"},
        {"beyond U+10FFFF",      "\xf4\x90\x80\x80",       "?"},
        {"largest code point",   "\xf4\x8f\xbf\xbf",       "?"},
        {"shortest 3-byte form", "\xe0\xa0\x80",           "?"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(fundort::zuCp1252(f.utf8), f.cp1252) << f.name;
}

// Whatever bytes a caller hands in, a record keeps its 14 columns.
TEST(Fundortformat, MalformedTextKeepsTheColumns)
{
    for (const char* text : {"Wald\xe0\x80\x89X", "\xc0\x8a\xc0\x8d", "\xf0\x80\x80\x89"}) {
        auto d = stadtwald();
        d.gebiet = text;
        d.sekO = text;
        const auto z = fundort::datensatzZeile(d, ',');
        ASSERT_TRUE(z.bytes) << text;
        EXPECT_EQ(std::count(z.bytes->begin(), z.bytes->end(), '\t'), 13) << text;
        EXPECT_EQ(std::count(z.bytes->begin(), z.bytes->end(), '\n'), 1) << text;
        EXPECT_EQ(z.bytes->find('\r'), z.bytes->size() - 2) << text;
    }
}

TEST(Fundortformat, ControlCharactersAreRefused)
{
    const struct {
        std::string fundort::Datensatz::*feld;
        fundort::Feld erwartet;
        const char* text;
    } faelle[] = {
        {&fundort::Datensatz::gebiet, fundort::Feld::Gebiet, "Wald\tweg"},
        {&fundort::Datensatz::gebiet, fundort::Feld::Gebiet, "Wald\r\n"},
        {&fundort::Datensatz::minN, fundort::Feld::MinN, "0\n7"},
        {&fundort::Datensatz::sekO, fundort::Feld::SekO, "\t"},
    };
    for (const auto& f : faelle) {
        auto d = stadtwald();
        d.*f.feld = f.text;
        const auto z = fundort::datensatzZeile(d, ',');
        EXPECT_FALSE(z.bytes) << f.text;
        EXPECT_EQ(z.steuerzeichenIn, f.erwartet) << f.text;
    }
}

}  // namespace
