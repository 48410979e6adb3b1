#include "tables/kodierung.h"

#include <cstdint>

namespace quadrix {

namespace {

void utf8Zeichen(std::uint32_t z, std::string& out)
{
    if (z < 0x80) {
        out += static_cast<char>(z);
    } else if (z < 0x800) {
        out += static_cast<char>(0xc0 | (z >> 6));
        out += static_cast<char>(0x80 | (z & 0x3f));
    } else if (z < 0x10000) {
        out += static_cast<char>(0xe0 | (z >> 12));
        out += static_cast<char>(0x80 | ((z >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (z & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (z >> 18));
        out += static_cast<char>(0x80 | ((z >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((z >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (z & 0x3f));
    }
}

void einheit(std::uint16_t e, Kodierung k, std::string& out)
{
    const char hoch = static_cast<char>(e >> 8), tief = static_cast<char>(e & 0xff);
    if (k == Kodierung::Utf16Le) {
        out += tief;
        out += hoch;
    } else {
        out += hoch;
        out += tief;
    }
}

}  // namespace

bool liesAnfang(std::FILE* ein, Kodierung& k, std::string& vorweg, std::string& text)
{
    k = Kodierung::Bytes;
    char marke[2];
    const std::size_t n = std::fread(marke, 1, 2, ein);
    vorweg.assign(marke, n);
    if (n < 2)
        return !std::ferror(ein);
    const auto b0 = static_cast<unsigned char>(marke[0]), b1 = static_cast<unsigned char>(marke[1]);
    if (b0 == 0xff && b1 == 0xfe)
        k = Kodierung::Utf16Le;
    else if (b0 == 0xfe && b1 == 0xff)
        k = Kodierung::Utf16Be;
    else
        return true;
    vorweg.clear();
    std::string roh;
    char puffer[1 << 16];
    for (std::size_t m; (m = std::fread(puffer, 1, sizeof puffer, ein)) > 0;)
        roh.append(puffer, m);
    if (std::ferror(ein))
        return false;
    text.clear();
    text.reserve(roh.size());
    const bool le = k == Kodierung::Utf16Le;
    auto lies = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(roh[i]), b = static_cast<unsigned char>(roh[i + 1]);
        return static_cast<std::uint16_t>(le ? a | b << 8 : a << 8 | b);
    };
    for (std::size_t i = 0; i + 1 < roh.size(); i += 2) {
        const std::uint16_t e = lies(i);
        if (e >= 0xd800 && e < 0xdc00 && i + 3 < roh.size()) {
            const std::uint16_t f = lies(i + 2);
            if (f >= 0xdc00 && f < 0xe000) {
                utf8Zeichen(0x10000 + ((e - 0xd800u) << 10) + (f - 0xdc00u), text);
                i += 2;
                continue;
            }
        }
        utf8Zeichen(e >= 0xd800 && e < 0xe000 ? 0xfffd : e, text);
    }
    if (roh.size() % 2)
        utf8Zeichen(0xfffd, text);  // a lone last byte
    return true;
}

void alsUtf16(std::string_view s, Kodierung k, std::string& out)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::uint32_t z = 0xfffd;
        std::size_t laenge = 1;
        const std::size_t folge = c < 0x80 ? 0 : (c & 0xe0) == 0xc0 ? 1 : (c & 0xf0) == 0xe0 ? 2 : (c & 0xf8) == 0xf0 ? 3 : 9;
        if (folge == 0) {
            z = c;
        } else if (folge <= 3) {
            std::uint32_t w = c & (0x3f >> folge);
            bool gut = true;
            for (std::size_t j = 1; gut && j <= folge; ++j) {
                if (i + j >= s.size() || (static_cast<unsigned char>(s[i + j]) & 0xc0) != 0x80)
                    gut = false;
                else
                    w = w << 6 | (static_cast<unsigned char>(s[i + j]) & 0x3f);
            }
            const std::uint32_t kleinste[4] = {0, 0x80, 0x800, 0x10000};
            if (gut && w >= kleinste[folge] && w <= 0x10ffff && !(w >= 0xd800 && w < 0xe000)) {
                z = w;
                laenge = folge + 1;
            }
        }
        i += laenge;
        if (z >= 0x10000) {
            einheit(static_cast<std::uint16_t>(0xd800 + ((z - 0x10000) >> 10)), k, out);
            einheit(static_cast<std::uint16_t>(0xdc00 + ((z - 0x10000) & 0x3ff)), k, out);
        } else {
            einheit(static_cast<std::uint16_t>(z), k, out);
        }
    }
}

std::string_view utf16Marke(Kodierung k)
{
    return k == Kodierung::Utf16Le ? std::string_view("\xff\xfe", 2) : std::string_view("\xfe\xff", 2);
}

}  // namespace quadrix
