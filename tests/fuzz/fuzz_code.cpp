// Reading a code back: never a crash; a code that is read names a cell of
// the sheet grid (rows and columns 1..99, corners in the positive quadrant)
// and is written again as it was read.
#include "position/code.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string_view text(reinterpret_cast<const char*>(daten), n);
    quadrix::GelesenerCode g;
    if (quadrix::leseCode(text, g) != quadrix::CodeFehler::Keine)
        return 0;
    if (g.code.zeile < 1 || g.code.zeile > 99 || g.code.spalte < 1 || g.code.spalte > 99 || g.ebenen < 0 || g.ebenen > 5)
        std::abort();
    const mtb::Zelle z = mtb::zelle(g.code.zeile, g.code.spalte, g.code.quadranten, g.ebenen);
    if (!(z.sued > 0 && z.west > 0 && z.hoehe > 0 && z.breite > 0))
        std::abort();
    char blatt[16];
    std::snprintf(blatt, sizeof blatt, "%02d%02d", g.code.zeile, g.code.spalte);
    std::string vier = blatt;
    for (int i = 0; i < g.ebenen; ++i)
        vier += (i ? "" : "/") + std::string(1, static_cast<char>('0' + g.code.quadranten[i]));
    quadrix::GelesenerCode g2;
    if (quadrix::leseCode(vier, g2) != quadrix::CodeFehler::Keine || g2.code.zeile != g.code.zeile ||
        g2.code.spalte != g.code.spalte || g2.ebenen != g.ebenen || g2.code.quadranten != g.code.quadranten)
        std::abort();
    return 0;
}
