// Whole lists: one point per line in, the same line with its code as a new
// column out, joined with the table's own delimiter (TAB for free-form
// lines and find-location files). Memory stays the same however long the
// input.
#pragma once

#include "code.h"
#include "datum.h"
#include "tabelle.h"

#include <cstdio>
#include <string>

namespace mtbq {

struct Ausgabeform {
    int ebenen = 5;
    Notation notation = Notation::Schraeg;
    Datum datum = Datum::Potsdam;
    const Transformation* transformation = nullptr;  // with a datum other than Potsdam
    Spaltenwahl spalten;  // --spalten; empty: found by the header's titles
};

// The title of the code column: "MTB [Potsdam (DHDN)]", "MTB [aus ETRS89]".
std::string spaltentitel(Datum d);

// Reads ein to its end, writes to aus, reports refused lines on fehler as
// "NAME:ZEILE: reason". Returns the number of refused lines, or -1 when
// reading or writing failed.
long stapel(std::FILE* ein, const char* name, std::FILE* aus, std::FILE* fehler, const Ausgabeform& form);

}  // namespace mtbq
