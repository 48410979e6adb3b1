// mtbq: map sheet (MTB) and quadrants on the command line, for single
// points, whole lists and the way back from a code to its cell; the same
// for minute fields, the EEA grid, UTM and MGRS; grid layers and Darwin Core.
#pragma once

namespace mtbq {

// One run with the program's arguments: prints its output and messages,
// returns the exit status (0, 1 for refused input, 2 for wrong usage).
// Standard output is flushed and checked by the caller.
int lauf(int argc, char* argv[]);

}  // namespace mtbq
