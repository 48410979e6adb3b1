#include "position/texte.h"

namespace quadrix {

const char* text(Fehler f)
{
    switch (f) {
    case Fehler::Keine: return "";
    case Fehler::KeineZahl: return "keine Koordinaten gefunden";
    case Fehler::AnzahlZahlen:
        return "erwartet 2, 4 oder 6 Zahlen (Grad; Grad und Minuten; Grad, Minuten und Sekunden je Koordinate)";
    case Fehler::Form: return "Zeichen (°, ', \", N, E/O) passen nicht zu zwei Koordinaten";
    case Fehler::Nachkommastellen:
        return "Nachkommastellen nur im letzten Teil einer Koordinate (etwa 50 07.333, nicht 50.1 07)";
    case Fehler::ZuGross: return "Zahl zu groß";
    case Fehler::BereichNord: return "Breitengrad außerhalb von 0 bis 90 Grad";
    case Fehler::BereichOst: return "Längengrad außerhalb von 0 bis 360 Grad";
    case Fehler::BereichMinSek: return "Minuten oder Sekunden außerhalb von 0 bis 60";
    case Fehler::Sueden: return "Punkt südlich des Äquators: das Kartennetz gilt nur für nördliche Breiten";
    case Fehler::Westen: return "Punkt westlich von Greenwich: das Kartennetz gilt nur für östliche Längen";
    case Fehler::Spalte: return "eine Spalte mit Ziffern ist keine Zahl (etwa ein Zeichen direkt an der Zahl)";
    case Fehler::AusserhalbNetz:
        return "Punkt außerhalb des Netzes der Messtischblätter (Zeilen und Spalten 1 bis 99), wo die "
               "Blattnummer nicht mehr eindeutig ist";
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
        return "die Blattnummer ist nicht vierstellig und lässt sich nicht eindeutig als Blatt über Deutschland "
               "lesen: schreiben Sie Zeile und Spalte mit je zwei Ziffern (0916, 5202)";
    case CodeFehler::Ziffer: return "Quadrantenziffer außerhalb von 1 bis 4";
    case CodeFehler::ZuVieleEbenen: return "mehr als 5 Quadrantenebenen";
    case CodeFehler::Form: return "Form nicht erkannt (erwartet z. B. 5818/3/3/2, 5818/332 oder 5818.332)";
    }
    return "";
}

const char* text(VerweisFehler f)
{
    switch (f) {
    case VerweisFehler::Keine:
    case VerweisFehler::KeinVerweis: return "";
    case VerweisFehler::OhnePosition:
        return "der Link enthält keine Position (etwa ein Kurzlink oder ein Ort nur mit Namen); Quadrix ruft nichts "
               "aus dem Netz ab: öffnen Sie den Link und kopieren Sie die lange Adresse mit der Position oder die "
               "Koordinaten selbst";
    }
    return "";
}

}  // namespace quadrix
