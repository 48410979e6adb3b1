// The failure messages of the window's file side (drive, folder and file
// choice, a new file, saving a record), in one place; the paste, the map
// and the datum transformation say theirs where they arise, from the
// library's code-keyed texts. The core reports codes; these turn them into
// German text. Failures are shown with an exclamation
// icon and the title "Quadrix" unless a window has a title of its own.
#pragma once

#include "records/fundortformat.h"
#include "grid/mtb.h"
#include "platform/textdatei.h"

#include <QString>

class Meldungen;
class QWidget;

namespace Fehlertexte {

// "Grad (Nord)", "Sekunden (Ost)" ...
QString feldname(mtb::Feld feld);

// The path in native spelling, its middle elided when it is too long for one line.
QString kurzerPfad(const QString& pfad);

QString berechnung(const mtb::Fehler& f, const QString& text);
QString ordner(const QString& pfad);
QString laufwerk(const QString& eintrag);
QString speichern(const textdatei::Ergebnis& e, const QString& datei);
// "MTB berechnen" while the boxes still wait for a file.
QString keineDateiGewaehlt();
// ersetzen: the file existed and the user agreed to replace it.
QString neueDatei(const textdatei::Ergebnis& e, const QString& datei, bool ersetzen);
QString steuerzeichen(fundort::Feld feld);

// The central handler: shows the message and lets the program go on.
void zeige(Meldungen& m, QWidget* eltern, const QString& text, const QString& titel = QStringLiteral("Quadrix"));

}  // namespace Fehlertexte
