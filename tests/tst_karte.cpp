// The map window against a tile server of the test's own on 127.0.0.1:
// which tiles it asks for, how it names itself, how many at once, its disk
// cache, and what it shows when the server is down.
#include "kachelserver.h"
#include "map/frmKarte.h"
#include "map/kachelquelle.h"
#include "map/kartenansicht.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TstKarte : public QObject {
    Q_OBJECT
private slots:
    void kachelnEinerAnsicht();
    void zweitesOeffnenAusDemCache();
    void ohneServer();
    void adresse();
};

namespace {

// The tiles a 512 x 384 view centred on a point at zoom z needs with a margin
// of one, computed here from the tile formulas themselves.
QSet<QString> erwartet(double breite, double laenge, int z)
{
    const double n = std::exp2(z);
    const double x = (laenge + 180) / 360 * n * 256;
    const double b = breite * M_PI / 180;
    const double y = (1 - std::log(std::tan(b) + 1 / std::cos(b)) / M_PI) / 2 * n * 256;
    QSet<QString> pfade;
    for (int kx = int(std::floor((x - 256) / 256)) - 1; kx <= int(std::floor((x + 255) / 256)) + 1; ++kx)
        for (int ky = int(std::floor((y - 192) / 256)) - 1; ky <= int(std::floor((y + 191) / 256)) + 1; ++ky)
            pfade << QStringLiteral("/%1/%2/%3.png").arg(z).arg(kx).arg(ky);
    return pfade;
}

struct Karte {
    explicit Karte(const QString& vorlage, const QString& cache)
    {
        qputenv("QUADRIX_KACHELN", vorlage.toUtf8());
        fenster = std::make_unique<frmKarte>(nullptr, QStringLiteral("nicht geladen"), cache);
        fenster->ansicht()->setFixedSize(512, 384);
        fenster->ansicht()->zentriere(50.1, 8.7, 12);
        fenster->show();
    }
    std::unique_ptr<frmKarte> fenster;
};

}  // namespace

void TstKarte::kachelnEinerAnsicht()
{
    Kachelserver server;
    QTemporaryDir cache;
    Karte k(server.vorlage(), cache.path());
    const QSet<QString> soll = erwartet(50.1, 8.7, 12);
    QTRY_COMPARE_WITH_TIMEOUT(QSet<QString>(server.pfade.begin(), server.pfade.end()), soll, 10000);
    QTRY_VERIFY(k.fenster->quelle().kachel({12, 2146, 1387}) != nullptr);
    // Every tile once, named as Quadrix, never more than two at a time.
    QCOMPARE(server.pfade.size(), soll.size());
    for (const QString& kennung : server.kennungen)
        QVERIFY2(kennung.startsWith(QLatin1String("Quadrix/")), qPrintable(kennung));
    QVERIFY(server.hoechstensOffen <= Kachelquelle::Verbindungen);
    QVERIFY(k.fenster->quelle().fehler().isEmpty());
    // The tile at the view's centre is drawn there.
    const QImage bild = k.fenster->ansicht()->grab().toImage();
    const QPointF mitte = k.fenster->ansicht()->pixelVon(50.1, 8.7);
    QCOMPARE(QColor(bild.pixel(mitte.toPoint())).rgb(), Kachelserver::farbe(12, 2146, 1387).rgb());
}

void TstKarte::zweitesOeffnenAusDemCache()
{
    Kachelserver server;
    QTemporaryDir cache;
    {
        Karte k(server.vorlage(), cache.path());
        QTRY_COMPARE_WITH_TIMEOUT(server.pfade.size(), erwartet(50.1, 8.7, 12).size(), 10000);
        QTest::qWait(100);
    }
    const int vorher = server.pfade.size();
    Karte k(server.vorlage(), cache.path());
    QTRY_VERIFY(k.fenster->quelle().kachel({12, 2146, 1387}) != nullptr);
    QTest::qWait(300);
    QCOMPARE(server.pfade.size(), vorher);
    QCOMPARE(k.fenster->quelle().netzanfragen(), 0);
}

void TstKarte::ohneServer()
{
    QString vorlage;
    {
        Kachelserver server;
        vorlage = server.vorlage();
    }
    QTemporaryDir cache;
    Karte k(vorlage, cache.path());
    QTRY_VERIFY_WITH_TIMEOUT(!k.fenster->quelle().fehler().isEmpty(), 10000);
    QVERIFY2(k.fenster->quelle().fehler().startsWith(QStringLiteral("Keine Verbindung zum Kartendienst")),
             qPrintable(k.fenster->quelle().fehler()));
    // The map still paints, with the line that says why.
    QVERIFY(!k.fenster->ansicht()->grab().isNull());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TstKarte::adresse()
{
    QCOMPARE(Kachelquelle::adresse(Kachelquelle::topPlusOpen().vorlage, {13, 4293, 2774}),
             QStringLiteral("https://sgx.geodatenzentrum.de/wmts_topplus_open/tile/1.0.0/web/default/WEBMERCATOR/13/2774/4293.png"));
    QCOMPARE(Kachelquelle::adresse(Kachelquelle::openStreetMap().vorlage, {13, 4293, 2774}),
             QStringLiteral("https://tile.openstreetmap.org/13/4293/2774.png"));
}

QTEST_MAIN(TstKarte)
#include "tst_karte.moc"
