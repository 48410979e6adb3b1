// Drive, folder and file choice: what a choice in the three lists means for
// the chosen drive, folder and file. The window's lists call these.
#pragma once

#include <QString>

#include <optional>

class Dateisystem;

namespace Dateiwahl {

// Find-location files, as the file list shows them.
inline const QString Muster = QStringLiteral("*.txt");

struct Laufwerk {
    QString bezeichnung;  // "C:", "/"
    QString wurzel;       // its root folder, ending in one separator
    std::optional<QString> fehler;  // why it cannot be used: missing or not ready
};
// An entry of the drive list ("C: [System]") as a drive to open.
Laufwerk laufwerk(const Dateisystem& dateisystem, const QString& eintrag);

// The file chosen in a folder: the folder's path (with its separator) and the name.
QString datei(const QString& ordner, const QString& name);

}  // namespace Dateiwahl
