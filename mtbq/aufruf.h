// What the pieces of mtbq share: the command line as read, the inputs, the
// messages of wrong usage and refusal, and each mode's run.
#pragma once

#include "cells/gitter.h"
#include "imports/spur.h"
#include "cells/umriss.h"
#include "formats/ausfuhr.h"
#include "position/punkt.h"
#include "position/verweis.h"
#include "tables/stapel.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mtbq {

using quadrix::Ausgabeform;
using quadrix::Fehler;
using quadrix::Punkt;
using quadrix::Spaltenwahl;
using quadrix::Umriss;
using quadrix::Umrissfehler;

enum class Modus { Punkt, Stapel, Zelle, GeoJson, Svg, Raster, Dwc, Pruefen };

struct Aufruf {
    Modus modus = Modus::Punkt;
    Ausgabeform form;
    bool ausfuehrlich = false;
    bool zellen = false;
    bool gitterGesetzt = false;
    bool levelsGesetzt = false;
    bool untransformiert = false;
    bool mitBox = false;
    bool excel = false;  // --dwc for German Excel
    quadrix::Profil profil = quadrix::Profil::Dwc;  // --export (--dwc: Darwin Core)
    bool exportGesetzt = false;
    bool notationGesetzt = false;
    double box[4] = {0, 0, 0, 0};
    double genauigkeit = 0;  // metres; 0: none given
    Spaltenwahl spalten;     // --columns; empty: found by the header's titles
    const char* code = nullptr;  // --cell, or --svg with a code
    std::vector<const char*> rest;
    bool datumGesetzt = false;
    bool vermutet = false;  // the datum was taken by the rule for unnamed datums
    // A single point (and --svg with a point), read once.
    Punkt punkt;
    Fehler punktFehler = Fehler::KeineZahl;
    // A single point written in a plane grid: Gauss-Kruger (the point, on
    // the Potsdam datum), UTM or MGRS (a square on ETRS89, its centre in punkt).
    std::optional<Umriss> kartesisch;
    bool kartesischDatumFalsch = false;  // --datum names another datum than the plane grid's
    // A link: its position read, or none in it (then refused with that reason).
    quadrix::VerweisFehler verweis = quadrix::VerweisFehler::KeinVerweis;
    // Refused: the reason of the plane reader the text most resembles, if any.
    Umrissfehler positionsGrund;
    // Photos without a position placed on these tracks by their time.
    std::vector<const char*> spuren;
    quadrix::Zeitwahl zeitwahl;
    bool zeitGesetzt = false;  // --clock-offset, --timezone or --max-gap given
};

// An input named on the command line, "-" for standard input, closed at the end.
struct Eingabe {
    std::FILE* f = nullptr;
    bool standard = false;
    std::string name;  // for messages: the name given, or "(Standardeingabe)"
    Eingabe() = default;
    Eingabe(const Eingabe&) = delete;
    Eingabe& operator=(const Eingabe&) = delete;
    ~Eingabe()
    {
        if (f && !standard)
            std::fclose(f);
    }
};

// Where the Windows package keeps the BETA2007 grid: beside mtbq.exe.
std::vector<std::filesystem::path> gitterOrdner();
// Wrong usage (exit 2) and refused input (exit 1), said on standard error.
int falscherAufruf(const std::string& was);
int abgelehnt(const char* was);
// Opens the input, by its UTF-8 name on every platform; false, with the
// reason printed, for a folder or a file that cannot be opened. art names
// what a folder is not ("keine Datei der Fundorte").
bool oeffne(const char* datei, const char* art, Eingabe& e);
// Refused lines as "NAME:LINE: reason".
quadrix::Melder melderFuer(const std::string& name);
// The arguments joined by blanks.
std::string verbunden(const std::vector<const char*>& teile);

// The options into a; an exit status when the run ends here (help,
// version, wrong usage).
std::optional<int> leseOptionen(int argc, char* argv[], Aufruf& a);
// Options that do not go together; an exit status when they do not.
std::optional<int> pruefeZusammenspiel(Aufruf& a);

// The modes, each to its exit status.
int zelle(const Aufruf& a, const std::string& text);
int punkt(const Aufruf& a);
int svg(const Aufruf& a);
int stapelLauf(Aufruf& a);
int dwcLauf(Aufruf& a, const quadrix::Transformation* t);
int geojsonLauf(Aufruf& a, const quadrix::Transformation* t);
int rasterLauf(const Aufruf& a);
int pruefLauf(const Aufruf& a);

// Is the argument a folder, a file named .gpx, .kml, .kmz, .geojson, .json,
// .jpg, .jpeg, .heic or .heif, or one whose first bytes show one of these?
bool punktquelle(const char* arg);

}  // namespace mtbq
