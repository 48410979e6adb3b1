// The map's search box: a code in any form codes are written in, a
// position in any form the paste takes (degrees, Gauss-Kruger, UTM, MGRS),
// or a place by its name (frmKarte_orte.cpp).
// What is found is marked: a code's cell, a position's point. A text that
// reads as nothing gets the reason of the reader it resembles most; a
// position outside Germany that lies in it the other way round is not
// shown but said to be swapped.
#include "cells/texte.h"
#include "cells/umriss.h"
#include "datum/datum.h"
#include "map/frmKarte.h"
#include "map/kartenansicht.h"
#include "orte/orte.h"
#include "position/code.h"
#include "position/punkt.h"
#include "position/texte.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

// A sheet number, perhaps with quadrants: "5818", "5818/5", "5818.33".
bool siehtAusWieCode(const std::string& t)
{
    static const QRegularExpression code(QStringLiteral("^[0-9]{3,4}([/.][0-9/.]*)?$"));
    return code.match(QString::fromStdString(t)).hasMatch();
}

QString zahl(double x) { return QLocale(QLocale::German).toString(x, 'f', 4); }

}  // namespace

bool frmKarte::suche(const QString& text)
{
    const QString eingabe = text.simplified();
    const std::string t = eingabe.toStdString();
    if (t.empty())
        return false;
    // A code first: "5818", "5818/3/3", "5818.33".
    quadrix::Umriss u;
    const quadrix::Gitter mtb = quadrix::Gitter::Mtb;
    const quadrix::Umrissfehler codeGrund = quadrix::leseUmriss(t, &mtb, u);
    if (codeGrund.keiner()) {
        double s = 90, w = 360, n = -90, o = -360;
        std::vector<QPointF> zelle;
        for (const quadrix::Grad2& g : quadrix::umrissPunkte(u)) {
            double b = g.breite, l = g.laenge;
            if (m_beta && !m_beta->vonPotsdam(b, l)) {
                m_status->setText(tr("%1 liegt außerhalb von BETA2007 und wird nicht gezeigt.").arg(eingabe));
                return false;
            }
            s = std::min(s, b), n = std::max(n, b), w = std::min(w, l), o = std::max(o, l);
            zelle.emplace_back(l, b);
        }
        m_ansicht->passeEin(s, w, n, o);
        m_ansicht->setzeMarke(QPointF((w + o) / 2, (s + n) / 2), zelle);
        m_status->setText(tr("Gezeigt: %1").arg(QString::fromStdString(u.code)));
        return true;
    }
    // A position in a plane grid: Gauss-Kruger on the Potsdam datum, a UTM
    // or MGRS square on ETRS89, shown at its centre.
    quadrix::Umriss position;
    quadrix::Umrissfehler positionsGrund;
    if (quadrix::lesePosition(t, position, &positionsGrund)) {
        const quadrix::Grad2 g = quadrix::positionsPunkt(position);
        const bool gk = position.gitter == quadrix::Gitter::Gk;
        return zeigeGefunden(eingabe, g.breite, g.laenge, gk,
                             gk ? tr("Gezeigt: die Gauß-Krüger-Koordinate (Potsdam)")
                                : tr("Gezeigt: die Mitte des Quadrats (ETRS89)"));
    }
    quadrix::Punkt p;
    quadrix::Lesart lesart;
    if (const quadrix::Fehler f = quadrix::lesePunkt(t, p, &lesart); f != quadrix::Fehler::Keine) {
        QString grund = QString::fromUtf8(quadrix::text(f));
        if (siehtAusWieCode(t)) {
            // "5818/5": the code's own reason, with the digit that is wrong.
            quadrix::GelesenerCode c;
            grund = QString::fromUtf8(quadrix::text(codeGrund));
            if (quadrix::leseCode(t, c) == quadrix::CodeFehler::Ziffer)
                grund += QStringLiteral(" (%1)").arg(QChar::fromLatin1(c.falscheZiffer));
            m_status->setText(tr("„%1“ ist kein Code: %2.").arg(eingabe, grund));
            return false;
        }
        // A place by its name, where the text is none of these.
        if (sucheOrt(eingabe))
            return true;
        if (!positionsGrund.keiner())
            grund = QString::fromUtf8(quadrix::text(positionsGrund));
        m_status->setText(tr("„%1“ ist weder ein Code noch eine Position (%2) noch ein Ort der Karte.").arg(eingabe, grund));
        return false;
    }
    // By the rule of pasted positions: decimals are WGS84, whole values Potsdam.
    const bool potsdam = quadrix::datumFuer(quadrix::Datum::Auto, lesart) == quadrix::Datum::Potsdam;
    return zeigeGefunden(eingabe, quadrix::grad(p.breite), quadrix::grad(p.laenge), potsdam,
                         potsdam ? tr("Gezeigt: die Position (ganze Werte: Potsdam)")
                                 : tr("Gezeigt: die Position (mit Dezimalstellen: WGS84)"));
}

bool frmKarte::zeigeGefunden(const QString& eingabe, double breite, double laenge, bool potsdam,
                             const QString& gezeigt)
{
    if (!quadrix::imRahmenDeutschlands(breite, laenge) && quadrix::imRahmenDeutschlands(laenge, breite)) {
        m_status->setText(tr("„%1“ läge bei %2° N, %3° O, weit außerhalb Deutschlands: Breite und Länge "
                             "vertauscht? Umgekehrt gelesen läge die Position in Deutschland.")
                              .arg(eingabe, zahl(breite), zahl(laenge)));
        return false;
    }
    double b = breite, l = laenge;
    if (potsdam && m_beta && !m_beta->vonPotsdam(b, l)) {
        m_status->setText(tr("Die Position liegt außerhalb von BETA2007 und wird nicht gezeigt."));
        return false;
    }
    m_ansicht->setzeMarke(QPointF(l, b), {});
    m_ansicht->zentriere(b, l, std::max(m_ansicht->zoom(), 14));
    m_status->setText(quadrix::imRahmenDeutschlands(breite, laenge)
                          ? gezeigt + QStringLiteral(" – ") + QString::fromStdString(orte::beschreibung(b, l))
                          : gezeigt + tr(" – sie liegt außerhalb Deutschlands (%1° N, %2° O).")
                                          .arg(zahl(breite), zahl(laenge)));
    return true;
}
