// Tables as people have them: the latitude and longitude columns found by
// their titles (lat, latitude, breite, y, decimalLatitude ... in any case)
// or named with --spalten, CSV quoting (RFC 4180) read, the code joined
// with the table's own delimiter; and find-location files, recognised by
// their header or, without one, by their first record, computed from their
// coordinate fields. Standard library only.
#pragma once

#include "cells/umriss.h"
#include "position/punkt.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quadrix {

// The columns a user named: titles or 1-based numbers; empty: by title.
struct Spaltenwahl {
    std::string breite, laenge;
};

class Tabelle {
public:
    enum class Art { Frei, Spalten, Fundorte };

    // Decides from the first line. Returns true when the line is a header
    // (then it needs no point of its own).
    bool ersteZeile(std::string_view zeile, const Spaltenwahl& wahl);

    Art art() const { return m_art; }
    // What the code column is joined with.
    char trenner() const { return m_trenner; }
    // The point of a data line, by the table's kind, and how it was written
    // (a find-location record is marked as such).
    Fehler punkt(std::string_view zeile, Punkt& p, Lesart* lesart = nullptr) const;

    // Columns beside the coordinates, found by their titles (-1: none):
    // the place (locality, Gebietsname, Ort, Fundort ...) and a sheet code
    // (a title beginning with "MTB"). A table with a code column and no
    // coordinate columns is a table of cells.
    int ortSpalte() const { return m_ort; }
    int codeSpalte() const { return m_code; }
    int breiteSpalte() const { return m_breite; }
    int laengeSpalte() const { return m_laenge; }
    // A column of each point's uncertainty in metres, found by its title
    // (coordinateUncertaintyInMeters, Toleranz, Unschärfe ...; -1: none),
    // and its value in a data line: 0 where the field is empty.
    int unsicherheitSpalte() const { return m_unsicherheit; }
    // A data line that holds no degrees but a position in a plane grid:
    // Gauss-Kruger, UTM or MGRS in a free line, a Rechtswert and Hochwert in
    // a table's columns (titled Rechtswert/Hochwert or RW/HW: as titled; x/y
    // or others: either way round, as the values tell, refused where both
    // fit). grund as lesePosition's.
    bool position(std::string_view zeile, Umriss& u, const char** grund = nullptr) const;
    Fehler unsicherheit(std::string_view zeile, double& meter) const;
    bool anfuehrung() const { return m_anfuehrung; }

private:
    Art m_art = Art::Frei;
    char m_trenner = '\t';
    bool m_anfuehrung = false;  // CSV quoting
    int m_breite = -1, m_laenge = -1;
    int m_ort = -1, m_code = -1, m_unsicherheit = -1;
    bool m_ebenBenannt = false;  // the columns are titled Rechtswert and Hochwert (RW, HW)
};

// A record of a find-location file: 14 TAB-separated fields with N and O in
// their places (5, 9, 11 and 13, counted from 0).
bool istFundortSatz(std::string_view zeile);

// Splits a line at the delimiter, with RFC 4180 quotes ("a;b", "say ""hi""") when quoting is on.
std::vector<std::string> spalten(std::string_view zeile, char trenner, bool anfuehrung);
// The other way: a cell appended, in quotes where it holds the delimiter, a
// quote or a line break (RFC 4180), as it is otherwise.
void zelleAnhaengen(std::string& out, std::string_view zelle, char trenner);

// The point of a find-location record: its degrees, minutes and seconds, or
// its decimal degrees where those are empty.
Fehler fundortPunkt(const std::string_view (&feld)[14], Punkt& p, Lesart* lesart = nullptr);

}  // namespace quadrix
