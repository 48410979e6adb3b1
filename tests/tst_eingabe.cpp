// The entry boxes: select on entry, key filters, checks when the focus leaves.
#include "fensterhilfe.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

const QString WertFehlt = QStringLiteral("Geben Sie einen Wert ein!");
const QString Grad90 = QStringLiteral("Geben Sie einen Winkel zwischen 0 und 90 Grad ein!");
const QString Grad360 = QStringLiteral("Geben Sie einen Winkel zwischen 0 und 360 Grad ein!");
const QString MinSek = QStringLiteral("Geben Sie einen Wert zwischen 0 und 60 ein!");

// A window with a chosen file and valid coordinates in every box.
struct Bereit : Hauptfenster {
    Bereit()
    {
        waehleDatei();
        koordinaten({"50", "07", "20", "8", "41", "30"});
    }
};

}  // namespace

class TstEingabe : public QObject {
    Q_OBJECT
private slots:
    void filter_data();
    void filter();
    void backspaceUndEntf();
    void strgKombinationen_data();
    void strgKombinationen();
    void einfuegenFiltert_data();
    void einfuegenFiltert();
    void eintretenWaehltAlles();
    void pruefung_data();
    void pruefung();
    void abbruchVorMeldungAuswahlDanach();
    void shiftTabPrueft();
    void mausklickInAnderesFeldPrueft();
    void berechnenKlickWirdVerschluckt();
    void zugriffstasteWirdVerschluckt();
    void zugriffstasteBewegtFokus_data();
    void zugriffstasteBewegtFokus();
    void ohnePruefungWeiter_data();
    void ohnePruefungWeiter();
    void nieBetretenNieGeprueft();
};

void TstEingabe::filter_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("ergebnis");
    QTest::newRow("digits pass")             << "txtGradN"  << "0123456789"          << "0123456789";
    QTest::newRow("non-digits dropped")      << "txtMinN"   << "1a -+.,2"            << "12";
    QTest::newRow("umlaut in number")        << "txtSekO"   << "ä5"                  << "5";
    QTest::newRow("area: letters, digits")   << "txtGebiet" << "azAZ09"              << "azAZ09";
    QTest::newRow("area: punctuation")       << "txtGebiet" << "_/ .-"               << "_/ .-";
    QTest::newRow("area: umlauts")           << "txtGebiet" << "äöüÄÖÜ"              << "äöüÄÖÜ";
    QTest::newRow("area: dropped")           << "txtGebiet" << "ßé,;:!\"'(é)"        << "";
    QTest::newRow("area: mixed")             << "txtGebiet" << "Grünwald-Süd, Teil 2" << "Grünwald-Süd Teil 2";
}

void TstEingabe::filter()
{
    QFETCH(QString, feld);
    QFETCH(QString, getippt);
    QFETCH(QString, ergebnis);
    Hauptfenster h;
    h.waehleDatei();
    h.tippe(feld.toLatin1().constData(), getippt);
    QCOMPARE(h.box(feld.toLatin1().constData())->text(), ergebnis);
    QVERIFY(h.meldungen.eintraege.isEmpty());
}

void TstEingabe::strgKombinationen_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<int>("taste");
    QTest::addColumn<QString>("ergebnis");
    // These used to bypass the filter: Ctrl+Backspace deleted the word, Ctrl+U and Ctrl+K emptied the box.
    QTest::newRow("Ctrl+Backspace in degrees") << "txtGradN" << int(Qt::Key_Backspace) << "45";
    QTest::newRow("Ctrl+U in degrees")         << "txtGradN" << int(Qt::Key_U)         << "45";
    QTest::newRow("Ctrl+K in degrees")         << "txtGradN" << int(Qt::Key_K)         << "45";
    QTest::newRow("Ctrl+H in degrees")         << "txtGradN" << int(Qt::Key_H)         << "45";
    QTest::newRow("Ctrl+W in seconds")         << "txtSekO"  << int(Qt::Key_W)         << "45";
    QTest::newRow("Ctrl+Backspace in area")    << "txtGebiet" << int(Qt::Key_Backspace) << "45";
    QTest::newRow("Ctrl+U in area")            << "txtGebiet" << int(Qt::Key_U)        << "45";
}

void TstEingabe::strgKombinationen()
{
    QFETCH(QString, feld);
    QFETCH(int, taste);
    QFETCH(QString, ergebnis);
    Hauptfenster h;
    h.waehleDatei();
    const QByteArray name = feld.toLatin1();
    h.tippe(name.constData(), "45");
    QTest::keyClick(h.box(name.constData()), Qt::Key(taste), Qt::ControlModifier);
    QCOMPARE(h.box(name.constData())->text(), ergebnis);
    // The clipboard keys and select-all keep working.
    QTest::keyClick(h.box(name.constData()), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(h.box(name.constData()), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(h.box(name.constData())->text(), QString());
    QTest::keyClick(h.box(name.constData()), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.box(name.constData())->text(), ergebnis);
}

void TstEingabe::backspaceUndEntf()
{
    Hauptfenster h;
    h.waehleDatei();
    h.tippe("txtGradN", "12");
    QTest::keyClick(h.box("txtGradN"), Qt::Key_Backspace);
    QCOMPARE(h.box("txtGradN")->text(), QStringLiteral("12"));
    QTest::keyClick(h.box("txtGradN"), Qt::Key_Home);
    QTest::keyClick(h.box("txtGradN"), Qt::Key_Delete);
    QCOMPARE(h.box("txtGradN")->text(), QStringLiteral("2"));

    h.tippe("txtGebiet", "Wald");
    QTest::keyClick(h.box("txtGebiet"), Qt::Key_Backspace);
    QCOMPARE(h.box("txtGebiet")->text(), QStringLiteral("Wal"));
    QTest::keyClick(h.box("txtGebiet"), Qt::Key_Left);
    QTest::keyClick(h.box("txtGebiet"), Qt::Key_Delete);
    QCOMPARE(h.box("txtGebiet")->text(), QStringLiteral("Wa"));
    // Enter inserts nothing and is not passed on.
    QTest::keyClick(h.box("txtGebiet"), Qt::Key_Return);
    QCOMPARE(h.box("txtGebiet")->text(), QStringLiteral("Wa"));
    QVERIFY(h.box("txtGebiet")->hasFocus());
}

void TstEingabe::einfuegenFiltert_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("ablage");
    QTest::addColumn<QString>("ergebnis");
    QTest::newRow("digits and blanks") << "txtGradO"  << " 8 "               << "8";
    QTest::newRow("no tab or newline") << "txtGebiet" << "Wald\tWeg\r\nß"    << "WaldWeg";
    QTest::newRow("nothing admitted")  << "txtGebiet" << "§$%"               << "";
}

void TstEingabe::einfuegenFiltert()
{
    QFETCH(QString, feld);
    QFETCH(QString, ablage);
    QFETCH(QString, ergebnis);
    Hauptfenster h;
    h.waehleDatei();
    h.tippe(feld.toLatin1().constData(), "");
    QGuiApplication::clipboard()->setText(ablage);
    QTest::keyClick(h.box(feld.toLatin1().constData()), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h.box(feld.toLatin1().constData())->text(), ergebnis);
}

void TstEingabe::eintretenWaehltAlles()
{
    Bereit h;
    // By Tab (Shift+Tab back from the next box) and by mouse.
    maus(h.box("txtMinN"));
    QCOMPARE(h.box("txtMinN")->selectedText(), QStringLiteral("07"));
    QTest::keyClick(h.box("txtMinN"), Qt::Key_Backtab);
    QVERIFY(h.box("txtGradN")->hasFocus());
    QCOMPARE(h.box("txtGradN")->selectedText(), QStringLiteral("50"));
    QTest::keyClick(h.box("txtGradN"), Qt::Key_9);
    QCOMPARE(h.box("txtGradN")->text(), QStringLiteral("9"));  // typing replaces the old value
    // An empty box: nothing to select.
    h.tippe("txtGebiet", "");
    QTest::keyClick(h.box("txtGebiet"), Qt::Key_Tab);
    maus(h.box("txtGebiet"));
    QVERIFY(h.box("txtGebiet")->selectedText().isEmpty());
}

void TstEingabe::pruefung_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("meldung");  // empty: accepted
    QTest::newRow("N empty")        << "txtGradN" << ""      << WertFehlt;
    QTest::newRow("N 0")            << "txtGradN" << "0"     << "";
    QTest::newRow("N 00")           << "txtGradN" << "00"    << "";
    QTest::newRow("N 090")          << "txtGradN" << "090"   << "";
    QTest::newRow("N 90")           << "txtGradN" << "90"    << "";
    QTest::newRow("N 91")           << "txtGradN" << "91"    << Grad90;
    QTest::newRow("N 99999")        << "txtGradN" << "99999" << Grad90;
    QTest::newRow("N 20 digits")    << "txtGradN" << "99999999999999999999" << Grad90;
    QTest::newRow("O 360")          << "txtGradO" << "360"   << "";
    QTest::newRow("O 361")          << "txtGradO" << "361"   << Grad360;
    QTest::newRow("O empty")        << "txtGradO" << ""      << WertFehlt;
    QTest::newRow("min N 60")       << "txtMinN"  << "60"    << "";
    QTest::newRow("min N 61")       << "txtMinN"  << "61"    << MinSek;
    QTest::newRow("sec N 00")       << "txtSekN"  << "00"    << "";
    QTest::newRow("sec N empty")    << "txtSekN"  << ""      << WertFehlt;
    QTest::newRow("min O 61")       << "txtMinO"  << "61"    << MinSek;
    QTest::newRow("sec O 60")       << "txtSekO"  << "60"    << "";
    QTest::newRow("sec O 32768")    << "txtSekO"  << "32768" << MinSek;
}

// Tab out of the box: accepted moves on; refused keeps the focus with the
// message, and a range failure selects the whole text.
void TstEingabe::pruefung()
{
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QString, meldung);
    Bereit h;
    const QByteArray name = feld.toLatin1();
    h.tippe(name.constData(), text);
    QTest::keyClick(h.box(name.constData()), Qt::Key_Tab);
    if (meldung.isEmpty()) {
        QVERIFY(h.meldungen.eintraege.isEmpty());
        QVERIFY(!h.box(name.constData())->hasFocus());
        return;
    }
    QCOMPARE(h.meldungen.texte(), QStringList(meldung));
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Quadrix"));
    QCOMPARE(h.meldungen.eintraege[0].knoepfe, Meldungen::Knoepfe::OK);
    QVERIFY(!h.meldungen.eintraege[0].ausrufezeichen);
    QVERIFY(h.box(name.constData())->hasFocus());
    QCOMPARE(h.box(name.constData())->text(), text);
    QCOMPARE(h.box(name.constData())->selectedText(), text);
    // The check runs again at the next attempt.
    QTest::keyClick(h.box(name.constData()), Qt::Key_Tab);
    QCOMPARE(h.meldungen.eintraege.size(), 2);
}

void TstEingabe::abbruchVorMeldungAuswahlDanach()
{
    Bereit h;
    h.tippe("txtMinO", "75");
    bool fokusImFeld = false;
    QString auswahlBeiMeldung = QStringLiteral("?");
    h.meldungen.beimZeigen = [&] {
        fokusImFeld = h.box("txtMinO")->hasFocus();
        auswahlBeiMeldung = h.box("txtMinO")->selectedText();
    };
    QTest::keyClick(h.box("txtMinO"), Qt::Key_Tab);
    QVERIFY(fokusImFeld);
    QCOMPARE(auswahlBeiMeldung, QString());        // not yet selected while the box is open
    QCOMPARE(h.box("txtMinO")->selectedText(), QStringLiteral("75"));  // selected after it closed
}

void TstEingabe::shiftTabPrueft()
{
    Bereit h;
    h.tippe("txtGradN", "");
    QTest::keyClick(h.box("txtGradN"), Qt::Key_Backtab);
    QCOMPARE(h.meldungen.texte(), QStringList(WertFehlt));
    QVERIFY(h.box("txtGradN")->hasFocus());
}

void TstEingabe::mausklickInAnderesFeldPrueft()
{
    Bereit h;
    h.tippe("txtGradO", "400");
    maus(h.box("txtGebiet"));
    QCOMPARE(h.meldungen.texte(), QStringList(Grad360));
    QVERIFY(h.box("txtGradO")->hasFocus());
    QCOMPARE(h.box("txtGradO")->selectedText(), QStringLiteral("400"));
}

void TstEingabe::berechnenKlickWirdVerschluckt()
{
    Bereit h;
    h.tippe("txtSekN", "");
    h.klicke("cmdBerechnen");
    QCOMPARE(h.meldungen.texte(), QStringList(WertFehlt));
    QVERIFY(h.box("txtMTB")->text().isEmpty());  // nothing computed
    QVERIFY(h.box("txtSekN")->hasFocus());
    // Corrected, the same click computes.
    tippeText(h.box("txtSekN"), "20");
    h.klicke("cmdBerechnen");
    QCOMPARE(h.box("txtMTB")->text(), QStringLiteral("5818/3/3/2/1/1"));
}

void TstEingabe::zugriffstasteWirdVerschluckt()
{
    Bereit h;
    h.tippe("txtGradN", "91");
    QTest::keyClick(h.box("txtGradN"), Qt::Key_B, Qt::AltModifier);
    QTest::qWait(200);  // an accepted access key would click after a moment
    QCOMPARE(h.meldungen.texte(), QStringList(Grad90));
    QVERIFY(h.box("txtMTB")->text().isEmpty());
    QVERIFY(h.box("txtGradN")->hasFocus());
}

void TstEingabe::zugriffstasteBewegtFokus_data()
{
    QTest::addColumn<int>("taste");
    QTest::addColumn<QString>("knopf");
    QTest::newRow("Alt+B") << int(Qt::Key_B) << "cmdBerechnen";
    QTest::newRow("Alt+S") << int(Qt::Key_S) << "cmdSpeichern";
    QTest::newRow("Alt+N") << int(Qt::Key_N) << "cmdNeueDatei";
}

// An access key used to press its button and leave the focus in the box.
void TstEingabe::zugriffstasteBewegtFokus()
{
    QFETCH(int, taste);
    QFETCH(QString, knopf);
    Bereit h;
    h.klicke("cmdBerechnen");  // so that "Speichern" is enabled
    maus(h.box("txtSekO"));
    QTest::keyClick(h.box("txtSekO"), Qt::Key(taste), Qt::AltModifier);
    QTRY_VERIFY2(h.knopf(knopf.toLatin1().constData())->hasFocus(), qPrintable(knopf));
    QVERIFY(h.meldungen.eintraege.isEmpty());
    // The tab order goes on from the button.
    QWidget* danach = h.knopf(knopf.toLatin1().constData())->nextInFocusChain();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), danach->focusProxy() ? danach->focusProxy() : QApplication::focusWidget());
    if (auto* d = h.f->neueDatei())
        d->close();
}

void TstEingabe::ohnePruefungWeiter_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::newRow("file list")   << "filDatei";
    QTest::newRow("folder list") << "dirVerzeichnis";
    QTest::newRow("drive list")  << "drvLaufwerk";
    QTest::newRow("new file")    << "cmdNeueDatei";
    QTest::newRow("end")         << "cmdEnde";
}

// Lists and the buttons other than "MTB berechnen" act at once, unchecked.
void TstEingabe::ohnePruefungWeiter()
{
    QFETCH(QString, ziel);
    Bereit h;
    h.tippe("txtGradN", "");
    QWidget* w = h.w(ziel.toLatin1().constData());
    if (auto* liste = qobject_cast<QAbstractScrollArea*>(w))
        maus(liste->viewport(), QPoint(3, 3));
    else
        maus(w);
    QVERIFY(h.meldungen.eintraege.isEmpty());
    if (ziel == "cmdEnde")
        QVERIFY(!h.f->isVisible());
    else if (ziel == "drvLaufwerk")
        QVERIFY(!h.box("txtGradN")->hasFocus());
    else if (ziel == "cmdNeueDatei")
        QVERIFY(h.f->neueDatei() && h.f->neueDatei()->isVisible());
    else
        QVERIFY(w->hasFocus());
}

void TstEingabe::nieBetretenNieGeprueft()
{
    Hauptfenster h;
    h.waehleDatei();
    // Degrees and minutes are empty; the focus never was in them.
    maus(h.box("txtGebiet"));
    tippeText(h.box("txtGebiet"), "Wald");
    h.klicke("cmdBerechnen");
    // Only the computation complains, about the first text it cannot use.
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY(!h.meldungen.texte().contains(WertFehlt));
    QVERIFY(h.meldungen.eintraege[0].text.contains("Grad (Nord)"));
}

QTEST_MAIN(TstEingabe)
#include "tst_eingabe.moc"
