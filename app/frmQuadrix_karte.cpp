// The map window beside the main window: opened by "Karte", and kept on
// the point of the six boxes.
#include "app/bezugssystem.h"
#include "app/frmQuadrix.h"
#include "common/vardekl.h"
#include "map/frmKarte.h"
#include "datum/datum.h"
#include "grid/mtb.h"
#include "position/punkt.h"
#include "platform/gui/textfeld.h"

#include <QStandardPaths>

void frmQuadrix::cmdKarte_Click()
{
    if (!m_karte) {
        std::string fehler;
        const quadrix::Transformation* beta = bezugssystem().etrs89NachPotsdam(fehler);
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/kacheln");
        m_karte = new frmKarte(beta, QString::fromStdString(fehler), cache);
        m_karte->setAttribute(Qt::WA_DeleteOnClose);
        m_karte->setWindowIcon(windowIcon());
        connect(m_karte, &frmKarte::positionGewaehlt, this, &frmQuadrix::positionVonKarte);
        if (Vardekl::gDatei != Vardekl::KeineDatei)
            m_karte->setzeFundortdatei(Vardekl::gDatei);
    }
    karteNachfuehren();
    m_karte->show();
    m_karte->raise();
    m_karte->activateWindow();
}

void frmQuadrix::karteNachfuehren()
{
    if (!m_karte)
        return;
    const mtb::Achse nord = mtb::achse(txtGradN->text().toStdString(), txtMinN->text().toStdString(),
                                       txtSekN->text().toStdString(), mtb::Feld::GradN);
    const mtb::Achse ost = mtb::achse(txtGradO->text().toStdString(), txtMinO->text().toStdString(),
                                      txtSekO->text().toStdString(), mtb::Feld::GradO);
    if (nord.minuten && ost.minuten)
        m_karte->zeigePotsdam(*nord.minuten / 60, *ost.minuten / 60);
}

void frmQuadrix::positionVonKarte(double breite, double laenge)
{
    if (!m_karte)
        return;
    if (!txtGradN->isEnabled())
        return m_karte->melde(QStringLiteral("Erst eine Datei der Fundorte wählen: dann übernimmt ein Klick in die "
                                             "Karte die Position in die sechs Felder."));
    // As a pasted GPS position: BETA2007 to the grid's Potsdam datum, whole seconds.
    std::string fehler;
    const quadrix::Transformation* t = bezugssystem().etrs89NachPotsdam(fehler);
    const quadrix::Punkt p{quadrix::winkelAusGrad(breite), quadrix::winkelAusGrad(laenge)};
    quadrix::Lage lage;
    if (!t)
        return m_karte->melde(QStringLiteral("Ohne BETA2007 wird keine Position übernommen: %1")
                                  .arg(QString::fromStdString(fehler)));
    if (quadrix::verorte(p, quadrix::Datum::Wgs84, t, quadrix::AufPotsdam, lage) != quadrix::Fehler::Keine)
        return m_karte->melde(QStringLiteral("Dort gilt BETA2007 nicht: die Position wurde nicht übernommen."));
    const QString eingetragen =
        ganzeSekundenEintragen(quadrix::ganzeSekunden(lage.potsdam->breite), quadrix::ganzeSekunden(lage.potsdam->laenge));
    m_karte->melde(QStringLiteral("Übernommen: %1 (Potsdam, mit BETA2007 aus WGS84, auf ganze Sekunden gerundet). "
                                  "Weiter mit „MTB berechnen“.")
                       .arg(eingetragen));
}
