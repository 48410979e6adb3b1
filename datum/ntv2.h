// NTv2 grid shift files such as BETA2007.gsb (the official German grid
// between DHDN and ETRS89), read and applied exactly as PROJ's hgridshift
// applies them: the shifts of the four nodes around a point interpolated
// bilinearly, in radians, as single-precision values the way PROJ keeps
// them; the inverse found by the same fixed-point iteration (at most 10
// steps, to 1e-12 rad). Standard library only.
//
// Only files with one subgrid are taken (BETA2007 has one). A file that is
// truncated, has a header that does not add up, or shifts that are not
// finite numbers below a minute of arc is refused with its reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quadrix::ntv2 {

struct Gitter {
    // Extent and node spacing in radians, east positive (NTv2 counts west).
    double west = 0, sued = 0, ost = 0, nord = 0, schrittX = 0, schrittY = 0;
    int spalten = 0, zeilen = 0;
    // Per node from the south-west corner, row by row, west to east: the
    // shift of longitude (east positive) and of latitude, in radians.
    std::vector<float> verschiebung;
};

// Why a file was refused; text() gives the German sentence.
enum class Lesefehler {
    Keine,
    ZuKurz,          // shorter than the two headers
    KeinNtv2,        // no NUM_OREC at the start
    Kopf,            // the overview header has not 11 records
    Teilgitter,      // more than one subgrid
    Einheit,         // shifts not in seconds of arc
    TeilKopf,        // the subgrid's header names are damaged
    TeilWerte,       // its values are not finite or beyond a circle
    TeilKeinGitter,  // its spacing or extent describes no grid
    Masche,          // the extent is no multiple of the spacing
    Anzahl,          // the node count does not fit the extent
    Abgeschnitten,   // the file ends before its nodes
    Verschiebung,    // a shift not finite or of a minute or more
};
const char* text(Lesefehler f);

// The grid from a whole file's bytes.
//   lese(BETA2007.gsb) -> Keine, 62 x 84 nodes from 5°30' E, 47° N
//   lese(the first 100 bytes) -> ZuKurz
Lesefehler lese(std::string_view bytes, Gitter& g);

// From the grid's source datum to its target (DHDN -> ETRS89 for BETA2007),
// longitude and latitude in radians, in place. False outside the grid.
bool vorwaerts(const Gitter& g, double& lam, double& phi);
// The way back; false outside the grid or where the iteration does not converge.
bool rueckwaerts(const Gitter& g, double& lam, double& phi);
// The same for two points at once, each with exactly what rueckwaerts gives
// it (ok: its result); faster than one after the other.
void rueckwaertsZwei(const Gitter& g, double lam[2], double phi[2], bool ok[2]);

}  // namespace quadrix::ntv2
