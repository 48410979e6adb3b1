// The platform services a window is handed: message boxes and the file
// system. The real program passes the real ones; tests pass recorders.
#pragma once

#include "platform/gui/dateisystem.h"
#include "platform/gui/meldungen.h"

struct Plattform {
    Meldungen& meldungen;
    Dateisystem& dateisystem;
};
