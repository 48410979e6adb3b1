// Times as GPS files and cameras write them, to seconds since 1970-01-01.
//
//   ISO 8601 (GPX, KML, GeoJSON): "2026-06-01T10:00:00Z", "…T12:00:00+02:00",
//     "…T10:00:00.250Z" (the fraction dropped); without a zone the time is
//     local and only lokal is set.
//   EXIF: "2026:06:01 12:00:00" (DateTimeOriginal, the camera's clock),
//     with OffsetTimeOriginal "+02:00" where the camera wrote it.
// Refused: months 13, day 32, hour 24, "2026:00:00 00:00:00" (cameras
// without a set clock), anything else.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quadrix {

struct Zeitangabe {
    std::int64_t sekunden = 0;   // the clock's reading counted as if it were UTC
    std::optional<int> versatz;  // seconds east of UTC, where the text names its zone
    // Seconds since 1970 UTC, where the zone is known.
    std::optional<std::int64_t> utc() const
    {
        if (!versatz)
            return std::nullopt;
        return sekunden - *versatz;
    }
};

std::optional<Zeitangabe> leseIsoZeit(std::string_view text);
std::optional<Zeitangabe> leseExifZeit(std::string_view text);
// "+02:00", "-05:30", "Z": seconds east of UTC.
std::optional<int> leseVersatz(std::string_view text);

// A span of time in seconds: "300", "-3600", "+1:30" (hours and minutes),
// "-1:00:00"; with mitEinheit also "300s", "5min", "1h". Refused: "1:75",
// "5 min", "".
std::optional<long> leseSekunden(std::string_view text, bool mitEinheit);

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t tageSeit1970(int jahr, int monat, int tag);

}  // namespace quadrix
