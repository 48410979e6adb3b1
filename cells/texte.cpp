#include "cells/texte.h"

#include "datum/datum.h"
#include "position/texte.h"

namespace quadrix {

const char* text(const Umrissfehler& f)
{
    using A = Umrissfehler::Art;
    switch (f.art) {
    case A::Keine: return "";
    case A::KeinCode: return "kein Code angegeben";
    case A::Mtb: return text(f.code);
    case A::MinutenfeldForm:
        return "Form nicht erkannt (erwartet ein Minutenfeld wie 5818/324: Blatt, Quadrant, Zeile 1 bis 3, "
               "Spalte 1 bis 5)";
    case A::MinutenfeldZiffern: return "Form nicht erkannt (erwartet ein Minutenfeld wie 5818/324)";
    case A::MinutenfeldWerte: return "Quadrant 1 bis 4, Zeile 1 bis 3, Spalte 1 bis 5 im Quadranten";
    case A::Eea: return "kein Code des EEA-Gitters (erwartet z. B. 10kmE432N321 oder CRS3035RES10000mN3210000E4320000)";
    case A::EeaGroesse: return "die Zellgröße des Codes passt nicht zu --gitter";
    case A::GkForm:
        return "keine Gauß-Krüger-Koordinate (erwartet z. B. R 3478544 H 5549792: Rechtswert mit der Zone 2 bis 5 "
               "vorn, Hochwert, je sieben Ziffern)";
    case A::GkWerte:
        return "kein Gauß-Krüger-Wert Deutschlands: der Rechtswert beginnt mit der Zone 2 bis 5 und liegt "
               "höchstens 400 km von ihrem Mittelmeridian (x100000 bis x900000), der Hochwert liegt zwischen "
               "5000000 und 6500000";
    case A::GkMehrdeutig:
        return "Rechtswert und Hochwert sind nicht zu unterscheiden: jede der beiden Zahlen kann der "
               "Rechtswert sein; schreiben Sie R und H davor (z. B. R 5450000 H 5700000)";
    case A::Utm:
        return "keine UTM-Koordinate (erwartet z. B. 32U 412345 5567890; das Band muss zur Nordkoordinate passen)";
    case A::UtmStellen:
        return "keine UTM-Koordinate (erwartet z. B. 32U 478544 5549792: Zone, Band, sechsstelliger Ostwert, "
               "siebenstelliger Nordwert)";
    case A::Mgrs:
        return "keine MGRS-Angabe (erwartet z. B. 32UMA 12345 67890, gleich viele Ziffern für Ost und Nord, "
               "Buchstaben passend zur Zone und zum Band)";
    case A::KeinePosition: return "ein Code eines Zellgitters, keine Position";
    }
    return "";
}

const char* text(const Zellfehler& f)
{
    using A = Zellfehler::Art;
    switch (f.art) {
    case A::Keine: return "";
    case A::Position: return text(f.position);
    case A::Umrechnung: return text(f.umrechnung);
    case A::AusserhalbUtm:
        return "Punkt nördlich von 84° N, wo UTM endet, oder mehr als 12° vom Mittelmeridian der verlangten Zone";
    case A::AusserhalbEea: return "Punkt westlich oder südlich des Ursprungs des EEA-Gitters";
    case A::AusserhalbMgrs: return "Punkt außerhalb der 100-km-Spalten der verlangten Zone: keine MGRS-Bezeichnung";
    case A::AusserhalbGk:
        return "Punkt außerhalb der Gauß-Krüger-Zonen 2 bis 5 (4,5° bis 16,5° O) oder mehr als 4,5° vom "
               "Mittelmeridian der verlangten Zone";
    }
    return "";
}

}  // namespace quadrix
