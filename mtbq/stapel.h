// Whole lists: one point per line in, the same line with its code as a new
// TAB-separated column out. Memory stays the same however long the input.
#pragma once

#include "code.h"

#include <cstdio>

namespace mtbq {

struct Ausgabeform {
    int ebenen = 5;
    Notation notation = Notation::Schraeg;
};

// Reads ein to its end, writes to aus, reports refused lines on fehler as
// "NAME:ZEILE: reason". Returns the number of refused lines, or -1 when
// reading or writing failed.
long stapel(std::FILE* ein, const char* name, std::FILE* aus, std::FILE* fehler, const Ausgabeform& form);

}  // namespace mtbq
