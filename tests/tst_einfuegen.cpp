// A whole position pasted into a coordinate box: every form, every box,
// every way of pasting, a missing transformation grid.
#include "app/bezugssystem.h"
#include "datum/datum.h"
#include "fensterhilfe.h"
#include "map/frmKarte.h"
#include "map/kartenansicht.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

// A transformation that moves nothing: what is rounded is what was pasted.
class OhneVerschiebung final : public quadrix::Transformation {
public:
    bool zuPotsdam(double&, double&) const override { return true; }
    bool vonPotsdam(double&, double&) const override { return true; }
    const std::string& beschreibung() const override { return m_text; }

private:
    std::string m_text = "keine";
};

class TestBezugssystem final : public Bezugssystem {
public:
    enum class Art { OhneVerschiebung, Fehlt, Echt } art = Art::OhneVerschiebung;
    int aufrufe = 0;
    const quadrix::Transformation* etrs89NachPotsdam(std::string& fehler) override
    {
        ++aufrufe;
        switch (art) {
        case Art::OhneVerschiebung: return &m_null;
        case Art::Fehlt: fehler = "das Gitter fehlt"; return nullptr;
        case Art::Echt: return m_echt.etrs89NachPotsdam(fehler);
        }
        return nullptr;
    }

private:
    OhneVerschiebung m_null;
    Beta2007 m_echt;
};

const char* const Boxen[] = {"txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO"};

struct MitBezug : Hauptfenster {
    TestBezugssystem bezug;
    MitBezug()
    {
        f->anbindung.bezugssystem = &bezug;
        waehleDatei("funde.txt", "Kopf\r\n");
    }
    QStringList werte() const
    {
        QStringList w;
        for (const char* b : Boxen)
            w << box(b)->text();
        return w;
    }
    void einfuegen(const char* name, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        maus(box(name));
        QTest::keyClick(box(name), Qt::Key_V, Qt::ControlModifier);
    }
};

}  // namespace

class TstEinfuegen : public QObject {
    Q_OBJECT
private slots:
    void formen_data();
    void formen();
    void ganzeWerte_data();
    void ganzeWerte();
    void jedesFeld_data();
    void jedesFeld();
    void gradUndMinuten_data();
    void gradUndMinuten();
    void wegeDesEinfuegens_data();
    void wegeDesEinfuegens();
    void keinePosition_data();
    void keinePosition();
    void abgelehnt_data();
    void abgelehnt();
    void nichtsEingefuegt_data();
    void nichtsEingefuegt();
    void gitterFehlt();
    void echtesGitter();
    void speichernWieGetippt();
    void karteKlick();
    void karteKlickMitBeta2007();
    void ebeneFormen();
    void ebeneFormenOhneBeta2007();
    void karteOhneModul();
};

void TstEinfuegen::formen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("erwartet");
    const QStringList stadtwald{"50", "07", "20", "8", "41", "30"};
    // Decimals anywhere: what GPS receivers and web maps show, WGS84.
    QTest::newRow("decimal degrees, point")  << "50.12222, 8.69167"              << stadtwald;
    QTest::newRow("decimal degrees, comma")  << "50,12222 8,69167"               << stadtwald;
    QTest::newRow("web map copy")            << "50.12222,8.69167"               << stadtwald;
    QTest::newRow("letters, longitude first") << "E8.69167 N50.12222"            << stadtwald;
    QTest::newRow("decimal minutes, GPS")    << "N50°07.333' E8°41.500'"         << stadtwald;
    QTest::newRow("decimal minutes, plain")  << "50 7.3333 8 41.5"               << stadtwald;
    // Half a second goes up, into the next minute and degree.
    QTest::newRow("59.5 s rounds up")        << "50°07'59.5\" 8°41'59.4\""
                                             << QStringList{"50", "08", "00", "8", "41", "59"};
    QTest::newRow("59.5 s carries to degree") << "49°59'59.5\"N 9°59'59.5\"E"
                                             << QStringList{"50", "00", "00", "10", "00", "00"};
    QTest::newRow("just under half")         << "50 07 20.49 8 41 30.5"
                                             << QStringList{"50", "07", "20", "8", "41", "31"};
    // What people copy: spreadsheet cells (TAB, CR LF after the last), line
    // breaks, no-break spaces, and the decimals spreadsheets and scripts write.
    QTest::newRow("two cells")               << "50.12222\t8.69167\n"          << stadtwald;
    QTest::newRow("Excel cells, CR LF")      << "50,12222\t8,69167\r\n"        << stadtwald;
    QTest::newRow("trailing line break")     << "50.12222, 8.69167\n"          << stadtwald;
    QTest::newRow("two lines")               << "50.12222\n8.69167"            << stadtwald;
    QTest::newRow("no-break space")          << QStringLiteral("50.12222,\u00a08.69167") << stadtwald;
    QTest::newRow("15 decimals")             << "50.122222222222224, 8.691666666666666" << stadtwald;
    // Links keep the position in their address: read, nothing fetched.
    QTest::newRow("geo link")                << "geo:50.12222,8.69167"           << stadtwald;
    QTest::newRow("web map link")            << "https://www.google.com/maps/@50.12222,8.69167,17z" << stadtwald;
    QTest::newRow("OpenStreetMap link")      << "https://www.openstreetmap.org/#map=18/50.12222/8.69167" << stadtwald;
}

void TstEinfuegen::formen()
{
    QFETCH(QString, text);
    QFETCH(QStringList, erwartet);
    MitBezug h;
    h.einfuegen("txtGradN", text);
    QCOMPARE(h.werte(), erwartet);
    QVERIFY(h.bezug.aufrufe > 0);
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    const auto& m = h.meldungen.eintraege[0];
    QCOMPARE(m.titel, QStringLiteral("Quadrix"));
    QCOMPARE(m.knoepfe, Meldungen::Knoepfe::OK);
    QVERIFY2(m.text.startsWith("Eingefügt: „"), qPrintable(m.text));
    QVERIFY(!m.ausrufezeichen);
    QVERIFY2(m.text.contains("WGS84/ETRS89") && m.text.contains("auf ganze Sekunden gerundet"), qPrintable(m.text));
    QVERIFY(h.box("txtGradN")->hasFocus());
}

// Whole degrees, minutes and seconds come from maps and from GPS receivers
// alike: the user says which. A map's values are taken as they are, a GPS
// receiver's are transformed; "Abbrechen" changes nothing.
void TstEinfuegen::ganzeWerte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QStringList>("erwartet");
    QTest::addColumn<int>("meldungen");
    const QStringList stadtwald{"50", "07", "20", "8", "41", "30"};
    const QStringList vorher{"51", "00", "00", "9", "00", "00"};
    QTest::newRow("DMS with marks, map")     << "50°07'20\"N 8°41'30\"E"   << 0  << stadtwald << 1;
    QTest::newRow("DMS plain, map")          << "50 07 20 8 41 30"         << 0  << stadtwald << 1;
    QTest::newRow("DMS prime signs, map")    << "50°07′20″ N, 8°41′30″ O"  << 0  << stadtwald << 1;
    QTest::newRow("degrees and minutes, map") << "50 07 8 41"              << 0
                                              << QStringList{"50", "07", "00", "8", "41", "00"} << 1;
    QTest::newRow("DMS plain, GPS")          << "50 07 20 8 41 30"         << 1  << stadtwald << 2;
    QTest::newRow("DMS plain, cancelled")    << "50 07 20 8 41 30"         << -1 << vorher << 1;
}

void TstEinfuegen::ganzeWerte()
{
    QFETCH(QString, text);
    QFETCH(int, wahl);
    QFETCH(QStringList, erwartet);
    QFETCH(int, meldungen);
    MitBezug h;
    h.koordinaten({"51", "00", "00", "9", "00", "00"});
    h.meldungen.wahl = {wahl};
    h.einfuegen("txtMinN", text);
    QCOMPARE(h.werte(), erwartet);
    QCOMPARE(h.meldungen.eintraege.size(), meldungen);
    const auto& frage = h.meldungen.eintraege[0];
    QCOMPARE(frage.titel, QStringLiteral("Quadrix"));
    QCOMPARE(frage.antworten, QStringList({"Von der &Karte (Potsdam)", "Vom &GPS-Gerät (WGS84)"}));
    QVERIFY2(frage.text.startsWith(QStringLiteral("Eingefügt: „%1“, eine Position in ganzen Grad").arg(text.simplified())),
             qPrintable(frage.text));
    QCOMPARE(h.bezug.aufrufe > 0, wahl == 1);
    if (wahl == 1)
        QVERIFY(h.meldungen.eintraege[1].text.contains("auf ganze Sekunden gerundet"));
}

void TstEinfuegen::jedesFeld_data()
{
    QTest::addColumn<QString>("feld");
    for (const char* b : Boxen)
        QTest::newRow(b) << b;
}

void TstEinfuegen::jedesFeld()
{
    QFETCH(QString, feld);
    MitBezug h;
    h.einfuegen(feld.toLatin1().constData(), "50.12222 8.69167");
    QCOMPARE(h.werte(), QStringList({"50", "07", "20", "8", "41", "30"}));
}

// "50 07" pasted into the latitude box was read as 50° N 7° E, and Enter on
// the question filled 50 00 00 / 7 00 00 without a word: two whole numbers
// in one box are that coordinate's degrees and minutes.
void TstEinfuegen::gradUndMinuten_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("erwartet");
    QTest::newRow("latitude box")       << "txtGradN" << "50 07"   << QStringList{"50", "07", "00", "9", "00", "00"};
    QTest::newRow("latitude seconds")   << "txtSekN"  << "50 7"    << QStringList{"50", "07", "00", "9", "00", "00"};
    QTest::newRow("longitude box")      << "txtMinO"  << "8 41\n"  << QStringList{"51", "00", "00", "8", "41", "00"};
}

void TstEinfuegen::gradUndMinuten()
{
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QStringList, erwartet);
    MitBezug h;
    h.koordinaten({"51", "00", "00", "9", "00", "00"});
    h.meldungen.wahl = {0};  // were it asked, Enter would take "Von der Karte"
    h.einfuegen(feld.toLatin1().constData(), text);
    QCOMPARE(h.werte(), erwartet);
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    const auto& m = h.meldungen.eintraege[0];
    QVERIFY(m.antworten.isEmpty());
    QVERIFY2(m.text.contains("zwei ganze Zahlen in einem Feld der"), qPrintable(m.text));
    QCOMPARE(h.bezug.aufrufe, 0);
}

void TstEinfuegen::wegeDesEinfuegens_data()
{
    QTest::addColumn<QString>("weg");
    QTest::newRow("Ctrl+V")       << "strg+v";
    QTest::newRow("Shift+Insert") << "umschalt+einfg";
    QTest::newRow("context menu") << "menue";
    QTest::newRow("drop")         << "ablegen";
}

void TstEinfuegen::wegeDesEinfuegens()
{
    QFETCH(QString, weg);
    MitBezug h;
    Textfeld* b = h.box("txtMinO");
    maus(b);
    const QString text = QStringLiteral("50.12222 8.69167");
    QGuiApplication::clipboard()->setText(text);
    if (weg == "strg+v") {
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
    } else if (weg == "umschalt+einfg") {
        QTest::keyClick(b, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (weg == "menue") {
        QContextMenuEvent e(QContextMenuEvent::Mouse, b->rect().center(), b->mapToGlobal(b->rect().center()));
        QApplication::sendEvent(b, &e);
        auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menue);
        QAction* einfuegen = nullptr;
        const QString text = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction* a : menue->actions())
            if (a->text().section(u'\t', 0, 0) == text)
                einfuegen = a;
        QVERIFY(einfuegen);
        einfuegen->trigger();
        menue->close();
    } else {
        QMimeData daten;
        daten.setText(text);
        // As the window system delivers a drop: enter, then drop.
        QDragEnterEvent hinein(b->rect().center(), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b, &hinein);
        QDropEvent e(QPointF(b->rect().center()), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b, &e);
    }
    QCOMPARE(h.werte(), QStringList({"50", "07", "20", "8", "41", "30"}));
    QCOMPARE(h.meldungen.eintraege.size(), 1);
}

void TstEinfuegen::keinePosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("imFeld");
    // Digits and blanks go through the filter into the one box, as typed.
    QTest::newRow("digits")          << "50"           << "50";
    QTest::newRow("three numbers")   << "50 07 20"     << "500720";
    QTest::newRow("blanks around")   << " 7 "          << "7";
}

void TstEinfuegen::keinePosition()
{
    QFETCH(QString, text);
    QFETCH(QString, imFeld);
    MitBezug h;
    h.einfuegen("txtGradN", text);
    QCOMPARE(h.box("txtGradN")->text(), imFeld);
    QCOMPARE(h.box("txtMinN")->text(), QString());
    QVERIFY(h.meldungen.eintraege.isEmpty());
    QCOMPARE(h.bezug.aufrufe, 0);
}

// Text that is no position the program takes used to be turned into digits:
// "7.5" became 75° N, "-45" east instead of west. Now it is refused, with a
// message that quotes it and says why, and the box keeps its value.
void TstEinfuegen::abgelehnt_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("grund");
    QTest::addColumn<QString>("zitat");  // the text as the message quotes it
    const auto zeile = [](const char* name, const char* feld, const QString& text, const char* grund,
                          const QString& zitat = {}) {
        QTest::newRow(name) << feld << text << grund << (zitat.isEmpty() ? text : zitat);
    };
    zeile("a decimal number alone", "txtGradN", "7.5", "einzelne Dezimalzahl");
    zeile("decimal comma alone", "txtSekN", "20,5", "einzelne Dezimalzahl");
    zeile("minus sign", "txtGradO", "-45", "Minuszeichen");
    zeile("south, decimal", "txtGradN", "-33.8568, 151.2153", "südlich des Äquators");
    zeile("west, decimal", "txtGradO", "48.8566, -2.3522", "westlich von Greenwich");
    zeile("south and west, DMS", "txtMinO", "50°07'20\"S 8°41'30\"W", "südlich des Äquators");
    zeile("a word and digits", "txtGradN", "Wald 12", "keine Position");
    zeile("no digits", "txtGradN", "Stadtwald", "keine Position");
    zeile("beyond 90 degrees", "txtGradN", "95.5 8.5", "keine Position");
    // TABs and line breaks are quoted visibly, not cleaned into another text.
    zeile("cells, quoted as pasted", "txtGradN", "Wald\t12\r\n", "keine Position", "Wald⇥12↵");
    // Swapped latitude and longitude would lie in East Africa or the Sahara: said so.
    zeile("swapped, decimal", "txtGradN", "8.69167, 50.12222", "Breite und Länge vertauscht");
    zeile("swapped, whole values", "txtGradN", "8 41 30 50 07 20", "Breite und Länge vertauscht");
    // Plane positions get their own reader's reason, not the degree reader's.
    zeile("Gauss-Kruger zone 1", "txtGradN", "R 1500000 H 5500000", "kein Gauß-Krüger-Wert");
    zeile("MGRS letters off", "txtGradN", "32TMA 78544 49792", "keine MGRS-Angabe");
    zeile("zone 5 either way", "txtGradN", "5700000 5450000", "nicht zu unterscheiden");
    // Two numbers in one box are its coordinate's degrees and minutes, or refused.
    zeile("degrees and minutes beyond 59", "txtGradN", "50 75", "Grad und Minuten der Breite");
    // A short link holds no position, and nothing is fetched.
    zeile("short link", "txtGradN", "https://maps.app.goo.gl/Xyz12AbC", "der Link enthält keine Position");
}

void TstEinfuegen::abgelehnt()
{
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QString, grund);
    QFETCH(QString, zitat);
    MitBezug h;
    const QStringList vorher{"50", "07", "20", "8", "41", "30"};
    h.koordinaten(vorher);
    h.klicke("cmdBerechnen");
    h.einfuegen(feld.toLatin1().constData(), text);
    QCOMPARE(h.werte(), vorher);
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    const auto& m = h.meldungen.eintraege[0];
    // A refusal is one in its title, its icon and its first words.
    QCOMPARE(m.titel, QStringLiteral("Quadrix – nicht übernommen"));
    QVERIFY(m.ausrufezeichen);
    QCOMPARE(m.knoepfe, Meldungen::Knoepfe::OK);
    QVERIFY2(m.text.startsWith(QStringLiteral("Der eingefügte Text „%1“ wurde nicht übernommen.").arg(zitat)),
             qPrintable(m.text));
    QVERIFY2(m.text.contains(grund) && m.text.endsWith("Das Feld behält seinen Wert."), qPrintable(m.text));
    QCOMPARE(h.bezug.aufrufe, 0);
}

// A paste that the filter leaves nothing of must not delete the selected
// value, nor turn the save button off.
void TstEinfuegen::nichtsEingefuegt_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty clipboard") << "";
    QTest::newRow("blanks")          << "   ";
    QTest::newRow("line break")      << "\r\n";
}

void TstEinfuegen::nichtsEingefuegt()
{
    QFETCH(QString, text);
    MitBezug h;
    const QStringList vorher{"50", "07", "20", "8", "41", "30"};
    h.koordinaten(vorher);
    h.klicke("cmdBerechnen");
    h.einfuegen("txtMinN", text);
    QCOMPARE(h.box("txtMinN")->selectedText(), QStringLiteral("07"));
    QCOMPARE(h.werte(), vorher);
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    QVERIFY(h.meldungen.eintraege.isEmpty());
}

void TstEinfuegen::gitterFehlt()
{
    MitBezug h;
    h.bezug.art = TestBezugssystem::Art::Fehlt;
    h.koordinaten({"51", "00", "00", "9", "00", "00"});
    h.einfuegen("txtSekO", "50.12222 8.69167");
    QCOMPARE(h.werte(), QStringList({"51", "00", "00", "9", "00", "00"}));
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    const QString& t = h.meldungen.eintraege[0].text;
    QVERIFY2(t.startsWith("Der eingefügte Text „50.12222 8.69167“ wurde nicht übernommen.") &&
                 t.contains("BETA2007") && t.contains("fehlt"), qPrintable(t));
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Quadrix – nicht übernommen"));
}

// The real BETA2007 grid, against PROJ's cs2cs (tests/daten): 50.12222 N
// 8.69167 E on ETRS89 is 50.1233830304 N 8.6926725361 E on Potsdam, that
// is 50°07'24.18" and 8°41'33.62".
void TstEinfuegen::echtesGitter()
{
    MitBezug h;
    h.bezug.art = TestBezugssystem::Art::Echt;
    std::string fehler;
    // On Windows the grid lies beside the program, as the package puts it: it must be found.
    if (!Beta2007().etrs89NachPotsdam(fehler) && !testplattform::Windows)
        QSKIP("no BETA2007 grid here");
    h.einfuegen("txtGradN", "50.12222, 8.69167");
    QCOMPARE(h.werte(), QStringList({"50", "07", "24", "8", "41", "34"}));
    // No-break spaces inside each coordinate: a message never breaks one.
    QVERIFY(h.meldungen.eintraege[0].text.contains(QStringLiteral("50°\u00a007′\u00a024″\u00a0N, 8°\u00a041′\u00a034″\u00a0O")));
    // Where it lies, in words (the nearest place; GeodSolve: 918 m, azimuth 35.7° from Frankfurt am Main).
    QVERIFY2(h.meldungen.eintraege[0].text.contains("Sie liegt 900 m nordöstlich von Frankfurt am Main."),
             qPrintable(h.meldungen.eintraege[0].text));
    // Near Basel, inside BETA2007 but outside Germany: the message says so.
    h.meldungen.eintraege.clear();
    h.einfuegen("txtGradN", "47.5596, 7.5886");
    QVERIFY2(h.meldungen.eintraege.value(0).text.contains("Sie liegt außerhalb Deutschlands: 1,2 km östlich von Basel (Schweiz)."),
             qPrintable(h.meldungen.eintraege.value(0).text));
}

// Afterwards the window behaves as if the values had been typed: the save
// button goes off, the computation takes the boxes, the record their texts.
void TstEinfuegen::speichernWieGetippt()
{
    MitBezug h;
    h.koordinaten({"51", "00", "00", "9", "00", "00"});
    h.klicke("cmdBerechnen");
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    h.einfuegen("txtGradO", "N50°07.333' E8°41.500'");
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    h.klicke("cmdBerechnen");
    QCOMPARE(h.box("txtMTB")->text(), QStringLiteral("5818/3/3/2/1/1"));
    h.klicke("cmdSpeichern");
    const QByteArray inhalt = Hauptfenster::lies(h.datei("funde.txt"));
    QVERIFY2(inhalt.contains("\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t"), inhalt.constData());
}

namespace {

// The map as the module makes it (the tests link it).
KartenFenster* fabrik(const quadrix::Transformation* beta, const QString& fehler, const QString& cache)
{
    return new frmKarte(beta, fehler, cache);
}

frmKarte* karte(Hauptfenster& h) { return h.f->karte() ? static_cast<frmKarte*>(h.f->karte()) : nullptr; }

}  // namespace

// A click on the map fills the six boxes as a pasted GPS position would: the
// point under the pointer (computed here from the tile formulas), on the
// Potsdam datum, in whole seconds; before a file is chosen it fills nothing.
void TstEinfuegen::karteKlick()
{
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");  // nobody there: no tiles, the grid only
    Hauptfenster ohneDatei;
    TestBezugssystem nichts;
    ohneDatei.f->anbindung.bezugssystem = &nichts;
    ohneDatei.f->anbindung.karte = fabrik;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(karte(ohneDatei) && karte(ohneDatei)->isVisible());  // the button's click comes animated
    QVERIFY(ohneDatei.f->isEnabled());  // modeless
    Kartenansicht* ansicht = karte(ohneDatei)->ansicht();
    QTest::mouseClick(ansicht, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY2(karte(ohneDatei)->status().startsWith(QStringLiteral("Erst eine Datei der Fundorte wählen")),
             qPrintable(karte(ohneDatei)->status()));
    QCOMPARE(ohneDatei.box("txtGradN")->text(), QString());
    // The map closes with the main window ("Ende" ends the program).
    QPointer<QWidget> fenster = karte(ohneDatei);
    ohneDatei.klicke("cmdEnde");
    QTRY_VERIFY(!fenster);
    QVERIFY(!ohneDatei.f->karte());

    MitBezug h;
    h.f->anbindung.karte = fabrik;
    h.klicke("cmdKarte");
    ansicht = karte(h)->ansicht();
    ansicht->setFixedSize(400, 300);
    ansicht->zentriere(50.12222, 8.69167, 16);
    const QPoint pixel(123, 77);
    QTest::mouseClick(ansicht, Qt::LeftButton, {}, pixel);
    // Web Mercator at zoom 16: the view's top-left corner, then the pixel.
    const double welt = 256.0 * 65536;
    const double b0 = 50.12222 * M_PI / 180;
    const double mx = (8.69167 + 180) / 360 * welt, my = (1 - std::log(std::tan(b0) + 1 / std::cos(b0)) / M_PI) / 2 * welt;
    const double x = mx - 200 + pixel.x(), y = my - 150 + pixel.y();
    const double laenge = x / welt * 360 - 180;
    const double breite = std::atan(std::sinh(M_PI * (1 - 2 * y / welt))) * 180 / M_PI;
    auto gms = [](double grad) {
        const long s = std::lround(grad * 3600);
        return QStringList{QString::number(s / 3600), QStringLiteral("%1").arg(s / 60 % 60, 2, 10, QLatin1Char('0')),
                           QStringLiteral("%1").arg(s % 60, 2, 10, QLatin1Char('0'))};
    };
    QCOMPARE(h.werte(), gms(breite) + gms(laenge));
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    QVERIFY(karte(h)->status().startsWith(QStringLiteral("Übernommen: ")));
    QVERIFY(h.meldungen.eintraege.isEmpty());  // no message box
    // Dragging pans and takes nothing.
    h.box("txtGradN")->setText("51");
    QTest::mousePress(ansicht, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(ansicht, QPoint(260, 190));
    QTest::mouseRelease(ansicht, Qt::LeftButton, {}, QPoint(260, 190));
    QCOMPARE(h.box("txtGradN")->text(), QStringLiteral("51"));
}

// The click through the real BETA2007 grid, against PROJ: pixel (123, 77) of
// a 400 x 300 view at zoom 16 centred on 50.12222 N 8.69167 E is
// 50.1232242965 N 8.6900177592 E (the tile formulas), which
// "cs2cs -d 10 EPSG:4258 EPSG:4314" puts at 50.1243874456 N 8.6910200674 E
// on Potsdam: 50°07'27.79" N 8°41'27.67" E, whole seconds 50 07 28 and
// 8 41 28.
void TstEinfuegen::karteKlickMitBeta2007()
{
    MitBezug h;
    h.bezug.art = TestBezugssystem::Art::Echt;
    std::string fehler;
    if (!Beta2007().etrs89NachPotsdam(fehler) && !testplattform::Windows)
        QSKIP("no BETA2007 grid here");
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
    h.f->anbindung.karte = fabrik;
    h.klicke("cmdKarte");
    QTRY_VERIFY(karte(h));
    Kartenansicht* ansicht = karte(h)->ansicht();
    ansicht->setFixedSize(400, 300);
    ansicht->zentriere(50.12222, 8.69167, 16);
    QTest::mouseClick(ansicht, Qt::LeftButton, {}, QPoint(123, 77));
    QCOMPARE(h.werte(), QStringList({"50", "07", "28", "8", "41", "28"}));
}

// Gauss-Kruger, UTM and MGRS pasted: the point or the square's centre on the
// Potsdam datum in whole seconds, and the message names the form and how
// deep a code the square bears. Expected values by cs2cs:
//   EPSG:31467 5549792 3478544 -> EPSG:4314 50.0851433 8.7001688 (50°05'06.52" 8°42'00.61")
//   EPSG:25832 478544.5 5549792.5 -> EPSG:4314 50.1011619 8.7010032 (50°06'04.18" 8°42'03.61")
void TstEinfuegen::ebeneFormen()
{
    std::string fehler;
    if (!Beta2007().etrs89NachPotsdam(fehler) && !testplattform::Windows)
        QSKIP("no BETA2007 grid here");
    const struct {
        const char* text;
        QStringList werte;
        const char* form;
        const char* achtung;  // nullptr: no warning
    } faelle[] = {
        {"R 3478544 H 5549792", {"50", "05", "07", "8", "42", "01"}, "eine Gauß-Krüger-Koordinate (Zone 3", nullptr},
        {"3478544 5549792", {"50", "05", "07", "8", "42", "01"}, "eine Gauß-Krüger-Koordinate (Zone 3", nullptr},
        {"32U 478544 5549792", {"50", "06", "04", "8", "42", "04"}, "eine UTM-Angabe (Zone 32, ETRS89): sie nennt ein "
                                                                    "Quadrat von 1 m", nullptr},
        {"32UMA 78544 49792", {"50", "06", "04", "8", "42", "04"}, "eine MGRS-Angabe (Zone 32", nullptr},
        {"32UMA 72 50", {}, "ein Quadrat von 1 km", "nur in einer Zelle der Ebene 3 ganz"},
        {"32UMA 78 49", {}, "ein Quadrat von 1 km", "reicht über das Blatt 5918 hinaus (auch 5818)"},
    };
    for (const auto& f : faelle) {
        MitBezug h;
        h.bezug.art = TestBezugssystem::Art::Echt;
        h.einfuegen("txtMinO", QString::fromUtf8(f.text));
        QCOMPARE(h.meldungen.eintraege.size(), 1);
        const QString text = h.meldungen.eintraege[0].text;
        QVERIFY2(text.contains(QString::fromUtf8(f.form)), qPrintable(text));
        QVERIFY2(f.achtung ? text.contains(QString::fromUtf8(f.achtung)) : !text.contains(QStringLiteral("Achtung")),
                 qPrintable(text));
        if (!f.werte.isEmpty())
            QCOMPARE(h.werte(), f.werte);
        else
            QVERIFY(!h.werte().contains(QString()));
        QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    }
}

// Without BETA2007 a UTM square cannot reach the Potsdam datum: nothing is
// filled in; Gauss-Kruger needs no transformation.
void TstEinfuegen::ebeneFormenOhneBeta2007()
{
    MitBezug h;
    h.bezug.art = TestBezugssystem::Art::Fehlt;
    const QStringList vorher = h.werte();
    h.einfuegen("txtGradN", QStringLiteral("32UMA 78544 49792"));
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY2(h.meldungen.eintraege[0].text.startsWith(QStringLiteral("Der eingefügte Text „32UMA 78544 49792“ "
                                                                     "wurde nicht übernommen.")),
             qPrintable(h.meldungen.eintraege[0].text));
    QVERIFY(h.meldungen.eintraege[0].ausrufezeichen);
    QCOMPARE(h.werte(), vorher);
    h.einfuegen("txtGradN", QStringLiteral("Rechtswert 3478544 Hochwert 5549792"));
    QCOMPARE(h.werte(), QStringList({"50", "05", "07", "8", "42", "01"}));
}

// Without its module (beside this test there is none) the map says why in
// one box, and everything else goes on working.
void TstEinfuegen::karteOhneModul()
{
    MitBezug h;
    h.klicke("cmdKarte");
    QTRY_COMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY2(h.meldungen.eintraege[0].text.startsWith(QStringLiteral("Die Karte lässt sich nicht laden: quadrix_karte.")),
             qPrintable(h.meldungen.eintraege[0].text));
    QVERIFY(!h.f->karte());
    QVERIFY(h.f->isEnabled());
    h.klicke("cmdKarte");  // asked again, it tries again
    QTRY_COMPARE(h.meldungen.eintraege.size(), 2);
}

QTEST_MAIN(TstEinfuegen)
#include "tst_einfuegen.moc"
