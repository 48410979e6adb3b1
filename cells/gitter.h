// The grids mtbq names points in, and the way from a point to its code in
// any of them. Standard library only.
//
//   mtb          5818/3/3/2/1/1        sheet and quadrants (Potsdam datum)
//   minutenfeld  5818/324              minute field: sheet, quadrant, row 1..3, column 1..5
//   eea100m .. eea100km  10kmE432N321  EEA reference grid (ETRS89-LAEA)
//   utm          32U 412345 5567890    ETRS89/UTM easting and northing, whole metres
//   mgrs         32UMA 12345 67890     MGRS (UTMREF), 1 m to 1 km
//   gk           R 3478544 H 5549792   Gauss-Kruger, 3 deg zones 2 to 5, whole metres
//
// The sheet grid, the minute fields and Gauss-Kruger lie on the Potsdam datum, the others
// on ETRS89: a point given on the other datum is transformed with BETA2007
// first.
#pragma once

#include "position/code.h"
#include "datum/datum.h"
#include "grid/ellipsoid.h"
#include "grid/projektion.h"
#include "position/punkt.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quadrix {

enum class Gitter { Mtb, Minutenfeld, Eea100m, Eea1km, Eea10km, Eea100km, Utm, Mgrs, Gk };

bool gitterNamens(std::string_view name, Gitter& g);
const char* gitterName(Gitter g);
// Grids on ETRS89 (all but the sheet grid, the minute fields and Gauss-Kruger).
bool aufEtrs89(Gitter g);
// Cell size of an EEA grid in metres; 0 for the others.
std::int64_t eeaGroesse(Gitter g);

struct Ausgabeform {
    Gitter gitter = Gitter::Mtb;
    int ebenen = 5;
    Notation notation = Notation::Schraeg;
    Blattnummer blattnummer = Blattnummer::Vierstellig;  // Kurz: the window's "916" for 0916
    Datum datum = Datum::Potsdam;  // of the input; Auto: by the rule of datum.h, point by point
    // Set whenever the input's datum is not the grid's: to Potsdam for the
    // sheet grid, from Potsdam for the ETRS89 grids.
    const Transformation* transformation = nullptr;
    bool langform = false;  // EEA: CRS3035RES10000mN3210000E4320000
    int zone = 0;           // UTM, MGRS, Gauss-Kruger: forced zone; 0 = the point's own
    int genauigkeit = 1;    // MGRS: 1, 10, 100 or 1000 m
    // Sheet grid: when above 0, the level of each point is the deepest whose
    // cells are no smaller than this many metres (instead of ebenen).
    double ebenenNachGenauigkeit = 0;
    // Sheet grid: when above 0, the radius in metres of the circle around
    // each point that its cell must hold whole (see ebeneFuerKreis).
    double unsicherheit = 0;
};

// Metres per radian along the meridian and along the parallel of a
// latitude on the ellipsoid (GRS80 for ETRS89 and WGS84, Bessel for Potsdam).
void meterJeBogen(double breite, double& meridian, double& parallel, const Ellipsoid& el = Grs80);

// The deepest quadrant level (0..5) whose cells at the latitude are no
// smaller than the length on either side; 0 when even a sheet is smaller.
//   250 m at 50° N -> 5 (about 350 m x 370 m)      1 km -> 3
int ebeneFuerGenauigkeit(double meter, double breite);

// Metres from a point (Potsdam datum) to the nearest line of its cell at
// each level 0 (the sheet) to 5: geodesic distances on Bessel's ellipsoid,
// to a parallel along the meridian, to a meridian at a right angle to it.
void abstaendeZuLinien(const Punkt& potsdam, const mtb::Code& code, double abstand[6]);

// The deepest level (0 .. hoechstens) whose cell holds the whole circle of
// radius metres around the point; -1 where not even its sheet holds it.
// The circle must stay a millimetre inside every line of the cell (the
// point's own rounding), so one that touches a line is not held.
//   5 m from a level-5 line, radius 10 m -> 4; a level-5 cell's centre, 1 m -> 5
int ebeneFuerKreis(const Punkt& potsdam, const mtb::Code& code, double radius, int hoechstens = 5);

// The other sheets a circle around a point reaches, as four-digit numbers
// ("5817, 5918"), for the warning where no sheet holds it.
std::string blaetterImKreis(const Punkt& potsdam, const mtb::Code& code, double radius);

// The same for a region given by points of its outline (degrees, Potsdam
// datum, latitude first), such as a UTM or MGRS square's, and the other
// sheets those points lie in.
int ebeneFuerUmriss(const mtb::Code& code, const std::vector<std::pair<double, double>>& potsdam, int hoechstens = 5);
std::string blaetterAn(const mtb::Code& code, const std::vector<std::pair<double, double>>& potsdam);

// The mark after a sheet number where a circle reaches beyond the sheet:
// "5818*" is the sheet of the centre, and nothing finer is known.
inline constexpr char UeberDasBlatt = '*';

// Needs the form a transformation for this input and grid?
bool brauchtUmrechnung(const Ausgabeform& form);

// Everything known about a point on its way to the code, for --verbose.
struct Verortung : Lage {  // on the Potsdam datum for the sheet grid and minute fields, else in ETRS89
    proj::Ebene ebene;        // plane coordinates (ETRS89 grids, Gauss-Kruger)
    int zone = 0;             // UTM, MGRS, Gauss-Kruger
    mtb::Code code;           // sheet grid: the point's code, to level 5
    int stufe = 5;            // sheet grid: the level written, -1 for the sheet with its mark
};

// Why a point has no code in a grid: its position's failure (outside the
// sheet net), its datum's (no transformation, outside BETA2007), or the
// grid's own bounds. text() in cells/texte.h.
struct Zellfehler {
    enum class Art : unsigned char {
        Keine,
        Position,        // see position
        Umrechnung,      // see umrechnung
        AusserhalbUtm,   // north of 84 deg N, or too far from a forced zone's central meridian
        AusserhalbEea,   // west or south of the EEA grid's origin
        AusserhalbMgrs,  // east of the eight 100 km columns of a forced zone
        AusserhalbGk,    // outside the Gauss-Kruger zones 2 to 5, or too far from a forced zone's central meridian
    } art = Art::Keine;
    Fehler position = Fehler::Keine;
    Umrechnungsfehler umrechnung = Umrechnungsfehler::Keine;

    Zellfehler() = default;
    Zellfehler(Art a) : art(a) {}
    Zellfehler(Fehler f) : art(f == Fehler::Keine ? Art::Keine : Art::Position), position(f) {}
    Zellfehler(Umrechnungsfehler u) : art(u == Umrechnungsfehler::Keine ? Art::Keine : Art::Umrechnung), umrechnung(u) {}
    bool keiner() const { return art == Art::Keine; }
    bool operator==(const Zellfehler&) const = default;
};

// The code of a point given on form.datum, appended to out. With Datum::Auto
// the datum follows the way the point was written (lesart, see datum.h);
// without a lesart, Auto is Potsdam.
Zellfehler gitterCode(const Punkt& eingabe, const Ausgabeform& form, std::string& out, Verortung* v = nullptr,
                  const Lesart* lesart = nullptr);

// The title of a code column: "MTB [Potsdam (DHDN)]", "MTB [aus ETRS89]",
// "EEA 10km [aus Potsdam (DHDN)]", "UTM [ETRS89]".
std::string spaltentitel(const Ausgabeform& form);

// A minute field's code: "5818/324" (four-digit sheet number).
std::string minutenfeldText(std::int16_t zeile, std::int16_t spalte, int quadrant, int y, int x);

}  // namespace quadrix
