// The window "Funde": a find-location file of 200 records listed, filtered,
// corrected by typing, a record deleted and the deletion undone; the file's
// bytes compared with the expected ones. Changes that meet a file another
// program wrote to, a file that may not be written, keys the boxes refuse,
// and the tables given out.
#include "map/frmFunde.h"
#include "map/frmKarte.h"
#include "map/kartenansicht.h"

#include "fensterhilfe.h"
#include "grid/mtb.h"
#include "meldungsrekorder.h"
#include "records/fundortformat.h"
#include "testplattform.h"

#include <QComboBox>
#include <cmath>
#include <cstdio>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

namespace {

KartenFenster* fabrik(const quadrix::Transformation* beta, const QString& fehler, const QString& cache)
{
    return new frmKarte(beta, fehler, cache);
}

// A record line as the window saves it (German locale: decimal comma).
QByteArray satz(const char* gebiet, int gn, int mn, int sn, int go, int mo, int so)
{
    auto zwei = [](int v) {
        char t[8];
        std::snprintf(t, sizeof t, "%02d", v);
        return std::string(t);
    };
    fundort::Datensatz d{gebiet, "", std::to_string(gn), zwei(mn), zwei(sn), std::to_string(go), zwei(mo), zwei(so)};
    const mtb::Berechnung b = mtb::berechne(d.gradN, d.minN, d.sekN, d.gradO, d.minO, d.sekO);
    d.mtb = b.ergebnis->text();
    d.breite = b.ergebnis->breite;
    d.laenge = b.ergebnis->laenge;
    return QByteArray::fromStdString(*fundort::datensatzZeile(d, ',').bytes);
}

struct MitFunden : Hauptfenster {
    MitFunden()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
        f->anbindung.karte = fabrik;
    }
    // Chooses the file in the main window and opens "Funde" with its button.
    frmFunde* oeffne(const QByteArray& inhalt)
    {
        waehleDatei(QStringLiteral("funde.txt"), inhalt);
        maus(knopf("cmdFunde"));
        auto* karte = static_cast<frmKarte*>(f->karte());
        return karte ? karte->funde() : nullptr;
    }
    QString pfad() const { return datei(QStringLiteral("funde.txt")); }
};

QTableWidget* tabelle(frmFunde* w) { return w->tabelle(); }

// The row that shows line nr of the file (from 1).
int reihe(frmFunde* w, int nr)
{
    for (int r = 0; r < tabelle(w)->rowCount(); ++r)
        if (tabelle(w)->item(r, frmFunde::Nr)->data(Qt::DisplayRole).toInt() == nr)
            return r;
    return -1;
}

int sichtbar(frmFunde* w)
{
    int n = 0;
    for (int r = 0; r < tabelle(w)->rowCount(); ++r)
        n += !tabelle(w)->isRowHidden(r);
    return n;
}

// Types into a cell as a user does: F2 opens its box, the text replaces
// what is selected there, Enter takes it.
void tippe(frmFunde* w, int nr, int spalte, const QString& text)
{
    QTableWidget* t = tabelle(w);
    const int r = reihe(w, nr);
    QVERIFY(r >= 0);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    t->setFocus();
    t->setCurrentCell(r, spalte);
    QTest::keyClick(t, Qt::Key_F2);
    QWidget* box = QApplication::focusWidget();
    QVERIFY(box && box != t && t->isAncestorOf(box));
    tippeText(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    // The view takes the text and closes the box in its next round of events.
    QTRY_VERIFY(QApplication::focusWidget() == t);
}

QPushButton* knopfIn(frmFunde* w, const char* name) { return w->findChild<QPushButton*>(QLatin1String(name)); }

// Another program appends bytes to the file: a shell on Linux, cmd on Windows.
bool andererProzessHaengtAn(const QString& datei, const QByteArray& bytes)
{
    const QString quelle = datei + QStringLiteral(".anhang");
    {
        QFile f(quelle);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
    }
#ifdef _WIN32
    const int status = QProcess::execute(QStringLiteral("cmd"), {QStringLiteral("/c"), QStringLiteral("type"),
                                                                  QDir::toNativeSeparators(quelle), QStringLiteral(">>"),
                                                                  QDir::toNativeSeparators(datei)});
#else
    const int status = QProcess::execute(QStringLiteral("/bin/sh"),
                                         {QStringLiteral("-c"), QStringLiteral("cat \"$1\" >> \"$2\""),
                                          QStringLiteral("sh"), quelle, datei});
#endif
    QFile::remove(quelle);
    return status == 0;
}

}  // namespace

class TstFunde : public QObject {
    Q_OBJECT
private slots:
    void zweihundertSaetze();
    void fremdeZeilenBleiben();
    void angehaengtWaehrenddessen();
    void tastenUndBereiche();
    void schreibgeschuetzt();
    void tabellenAusgeben();
    void karteUndListe();
};

void TstFunde::zweihundertSaetze()
{
    MitFunden h;
    QByteArray inhalt = fundort::kopfzeile().c_str();
    QList<QByteArray> zeilen;
    for (int i = 0; i < 200; ++i)
        zeilen << (i == 119 ? satz("Stadtwald", 50, 7, 20, 8, 41, 30)
                            : satz(i % 3 ? "Wiese" : "Bruch", 48 + i % 6, (i * 7) % 60, (i * 13) % 60, 7 + i % 7,
                                   (i * 11) % 60, (i * 17) % 60));
    for (const QByteArray& z : zeilen)
        inhalt += z;
    frmFunde* w = h.oeffne(inhalt);
    QVERIFY(w);
    QCOMPARE(tabelle(w)->rowCount(), 201);
    QVERIFY2(w->status().startsWith("200 Fund"), qPrintable(w->status()));

    // Filters: by the start of the code, and by text (any case).
    QTest::keyClicks(w->findChild<QLineEdit*>("txtCodeFilter"), "5818/3");
    int erwartet = 0;
    for (const QByteArray& z : zeilen)
        erwartet += z.split('\t')[1].startsWith("5818/3");
    QCOMPARE(sichtbar(w), erwartet);
    QVERIFY(erwartet >= 1);
    w->findChild<QLineEdit*>("txtCodeFilter")->clear();
    QTest::keyClicks(w->findChild<QLineEdit*>("txtFilter"), "stadtw");
    QCOMPARE(sichtbar(w), 1);
    w->findChild<QLineEdit*>("txtFilter")->clear();
    QCOMPARE(sichtbar(w), 201);

    // One area name (with an umlaut, typed as a key), one second.
    tippe(w, 58, frmFunde::Gebiet, QStringLiteral("Grünwald"));
    tippe(w, 121, frmFunde::SekN, QStringLiteral("50"));
    QVERIFY2(h.meldungen.eintraege.isEmpty(), qPrintable(h.meldungen.texte().join('|')));
    // Delete one, and undo the deletion.
    tabelle(w)->setCurrentCell(reihe(w, 11), frmFunde::Gebiet);
    h.meldungen.antworten = {Meldungen::Antwort::Ja};
    QTest::mouseClick(knopfIn(w, "cmdLoeschen"), Qt::LeftButton);
    QCOMPARE(tabelle(w)->rowCount(), 200);
    QTest::mouseClick(knopfIn(w, "cmdRueckgaengig"), Qt::LeftButton);
    QCOMPARE(tabelle(w)->rowCount(), 201);

    QByteArray soll = fundort::kopfzeile().c_str();
    for (int i = 0; i < 200; ++i) {
        QByteArray z = zeilen[i];
        if (i == 56)
            z = "Gr\xfcnwald" + z.mid(z.indexOf('\t'));
        if (i == 119)
            z = "Stadtwald\t5818/3/1/4/3/1\t50\t07\t50\tN\t8\t41\t30\tO\t50,1306\tN\t8,6917\tO\r\n";
        soll += z;
    }
    QCOMPARE(h.lies(h.pfad()), soll);
    // The version before the undo is the backup.
    QVERIFY(QFile::exists(frmFunde::sicherungVon(h.pfad())));
}

void TstFunde::fremdeZeilenBleiben()
{
    MitFunden h;
    const QByteArray fremd = "eine Notiz ohne Felder\n";
    const QByteArray kaputt = "Wald\t5818/3/3/2/1/1\t50\t07\t2x\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n";
    const QByteArray ohneKopf = satz("Moor", 50, 7, 20, 8, 41, 30);
    frmFunde* w = h.oeffne(fremd + ohneKopf + kaputt + ohneKopf);
    QVERIFY(w);
    QCOMPARE(tabelle(w)->rowCount(), 4);
    QVERIFY(tabelle(w)->item(reihe(w, 1), frmFunde::Hinweis)->text().contains("Keine Zeile, die Quadrix schreibt"));
    QVERIFY(tabelle(w)->item(reihe(w, 3), frmFunde::Hinweis)->text().contains("Grad, Minuten oder Sekunden"));
    QVERIFY(tabelle(w)->item(reihe(w, 4), frmFunde::Hinweis)->text().contains("Doppelt"));
    QVERIFY(!(tabelle(w)->item(reihe(w, 3), frmFunde::Gebiet)->flags() & Qt::ItemIsEditable));
    // Deleting a foreign line is refused; a record's correction leaves them byte for byte.
    tabelle(w)->setCurrentCell(reihe(w, 1), frmFunde::Gebiet);
    QTest::mouseClick(knopfIn(w, "cmdLoeschen"), Qt::LeftButton);
    tippe(w, 2, frmFunde::Gebiet, QStringLiteral("Moorwiese"));
    QCOMPARE(h.lies(h.pfad()), fremd + "Moorwiese" + ohneKopf.mid(4) + kaputt + ohneKopf);
}

void TstFunde::angehaengtWaehrenddessen()
{
    MitFunden h;
    const QByteArray alt = QByteArray(fundort::kopfzeile().c_str()) + satz("Wald", 50, 7, 20, 8, 41, 30);
    frmFunde* w = h.oeffne(alt);
    QVERIFY(w);
    // Another program (the main window, a script) appends after the list was read.
    const QByteArray neu = satz("Heide", 51, 0, 0, 9, 0, 0);
    QVERIFY(andererProzessHaengtAn(h.pfad(), neu));
    // Asked, the user says no: nothing changes, the list shows the new record.
    h.meldungen.antworten = {Meldungen::Antwort::Nein};
    tippe(w, 2, frmFunde::Gebiet, QStringLiteral("Forst"));
    QCOMPARE(h.meldungen.eintraege.size(), 1);
    QVERIFY(h.meldungen.eintraege[0].text.contains("1 Zeile"));
    QCOMPARE(h.lies(h.pfad()), alt + neu);
    QCOMPARE(tabelle(w)->rowCount(), 3);
    // Appended again; this time yes: the change and every appended line.
    const QByteArray noch = satz("Aue", 52, 0, 0, 10, 0, 0);
    QVERIFY(andererProzessHaengtAn(h.pfad(), noch));
    h.meldungen.antworten = {Meldungen::Antwort::Ja};
    tippe(w, 2, frmFunde::Gebiet, QStringLiteral("Forst"));
    QCOMPARE(h.lies(h.pfad()),
             QByteArray(fundort::kopfzeile().c_str()) + "Forst" + satz("Wald", 50, 7, 20, 8, 41, 30).mid(4) + neu + noch);
    QCOMPARE(tabelle(w)->rowCount(), 4);
    // Changed otherwise (an editor cut a line): said, read again, nothing written.
    h.schreibe(h.pfad(), alt);
    h.meldungen.eintraege.clear();
    tippe(w, 2, frmFunde::Gebiet, QStringLiteral("Tann"));
    QCOMPARE(h.lies(h.pfad()), alt);
    QVERIFY(h.meldungen.texte().join('|').contains("wurde geändert"));
    QCOMPARE(tabelle(w)->rowCount(), 2);
}

void TstFunde::tastenUndBereiche()
{
    MitFunden h;
    const QByteArray alt = QByteArray(fundort::kopfzeile().c_str()) + satz("Wald", 50, 7, 20, 8, 41, 30);
    frmFunde* w = h.oeffne(alt);
    QVERIFY(w);
    // Keys the area name box refuses are dropped ("+", "ß"); letters pass.
    tippe(w, 2, frmFunde::Gebiet, QStringLiteral("A+ßb"));
    QCOMPARE(tabelle(w)->item(reihe(w, 2), frmFunde::Gebiet)->text(), QStringLiteral("Ab"));
    // Minutes out of range: the main window's message, the file as it was.
    const QByteArray vorher = h.lies(h.pfad());
    tippe(w, 2, frmFunde::MinN, QStringLiteral("61"));
    QCOMPARE(h.meldungen.texte().value(0), QStringLiteral("Geben Sie einen Wert zwischen 0 und 60 ein!"));
    tippe(w, 2, frmFunde::GradO, QStringLiteral("x\b"));  // "x" is refused, Backspace empties the box
    QCOMPARE(h.meldungen.texte().value(1), QStringLiteral("Geben Sie einen Wert ein!"));
    QCOMPARE(h.lies(h.pfad()), vorher);
    // The code and the decimal columns are not edited by hand.
    QVERIFY(!(tabelle(w)->item(reihe(w, 2), frmFunde::Mtb)->flags() & Qt::ItemIsEditable));
    QVERIFY(!(tabelle(w)->item(reihe(w, 2), frmFunde::Breite)->flags() & Qt::ItemIsEditable));
}

void TstFunde::schreibgeschuetzt()
{
    if (testplattform::schreibtAlles())
        QSKIP("this user may write every file (root); ctest runs this as an ordinary user too");
    MitFunden h;
    const QByteArray alt = QByteArray(fundort::kopfzeile().c_str()) + satz("Wald", 50, 7, 20, 8, 41, 30);
    frmFunde* w = h.oeffne(alt);
    QVERIFY(w);
    QFile::setPermissions(h.pfad(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    tippe(w, 2, frmFunde::Gebiet, QStringLiteral("Forst"));
    QFile::setPermissions(h.pfad(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(h.lies(h.pfad()), alt);
    QVERIFY(h.meldungen.texte().join('|').contains("Berechtigung"));
    QVERIFY(!QFile::exists(frmFunde::sicherungVon(h.pfad())));
}

void TstFunde::tabellenAusgeben()
{
    MitFunden h;
    const QByteArray alt = QByteArray(fundort::kopfzeile().c_str()) + satz("Grünwald", 50, 7, 20, 8, 41, 30) +
                           satz("Aue", 51, 0, 0, 9, 0, 0);
    frmFunde* w = h.oeffne(alt);
    QVERIFY(w);
    QString ziel = h.datei(QStringLiteral("aus.csv"));
    QString vorgeschlagen;
    w->waehleZiel = [&](QWidget*, const QString& vorschlag, const QString&) {
        vorgeschlagen = vorschlag;
        return ziel;
    };
    // Only what the filter shows goes out.
    QTest::keyClicks(w->findChild<QLineEdit*>("txtFilter"), "aue");
    auto* profil = w->findChild<QComboBox*>("cboProfil");
    profil->setCurrentIndex(profil->findText("MultiBaseCS (CSV)"));
    QTest::mouseClick(knopfIn(w, "cmdAusgeben"), Qt::LeftButton);
    const QByteArray aus = h.lies(ziel);
    QVERIFY2(aus.startsWith("Fundort;MTB;Quadrant;Teilquadrant;Toleranz;Breite;L\xe4nge\r\nAue;5020;"), aus.constData());
    QCOMPARE(aus.count("\r\n"), 2);
    QVERIFY(vorgeschlagen.endsWith("funde_multibase.csv"));
    QVERIFY(w->status().contains("1 Fund"));
}

// The selected finds are marked on the map, the current one centred; a click
// on the map near a listed find makes it the current row and takes no position.
void TstFunde::karteUndListe()
{
    MitFunden h;
    const QByteArray alt = QByteArray(fundort::kopfzeile().c_str()) + satz("Wald", 50, 7, 20, 8, 41, 30) +
                           satz("Aue", 50, 9, 0, 8, 45, 0) + satz("Heide", 51, 0, 0, 9, 0, 0);
    frmFunde* w = h.oeffne(alt);
    QVERIFY(w);
    auto* karte = static_cast<frmKarte*>(h.f->karte());
    Kartenansicht* ansicht = karte->ansicht();
    tabelle(w)->selectAll();
    QCOMPARE(ansicht->punkte(), std::size_t(3));
    tabelle(w)->setCurrentCell(reihe(w, 3), frmFunde::Gebiet);
    const QPointF aue = *w->ort(reihe(w, 3));
    double b = 0, l = 0;
    ansicht->mitte(b, l);
    QVERIFY(std::abs(b - aue.y()) < 1e-6 && std::abs(l - aue.x()) < 1e-6);

    // A click three pixels beside "Wald", close in: its row; the boxes keep their text.
    const QPointF wald = *w->ort(reihe(w, 2));
    ansicht->zentriere(wald.y(), wald.x(), 14);
    const QPointF p = ansicht->pixelVon(wald.y(), wald.x()) + QPointF(3, 0);
    const QString vorher = h.box("txtGradN")->text();
    QTest::mouseClick(ansicht, Qt::LeftButton, {}, p.toPoint());
    QCOMPARE(tabelle(w)->currentRow(), reihe(w, 2));
    QCOMPARE(h.box("txtGradN")->text(), vorher);
}

QTEST_MAIN(TstFunde)
#include "tst_funde.moc"
