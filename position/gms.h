// Degrees, minutes and seconds as text: the one place where an angle is
// written in that form. Standard library only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quadrix {

// An angle in minutes of arc, seconds with decimals as needed:
//   3007.5 -> "50°07'30""      3007.3333 -> "50°07'19.998""
std::string gms(double minuten);

// The three texts of a find-location record with the hemisphere:
//   "50", "07", "20", 'N' -> "50°07'20"N"
std::string gms(std::string_view grad, std::string_view min, std::string_view sek, char halbkugel);

// Whole seconds of arc as whole degrees, minutes and seconds.
struct GanzeGms {
    std::int64_t grad = 0, min = 0, sek = 0;
};
GanzeGms zerlegt(std::int64_t sekunden);

// The three box texts of whole seconds, as the window's boxes hold them:
// minutes and seconds with two digits.   180440 -> "50", "07", "20"
struct GmsTexte {
    std::string grad, min, sek;
};
GmsTexte felder(std::int64_t sekunden);

// Whole seconds as a message shows them, with no-break spaces so that a
// line never breaks inside a coordinate:
//   180440, 'N' -> "50° 07′ 20″ N"
//   180440, 31290 -> "50° 07′ 20″ N, 8° 41′ 30″ O"
std::string gmsLesbar(std::int64_t sekunden, char halbkugel);
std::string punktLesbar(std::int64_t nord, std::int64_t ost);

}  // namespace quadrix
