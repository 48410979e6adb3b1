// On POSIX systems arguments and names are bytes already, and streams binary.
#include "platform/konsole.h"

#include <unistd.h>

namespace konsole {

void einrichten(int&, char**&) {}

void beenden() {}

bool aufBildschirm(std::FILE* strom) { return isatty(fileno(strom)) == 1; }

std::FILE* oeffne(const char* name, const char* modus) { return std::fopen(name, modus); }

// Debian's proj-data puts the grid where PROJ keeps its grids.
std::filesystem::path programmOrdner() { return {}; }

}  // namespace konsole
