// GPS files and photos dropped on the main window: the map opens with the
// list of points; names are edited with the keyboard, rows chosen with the
// mouse, and "Gewählte speichern" appends them in one write. The file's
// bytes must be those that typing the same names and seconds into the six
// boxes and "MTB berechnen", "Speichern" give. The Potsdam seconds of the
// points come from cs2cs (EPSG:4258 -> EPSG:4314 through BETA2007):
//   50.122200 8.691700       -> 180444.107" 31293.729"   (50 07 24, 8 41 34)
//   50.9876543 11.0123456    -> 183560.045" 39649.313"   (50 59 20, 11 00 49)
//   51.3376388889 12.3750694 -> 184820.099" 44555.889"   (51 20 20, 12 22 36)
// The codes are those of the whole seconds, as a record keeps them
// (mtbq --datum potsdam 50 07 24 8 41 34 -> 5818/3/3/2/1/2, the exact
// point's being 5818/3/3/2/1/1).
#include "fensterhilfe.h"
#include "map/frmKarte.h"
#include "map/frmPunkte.h"
#include "map/kartenansicht.h"
#include "app/bezugssystem.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>
#include <QTableWidget>

namespace {

const QByteArray Kopf = "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\tSek.(Ost)\t"
                        "Ost\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n";

QString daten(const char* name) { return QStringLiteral(QUADRIX_PUNKTDATEN "/") + QLatin1String(name); }

KartenFenster* fabrik(const quadrix::Transformation* beta, const QString& fehler, const QString& cache)
{
    return new frmKarte(beta, fehler, cache);
}

struct MitKarte : Hauptfenster {
    MitKarte()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
        f->anbindung.karte = fabrik;
    }
    frmKarte* karte() const { return f->karte() ? static_cast<frmKarte*>(f->karte()) : nullptr; }
    frmPunkte* punkte() const { return karte() ? karte()->punkte() : nullptr; }
    QTableWidget* liste() const { return punkte()->findChild<QTableWidget*>(QStringLiteral("lstPunkte")); }

    // Files dropped on a window, as a file manager hands them over.
    static void ziehe(QWidget* ziel, const QStringList& dateien)
    {
        QMimeData daten;
        QList<QUrl> urls;
        for (const QString& d : dateien)
            urls << QUrl::fromLocalFile(d);
        daten.setUrls(urls);
        const QPoint mitte = ziel->rect().center();
        QDragEnterEvent betreten(mitte, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ziel, &betreten);
        QVERIFY(betreten.isAccepted());
        QDropEvent fallen(QPointF(mitte), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ziel, &fallen);
        QVERIFY(fallen.isAccepted());
    }
    QPoint zelle(int zeile, int spalte) const
    {
        QTableWidget* l = liste();
        l->scrollToItem(l->item(zeile, spalte));
        return l->visualItemRect(l->item(zeile, spalte)).center();
    }
    void klickeZeile(int zeile, Qt::KeyboardModifiers mod = {})
    {
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, mod, zelle(zeile, 1));
    }
    // A new area name typed into the list: F2, all of it replaced, Enter.
    void benenne(int zeile, const QString& name)
    {
        punkte()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(punkte()));
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, zelle(zeile, 0));
        QTest::keyClick(liste(), Qt::Key_F2);
        QLineEdit* editor = liste()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        tippeText(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the text on its next turn of the event loop.
        QTRY_COMPARE(liste()->item(zeile, 0)->text(), name);
    }
    QString spalte(int zeile, int s) const { return liste()->item(zeile, s)->text(); }
    QPushButton* punkteKnopf(const char* name) const { return punkte()->findChild<QPushButton*>(QLatin1String(name)); }
    QString punkteStatus() const { return punkte()->status(); }
    // Name and seconds typed into the boxes, then "MTB berechnen" and "Speichern".
    void tippeFundort(const QString& name, const QStringList& sechs)
    {
        const char* boxen[] = {"txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO"};
        box("txtGebiet")->setFocus();
        box("txtGebiet")->selectAll();
        tippeText(box("txtGebiet"), name);
        for (int i = 0; i < 6; ++i) {
            box(boxen[i])->setFocus();
            box(boxen[i])->selectAll();
            tippeText(box(boxen[i]), sechs[i]);
        }
        maus(knopf("cmdBerechnen"));
        QVERIFY(knopf("cmdSpeichern")->isEnabled());
        maus(knopf("cmdSpeichern"));
    }
};

bool mitBeta()
{
    std::string fehler;
    return Beta2007().etrs89NachPotsdam(fehler) != nullptr || testplattform::Windows;
}

}  // namespace

class TstPunkte : public QObject {
    Q_OBJECT
private slots:
    void ziehenUndSpeichern();
    void nameMussPassen();
    void ohneDatei();
    void inDieFelder();
    void fotoAufDerSpur();
    void nichtsLesbares();
};

void TstPunkte::ziehenUndSpeichern()
{
    if (!mitBeta())
        QSKIP("no BETA2007 grid here");
    MitKarte h;
    h.waehleDatei(QStringLiteral("funde.txt"), Kopf);
    QVERIFY(h.f->acceptDrops());
    h.ziehe(h.f.get(), {daten("geraet.gpx"), daten("telefon.jpg"), daten("telefon.heic")});
    QTRY_VERIFY(h.punkte() && h.punkte()->isVisible());
    QTableWidget* l = h.liste();
    QCOMPARE(l->rowCount(), 5);
    const struct {
        const char* name;
        const char* position;
        const char* code;
    } zeilen[] = {
        {"001", "50° 07′ 24″ N, 8° 41′ 34″ O", "5818/3/3/2/1/2"},
        {"002 B\u00f6schung", "50° 59′ 20″ N, 11° 00′ 49″ O", "5032/1/1/1/4/3"},
        {"003", nullptr, nullptr},
        {"telefon.jpg", "50° 07′ 24″ N, 8° 41′ 34″ O", "5818/3/3/2/1/2"},
        {"telefon.heic", "51° 20′ 20″ N, 12° 22′ 36″ O", "4640/3/2/1/3/3"},
    };
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(h.spalte(i, 0), QString::fromUtf8(zeilen[i].name));
        if (zeilen[i].position) {
            QVERIFY2(h.spalte(i, 2) != QString(), qPrintable(h.spalte(i, 0) + u':' + h.spalte(i, 5)));
            QCOMPARE(h.spalte(i, 2).replace(QChar(0xA0), u' '), QString::fromUtf8(zeilen[i].position));
            QCOMPARE(h.spalte(i, 4), QString::fromUtf8(zeilen[i].code));
        }
    }
    QCOMPARE(h.spalte(3, 3), QStringLiteral("12 m"));
    // The points are marked on the map; the chosen one with its mark.
    QCOMPARE(h.karte()->ansicht()->punkte(), 5u);
    h.klickeZeile(1);
    QVERIFY(h.karte()->ansicht()->hatMarke());

    // One name changed with the keyboard, three rows chosen with the mouse, saved in one step.
    h.benenne(0, QStringLiteral("Waldrand s\u00fcdlich"));
    QCOMPARE(h.spalte(0, 0), QStringLiteral("Waldrand s\u00fcdlich"));
    h.klickeZeile(0);
    h.klickeZeile(1, Qt::ControlModifier);
    h.klickeZeile(4, Qt::ControlModifier);
    maus(h.punkteKnopf("cmdPunkteSpeichern"));
    QVERIFY2(h.punkteStatus().startsWith(QStringLiteral("3 Fundorte in einem Schritt")), qPrintable(h.punkteStatus()));
    QVERIFY2(h.meldungen.eintraege.isEmpty(), qPrintable(h.meldungen.texte().join(u'|')));
    const QByteArray gespeichert = Hauptfenster::lies(h.datei(QStringLiteral("funde.txt")));
    // Saved rows now stand in the file: marked so.
    QVERIFY(h.spalte(1, 5).contains(QStringLiteral("schon in der Datei")));
    QVERIFY(!h.spalte(2, 5).contains(QStringLiteral("schon in der Datei")));

    // The same names and seconds typed into the boxes of another file.
    h.waehleDatei(QStringLiteral("getippt.txt"), Kopf);
    h.tippeFundort(QStringLiteral("Waldrand s\u00fcdlich"), {"50", "07", "24", "8", "41", "34"});
    h.tippeFundort(QStringLiteral("002 B\u00f6schung"), {"50", "59", "20", "11", "00", "49"});
    h.tippeFundort(QStringLiteral("telefon.heic"), {"51", "20", "20", "12", "22", "36"});
    QCOMPARE(gespeichert, Hauptfenster::lies(h.datei(QStringLiteral("getippt.txt"))));
    QCOMPARE(gespeichert.count("\r\n"), 4);
}

void TstPunkte::nameMussPassen()
{
    if (!mitBeta())
        QSKIP("no BETA2007 grid here");
    MitKarte h;
    h.waehleDatei(QStringLiteral("funde.txt"), Kopf);
    h.schreibe(h.datei(QStringLiteral("namen.gpx")),
               "<gpx><wpt lat=\"50.1222\" lon=\"8.6917\"><name>Stra\xc3\x9f" "e+Weg</name></wpt>"
               "<wpt lat=\"50.2\" lon=\"8.7\"/></gpx>");
    h.ziehe(h.f.get(), {h.datei(QStringLiteral("namen.gpx"))});
    QTRY_VERIFY(h.punkte());
    QCOMPARE(h.liste()->rowCount(), 2);
    QVERIFY(h.spalte(0, 5).contains(QStringLiteral("„ß“ nimmt das Feld Gebietsname nicht")));
    QVERIFY(h.spalte(1, 5).contains(QStringLiteral("ohne Gebietsnamen")));
    // Chosen as they are: nothing saved, the file as it was, the name never changed silently.
    h.klickeZeile(0);
    maus(h.punkteKnopf("cmdPunkteSpeichern"));
    QVERIFY2(h.punkteStatus().startsWith(QStringLiteral("Nichts gespeichert: Zeile 1 („Straße+Weg“)")),
             qPrintable(h.punkteStatus()));
    QCOMPARE(Hauptfenster::lies(h.datei(QStringLiteral("funde.txt"))), Kopf);
    QCOMPARE(h.spalte(0, 0), QString::fromUtf8("Stra\xc3\x9f" "e+Weg"));
    // Edited, it is saved.
    h.benenne(0, QStringLiteral("Strasse am Weg"));
    QCOMPARE(h.spalte(0, 0), QStringLiteral("Strasse am Weg"));
    QCOMPARE(h.spalte(0, 5), QString());
    h.klickeZeile(0);
    maus(h.punkteKnopf("cmdPunkteSpeichern"));
    QVERIFY2(h.punkteStatus().startsWith(QStringLiteral("1 Fundorte in einem Schritt")), qPrintable(h.punkteStatus()));
    QVERIFY(Hauptfenster::lies(h.datei(QStringLiteral("funde.txt"))).startsWith(Kopf + "Strasse am Weg\t5818/"));
}

void TstPunkte::ohneDatei()
{
    if (!mitBeta())
        QSKIP("no BETA2007 grid here");
    MitKarte h;
    h.ziehe(h.f.get(), {daten("geraet.gpx")});
    QTRY_VERIFY(h.punkte());
    h.klickeZeile(0);
    maus(h.punkteKnopf("cmdPunkteSpeichern"));
    QVERIFY2(h.punkteStatus().startsWith(QStringLiteral("Nichts gespeichert: erst im Hauptfenster eine Datei")),
             qPrintable(h.punkteStatus()));
}

void TstPunkte::inDieFelder()
{
    if (!mitBeta())
        QSKIP("no BETA2007 grid here");
    MitKarte h;
    h.waehleDatei(QStringLiteral("funde.txt"), Kopf);
    maus(h.knopf("cmdKarte"));
    QTRY_VERIFY(h.karte());
    // The map window's own way in: the button and a file chooser.
    h.karte()->waehleDateien = [](QWidget*) { return QStringList{daten("geraet.gpx")}; };
    maus(h.karte()->findChild<QPushButton*>(QStringLiteral("cmdPunkteEinlesen")));
    QTRY_VERIFY(h.punkte());
    h.klickeZeile(1);
    maus(h.punkteKnopf("cmdInFelder"));
    QStringList werte;
    for (const char* b : {"txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO"})
        werte << h.box(b)->text();
    QCOMPARE(werte, QStringList({"50", "59", "20", "11", "00", "49"}));
    QVERIFY(h.karte()->status().startsWith(QStringLiteral("Übernommen: ")));
}

// A camera photo without GPS (12:10:30 on its clock, no zone in its EXIF)
// and the day's track (10:10 to 10:12 UTC): with the zone +02:00 it lies
// between the first two track points, 30 s after the first:
//   50.1005 8.601 WGS84 -> (cs2cs) 50.1016610 8.6019893 Potsdam -> 50 06 06, 8 36 07;
// with the camera's clock an hour fast and that not said, it is an hour
// from the track and not placed.
void TstPunkte::fotoAufDerSpur()
{
    if (!mitBeta())
        QSKIP("no BETA2007 grid here");
    MitKarte h;
    h.ziehe(h.f.get(), {daten("spur.gpx"), daten("kamera_ohne_gps.jpg")});
    QTRY_VERIFY(h.punkte());
    QCOMPARE(h.liste()->rowCount(), 1);  // the track's points place the photo, they are not listed
    auto* zone = h.punkte()->findChild<QLineEdit*>(QStringLiteral("txtZeitzone"));
    auto* uhr = h.punkte()->findChild<QLineEdit*>(QStringLiteral("txtUhrversatz"));
    h.punkte()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.punkte()));
    const struct {
        const char* uhr;
        const char* zone;
        const char* position;  // nullptr: not placed
        const char* status;
    } faelle[] = {
        {"", "+02:00", "50° 06′ 06″ N, 8° 36′ 07″ O", "1 von 1 Fotos"},
        {"3600", "+02:00", nullptr, "0 von 1 Fotos"},
        {"-1:00:00", "+01:00", "50° 06′ 06″ N, 8° 36′ 07″ O", "1 von 1 Fotos"},
        {"eine Stunde", "+02:00", nullptr, "„eine Stunde“ ist kein Uhrversatz"},
        {"", "MESZ", nullptr, "„MESZ“ ist keine Zeitzone"},
    };
    for (const auto& f : faelle) {
        for (auto [feld, text] : {std::pair{uhr, f.uhr}, std::pair{zone, f.zone}}) {
            maus(feld);
            QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(feld, Qt::Key_Delete);
            tippeText(feld, QString::fromUtf8(text));
        }
        QTest::keyClick(zone, Qt::Key_Return);
        QVERIFY2(h.punkteStatus().contains(QString::fromUtf8(f.status)), qPrintable(h.punkteStatus()));
        if (f.position || QString::fromUtf8(f.status).endsWith(u's'))
            QCOMPARE(h.spalte(0, 2).replace(QChar(0xA0), u' '), QString::fromUtf8(f.position ? f.position : ""));
    }
}

void TstPunkte::nichtsLesbares()
{
    MitKarte h;
    h.schreibe(h.datei(QStringLiteral("kaputt.gpx")), "<gpx><wpt lat=\"50\" lon=\"8\"></gpx>");
    h.schreibe(h.datei(QStringLiteral("notiz.txt")), "Hallo");
    h.ziehe(h.f.get(), {h.datei(QStringLiteral("kaputt.gpx")), h.datei(QStringLiteral("notiz.txt"))});
    QTRY_VERIFY(h.punkte());
    QCOMPARE(h.liste()->rowCount(), 0);
    QVERIFY2(h.punkteStatus().contains(QStringLiteral("kaputt.gpx: kein wohlgeformtes XML")), qPrintable(h.punkteStatus()));
    QVERIFY2(h.punkteStatus().contains(QStringLiteral("notiz.txt: weder GPX")), qPrintable(h.punkteStatus()));
    // Whatever else is dragged over the window is not taken.
    QMimeData text;
    text.setText(QStringLiteral("50 07 20 8 41 30"));
    QDragEnterEvent betreten(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.f.get(), &betreten);
    QVERIFY(!betreten.isAccepted());
}

QTEST_MAIN(TstPunkte)
#include "tst_punkte.moc"
