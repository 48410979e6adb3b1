// Points as GPS devices, phone apps, web maps and cameras hand them over:
// GPX 1.0/1.1, KML 2.2 and KMZ, GeoJSON, JPEG and HEIC photos. Each file
// is read as a stream of points, in the order the file has them, handed
// one by one to the caller; nothing of a file is kept beyond the point in
// hand, so a track of a million points is read in bounded memory.
//
// Positions stay as the file writes them (GPX "50.1222", the numbers of a
// KML coordinate), or, for a photo's degrees, minutes and seconds of
// arc, as decimal degrees with ten decimals: the caller reads them as it
// reads a typed decimal position, so that both give the same code. All of
// these formats are WGS84 by their definition.
//
// Standard library, expat, minizip and libexif.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace quadrix {

enum class Punktart : std::uint8_t { Wegpunkt, Routenpunkt, Spurpunkt, Ortsmarke, Foto };

// Why a point, read from its file, carries no position to code.
enum class Punktgrund : std::uint8_t {
    Keiner,
    OhnePosition,  // a photo without GPS, a waypoint without lat/lon
    Ungueltig,     // latitude 91°, a zero denominator, a coordinate that is no number
    KeinPunkt,     // a placemark or feature that is a line or an area
    // Photos placed on a track by their time:
    OhneZeit,      // no time taken in the photo
    OhneSpur,      // no track given, or none with times
    FernVonSpur,   // further in time from every track point than the gap allowed
};

struct Fundpunkt {
    Punktart art = Punktart::Wegpunkt;
    Punktgrund grund = Punktgrund::Keiner;
    std::string name;         // <name>, a feature's name, a photo's file name
    // As written ("2026-06-01T10:00:00Z"); a photo's in the same form, with
    // its offset where the camera wrote one ("2026-06-01T12:00:00+02:00").
    std::string zeit;
    std::string beschreibung; // <desc>, <description>
    std::string gruppe;       // the track, route or folder it stands in
    std::string breite, laenge;  // decimal degrees as written; empty without a position
    std::optional<double> hoehe, hdop, pdop;
    std::optional<double> unsicherheit;  // metres: a photo's GPSHPositioningError
    // The time as seconds since 1970-01-01 UTC, where the file gives its
    // zone; a photo's time without one is its camera's local time and
    // stays in lokaleZeit.
    std::optional<std::int64_t> utc;
    std::optional<std::int64_t> lokaleZeit;

    // Empty again for the next point of a stream, its strings' memory kept.
    void leeren();
};

enum class Dateiart : std::uint8_t { Unbekannt, Gpx, Kml, Kmz, GeoJson, Jpeg, Heic };

// Why a file was not read to its end.
enum class Lesegrund : std::uint8_t {
    Keiner,
    Unbekannt,     // none of the formats above
    Lesefehler,    // the system could not read it
    Xml,           // not well-formed XML (zeile says where)
    Entitaeten,    // a document type declaring entities: refused, never expanded
    KeinGpxKml,    // XML, but neither GPX nor KML
    ZuGross,       // a KMZ unpacking beyond the limit, a GeoJSON beyond it
    Zip,           // a damaged zip, or no KML in it
    Json,          // not well-formed JSON, or nested too deep
    KeinGeoJson,   // JSON, but no GeoJSON object
    KeinExif,      // a photo without EXIF
    Exif,          // EXIF or the HEIF boxes around it damaged
    OrdnerImKreis, // a folder reached again through a link
    Ordner,        // a folder that cannot be listed
};

struct Leseergebnis {
    Dateiart art = Dateiart::Unbekannt;
    Lesegrund grund = Lesegrund::Keiner;
    std::uint64_t zeile = 0;   // Xml, Json: the line of the fault
    std::string ausdruck;      // Xml: expat's words for it
    long punkte = 0;           // handed over, with and without a position
};

using Punktempfaenger = std::function<void(const Fundpunkt&)>;

// A KMZ may unpack to at most this many bytes of KML, a GeoJSON file be at
// most this large.
constexpr std::uint64_t GroessteEntpackung = 256ull << 20;
constexpr std::uint64_t GroessteGeoJson = 64ull << 20;

// The format, from the first bytes of a file (at least 16 where it has them).
Dateiart erkenneArt(const unsigned char* anfang, std::size_t n);

// Reads the file open in f (from its start) as its format, handing each
// point to nimm. name is the photo's point name (its file name).
Leseergebnis lesePunkte(std::FILE* f, const std::string& name, const Punktempfaenger& nimm);

// The readers, each from an open file at its start (a KMZ needs to seek).
Leseergebnis leseXml(std::FILE* f, const Punktempfaenger& nimm);
Leseergebnis leseKmz(std::FILE* f, const Punktempfaenger& nimm);
Leseergebnis leseGeoJson(std::FILE* f, const Punktempfaenger& nimm);
Leseergebnis leseFoto(std::FILE* f, Dateiart art, const std::string& name, const Punktempfaenger& nimm);

// The same from bytes in memory (tests, fuzzing, a KMZ's KML).
Leseergebnis leseXmlText(const char* daten, std::size_t n, const Punktempfaenger& nimm);
Leseergebnis leseGeoJsonText(const char* daten, std::size_t n, const Punktempfaenger& nimm);
Leseergebnis leseFotoDaten(const unsigned char* daten, std::size_t n, Dateiart art, const std::string& name,
                           const Punktempfaenger& nimm);

const char* text(Punktgrund g);
const char* text(Lesegrund g);
const char* text(Dateiart a);  // "GPX", "KMZ", "Foto (JPEG)"

}  // namespace quadrix
