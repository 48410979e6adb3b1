// The platform services a window is handed: message boxes, the file
// system, the datum transformation and the map. The real program passes the real ones; tests pass recorders.
#pragma once

#include "platform/gui/dateisystem.h"
#include "platform/gui/meldungen.h"

class Bezugssystem;
class KartenFenster;
class QString;
namespace quadrix {
class Transformation;
}

struct Plattform {
    Meldungen& meldungen;
    Dateisystem& dateisystem;
    // GPS positions to the Potsdam datum; nullptr: the official BETA2007 grid.
    Bezugssystem* bezugssystem = nullptr;
    // Makes the map window; nullptr: the map module beside the program,
    // loaded when the map is first opened.
    KartenFenster* (*karte)(const quadrix::Transformation* beta, const QString& betaFehler,
                            const QString& cacheOrdner) = nullptr;
};
