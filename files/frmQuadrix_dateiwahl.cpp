// Drive, folder and file choice: the three lists keep gLaufwerk, gPfad and
// gDatei in step with what they show.
#include "dateisystem.h"
#include "fehlertexte.h"
#include "frmQuadrix.h"
#include "listen.h"
#include "vardekl.h"

#include <QDir>
#include <QPushButton>

using namespace Vardekl;

void frmQuadrix::drvLaufwerk_Change()
{
    const QString eintrag = drvLaufwerk->drive();
    const QString bezeichnung = Dateisystem::bezeichnungAus(eintrag);
    // The root of the drive; a root that already ends in a separator gets no second one.
    const QString wurzel = alsPfad(bezeichnung);
    gLaufwerk = bezeichnung;

    // A drive that cannot be found at all is reported like one that is not ready.
    if (m_plattform.dateisystem.laufwerkBereit(gLaufwerk) != Dateisystem::Bereitschaft::Bereit) {
        m_plattform.meldungen.zeige(this, Fehlertexte::laufwerk(eintrag), Meldungen::Knoepfe::OK, true);
        return;
    }
    if (!dirVerzeichnis->setPath(QDir::fromNativeSeparators(wurzel))) {
        ordnerNichtOeffenbar(wurzel);
        return;
    }
    filDatei->setPath(dirVerzeichnis->path());
    filDatei->setPattern(QStringLiteral("*.txt"));
}

void frmQuadrix::dirVerzeichnis_Change()
{
    gPfad = alsPfad(dirVerzeichnis->path());
    filDatei->setPath(dirVerzeichnis->path());
    filDatei->setPattern(QStringLiteral("*.txt"));
    cmdNeueDatei->setEnabled(true);
}

void frmQuadrix::filDatei_Click()
{
    const QString name = filDatei->fileName();
    if (name.isEmpty())
        return;
    gDatei = gPfad + name;
    eingabenFreigeben();
}

void frmQuadrix::ordnerNichtOeffenbar(const QString& pfad)
{
    Fehlertexte::zeige(m_plattform.meldungen, this, Fehlertexte::ordner(pfad));
}
