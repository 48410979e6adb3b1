// Sheet and quadrant computation of the German topographic map grid (MTB).
//
// The grid, in minutes of arc (B latitude, L longitude):
//   row r    holds (559 - r) * 6  <  B  <= (560 - r) * 6     (rows 6' high, counted from the north)
//   column c holds (c + 34) * 10  <= L  <  (c + 35) * 10     (columns 10' wide, counted from the west)
// so a shared sheet line of latitude belongs to the southern sheet and a shared
// sheet line of longitude to the eastern sheet. Inside a sheet each of five
// levels halves the current cell; a point exactly on a half line goes to the
// south and to the west. Quarters: 1 north-west, 2 north-east, 3 south-west,
// 4 south-east.
//
// The grid is not clipped: 0°00'00" N, 0°00'00" E is row 560, column -34
// ("560-34/1/1/1/1/1"). Sixty seconds count as a full minute and sixty minutes
// as a full degree (49°29'60" is 49°30'00").
//
// Example (legal):   50°07'20" N, 8°41'30" E  ->  5818/3/3/2/1/1
// Example (illegal): "" or "7a" as a degree text -> Fehlerart::KeineZahl;
//                    3333°N -> Fehlerart::Ueberlauf (row below -32768)
//
// Standard library only.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mtb {

// The six coordinate texts, in the order the window reads them.
enum class Feld : std::uint8_t { GradN, MinN, SekN, GradO, MinO, SekO };

enum class Fehlerart : std::uint8_t {
    KeineZahl,  // empty or not a plain digit string
    Ueberlauf,  // a value too large for a double, or a row/column outside -32768..32767
};

struct Fehler {
    Fehlerart art;
    Feld feld;  // the text whose value could not be used
};

// A plain decimal digit string ("0", "07", "00090") as a double. Anything
// else fails: empty text, blanks, signs, separators, letters. Digits beyond
// the range of a double give Ueberlauf.
//   "07" -> 7.0      "" -> KeineZahl      "1e3" -> KeineZahl
struct Zahl {
    std::optional<double> wert;
    Fehlerart fehler = Fehlerart::KeineZahl;  // meaningful only without wert
};
Zahl textZuZahl(std::string_view text);

// Minutes of arc: (grad * 60 + min) + sek / 60, in that order.
// Empty when the sum is not finite.
std::optional<double> minuten(double grad, double min, double sek);

// Minutes of arc of one axis from its three texts, converted degrees first,
// then minutes, then seconds; gradFeld names the axis' degree text, and a
// failure names the first text that could not be used.
struct Achse {
    std::optional<double> minuten;
    Fehler fehler{};  // meaningful only without minuten
};
Achse achse(std::string_view grad, std::string_view min, std::string_view sek, Feld gradFeld);

// Row and column of the sheet, exactly as prescribed:
//   r = floor((559 - (1/6) * B) + 1),  c = floor(((1/10) * L - 35) + 1)
// Empty when the result lies outside the 16-bit signed range.
std::optional<std::int16_t> zeile(double B);
std::optional<std::int16_t> spalte(double L);

// The five quarters (1..4) of the point B, L inside sheet r, c.
using Quadranten = std::array<std::uint8_t, 5>;
Quadranten quadranten(double B, double L, std::int16_t r, std::int16_t c);

// The one writer of sheet-and-quadrant codes, for the window and the library:
//   slash    5818/3/3/2/1/1   (the window's form)
//   compact  5818/33211
//   dot      5818.33211
//   blank    5818 33211
// With 0 levels all four are the sheet number alone. The sheet number has
// four digits where row and column lie in 0..99, as the map series numbers
// its sheets and as every reader takes them ("5818", "0916", "5202"). The
// short form is the window's and the find-location file's: the decimal
// text of r directly followed by that of c ("916", "522"). Rows or columns
// outside 0..99 are their decimal texts in either form ("560-34").
// Appends at most 20 characters to out.
enum class Notation { Schraeg, Kompakt, Punkt, Leer };
enum class Blattnummer { Vierstellig, Kurz };
inline void schreibeCode(std::string& out, std::int16_t r, std::int16_t c, const Quadranten& q, int ebenen,
                         Notation n = Notation::Schraeg, Blattnummer b = Blattnummer::Vierstellig)
{
    char puffer[24];
    char* p = puffer;
    const bool zweiStellen = b == Blattnummer::Vierstellig ? r >= 0 && r <= 99 && c >= 0 && c <= 99
                                                            : r >= 10 && r <= 99 && c >= 10 && c <= 99;
    if (zweiStellen) {
        p[0] = static_cast<char>('0' + r / 10);
        p[1] = static_cast<char>('0' + r % 10);
        p[2] = static_cast<char>('0' + c / 10);
        p[3] = static_cast<char>('0' + c % 10);
        p += 4;
    } else {
        p = std::to_chars(p, p + 8, r).ptr;
        p = std::to_chars(p, p + 8, c).ptr;
    }
    for (int i = 0; i < ebenen; ++i) {
        if (n == Notation::Schraeg || i == 0)
            *p++ = n == Notation::Punkt ? '.' : n == Notation::Leer ? ' ' : '/';
        *p++ = static_cast<char>('0' + q[i]);
    }
    // By length: the pair of pointers would take the general way of replace().
    out.append(puffer, static_cast<std::size_t>(p - puffer));
}
// All five levels, slash form, short sheet number: the record's and the
// window's text, "5818/3/3/2/1/1", "916/3/2/2/2/2".
std::string codeText(std::int16_t r, std::int16_t c, const Quadranten& q);

// The whole computation from the six texts, as one value: what the
// command-line tools, the window's "MTB berechnen" and the records saved
// from a list of points use.
struct Ergebnis {
    double breite = 0;  // decimal degrees
    double laenge = 0;
    std::int16_t zeile = 0;
    std::int16_t spalte = 0;
    Quadranten quadranten{};
    std::string text() const { return codeText(zeile, spalte, quadranten); }
};
struct Berechnung {
    std::optional<Ergebnis> ergebnis;
    Fehler fehler{};  // meaningful only without ergebnis
    // The decimal degrees reached before a failure, as the window keeps
    // them: the latitude once its texts are read (before its row can
    // overflow), the longitude likewise.
    std::optional<double> breite, laenge;
};
Berechnung berechne(std::string_view gradN, std::string_view minN, std::string_view sekN,
                    std::string_view gradO, std::string_view minO, std::string_view sekO);

// ---- Exact computation for coordinates given with decimals ----
//
// A coordinate in seconds of arc, exactly: einheiten / 10^stellen. The
// grid's lines and tie rules then apply to exactly the value given.
//   50°07'20" -> {180440, 0}      50.12222° (180439.992") -> {1804399920, 4}
// Accepted: 0 <= value below 10^7 seconds, stellen 0..MaxStellen.
struct Winkel {
    std::int64_t einheiten = 0;
    int stellen = 0;
};
inline constexpr int MaxStellen = 10;
// 10^k for k = 0..MaxStellen.
inline constexpr std::int64_t zehnHoch[MaxStellen + 1] = {1,         10,         100,        1000,
                                                          10000,     100000,     1000000,    10000000,
                                                          100000000, 1000000000, 10000000000};

// Sheet and quarters of a point; false when a row or column leaves the
// 16-bit range. For whole seconds the result equals the window's double
// computation (tested over the whole accepted domain).
struct Code {
    std::int16_t zeile = 0;
    std::int16_t spalte = 0;
    Quadranten quadranten{};
};
bool codeGenau(const Winkel& breite, const Winkel& laenge, Code& code);

// South-west corner and size of the cell of a code at a level (0 = sheet),
// in minutes of arc; all are multiples of 1/16 minute, exact as doubles.
struct Zelle {
    double sued = 0, west = 0, hoehe = 0, breite = 0;
};
Zelle zelle(std::int16_t zeile, std::int16_t spalte, const Quadranten& q, int ebenen);

}  // namespace mtb
