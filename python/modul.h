// What the module's two halves share: the form for mtbq's options, and the
// registration of the functions of cells and positions (zellen.cpp).
#pragma once

#include "reihen/reihen.h"

#include <pybind11/pybind11.h>

namespace quadrix::python {

// The form for a choice, with the BETA2007 grid of the process; ValueError
// with mtbq's sentence where the choice is refused.
Ausgabeform formVon(const reihen::Wahl& w);

// read, cell, outline and grid_cells.
void zellenAnmelden(pybind11::module_& m);

}  // namespace quadrix::python
