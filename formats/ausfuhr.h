// Find-location files and tables as a Darwin Core occurrence table: CSV
// (RFC 4180), UTF-8, one row per record, with the location terms that a
// record of this program holds:
//
//   locality                       the area name (a table's locality/Ort/Gebiet column)
//   verbatimCoordinates, verbatimLatitude, verbatimLongitude
//                                  the coordinates as entered: 50°07'20"N 8°41'30"E
//   verbatimCoordinateSystem       degrees minutes seconds | degrees decimal minutes | decimal degrees
//   verbatimSRS                    EPSG:4314 (Potsdam), EPSG:4258 (ETRS89), EPSG:4326 (WGS84)
//   decimalLatitude, decimalLongitude, geodeticDatum
//                                  WGS84 (EPSG:4326) through BETA2007, 7 decimals
//   coordinateUncertaintyInMeters  half the unit of the last part entered, corner to
//                                  corner: about 20 m for whole seconds, or the
//                                  uncertainty asked for where that is larger; for a
//                                  cell the radius of the circle around it; whole
//                                  metres, rounded up
//   footprintWKT, footprintSRS     a cell's outline in WGS84 (records known by their cell)
//   georeferenceRemarks            how the position was worked out
//   mtbQuadrant                    the sheet-and-quadrant code (not a Darwin Core term)
//   eventDate                      only with points of GPS files and photos among the
//                                  inputs: the time each was taken (ISO 8601); empty
//                                  for the records of find-location files
//
// A record known only by its cell (a code and no coordinates), and every
// record when a precision is asked for (records then generalised to the
// deepest level of cells no smaller than it), is given as its cell's
// centre with the circle and the footprint; the entered coordinates are
// then left out, so that a generalised table gives nothing finer away.
#pragma once

#include "datum/datum.h"
#include "tables/ausgabepuffer.h"
#include "tables/satzleser.h"

#include <cstdio>
#include <vector>

namespace quadrix {

struct DwcForm {
    Datum datum = Datum::Potsdam;           // of the input coordinates
    const Transformation* transformation;   // required: the output is WGS84
    int ebenen = 5;                         // of the code column, for exact points
    double genauigkeit = 0;                 // metres; 0: exact points
    double unsicherheit = 0;                // metres: each point's circle, its code cut to a cell holding it
    Spaltenwahl spalten;
    // As German Excel opens a CSV file by a double click: UTF-8 with its
    // mark, semicolons between the columns, decimal commas in the numbers
    // (a Darwin Core table proper has commas and decimal points).
    bool excel = false;
    bool mitZeit = false;  // the eventDate column (points of GPS files and photos)
};

// Why a line gives no row: the line's or its position's failure, or the
// table's own.
struct DwcGrund {
    enum class Art : unsigned char {
        Keine,
        Zeile,         // see zeile
        NurMtbZellen,  // a code of another grid: only sheet codes describe a cell here
        WederNoch,     // neither coordinates nor a code
        Kartesisch,    // a Gauss-Kruger, UTM or MGRS position: --batch codes those
    } art = Art::Keine;
    Zeilenfehler zeile;

    DwcGrund() = default;
    DwcGrund(Art a) : art(a) {}
    DwcGrund(Zeilenfehler z) : art(z.keiner() ? Art::Keine : Art::Zeile), zeile(z) {}
    bool keiner() const { return art == Art::Keine; }
};
const char* text(const DwcGrund& g);

// One table from any number of inputs, read one after the other; bad lines
// are reported and skipped.
class DwcTafel {
public:
    // Starts the table with its header row.
    DwcTafel(std::FILE* aus, const DwcForm& form);
    // One input to its end. False after a read error (lesefehler()) or a failed write.
    bool datei(std::FILE* ein, const Melder& melde);
    // A point of a GPS file or a photo: e its name as locality, its position
    // (WGS84, as its format defines) and its own uncertainty; zeit its
    // eventDate. The row, or why none; false in schreibfehler after a failed write.
    DwcGrund punkt(const Eintrag& e, std::string_view zeit, bool& schreibfehler);
    // The table's end; false when any write failed.
    bool schluss() { return m_aus.leeren(); }
    long uebersprungen() const { return m_uebersprungen; }
    bool lesefehler() const { return m_lesefehler; }

private:
    // One row, or why not. wieGeschrieben: the coordinates as entered (UTF-8).
    DwcGrund satz(const Eintrag& d, std::string_view wieGeschrieben, const Datum* fest = nullptr,
                  std::string_view zeit = {});

    Ausgabepuffer m_aus;
    const DwcForm& m_form;
    long m_uebersprungen = 0;
    bool m_lesefehler = false;
};

}  // namespace quadrix
