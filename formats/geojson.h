// Find-location files as a GeoJSON FeatureCollection (RFC 7946): one point
// per record, in WGS84 as GeoJSON requires, with every column as a
// property; with cells, each record's quadrant cell as a polygon too.
#pragma once

#include "datum/datum.h"

#include <cstdio>
#include <vector>

namespace quadrix {

struct GeoJsonForm {
    Datum datum = Datum::Potsdam;           // the datum of the files' coordinates
    const Transformation* transformation;   // required: the output is WGS84
    bool zellen = false;
};

// Reads the files (Windows-1252, CR LF, the header line; decimal comma or
// full stop) and writes one collection. Bad lines are reported on fehler
// with their line numbers and skipped; the files are only read. Returns the
// number of skipped lines, or -1 when a file cannot be read.
long geojson(const std::vector<const char*>& dateien, std::FILE* aus, std::FILE* fehler, const GeoJsonForm& form);

}  // namespace quadrix
