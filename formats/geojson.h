// Find-location files as a GeoJSON FeatureCollection (RFC 7946): one point
// per record, in WGS84 as GeoJSON requires, with every column as a
// property; with cells, each record's quadrant cell as a polygon instead.
#pragma once

#include "datum/datum.h"
#include "formats/geojson_schreiber.h"
#include "grid/mtb.h"
#include "tables/zeilenleser.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quadrix {

struct GeoJsonForm {
    Datum datum = Datum::Potsdam;           // the datum of the files' coordinates
    const Transformation* transformation;   // required: the output is WGS84
    bool zellen = false;
};

// One collection from any number of files, read one after the other
// (Windows-1252, with or without the header line, any line ends; decimal
// comma or full stop). Bad lines are reported and skipped; the files are
// only read.
class GeoJsonFundorte {
public:
    GeoJsonFundorte(std::FILE* aus, const GeoJsonForm& form);
    // One file to its end; name is its property "Datei". False after a read
    // error (lesefehler()) or a failed write.
    bool datei(std::FILE* ein, std::string_view name, const Melder& melde);
    // A point of a GPS file or a photo at its position (WGS84, degrees), or
    // with cells its cell (code to ebenen levels); eigenschaften: its
    // properties as JSON members ("\"Name\":\"001\",..."). False after a
    // failed write; a cell BETA2007 does not cover is refused (zellenFehler).
    bool punkt(double breite, double laenge, const mtb::Code& code, int ebenen, std::string_view eigenschaften,
               bool& zellenFehler);
    // The collection's end; false when any write failed.
    bool schluss() { return m_schreiber.schluss(); }
    long uebersprungen() const { return m_uebersprungen; }
    bool lesefehler() const { return m_lesefehler; }

private:
    const GeoJsonForm& m_form;
    GeoJsonSchreiber m_schreiber;
    std::vector<std::string> m_titel;
    long m_uebersprungen = 0;
    bool m_lesefehler = false;
};

}  // namespace quadrix
