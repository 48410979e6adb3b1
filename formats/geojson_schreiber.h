// The one GeoJSON writer (RFC 7946) of the output formats: a
// FeatureCollection written as it goes, in blocks, each feature with its
// geometry first, then its properties. Positions in WGS84 are written with
// 7 decimals (about a centimetre, far finer than any find's position).
#pragma once

#include "tables/ausgabepuffer.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace quadrix {

// A JSON string, quoted and escaped.
void jsonText(std::string& out, std::string_view s);
// [longitude,latitude] in degrees, 7 decimals.
void jsonPosition(std::string& out, double breite, double laenge);
// [east,north] in whole metres.
void jsonMeter(std::string& out, double ost, double nord);

class GeoJsonSchreiber {
public:
    explicit GeoJsonSchreiber(std::FILE* aus) : m_aus(aus) {}

    // The collection's head; mitglieder: further members, each led by a
    // comma (",\"name\":\"mtb\""), or empty.
    void anfang(std::string_view mitglieder = {});
    // A feature: after feature(), the caller appends the geometry object to
    // text(), then calls eigenschaften() and appends the properties'
    // members, then ende() closes it; verwerfen() takes it back instead.
    std::string& feature();
    std::string& eigenschaften();
    // False after a failed write.
    bool featureEnde();
    void verwerfen();
    // The collection's end; false when any write failed.
    bool schluss();

    std::string& text() { return m_aus.text(); }
    long zahl() const { return m_zahl; }

private:
    Ausgabepuffer m_aus;
    long m_zahl = 0;
    std::size_t m_featureAnfang = 0;
};

}  // namespace quadrix
