// The window "Neue Datei" and how the main window takes a new file over.
#include "fensterhilfe.h"
#include "files/frmNeueDatei.h"
#include "records/fundortformat.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

const QByteArray Kopf = "Gebietsname\tMTB/Q/UQ\tGrad(Nord)\tMin.(Nord)\tSek.(Nord)\tNord\tGrad(Ost)\tMin.(Ost)\t"
                        "Sek.(Ost)\tOst\tKoord. Nord(Grad)\tNord\tKoord. Ost(Grad)\tOst\r\n";
const QString Frage = QStringLiteral("Die Datei existiert schon! Soll sie überschrieben werden?");
const QString NameFehlt = QStringLiteral("Filenamen eingeben!");

struct MitDialog : Hauptfenster {
    MitDialog()
    {
        oeffneOrdner(ordner());
        oeffnen();
    }
    void oeffnen()
    {
        klicke("cmdNeueDatei");
        QVERIFY(f->neueDatei());
        QVERIFY(QTest::qWaitForWindowActive(dialog()));
    }
    frmNeueDatei* dialog() const { return f->neueDatei(); }
    Textfeld* name() const { return dialog()->txtFilnam; }
    void ok() { maus(dialog()->cmdOK); }
    // The dialog closed and the user is back in the main window.
    void zurueck()
    {
        QTRY_VERIFY(!f->neueDatei());
        aktivieren();
    }
};

}  // namespace

class TstNeueDatei : public QObject {
    Q_OBJECT
private slots:
    void oeffnen();
    void vorgeschlagenerName();
    void filter_data();
    void filter();
    void einfuegenFiltert();
    void leererName_data();
    void leererName();
    void ueberschreiben_data();
    void ueberschreiben();
    void zweimalOeffnen();
    void schliessenSchreibtNichts();
    void endeMitOffenemDialog();
    void fruehesAktivieren();
    void aktivierenOhneNeueDatei();
    void ordnerNichtBeschreibbar();
    void dateiSchreibgeschuetzt();
    void datentraegerVoll_data();
    void datentraegerVoll();
    void dateiVonDerDerSpeichertWird();
};

void TstNeueDatei::oeffnen()
{
    MitDialog h;
    QCOMPARE(h.dialog()->windowTitle(), QStringLiteral("Neue Datei"));
    QVERIFY(h.f->blnNeueDatei);
    QCOMPARE(h.name()->text(), QStringLiteral("fundorte"));
    QCOMPARE(h.name()->selectedText(), QStringLiteral("fundorte"));
    QVERIFY(h.name()->hasFocus());
    QCOMPARE(h.dialog()->size(), QSize(239, 62));
    QCOMPARE(h.dialog()->cmdOK->geometry(), QRect(176, 24, 33, 25));
    // Enter in the name box is dropped and does not press OK.
    QTest::keyClick(h.name(), Qt::Key_Return);
    QVERIFY(h.dialog());
    QVERIFY(!QFile::exists(h.datei("fundorte.txt")));
}

void TstNeueDatei::vorgeschlagenerName()
{
    MitDialog h;
    h.ok();
    h.zurueck();
    QCOMPARE(Hauptfenster::lies(h.datei("fundorte.txt")), Kopf);
    QCOMPARE(QByteArray::fromStdString(fundort::kopfzeile()), Kopf);
    QCOMPARE(Vardekl::gDatei, h.datei("fundorte.txt"));
    QCOMPARE(h.w<DateiListe>("filDatei")->fileName(), QStringLiteral("fundorte.txt"));
    for (const char* n : {"txtGebiet", "txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO"})
        QVERIFY2(h.box(n)->isEnabled(), n);
    QVERIFY(!h.f->blnNeueDatei);
    QVERIFY(h.meldungen.eintraege.isEmpty());
    // A later return changes nothing.
    h.f->Form_Activate();
    QCOMPARE(Vardekl::gDatei, h.datei("fundorte.txt"));
}

void TstNeueDatei::filter_data()
{
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("name");
    QTest::newRow("letters digits underscore") << "Funde_2026ab" << "Funde_2026ab";
    QTest::newRow("blank minus dot")           << "a b-c.d"      << "abcd";
    QTest::newRow("umlaut and sharp s")        << "Bär_ß"        << "Br_";
    QTest::newRow("separators")                << "x/y\\z:"      << "xyz";
}

void TstNeueDatei::filter()
{
    QFETCH(QString, getippt);
    QFETCH(QString, name);
    MitDialog h;
    tippeText(h.name(), getippt);  // replaces the selected proposal
    QTest::keyClick(h.name(), Qt::Key_Backspace);  // dropped
    QCOMPARE(h.name()->text(), name);
    h.ok();
    h.zurueck();
    QCOMPARE(Hauptfenster::lies(h.datei(name + ".txt")), Kopf);
}

void TstNeueDatei::einfuegenFiltert()
{
    MitDialog h;
    QGuiApplication::clipboard()->setText("../böse Datei.csv");
    QTest::keyClick(h.name(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.name()->text(), QStringLiteral("bseDateicsv"));
}

void TstNeueDatei::leererName_data()
{
    QTest::addColumn<bool>("txtDa");
    QTest::addColumn<int>("antwort");
    QTest::newRow("no .txt")                << false << int(Meldungen::Antwort::Nein);
    QTest::newRow(".txt exists, answer no") << true  << int(Meldungen::Antwort::Nein);
    QTest::newRow(".txt exists, answer yes")<< true  << int(Meldungen::Antwort::Ja);
}

void TstNeueDatei::leererName()
{
    QFETCH(bool, txtDa);
    QFETCH(int, antwort);
    MitDialog h;
    Vardekl::gDatei = QStringLiteral("/frueher/gewaehlt.txt");
    if (txtDa)
        Hauptfenster::schreibe(h.datei(".txt"), "alt\r\n");
    h.meldungen.antworten = {Meldungen::Antwort(antwort)};
    QTest::keyClick(h.name(), Qt::Key_Delete);
    QVERIFY(h.name()->text().isEmpty());
    h.ok();
    QStringList erwartet;
    if (txtDa)
        erwartet << Frage;
    erwartet << NameFehlt;
    QCOMPARE(h.meldungen.texte(), erwartet);
    for (const auto& m : h.meldungen.eintraege) {
        QCOMPARE(m.titel, QStringLiteral("Neue Datei"));
        QVERIFY(m.ausrufezeichen);
    }
    QCOMPARE(h.meldungen.eintraege.last().knoepfe, Meldungen::Knoepfe::OK);
    QVERIFY(h.dialog() && h.dialog()->isVisible());
    QCOMPARE(Vardekl::gDatei, QStringLiteral("/frueher/gewaehlt.txt"));
    QCOMPARE(Hauptfenster::lies(h.datei(".txt")), txtDa ? QByteArray("alt\r\n") : QByteArray("<fehlt>"));
}

void TstNeueDatei::ueberschreiben_data()
{
    QTest::addColumn<int>("antwort");
    QTest::addColumn<bool>("ersetzt");
    QTest::newRow("yes") << int(Meldungen::Antwort::Ja) << true;
    QTest::newRow("no")  << int(Meldungen::Antwort::Nein) << false;
}

void TstNeueDatei::ueberschreiben()
{
    QFETCH(int, antwort);
    QFETCH(bool, ersetzt);
    MitDialog h;
    const QByteArray alt = Kopf + "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n";
    Hauptfenster::schreibe(h.datei("fundorte.txt"), alt);
    Vardekl::gDatei = Vardekl::KeineDatei;
    h.meldungen.antworten = {Meldungen::Antwort(antwort)};
    h.ok();
    QCOMPARE(h.meldungen.eintraege[0].text, Frage);
    // Enter must not empty a file: "Nein" is the default.
    QCOMPARE(h.meldungen.eintraege[0].knoepfe, Meldungen::Knoepfe::JaNeinVorgabeNein);
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Neue Datei"));
    if (ersetzt) {
        QCOMPARE(h.meldungen.eintraege.size(), 1);
        h.zurueck();
        QCOMPARE(Hauptfenster::lies(h.datei("fundorte.txt")), Kopf);
        QCOMPARE(Vardekl::gDatei, h.datei("fundorte.txt"));
    } else {
        QCOMPARE(h.meldungen.texte(), QStringList({Frage, NameFehlt}));
        QCOMPARE(Hauptfenster::lies(h.datei("fundorte.txt")), alt);
        QCOMPARE(Vardekl::gDatei, Vardekl::KeineDatei);  // never the declined file
        QVERIFY(h.dialog()->isVisible());
        QCOMPARE(h.name()->selectedText(), QStringLiteral("fundorte"));
    }
}

void TstNeueDatei::zweimalOeffnen()
{
    MitDialog h;
    tippeText(h.name(), "halb");
    frmNeueDatei* erster = h.dialog();
    h.aktivieren();
    h.oeffnen();
    QCOMPARE(h.dialog(), erster);
    QCOMPARE(h.name()->text(), QStringLiteral("halb"));
    QVERIFY(h.f->blnNeueDatei);
}

void TstNeueDatei::schliessenSchreibtNichts()
{
    MitDialog h;
    tippeText(h.name(), "verworfen");
    h.dialog()->close();
    h.zurueck();
    QVERIFY(QDir(h.ordner()).entryList(QDir::Files).isEmpty());
    QCOMPARE(Vardekl::gDatei, Vardekl::KeineDatei);
    QVERIFY(!h.box("txtGradN")->isEnabled());
    // Opened again, it starts afresh.
    h.oeffnen();
    QCOMPARE(h.name()->text(), QStringLiteral("fundorte"));
}

void TstNeueDatei::endeMitOffenemDialog()
{
    MitDialog h;
    h.aktivieren();
    h.klicke("cmdEnde");
    QVERIFY(!h.f->isVisible());
    QVERIFY(h.dialog() && h.dialog()->isVisible());
    h.dialog()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.dialog()));
    h.ok();
    QTRY_VERIFY(!h.f->neueDatei());
    QCOMPARE(Hauptfenster::lies(h.datei("fundorte.txt")), Kopf);
    // No window of the program is left, so the program ends.
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

// Back in the main window while the dialog is still open: nothing changes
// then, and the file created afterwards is still taken over.
void TstNeueDatei::fruehesAktivieren()
{
    MitDialog h;
    h.aktivieren();
    QVERIFY(!h.f->blnNeueDatei);
    QVERIFY(!h.box("txtGradN")->isEnabled());
    QCOMPARE(Vardekl::gDatei, Vardekl::KeineDatei);
    h.dialog()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.dialog()));
    h.ok();
    h.zurueck();
    QCOMPARE(h.w<DateiListe>("filDatei")->fileName(), QStringLiteral("fundorte.txt"));
    QVERIFY(h.box("txtGradN")->isEnabled());
    QCOMPARE(Vardekl::gDatei, h.datei("fundorte.txt"));
}

void TstNeueDatei::aktivierenOhneNeueDatei()
{
    Hauptfenster h;
    h.waehleDatei();
    h.f->Form_Activate();
    QCOMPARE(h.w<DateiListe>("filDatei")->fileName(), QStringLiteral("funde.txt"));
    QCOMPARE(Vardekl::gDatei, h.datei("funde.txt"));
}

void TstNeueDatei::ordnerNichtBeschreibbar()
{
    Hauptfenster h;
    const QString ro = schreibgeschuetzterOrdner(h.ordner());
    if (ro.isEmpty())
        QSKIP("no folder here that nobody may write");
    QVERIFY(h.w<OrdnerListe>("dirVerzeichnis")->setPath(ro));
    h.klicke("cmdNeueDatei");
    QVERIFY(QTest::qWaitForWindowActive(h.f->neueDatei()));
    tippeText(h.f->neueDatei()->txtFilnam, "quadrixtest");
    maus(h.f->neueDatei()->cmdOK);
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    const auto& m = h.meldungen.eintraege[0];
    QVERIFY2(m.text.contains(ro + "/quadrixtest.txt") && m.text.contains("Berechtigung"), qPrintable(m.text));
    QCOMPARE(m.titel, QStringLiteral("Neue Datei"));
    QVERIFY(h.f->neueDatei() && h.f->neueDatei()->isVisible());
    QCOMPARE(Vardekl::gDatei, Vardekl::KeineDatei);
    QFile::setPermissions(h.ordner(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Replacing goes through a new file and a rename, which only the folder's
// permission governs: a file the user may not write used to be emptied.
void TstNeueDatei::dateiSchreibgeschuetzt()
{
    if (testplattform::schreibtAlles())
        QSKIP("this user may write every file (root); ctest runs this test as an ordinary user too");
    MitDialog h;
    const QByteArray alt = Kopf + "Wald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n";
    const QString datei = h.datei("nurlesen.txt");
    Hauptfenster::schreibe(datei, alt);
    QFile::setPermissions(datei, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    Vardekl::gDatei = Vardekl::KeineDatei;
    h.name()->selectAll();
    tippeText(h.name(), "nurlesen");
    h.meldungen.antworten = {Meldungen::Antwort::Ja};
    h.ok();
    QCOMPARE(h.meldungen.eintraege.size(), 2);
    QCOMPARE(h.meldungen.eintraege[0].text, Frage);
    const auto& m = h.meldungen.eintraege[1];
    QCOMPARE(m.text, QStringLiteral("Die Datei „%1“ konnte nicht angelegt werden. Sie haben keine Berechtigung, in "
                                    "diese Datei oder diesen Ordner zu schreiben. Die vorhandene Datei ist "
                                    "unverändert. Wählen Sie einen anderen Namen oder Ordner.")
                         .arg(QDir::toNativeSeparators(datei)));
    QCOMPARE(m.titel, QStringLiteral("Neue Datei"));
    QVERIFY(m.ausrufezeichen);
    QCOMPARE(Hauptfenster::lies(datei), alt);
    QVERIFY(h.dialog() && h.dialog()->isVisible());
    QCOMPARE(Vardekl::gDatei, Vardekl::KeineDatei);
    QCOMPARE(QDir(h.ordner()).entryList(QDir::Files | QDir::Hidden), QStringList({"nurlesen.txt"}));
    QFile::setPermissions(datei, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TstNeueDatei::datentraegerVoll_data()
{
    QTest::addColumn<QByteArray>("vorher");
    QTest::addColumn<QString>("wahr");
    // Replacing after "Ja" used to empty the file first, so a failure left it empty.
    QTest::newRow("replace after Ja") << QByteArray(Kopf + "Wald\t5818\r\nWiese\t5819\r\n")
                                      << "Die vorhandene Datei ist unverändert.";
    // A failed creation used to leave an empty file, and the next try asked "existiert schon".
    QTest::newRow("new file") << QByteArray() << "Es wurde keine Datei angelegt.";
}

// The disk is full: the message says what is true, and the disk holds what it held.
void TstNeueDatei::datentraegerVoll()
{
    QFETCH(QByteArray, vorher);
    QFETCH(QString, wahr);
    MitDialog h;
    const QString datei = h.datei("fundorte.txt");
    if (!vorher.isEmpty()) {
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(vorher);
    }
    h.meldungen.antworten = {Meldungen::Antwort::Ja};
    {
        const testplattform::Groessengrenze grenze(0);
        if (!grenze.aktiv())
            QSKIP("no file-size limit on this platform");
        h.ok();
    }
    const QStringList texte = h.meldungen.texte();
    QVERIFY2(texte.last().contains("voll") && texte.last().contains(wahr), qPrintable(texte.last()));
    QVERIFY(h.dialog() && h.dialog()->isVisible());
    if (vorher.isEmpty())
        QVERIFY(!QFile::exists(datei));
    else
        QCOMPARE(Hauptfenster::lies(datei), vorher);
    QCOMPARE(QDir(h.ordner()).entryList(QDir::Files | QDir::Hidden).size(), vorher.isEmpty() ? 0 : 1);
    // The next try, with room on the disk, asks only when a file was there.
    h.meldungen.eintraege.clear();
    h.meldungen.antworten = {Meldungen::Antwort::Ja};
    h.ok();
    QCOMPARE(h.meldungen.texte().contains(Frage), !vorher.isEmpty());
    h.zurueck();
    QCOMPARE(Hauptfenster::lies(datei), Kopf);
}

// The folder changes while the dialog is open: the file goes into the folder
// shown at OK, and records go to it.
void TstNeueDatei::dateiVonDerDerSpeichertWird()
{
    MitDialog h;
    QDir(h.ordner()).mkdir("unter");
    h.aktivieren();
    QVERIFY(h.w<OrdnerListe>("dirVerzeichnis")->setPath(h.datei("unter")));
    h.dialog()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.dialog()));
    h.ok();
    h.zurueck();
    QCOMPARE(Vardekl::gDatei, h.datei("unter/fundorte.txt"));
    QCOMPARE(h.w<DateiListe>("filDatei")->fileName(), QStringLiteral("fundorte.txt"));
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    h.klicke("cmdSpeichern");
    QCOMPARE(Hauptfenster::lies(h.datei("unter/fundorte.txt")).count('\n'), 2);
}

QTEST_MAIN(TstNeueDatei)
#include "tst_neuedatei.moc"
