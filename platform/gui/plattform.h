// The platform services a window is handed: message boxes, the file
// system and the datum transformation. The real program passes the real ones; tests pass recorders.
#pragma once

#include "platform/gui/dateisystem.h"
#include "platform/gui/meldungen.h"

class Bezugssystem;

struct Plattform {
    Meldungen& meldungen;
    Dateisystem& dateisystem;
    // GPS positions to the Potsdam datum; nullptr: the official BETA2007 grid.
    Bezugssystem* bezugssystem = nullptr;
};
