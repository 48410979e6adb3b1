// Quadrix: map sheet (MTB) and quadrant of a find location, saved to
// find-location files.
#include "app/frmQuadrix.h"
#include "platform/gui/dateisystem.h"
#include "platform/gui/fensterplatz.h"
#include "platform/gui/meldungen.h"
#include "platform/gui/startmessung.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    plattform::prozessEinrichten();
    QApplication app(argc, argv);
    plattform::zeichensatzEinrichten();
    QApplication::setApplicationName(QStringLiteral("Quadrix"));

    // The user interface is German throughout, standard dialogs included.
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    EchtesDateisystem dateisystem;
    QtMeldungen meldungen;
    Plattform plattform{meldungen, dateisystem};

    frmQuadrix fenster(plattform);
    // A second copy opens a step right and down of the first, as new windows do.
    const Fensterplatz platz(QDir::tempPath());
    fenster.move(fenster.pos() + platz.versatz());
    fenster.show();
    startmessung::beiErstemBild(fenster);
    // Files handed over on the command line (dropped on the program's icon,
    // "Öffnen mit"): GPS files and photos go to the map's list of points.
    QStringList dateien = QApplication::arguments().mid(1);
    dateien.removeIf([](const QString& d) { return d.startsWith(u'-') || !QFileInfo::exists(d); });
    if (!dateien.isEmpty())
        fenster.punkteEinlesen(dateien);
    return QApplication::exec();
}
