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
// On Windows, text for a console window is written with the console's
// wide-character API, so that umlauts show whatever the console's code
// page; files and pipes get UTF-8.
void einrichten(int& argc, char**& argv);

// Call last in main, after the final flush: hands the rest of the output to
// the console.
void beenden();

// Does the stream show on a screen: a console window (Windows), a terminal?
// There text is shown, not stored.
bool aufBildschirm(std::FILE* strom);

// fopen for a file name in UTF-8.
std::FILE* oeffne(const char* name, const char* modus);

// The folder the running program lies in, where a Windows package keeps the
// data it ships (the BETA2007 grid); empty where the system has its own
// place for such data (Linux).
std::filesystem::path programmOrdner();

}  // namespace konsole
