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
    // Columns beside the coordinates, found by their titles (-1: none):
    // the place (locality, Gebietsname, Ort, Fundort ...) and a sheet code
    // (a title beginning with "MTB"). A table with a code column and no
    // coordinate columns is a table of cells.
    int ortSpalte() const { return m_ort; }
    int codeSpalte() const { return m_code; }
    int breiteSpalte() const { return m_breite; }
    int laengeSpalte() const { return m_laenge; }
    // A column of each point's uncertainty in metres, found by its title
    // (coordinateUncertaintyInMeters, Toleranz, Unschärfe ...; -1: none).
    int unsicherheitSpalte() const { return m_unsicherheit; }
    // The columns are titled Rechtswert and Hochwert (RW, HW): they say
    // which is which; x and y, or other titles, leave it to the values.
    bool rechtsHochBenannt() const { return m_rechtsHochBenannt; }
    // Both columns are titled as decimal degrees (decimalLatitude, lat,
    // latitude, lat_dd ...): a whole number there is decimal degrees too.
    bool dezimalBenannt() const { return m_dezimalBenannt; }
    // Darwin Core's geodeticDatum: each row's datum (-1: none).
    int datumSpalte() const { return m_datum; }
    bool anfuehrung() const { return m_anfuehrung; }

private:
    Art m_art = Art::Frei;
    char m_trenner = '\t';
    bool m_anfuehrung = false;  // CSV quoting
    int m_breite = -1, m_laenge = -1;
    int m_ort = -1, m_code = -1, m_unsicherheit = -1;
    bool m_rechtsHochBenannt = false;  // the columns are titled Rechtswert and Hochwert (RW, HW)
    bool m_dezimalBenannt = false;
    int m_datum = -1;
};

// A record of a find-location file: 14 TAB-separated fields with N and O in their places.
bool istFundortSatz(std::string_view zeile);

// Splits a line at the delimiter, with RFC 4180 quotes ("a;b", "say ""hi""") when quoting is on.
std::vector<std::string> spalten(std::string_view zeile, char trenner, bool anfuehrung);
// The other way: a cell appended, in quotes where it holds the delimiter, a
// quote or a line break (RFC 4180), as it is otherwise.
void zelleAnhaengen(std::string& out, std::string_view zelle, char trenner);

}  // namespace quadrix
