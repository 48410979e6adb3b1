// Reading a point from the forms people write. Standard library only.
//
// Accepted, with blanks, TABs, semicolons or commas between the numbers:
//   50 07 20 8 41 30                 degrees, minutes, seconds
//   50 7.3333 8 41.5                 degrees and decimal minutes (GPS)
//   50.12222 8.69167   50,12222 8,69167     decimal degrees
//   50°07'20"N 8°41'30"E   N50°07.333' E8°41.500'   50°07′20″ 8°41′30″
// Hemisphere letters N, E or O (Ost) may stand before or after a coordinate
// and also set the order ("E8 N50"). Only the last part of a coordinate may
// have decimals; beyond the tenth they are rounded to ten, half up
// (50.122222222222224 -> 50.1222222222). Ranges as in the
// window: degrees north 0..90, east 0..360, minutes and seconds 0..60 (a
// decimal-degree latitude at most 90). Columns without any digit, such as
// names, are passed over; a column with digits that is no number refuses
// the line ("20#"). Leading zeros do not count towards the 7 digits a
// number may have. A comma is a decimal comma when the line also has
// TABs, semicolons or blanks and the number has no decimal point yet;
// otherwise it separates columns.
//
//   "50°07'20\"N 8°41'30\"E" -> 180440" N, 31290" E
//   "S12 E8"  -> Fehler::Sueden         "50 07 20" -> Fehler::AnzahlZahlen
#pragma once

#include "grid/mtb.h"

#include <cmath>
#include <cstdint>
#include <string_view>

namespace quadrix {

enum class Fehler {
    Keine,
    KeineZahl,        // no coordinate in the text
    AnzahlZahlen,     // not 2, 4 or 6 numbers and no marks or letters that group them
    Form,             // marks or letters that do not fit together
    Nachkommastellen, // decimals before the last part
    ZuGross,          // a number beyond every range
    BereichNord,      // degrees north above 90
    BereichOst,       // degrees east above 360
    BereichMinSek,    // minutes or seconds above 60
    Sueden,           // south of the equator
    Westen,           // west of Greenwich
    Spalte,           // a column with digits that does not read as a number ("20#")
    AusserhalbNetz,   // sheet row or column outside 1..99, where sheet numbers stop being unique
};

struct Punkt {
    mtb::Winkel breite, laenge;  // seconds of arc north and east
};

// How a point was written, for callers that treat the forms differently.
struct Lesart {
    int teile[2] = {0, 0};  // latitude, longitude: 1 degrees, 2 with minutes, 3 with seconds
    bool nachkomma = false; // some part carries decimals
    // Read from a find-location record: on the grid's Potsdam datum, whatever its form.
    bool ausFundortdatei = false;
    int stellen[2] = {0, 0};  // decimals of the last part of each
    // Half the unit of the last part given, in seconds of arc: how far the
    // true position may lie from the one written (0.5 for whole seconds).
    double halbeEinheit(int i) const
    {
        const double einheit[4] = {3600, 3600, 60, 1};
        return einheit[teile[i]] * 0.5 * std::pow(10.0, -stellen[i]);
    }
    // Whole degrees, minutes and seconds for both: read off a map sheet.
    bool ganzeSekunden() const { return teile[0] == 3 && teile[1] == 3 && !nachkomma; }
};

Fehler lesePunkt(std::string_view text, Punkt& punkt, Lesart* lesart = nullptr);

// A point in decimal degrees held as binary doubles (arrays of scripts and
// GIS layers): each number is taken as the shortest decimal text that reads
// back as the same double (Python's repr), and that text as lesePunkt takes
// it, decimals beyond the tenth rounded half up. So a double and its text
// give the same point, and the same code. The lesart is decimal degrees,
// whatever the digits. NaN: KeineZahl; a negative number or -0.0: Sueden or
// Westen; infinity: ZuGross; beyond 90 and 360: the ranges' errors.
//   50.12222, 8.69167 -> {1804399920, 4}, {312900120, 4}
Fehler punktAusGrad(double breite, double laenge, Punkt& punkt, Lesart* lesart = nullptr);

// An angle rounded to whole seconds of arc, a half second up (59.5" -> 60").
std::int64_t ganzeSekunden(const mtb::Winkel& w);

// The code of a point on the Potsdam datum, only where sheet numbers are
// unique: rows and columns 1..99 (all of Germany and far around it). The
// row's digits followed by the column's would be ambiguous beyond.
inline Fehler codeImNetz(const Punkt& p, mtb::Code& code)
{
    if (!mtb::codeGenau(p.breite, p.laenge, code) || code.zeile < 1 || code.zeile > 99 || code.spalte < 1 ||
        code.spalte > 99)
        return Fehler::AusserhalbNetz;
    return Fehler::Keine;
}

// Germany's box and a little around it (47 to 55.2 deg N, 5.8 to 15.1 deg E),
// in decimal degrees of any datum: outside, and inside the other way round,
// latitude and longitude were probably swapped.
inline bool imRahmenDeutschlands(double breite, double laenge)
{
    return breite >= 47 && breite <= 55.2 && laenge >= 5.8 && laenge <= 15.1;
}

// True when the text holds no digit at all (a header line, for instance).
bool ohneZiffern(std::string_view text);

// Decimal degrees of an angle, and back (to a millionth of a second).
// Inline: every point of a long list passes through them.
inline double grad(const mtb::Winkel& w)
{
    return static_cast<double>(w.einheiten) / static_cast<double>(mtb::zehnHoch[w.stellen]) / 3600;
}
inline mtb::Winkel winkelAusGrad(double grad)
{
    // llround without the library call: below 2^52 the fraction v - trunc(v)
    // is exact, so halves round away from zero exactly as llround rounds them.
    const double v = grad * 3600 * 1e6;
    if (!(std::fabs(v) < 4503599627370496.0))
        return {std::llround(v), 6};
    auto ganz = static_cast<std::int64_t>(v);
    const double rest = v - static_cast<double>(ganz);
    if (rest >= 0.5)
        ++ganz;
    else if (rest <= -0.5)
        --ganz;
    return {ganz, 6};
}

}  // namespace quadrix
