// The find-location file format ("Datei der Fundorte").
//
// Bytes on disk: Windows-1252, one byte per character, no byte-order mark;
// every line (the last one too) ends in CR LF; 14 fields joined by single TAB
// bytes, no quoting, no escaping. The first line of a file made by the
// program is the header; every later line is one record:
//
//   Gebietsname  MTB/Q/UQ  Grad(Nord) Min.(Nord) Sek.(Nord) Nord  Grad(Ost) Min.(Ost) Sek.(Ost) Ost
//   Koord. Nord(Grad)  Nord  Koord. Ost(Grad)  Ost
//
//   Stadtwald  5818/3/3/2/1/1  50 07 20 N  8 41 30 O  50,1222 N  8,6917 O     (German locale)
//
// Text fields go in exactly as typed ("07" stays "07"). A character that
// Windows-1252 cannot hold is written as "?". A field holding TAB, CR or LF
// would shift every later column, so such a record is refused, never written.
//
// Standard library only: texts come in as UTF-8 and go out as bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fundort {

// The header line, encoded, with its CR LF.
std::string kopfzeile();

// "##0.0000": at least one digit before the separator, no grouping, exactly
// four decimals rounded to nearest, a leading "-" for negative values.
//   formatGrad(50.12222, ',') -> "50,1222"     formatGrad(0, '.') -> "0.0000"
std::string formatGrad(double wert, char dezimalzeichen);

// UTF-8 to Windows-1252; what the code page cannot hold (or invalid UTF-8)
// becomes "?".   "Grünwald" -> "Gr\xfcnwald"    "€" -> "\x80"    "ł" -> "?"
std::string zuCp1252(std::string_view utf8);

// What a record holds: the eight box texts (UTF-8) and the decimal degrees of
// the computation.
// The characters the area name field takes (Latin-1 code points): letters
// A-Z and a-z, digits, the umlauts ä ö ü Ä Ö Ü, blank, "_", "/", "." and "-".
//   'ä' -> true   'ß' -> false   '+' -> false
bool gebietZeichen(char32_t c);
// The first character of a UTF-8 name the field does not take, as UTF-8;
// empty when it takes them all.
std::string fremdesGebietZeichen(std::string_view utf8);

struct Datensatz {
    std::string gebiet, mtb, gradN, minN, sekN, gradO, minO, sekO;
    double breite = 0, laenge = 0;
};

enum class Feld { Gebiet, Mtb, GradN, MinN, SekN, GradO, MinO, SekO };

// The record line, encoded, with its CR LF; or the first field that holds a
// TAB, CR or LF.
struct Zeile {
    std::optional<std::string> bytes;
    Feld steuerzeichenIn = Feld::Gebiet;  // meaningful only without bytes
};
Zeile datensatzZeile(const Datensatz& d, char dezimalzeichen);

// ---- Reading files back, for export tools (the window never reads them) ----

// Windows-1252 bytes to UTF-8; the five unused bytes become U+FFFD.
std::string vonCp1252(std::string_view bytes);

// Valid UTF-8 as it stands; what is malformed (overlong forms, surrogates,
// stray bytes) becomes U+FFFD. For names that must go into JSON.
std::string gueltigesUtf8(std::string_view bytes);

// Text of a table as it is shown: UTF-8 as it stands, otherwise read as
// Windows-1252 (what Excel's "CSV" writes on a German Windows).
std::string textAlsUtf8(std::string_view bytes);

// One code point of UTF-8 text s at i, advancing i; U+FFFD for a malformed
// sequence (overlong forms, surrogates and code points past U+10FFFF too).
char32_t naechsterCodepunkt(std::string_view s, std::size_t& i);
// A code point appended to out in UTF-8.
void alsUtf8Anhaengen(std::string& out, char32_t cp);

// The 14 header titles, in order.
const char* titel(int feld);

// Where each of the 14 fields of a record stands (from 0): the box texts,
// the hemisphere letters N and O, the decimal degrees.
namespace nr {
inline constexpr int Gebiet = 0, Mtb = 1, GradN = 2, MinN = 3, SekN = 4, Nord = 5, GradO = 6, MinO = 7, SekO = 8,
                     Ost = 9, DezimalN = 10, DezimalNord = 11, DezimalO = 12, DezimalOst = 13, Anzahl = 14;
}

// One line (without its line end) split into its 14 fields, still in
// Windows-1252. False when the line has not exactly 14 fields.
//   "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO" -> true
bool felder(std::string_view zeile, std::string_view (&feld)[14]);

// True for the header line, whatever its line end.
bool istKopfzeile(std::string_view zeile);

}  // namespace fundort
