// Places by name in the map's search box, offline: one place is shown at
// once, several of one name are listed with their Land and the one chosen
// by key or click is shown; a place never fills the boxes; a name the data
// does not hold says so.
#include "map/frmKarte.h"
#include "map/kartenansicht.h"
#include "datum/datum.h"

#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

class TstKartenorte : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
        karte = std::make_unique<frmKarte>(nullptr, QStringLiteral("nicht geladen"), cache.path());
        karte->ansicht()->setFixedSize(512, 384);
        karte->ansicht()->zentriere(50.1, 8.7, 8);
        karte->show();
        QVERIFY(QTest::qWaitForWindowExposed(karte.get()));
    }
    void cleanup() { karte.reset(); }

    void einOrt_data()
    {
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("breite");
        QTest::addColumn<double>("laenge");
        // Positions as GeoNames has them.
        QTest::newRow("Grünwald")      << "Grünwald" << "Grünwald (Bayern)" << 48.03947 << 11.5232;
        QTest::newRow("Gruenwald")     << "Gruenwald" << "Grünwald (Bayern)" << 48.03947 << 11.5232;
        QTest::newRow("Bad Homburg")   << "Bad Homburg" << "Bad Homburg vor der Höhe (Hessen)" << 50.22683 << 8.61816;
        QTest::newRow("small letters") << "oberursel" << "Oberursel (Hessen)" << 50.20731 << 8.57747;
    }
    void einOrt()
    {
        QFETCH(QString, eingabe);
        QFETCH(QString, name);
        QFETCH(double, breite);
        QFETCH(double, laenge);
        QVERIFY(karte->suche(eingabe));
        double b = 0, l = 0;
        karte->ansicht()->mitte(b, l);
        QVERIFY(std::abs(b - breite) < 1e-6 && std::abs(l - laenge) < 1e-6);
        QVERIFY2(karte->status().contains(name), qPrintable(karte->status()));
        // A place is not a find: nothing is marked as a position taken.
        QVERIFY(!karte->ansicht()->hatMarke());
    }

    // "Frankfurt": am Main and an der Oder, each with its Land; Down and Enter take the second.
    void mehrereOrte()
    {
        QVERIFY(karte->suche(QStringLiteral("Frankfurt")));
        QListWidget* liste = karte->ortsliste();
        QVERIFY(liste && liste->isVisible());
        QCOMPARE(liste->item(0)->text(), QStringLiteral("Frankfurt am Main, Hessen"));
        QCOMPARE(liste->item(1)->text(), QStringLiteral("Frankfurt (Oder), Brandenburg"));
        QTest::keyClick(liste, Qt::Key_Down);
        QTest::keyClick(liste, Qt::Key_Return);
        QVERIFY(!liste->isVisible());
        double b = 0, l = 0;
        karte->ansicht()->mitte(b, l);
        QVERIFY(std::abs(b - 52.34714) < 1e-6 && std::abs(l - 14.55062) < 1e-6);
        // "Neustadt": dozens, chosen by a click.
        QVERIFY(karte->suche(QStringLiteral("Neustadt")));
        QVERIFY(liste->count() >= 15);
        const QList<QListWidgetItem*> holstein = liste->findItems(QStringLiteral("Neustadt in Holstein, Schleswig-Holstein"), Qt::MatchExactly);
        QCOMPARE(holstein.size(), 1);
        liste->scrollToItem(holstein[0]);
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(holstein[0]).center());
        karte->ansicht()->mitte(b, l);
        QVERIFY(std::abs(b - 54.10707) < 1e-6 && std::abs(l - 10.8145) < 1e-6);
    }

    // No tile server: the first view (Germany) shows the carried map (areas,
    // borders, place names) and the sheet grid, never an empty area.
    void ersteAnsichtOhneNetz()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quadrix"), QStringLiteral("Karte")).clear();
        quadrix::Gitterfehler fehler;
        const auto beta = quadrix::Transformation::erstelle(fehler);
        frmKarte erste(beta.get(), QString::fromStdString(quadrix::text(fehler)), cache.path());
        erste.ansicht()->setFixedSize(800, 600);
        erste.show();
        QVERIFY(QTest::qWaitForWindowExposed(&erste));
        QCOMPARE(erste.ansicht()->zoom(), 6);
        const QImage bild = erste.ansicht()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int grenze = 0, schrift = 0, gitter = 0, land = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) {
                const QColor c = bild.pixelColor(x, y);
                const auto nah = [&](int r, int g, int b, int d) {
                    return std::abs(c.red() - r) <= d && std::abs(c.green() - g) <= d && std::abs(c.blue() - b) <= d;
                };
                grenze += nah(120, 112, 100, 25);
                schrift += nah(40, 40, 40, 20);
                land += nah(250, 250, 244, 3) || nah(236, 235, 226, 3);
                gitter += c.red() > 150 && c.green() < 120 && c.blue() < 120;
            }
        qInfo("border %d, names %d, land %d, grid %d pixels", grenze, schrift, land, gitter);
        QVERIFY2(grenze > 2000, qPrintable(QString::number(grenze)));
        QVERIFY2(schrift > 2000, qPrintable(QString::number(schrift)));
        QVERIFY2(land > 100000, qPrintable(QString::number(land)));
        if (beta)
            QVERIFY2(gitter > 2000, qPrintable(QString::number(gitter)));
    }

    void keinOrt()
    {
        QVERIFY(!karte->suche(QStringLiteral("Xyzzyhausen")));
        QVERIFY2(karte->status().contains("noch ein Ort der Karte"), qPrintable(karte->status()));
    }

private:
    QTemporaryDir cache;
    std::unique_ptr<frmKarte> karte;
};

QTEST_MAIN(TstKartenorte)
#include "tst_kartenorte.moc"
