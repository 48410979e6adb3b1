// The places and outlines the programs carry (orte/daten.cpp, made by
// werkzeuge/offene_daten.sh from GeoNames and Natural Earth).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orte::daten {

struct Ort {
    const char* name;                // UTF-8, as GeoNames writes it
    std::int32_t breite, laenge;     // 1e-5 degrees, WGS84
    std::int32_t einwohner;
    std::uint8_t land;               // 1..16 the Land of Germany; 100 + i: Staaten[i]
    bool stadtteil;                  // a district of a city (GeoNames PPLX)
};

struct Ring {
    char staat[3];           // ISO 3166 alpha-2
    std::size_t erster, anzahl;  // in Punkte, as pairs
};

extern const char* const Laender[16];  // by GeoNames' admin1 code 01..16
extern const char* const Staaten[];    // the neighbours, by their alpha-2 code's order
extern const Ort Orte[];               // the largest first
extern const std::size_t AnzahlOrte;
extern const std::int32_t Punkte[];
extern const Ring Ringe[];             // Germany's first
extern const std::size_t AnzahlRinge;

}  // namespace orte::daten
