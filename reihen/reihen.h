// Whole columns at once, for callers that hold points, texts and codes in
// arrays (the Python module, the C interface for GIS): each value taken as
// mtbq --batch takes one line, with the same code or the same German
// reason, never an exception or a stop in the middle of a column.
// Standard library only.
//
//   codiere({50.12222}, {8.69167}, nullptr, 1, form)  -> "5818/3/3/2/1/1" (WGS84 through BETA2007)
//   codiereTexte({"50 07 20 8 41 30", "S12 E8"})      -> "5818/...", and "südlich des Äquators ..."
#pragma once

#include "cells/gitter.h"
#include "cells/umriss.h"
#include "tables/satzleser.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quadrix::reihen {

// mtbq's options for codes, by mtbq's names and values.
struct Wahl {
    std::string gitter = "mtb";      // --grid
    std::string datum = "auto";      // --datum
    std::string notation = "slash";  // --notation
    int ebenen = -1;                 // --levels 0..5; -1: not given (5)
    double genauigkeit = 0;          // --precision in metres; 0: not given
    double unsicherheit = 0;         // --uncertainty in metres; 0: not given
    int zone = 0;                    // --zone; 0: the point's own
    bool langform = false;           // --long-form
};

// Why a choice of options is refused, as mtbq refuses them (text(): mtbq's
// own words).
enum class Wahlfehler {
    Keine,
    Gitter,                      // no grid of that name
    Datum,                       // no datum of that name
    Schreibweise,                // no notation of that name
    Ebenen,                      // levels beyond 0..5
    ZoneOhneGitter,              // a zone for a grid without zones
    Zone,                        // a zone beyond 1..60
    ZoneGk,                      // a Gauss-Kruger zone beyond 2..5
    Langform,                    // the long form for a grid other than EEA
    Unsicherheit,                // no radius
    Genauigkeit,                 // no length
    UnsicherheitGitter,          // an uncertainty for a grid other than the sheet grid
    UnsicherheitUndGenauigkeit,  // both
    MgrsGenauigkeit,             // an MGRS precision other than 1 m, 10 m, 100 m or 1 km
    GenauigkeitGitter,           // a precision for a grid other than mtb or mgrs
    GenauigkeitUndEbenen,        // both
};
const char* text(Wahlfehler f);

// One option's value by mtbq's name without its dashes (grid, datum,
// notation, levels, precision, uncertainty, zone), read into w as mtbq reads
// it: levels one digit 0 to 5 ("3", not "3.0"), precision and uncertainty a
// length above 0 ("250m", "1km", "30"), zone a whole number 1 to 60. Names
// and values of grid, datum and notation are checked by form(). Keine for a
// name that is none of these: the caller's own options.
Wahlfehler leseWahl(std::string_view name, std::string_view wert, Wahl& w);
// Is name one of those leseWahl() reads?
bool codeOption(std::string_view name);

// The form for a choice, or why it is refused. form.transformation is
// left to the caller.
Wahlfehler form(const Wahl& w, Ausgabeform& f);
// The rules between the options on f.gitter, already chosen: the zone, the
// long form, the uncertainty and the precision of w to their grids and not
// with each other (precision not with levels either), taken into f.
Wahlfehler zusammenspiel(const Wahl& w, Ausgabeform& f);

// The codes of a column, and why a value has none.
struct Codes {
    std::string text;                 // each code followed by '\0' (an empty one where refused)
    std::vector<std::size_t> anfang;  // code i: text[anfang[i], anfang[i + 1] - 1)
    std::vector<Zeilenfehler> grund;  // why value i has no code; keiner() where it has one
    std::size_t size() const { return grund.size(); }
    std::string_view code(std::size_t i) const { return {text.data() + anfang[i], anfang[i + 1] - anfang[i] - 1}; }
    void leeren();
};

// One point at a time, for callers that put each code where they keep it
// (a NumPy array's slot): what codiere() does for each.
class Kodierer {
public:
    explicit Kodierer(const Ausgabeform& form);
    // The code of a point in decimal degrees into out (cleared first), with
    // its own uncertainty radius in metres (NaN: none, the form's); or why
    // it has none (out empty).
    Zeilenfehler code(double breite, double laenge, double unsicherheit, std::string& out);
    // Two points at once, each with exactly code()'s result: where both are
    // transformed onto the Potsdam datum, side by side (aufPotsdamZwei).
    void zwei(const double breite[2], const double laenge[2], const double unsicherheit[2], std::string out[2],
              Zeilenfehler f[2]);

private:
    const Ausgabeform& m_form;
    Ausgabeform m_mitRadius;
    bool m_paarweise;                 // the points go onto the Potsdam datum through the transformation
    Ausgabeform m_potsdam;            // the form for a point already there
    Ausgabeform m_potsdamRadius[2];   // the same with a point's own radius
};

// The longest code a form can give, for columns of fixed width.
std::size_t hoechsteLaenge(const Ausgabeform& form);

// Points in decimal degrees read as punktAusGrad reads them; unsicherheit
// (may be nullptr) gives each its own radius in metres for the sheet grid,
// NaN where it has none (then the form's), as mtbq --batch codes a table of
// decimalLatitude, decimalLongitude and coordinateUncertaintyInMeters. With
// Datum::Auto the points are decimal degrees, so WGS84.
void codiere(const double* breite, const double* laenge, const double* unsicherheit, std::size_t n,
             const Ausgabeform& form, Codes& aus);

// Positions as people write them, one per text, each as mtbq --batch codes a
// line of a list without a header: degrees in every form, links, Gauss-Kruger,
// UTM, MGRS.
void codiereTexte(const std::string_view* texte, std::size_t n, const Ausgabeform& form, Codes& aus);

// A written position read: decimal degrees on the datum it is taken on
// (datum: Auto for the rule), a plane position's point (Gauss-Kruger on the
// Potsdam datum, a UTM or MGRS square's centre in ETRS89).
struct Gelesen {
    double breite = 0, laenge = 0;
    Datum datum = Datum::Potsdam;
    Zeilenfehler grund;  // why nothing was read
};
Gelesen lies(std::string_view text, Datum datum);

// A code's cell: its corners and centre in decimal degrees on the cell's
// datum (Potsdam for the sheet grid, the minute fields and Gauss-Kruger,
// else ETRS89), and where asked its closed outline with points along the
// edges. gitter: the grid named, or nullptr to tell it by the code's form.
struct Zelle {
    std::string code;    // written back in the program's form
    Umrissfehler grund;  // why the code was refused
    Umriss umriss;
    Grad2 ecken[4];  // south-west, south-east, north-east, north-west
    Grad2 mitte;
    std::vector<Grad2> rand;
};
Zelle zelle(std::string_view code, const Gitter* gitter, bool mitRand);

// The cells of the sheet grid (any level 0..5) or the minute fields that
// touch a box given in decimal degrees on the Potsdam datum, rows from the
// north, sheet codes written in the notation; at most hoechstens of them
// (zuViele says where more would follow).
std::vector<Umriss> netz(double sued, double west, double nord, double ost, Gitter gitter, int ebene,
                         Notation notation, std::size_t hoechstens, bool& zuViele);

}  // namespace quadrix::reihen
