// A find-location file read back line by line, so that a correction can
// write it again with every line it does not touch byte for byte: each line
// keeps its own text and line end, and what the program could not have
// written (a foreign or damaged line) is recognised as such and never
// changed. Standard library only.
//
//   "Kopf\r\nWald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\nx\n"
//   -> Kopf (header), Satz (a record), Fremd (one field, LF): put together, the same bytes.
// The lines are cut by the one reader of every file (tables/satzleser); here
// is what makes a line a record.
#pragma once

#include "records/fundortformat.h"

#include <string>
#include <string_view>
#include <vector>

namespace fundort {

// Why a line is no record the program could have written.
enum class Mangel : unsigned char {
    Keiner,
    Leer,          // an empty line
    Felderzahl,    // not 14 fields
    Buchstaben,    // the fields N, O, N, O are not where they belong
    Koordinate,    // degrees, minutes or seconds no digits, or out of range
    Dezimal,       // the decimal degrees not of the form 50,1222
    Zeichen,       // a byte Windows-1252 leaves unused
    ZuLang,        // a line longer than 1 MiB
    Kodierung,     // the file is UTF-16, not the Windows-1252 the program writes
};

// The German words for a Mangel: "nicht 14 durch TAB getrennte Felder".
const char* text(Mangel m);

struct Dateizeile {
    std::string text;  // without its line end, as on the disk (Windows-1252)
    std::string ende;  // "\r\n", "\n", "\r", or "" for a last line without one
    enum class Art : unsigned char { Kopf, Satz, Fremd } art = Art::Fremd;
    Mangel mangel = Mangel::Keiner;  // for Fremd
    // For Satz: the record's fields decoded, and the decimal separator its
    // decimal degrees were written with.
    Datensatz satz;
    char dezimalzeichen = 0;
};

// zusammen() gives back exactly the bytes of the lines read (tables/fundzeilen
// reads them, as every mode reads a file).
std::string zusammen(const std::vector<Dateizeile>& zeilen);

// A record's fields decoded (UTF-8) and the decimal separator its decimal
// degrees were written with; false for a line that is no record.
bool leseSatz(std::string_view zeile, Datensatz& d, char& dezimalzeichen, Mangel* mangel = nullptr);

// The two halves of leseSatz, for a line already cut into its 14 fields
// (felder()): what keeps it from being a record the program could have
// written (Keiner: nothing), with the decimal separator found, and the
// fields as a record.
Mangel mangel(std::string_view zeile, const std::string_view (&f)[14], char& dezimalzeichen);
Datensatz datensatz(const std::string_view (&f)[14]);

// The line of a corrected record, with CR LF, as the program writes it; an
// empty text when a field holds a TAB or line break.
Dateizeile neueZeile(const Datensatz& d, char dezimalzeichen);

// Upper bounds of the six coordinate boxes: 90 and 360 degrees, 60 minutes
// and seconds (what the window accepts on leaving a box).
int obergrenze(Feld f);

}  // namespace fundort
