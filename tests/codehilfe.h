// A written position's code, as the tests of positions and lists compare
// it: the code of five levels (or as asked), or "Fehler N" for a refusal.
#pragma once

#include "grid/mtb.h"
#include "position/code.h"
#include "position/punkt.h"

#include <string>
#include <string_view>

inline std::string code(std::string_view text, int ebenen = 5, quadrix::Notation n = quadrix::Notation::Schraeg)
{
    quadrix::Punkt p;
    if (const auto f = quadrix::lesePunkt(text, p); f != quadrix::Fehler::Keine)
        return "Fehler " + std::to_string(static_cast<int>(f));
    mtb::Code c;
    std::string s;
    if (mtb::codeGenau(p.breite, p.laenge, c))
        quadrix::schreibeCode(s, c, ebenen, n);
    return s;
}
