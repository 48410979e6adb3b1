#include "records/fundortformat.h"

#include <array>
#include <cstdio>
#include <cstdint>

namespace fundort {

namespace {

constexpr char TAB = '\t';
constexpr std::string_view CRLF = "\r\n";

// Code points of the bytes 0x80..0x9F in Windows-1252; 0 where the byte is unused.
constexpr std::array<char32_t, 32> cp1252Hoch = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char cp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < cp1252Hoch.size(); ++i)
        if (cp1252Hoch[i] != 0 && cp1252Hoch[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

bool hatSteuerzeichen(std::string_view s)
{
    return s.find_first_of("\t\r\n") != std::string_view::npos;
}

}  // namespace

// One code point from s at i, advancing i; U+FFFD for a malformed sequence.
// Overlong forms ("\xE0\x80\x89" for a TAB), surrogates and code points
// beyond U+10FFFF are malformed too: none of them may turn into a byte that
// the bytes as given did not show.
char32_t naechsterCodepunkt(std::string_view s, std::size_t& i)
{
    const auto b0 = static_cast<std::uint8_t>(s[i++]);
    if (b0 < 0x80)
        return b0;
    int folge = b0 >= 0xF0 && b0 < 0xF5 ? 3 : b0 >= 0xE0 && b0 < 0xF0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
    if (folge < 0)
        return 0xFFFD;
    constexpr char32_t kleinster[] = {0, 0x80, 0x800, 0x10000};
    const char32_t mindestens = kleinster[folge];
    char32_t cp = b0 & (0x3F >> folge);
    for (; folge > 0; --folge) {
        if (i >= s.size() || (static_cast<std::uint8_t>(s[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<std::uint8_t>(s[i++]) & 0x3F);
    }
    if (cp < mindestens || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0xFFFD;
    return cp;
}

void alsUtf8Anhaengen(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string zuCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        out += cp1252Byte(naechsterCodepunkt(utf8, i));
    return out;
}

std::string formatGrad(double wert, char dezimalzeichen)
{
    char puffer[400];
    std::snprintf(puffer, sizeof puffer, "%.4f", wert);
    std::string s(puffer);
    // A tiny negative value rounds to zero; zero carries no sign.
    if (s == "-0.0000")
        s.erase(0, 1);
    if (const auto punkt = s.find('.'); punkt != std::string::npos)
        s[punkt] = dezimalzeichen;
    return s;
}

const char* titel(int feld)
{
    static const char* const titel[14] = {
        "Gebietsname", "MTB/Q/UQ",  "Grad(Nord)",        "Min.(Nord)", "Sek.(Nord)",
        "Nord",        "Grad(Ost)", "Min.(Ost)",         "Sek.(Ost)",  "Ost",
        "Koord. Nord(Grad)",        "Nord",              "Koord. Ost(Grad)", "Ost",
    };
    return feld >= 0 && feld < 14 ? titel[feld] : "";
}

std::string kopfzeile()
{
    std::string s;
    for (int i = 0; i < 14; ++i) {
        if (i)
            s += TAB;
        s += titel(i);
    }
    return s += CRLF;
}

std::string vonCp1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0)
            cp = cp1252Hoch[b - 0x80] ? cp1252Hoch[b - 0x80] : 0xFFFD;
        alsUtf8Anhaengen(out, cp);
    }
    return out;
}

std::string textAlsUtf8(std::string_view bytes)
{
    const std::string u = gueltigesUtf8(bytes);
    return u == bytes ? u : vonCp1252(bytes);
}

std::string gueltigesUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();)
        alsUtf8Anhaengen(out, naechsterCodepunkt(bytes, i));
    return out;
}

bool felder(std::string_view zeile, std::string_view (&feld)[14])
{
    int n = 0;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i <= zeile.size(); ++i) {
        if (i < zeile.size() && zeile[i] != TAB)
            continue;
        if (n == 14)
            return false;
        feld[n++] = zeile.substr(anfang, i - anfang);
        anfang = i + 1;
    }
    return n == 14;
}

bool istKopfzeile(std::string_view zeile)
{
    while (!zeile.empty() && (zeile.back() == '\r' || zeile.back() == '\n'))
        zeile.remove_suffix(1);
    const std::string k = kopfzeile();
    return zeile == std::string_view(k).substr(0, k.size() - 2);
}

Zeile datensatzZeile(const Datensatz& d, char dezimalzeichen)
{
    // Converted first and checked as written: the bytes in the file are what
    // must hold no TAB or line break.
    const std::string* const texte[8] = {&d.gebiet, &d.mtb,   &d.gradN, &d.minN,
                                         &d.sekN,   &d.gradO, &d.minO,  &d.sekO};
    std::string geschrieben[8];
    for (int i = 0; i < 8; ++i) {
        geschrieben[i] = zuCp1252(*texte[i]);
        if (hatSteuerzeichen(*texte[i]) || hatSteuerzeichen(geschrieben[i]))
            return {std::nullopt, static_cast<Feld>(i)};
    }

    const std::string felder[14] = {
        geschrieben[0], geschrieben[1], geschrieben[2], geschrieben[3], geschrieben[4], "N",
        geschrieben[5], geschrieben[6], geschrieben[7], "O",
        formatGrad(d.breite, dezimalzeichen), "N", formatGrad(d.laenge, dezimalzeichen), "O",
    };
    std::string s;
    for (int i = 0; i < 14; ++i) {
        if (i)
            s += TAB;
        s += felder[i];
    }
    s += CRLF;
    return {std::move(s), Feld::Gebiet};
}

bool gebietZeichen(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    for (const char32_t z : {U'_', U'/', U'\u00E4', U'\u00F6', U'\u00FC', U'\u00C4', U'\u00D6', U'\u00DC', U' ', U'.', U'-'})
        if (c == z)
            return true;
    return false;
}

std::string fremdesGebietZeichen(std::string_view utf8)
{
    const std::string gueltig = gueltigesUtf8(utf8);
    std::size_t i = 0;
    while (i < gueltig.size()) {
        const std::size_t anfang = i;
        const unsigned char b = static_cast<unsigned char>(gueltig[i]);
        const int laenge = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = laenge == 1 ? b : b & (0x3F >> (laenge - 1));
        for (int k = 1; k < laenge && i + static_cast<std::size_t>(k) < gueltig.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(gueltig[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(laenge);
        if (!gebietZeichen(c))
            return gueltig.substr(anfang, static_cast<std::size_t>(laenge));
    }
    return {};
}

}  // namespace fundort
