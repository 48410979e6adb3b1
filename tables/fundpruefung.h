// Whether a record of a find-location file still is what the window wrote:
// its code and decimal degrees computed again from its degrees, minutes and
// seconds exactly as "MTB berechnen" computes them. A record edited by hand
// (a second changed, the code left) is found so. Also the correction of a
// record: its code and decimal degrees made anew from its box texts.
#pragma once

#include "grid/mtb.h"
#include "records/fundliste.h"
#include "tables/satzleser.h"

#include <cstdint>
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
// the reason) when they give no code, the decimal degrees reached before
// the failure then written as the window keeps them (mtb::Berechnung). The one way a position becomes a find
// record: "MTB berechnen", the points saved from a list, the corrections of
// the list of finds and --check all come here.
bool berechneNeu(fundort::Datensatz& d, mtb::Fehler& fehler);
// The same for a place and a position in whole seconds (Potsdam), its six
// texts as a pasted position fills the boxes: 50°07'20" is "50", "07", "20".
bool berechneNeu(fundort::Datensatz& d, std::int64_t nord, std::int64_t ost, mtb::Fehler& fehler);

// What --check finds in a file, each with its line number (from 1; 0 for
// the file as a whole). The file is read as every mode reads it (tables/
// satzleser), so that no line that --batch or the list of finds would read
// passes unseen: a line that gives no record (unlesbar, its reason), a record
// not in the form the program writes (form), a record whose code or decimal
// degrees do not fit its degrees, minutes and seconds (pruefung).
struct Befund {
    enum class Art : unsigned char {
        Pruefung,    // see pruefung
        Form,        // see form: read, but not as the program writes it
        Unlesbar,    // see unlesbar: no record read from the line
        Utf16,       // the file is UTF-16 (the program writes Windows-1252)
        KeineDatei,  // the first line makes it no find-location file
    } art = Art::Pruefung;
    long zeile = 0;
    Pruefung pruefung;
    fundort::Mangel form = fundort::Mangel::Keiner;
    Zeilenfehler unlesbar;
    std::string gebiet;  // UTF-8, where the line gave one
};
std::vector<Befund> pruefeDatei(std::string_view inhalt);

}  // namespace quadrix
