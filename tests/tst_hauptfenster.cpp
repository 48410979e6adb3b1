// The main window: start state, layout, drive/folder/file choice, the
// computation and the end, driven by mouse and keyboard.
#include "fensterhilfe.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyleOptionGroupBox>
#include <QWheelEvent>

using namespace Vardekl;

class TstHauptfenster : public QObject {
    Q_OBJECT
private slots:
    void startZustand();
    void layout_data();
    void layout();
    void groesseAendernVerschiebtNichts();
    void skalierung();
    void tabReihenfolge();
    void ordnerUndDateiWaehlen();
    void dateiMitTastaturWaehlen();
    void ersterPfeilWaehltErsteDatei();
    void seltsameNamen();
    void ordnerwechselBehaeltDatei();
    void verschwundenerOrdner();
    void ordnerMitTastatur();
    void laufwerk_data();
    void laufwerk();
    void laufwerkBereit();
    void neuesLaufwerk_data();
    void neuesLaufwerk();
    void berechnen_data();
    void berechnen();
    void zweimalBerechnenHaeuftNichts();
    void berechnenScheitert_data();
    void berechnenScheitert();
    void berechnenOhneDatei();
    void ende();
};

void TstHauptfenster::startZustand()
{
    Hauptfenster h;
    QCOMPARE(h.f->windowTitle(), QStringLiteral("MTB - Bestimmung"));
    QVERIFY(h.w("drvLaufwerk")->hasFocus());
    for (const char* name : {"txtGebiet", "txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO", "txtMTB"})
        QVERIFY2(!h.box(name)->isEnabled(), name);
    QCOMPARE(h.box("txtSekN")->text(), QStringLiteral("00"));
    QCOMPARE(h.box("txtSekO")->text(), QStringLiteral("00"));
    QVERIFY(h.box("txtGradN")->text().isEmpty());
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    QVERIFY(h.knopf("cmdBerechnen")->isEnabled());
    QVERIFY(h.knopf("cmdNeueDatei")->isEnabled());
    QVERIFY(h.knopf("cmdEnde")->isEnabled());
    // The root of the first drive: "/" on Linux, "c:" and "c:\\" on Windows.
    QCOMPARE(gLaufwerk, plattform::startLaufwerk());
    QCOMPARE(gPfad, plattform::startPfad());
    QVERIFY(gPfad.endsWith(QDir::separator()) && !gPfad.endsWith(QString(2, QDir::separator())));
    QCOMPARE(gDatei, QStringLiteral(" "));
    const QString wurzel = QDir::cleanPath(QDir(plattform::startPfad()).absolutePath());
    auto* dateien = h.w<DateiListe>("filDatei");
    QCOMPARE(dateien->path(), wurzel);
    QCOMPARE(dateien->pattern(), QStringLiteral("*.txt"));
    QVERIFY(dateien->fileName().isEmpty());
    QCOMPARE(h.w<OrdnerListe>("dirVerzeichnis")->path(), wurzel);
    QCOMPARE(h.w<LaufwerkListe>("drvLaufwerk")->drive(), plattform::startLaufwerk());
    QVERIFY(h.meldungen.eintraege.isEmpty());
}

void TstHauptfenster::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    // Left, top, width, height in twips, from the layout of the window.
    QTest::newRow("Label2")        << "Label2"        << QRect(240, 120, 1575, 255);
    QTest::newRow("drvLaufwerk")   << "drvLaufwerk"   << QRect(240, 480, 2535, 315);
    QTest::newRow("dirVerzeichnis")<< "dirVerzeichnis"<< QRect(3120, 480, 2415, 1890);
    QTest::newRow("filDatei")      << "filDatei"      << QRect(3120, 2580, 2775, 870);
    QTest::newRow("cmdNeueDatei")  << "cmdNeueDatei"  << QRect(6000, 2580, 1575, 375);
    QTest::newRow("txtGebiet")     << "txtGebiet"     << QRect(1800, 3675, 2895, 285);
    QTest::newRow("Frame1")        << "Frame1"        << QRect(120, 4080, 4575, 1575);
    QTest::newRow("txtGradN")      << "txtGradN"      << QRect(1680, 480, 375, 285);
    QTest::newRow("txtSekN")       << "txtSekN"       << QRect(3120, 480, 375, 285);
    QTest::newRow("txtGradO")      << "txtGradO"      << QRect(1680, 1065, 375, 285);
    QTest::newRow("txtSekO")       << "txtSekO"       << QRect(3120, 1080, 375, 285);
    QTest::newRow("Label1_15")     << "Label1_15"     << QRect(3600, 360, 135, 255);
    QTest::newRow("Label4_1")      << "Label4_1"      << QRect(3885, 1125, 615, 285);
    QTest::newRow("txtMTB")        << "txtMTB"        << QRect(1920, 6000, 1815, 285);
    QTest::newRow("Label1_3")      << "Label1_3"      << QRect(240, 6000, 1215, 495);
    QTest::newRow("cmdBerechnen")  << "cmdBerechnen"  << QRect(240, 6720, 1575, 375);
    QTest::newRow("cmdSpeichern")  << "cmdSpeichern"  << QRect(2160, 6720, 1575, 375);
    QTest::newRow("cmdEnde")       << "cmdEnde"       << QRect(4080, 6720, 1575, 375);
}

void TstHauptfenster::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Hauptfenster h;
    const QRect px(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0), qRound(twips.width() / 15.0),
                   qRound(twips.height() / 15.0));
    QCOMPARE(h.w(name.toLatin1().constData())->geometry(), px);
    QCOMPARE(h.f->size(), QSize(512, 483));
}

void TstHauptfenster::groesseAendernVerschiebtNichts()
{
    Hauptfenster h;
    const QRect vorher = h.knopf("cmdEnde")->geometry();
    h.f->resize(800, 700);
    QCOMPARE(h.knopf("cmdEnde")->geometry(), vorher);
    h.f->resize(200, 150);
    QCOMPARE(h.knopf("cmdEnde")->geometry(), vorher);
}

// At every display scaling (ctest runs this at 100, 125, 150 and 200 % with
// QT_SCALE_FACTOR): no control is cut by its parent, the frame's caption
// stands on its top line with no box under it, and every label's text fits.
void TstHauptfenster::skalierung()
{
    Hauptfenster h;
    QVERIFY(QTest::qWaitForWindowExposed(h.f.get()));
    auto* rahmen = h.w<QGroupBox>("Frame1");
    for (QWidget* w : h.f->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(h.f.get()) || (w->parentWidget() != h.f.get() && w->parentWidget() != rahmen))
            continue;
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
    }

    QStyleOptionGroupBox opt;
    opt.initFrom(rahmen);
    opt.text = rahmen->title();
    opt.lineWidth = 1;
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    opt.textAlignment = rahmen->alignment();
    const QRect titel = rahmen->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, rahmen);
    const QRect linie = rahmen->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, rahmen);
    QVERIFY2(titel.top() < linie.top() && titel.bottom() > linie.top(), "caption not on the frame's top line");
    QVERIFY(linie.bottom() < rahmen->height());
    for (QWidget* w : rahmen->findChildren<QWidget*>()) {
        QVERIFY2(!w->geometry().intersects(titel), qPrintable(w->objectName()));
        QVERIFY2(linie.adjusted(1, 1, -1, -1).contains(w->geometry()), qPrintable(w->objectName()));
    }
    // The frame as drawn: its bottom line lies inside the picture.
    const QImage bild = rahmen->grab().toImage();
    const qreal faktor = bild.devicePixelRatio();
    const int x = int(bild.width() / 2), unten = int(linie.bottom() * faktor);
    QVERIFY(unten < bild.height());
    bool linieGezeichnet = false;
    for (int y = std::max(0, unten - 2); y < bild.height(); ++y)
        linieGezeichnet |= qGray(bild.pixel(x, y)) < 200;
    QVERIFY2(linieGezeichnet, "the frame's bottom line is not drawn");

    // Text sizes need fonts: the offscreen platform has none on Windows (Wine).
    if (QFontInfo(h.f->font()).family().isEmpty())
        return;
    for (QLabel* l : h.f->findChildren<QLabel*>()) {
        if (l->text().startsWith(u'\'') || l->text() == QStringLiteral("°"))
            continue;  // the marks stand above their boxes, drawn large, and may overhang
        const QRect noetig = l->fontMetrics().boundingRect(l->rect(), int(l->alignment()) | Qt::TextWordWrap, l->text());
        QVERIFY2(noetig.width() <= l->width() && noetig.height() <= l->height(),
                 qPrintable(QStringLiteral("%1 needs %2x%3, has %4x%5").arg(l->objectName()).arg(noetig.width())
                                .arg(noetig.height()).arg(l->width()).arg(l->height())));
    }
}

void TstHauptfenster::tabReihenfolge()
{
    Hauptfenster h;
    // Before a file is chosen the boxes are skipped, and so is the disabled
    // save button; the buttons of the map and of the finds come last.
    QStringList weg;
    for (int i = 0; i < 8; ++i) {
        weg << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(weg, QStringList({"drvLaufwerk", "dirVerzeichnis", "filDatei", "cmdNeueDatei", "cmdBerechnen", "cmdEnde",
                               "cmdKarte", "cmdFunde"}));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("drvLaufwerk"));

    h.waehleDatei();
    h.box("txtGradN")->setText("50");
    h.box("txtMinN")->setText("7");
    h.box("txtGradO")->setText("8");
    h.box("txtMinO")->setText("41");
    weg.clear();
    maus(h.box("txtGebiet"));
    for (int i = 0; i < 11; ++i) {
        weg << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(weg, QStringList({"txtGebiet", "txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO",
                               "cmdBerechnen", "cmdEnde", "cmdKarte", "cmdFunde"}));
    QVERIFY(h.meldungen.eintraege.isEmpty());
}

void TstHauptfenster::ordnerUndDateiWaehlen()
{
    Hauptfenster h;
    QDir(h.ordner()).mkdir("unter.txt");  // a folder is never a file
    for (const char* name : {"b.txt", "A.txt", "c.csv", "ohne", ".versteckt.txt", "GROSS.TXT", "x.txt.bak", "a.txt"})
        Hauptfenster::schreibe(h.datei(name), "x");
    h.oeffneOrdner(h.ordner());
    QCOMPARE(gPfad, h.ordner() + QDir::separator());
    QCOMPARE(gDatei, QStringLiteral(" "));
    auto* liste = h.w<DateiListe>("filDatei");
    QStringList gezeigt;
    // A name that starts with a dot is a name like any other: ".txt" is the
    // very file "Neue Datei" asks about when the name is left empty.
    QStringList erwartet{".versteckt.txt", "A.txt", "a.txt", "b.txt", "GROSS.TXT"};
    if (testplattform::Windows) {
        erwartet.removeOne("a.txt");  // the same file as A.txt there
    } else {
        // Links to files count as files, links to folders or devices do not.
        QFile::link(h.datei("b.txt"), h.datei("verweis.txt"));
        QFile::link(h.datei("unter.txt"), h.datei("ordnerverweis.txt"));
        QFile::link("/dev/null", h.datei("geraet.txt"));
        erwartet << "verweis.txt";
    }
    h.w<DateiListe>("filDatei")->setPath(QDir::rootPath());
    h.w<DateiListe>("filDatei")->setPath(h.ordner());
    for (int i = 0; i < liste->model()->rowCount(); ++i)
        gezeigt << liste->model()->index(i, 0).data().toString();
    QCOMPARE(gezeigt, erwartet);

    h.klickeDatei("b.txt");
    QCOMPARE(gDatei, h.datei("b.txt"));
    for (const char* name : {"txtGebiet", "txtGradN", "txtMinN", "txtSekN", "txtGradO", "txtMinO", "txtSekO"})
        QVERIFY2(h.box(name)->isEnabled(), name);
    QVERIFY(!h.box("txtMTB")->isEnabled());
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
}

void TstHauptfenster::dateiMitTastaturWaehlen()
{
    Hauptfenster h;
    Hauptfenster::schreibe(h.datei("eins.txt"), "");
    Hauptfenster::schreibe(h.datei("zwei.txt"), "");
    h.oeffneOrdner(h.ordner());
    auto* liste = h.w<DateiListe>("filDatei");
    liste->setFocus(Qt::TabFocusReason);
    QCOMPARE(gDatei, QStringLiteral(" "));  // entering the list chooses nothing
    QTest::keyClick(liste, Qt::Key_Space);
    QCOMPARE(gDatei, h.datei("eins.txt"));
    QTest::keyClick(liste, Qt::Key_Down);
    QCOMPARE(gDatei, h.datei("zwei.txt"));
    QVERIFY(h.box("txtGradN")->isEnabled());
}

// Tab into the list, then Down: the first file, not the second (as it used to be).
void TstHauptfenster::ersterPfeilWaehltErsteDatei()
{
    Hauptfenster h;
    Hauptfenster::schreibe(h.datei("eins.txt"), "");
    Hauptfenster::schreibe(h.datei("zwei.txt"), "");
    h.oeffneOrdner(h.ordner());
    auto* liste = h.w<DateiListe>("filDatei");
    liste->setFocus(Qt::TabFocusReason);
    QTest::keyClick(liste, Qt::Key_Down);
    QCOMPARE(gDatei, h.datei("eins.txt"));
    QTest::keyClick(liste, Qt::Key_Down);
    QCOMPARE(gDatei, h.datei("zwei.txt"));
}

// Odd names in the lists: a line break is drawn on one line, a link to a
// device is no folder.
void TstHauptfenster::seltsameNamen()
{
    if (testplattform::Windows)
        QSKIP("names with line breaks and links to devices are Unix things");
    Hauptfenster h;
    Hauptfenster::schreibe(h.datei("eins.txt"), "");
    Hauptfenster::schreibe(h.datei("zwei\nzeilen.txt"), "");
    QDir(h.ordner()).mkdir("echt");
    QFile::link(h.datei("echt"), h.datei("ordnerverweis"));
    QFile::link("/dev/full", h.datei("geraet"));
    h.oeffneOrdner(h.ordner());
    auto* ordner = h.w<OrdnerListe>("dirVerzeichnis");
    QVERIFY(!ordner->findItems("echt", Qt::MatchExactly).isEmpty());
    QVERIFY(!ordner->findItems("ordnerverweis", Qt::MatchExactly).isEmpty());
    QVERIFY(ordner->findItems("geraet", Qt::MatchExactly).isEmpty());
    auto* liste = h.w<DateiListe>("filDatei");
    QCOMPARE(liste->anzahl(), 2);
    QCOMPARE(liste->sizeHintForRow(1), liste->sizeHintForRow(0));
    h.klickeDatei("zwei\nzeilen.txt");
    QCOMPARE(gDatei, h.datei("zwei\nzeilen.txt"));
}

void TstHauptfenster::ordnerwechselBehaeltDatei()
{
    Hauptfenster h;
    QDir(h.ordner()).mkdir("anderer");
    h.waehleDatei();
    h.oeffneOrdner(h.datei("anderer"));
    QCOMPARE(gPfad, h.datei("anderer") + QDir::separator());
    QCOMPARE(gDatei, h.datei("funde.txt"));
    QVERIFY(h.box("txtGradN")->isEnabled());
}

void TstHauptfenster::verschwundenerOrdner()
{
    Hauptfenster h;
    QDir(h.ordner()).mkdir("weg");
    h.oeffneOrdner(h.ordner());
    auto* liste = h.w<OrdnerListe>("dirVerzeichnis");
    QDir(h.ordner()).rmdir("weg");
    const auto treffer = liste->findItems("weg", Qt::MatchExactly);
    QCOMPARE(treffer.size(), 1);
    doppelklick(liste->viewport(), sichtbarerPunkt(liste, liste->visualItemRect(treffer.first())));
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY(h.meldungen.eintraege[0].text.contains(h.datei("weg")));
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Quadrix"));
    QCOMPARE(liste->path(), QDir::fromNativeSeparators(h.ordner()));
    QCOMPARE(gPfad, h.ordner() + QDir::separator());
}

// Typing a folder's name finds it, Enter opens it.
void TstHauptfenster::ordnerMitTastatur()
{
    Hauptfenster h;
    QDir(h.ordner()).mkdir("zweig");
    QDir(h.ordner()).mkdir("ast");
    auto* liste = h.w<OrdnerListe>("dirVerzeichnis");
    QVERIFY(liste->setPath(QFileInfo(h.ordner()).absolutePath()));
    liste->setFocus();
    tippeText(liste, QFileInfo(h.ordner()).fileName());
    QTest::keyClick(liste, Qt::Key_Return);
    QCOMPARE(liste->path(), QDir::fromNativeSeparators(h.ordner()));
    QTest::qWait(500);  // a new search starts after a pause
    tippeText(liste, "zw");
    QTest::keyClick(liste, Qt::Key_Return);
    QCOMPARE(gPfad, h.datei("zweig") + QDir::separator());
    // Back up: the parent is the entry above the current folder.
    QTest::keyClick(liste, Qt::Key_Up);
    QTest::keyClick(liste, Qt::Key_Return);
    QCOMPARE(gPfad, h.ordner() + QDir::separator());
}

void TstHauptfenster::laufwerk_data()
{
    QTest::addColumn<int>("bereitschaft");
    QTest::addColumn<QString>("beschreibung");
    QTest::newRow("not ready, label")     << int(Dateisystem::Bereitschaft::NichtBereit) << "STICK";
    QTest::newRow("not ready, no label")  << int(Dateisystem::Bereitschaft::NichtBereit) << "";
    QTest::newRow("vanished")             << int(Dateisystem::Bereitschaft::Unbekannt) << "NETZ";
}

void TstHauptfenster::laufwerk()
{
    QFETCH(int, bereitschaft);
    QFETCH(QString, beschreibung);
    Hauptfenster h;
    h.fs.zusatz = {{"/media/stick", beschreibung}};
    h.fs.bereitschaft["/media/stick"] = Dateisystem::Bereitschaft(bereitschaft);
    h.waehleDatei();
    auto* drv = h.w<LaufwerkListe>("drvLaufwerk");
    drv->setFocus();
    QTest::keyClick(drv, Qt::Key_Down);
    const QString eintrag = beschreibung.isEmpty() ? "/media/stick" : "/media/stick [" + beschreibung + "]";
    QCOMPARE(drv->drive(), eintrag);
    QCOMPARE(h.meldungen.texte(), QStringList("Laufwerk " + eintrag + " ist nicht verfügbar!"));
    QVERIFY(h.meldungen.eintraege[0].ausrufezeichen);
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Quadrix"));
    QCOMPARE(gLaufwerk, QStringLiteral("/media/stick"));
    QCOMPARE(gPfad, h.ordner() + QDir::separator());
    QCOMPARE(gDatei, h.datei("funde.txt"));
    QCOMPARE(h.w<OrdnerListe>("dirVerzeichnis")->path(), QDir::fromNativeSeparators(h.ordner()));
}

void TstHauptfenster::laufwerkBereit()
{
    Hauptfenster h;
    // A drive whose root is the temporary folder, listed with a label.
    h.fs.zusatz = {{h.ordner(), "DATEN"}};
    Hauptfenster::schreibe(h.datei("a.txt"), "");
    auto* drv = h.w<LaufwerkListe>("drvLaufwerk");
    drv->setFocus();
    QTest::keyClick(drv, Qt::Key_Down);
    QVERIFY(h.meldungen.eintraege.isEmpty());
    QCOMPARE(gLaufwerk, h.ordner());
    QCOMPARE(gPfad, h.ordner() + QDir::separator());
    QCOMPARE(h.w<DateiListe>("filDatei")->path(), QDir::fromNativeSeparators(h.ordner()));
    QCOMPARE(h.w<DateiListe>("filDatei")->anzahl(), 1);
    // Back to the root: one separator, never two.
    QTest::keyClick(drv, Qt::Key_Up);
    QCOMPARE(gPfad, plattform::startPfad());
    QCOMPARE(gLaufwerk, plattform::startLaufwerk());
}

// A stick or network drive connected after the start appears whenever the
// list is opened or stepped through, however that is done.
void TstHauptfenster::neuesLaufwerk_data()
{
    QTest::addColumn<QString>("weg");
    QTest::newRow("mouse opens the list") << "maus";
    QTest::newRow("Alt+Down")             << "alt+runter";
    QTest::newRow("F4")                   << "f4";
    QTest::newRow("arrow key")            << "runter";
    QTest::newRow("wheel")                << "rad";
}

void TstHauptfenster::neuesLaufwerk()
{
    QFETCH(QString, weg);
    Hauptfenster h;
    auto* drv = h.w<LaufwerkListe>("drvLaufwerk");
    QCOMPARE(drv->count(), 1);
    h.fs.zusatz = {{"/media/stick", "STICK"}};
    drv->setFocus();
    if (weg == "maus") {
        maus(drv);
    } else if (weg == "alt+runter") {
        QTest::keyClick(drv, Qt::Key_Down, Qt::AltModifier);
    } else if (weg == "f4") {
        QTest::keyClick(drv, Qt::Key_F4);
    } else if (weg == "runter") {
        QTest::keyClick(drv, Qt::Key_Down);
    } else {
        const QPointF mitte = drv->rect().center();
        QWheelEvent rad(mitte, drv->mapToGlobal(mitte), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
        QApplication::sendEvent(drv, &rad);
    }
    if (QWidget* liste = QApplication::activePopupWidget())
        liste->close();
    QCOMPARE(drv->count(), 2);
    QCOMPARE(drv->itemText(1), QStringLiteral("/media/stick [STICK]"));
}

void TstHauptfenster::berechnen_data()
{
    QTest::addColumn<QStringList>("eingabe");
    QTest::addColumn<QString>("mtb");
    QTest::addColumn<double>("breite");
    QTest::addColumn<double>("laenge");
    QTest::newRow("Stadtwald")          << QStringList{"50", "07", "20", "8", "41", "30"} << "5818/3/3/2/1/1"
                                        << 50.0 + 7.0 / 60 + 20.0 / 3600 << 8.0 + 41.5 / 60;
    QTest::newRow("both sheet lines")   << QStringList{"50", "0", "00", "10", "0", "00"}  << "6026/1/1/1/1/1" << 50.0 << 10.0;
    QTest::newRow("60 s carry")         << QStringList{"49", "29", "60", "10", "44", "60"} << "6530/1/2/2/2/2" << 49.5 << 10.75;
    QTest::newRow("row below 10")       << QStringList{"55", "03", "00", "8", "25", "00"} << "916/3/2/2/2/2"
                                        << 55.05 << 8.0 + 25.0 / 60;
    QTest::newRow("origin")             << QStringList{"0", "0", "00", "0", "0", "00"}     << "560-34/1/1/1/1/1" << 0.0 << 0.0;
}

void TstHauptfenster::berechnen()
{
    QFETCH(QStringList, eingabe);
    QFETCH(QString, mtb);
    QFETCH(double, breite);
    QFETCH(double, laenge);
    Hauptfenster h;
    h.waehleDatei();
    h.koordinaten(eingabe);
    QTest::keyClick(h.knopf("cmdBerechnen"), Qt::Key_Space);
    QCOMPARE(h.box("txtMTB")->text(), mtb);
    QCOMPARE(h.f->dblBreite, breite);
    QCOMPARE(h.f->dblLaenge, laenge);
    QVERIFY(h.knopf("cmdSpeichern")->isEnabled());
    QVERIFY(h.meldungen.eintraege.isEmpty());
}

void TstHauptfenster::zweimalBerechnenHaeuftNichts()
{
    Hauptfenster h;
    h.waehleDatei();
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    h.klicke("cmdBerechnen");
    QCOMPARE(h.box("txtMTB")->text(), QStringLiteral("5818/3/3/2/1/1"));
}

void TstHauptfenster::berechnenScheitert_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("meldungEnthaelt");
    QTest::addColumn<double>("breite");
    QTest::addColumn<double>("laenge");
    // What stays done: the latitude is stored before the longitude texts are
    // read, each decimal value before its row or column can overflow.
    const double b = 50.0 + 7.0 / 60 + 20.0 / 3600, l = 8.0 + 41.5 / 60;
    QTest::newRow("empty minutes north") << "txtMinN"  << ""      << "Minuten (Nord)" << b << l;
    QTest::newRow("empty seconds east")  << "txtSekO"  << ""      << "Sekunden (Ost)" << b << l;
    QTest::newRow("overflow north")      << "txtGradN" << "99999" << "Überlauf" << 99999.0 + 7.0 / 60 + 20.0 / 3600 << l;
    QTest::newRow("overflow east")       << "txtGradO" << "99999" << "Überlauf" << b << 99999.0 + 41.5 / 60;
}

// A failed computation shows one message, leaves the save button disabled
// and keeps what was computed before the failing text.
void TstHauptfenster::berechnenScheitert()
{
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QString, meldungEnthaelt);
    QFETCH(double, breite);
    QFETCH(double, laenge);
    Hauptfenster h;
    h.waehleDatei();
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    QCOMPARE(h.box("txtMTB")->text(), QStringLiteral("5818/3/3/2/1/1"));

    // Change one box, then leave it for the file list, which runs no check.
    h.tippe(feld.toLatin1().constData(), text);
    maus(h.w<DateiListe>("filDatei")->viewport(), QPoint(5, 50));
    h.klicke("cmdBerechnen");
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY2(h.meldungen.eintraege[0].text.contains(meldungEnthaelt), qPrintable(h.meldungen.eintraege[0].text));
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Quadrix"));
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    QCOMPARE(h.box("txtMTB")->text(), QStringLiteral("5818/3/3/2/1/1"));
    QCOMPARE(h.f->dblBreite, breite);
    QCOMPARE(h.f->dblLaenge, laenge);
    QVERIFY(h.f->isVisible());
}

// Right after the start the boxes are disabled until a file is chosen: the
// message used to ask for a number in a box nobody could type into.
void TstHauptfenster::berechnenOhneDatei()
{
    Hauptfenster h;
    maus(h.knopf("cmdBerechnen"));
    QCOMPARE(h.meldungen.texte(),
             QStringList({QStringLiteral("Es ist noch keine Datei der Fundorte gewählt. Wählen Sie zuerst eine Datei "
                                         "aus oder legen Sie mit „Neue Datei“ eine an; dann lassen sich Gebietsname "
                                         "und Koordinaten eingeben und das MTB berechnen.")}));
    QCOMPARE(h.meldungen.eintraege[0].titel, QStringLiteral("Quadrix"));
    QVERIFY(h.meldungen.eintraege[0].ausrufezeichen);
    QVERIFY(!h.knopf("cmdSpeichern")->isEnabled());
    QVERIFY(h.box("txtMTB")->text().isEmpty());
    QCOMPARE(h.f->dblBreite, 0.0);
}

void TstHauptfenster::ende()
{
    Hauptfenster h;
    h.waehleDatei();
    h.koordinaten({"50", "07", "20", "8", "41", "30"});
    h.klicke("cmdBerechnen");
    // Unsaved result: still no question.
    // An access key presses the button visibly and clicks it a moment later.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(!h.f->isVisible());
    QVERIFY(h.meldungen.eintraege.isEmpty());
}

QTEST_MAIN(TstHauptfenster)
#include "tst_hauptfenster.moc"
