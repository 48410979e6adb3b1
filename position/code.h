// Sheet-and-quadrant codes in the forms people write (see mtb::schreibeCode):
// read back, and written from a code. Standard library only.
#pragma once

#include "grid/mtb.h"

#include <string>
#include <string_view>

namespace quadrix {

using mtb::Notation;

// Appends the code to out; at most 20 characters.
using mtb::Blattnummer;
inline void schreibeCode(std::string& out, const mtb::Code& code, int ebenen, Notation n,
                         Blattnummer b = Blattnummer::Vierstellig)
{
    mtb::schreibeCode(out, code.zeile, code.spalte, code.quadranten, ebenen, n, b);
}

// The notations by the names the programs take: slash, compact, dot, blank.
bool notationNamens(std::string_view name, Notation& n);

// Reading a code back, for the way from a code to its cell, in each of the
// four notations ("5818/3/3/2", "5818/332", "5818.332", "5818 332"). The sheet number
// is four digits (rows and columns with two digits each, "0916", "5202"),
// or the window's short form of a row or column below 10: "916" is 0916,
// "522" is 5202, "95" is 0905. Three digits split two ways; the one whose
// sheet lies in the grid over Germany (rows 9 to 87, columns 1 to 56) is
// taken, and a number that fits both or neither ("957": 0957 and 9507 lie
// outside) is refused as ambiguous, as are five digits and more. Rows and
// columns lie in 1..99; "0016" and the window's far-off forms such as
// "560-34" are refused.
inline constexpr int ZeilenUeberDeutschland[2] = {9, 87};
inline constexpr int SpaltenUeberDeutschland[2] = {1, 56};
enum class CodeFehler {
    Keine,
    Leer,
    Blatt,            // sheet number not made of digits (and one inner minus)
    BlattMehrdeutig,  // 3, 5 or more digits: row/column split unknown
    AusserhalbNetz,   // row or column outside 1..99 ("0016", "560-34")
    Ziffer,           // a quadrant digit outside 1..4
    ZuVieleEbenen,    // more than 5 quadrant digits
    Form,             // separators that fit none of the forms
};
struct GelesenerCode {
    mtb::Code code;
    int ebenen = 0;
    char falscheZiffer = 0;  // with CodeFehler::Ziffer
};
CodeFehler leseCode(std::string_view text, GelesenerCode& ergebnis);

}  // namespace quadrix
