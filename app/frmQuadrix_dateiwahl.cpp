// Drive, folder and file choice: the three lists keep gLaufwerk, gPfad and
// gDatei in step with what they show.
#include "app/frmQuadrix.h"

#include "common/vardekl.h"
#include "files/dateiwahl.h"
#include "files/fehlertexte.h"
#include "platform/gui/listen.h"

#include <QDir>
#include <QPushButton>

using namespace Vardekl;

void frmQuadrix::drvLaufwerk_Change()
{
    const Dateiwahl::Laufwerk laufwerk = Dateiwahl::laufwerk(m_plattform.dateisystem, drvLaufwerk->drive());
    gLaufwerk = laufwerk.bezeichnung;
    if (laufwerk.fehler) {
        m_plattform.meldungen.zeige(this, *laufwerk.fehler, Meldungen::Knoepfe::OK, true);
        return;
    }
    const QString& wurzel = laufwerk.wurzel;
    if (!dirVerzeichnis->setPath(QDir::fromNativeSeparators(wurzel))) {
        ordnerNichtOeffenbar(wurzel);
        return;
    }
    filDatei->setPath(dirVerzeichnis->path());
    filDatei->setPattern(Dateiwahl::Muster);
}

void frmQuadrix::dirVerzeichnis_Change()
{
    gPfad = alsPfad(dirVerzeichnis->path());
    filDatei->setPath(dirVerzeichnis->path(), dirVerzeichnis->nimmDateien());
    filDatei->setPattern(Dateiwahl::Muster);
    cmdNeueDatei->setEnabled(true);
}

void frmQuadrix::filDatei_Click()
{
    const QString name = filDatei->fileName();
    if (name.isEmpty())
        return;
    gDatei = Dateiwahl::datei(gPfad, name);
    eingabenFreigeben();
    if (KartenFenster* k = karte())
        k->setzeFundortdatei(gDatei);
}

void frmQuadrix::ordnerNichtOeffenbar(const QString& pfad)
{
    Fehlertexte::zeige(m_plattform.meldungen, this, Fehlertexte::ordner(pfad));
}
