// Saving a record: the bytes in the file, the save button, the failures.
// Runs once under a German and once under an English locale.
#include "files/fehlertexte.h"
#include "fensterhilfe.h"

#include <QLocale>

namespace {

using namespace Qt::StringLiterals;

// The decimal separator the records must carry under the locale of this run.
char erwartetesKomma()
{
    return QLocale::system().decimalPoint() == u"," ? ',' : '.';
}

QByteArray zeile(QByteArray felder)
{
    felder.replace(';', '\t');
    felder.replace(',', erwartetesKomma());
    return felder + "\r\n";
}

struct Gespeichert : Hauptfenster {
    void rechneUndSpeichere(const QString& gebiet, const QStringList& koordinaten)
    {
        tippe("txtGebiet", gebiet);
        this->koordinaten(koordinaten);
        klicke("cmdBerechnen");
        QVERIFY(knopf("cmdSpeichern")->isEnabled());
        klicke("cmdSpeichern");
    }
};

}  // namespace

class TstSpeichern : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void datensatz_data();
    void datensatz();
    void zweimalGleicheZeile();
    void fehlendeDateiOhneKopf();
    void letzteZeileOhneZeilenende();
    void knopfZustaende();
    void gebietAendernLaesstKnopf();
    void zugriffstaste();
    void fehler_data();
    void fehler();
    void keineDateiGewaehlt();
    void ordnerStattDatei();
    void steuerzeichenImGebiet();
};

void TstSpeichern::initTestCase()
{
    qInfo() << "locale" << QLocale::system().name() << "decimal point" << QLocale::system().decimalPoint();
    const QString name = QLocale::system().name();
    QVERIFY2(name.startsWith("de") || name.startsWith("en"), "run under a German or English locale");
    QCOMPARE(erwartetesKomma(), name.startsWith("de") ? ',' : '.');
}

void TstSpeichern::datensatz_data()
{
    QTest::addColumn<QString>("gebiet");
    QTest::addColumn<QStringList>("koordinaten");
    QTest::addColumn<QByteArray>("erwartet");  // ';' stands for TAB, ',' for the decimal separator
    QTest::newRow("Stadtwald")      << "Stadtwald" << QStringList{"50", "07", "20", "8", "41", "30"}
                                    << "Stadtwald;5818/3/3/2/1/1;50;07;20;N;8;41;30;O;50,1222;N;8,6917;O"_ba;
    QTest::newRow("seconds 00")     << "Ried" << QStringList{"49", "30", "", "10", "45", ""}
                                    << "Ried;6530/1/2/2/2/2;49;30;00;N;10;45;00;O;49,5000;N;10,7500;O"_ba;
    QTest::newRow("zero")           << "" << QStringList{"0", "0", "", "123", "27", "24"}
                                    << ";560706/2/1/2/2/2;0;0;00;N;123;27;24;O;0,0000;N;123,4567;O"_ba;
    QTest::newRow("umlauts")        << "äöü ÄÖÜ" << QStringList{"50", "07", "20", "8", "41", "30"}
                                    << "\xe4\xf6\xfc \xc4\xd6\xdc;5818/3/3/2/1/1;50;07;20;N;8;41;30;O;50,1222;N;8,6917;O"_ba;
}

void TstSpeichern::datensatz()
{
    QFETCH(QString, gebiet);
    QFETCH(QStringList, koordinaten);
    QFETCH(QByteArray, erwartet);
    Gespeichert h;
    h.waehleDatei("funde.txt", "Kopf\r\n");
    h.rechneUndSpeichere(gebiet, koordinaten);
    QVERIFY(h.meldungen.eintraege.isEmpty());
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")), "Kopf\r\n" + zeile(erwartet));
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
}

void TstSpeichern::zweimalGleicheZeile()
{
    Gespeichert h;
    h.waehleDatei();
    h.rechneUndSpeichere("Wald", {"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdSpeichern");  // disabled: no second record
    h.klicke("cmdBerechnen");
    h.klicke("cmdSpeichern");
    const QByteArray z = zeile("Wald;5818/3/3/2/1/1;50;07;20;N;8;41;30;O;50,1222;N;8,6917;O");
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")), z + z);
}

void TstSpeichern::fehlendeDateiOhneKopf()
{
    Gespeichert h;
    h.waehleDatei();
    QFile::remove(h.datei("funde.txt"));
    h.rechneUndSpeichere("Wald", {"50", "07", "20", "8", "41", "30"});
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")),
             zeile("Wald;5818/3/3/2/1/1;50;07;20;N;8;41;30;O;50,1222;N;8,6917;O"));
}

void TstSpeichern::letzteZeileOhneZeilenende()
{
    Gespeichert h;
    h.waehleDatei("alt.txt", "Kopf\r\nalt;Datensatz");
    h.rechneUndSpeichere("Wald", {"50", "07", "20", "8", "41", "30"});
    QCOMPARE(Hauptfenster::lies(h.datei("alt.txt")),
             "Kopf\r\nalt;Datensatz\r\n" + zeile("Wald;5818/3/3/2/1/1;50;07;20;N;8;41;30;O;50,1222;N;8,6917;O"));
}

void TstSpeichern::knopfZustaende()
{
    Gespeichert h;
    h.waehleDatei();
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    // Any change of a coordinate after the computation: the result no longer matches.
    h.tippe("txtSekO", "31");
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    h.klicke("cmdSpeichern");
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")), QByteArray());
    h.klicke("cmdBerechnen");
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    h.klicke("cmdSpeichern");
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")),
             zeile(";5818/3/3/2/1/1;50;07;20;N;8;41;31;O;50,1222;N;8,6919;O"));
}

void TstSpeichern::gebietAendernLaesstKnopf()
{
    Gespeichert h;
    h.waehleDatei();
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    h.tippe("txtGebiet", "Neuer Name");
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    h.klicke("cmdSpeichern");
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")),
             zeile("Neuer Name;5818/3/3/2/1/1;50;07;20;N;8;41;30;O;50,1222;N;8,6917;O"));
}

void TstSpeichern::zugriffstaste()
{
    Gespeichert h;
    h.waehleDatei();
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(h.knopf("cmdSpeichern")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    QCOMPARE(Hauptfenster::lies(h.datei("funde.txt")).count('\n'), 1);
}

void TstSpeichern::fehler_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<QString>("ursache");
    QTest::newRow("full disk")              << "<voll>"  << "voll";
    QTest::newRow("full disk, file gone")   << "<weg+voll>" << "voll";
    QTest::newRow("a device, no file")      << "<geraet>" << "keine gewöhnliche Datei";
    QTest::newRow("read-only folder")       << "<ro>"    << "Berechtigung";
    QTest::newRow("folder vanished")        << "<weg>"   << "Ordner existiert nicht";
    // "Systemfehler Nr. 36" used to be all a user was told.
    QTest::newRow("name too long")          << "<lang>"  << "zu lang";
}

// The message names the file and the cause; the button stays enabled; the
// file holds what it held; the program goes on.
void TstSpeichern::fehler()
{
    QFETCH(QString, ziel);
    QFETCH(QString, ursache);
    Gespeichert h;
    h.waehleDatei("funde.txt", "Kopf\r\n");
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    QByteArray vorher;
    const bool voll = ziel.endsWith("voll>");
    if (ziel == "<ro>") {
        const QString ro = schreibgeschuetzterOrdner(h.ordner());
        if (ro.isEmpty())
            QSKIP("no folder here that nobody may write");
        ziel = ro + "/quadrix-test.txt";
    } else if (ziel == "<weg>") {
        ziel = h.datei("weg/funde.txt");
    } else if (ziel == "<lang>") {
        ziel = h.datei(QString(300, u'x') + ".txt");
    } else if (ziel == "<geraet>") {
        ziel = QString::fromStdU16String(testplattform::geraet().u16string());
    } else {
        const bool weg = ziel == "<weg+voll>";
        ziel = h.datei("funde.txt");
        // The chosen file was deleted meanwhile: saving must not leave it behind empty.
        if (weg)
            QFile::remove(ziel);
        else
            vorher = Hauptfenster::lies(ziel);
    }
    Vardekl::gDatei = ziel;
    {
        const testplattform::Groessengrenze grenze(voll ? vorher.size() : 1LL << 40);
        if (voll && !grenze.aktiv())
            QSKIP("no file-size limit on this platform");
        h.klicke("cmdSpeichern");
    }
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    const auto& m = h.meldungen.eintraege[0];
    QVERIFY2(m.text.contains(Fehlertexte::kurzerPfad(ziel)) && m.text.contains(ursache), qPrintable(m.text));
    // No word of the message is wider than a screen.
    for (const QString& wort : m.text.split(u' '))
        QVERIFY2(wort.size() <= 100, qPrintable(wort));
    QCOMPARE(m.titel, QStringLiteral("Quadrix"));
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    if (vorher.isEmpty())
        QVERIFY(!QFile::exists(ziel) || ziel == QString::fromStdU16String(testplattform::geraet().u16string()));
    else
        QCOMPARE(Hauptfenster::lies(ziel), vorher);
    QFile::setPermissions(h.ordner(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TstSpeichern::keineDateiGewaehlt()
{
    Gespeichert h;
    h.waehleDatei();
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    Vardekl::gDatei = Vardekl::KeineDatei;
    h.klicke("cmdSpeichern");
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY(h.meldungen.eintraege[0].text.contains("keine Datei"));
    QVERIFY(!QFile::exists(" "));
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
}

// A folder has taken the chosen file's place: there is no file that could be
// "unchanged", and the message says what is there.
void TstSpeichern::ordnerStattDatei()
{
    Gespeichert h;
    h.waehleDatei("funde.txt", "Kopf\r\n");
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    QVERIFY(QFile::remove(h.datei("funde.txt")));
    QVERIFY(QDir(h.ordner()).mkdir("funde.txt"));
    h.klicke("cmdSpeichern");
    QCOMPARE(h.meldungen.texte(),
             QStringList({QStringLiteral("Der Fundort konnte nicht in die Datei „%1“ gespeichert werden: An ihrer "
                                         "Stelle steht jetzt ein Ordner dieses Namens. Es wurde nichts gespeichert. "
                                         "Wählen Sie eine Datei aus oder legen Sie mit „Neue Datei“ eine an.")
                              .arg(h.datei("funde.txt"))}));
    QVERIFY(QFileInfo(h.datei("funde.txt")).isDir());
    QVERIFY(QDir(h.datei("funde.txt")).isEmpty());
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
}

void TstSpeichern::steuerzeichenImGebiet()
{
    Gespeichert h;
    h.waehleDatei("funde.txt", "Kopf\r\n");
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    // Not even program code can put a TAB or line break into the box, so a
    // record always keeps its 14 columns (the writer would refuse one too).
    h.box("txtGebiet")->setText("Wald\tweg\r\n");
    QCOMPARE(h.box("txtGebiet")->text(), QStringLiteral("Waldweg"));
    h.klicke("cmdSpeichern");
    QVERIFY(h.meldungen.eintraege.isEmpty());
    const QByteArray inhalt = Hauptfenster::lies(h.datei("funde.txt"));
    QCOMPARE(inhalt.count('\t'), 13);
    QCOMPARE(inhalt.count('\n'), 2);
}

QTEST_MAIN(TstSpeichern)
#include "tst_speichern.moc"
