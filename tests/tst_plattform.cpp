// The real platform pieces on the system the tests run on (Linux, or
// Windows under Wine): drives, their entries, names with umlauts.
#include "platform/gui/dateisystem.h"
#include "platform/gui/fensterplatz.h"
#include "platform/gui/listen.h"
#include "platform/gui/meldungen.h"
#include "testplattform.h"
#include "platform/textdatei.h"
#include "common/vardekl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TstPlattform : public QObject {
    Q_OBJECT
private slots:
    void laufwerke();
    void bereitschaft();
    void eintragUndBezeichnung_data();
    void eintragUndBezeichnung();
    void umlauteImPfad();
    void ordnerMitEinemTrenner();
    void meldungsKnoepfe_data();
    void meldungsKnoepfe();
    void frageKnoepfe();
    void fensterplaetze();
    void unterordner();
};

// The real boxes as they are built, before they are shown: which button
// Enter presses and which Escape. Enter on "Soll sie überschrieben werden?"
// used to empty the file.
void TstPlattform::meldungsKnoepfe_data()
{
    QTest::addColumn<int>("knoepfe");
    QTest::addColumn<QStringList>("texte");
    QTest::addColumn<QString>("enter");
    QTest::addColumn<QString>("escape");
    QTest::newRow("OK")            << int(Meldungen::Knoepfe::OK) << QStringList{"OK"} << "" << "";
    QTest::newRow("Ja/Nein")       << int(Meldungen::Knoepfe::JaNein) << QStringList{"&Ja", "&Nein"} << "&Ja" << "&Nein";
    QTest::newRow("Ja/Nein, Nein") << int(Meldungen::Knoepfe::JaNeinVorgabeNein) << QStringList{"&Ja", "&Nein"}
                                   << "&Nein" << "&Nein";
}

void TstPlattform::meldungsKnoepfe()
{
    QFETCH(int, knoepfe);
    QFETCH(QStringList, texte);
    QFETCH(QString, enter);
    QFETCH(QString, escape);
    const auto box = QtMeldungen::box(nullptr, "Die Datei existiert schon! Soll sie überschrieben werden?",
                                      Meldungen::Knoepfe(knoepfe), true, "Neue Datei");
    QStringList da;
    for (QAbstractButton* k : box->buttons())
        da << k->text();
    da.sort();
    QCOMPARE(da, texte);
    QCOMPARE(box->windowTitle(), QStringLiteral("Neue Datei"));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    if (!enter.isEmpty()) {
        QVERIFY(box->defaultButton());
        QCOMPARE(box->defaultButton()->text(), enter);
        QCOMPARE(box->escapeButton()->text(), escape);
    }
}

void TstPlattform::frageKnoepfe()
{
    const auto box = QtMeldungen::frageBox(nullptr, "Woher?", {"Von der &Karte (Potsdam)", "Vom &GPS-Gerät (WGS84)"},
                                           "Quadrix");
    QCOMPARE(box->buttons().size(), 3);
    QCOMPARE(box->defaultButton()->text(), QStringLiteral("Von der &Karte (Potsdam)"));
    QCOMPARE(box->escapeButton()->text(), QStringLiteral("Abbrechen"));
    QCOMPARE(box->windowTitle(), QStringLiteral("Quadrix"));
}

// Each further copy takes the next free place and a step right and down;
// a place a copy left is taken again, the first copy keeps the spot it has;
// the file a crashed copy left behind holds no place.
void TstPlattform::fensterplaetze()
{
    QTemporaryDir ordner;
    QFile liegengeblieben(ordner.filePath(QStringLiteral("quadrix-fenster-0.lock")));
    QVERIFY(liegengeblieben.open(QIODevice::WriteOnly));
    liegengeblieben.write("4711\nquadrix\n");
    liegengeblieben.close();
    auto erster = std::make_unique<Fensterplatz>(ordner.path());
    auto zweiter = std::make_unique<Fensterplatz>(ordner.path());
    auto dritter = std::make_unique<Fensterplatz>(ordner.path());
    QCOMPARE(erster->nummer(), 0);
    QCOMPARE(erster->versatz(), QPoint(0, 0));
    QCOMPARE(zweiter->nummer(), 1);
    QVERIFY(zweiter->versatz().x() > 10 && zweiter->versatz().x() == zweiter->versatz().y());
    QCOMPARE(dritter->nummer(), 2);
    QCOMPARE(dritter->versatz(), zweiter->versatz() * 2);
    zweiter.reset();
    QCOMPARE(Fensterplatz(ordner.path()).nummer(), 1);
    erster.reset();
    QCOMPARE(Fensterplatz(ordner.path()).nummer(), 0);
}

void TstPlattform::laufwerke()
{
    const EchtesDateisystem fs;
    const auto liste = fs.laufwerke();
    QVERIFY(!liste.isEmpty());
    QCOMPARE(liste.first().bezeichnung, plattform::startLaufwerk());
    QStringList bezeichnungen;
    for (const auto& l : liste)
        bezeichnungen << l.bezeichnung;
    // Wine maps the Unix root as Z:.
    if (testplattform::Windows)
        QVERIFY2(bezeichnungen.contains("z:"), qPrintable(bezeichnungen.join(' ')));
    for (const auto& l : liste)
        QCOMPARE(Dateisystem::bezeichnungAus(l.eintrag()), l.bezeichnung);
}

void TstPlattform::bereitschaft()
{
    const EchtesDateisystem fs;
    QCOMPARE(fs.laufwerkBereit(plattform::startLaufwerk()), Dateisystem::Bereitschaft::Bereit);
    const QString weg = testplattform::Windows ? QStringLiteral("q:") : QStringLiteral("/gibt/es/nicht");
    QCOMPARE(fs.laufwerkBereit(weg), Dateisystem::Bereitschaft::Unbekannt);
    QCOMPARE(fs.laufwerkBereit(QString()), Dateisystem::Bereitschaft::Unbekannt);
}

void TstPlattform::eintragUndBezeichnung_data()
{
    QTest::addColumn<QString>("bezeichnung");
    QTest::addColumn<QString>("beschreibung");
    QTest::addColumn<QString>("eintrag");
    QTest::newRow("drive with label")      << "c:"            << "SYSTEM"           << "c: [SYSTEM]";
    QTest::newRow("drive without label")   << "a:"            << ""                 << "a:";
    QTest::newRow("network drive")         << "n:"            << "\\\\server\\funde" << "n: [\\\\server\\funde]";
    QTest::newRow("root")                  << "/"             << ""                 << "/";
    // Taking the text before the first "[" used to cut this to /mnt/eck.
    QTest::newRow("bracket in mount point") << "/mnt/eck[ig]" << ""                 << "/mnt/eck[ig] [eck(ig)]";
    QTest::newRow("bracket in label")      << "/media/x"      << "Fotos [alt]"      << "/media/x [Fotos (alt)]";
    QTest::newRow("both")                  << "/m/a[1]"       << "b]c["             << "/m/a[1] [b)c(]";
}

// Whatever a drive is called, its designation can be read back from its entry.
void TstPlattform::eintragUndBezeichnung()
{
    QFETCH(QString, bezeichnung);
    QFETCH(QString, beschreibung);
    QFETCH(QString, eintrag);
    const Dateisystem::Laufwerk l{bezeichnung, beschreibung};
    QCOMPARE(l.eintrag(), eintrag);
    QCOMPARE(Dateisystem::bezeichnungAus(eintrag), bezeichnung);
}

void TstPlattform::umlauteImPfad()
{
    QTemporaryDir tmp;
    const QString ordner = QDir::toNativeSeparators(tmp.filePath(QStringLiteral("Fundstellen_äöüß")));
    QVERIFY(QDir().mkpath(ordner));
    const QString datei = Vardekl::alsPfad(ordner) + QStringLiteral("Grünwald.TXT");
    QVERIFY(textdatei::ersetzen(datei.toStdU16String(), "Kopf\r\n"));
    QVERIFY(textdatei::anhaengen(datei.toStdU16String(), "Gr\xfcnwald\t5818\r\n"));
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Kopf\r\nGr\xfcnwald\t5818\r\n"));
    // "*.txt" finds it, whatever the case of its extension.
    DateiListe liste;
    liste.setPattern(QStringLiteral("*.txt"));
    liste.setPath(QDir::fromNativeSeparators(ordner));
    QCOMPARE(liste.anzahl(), 1);
    QCOMPARE(liste.model()->index(0, 0).data().toString(), QStringLiteral("Grünwald.TXT"));
}

// The folder list shows the folder's ancestors, then its subfolders sorted
// without regard to case; links to folders count, files, hidden folders and
// links to devices or to nothing do not. The file list that follows the
// folder list sees the same folder's files, and a file made since on reading again.
void TstPlattform::unterordner()
{
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    for (const char* name : {"b", "A", "c.txt", "Zweig", "ähre"})
        QVERIFY(d.mkdir(QString::fromUtf8(name)));
    QStringList erwartet{"A", "b", "c.txt", "Zweig", "ähre"};
    QVERIFY(textdatei::ersetzen(d.filePath("datei.txt").toStdU16String(), "x"));
    // Windows hides a folder by its attribute (Wine gives it to dot folders).
    QVERIFY(d.mkdir(".versteckt"));
    if (!testplattform::Windows) {
        QVERIFY(QFile::link(d.filePath("Zweig"), d.filePath("verweis")));
        QVERIFY(QFile::link("/dev/null", d.filePath("geraet")));
        QVERIFY(QFile::link(d.filePath("fehlt"), d.filePath("ins_leere")));
        erwartet.insert(erwartet.indexOf("Zweig"), "verweis");
    }
    OrdnerListe ordner;
    DateiListe dateien;
    dateien.setPattern(QStringLiteral("*.txt"));
    QObject::connect(&ordner, &OrdnerListe::Change, &dateien, [&] { dateien.setPath(ordner.path()); });
    QVERIFY(ordner.setPath(tmp.path()));
    QStringList gezeigt;
    for (int i = ordner.currentRow() + 1; i < ordner.count(); ++i)
        gezeigt << ordner.item(i)->text();
    QCOMPARE(gezeigt, erwartet);
    QCOMPARE(ordner.item(ordner.currentRow())->text(), QFileInfo(tmp.path()).fileName());
    QCOMPARE(dateien.anzahl(), 1);

    QVERIFY(textdatei::ersetzen(d.filePath("neu.txt").toStdU16String(), "x"));
    dateien.setPath(QDir::rootPath());
    dateien.setPath(tmp.path());
    QCOMPARE(dateien.anzahl(), 2);
}

void TstPlattform::ordnerMitEinemTrenner()
{
    const QChar t = QDir::separator();
    QCOMPARE(Vardekl::alsPfad(plattform::startPfad()), plattform::startPfad());
    QCOMPARE(Vardekl::alsPfad(QDir::fromNativeSeparators(plattform::startPfad())), plattform::startPfad());
    QCOMPARE(Vardekl::alsPfad(QStringLiteral("x/daten")), QStringLiteral("x") + t + "daten" + t);
    QCOMPARE(Vardekl::alsPfad(QStringLiteral("x/daten/")), QStringLiteral("x") + t + "daten" + t);
}

QTEST_MAIN(TstPlattform)
#include "tst_plattform.moc"
