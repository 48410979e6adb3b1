// Text-file output for find-location files: bytes already encoded, written
// so that a reported success is on the disk and a failure leaves the file as
// it was.
//
// Standard library and the operating system's file calls only.
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
    DatentraegerVoll,   // no space left
    Anderes,            // anything else; see fehlernummer
};

struct Ergebnis {
    Ursache ursache = Ursache::Keine;
    int fehlernummer = 0;  // the system's error number, for Anderes
    explicit operator bool() const { return ursache == Ursache::Keine; }
};

// Appends the bytes with one write call and forces them to the disk. A file
// that does not exist is created empty first. When the file is not empty and
// does not end in LF, CR LF (after a lone CR just LF) goes first, so the appended line starts a line
// of its own. On any failure the file is cut back to its former length.
Ergebnis anhaengen(const std::filesystem::path& pfad, std::string_view zeile);

// Creates the file, or empties an existing one, and writes the bytes; forced
// to the disk like anhaengen.
Ergebnis ersetzen(const std::filesystem::path& pfad, std::string_view inhalt);

}  // namespace textdatei
