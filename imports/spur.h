// Photos without a position placed on a GPS track by the time they were
// taken: between the two track points around that time, in proportion to
// the time (linear in degrees, which over the seconds between two track
// points is far below the width of a cell).
//
// The photo's time: its EXIF time with its own offset (OffsetTimeOriginal)
// where it has one, else the camera's local time in the zone given, else
// in the computer's zone on that date; the camera clock's offset is
// added in either case. A photo whose nearest track point is further away
// in time than the gap is not placed (FernVonSpur): in a pause of the
// recording, or a photo from another day.
//   track points 10:00:00 at 50.0/8.0 and 10:01:00 at 50.1/8.1, photo 10:00:30
//     -> 50.0500000 8.0500000;  photo 10:30:00 with a gap of 300 s -> FernVonSpur
#pragma once

#include "imports/punkte.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quadrix {

struct Zeitwahl {
    std::int64_t uhrVersatz = 0;  // seconds added to the camera's clock
    std::optional<int> zone;      // seconds east of UTC of the camera's local time
    // The computer's zone on a date: seconds east of UTC for a local time.
    std::function<std::optional<int>(std::int64_t lokal)> ortszeit;
    std::int64_t luecke = 300;  // seconds
};

class Spur {
public:
    // Keeps the point if it has a position and a time in UTC.
    void nimm(const Fundpunkt& p);
    // Call once after the last nimm.
    void ordne();
    bool leer() const { return punkte_.empty(); }
    std::size_t groesse() const { return punkte_.size(); }

    // Gives the photo without position the position of its time on the
    // track, or its reason.
    Punktgrund lege(Fundpunkt& foto, const Zeitwahl& w) const;

private:
    struct Punkt {
        std::int64_t utc;
        double breite, laenge;
    };
    std::vector<Punkt> punkte_;
};

}  // namespace quadrix
