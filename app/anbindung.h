// What the main window is handed beyond the platform: where GPS positions
// go to the Potsdam datum, and how the map window is made. The program
// leaves both empty (the official BETA2007 grid; the map module beside the
// program, loaded when the map is first opened); tests set them.
#pragma once

#include "map/kartenfenster.h"

class Bezugssystem;

struct Anbindung {
    Bezugssystem* bezugssystem = nullptr;
    KartenFabrik karte = nullptr;
};
