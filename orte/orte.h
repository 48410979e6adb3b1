// Places by name, and where a point lies in words, offline: over the places
// and outlines of orte/daten.h (GeoNames, Natural Earth). Standard library
// only.
//
//   suche("Gruenwald")             -> Grünwald (Bayern)
//   suche("Frankfurt")             -> Frankfurt am Main, Frankfurt (Oder)
//   lageText(*naechsterOrt(50.2217, 8.5557))  -> "2,0 km nordwestlich von Oberursel"
#pragma once

#include "orte/daten.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orte {

using daten::Ort;

// Latitude and longitude of a place in degrees (WGS84).
inline double breite(const Ort& o) { return o.breite * 1e-5; }
inline double laenge(const Ort& o) { return o.laenge * 1e-5; }
// The Land of a German place ("Bayern"), or the state of a neighbour's ("Schweiz").
const char* gebiet(const Ort& o);
inline bool inDeutschemLand(const Ort& o) { return o.land >= 1 && o.land <= 16; }

// The places a name means, the best first: the whole name before the start
// of a longer one ("Frankfurt" -> "Frankfurt am Main"), larger before
// smaller. Case, umlauts written out ("ue"), accents, punctuation and the
// short forms "St." (Sankt), "b." (bei; first: Bad), "a." (an/am), "d."
// (der), "i." (in) do not count, and a name is found without its "Bad".
// At most hoechstens places; none for an empty name.
std::vector<const Ort*> suche(std::string_view name, std::size_t hoechstens = 50);
// The form a name is compared in: "Bad Homburg v.d. Höhe" -> "bad homburg v der hoehe".
std::string suchform(std::string_view name);

// The geodesic between two points on the WGS84 ellipsoid: its length in
// metres and its direction at the first point (degrees from north,
// clockwise, 0..360). Vincenty's inverse formulae (points in and around
// Germany never come near the antipodes).
struct Strecke {
    double meter = 0, azimut = 0;
};
Strecke geodaete(double breite1, double laenge1, double breite2, double laenge2);

// The place nearest to a point (WGS84) and how far and in which direction
// the point lies from it; nothing further away than 50 km. Districts of a city
// are not taken ("in Berlin", not "in Mitte").
struct Lage {
    const Ort* ort = nullptr;
    Strecke strecke;  // from the place to the point
};
std::optional<Lage> naechsterOrt(double breite, double laenge);
// "2,3 km nordwestlich von Oberursel", "800 m südlich von Aue", "in Bonn"
// (closer than 150 m); a neighbour's place with its state: "… von Basel (Schweiz)".
std::string lageText(const Lage& l);

// The line every program shows for a point (WGS84): where it lies, and
// that it lies outside Germany when it does.
//   "2,2 km nordwestlich von Oberursel"
//   "außerhalb Deutschlands: 1,2 km östlich von Basel (Schweiz)"
//   "außerhalb Deutschlands, kein Ort der Karte im Umkreis von 50 km"
std::string beschreibung(double breite, double laenge);

// Does the point (WGS84) lie in Germany (its land outline, islands too)?
// Good to the outline's thinning, a few hundred metres at the border.
bool inDeutschland(double breite, double laenge);

}  // namespace orte
