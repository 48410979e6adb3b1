#include "position/code.h"

#include <charconv>

namespace quadrix {

bool notationNamens(std::string_view name, Notation& n)
{
    if (name == "slash")
        n = Notation::Schraeg;
    else if (name == "compact")
        n = Notation::Kompakt;
    else if (name == "dot")
        n = Notation::Punkt;
    else if (name == "blank")
        n = Notation::Leer;
    else
        return false;
    return true;
}

namespace {

bool ziffern(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool zahl(std::string_view s, std::int16_t& wert)
{
    int w = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), w);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || w < INT16_MIN || w > INT16_MAX)
        return false;
    wert = static_cast<std::int16_t>(w);
    return true;
}

CodeFehler blatt(std::string_view s, mtb::Code& code)
{
    if (const auto minus = s.find('-', 1); minus != std::string_view::npos) {
        std::string_view zeile = s.substr(0, minus), spalte = s.substr(minus + 1);
        const bool zeileNegativ = !zeile.empty() && zeile[0] == '-';
        if (!ziffern(zeileNegativ ? zeile.substr(1) : zeile) || !ziffern(spalte))
            return CodeFehler::Blatt;
        if (!zahl(zeile, code.zeile) || !zahl(s.substr(minus), code.spalte))
            return CodeFehler::Blatt;
        return CodeFehler::Keine;
    }
    if (!ziffern(s))
        return CodeFehler::Blatt;
    if (s.size() == 4) {
        zahl(s.substr(0, 2), code.zeile);
        zahl(s.substr(2), code.spalte);
        return CodeFehler::Keine;
    }
    if (s.size() < 2 || s.size() > 3)
        return CodeFehler::BlattMehrdeutig;
    // "916", "522", "95": the row's digits directly followed by the
    // column's, each without its leading zero. Of the two ways to split
    // three digits, the one whose sheet lies over Germany is taken.
    int gefunden = 0;
    for (std::size_t teil = 1; teil < s.size() && teil <= 2; ++teil) {
        if (s[teil] == '0')
            continue;  // the short form writes no leading zero: "908" is no 0908
        std::int16_t r = 0, c = 0;
        zahl(s.substr(0, teil), r);
        zahl(s.substr(teil), c);
        if (r < ZeilenUeberDeutschland[0] || r > ZeilenUeberDeutschland[1] || c < SpaltenUeberDeutschland[0] ||
            c > SpaltenUeberDeutschland[1])
            continue;
        code.zeile = r;
        code.spalte = c;
        ++gefunden;
    }
    return gefunden == 1 ? CodeFehler::Keine : CodeFehler::BlattMehrdeutig;
}

}  // namespace

CodeFehler leseCode(std::string_view text, GelesenerCode& g)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    if (text.empty())
        return CodeFehler::Leer;

    const auto trenn = text.find_first_of("/. ");
    if (const CodeFehler f = blatt(text.substr(0, trenn), g.code); f != CodeFehler::Keine)
        return f;
    if (g.code.zeile < 1 || g.code.zeile > 99 || g.code.spalte < 1 || g.code.spalte > 99)
        return CodeFehler::AusserhalbNetz;
    g.ebenen = 0;
    if (trenn == std::string_view::npos)
        return CodeFehler::Keine;

    // "/3/3/2", "/332", ".332" or " 332": digits, with a slash before each in the first form.
    std::string_view rest = text.substr(trenn);
    const bool jedeEinzeln = rest[0] == '/' && rest.size() > 2 && rest[2] == '/';
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        const bool trennerStelle = i == 0 || (jedeEinzeln && i % 2 == 0);
        if (trennerStelle) {
            if (c != (i == 0 ? rest[0] : '/'))
                return CodeFehler::Form;
            continue;
        }
        if (c < '0' || c > '9')
            return CodeFehler::Form;
        if (c < '1' || c > '4') {
            g.falscheZiffer = c;
            return CodeFehler::Ziffer;
        }
        if (g.ebenen == 5)
            return CodeFehler::ZuVieleEbenen;
        g.code.quadranten[g.ebenen++] = static_cast<std::uint8_t>(c - '0');
    }
    if (jedeEinzeln && rest.back() == '/')
        return CodeFehler::Form;
    return g.ebenen == 0 ? CodeFehler::Form : CodeFehler::Keine;
}

}  // namespace quadrix
