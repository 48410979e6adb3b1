// What a command-line tool needs of its platform: arguments in UTF-8,
// standard streams that pass bytes through unchanged, files opened by
// UTF-8 names. One implementation per platform (konsole_posix.cpp,
// konsole_windows.cpp); standard library only in the interface.
#pragma once

#include <cstdio>
#include <filesystem>

namespace konsole {

// Call first in main. Afterwards argv holds the arguments in UTF-8 (on
// Windows read again from the wide command line, so "N50°07′" arrives as
// typed) and the standard streams are binary (no CR added before LF).
void einrichten(int& argc, char**& argv);

// fopen for a file name in UTF-8.
std::FILE* oeffne(const char* name, const char* modus);

// The folder the running program lies in, where a Windows package keeps the
// data it ships (the BETA2007 grid); empty where the system has its own
// place for such data (Linux).
std::filesystem::path programmOrdner();

}  // namespace konsole
