#include "tables/kodierung.h"

#include "records/fundortformat.h"

#include <cstdint>

namespace quadrix {

namespace {

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

Kodierung kodierungVon(std::string_view anfang)
{
    if (anfang.substr(0, 2) == "\xff\xfe")
        return Kodierung::Utf16Le;
    if (anfang.substr(0, 2) == "\xfe\xff")
        return Kodierung::Utf16Be;
    return Kodierung::Bytes;
}

void ausUtf16(std::string_view roh, Kodierung k, std::string& text)
{
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
                fundort::alsUtf8Anhaengen(text, 0x10000 + ((e - 0xd800u) << 10) + (f - 0xdc00u));
                i += 2;
                continue;
            }
        }
        fundort::alsUtf8Anhaengen(text, e >= 0xd800 && e < 0xe000 ? char32_t{0xfffd} : char32_t{e});
    }
    if (roh.size() % 2)
        fundort::alsUtf8Anhaengen(text, 0xfffd);  // a lone last byte
}

bool liesAnfang(std::FILE* ein, Kodierung& k, std::string& vorweg, std::string& text)
{
    char marke[2];
    const std::size_t n = std::fread(marke, 1, 2, ein);
    vorweg.assign(marke, n);
    k = kodierungVon(vorweg);
    if (k == Kodierung::Bytes)
        return !std::ferror(ein);
    vorweg.clear();
    std::string roh;
    char puffer[1 << 16];
    for (std::size_t m; (m = std::fread(puffer, 1, sizeof puffer, ein)) > 0;)
        roh.append(puffer, m);
    if (std::ferror(ein))
        return false;
    ausUtf16(roh, k, text);
    return true;
}

void alsUtf16(std::string_view s, Kodierung k, std::string& out)
{
    for (std::size_t i = 0; i < s.size();) {
        const char32_t z = fundort::naechsterCodepunkt(s, i);
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
