// The map window beside the main window: opened by "Karte", and kept on
// the point of the six boxes.
#include "app/bezugssystem.h"
#include "app/frmQuadrix.h"
#include "common/vardekl.h"
#include "map/kartenfenster.h"
#include "orte/orte.h"
#include "datum/datum.h"
#include "grid/mtb.h"
#include "position/punkt.h"
#include "platform/gui/textfeld.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QScreen>
#include <QStandardPaths>

namespace {

// The map module: beside the program (on Windows, and in the build), or in
// the program's own folder of libraries (Linux). Loaded once, kept loaded.
KartenFabrik kartenmodulLaden(QString& fehler)
{
    const QString programm = QCoreApplication::applicationDirPath();
    for (const QString& ordner : {programm, QDir(programm).filePath(QStringLiteral(QUADRIX_KARTE_ORDNER))}) {
        const QString datei = QDir(ordner).filePath(QStringLiteral(QUADRIX_KARTE_DATEI));
        if (!QFileInfo::exists(datei))
            continue;
        QLibrary modul(datei);
        if (auto fabrik = reinterpret_cast<KartenFabrik>(modul.resolve(QUADRIX_KARTEN_FABRIK)))
            return fabrik;
        fehler = modul.errorString();
        return nullptr;
    }
    fehler = QStringLiteral("%1 fehlt neben dem Programm.").arg(QStringLiteral(QUADRIX_KARTE_DATEI));
    return nullptr;
}

}  // namespace

void frmQuadrix::cmdKarte_Click()
{
    if (!karte()) {
        if (!anbindung.karte) {
            QString fehler;
            anbindung.karte = kartenmodulLaden(fehler);
            if (!anbindung.karte)
                return static_cast<void>(m_plattform.meldungen.zeige(
                    this, QStringLiteral("Die Karte lässt sich nicht laden: %1\n\nQuadrix neu zu installieren stellt "
                                   "sie wieder her; alles andere arbeitet ohne sie.")
                        .arg(fehler),
                    Meldungen::Knoepfe::OK, true));
        }
        std::string fehler;
        const quadrix::Transformation* beta = bezugssystem().etrs89NachPotsdam(fehler);
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/kacheln");
        m_karte = anbindung.karte(beta, QString::fromStdString(fehler), cache);
        m_kartenfenster = m_karte->fenster();
        m_kartenfenster->setAttribute(Qt::WA_DeleteOnClose);
        m_kartenfenster->setWindowIcon(windowIcon());
        m_karte->beiKlick([this](double breite, double laenge) { positionVonKarte(breite, laenge); });
        m_karte->setzePunktziel({[this](const QString& position) { punktInFelder(position); },
                                 [this](const std::vector<Fundortwunsch>& w) { return punkteSpeichern(w); },
                                 [] { return Vardekl::gDatei == Vardekl::KeineDatei ? QString() : Vardekl::gDatei; }});
        if (Vardekl::gDatei != Vardekl::KeineDatei)
            m_karte->setzeFundortdatei(Vardekl::gDatei);
        karteDaneben();
    }
    karteNachfuehren();
    m_kartenfenster->show();
    m_kartenfenster->raise();
    m_kartenfenster->activateWindow();
}

void frmQuadrix::cmdFunde_Click()
{
    if (Vardekl::gDatei == Vardekl::KeineDatei) {
        m_plattform.meldungen.zeige(this, QStringLiteral("Wählen Sie erst eine Datei der Fundorte (oder legen Sie "
                                                         "mit „Neue Datei“ eine an): „Funde“ zeigt ihre Datensätze."));
        return;
    }
    cmdKarte_Click();
    if (KartenFenster* k = karte())
        k->zeigeFunde(Vardekl::gDatei, m_plattform.meldungen);
}

// The map opens beside the main window, not over it: to its right where the
// screen has room, else to its left, else at the screen's right edge.
void frmQuadrix::karteDaneben()
{
    const QScreen* bildschirm = screen();
    if (!bildschirm)
        return;
    const QRect frei = bildschirm->availableGeometry();
    const QRect haupt = frameGeometry();
    QSize groesse = m_kartenfenster->size().boundedTo(frei.size() - QSize(16, 48));
    m_kartenfenster->resize(groesse);
    const int rand = 8, rahmen = m_kartenfenster->frameGeometry().width() - m_kartenfenster->width();
    const int breite = groesse.width() + rahmen;
    int x = haupt.right() + rand;
    if (x + breite > frei.right())
        x = haupt.left() - rand - breite >= frei.left() ? haupt.left() - rand - breite : frei.right() - breite;
    const int y = std::clamp(haupt.top(), frei.top(), std::max(frei.top(), frei.bottom() - groesse.height() - 40));
    m_kartenfenster->move(std::max(x, frei.left()), y);
}

void frmQuadrix::karteNachfuehren()
{
    if (!karte())
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
    gpsPositionEintragen({quadrix::winkelAusGrad(breite), quadrix::winkelAusGrad(laenge)});
}

void frmQuadrix::punktInFelder(const QString& position)
{
    quadrix::Punkt p;
    if (!karte())
        return;
    if (quadrix::lesePunkt(position.toStdString(), p) != quadrix::Fehler::Keine)
        return m_karte->melde(QStringLiteral("„%1“ ist keine Position in Deutschland.").arg(position));
    gpsPositionEintragen(p);
}

void frmQuadrix::gpsPositionEintragen(const quadrix::Punkt& p)
{
    if (!karte())
        return;
    if (!txtGradN->isEnabled())
        return m_karte->melde(QStringLiteral("Erst eine Datei der Fundorte wählen: dann übernimmt ein Klick in die "
                                             "Karte die Position in die sechs Felder."));
    // As a pasted GPS position: BETA2007 to the grid's Potsdam datum, whole seconds.
    std::string fehler;
    const quadrix::Transformation* t = bezugssystem().etrs89NachPotsdam(fehler);
    quadrix::Lage lage;
    if (!t)
        return m_karte->melde(QStringLiteral("Ohne BETA2007 wird keine Position übernommen: %1")
                                  .arg(QString::fromStdString(fehler)));
    if (quadrix::verorte(p, quadrix::Datum::Wgs84, t, quadrix::AufPotsdam, lage) != quadrix::Umrechnungsfehler::Keine)
        return m_karte->melde(QStringLiteral("Dort gilt BETA2007 nicht: die Position wurde nicht übernommen."));
    const QString eingetragen =
        ganzeSekundenEintragen(quadrix::ganzeSekunden(lage.potsdam->breite), quadrix::ganzeSekunden(lage.potsdam->laenge));
    m_karte->melde(QStringLiteral("Übernommen: %1 (Potsdam, mit BETA2007 aus WGS84, auf ganze Sekunden gerundet), "
                                  "%2. Weiter mit „MTB berechnen“.")
                       .arg(eingetragen, QString::fromStdString(orte::beschreibung(quadrix::grad(p.breite),
                                                                                   quadrix::grad(p.laenge)))));
}
