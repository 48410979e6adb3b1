// The datum of input coordinates. The grid is laid out in geographic
// coordinates on the Potsdam datum (DHDN, Bessel ellipsoid); GPS receivers
// and web maps give ETRS89/WGS84, 120 to 200 m away across Germany.
//
// ETRS89 <-> DHDN uses exactly the official German transformation grid
// BETA2007 (NTv2, from Debian's proj-data), read by our own NTv2 reader and
// applied as PROJ's hgridshift applies it; there is no
// fallback to a coarser transformation: without the grid, or for a point
// outside it (outside Germany), the transformation fails and says so. WGS84
// is taken as ETRS89 (they differ by well under a metre in Germany, far less
// than the grid's own accuracy).
#pragma once

#include "position/punkt.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quadrix {

// The datum of input coordinates. Auto is the rule for positions whose
// datum nobody named, the same in the window and in mtbq:
//   - with decimals anywhere (decimal degrees, degrees and decimal minutes,
//     seconds with decimals): what GPS receivers, phones and web maps show,
//     WGS84/ETRS89;
//   - whole degrees, minutes and seconds: read off a map sheet as often as
//     shown by a GPS receiver; taken as Potsdam, the sheet grid's datum
//     (the window asks the user instead).
//   - a record of a find-location file: Potsdam, as the window wrote it.
//   "50.12222 8.69167" -> Wgs84      "50 07 20 8 41 30" -> Potsdam
enum class Datum { Potsdam, Etrs89, Wgs84, Auto };

// The datum a point written as l is taken on: d itself, Auto by the rule.
inline Datum datumFuer(Datum d, const Lesart& l)
{
    if (d != Datum::Auto)
        return d;
    return l.nachkomma && !l.ausFundortdatei ? Datum::Wgs84 : Datum::Potsdam;
}

// The datums by the names the programs take: auto, potsdam, etrs89, wgs84.
bool datumNamens(std::string_view name, Datum& d);
// A row's own datum as Darwin Core's geodeticDatum and GIS tables name it,
// in any case and with or without blanks: EPSG:4326, WGS84, WGS 84 ->
// Wgs84; EPSG:4258, ETRS89 -> Etrs89; EPSG:4314, DHDN, Potsdam -> Potsdam.
// False for any other name ("NAD83", "EPSG:4230").
bool geodaetischesDatum(std::string_view name, Datum& d);
// "Potsdam (DHDN)", "ETRS89", "WGS84"; Auto: "auto".
const char* datumName(Datum d);

// Why the BETA2007 grid could not be had (text(): the German sentence).
struct Gitterfehler {
    enum class Art : unsigned char {
        Keiner,
        Fehlt,        // in none of the folders
        Unlesbar,     // found, but not read
        ZuGross,      // found, far larger than the grid
        Unbrauchbar,  // read, and no NTv2 grid (see grund)
    } art = Art::Keiner;
    std::string datei;  // UTF-8: the file found
    int grund = 0;      // for Unbrauchbar: the reader's ntv2::Lesefehler
    bool keiner() const { return art == Art::Keiner; }
};
std::string text(const Gitterfehler& f);

class Transformation {
public:
    // False when the transformation itself is missing (the grid file).
    virtual bool verfuegbar() const { return true; }
    // BETA2007.gsb read by our own code (ntv2.h), looked for in the folders
    // given (a program's own, where the Windows package puts the grid), then
    // in the folder of PROJ's data, where Debian's proj-data installs it
    // (PROJ_DATA or PROJ_LIB, else /usr/share/proj); PROJ itself is not used.
    // Empty, with the reason in fehler, when the grid is missing or damaged.
    static std::unique_ptr<Transformation> erstelle(Gitterfehler& fehler,
                                                    const std::vector<std::filesystem::path>& ordner = {});
    // One that reads the grid only when a point needs it (for lists whose
    // datum is decided line by line); when it is missing or damaged,
    // every point fails and beschreibung() tells why.
    static std::unique_ptr<Transformation> beiBedarf(const std::vector<std::filesystem::path>& ordner = {});
    virtual ~Transformation() = default;

    // Decimal degrees, in place. False outside the grid.
    virtual bool zuPotsdam(double& breite, double& laenge) const = 0;
    // Two points at once, each with exactly what zuPotsdam gives it (ok:
    // its result); where the grid allows, faster than one after the other.
    virtual void zuPotsdamZwei(double breite[2], double laenge[2], bool ok[2]) const
    {
        for (int k = 0; k < 2; ++k)
            ok[k] = zuPotsdam(breite[k], laenge[k]);
    }
    virtual bool vonPotsdam(double& breite, double& laenge) const = 0;
    // The grid in use, for --verbose.
    virtual const std::string& beschreibung() const = 0;
};

// Why a point could not be brought onto a datum (text(): the German sentence).
enum class Umrechnungsfehler {
    Keine,
    KeineUmrechnung,   // a transformation is needed, and the BETA2007 grid file is missing or damaged
    AusserhalbGitter,  // outside the grid (Germany), or the grid gave no usable point
};
const char* text(Umrechnungsfehler f);

// The point on the Potsdam datum: as given without a transformation,
// otherwise transformed; AusserhalbGitter outside the grid.
Umrechnungsfehler aufPotsdam(Punkt& p, const Transformation* t);
// The same for two points at once, each with exactly aufPotsdam's result.
void aufPotsdamZwei(Punkt p[2], const Transformation* t, Umrechnungsfehler f[2]);

// The one way of a point from the datum it was given on to the datums of
// the grids and outputs: on the Potsdam datum (the sheet grid, the minute
// fields) and in ETRS89 decimal degrees (the ETRS89 grids; WGS84 output
// takes ETRS89 as WGS84), as far as the caller needs them. Each is the
// point itself where the datum is the same, else transformed with t (Auto
// counts as Potsdam). KeineUmrechnung when a transformation is
// needed and t is missing or unusable, AusserhalbGitter outside the grid.
// The Potsdam side is the input itself where nothing was transformed, so
// that long lists copy nothing: the input must outlive the Lage.
struct Lage {
    const Punkt* potsdam = nullptr;  // the input, or umgerechnet
    Punkt umgerechnet;
    double breite = 0, laenge = 0;  // ETRS89
    Lage() = default;
    Lage(const Lage&) = delete;
    Lage& operator=(const Lage&) = delete;
};
enum Bedarf : unsigned { AufPotsdam = 1, InEtrs89 = 2 };
Umrechnungsfehler verorteUmgerechnet(const Punkt& p, Datum d, const Transformation* t, unsigned bedarf, Lage& lage);
inline Umrechnungsfehler verorte(const Punkt& p, Datum d, const Transformation* t, unsigned bedarf, Lage& lage)
{
    // The common case of long lists, inline: a point on the grid's own datum.
    if (bedarf == AufPotsdam && (d == Datum::Potsdam || d == Datum::Auto)) {
        lage.potsdam = &p;
        return Umrechnungsfehler::Keine;
    }
    return verorteUmgerechnet(p, d, t, bedarf, lage);
}

}  // namespace quadrix
