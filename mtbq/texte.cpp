#include "texte.h"

namespace mtbq {

const char* text(Fehler f)
{
    switch (f) {
    case Fehler::Keine: return "";
    case Fehler::KeineZahl: return "keine Koordinaten gefunden";
    case Fehler::AnzahlZahlen:
        return "erwartet 2, 4 oder 6 Zahlen (Grad; Grad und Minuten; Grad, Minuten und Sekunden je Koordinate)";
    case Fehler::Form: return "Zeichen (°, ', \", N, E/O) passen nicht zu zwei Koordinaten";
    case Fehler::Nachkommastellen:
        return "Nachkommastellen nur im letzten Teil einer Koordinate und höchstens 10";
    case Fehler::ZuGross: return "Zahl zu groß";
    case Fehler::BereichNord: return "Breitengrad außerhalb von 0 bis 90 Grad";
    case Fehler::BereichOst: return "Längengrad außerhalb von 0 bis 360 Grad";
    case Fehler::BereichMinSek: return "Minuten oder Sekunden außerhalb von 0 bis 60";
    case Fehler::Sueden: return "Punkt südlich des Äquators: das Kartennetz gilt nur für nördliche Breiten";
    case Fehler::Westen: return "Punkt westlich von Greenwich: das Kartennetz gilt nur für östliche Längen";
    case Fehler::AusserhalbGitter:
        return "Punkt außerhalb des Transformationsgitters BETA2007 (Deutschland), oder das Gitter liefert "
               "keinen brauchbaren Punkt (beschädigte Datei?): keine Umrechnung des Datums";
    case Fehler::Spalte: return "eine Spalte mit Ziffern ist keine Zahl (etwa ein Zeichen direkt an der Zahl)";
    case Fehler::AusserhalbNetz:
        return "Punkt außerhalb des Netzes der Messtischblätter (Zeilen und Spalten 1 bis 99), wo die "
               "Blattnummer nicht mehr eindeutig ist";
    case Fehler::ZeileZuLang: return "Zeile länger als 1 MiB";
    case Fehler::ZuWenigSpalten: return "der Zeile fehlt die Spalte der Breite oder der Länge";
    case Fehler::AusserhalbUtm:
        return "Punkt nördlich von 84° N, wo UTM endet, oder mehr als 12° vom Mittelmeridian der verlangten Zone";
    case Fehler::AusserhalbEea: return "Punkt westlich oder südlich des Ursprungs des EEA-Gitters";
    case Fehler::AusserhalbMgrs:
        return "Punkt außerhalb der 100-km-Spalten der verlangten Zone: keine MGRS-Bezeichnung";
    case Fehler::KeineUmrechnung:
        return "die Position ist WGS84 (Dezimalangabe) oder verlangt ein anderes Datum als das Gitter, und PROJ oder "
               "das Transformationsgitter BETA2007 fehlt (--datum nennt das Datum der Eingabe)";
    }
    return "";
}

const char* text(CodeFehler f)
{
    switch (f) {
    case CodeFehler::Keine: return "";
    case CodeFehler::Leer: return "kein MTB-Code angegeben";
    case CodeFehler::Blatt: return "die Blattnummer besteht nicht aus Ziffern";
    case CodeFehler::AusserhalbNetz:
        return "Zeile oder Spalte des Blattes außerhalb von 1 bis 99: kein Blatt des Netzes";
    case CodeFehler::BlattMehrdeutig:
        return "die Blattnummer ist nicht vierstellig und darum mehrdeutig: schreiben Sie Zeile und Spalte "
               "mit je zwei Ziffern (0916 statt 916)";
    case CodeFehler::Ziffer: return "Quadrantenziffer außerhalb von 1 bis 4";
    case CodeFehler::ZuVieleEbenen: return "mehr als 5 Quadrantenebenen";
    case CodeFehler::Form: return "Form nicht erkannt (erwartet z. B. 5818/3/3/2, 5818/332 oder 5818.332)";
    }
    return "";
}

const char* const Hilfe =
    "Aufruf: mtbq [OPTIONEN] KOORDINATEN\n"
    "        mtbq [OPTIONEN] --batch [DATEI...]\n"
    "        mtbq [--grid NAME] --cell CODE\n"
    "        mtbq [OPTIONEN] --raster [--bbox S,W,N,O | CODE...]\n"
    "        mtbq [OPTIONEN] --dwc [DATEI...]\n"
    "\n"
    "Bestimmt das Blatt der Topographischen Karte 1:25000 (MTB) mit Quadranten, oder die\n"
    "Zelle eines anderen Gitters.\n"
    "\n"
    "Koordinaten, nördliche Breite vor östlicher Länge:\n"
    "  50 07 20 8 41 30            Grad, Minuten, Sekunden\n"
    "  50 7.3333 8 41.5            Grad und Dezimalminuten (GPS)\n"
    "  50.12222 8.69167            Dezimalgrad, auch mit Komma: 50,12222 8,69167\n"
    "  50°07'20\"N 8°41'30\"E        N50°07.333' E8°41.500'\n"
    "  Punkte südlich des Äquators oder westlich von Greenwich werden abgelehnt.\n"
    "\n"
    "Gitter (--grid NAME):\n"
    "  mtb          5818/3/3/2/1/1      Blatt und Quadranten, Potsdam-Datum (Vorgabe)\n"
    "  minutenfeld  5818/324            Minutenfeld 1' x 1' in der Schreibweise rrcc/Qyx:\n"
    "                                   Blatt, Quadrant, Zeile 1-3 von Norden und Spalte 1-5\n"
    "                                   von Westen im Quadranten (15 Felder je Quadrant)\n"
    "  eea100m, eea1km, eea10km, eea100km\n"
    "               10kmE432N321        EEA-Referenzgitter (ETRS89-LAEA, EPSG:3035): Größe,\n"
    "                                   Ost- und Nordwert der Südwestecke durch die Größe\n"
    "  utm          32U 412345 5567890  ETRS89/UTM (EPSG:25832, 25833): Zone und Band, Ost-\n"
    "                                   und Nordwert in ganzen Metern (abgeschnitten)\n"
    "  mgrs         32UMA 12345 67890   MGRS (UTMREF): Zone, Band, 100-km-Quadrat, Ziffern\n"
    "  Punkte auf Linien: bei Blättern und Minutenfeldern gehört eine Breitenlinie zum\n"
    "  südlichen, eine Längenlinie zum östlichen Feld (die Halbierenden der Quadranten im\n"
    "  Blatt gehen nach Süden und Westen); EEA-, UTM- und MGRS-Zellen enthalten ihre Süd-\n"
    "  und Westlinie (12° O liegt in Zone 33, 48° N im Band U). Die Quadrantenziffer eines\n"
    "  Minutenfelds ist der Quadrant, in dem das Feld liegt: auf dem Mittelmeridian des\n"
    "  Blattes der östliche, während der Quadrantencode dort nach Westen geht.\n"
    "  MTB und Minutenfelder liegen auf dem Potsdam-Datum, die übrigen auf ETRS89: Eingaben\n"
    "  im jeweils anderen Datum werden mit BETA2007 umgerechnet.\n"
    "\n"
    "Optionen:\n"
    "  --grid NAME         das Gitter der Codes (siehe oben; Vorgabe mtb)\n"
    "  --levels N          Quadrantenebenen 0 bis 5 (0 = nur das Blatt; Vorgabe 5)\n"
    "  --precision LÄNGE   MTB: die tiefste Ebene, deren Zellen nicht kleiner sind (250m: Ebene\n"
    "                      5, 1km: Ebene 3); MGRS: 1m, 10m, 100m oder 1km (Vorgabe 1m);\n"
    "                      --dwc: Datensätze auf diese Zellen verallgemeinern\n"
    "  --zone N            UTM/MGRS in Zone N rechnen statt in der Zone des Punktes\n"
    "  --long-form         EEA-Codes lang: CRS3035RES10000mN3210000E4320000\n"
    "  --notation FORM     slash 5818/3/3/2/1/1 (Vorgabe), compact 5818/33211, dot 5818.33211\n"
    "  --batch [DATEI...]  je Zeile ein Punkt (ohne DATEI: Standardeingabe); jede Zeile wird mit\n"
    "                      dem Code als neuer, durch TAB getrennter Spalte ausgegeben. Spalten\n"
    "                      dürfen durch TAB, Semikolon, Komma oder Leerzeichen getrennt sein;\n"
    "                      Spalten ohne Ziffern (Namen) werden übergangen, eine Spalte mit Ziffern,\n"
    "                      die keine Zahl ist, lehnt die Zeile ab; eine Kopfzeile ohne\n"
    "                      Ziffern erhält die Spalte \"MTB\". Fehlerhafte Zeilen werden mit\n"
    "                      Zeilennummer auf der Standardfehlerausgabe gemeldet und erhalten\n"
    "                      einen leeren Code.\n"
    "                      Eine Kopfzeile mit Spalten wie lat/lon, Breite/Länge, y/x oder\n"
    "                      decimalLatitude/decimalLongitude macht die Liste zur Tabelle: nur diese\n"
    "                      Spalten zählen, CSV-Anführungszeichen werden gelesen, und der Code wird\n"
    "                      mit dem Trennzeichen der Tabelle angehängt. Dateien der Fundorte werden\n"
    "                      an ihrer Kopfzeile erkannt und aus ihren Koordinatenfeldern berechnet.\n"
    "  --columns B,L       die Spalten der Breite und der Länge, als Titel oder Nummer (ab 1)\n"
    "  --cell CODE         Ränder und Mitte der Zelle eines Codes (Blattnummer vierstellig);\n"
    "                      EEA-, UTM- und MGRS-Codes werden an ihrer Form erkannt und mit\n"
    "                      Ecken und Mitte in ETRS89 gezeigt; Minutenfelder mit --grid minutenfeld\n"
    "  --datum NAME        Bezugssystem der Eingabe: auto (Vorgabe), potsdam, etrs89 oder wgs84.\n"
    "                      auto: Angaben mit Dezimalstellen (Dezimalgrad, Dezimalminuten, Sekunden\n"
    "                      mit Nachkommastellen) sind WGS84/ETRS89, wie GPS-Geräte und Webkarten sie\n"
    "                      zeigen; ganze Grad, Minuten und Sekunden (von der Karte abgelesen) und\n"
    "                      Datensätze der Dateien der Fundorte sind Potsdam (DHDN), wie im Fenster.\n"
    "                      Umgerechnet wird mit dem amtlichen Gitter BETA2007, ohne Ausweichen auf\n"
    "                      gröbere Verfahren; --verbose und die Kopfzeile von --batch nennen das Datum\n"
    "  --verbose           zu einem Punkt auch Datum, Umrechnung und Koordinaten zeigen\n"
    "  --geojson [DATEI...] Dateien der Fundorte als GeoJSON (WGS84) ausgeben (ohne DATEI oder mit -:\n"
    "                      Standardeingabe); --datum nennt das Bezugssystem der Dateien (auto:\n"
    "                      Potsdam, wie Quadrix sie schreibt); mit --cells\n"
    "                      statt der Punkte die Quadrantenzellen als Flächen (je Ausgabe eine Art\n"
    "                      von Geometrie, wie Shapefiles sie verlangen)\n"
    "  --svg CODE|PUNKT    Bild des Blattes mit den Quadranten bis zur Ebene des Codes als SVG\n"
    "  --raster            Gitter als GeoJSON-Flächen mit dem Code als Eigenschaft \"code\"\n"
    "                      (mtb mit --levels, minutenfeld oder ein EEA-Gitter): zu einer --bbox\n"
    "                      S,W,N,O (Dezimalgrad, mit auto WGS84), zu Codes (5818 5819 mit\n"
    "                      --levels 1: die 8 Quadranten) oder ohne beides zum Blattbereich\n"
    "                      Deutschlands (Zeilen 9 bis 87, Spalten 1 bis 56). In WGS84, jede Ecke\n"
    "                      mit BETA2007 umgerechnet, die Kanten mit Zwischenpunkten\n"
    "  --untransformed     mit --raster: MTB auf Potsdam (EPSG:4314), EEA in EPSG:3035\n"
    "  --dwc [DATEI...]    Dateien der Fundorte und Tabellen als Darwin-Core-Tabelle (CSV, UTF-8):\n"
    "                      locality, verbatim*, decimalLatitude/-Longitude (WGS84),\n"
    "                      coordinateUncertaintyInMeters, bei Zellen footprintWKT, und der Code in\n"
    "                      der Spalte mtbQuadrant\n"
    "  --help              diese Hilfe\n"
    "  --version           Version\n"
    "\n"
    "Optionen mit Wert auch als --option=WERT; -- beendet die Optionen. Die deutschen Namen\n"
    "früherer Versionen gelten weiter: --gitter, --genauigkeit, --spalten, --langform,\n"
    "--untransformiert.\n"
    "Zeilen dürfen mit LF, CR LF oder CR enden; Zeilen über 1 MiB werden abgelehnt.\n"
    "Punkte und Codes außerhalb der Blattzeilen und -spalten 1 bis 99 werden abgelehnt.\n"
    "Dezimalgrad werden mit Punkt ausgegeben.\n"
    "Rückgabewert: 0 alles gut, 1 Eingaben abgelehnt oder Lese-/Schreibfehler, 2 falscher Aufruf.\n";

}  // namespace mtbq
