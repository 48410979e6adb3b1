// Reading a point: never a crash, and what is read is right.
//  - whole-second input: the exact computation and the window's double
//    computation give the same code;
//  - the code, read back as a code, names a cell that holds the point;
//  - the fast reading of plain lists reads as the general way;
//  - a link's position is two numbers found in the link, and reads.
#include "position/code.h"
#include "position/punkt.h"
#include "position/verweis.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double minutenVon(const mtb::Winkel& w)
{
    return static_cast<double>(w.einheiten) / static_cast<double>(mtb::zehnHoch[w.stellen]) / 60;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string_view text(reinterpret_cast<const char*>(daten), n);
    if (std::string position; quadrix::leseVerweis(text, position) == quadrix::VerweisFehler::Keine) {
        // Two numbers of the link's own characters, a blank between.
        const auto blank = position.find(' ');
        if (blank == std::string::npos || position.find(' ', blank + 1) != std::string::npos ||
            text.find(position.substr(0, blank)) == std::string_view::npos ||
            text.find(position.substr(blank + 1)) == std::string_view::npos)
            std::abort();
        quadrix::Punkt v;
        (void)quadrix::lesePunkt(position, v);
    }
    quadrix::Punkt p;
    const quadrix::Fehler f = quadrix::lesePunkt(text, p);
    // A column without digits after a TAB sends a line past the word-at-a-time
    // reading without changing what it says (with a blank, TAB or semicolon
    // already there, commas keep their meaning): both must read the same.
    if (text.find_first_of(" \t;") != std::string_view::npos) {
        quadrix::Punkt q;
        const quadrix::Fehler g = quadrix::lesePunkt(std::string(text) + "\t#", q);
        if (f != g || (f == quadrix::Fehler::Keine &&
                       (p.breite.einheiten != q.breite.einheiten || p.breite.stellen != q.breite.stellen ||
                        p.laenge.einheiten != q.laenge.einheiten || p.laenge.stellen != q.laenge.stellen)))
            std::abort();
    }
    if (f != quadrix::Fehler::Keine)
        return 0;
    mtb::Code code;
    if (quadrix::codeImNetz(p, code) != quadrix::Fehler::Keine)
        return 0;
    // Read back in the unambiguous four-digit form.
    char vier[16];
    std::snprintf(vier, sizeof vier, "%02d%02d.", code.zeile, code.spalte);
    std::string geschrieben = vier;
    for (int i = 0; i < 5; ++i)
        geschrieben += static_cast<char>('0' + code.quadranten[i]);

    if (p.breite.stellen == 0 && p.laenge.stellen == 0) {
        const auto teile = [](std::int64_t s) {
            return std::to_string(s / 3600) + " " + std::to_string(s / 60 % 60) + " " + std::to_string(s % 60);
        };
        const std::string b = teile(p.breite.einheiten), l = teile(p.laenge.einheiten);
        const auto bb = b.find(' '), bl = l.find(' ');
        const auto fenster = mtb::berechne(b.substr(0, bb), b.substr(bb + 1, b.rfind(' ') - bb - 1), b.substr(b.rfind(' ') + 1),
                                           l.substr(0, bl), l.substr(bl + 1, l.rfind(' ') - bl - 1), l.substr(l.rfind(' ') + 1));
        // The window's text: the short sheet number of the records.
        std::string schraeg;
        quadrix::schreibeCode(schraeg, code, 5, quadrix::Notation::Schraeg, quadrix::Blattnummer::Kurz);
        if (!fenster.ergebnis || fenster.ergebnis->text() != schraeg)
            std::abort();
    }

    quadrix::GelesenerCode g;
    if (quadrix::leseCode(geschrieben, g) != quadrix::CodeFehler::Keine)
        std::abort();
    const mtb::Zelle z = mtb::zelle(g.code.zeile, g.code.spalte, g.code.quadranten, g.ebenen);
    const double b = minutenVon(p.breite), l = minutenVon(p.laenge);
    constexpr double Spiel = 1e-9;
    if (b < z.sued - Spiel || b > z.sued + z.hoehe + Spiel || l < z.west - Spiel || l > z.west + z.breite + Spiel)
        std::abort();
    return 0;
}
