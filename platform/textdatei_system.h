// The few file calls that text-file output needs, one implementation per
// platform (textdatei_posix.cpp, textdatei_windows.cpp). Every call reports
// failures as an Ergebnis with the cause already sorted; none blocks for
// more than the few seconds that sperre() may wait.
#pragma once

#include "platform/textdatei.h"

#include <cstdint>

namespace textdatei::system {

using Handle = std::intptr_t;
constexpr Handle KeinHandle = -1;

enum class Art { Fehlt, Datei, Ordner, Anderes };

// What the path names now, following links; OrdnerFehlt and the like in e
// when even that cannot be told.
Art art(const std::filesystem::path& pfad, Ergebnis& e);

// An existing ordinary file, opened so that every write goes to its end,
// and locked against a correction (see sperre) until it is closed. A handle
// that turns out to be no ordinary file is closed again (KeineDatei).
Handle oeffneAnhaengen(const std::filesystem::path& pfad, Ergebnis& e);
// An existing file opened for reading, in a way that lets others write,
// rename and replace it meanwhile.
Handle oeffneLesen(const std::filesystem::path& pfad, Ergebnis& e);
// Everything from byte ab to the end, appended to aus.
Ergebnis liesAb(Handle h, long long ab, std::string& aus);
// A new file that must not exist yet, opened for writing.
Handle erzeuge(const std::filesystem::path& pfad, Ergebnis& e);
// A new file with a name of its own in the folder of pfad; its path in neu.
Handle erzeugeNeben(const std::filesystem::path& pfad, std::filesystem::path& neu, Ergebnis& e);

// Whether the existing file at pfad may be written, by opening it for
// writing (without changing it) and closing it again.
Ergebnis pruefeSchreibrecht(const std::filesystem::path& pfad);

// The file's last byte; false for an empty or unreadable file.
bool letztesByte(Handle h, char& c);
// Writes the bytes (at the end for an appending handle). geschrieben tells
// how many made it, also on failure; ende is the file's length right after.
Ergebnis schreibe(Handle h, std::string_view bytes, long long& geschrieben, long long& ende);
// Forces what was written to the disk.
Ergebnis sichere(Handle h);
void schliesse(Handle h);
// Takes the file's lock that appends and corrections share, held until the
// handle is closed: while a correction holds it, nobody of ours appends to
// the old file that it is replacing. Waits a few seconds at most
// (InBenutzung); where the file system has no locks, it is given at once.
Ergebnis sperre(Handle h);

// Cuts the file back to laenge, but only while it is still ende bytes long:
// what someone else appended after our write stays.
void kuerzeZurueck(const std::filesystem::path& pfad, long long ende, long long laenge);
void entferne(const std::filesystem::path& pfad);
// The permissions of the file at von, for the new file h.
void rechteUebernehmen(const std::filesystem::path& von, Handle h);
// Puts the file neu in place of alt in one step.
Ergebnis ersetzeDurch(const std::filesystem::path& neu, const std::filesystem::path& alt);

}  // namespace textdatei::system
