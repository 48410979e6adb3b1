// The platform services a window is handed: message boxes and the file
// system. The real program passes the real ones; tests pass recorders.
#pragma once

#include "dateisystem.h"
#include "meldungen.h"

struct Plattform {
    Meldungen& meldungen;
    Dateisystem& dateisystem;
};
