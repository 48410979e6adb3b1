// Whole lists: one point per line in, the same line with its code as a new
// column out (in the grid the form names), joined with the table's own delimiter (TAB for free-form
// lines and find-location files). Memory stays the same however long the
// input.
#pragma once

#include "cells/gitter.h"
#include "tables/tabelle.h"
#include "tables/zeilenleser.h"

#include <cstdio>
#include <string>

namespace quadrix {

// Reads ein to its end, writes to aus, reports each refused line. Returns
// the number of refused lines, or -1 when reading or writing failed.
// spalten: the latitude and longitude columns the user named; empty: by their titles.
// anzeige: aus shows on a screen (a console window, a terminal): the lines
// go out as UTF-8 text whatever the table's encoding (Windows-1252 and
// UTF-16 converted, no byte-order mark), instead of in the table's own.
long stapel(std::FILE* ein, std::FILE* aus, const Ausgabeform& form, const Spaltenwahl& spalten,
            const Melder& melde, bool anzeige = false);

}  // namespace quadrix
