// The program's global state, alive for the whole run.
//
//   gLaufwerk  designation of the drive last chosen in the drive list ("/", "c:")
//   gPfad      the folder shown in the folder list, always ending in exactly one
//              native separator ("/", "/home/anna/funde/", "c:\daten\")
//   gDatei     full path of the current find-location file; " " (one blank)
//              until a file is chosen or created
#pragma once

#include <QString>

namespace Vardekl {

inline QString gLaufwerk;
inline QString gPfad;
inline QString gDatei;

// The single blank of gDatei that means "no file chosen yet".
inline const QString KeineDatei = QStringLiteral(" ");

// The root of the first drive, where the program starts.
QString ersterLaufwerk();
QString ersterPfad();

// Folder text as gPfad holds it: native separators, one at the end.
QString alsPfad(const QString& ordner);

}  // namespace Vardekl
