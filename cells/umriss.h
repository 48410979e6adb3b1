// A code of any grid read back to its cell, and points of that cell: its
// corners, its centre and the points between them for outlines.
// Standard library only.
//
//   "5818/3/3"              sheet grid, Potsdam          (gitter mtb, the default)
//   "5818/324"              minute field, Potsdam        (only with gitter minutenfeld:
//                                                         it also reads as a quadrant code)
//   "10kmE432N321", "CRS3035RES10000mN3210000E4320000"   EEA, ETRS89-LAEA
//   "32U 412345 5567890"    UTM square of 1 m, ETRS89
//   "32UMA 123 678"         MGRS square of 100 m, ETRS89
// The EEA, UTM and MGRS forms are told apart by their form; without a grid
// named, anything else is read as a sheet code.
#pragma once

#include "cells/gitter.h"
#include "grid/minutenfeld.h"
#include "grid/mtb.h"
#include "position/code.h"

#include <string>
#include <string_view>
#include <vector>

namespace quadrix {

struct Umriss {
    Gitter gitter = Gitter::Mtb;
    std::string code;  // written back in the program's own form
    // Sheet grid and minute fields: a rectangle of latitude and longitude
    // on the Potsdam datum, in minutes.
    mtb::Zelle rechteck;
    mtb::Code mtbCode;
    int ebenen = 0;
    // The other grids: a square in plane coordinates (metres), of the LAEA
    // projection with zone 0, else of that UTM zone, or Gauss-Kruger zone
    // (on the Potsdam datum).
    int zone = 0;
    double ost = 0, nord = 0, seite = 0;

    // A square of plane (Cartesian) coordinates in metres, not a rectangle of
    // degrees; "Ebene" in this program's names always means a quadrant level.
    bool kartesisch() const { return aufEtrs89(gitter) || gitter == Gitter::Gk; }
    bool aufPotsdam() const { return !aufEtrs89(gitter); }
};

// Why a code or a plane position was refused (the German sentences: text()
// in cells/texte.h).
struct Umrissfehler {
    enum class Art : unsigned char {
        Keine,
        KeinCode,            // nothing given
        Mtb,                 // a sheet code, refused for the reason in code
        MinutenfeldForm,     // not of the form 5818/324
        MinutenfeldZiffern,  // the form, but not all digits
        MinutenfeldWerte,    // quadrant, row or column out of range
        Eea,                 // no EEA code
        EeaGroesse,          // an EEA code of another cell size than the grid named
        GkForm,              // no Gauss-Kruger pair
        GkWerte,             // a pair, but not a value of Germany's zones
        GkMehrdeutig,        // either number could be the Rechtswert
        Utm,                 // no UTM square
        UtmStellen,          // UTM without a six-digit easting and a seven-digit northing
        Mgrs,                // no MGRS reference
        KeinePosition,       // a code of a grid of cells, not a position in a plane
    } art = Art::Keine;
    CodeFehler code = CodeFehler::Keine;  // with Art::Mtb and Art::MinutenfeldZiffern's sheet

    bool keiner() const { return art == Art::Keine; }
    bool operator==(const Umrissfehler&) const = default;
};

// The one way from a sheet code to its cell: the code cut to ebenen
// levels, its rectangle and its text in slash form.
Umriss mtbUmriss(const mtb::Code& code, int ebenen);

// Reads a code; gitter: the grid the user named, or nullptr to tell the
// grid by the code's form.
Umrissfehler leseUmriss(std::string_view text, const Gitter* gitter, Umriss& u);

// A position written in a plane grid, as people paste or type one:
// Gauss-Kruger (R 3478544 H 5549792, 3478544 5549792 ...), UTM
// (32U 478544 5549792, band optional) or MGRS (32UMA 78544 49792, any
// precision). UTM must have a six-digit easting and a seven-digit
// northing, so that three numbers such as "50 07 20" are never taken for
// one. False for anything else; grund, where given, is then the reason of
// the plane reader the text most resembles (a zone and band: UTM or MGRS;
// a seven-digit number or R, H, x, y: Gauss-Kruger), none (keiner()) where
// it resembles degrees more.
bool lesePosition(std::string_view text, Umriss& u, Umrissfehler* grund = nullptr);

// The code of such a position in the grid of form (form.datum is the
// position's own: Potsdam for Gauss-Kruger, ETRS89 for UTM and MGRS; the
// transformation as for any point). Gauss-Kruger is a point; a UTM or MGRS
// square is coded by its centre, its sheet code cut to the deepest level
// whose cell holds the whole square, the sheet with its mark where none
// does. umriss: the square's outline on the Potsdam datum, for the warning.
Zellfehler positionsCode(const Umriss& position, const Ausgabeform& form, std::string& out, Verortung* v = nullptr,
                  std::vector<std::pair<double, double>>* umriss = nullptr);

// The point at fractions fx (west to east) and fy (south to north) of the
// cell, in decimal degrees on the cell's datum (Potsdam for rectangles,
// ETRS89 for squares). Fractions of the form k / 2^n give exact, shared
// points for neighbouring cells.
struct Grad2 {
    double breite = 0, laenge = 0;
};
Grad2 punktIn(const Umriss& u, double fx, double fy);

// The point such a position stands for, on its own datum: Gauss-Kruger's
// point as written, a UTM or MGRS square's centre.
Grad2 positionsPunkt(const Umriss& position);

// The cell's outline, closed, counter-clockwise from the south-west
// corner, with extra vertices on the edges: a quarter sheet's width and
// height per segment at most for rectangles, 12.5 km for squares. Points
// on the cell's datum; with inMetern, squares in their plane coordinates.
std::vector<Grad2> umrissPunkte(const Umriss& u, bool inMetern = false);

// Does the cell hold the point (on the cell's datum, the grid's own rules
// on its lines)?
bool enthaelt(const Umriss& u, const Punkt& p, double breiteEtrs, double laengeEtrs);

}  // namespace quadrix
