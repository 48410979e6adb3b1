// The GPX and KML reader over expat: never a crash, however the XML is
// cut; the same points whether the document comes whole or in blocks of
// any size; every point with a position has one within ±90° and ±180°.
#include "imports/lesehilfe.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> punkte(const quadrix::Leseergebnis& e, std::vector<std::string>& v)
{
    v.push_back("Ende " + std::to_string(static_cast<int>(e.grund)));
    return v;
}

std::string zeile(const quadrix::Fundpunkt& p)
{
    if (p.grund == quadrix::Punktgrund::Keiner) {
        const auto b = quadrix::dezimal(p.breite), l = quadrix::dezimal(p.laenge);
        if (!b || !l || *b < -90 || *b > 90 || *l < -180 || *l > 180)
            std::abort();
    }
    return p.name + '|' + p.zeit + '|' + p.breite + '|' + p.laenge + '|' + p.gruppe + '|' +
           std::to_string(static_cast<int>(p.grund));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const char* text = reinterpret_cast<const char*>(daten);
    std::vector<std::string> ganz, stuecke;
    const quadrix::Leseergebnis e = quadrix::leseXmlText(text, n, [&](const quadrix::Fundpunkt& p) { ganz.push_back(zeile(p)); });
    punkte(e, ganz);
    {
        quadrix::XmlStrom strom([&](const quadrix::Fundpunkt& p) { stuecke.push_back(zeile(p)); });
        const std::size_t block = 1 + n % 13;
        for (std::size_t i = 0; i < n; i += block)
            if (!strom.lies(text + i, std::min(block, n - i), false))
                break;
        strom.lies("", 0, true);
        punkte(strom.ergebnis(), stuecke);
    }
    // A malformed document may be found so at another point of the stream,
    // after more or fewer points: only documents read whole must agree.
    if (e.grund == quadrix::Lesegrund::Keiner && ganz != stuecke)
        std::abort();
    return 0;
}
