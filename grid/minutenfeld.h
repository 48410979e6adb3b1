// Minute fields (Minutenfelder): the 1' x 1' fields of the sheet grid, 60 to
// a sheet (6 rows x 10 columns) and 15 to a quadrant (3 rows x 5 columns).
//
// The boundary rules are those of the sheets: a shared line of latitude
// belongs to the southern field, a shared line of longitude to the eastern
// field. So a field is named by its sheet, its quadrant and its row (1..3
// from the north) and column (1..5 from the west) inside that quadrant,
// written "5818/324" (sheet, quadrant 3, row 2, column 4).
//
// The quadrant digit is the quadrant the field lies in. On a sheet's middle
// meridian this differs from the first quadrant level of the sheet code,
// whose half lines go to the west: 50°09'00" N, 8°45'00" E is 5818/3/... as a
// quadrant code but lies in the minute field 5818/411 (the meridian belongs
// to the eastern field, the parallel to the southern one in both).
//
// Standard library only.
#pragma once

#include "grid/mtb.h"

#include <cstdint>

namespace mtb {

struct Minutenfeld {
    std::int16_t zeile = 0, spalte = 0;  // the sheet
    std::uint8_t feldZeile = 1;           // 1..6 from the sheet's north edge
    std::uint8_t feldSpalte = 1;          // 1..10 from the sheet's west edge

    int quadrant() const { return 1 + (feldZeile > 3 ? 2 : 0) + (feldSpalte > 5 ? 1 : 0); }
    int zeileImQuadranten() const { return (feldZeile - 1) % 3 + 1; }   // y: 1..3
    int spalteImQuadranten() const { return (feldSpalte - 1) % 5 + 1; } // x: 1..5
};

// The field of a point, exactly; false when the sheet row or column leaves
// the 16-bit range.
bool minutenfeld(const Winkel& breite, const Winkel& laenge, Minutenfeld& feld);

// The field from its quadrant (1..4), row y (1..3) and column x (1..5);
// false for digits outside those ranges.
bool minutenfeldAus(std::int16_t zeile, std::int16_t spalte, int quadrant, int y, int x, Minutenfeld& feld);

// South-west corner and size of the field, in minutes of arc (exact).
Zelle minutenfeldZelle(const Minutenfeld& feld);

}  // namespace mtb
