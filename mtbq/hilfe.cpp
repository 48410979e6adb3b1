// The help of mtbq (--help, -h, /?): the usage and the grids, the option list
// from the table of options, the general rules.
#include "mtbq/hilfe.h"

#include "mtbq/optionen.h"

namespace {

const char* const Anfang =
    "Aufruf: mtbq [OPTIONEN] KOORDINATEN\n"
    "        mtbq [OPTIONEN] --batch [DATEI...]\n"
    "        mtbq [--grid NAME] --cell CODE\n"
    "        mtbq [OPTIONEN] --raster [--bbox S,W,N,O | CODE...]\n"
    "        mtbq [OPTIONEN] --dwc [DATEI...]\n"
    "\n"
    "Bestimmt das Blatt der Topographischen Karte 1:25000 (MTB) mit Quadranten, oder\n"
    "die Zelle eines anderen Gitters.\n"
    "\n"
    "Koordinaten, nördliche Breite vor östlicher Länge:\n"
    "  50 07 20 8 41 30            Grad, Minuten, Sekunden\n"
    "  50 7.3333 8 41.5            Grad und Dezimalminuten (GPS)\n"
    "  50.12222 8.69167            Dezimalgrad, auch mit Komma: 50,12222 8,69167\n"
    "  50°07'20\"N 8°41'30\"E        N50°07.333' E8°41.500'\n"
    "  R 3478544 H 5549792         Gauß-Krüger (Potsdam-Datum), auch 3478544 5549792\n"
    "  32U 478544 5549792          UTM; 32UMA 78544 49792 MGRS (ETRS89, jede\n"
    "                              Genauigkeit): ein Quadrat, sein MTB-Code der\n"
    "                              seiner Mitte, gekürzt auf die tiefste Ebene,\n"
    "                              deren Zelle es ganz enthält (über ein Blatt\n"
    "                              hinaus: 5818*)\n"
    "  geo:50.12222,8.69167        Links mit einer Position: geo:, Adressen von\n"
    "                              Web-Karten mit @B,L, q=B,L oder #map=Z/B/L\n"
    "                              (Dezimalgrad; nichts wird abgerufen)\n"
    "  Punkte südlich des Äquators oder westlich von Greenwich werden abgelehnt.\n"
    "\n"
    "Gitter (--grid NAME):\n"
    "  mtb          5818/3/3/2/1/1      Blatt und Quadranten, Potsdam-Datum\n"
    "                                   (Vorgabe)\n"
    "  minutenfeld  5818/324            Minutenfeld 1' x 1' in der Schreibweise\n"
    "                                   rrcc/Qyx: Blatt, Quadrant, Zeile 1-3 von\n"
    "                                   Norden und Spalte 1-5 von Westen im\n"
    "                                   Quadranten (15 Felder je Quadrant)\n"
    "  eea100m, eea1km, eea10km, eea100km\n"
    "               10kmE432N321        EEA-Referenzgitter (ETRS89-LAEA, EPSG:3035):\n"
    "                                   Größe, Ost- und Nordwert der Südwestecke\n"
    "                                   durch die Größe\n"
    "  utm          32U 412345 5567890  ETRS89/UTM (EPSG:25832, 25833): Zone und\n"
    "                                   Band, Ost- und Nordwert in ganzen Metern\n"
    "                                   (abgeschnitten)\n"
    "  mgrs         32UMA 12345 67890   MGRS (UTMREF): Zone, Band, 100-km-Quadrat,\n"
    "                                   Ziffern\n"
    "  gk           R 3478544 H 5549792\n"
    "                                   Gauß-Krüger (DHDN, EPSG:31466 bis 31469):\n"
    "                                   Rechtswert mit der Zone 2 bis 5 vorn,\n"
    "                                   Hochwert, ganze Meter\n"
    "  Punkte auf Linien: bei Blättern und Minutenfeldern gehört eine Breitenlinie\n"
    "  zum südlichen, eine Längenlinie zum östlichen Feld (die Halbierenden der\n"
    "  Quadranten im Blatt gehen nach Süden und Westen); EEA-, UTM-, MGRS- und\n"
    "  Gauß-Krüger-Zellen enthalten ihre Süd- und Westlinie (12° O liegt in Zone 33,\n"
    "  48° N im Band U, 7,5° O in GK-Zone 3).\n"
    "  Die Quadrantenziffer eines Minutenfelds ist der Quadrant, in dem das Feld\n"
    "  liegt: auf dem Mittelmeridian des Blattes der östliche, während der\n"
    "  Quadrantencode dort nach Westen geht. MTB, Minutenfelder und Gauß-Krüger\n"
    "  liegen auf dem Potsdam-Datum, die übrigen auf ETRS89: Eingaben im jeweils\n"
    "  anderen Datum werden mit BETA2007 umgerechnet.\n"
    "\n"
    "Optionen:\n";

const char* const Hinweise =
    "Zeilen dürfen mit LF, CR LF oder CR enden; Zeilen über 1 MiB werden abgelehnt.\n"
    "Punkte und Codes außerhalb der Blattzeilen und -spalten 1 bis 99 werden\n"
    "abgelehnt.\n"
    "Dezimalgrad werden mit Punkt ausgegeben.\n"
    "Ausgaben in Dateien und Pipes sind UTF-8; ein Konsolenfenster unter Windows\n"
    "zeigt die Umlaute in jeder Codepage richtig.\n"
    "Rückgabewert: 0 alles gut, 1 Eingaben abgelehnt oder Lese-/Schreibfehler, 2\n"
    "falscher Aufruf.\n"
    "\n"
    "GPS-Dateien und Fotos:\n"
    "  mtbq --batch wegpunkte.gpx        die Wegpunkte eines GPS-Geräts\n"
    "  mtbq --batch karte.kmz            Ortsmarken einer Webkarte (auch .kml)\n"
    "  mtbq --batch punkte.geojson       Punkte einer App\n"
    "  mtbq --batch IMG_0412.HEIC fotos  Fotos mit Position (JPEG, HEIC), Ordner\n"
    "  mtbq --batch --track tag.gpx --timezone +02:00 kamera\n"
    "                                    Fotos ohne Position nach der Zeit auf die\n"
    "                                    Spur gelegt\n";


}  // namespace

std::string hilfe()
{
    return Anfang + mtbq::optionenHilfe() + "\n" + mtbq::aliasHilfe() + Hinweise;
}
