// Text-file output for find-location files: bytes already encoded, written
// so that a reported success is on the disk and a failure leaves the file as
// it was.
//
// Standard library and the operating system's file calls only; the system
// calls live in textdatei_posix.cpp and textdatei_windows.cpp.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace textdatei {

enum class Ursache {
    Keine,
    KeinName,           // empty or blank path: no file chosen
    OrdnerFehlt,        // the folder does not exist (or a path part is no folder)
    KeineBerechtigung,  // the folder or the file may not be written
    Schreibgeschuetzt,  // read-only medium
    IstOrdner,          // the path names a folder
    KeineDatei,         // the path names something that is no ordinary file (device, pipe, socket)
    DatentraegerVoll,   // no space left, or the largest allowed file size reached
    NameZuLang,         // the path or one of its names is longer than the system allows
    UngueltigerName,    // a name the file system refuses
    InBenutzung,        // another program holds the file locked
    EinAusgabe,         // the medium failed (read or write error)
    Geaendert,          // the file is no longer what was read (another program wrote to it, or removed it)
    Anderes,            // anything else; see fehlernummer
};

struct Ergebnis {
    Ursache ursache = Ursache::Keine;
    int fehlernummer = 0;  // the system's error number (errno or GetLastError)
    explicit operator bool() const { return ursache == Ursache::Keine; }
};

// The cause of a C library error number (errno, on every platform).
Ergebnis ausErrno(int e);

// What a failure means, as one German sentence for the messages of both
// programs, on every platform alike. lesen: the failure came while reading
// (a missing file is then no missing folder).
//   {OrdnerFehlt} -> "Der Ordner existiert nicht (mehr)."
std::string satz(const Ergebnis& e, bool lesen = false);

// Appends the bytes at the end of the file, with one write in append mode
// (another program appending at the same time cannot interleave with it),
// and forces them to the disk. When the file is not empty and does not end
// in LF, CR LF (after a lone CR just LF) goes first, so the appended line
// starts a line of its own.
//   - A file that does not exist is created; if the attempt fails, the file
//     it created is removed again.
//   - Anything that is not an ordinary file (a pipe, a device) is refused
//     before it is opened for writing: KeineDatei. Nothing here ever blocks.
//   - On a failure after writing, exactly what this call added is cut off
//     again (and only while nobody has appended after it).
//   - While a correction (berichtigen) replaces the file, the append waits
//     for it, a few seconds at most (InBenutzung), and then goes to the
//     new file.
Ergebnis anhaengen(const std::filesystem::path& pfad, std::string_view zeile);

// Makes the file hold exactly these bytes. An existing file is replaced as
// a whole: the new content is written to a file beside it and put in its
// place by one rename, keeping the old file's permissions, so that a failure
// leaves the old file as it was. A file that did not exist is created; if
// that fails, nothing is left behind. An existing file that this process may
// not write (read-only, or without write permission) is never replaced,
// although the folder would let a new file take its place:
// KeineBerechtigung (Schreibgeschuetzt on a read-only medium).
Ergebnis ersetzen(const std::filesystem::path& pfad, std::string_view inhalt);

// A correction: the file that was read as gelesen is made to hold inhalt,
// as ersetzen() does, and only while it still holds exactly gelesen:
//   - Before anything is written the file is read again; if it changed
//     (another program appended a record, or removed it), nothing is
//     touched: Geaendert.
//   - The previous version goes to sicherung first (replacing an earlier
//     backup), then the new content to a file beside, which takes the
//     file's place in one step with the file's permissions. A failure at
//     any point leaves the file as it was.
//   - The last check and the rename happen under a lock that anhaengen()
//     takes too, so no append of ours is lost to the old file; what another
//     program appends in that moment without the lock lands in the old
//     file and is carried over to the end of the new one.
// The permissions are asked first: a file this process may not write is
// never replaced (KeineBerechtigung).
Ergebnis berichtigen(const std::filesystem::path& pfad, std::string_view gelesen, std::string_view inhalt,
                     const std::filesystem::path& sicherung);

// The whole content of a file, for reading it before a correction.
Ergebnis lies(const std::filesystem::path& pfad, std::string& inhalt);

}  // namespace textdatei
