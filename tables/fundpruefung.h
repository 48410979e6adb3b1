// Whether a record of a find-location file still is what the window wrote:
// its code and decimal degrees computed again from its degrees, minutes and
// seconds exactly as "MTB berechnen" computes them. A record edited by hand
// (a second changed, the code left) is found so. Also the correction of a
// record: its code and decimal degrees made anew from its box texts.
#pragma once

#include "grid/mtb.h"
#include "records/fundliste.h"

#include <string>
#include <vector>

namespace quadrix {

enum class Abweichung : unsigned char {
    Keine,
    Code,        // the code is not the one the position gives
    Dezimalgrad, // the code fits, the decimal degrees do not
    Ungueltig,   // the position gives no code at all (see fehler)
};

struct Pruefung {
    Abweichung abweichung = Abweichung::Keine;
    std::string richtig;  // the code the position gives (UTF-8), where it gives one
    mtb::Fehler fehler{};
};
Pruefung pruefe(const fundort::Datensatz& d, char dezimalzeichen);

// Code, latitude and longitude of d made from its six texts; false (with
// the reason) when they give no code.
bool berechneNeu(fundort::Datensatz& d, mtb::Fehler& fehler);

// Each record's line number (from 1) and what is wrong with it, for the
// records of a file's content that do not fit; foreign lines are left out.
struct Befund {
    long zeile = 0;
    Pruefung pruefung;
    std::string gebiet;  // UTF-8
};
std::vector<Befund> pruefeDatei(std::string_view inhalt);

}  // namespace quadrix
