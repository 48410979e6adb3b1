// The cells of the sheet grid (or of minute fields) inside a box: for grid
// layers and for the map. Standard library only.
//
//   box 50°07'..50°11' N, 8°41'..8°49' E (minutes 3007, 521, 3011, 529) -> sheet 5818 only;
//   its level-1 cells: 5818/1, /2, /3, /4 in rows from the north.
#pragma once

#include "cells/umriss.h"

#include <functional>
#include <vector>

namespace quadrix {

// One sheet, or one of its cells: the first `ebenen` digits of the code.
struct Blattteil {
    mtb::Code code;
    int ebenen = 0;
};

// The sheets whose area touches a box (south, west, north, east in minutes
// of arc on the Potsdam datum), rows and columns within 1..99.
std::vector<Blattteil> blaetterIm(const double box[4]);

// The cells of a sheet part at level `ebene` of the sheet grid, or its
// minute fields (gitter Minutenfeld), that touch the box (nullptr: all), in
// rows from the north, each handed to weiter as its outline with its code
// written; returns false as soon as weiter does.
bool zellenIn(Gitter gitter, int ebene, const Blattteil& teil, const double* box,
              const std::function<bool(const Umriss&)>& f);

}  // namespace quadrix
