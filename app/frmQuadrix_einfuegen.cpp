// A whole position pasted into any coordinate box fills all six boxes with
// whole degrees, minutes and seconds, by the datum rule of datum.h:
//   - positions with decimals (decimal degrees, decimal minutes) are what GPS
//     receivers and web maps give: WGS84/ETRS89, transformed to the Potsdam
//     datum of the grid with BETA2007 and rounded to whole seconds;
//   - whole degrees, minutes and seconds may come from a map or from a GPS
//     receiver: the user is asked which;
//   - Gauss-Kruger coordinates (R 3478544 H 5549792) are a point on the
//     Potsdam datum already; UTM and MGRS references name a square on
//     ETRS89, whose centre is taken through BETA2007, and the message says
//     how deep a code the square bears.
// Digits and blanks that are no position go through the box's key filter as
// typed text does. Anything else (a decimal number alone, a minus sign, a south or west
// position, words) is refused with a message, and the box keeps its text.
#include "app/bezugssystem.h"
#include "cells/texte.h"
#include "cells/umriss.h"
#include "datum/datum.h"
#include "app/frmQuadrix.h"
#include "orte/orte.h"
#include "platform/gui/meldungen.h"
#include "position/punkt.h"
#include "position/gms.h"
#include "position/texte.h"
#include "position/verweis.h"
#include "platform/gui/textfeld.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>

namespace {

QString formName(const quadrix::Lesart& l)
{
    const int teile = std::max(l.teile[0], l.teile[1]);
    if (!l.nachkomma)
        return teile == 1 ? QStringLiteral("ganzen Grad")
               : teile == 2 ? QStringLiteral("ganzen Grad und Minuten")
                            : QStringLiteral("ganzen Grad, Minuten und Sekunden");
    if (teile == 1)
        return QStringLiteral("Dezimalgrad");
    if (teile == 2)
        return QStringLiteral("Grad und Dezimalminuten");
    return QStringLiteral("Grad, Minuten und Sekunden mit Dezimalstellen");
}

// What was pasted, for the message: as it was, TABs and line breaks made
// visible (⇥, ↵), so that the user sees what the reader saw.
QString gelesen(const QString& text)
{
    QString t;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t')
            t += u'⇥';
        else if (c == u'\r' || c == u'\n') {
            t += u'↵';
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else
            t += c.isSpace() ? QChar(u' ') : c;
    }
    return t.size() > 80 ? t.left(80) + QStringLiteral("…") : t;
}

// What was pasted, as the readers take it: any white space between the
// numbers (the TAB between two spreadsheet cells, line breaks, no-break
// spaces) is a blank, white space around it nothing.
std::string bereinigt(const QString& text) { return text.simplified().toStdString(); }

// A refusal says so in its title, with the warning icon, in its first words.
const QString AbgelehntTitel = QStringLiteral("Quadrix – nicht übernommen");

QString abgelehntText(const QString& text, const QString& grund)
{
    return QStringLiteral("Der eingefügte Text „%1“ wurde nicht übernommen.\n\n%2\n\nDas Feld behält seinen Wert.")
        .arg(gelesen(text), grund);
}

// Two whole numbers and nothing that sets two coordinates apart (no N or E, no
// marks, no comma, semicolon, TAB or line break): in one box they are that
// coordinate's degrees and minutes, never a latitude and a longitude.
bool gradUndMinuten(const QString& text, const quadrix::Lesart& l)
{
    static const QRegularExpression trenner(QStringLiteral("[,;\\t\\r\\n°'′\"″A-Za-z]"));
    return l.teile[0] == 1 && l.teile[1] == 1 && !l.nachkomma && !text.trimmed().contains(trenner);
}

// Digits and blanks alone: what the key filter would take from typing.
bool nurZiffern(const QString& text)
{
    static const QRegularExpression ziffern(QStringLiteral("^[0-9\\s]*$"));
    return ziffern.match(text).hasMatch();
}

// One number with a decimal point or comma: in a box, "20,5" is 20.5
// seconds to a German reader, never the position 20° N 5° E.
bool dezimalzahl(const QString& text)
{
    static const QRegularExpression zahl(QStringLiteral("^\\s*[0-9]+[.,][0-9]*\\s*$"));
    return zahl.match(text).hasMatch();
}

// Why a pasted text that is no position the program takes is refused.
QString grund(const QString& text, quadrix::Fehler f)
{
    if (f == quadrix::Fehler::Sueden)
        return QStringLiteral("Die Position liegt südlich des Äquators (Süd oder ein Minuszeichen vor der Breite). "
                              "Das Kartennetz der Messtischblätter gilt nur für nördliche Breiten und östliche "
                              "Längen.");
    if (f == quadrix::Fehler::Westen)
        return QStringLiteral("Die Position liegt westlich von Greenwich (West oder ein Minuszeichen vor der Länge). "
                              "Das Kartennetz der Messtischblätter gilt nur für nördliche Breiten und östliche "
                              "Längen.");
    if (dezimalzahl(text))
        return QStringLiteral("Das ist eine einzelne Dezimalzahl. Die Felder nehmen ganze Grad, Minuten und "
                              "Sekunden; eine Position zum Einfügen braucht Breite und Länge, etwa "
                              "„50.12222, 8.69167“.");
    if (text.contains(u'-') || text.contains(u'−'))
        return QStringLiteral("Der Text enthält ein Minuszeichen. Quadrix nimmt nur Positionen nördlich des "
                              "Äquators und östlich von Greenwich, ohne Vorzeichen.");
    return QStringLiteral("Das ist keine Position, die Quadrix liest (%1). Quadrix liest etwa „50 07 20 8 41 30“, "
                          "„50.12222, 8.69167“ oder „N50°07.333' E8°41.500'“.")
        .arg(QString::fromUtf8(quadrix::text(f)));
}

}  // namespace

void frmQuadrix::einfuegenAblehnen(const QString& text, const QString& grund)
{
    m_plattform.meldungen.zeige(this, abgelehntText(text, grund), Meldungen::Knoepfe::OK, true, AbgelehntTitel);
}

bool frmQuadrix::positionEinfuegen(const QString& text, const Textfeld* feld)
{
    std::string lesbar = bereinigt(text);
    // A link's position reads as the decimal degrees it holds; nothing is fetched.
    std::string ausVerweis;
    switch (quadrix::leseVerweis(lesbar, ausVerweis)) {
    case quadrix::VerweisFehler::Keine: lesbar = ausVerweis; break;
    case quadrix::VerweisFehler::OhnePosition:
        einfuegenAblehnen(text, QString::fromUtf8(quadrix::text(quadrix::VerweisFehler::OhnePosition)) +
                                    QStringLiteral("."));
        return true;
    case quadrix::VerweisFehler::KeinVerweis: break;
    }
    quadrix::Punkt p;
    quadrix::Lesart lesart;
    quadrix::Fehler f = quadrix::lesePunkt(lesbar, p, &lesart);
    if (dezimalzahl(text))
        f = quadrix::Fehler::AnzahlZahlen;
    quadrix::Umriss position;
    quadrix::Umrissfehler positionsGrund;
    if (f != quadrix::Fehler::Keine && !dezimalzahl(text) && quadrix::lesePosition(lesbar, position, &positionsGrund)) {
        kartesischEinfuegen(text, position);
        return true;
    }
    if (f != quadrix::Fehler::Keine) {
        if (nurZiffern(text) && positionsGrund.keiner())
            return false;
        einfuegenAblehnen(text, !positionsGrund.keiner() ? QStringLiteral("Das ist keine Position, die Quadrix liest (%1).")
                                                          .arg(QString::fromUtf8(quadrix::text(positionsGrund)))
                                                    : grund(text, f));
        return true;
    }
    if (feld && gradUndMinuten(text, lesart)) {
        gradUndMinutenEintragen(text, feld);
        return true;
    }
    // Outside Germany, but inside it the other way round: latitude and
    // longitude swapped, as spreadsheets and GIS often write them.
    const double b = quadrix::grad(p.breite), l = quadrix::grad(p.laenge);
    if (!quadrix::imRahmenDeutschlands(b, l) && quadrix::imRahmenDeutschlands(l, b)) {
        einfuegenAblehnen(text, QStringLiteral("Die Position läge bei %1° N, %2° O, weit außerhalb Deutschlands. "
                                               "Sind Breite und Länge vertauscht? Umgekehrt gelesen läge sie in "
                                               "Deutschland; Quadrix liest die Breite zuerst, außer N und E/O "
                                               "sagen es anders.")
                                    .arg(QLocale(QLocale::German).toString(b, 'f', 4),
                                         QLocale(QLocale::German).toString(l, 'f', 4)));
        return true;
    }

    const QString was = QStringLiteral("Eingefügt: „%1“, eine Position in %2").arg(gelesen(text), formName(lesart));
    if (quadrix::datumFuer(quadrix::Datum::Auto, lesart) == quadrix::Datum::Potsdam) {
        // Whole values: a map and a GPS receiver show them alike, 100 to 200 m apart.
        const int wahl = m_plattform.meldungen.frage(
            this,
            was + QStringLiteral(".\n\nWoher stammt sie? Von einer Karte abgelesen ist sie eine Koordinate im "
                                 "Potsdamer Datum (DHDN) des Kartennetzes und wird übernommen, wie sie ist. Von "
                                 "einem GPS-Gerät angezeigt ist sie WGS84 und wird mit dem amtlichen Gitter "
                                 "BETA2007 umgerechnet; die beiden liegen in Deutschland 100 bis 200 m "
                                 "auseinander."),
            {QStringLiteral("Von der &Karte (Potsdam)"), QStringLiteral("Vom &GPS-Gerät (WGS84)")});
        if (wahl < 0)
            return true;
        if (wahl == 0) {
            ganzeSekundenEintragen(quadrix::ganzeSekunden(p.breite), quadrix::ganzeSekunden(p.laenge));
            return true;
        }
    }

    const QString wgs84 = QStringLiteral("Sie ist eine Position in %1 (WGS84/ETRS89, wie GPS-Geräte und Webkarten "
                                         "sie angeben). ")
                              .arg(formName(lesart));
    QString meldung = was + QStringLiteral(" (WGS84/ETRS89, wie GPS-Geräte und Webkarten sie angeben).\n\n");
    std::string fehler;
    const quadrix::Transformation* t = bezugssystem().etrs89NachPotsdam(fehler);
    quadrix::Lage lage;
    if (!t) {
        einfuegenAblehnen(text, wgs84 + QStringLiteral("Um sie in das Potsdamer Datum (DHDN) des Kartennetzes "
                                                       "umzurechnen, braucht Quadrix das amtliche "
                                                       "Transformationsgitter BETA2007, das auf diesem Rechner fehlt "
                                                       "oder unbrauchbar ist (%1).")
                                            .arg(QString::fromStdString(fehler)));
        return true;
    } else if (quadrix::verorte(p, quadrix::Datum::Wgs84, t, quadrix::AufPotsdam, lage) != quadrix::Umrechnungsfehler::Keine) {
        einfuegenAblehnen(text, wgs84 + QStringLiteral("Sie liegt außerhalb des Gebiets, für das das "
                                                       "Transformationsgitter BETA2007 gilt (Deutschland), und kann "
                                                       "darum nicht in das Potsdamer Datum des Kartennetzes "
                                                       "umgerechnet werden."));
        return true;
    } else {
        const QString eingetragen = ganzeSekundenEintragen(quadrix::ganzeSekunden(lage.potsdam->breite),
                                                           quadrix::ganzeSekunden(lage.potsdam->laenge));
        meldung += QStringLiteral("Sie wurde mit dem amtlichen Gitter BETA2007 in das Potsdamer Datum (DHDN) "
                                  "des Kartennetzes umgerechnet und auf ganze Sekunden gerundet: %1.\n\n"
                                  "Sie liegt %2.\n\n"
                                  "Diese Werte stehen jetzt in den sechs Feldern.")
                       .arg(eingetragen, QString::fromStdString(orte::beschreibung(quadrix::grad(p.breite),
                                                                                   quadrix::grad(p.laenge))));
    }
    m_plattform.meldungen.zeige(this, meldung, Meldungen::Knoepfe::OK, false);
    return true;
}

void frmQuadrix::kartesischEinfuegen(const QString& text, const quadrix::Umriss& u)
{
    const bool gk = u.gitter == quadrix::Gitter::Gk;
    const QString seite = u.seite >= 1000 ? QStringLiteral("%1 km").arg(u.seite / 1000)
                                          : QStringLiteral("%1 m").arg(QLocale(QLocale::German).toString(u.seite));
    const QString art =
        gk ? QStringLiteral("eine Gauß-Krüger-Koordinate (Zone %1, Potsdamer Datum wie das Kartennetz)").arg(u.zone)
           : QStringLiteral("eine %1-Angabe (Zone %2, ETRS89): sie nennt ein Quadrat von %3, Quadrix nimmt seine Mitte")
                 .arg(u.gitter == quadrix::Gitter::Utm ? QStringLiteral("UTM") : QStringLiteral("MGRS"))
                 .arg(u.zone)
                 .arg(seite);
    QString meldung = QStringLiteral("Eingefügt: „%1“, %2.\n\n").arg(gelesen(text), art);
    const QString gelesenAls = QStringLiteral("Gelesen als %1. ").arg(art);
    // Gauss-Kruger names the point; a UTM or MGRS square its centre, on
    // ETRS89: the library codes it as mtbq does, and says how deep a code the
    // square bears.
    std::string fehler;
    quadrix::Ausgabeform form;
    form.transformation = gk ? nullptr : bezugssystem().etrs89NachPotsdam(fehler);
    std::string code;
    quadrix::Verortung v;
    std::vector<std::pair<double, double>> umriss;
    const quadrix::Zellfehler f = quadrix::positionsCode(u, form, code, &v, &umriss);
    if (f.art == quadrix::Zellfehler::Art::Umrechnung) {
        einfuegenAblehnen(text, gelesenAls + (!form.transformation
                                                  ? QStringLiteral("Um sie in das Potsdamer Datum (DHDN) des "
                                                                   "Kartennetzes umzurechnen, braucht Quadrix das "
                                                                   "amtliche Transformationsgitter BETA2007, das auf "
                                                                   "diesem Rechner fehlt oder unbrauchbar ist (%1).")
                                                        .arg(QString::fromStdString(fehler))
                                                  : QStringLiteral("Sie liegt außerhalb des Gebiets, für das das "
                                                                   "Transformationsgitter BETA2007 gilt "
                                                                   "(Deutschland).")));
        return;
    }
    if (!f.keiner()) {
        einfuegenAblehnen(text, gelesenAls + QString::fromUtf8(quadrix::text(f)) + QStringLiteral("."));
        return;
    }
    const quadrix::Punkt potsdam = *v.potsdam;
    const QString eingetragen =
        ganzeSekundenEintragen(quadrix::ganzeSekunden(potsdam.breite), quadrix::ganzeSekunden(potsdam.laenge));
    meldung += (gk ? QStringLiteral("Sie wurde in Grad umgerechnet und auf ganze Sekunden gerundet: %1.")
                   : QStringLiteral("Die Mitte wurde mit dem amtlichen Gitter BETA2007 in das Potsdamer Datum "
                                    "(DHDN) des Kartennetzes umgerechnet und auf ganze Sekunden gerundet: %1."))
                   .arg(eingetragen);
    // The code of five levels is finer than the square.
    if (!gk) {
        const int ebene = v.stufe;
        if (ebene < 5)
            meldung += ebene < 0 ? QStringLiteral("\n\nAchtung: das Quadrat reicht über das Blatt %1 hinaus (auch "
                                                  "%2). Der berechnete Code ist genauer, als die Angabe es ist: "
                                                  "sicher ist nur, dass der Fund in der Nähe liegt.")
                                       .arg(QStringLiteral("%1%2")
                                                .arg(v.code.zeile, 2, 10, QLatin1Char('0'))
                                                .arg(v.code.spalte, 2, 10, QLatin1Char('0')),
                                            QString::fromStdString(quadrix::blaetterAn(v.code, umriss)))
                                 : QStringLiteral("\n\nAchtung: das Quadrat liegt nur in einer Zelle der Ebene %1 "
                                                  "ganz; der berechnete Code mit fünf Ebenen ist genauer, als die "
                                                  "Angabe es ist. Sicher sind die ersten %1 Ebenen.")
                                       .arg(ebene);
    }
    m_plattform.meldungen.zeige(this, meldung + QStringLiteral("\n\nDiese Werte stehen jetzt in den sechs Feldern."),
                                Meldungen::Knoepfe::OK, false);
}

void frmQuadrix::gradUndMinutenEintragen(const QString& text, const Textfeld* feld)
{
    const bool nord = feld == txtGradN || feld == txtMinN || feld == txtSekN;
    const QStringList zahlen = text.simplified().split(u' ');
    const int grad = zahlen.value(0).toInt(), minuten = zahlen.value(1).toInt();
    const QString koordinate = nord ? QStringLiteral("Breite") : QStringLiteral("Länge");
    if (zahlen.size() != 2 || minuten > 59 || grad > (nord ? 90 : 360)) {
        einfuegenAblehnen(text, QStringLiteral("Zwei Zahlen in einem Feld sind Grad und Minuten der %1; %2 ist "
                                               "das nicht (Minuten 0 bis 59, Grad bis %3). Eine ganze Position "
                                               "braucht N und E/O oder ein Komma zwischen Breite und Länge, etwa "
                                               "„50 07, 8 41“.")
                                    .arg(koordinate, gelesen(text), nord ? QStringLiteral("90") : QStringLiteral("360")));
        return;
    }
    Textfeld* gradFeld = nord ? txtGradN : txtGradO;
    Textfeld* minFeld = nord ? txtMinN : txtMinO;
    gradFeld->setText(QString::number(grad));
    minFeld->setText(QStringLiteral("%1").arg(minuten, 2, 10, QLatin1Char('0')));
    m_plattform.meldungen.zeige(this,
                                QStringLiteral("Eingefügt: „%1“, zwei ganze Zahlen in einem Feld der %2: eingetragen "
                                               "als %3°\u00a0%4′ der %2. Die Sekunden und die %5 bleiben, wie sie "
                                               "sind.")
                                    .arg(gelesen(text), koordinate, QString::number(grad),
                                         QStringLiteral("%1").arg(minuten, 2, 10, QLatin1Char('0')),
                                         nord ? QStringLiteral("Länge") : QStringLiteral("Breite")),
                                Meldungen::Knoepfe::OK, false);
}

void frmQuadrix::positionEintragen(const QString& gradN, const QString& minN, const QString& sekN,
                                   const QString& gradO, const QString& minO, const QString& sekO)
{
    // Through setText, like any change: the save button goes off as after typing,
    // but only where a value really changes.
    txtGradN->setText(gradN);
    txtMinN->setText(minN);
    txtSekN->setText(sekN);
    txtGradO->setText(gradO);
    txtMinO->setText(minO);
    txtSekO->setText(sekO);
}

QString frmQuadrix::ganzeSekundenEintragen(std::int64_t nord, std::int64_t ost)
{
    const quadrix::GmsTexte n = quadrix::felder(nord), o = quadrix::felder(ost);
    auto q = [](const std::string& t) { return QString::fromStdString(t); };
    positionEintragen(q(n.grad), q(n.min), q(n.sek), q(o.grad), q(o.min), q(o.sek));
    return QString::fromStdString(quadrix::punktLesbar(nord, ost));
}

Bezugssystem& frmQuadrix::bezugssystem()
{
    return anbindung.bezugssystem ? *anbindung.bezugssystem : *m_beta;
}
