// A length as people write an uncertainty or a precision: metres or
// kilometres, a decimal point or comma, a blank before the unit or none.
// Standard library only.
//
//   "30", "30 m", "30m", "12,5m", "0.5", "1,5 km", "5km"   -> metres
//   "30 mm", "2 ft", "30 cm", "m", "-5", "0", "1e3"        -> refused
//
// Any other unit is refused, never read as metres. Accepted: more than 0
// and at most 10,000 km.
#pragma once

#include <string_view>

namespace quadrix {

enum class MeterFehler {
    Keine,
    KeineZahl,  // no number in front, or a number of another form ("1e3", "1,5,0")
    Einheit,    // a unit other than m or km
    Bereich,    // zero, or more than 10,000 km
};

MeterFehler leseMeter(std::string_view text, double& meter);

}  // namespace quadrix
