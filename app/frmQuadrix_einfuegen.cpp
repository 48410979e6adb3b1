// A whole position pasted into any coordinate box fills all six boxes with
// whole degrees, minutes and seconds. Decimal degrees and decimal minutes
// are what GPS receivers and web maps give: WGS84/ETRS89, transformed to
// the Potsdam datum of the grid with BETA2007 and rounded to whole seconds.
// Whole degrees, minutes and seconds are read off a map: taken as they are.
// Anything else goes through the box's key filter as typed text does.
#include "bezugssystem.h"
#include "datum.h"
#include "frmQuadrix.h"
#include "punkt.h"
#include "textfeld.h"

#include <QString>

namespace {

struct Gms {
    QString grad, min, sek;
};

// Whole seconds as the boxes hold them: degrees plain, minutes and seconds with two digits.
Gms zerlegt(std::int64_t sekunden)
{
    return {QString::number(sekunden / 3600), QStringLiteral("%1").arg(sekunden / 60 % 60, 2, 10, QLatin1Char('0')),
            QStringLiteral("%1").arg(sekunden % 60, 2, 10, QLatin1Char('0'))};
}

QString lesbar(const Gms& n, const Gms& o)
{
    return QStringLiteral("%1° %2′ %3″ N, %4° %5′ %6″ O").arg(n.grad, n.min, n.sek, o.grad, o.min, o.sek);
}

QString formName(const mtbq::Lesart& l)
{
    const int teile = std::max(l.teile[0], l.teile[1]);
    if (teile == 1)
        return QStringLiteral("Dezimalgrad");
    if (teile == 2)
        return QStringLiteral("Grad und Dezimalminuten");
    return QStringLiteral("Grad, Minuten und Sekunden mit Dezimalstellen");
}

QString gelesen(const QString& text)
{
    QString t = text.simplified();
    return t.size() > 80 ? t.left(80) + QStringLiteral("…") : t;
}

}  // namespace

bool frmQuadrix::positionEinfuegen(const QString& text)
{
    mtbq::Punkt p;
    mtbq::Lesart lesart;
    if (mtbq::lesePunkt(text.toStdString(), p, &lesart) != mtbq::Fehler::Keine)
        return false;

    QString meldung;
    if (lesart.ganzeSekunden()) {
        const Gms n = zerlegt(mtbq::ganzeSekunden(p.breite)), o = zerlegt(mtbq::ganzeSekunden(p.laenge));
        meldung = QStringLiteral("Eingefügt: „%1“, eine Position in Grad, Minuten und Sekunden.\n\n"
                                 "Sie wurde als Koordinate im Potsdamer Datum (DHDN) des Kartennetzes übernommen, "
                                 "wie sie von einer Karte abgelesen wird, ohne Umrechnung: %2.")
                      .arg(gelesen(text), lesbar(n, o));
        positionEintragen(n.grad, n.min, n.sek, o.grad, o.min, o.sek);
    } else {
        std::string fehler;
        const mtbq::Transformation* t = bezugssystem().etrs89NachPotsdam(fehler);
        const QString was = QStringLiteral("Eingefügt: „%1“, eine GPS-Position in %2 (WGS84/ETRS89, wie "
                                           "GPS-Geräte und Webkarten sie angeben).\n\n")
                                .arg(gelesen(text), formName(lesart));
        if (!t) {
            meldung = was + QStringLiteral("Um sie in das Potsdamer Datum (DHDN) des Kartennetzes umzurechnen, braucht "
                                           "Quadrix das amtliche Transformationsgitter BETA2007, und das fehlt auf diesem "
                                           "Rechner (Debian-Paket proj-data). Es wurde nichts eingetragen.");
        } else if (mtbq::aufPotsdam(p, t) != mtbq::Fehler::Keine) {
            meldung = was + QStringLiteral("Sie liegt außerhalb des Gebiets, für das das Transformationsgitter BETA2007 "
                                           "gilt (Deutschland), und kann darum nicht in das Potsdamer Datum des "
                                           "Kartennetzes umgerechnet werden. Es wurde nichts eingetragen.");
        } else {
            const Gms n = zerlegt(mtbq::ganzeSekunden(p.breite)), o = zerlegt(mtbq::ganzeSekunden(p.laenge));
            meldung = was + QStringLiteral("Sie wurde mit dem amtlichen Gitter BETA2007 in das Potsdamer Datum (DHDN) "
                                           "des Kartennetzes umgerechnet und auf ganze Sekunden gerundet: %1.\n\n"
                                           "Diese Werte stehen jetzt in den sechs Feldern.")
                                .arg(lesbar(n, o));
            positionEintragen(n.grad, n.min, n.sek, o.grad, o.min, o.sek);
        }
    }
    m_plattform.meldungen.zeige(this, meldung, Meldungen::Knoepfe::OK, false);
    return true;
}

void frmQuadrix::positionEintragen(const QString& gradN, const QString& minN, const QString& sekN,
                                   const QString& gradO, const QString& minO, const QString& sekO)
{
    // Through setText, like any change: the save button goes off as after typing.
    txtGradN->setText(gradN);
    txtMinN->setText(minN);
    txtSekN->setText(sekN);
    txtGradO->setText(gradO);
    txtMinO->setText(minO);
    txtSekO->setText(sekO);
}

Bezugssystem& frmQuadrix::bezugssystem()
{
    return m_plattform.bezugssystem ? *m_plattform.bezugssystem : *m_beta;
}
