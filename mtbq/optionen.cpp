#include "mtbq/optionen.h"

#include <algorithm>
#include <iterator>

namespace mtbq {

namespace {

// In the order of the help.
constexpr Option Tabelle[] = {
    {Opt::Grid, "--grid", "--gitter", true, "NAME", "mtb minutenfeld eea100m eea1km eea10km eea100km utm mgrs gk",
     "das Gitter der Codes (siehe oben; Vorgabe mtb)"},
    {Opt::Levels, "--levels", "", true, "N", "0 1 2 3 4 5",
     "Quadrantenebenen 0 bis 5 (0 = nur das Blatt; Vorgabe 5)"},
    {Opt::Precision, "--precision", "--genauigkeit", true, "LÄNGE", "1m 10m 100m 250m 1km",
     "MTB: die tiefste Ebene, deren Zellen nicht kleiner sind\n"
     "(250m: Ebene 5, 1km: Ebene 3); MGRS: 1m, 10m, 100m oder\n"
     "1km (Vorgabe 1m); --dwc: Datensätze auf diese Zellen\n"
     "verallgemeinern"},
    {Opt::Uncertainty, "--uncertainty", "--unsicherheit", true, "RADIUS", "5m 10m 30m 100m 1km",
     "MTB: jeden Code auf die tiefste Ebene kürzen, deren\n"
     "Zelle den Kreis dieses Radius (in Metern: 10, 30m, 1km)\n"
     "um den Punkt ganz enthält; reicht er über das Blatt\n"
     "hinaus, steht das Blatt der Mitte mit * da (5818*), und\n"
     "eine Warnung nennt die Nachbarblätter. Eine\n"
     "Tabellenspalte coordinateUncertaintyInMeters, Toleranz\n"
     "oder Unschärfe gibt den Radius je Zeile; --dwc schreibt\n"
     "ihn als coordinateUncertaintyInMeters"},
    {Opt::Zone, "--zone", "", true, "N", "32 33",
     "UTM/MGRS (1-60) oder Gauß-Krüger (2-5) in Zone N rechnen\n"
     "statt in der Zone des Punktes"},
    {Opt::LongForm, "--long-form", "--langform", false, "", "",
     "EEA-Codes lang: CRS3035RES10000mN3210000E4320000"},
    {Opt::ShortSheet, "--short-sheet", "", false, "", "",
     "MTB: Blattnummern unter Zeile oder Spalte 10 kurz, wie\n"
     "das Fenster und die Dateien der Fundorte sie schreiben\n"
     "(916/3/2/2/2/2 statt 0916/3/2/2/2/2); sonst immer\n"
     "vierstellig"},
    {Opt::Notation, "--notation", "", true, "FORM", "slash compact dot blank",
     "slash 5818/3/3/2/1/1 (Vorgabe), compact 5818/33211, dot\n"
     "5818.33211, blank 5818 33211"},
    {Opt::Batch, "--batch", "", false, "[DATEI...]", "",
     "je Zeile ein Punkt (ohne DATEI: Standardeingabe); jede\n"
     "Zeile wird mit dem Code als neuer, durch TAB getrennter\n"
     "Spalte ausgegeben. Spalten dürfen durch TAB, Semikolon,\n"
     "Komma oder Leerzeichen getrennt sein; Spalten ohne\n"
     "Ziffern (Namen) werden übergangen, eine Spalte mit\n"
     "Ziffern, die keine Zahl ist, lehnt die Zeile ab; eine\n"
     "Kopfzeile ohne Ziffern erhält die Spalte \"MTB\".\n"
     "Fehlerhafte Zeilen werden mit Zeilennummer auf der\n"
     "Standardfehlerausgabe gemeldet und erhalten einen leeren\n"
     "Code. Eine Kopfzeile mit Spalten wie lat/lon,\n"
     "Breite/Länge, y/x oder decimalLatitude/decimalLongitude\n"
     "macht die Liste zur Tabelle: nur diese Spalten zählen,\n"
     "CSV-Anführungszeichen werden gelesen, und der Code wird\n"
     "mit dem Trennzeichen der Tabelle angehängt. Dateien der\n"
     "Fundorte werden an ihrer Kopfzeile erkannt und aus ihren\n"
     "Koordinatenfeldern berechnet. Freie Zeilen behalten ihr\n"
     "Semikolon (oder Komma) als Trennzeichen. Zeilen mit\n"
     "Gauß-Krüger, UTM oder MGRS und Tabellen mit Rechtswert\n"
     "und Hochwert (auch RW/HW, x/y) werden ebenso gelesen.\n"
     "Tabellen aus Excel: \"CSV UTF-8\" (mit Byte-Order-Mark),\n"
     "\"CSV\" (Windows-1252) und \"Unicode-Text\" (UTF-16) werden\n"
     "gelesen und in ihrer Kodierung zurückgeschrieben.\n"
     "GPX, KML, KMZ, GeoJSON und Fotos (JPEG, HEIC) und Ordner\n"
     "davon werden an ihrem Inhalt erkannt: je Punkt eine\n"
     "Zeile Name, Zeit, Breite, Länge (WGS84, wie in der\n"
     "Datei) und Code; die Unsicherheit eines Fotos\n"
     "(GPSHPositioningError) kürzt seinen Code wie\n"
     "--uncertainty (der größere Radius gilt)."},
    {Opt::Columns, "--columns", "--spalten", true, "B,L", "",
     "die Spalten der Breite und der Länge, als Titel oder\n"
     "Nummer (ab 1)"},
    {Opt::Cell, "--cell", "", true, "CODE", "",
     "Ränder und Mitte der Zelle eines Codes (0916/3 oder\n"
     "916/3); EEA-, UTM- und MGRS-Codes werden an ihrer\n"
     "Form erkannt und mit Ecken und Mitte in ETRS89 gezeigt,\n"
     "Gauß-Krüger (R 3478544 H 5549792, 3478544 5549792) im\n"
     "Potsdam-Datum; Minutenfelder mit --grid minutenfeld"},
    {Opt::Datum, "--datum", "", true, "NAME", "auto potsdam etrs89 wgs84",
     "Bezugssystem der Eingabe: auto (Vorgabe), potsdam, etrs89\n"
     "oder wgs84. auto: Angaben mit Dezimalstellen\n"
     "(Dezimalgrad, Dezimalminuten, Sekunden mit\n"
     "Nachkommastellen) sind WGS84/ETRS89, wie GPS-Geräte und\n"
     "Webkarten sie zeigen; ganze Grad, Minuten und Sekunden\n"
     "(von der Karte abgelesen) und Datensätze der Dateien der\n"
     "Fundorte sind Potsdam (DHDN), wie im Fenster. Umgerechnet\n"
     "wird mit dem amtlichen Gitter BETA2007, ohne Ausweichen\n"
     "auf gröbere Verfahren; --verbose und die Kopfzeile von\n"
     "--batch nennen das Datum"},
    {Opt::Verbose, "--verbose", "", false, "", "",
     "zu einem Punkt auch Datum, Umrechnung und Koordinaten\n"
     "zeigen, den nächsten Ort (\"2,2 km nordwestlich von\n"
     "Oberursel\", außerhalb Deutschlands auch das), beim MTB\n"
     "den Abstand zur nächsten Linie seiner Zelle auf jeder\n"
     "Ebene"},
    {Opt::GeoJson, "--geojson", "", false, "[DATEI...]", "",
     "Dateien der Fundorte als GeoJSON (WGS84) ausgeben (ohne\n"
     "DATEI oder mit -: Standardeingabe); --datum nennt das\n"
     "Bezugssystem der Dateien (auto: Potsdam, wie Quadrix sie\n"
     "schreibt); mit --cells statt der Punkte die\n"
     "Quadrantenzellen als Flächen (je Ausgabe eine Art von\n"
     "Geometrie, wie Shapefiles sie verlangen). GPS-Dateien und\n"
     "Fotos (wie bei --batch): je Punkt ein Feature an seiner\n"
     "Position mit Name, Zeit und Code"},
    {Opt::Cells, "--cells", "", false, "", "",
     "mit --geojson: die Quadrantenzellen als Flächen statt der\n"
     "Punkte"},
    {Opt::Svg, "--svg", "", false, "CODE|PUNKT", "",
     "Bild des Blattes mit den Quadranten bis zur Ebene des\n"
     "Codes als SVG"},
    {Opt::Raster, "--raster", "", false, "", "",
     "Gitter als GeoJSON-Flächen mit dem Code als Eigenschaft\n"
     "\"code\" (mtb mit --levels, minutenfeld oder ein\n"
     "EEA-Gitter): zu einer --bbox S,W,N,O (Dezimalgrad, mit\n"
     "auto WGS84), zu Codes (5818 5819 mit --levels 1: die 8\n"
     "Quadranten) oder ohne beides zum Blattbereich\n"
     "Deutschlands (Zeilen 9 bis 87, Spalten 1 bis 56). In\n"
     "WGS84, jede Ecke mit BETA2007 umgerechnet, die Kanten mit\n"
     "Zwischenpunkten"},
    {Opt::Bbox, "--bbox", "", true, "S,W,N,O", "",
     "mit --raster: das Gebiet in Dezimalgrad, Süden unter\n"
     "Norden, Westen unter Osten"},
    {Opt::Untransformed, "--untransformed", "--untransformiert", false, "", "",
     "mit --raster: MTB auf Potsdam (EPSG:4314), EEA in\n"
     "EPSG:3035"},
    {Opt::Dwc, "--dwc", "", false, "[DATEI...]", "",
     "Dateien der Fundorte und Tabellen als Darwin-Core-Tabelle\n"
     "(CSV, UTF-8): locality, verbatim*,\n"
     "decimalLatitude/-Longitude (WGS84),\n"
     "coordinateUncertaintyInMeters, bei Zellen footprintWKT,\n"
     "und der Code in der Spalte mtbQuadrant. GPS-Dateien und\n"
     "Fotos (wie bei --batch): je Punkt eine Zeile, ihr Name\n"
     "als locality, ihre Zeit in der Spalte eventDate"},
    {Opt::Export, "--export", "", true, "PROFIL", "dwc multibase recorder colkat indicia xlsx",
     "Dateien der Fundorte, Tabellen und GPS-Dateien (wie\n"
     "--dwc) als Tabelle für ein Portal: dwc (Darwin Core, wie\n"
     "--dwc), multibase (MultiBaseCS: MTB, Quadrant,\n"
     "Teilquadrant, Toleranz; Windows-1252, Semikolon),\n"
     "recorder (Recorder-D: Windows-1252, Komma, alles in\n"
     "Anführungszeichen), colkat (UTF-8, Semikolon, Genauigkeit\n"
     "in Metern), indicia (sample:entered_sref 6402/111 mit dem\n"
     "System mtbqqq) oder xlsx (Excel-Arbeitsmappe: >\n"
     "funde.xlsx). --notation wählt die Schreibweise des Codes,\n"
     "--uncertainty kürzt ihn"},
    {Opt::Check, "--check", "", false, "DATEI...", "",
     "Datensätze in Dateien der Fundorte, deren Code oder\n"
     "Dezimalgrad nicht zu ihren Grad, Minuten und Sekunden\n"
     "passen (von Hand geändert), mit Zeilennummer melden,\n"
     "ebenso jede Zeile, die Quadrix so nicht schreibt;\n"
     "Rückgabewert 1, wenn es solche gibt"},
    {Opt::Excel, "--excel", "", false, "", "",
     "mit --dwc: wie ein deutsches Excel es öffnet: UTF-8 mit\n"
     "Byte-Order-Mark, Semikolon, Dezimalkomma"},
    {Opt::Track, "--track", "", true, "DATEI", "",
     "GPX-Spur (auch KML, GeoJSON) mit Zeiten: Fotos ohne\n"
     "Position werden nach ihrer Aufnahmezeit zwischen die\n"
     "beiden Spurpunkte um diese Zeit gelegt (mehrmals\n"
     "möglich)"},
    {Opt::ClockOffset, "--clock-offset", "", true, "SEK", "",
     "mit --track: so viel zur Uhr der Kamera zählen (-3600:\n"
     "sie ging eine Stunde vor; auch -1:00:00)"},
    {Opt::Timezone, "--timezone", "", true, "±HH:MM", "+01:00 +02:00",
     "mit --track: die Zeitzone der Kamerauhr, wo das Foto\n"
     "keine nennt (Vorgabe: die des Rechners an jenem Tag)"},
    {Opt::MaxGap, "--max-gap", "", true, "SEK", "60 300 600",
     "mit --track: ein Foto, dessen nächster Spurpunkt\n"
     "zeitlich weiter entfernt ist, wird nicht gelegt\n"
     "(Vorgabe 300, auch 5min)"},
    {Opt::Help, "--help", "", false, "", "",
     "diese Hilfe", "--help, -h, /?"},
    {Opt::Version, "--version", "", false, "", "",
     "Version"},
};

constexpr std::size_t Einzug = 22;  // where the help's text starts

// Characters of UTF-8 text: the columns it takes.
std::size_t zeichen(std::string_view w)
{
    return static_cast<std::size_t>(std::count_if(w.begin(), w.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Words wrapped to lines of at most breite columns.
std::string umbrochen(std::string_view text, std::size_t breite)
{
    std::string out, zeile;
    std::size_t spalten = 0;
    const auto laenge = zeichen;
    while (!text.empty()) {
        const std::size_t ende = std::min(text.find(' '), text.size());
        const std::string_view wort = text.substr(0, ende);
        text.remove_prefix(std::min(ende + 1, text.size()));
        if (spalten > 0 && spalten + 1 + laenge(wort) > breite) {
            out += zeile + '\n';
            zeile.clear();
            spalten = 0;
        }
        if (spalten > 0) {
            zeile += ' ';
            ++spalten;
        }
        zeile += wort;
        spalten += laenge(wort);
    }
    return out + zeile + '\n';
}

}  // namespace

std::span<const Option> optionen() { return Tabelle; }

const Option* optionNamens(std::string_view name)
{
    for (const Option& o : Tabelle)
        if (name == o.name || (!o.alias.empty() && name == o.alias))
            return &o;
    return nullptr;
}

std::string optionenHilfe()
{
    std::string out;
    for (const Option& o : Tabelle) {
        std::string kopf(o.zeigeAls.empty() ? o.name : o.zeigeAls);
        if (o.zeigeAls.empty() && !o.argument.empty())
            (kopf += ' ') += o.argument;
        out += "  " + kopf;
        // A heading too long for its column gets one blank after it.
        const std::size_t breite = zeichen(kopf);
        out.append(breite + 2 < Einzug - 1 ? Einzug - 2 - breite : 1, ' ');
        for (std::string_view t = o.hilfe;;) {
            const std::size_t nl = t.find('\n');
            out += t.substr(0, nl);
            out += '\n';
            if (nl == std::string_view::npos)
                break;
            t.remove_prefix(nl + 1);
            out.append(Einzug, ' ');
        }
    }
    return out;
}

std::string aliasHilfe()
{
    std::string satz = "Optionen mit Wert auch als --option=WERT; -- beendet die Optionen. Die deutschen Namen "
                       "früherer Versionen gelten weiter:";
    const char* trenner = " ";
    for (const Option& o : Tabelle)
        if (!o.alias.empty()) {
            (satz += trenner) += o.alias;
            trenner = ", ";
        }
    return umbrochen(satz + '.', 79);
}

std::string bashVervollstaendigung()
{
    std::string s = "# bash completion for mtbq (written from mtbq's table of options)\n"
                    "_mtbq()\n{\n    local cur prev\n    cur=${COMP_WORDS[COMP_CWORD]}\n"
                    "    prev=${COMP_WORDS[COMP_CWORD-1]}\n    case $prev in\n";
    std::string ohneWerte;
    for (const Option& o : Tabelle) {
        if (!o.wert)
            continue;
        std::string muster(o.name);
        if (!o.alias.empty())
            (muster += '|') += o.alias;
        if (o.werte.empty())
            (ohneWerte += ohneWerte.empty() ? "" : "|") += muster;
        else
            s += "        " + muster + ") COMPREPLY=($(compgen -W \"" + std::string(o.werte) +
                 "\" -- \"$cur\")); return ;;\n";
    }
    if (!ohneWerte.empty())
        s += "        " + ohneWerte + ") return ;;\n";
    s += "    esac\n    if [[ $cur == -* ]]; then\n        COMPREPLY=($(compgen -W \"";
    const char* trenner = "";
    for (const Option& o : Tabelle) {
        (s += trenner) += o.name;
        trenner = " ";
    }
    s += "\" -- \"$cur\"))\n        return\n    fi\n    COMPREPLY=($(compgen -f -- \"$cur\"))\n}\n"
         "complete -o filenames -F _mtbq mtbq\n";
    return s;
}

}  // namespace mtbq
