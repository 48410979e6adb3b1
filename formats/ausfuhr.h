// Find-location files and tables as the tables that portals and databases
// take (the profiles below), one row per record. The profile Darwin Core is
// an occurrence table: CSV (RFC 4180), UTF-8, with the location terms that a
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
#include <optional>
#include <string_view>
#include <vector>

namespace quadrix {

// The tables, each as its portal documents its import (every one with CR LF
// line ends; "Toleranz" and "Genauigkeit" in whole metres):
//   Dwc        Darwin Core, above (CSV, UTF-8; with excel as German Excel opens it)
//   Multibase  MultiBaseCS import table: CSV for German Excel (Windows-1252, ";",
//              decimal comma): Fundort;MTB;Quadrant;Teilquadrant;Toleranz;Breite;Länge
//              the sheet, its first quadrant and the further ones run together
//              (5818 | 3 | 3211); Toleranz the next value of its list at or above
//              the uncertainty: 10, 50, 100, 500, 1000, 5000, 10000 (beyond: ">10000")
//   Recorder   Recorder-D's import of flat tables: Windows-1252, ",", every field
//              quoted: "Fundort","MTB/Q","Breite","Länge","Genauigkeit"
//   Colkat     UTF-8 (no mark), ";", decimal comma:
//              Fundort;Gemeinde;MTB;Breite;Länge;Genauigkeit (Gemeinde left empty)
//   Indicia    the spatial reference of Indicia-based sites: UTF-8, ",":
//              sample:location_name,sample:entered_sref,sample:entered_sref_system
//              with three levels run together (6402/111) and the system "mtbqqq"
//   Xlsx       an Excel workbook, sheet "Funde": Fundort, MTB, Breite, Länge,
//              Genauigkeit (m), the numbers as numbers
// Breite and Länge are WGS84 (through BETA2007), 7 decimals. A point's
// eventDate (GPS files, photos) is a last column "Zeit" outside Darwin Core.
enum class Profil : unsigned char { Dwc, Multibase, Recorder, Colkat, Indicia, Xlsx };
// By mtbq's name (dwc, multibase, recorder, colkat, indicia, xlsx); nothing for another.
std::optional<Profil> profilNamens(std::string_view name);
std::string_view name(Profil p);
// The notation of the profile's code (Multibase: columns, given as Schraeg).
Notation notation(Profil p);
// The deepest level the profile writes (Indicia: 3).
int ebenen(Profil p);
// Why no workbook came out: its file in the folder for temporary files
// could not be made (or there is no such folder), written, or read back.
enum class Mappenfehler { Keiner, Anlegen, Schreiben, Zuruecklesen };
// Where the bytes of a workbook go: a file made for it, read back, removed.
// Empty when that failed, and fehler says where.
std::string xlsxBytes(const std::vector<std::vector<std::string>>& zeilen, const std::vector<bool>& zahlenspalten,
                      Mappenfehler& fehler);

struct Ausfuhrform {
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
    Profil profil = Profil::Dwc;
    std::optional<Notation> notation;  // of the code; none: the profile's own
};

// Why a line gives no row: the line's or its position's failure, or the
// table's own.
struct Ausfuhrgrund {
    enum class Art : unsigned char {
        Keine,
        Zeile,         // see zeile
        NurMtbZellen,  // a code of another grid: only sheet codes describe a cell here
        WederNoch,     // neither coordinates nor a code
        Kartesisch,    // a Gauss-Kruger, UTM or MGRS position: --batch codes those
    } art = Art::Keine;
    Zeilenfehler zeile;

    Ausfuhrgrund() = default;
    Ausfuhrgrund(Art a) : art(a) {}
    Ausfuhrgrund(Zeilenfehler z) : art(z.keiner() ? Art::Keine : Art::Zeile), zeile(z) {}
    bool keiner() const { return art == Art::Keine; }
};
const char* text(const Ausfuhrgrund& g);

// One table from any number of inputs, read one after the other; bad lines
// are reported and skipped.
class Ausfuhrtafel {
public:
    // Starts the table with its header row. Without aus (nullptr) the table
    // is gathered in memory: ergebnis() after schluss().
    Ausfuhrtafel(std::FILE* aus, const Ausfuhrform& form);
    const std::string& ergebnis() const { return m_aus.gesammelt(); }
    // One input to its end. False after a read error (lesefehler()) or a failed write.
    bool datei(std::FILE* ein, const Melder& melde);
    // A whole input already in memory.
    bool inhalt(std::string_view text, const Melder& melde);
    // A point of a GPS file or a photo: e its name as locality, its position
    // (WGS84, as its format defines) and its own uncertainty; zeit its
    // eventDate. The row, or why none; false in schreibfehler after a failed write.
    Ausfuhrgrund punkt(const Eintrag& e, std::string_view zeit, bool& schreibfehler);
    // The table's end (a workbook is written here, as a whole); false when
    // any write failed, or the workbook could not be made (mappenfehler()).
    bool schluss();
    Mappenfehler mappenfehler() const { return m_mappenfehler; }
    long uebersprungen() const { return m_uebersprungen; }
    bool lesefehler() const { return m_lesefehler; }

private:
    // One row, or why not. wieGeschrieben: the coordinates as entered (UTF-8).
    Ausfuhrgrund satz(const Eintrag& d, std::string_view wieGeschrieben, const Datum* fest = nullptr,
                  std::string_view zeit = {});

    // The row in the profile's columns: f the Darwin Core terms, zelle the code's cell.
    void zeile(const std::string (&f)[14], const Umriss& zelle, std::string_view zeit);
    void reihe(const std::vector<std::string>& zellen);
    void kopf();
    bool lies(Satzleser& leser, const Melder& melde);

    Ausgabepuffer m_aus;
    std::vector<std::vector<std::string>> m_blatt;  // a workbook's rows, written at the end
    const Ausfuhrform& m_form;
    long m_uebersprungen = 0;
    bool m_lesefehler = false;
    Mappenfehler m_mappenfehler = Mappenfehler::Keiner;
};

}  // namespace quadrix
