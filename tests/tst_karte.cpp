// The map window against a tile server of the test's own on 127.0.0.1:
// which tiles it asks for, how it names itself, how many at once, its disk
// cache, and what it shows when the server is down.
#include "kachelserver.h"
#include "datum/datum.h"
#include "grid/webmercator.h"
#include "map/frmKarte.h"
#include "map/kachelquelle.h"
#include "map/kartenansicht.h"

#include <QCheckBox>
#include <QSettings>
#include <QLineEdit>
#include <QComboBox>
#include <QSet>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TstKarte : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void kachelnEinerAnsicht();
    void zweitesOeffnenAusDemCache();
    void ohneServer();
    void netzKommtWieder();
    void zeileBleibtBisAllesDa();
    void einstellungenUnbrauchbar();
    void vorlageDerUmgebung();
    void statuszeileWeitetNicht();
    void adresse();
    void suche();
    void sucheWieEinfuegen();
    void quelleUndAnsichtBleiben();
    void gitterWoDieBlattlinienLiegen();
    void gitterUeberDenKacheln();
    void namensnennungVerweist();
    void fundeDerDatei();
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

// Tiles that failed twice were never asked for again: now they are, after
// a wait that doubles, and the map fills once the server is back.
void TstKarte::netzKommtWieder()
{
    Kachelserver server;
    const QString vorlage = server.vorlage();
    const quint16 port = server.port();
    server.schliessen();
    QTemporaryDir cache;
    Karte k(vorlage, cache.path());
    k.fenster->quelle().setzeErsteWartezeit(200);
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().fehler().startsWith(QStringLiteral("Keine Verbindung")), 10000);
    QTest::qWait(600);  // two failures each, at least
    QVERIFY(k.fenster->quelle().kachel({12, 2146, 1387}) == nullptr);
    QVERIFY(server.oeffnen(port));
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().kachel({12, 2146, 1387}) != nullptr, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().fehler().isEmpty(), 10000);
}

// The line that says why tiles are missing vanished as soon as any other
// tile arrived: it stays while a tile in view is missing.
void TstKarte::zeileBleibtBisAllesDa()
{
    Kachelserver server;
    server.verweigert << QStringLiteral("/12/2146/1387.png");
    QTemporaryDir cache;
    Karte k(server.vorlage(), cache.path());
    k.fenster->quelle().setzeErsteWartezeit(300);
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().kachel({12, 2145, 1387}) != nullptr, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().fehler().contains(QStringLiteral("HTTP 503")), 10000);
    QTest::qWait(500);
    QVERIFY2(k.fenster->quelle().fehler().contains(QStringLiteral("HTTP 503")), qPrintable(k.fenster->quelle().fehler()));
    server.verweigert.clear();
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().kachel({12, 2146, 1387}) != nullptr, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(k.fenster->quelle().fehler().isEmpty(), 10000);
}

// A hand-edited Karte.ini: unreadable or out-of-range values open the view
// over Germany (not a blank map at 0°/0°), and are not written back.
void TstKarte::einstellungenUnbrauchbar()
{
    const struct { const char* breite; const char* laenge; const char* zoom; } faelle[] = {
        {"nan", "8.7", "12"}, {"inf", "8.7", "12"}, {"400", "8.7", "12"}, {"50,1", "8.7", "12"},
        {"50.1", "8.7", "99"}, {"50.1", "-inf", "12"},
    };
    for (const auto& f : faelle) {
        {
            QSettings e(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quadrix"), QStringLiteral("Karte"));
            e.setValue(QStringLiteral("breite"), QString::fromLatin1(f.breite));
            e.setValue(QStringLiteral("laenge"), QString::fromLatin1(f.laenge));
            e.setValue(QStringLiteral("zoom"), QString::fromLatin1(f.zoom));
        }
        QTemporaryDir cache;
        qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
        frmKarte karte(nullptr, QStringLiteral("nicht geladen"), cache.path());
        double b = 0, l = 0;
        karte.ansicht()->mitte(b, l);
        QVERIFY2(b > 47 && b < 55.2 && l > 5.8 && l < 15.1, f.breite);
        karte.close();
        QSettings e(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quadrix"), QStringLiteral("Karte"));
        QVERIFY(std::isfinite(e.value(QStringLiteral("breite")).toDouble()));
        QVERIFY(std::abs(e.value(QStringLiteral("breite")).toDouble() - 51.2) < 1);
    }
}

// QUADRIX_KACHELN without {z}, {x} and {y} drew one picture on every tile,
// silently; with a usable one, the list showed the saved choice and its own
// fields stayed editable (Enter there switched away and rewrote Karte.ini).
void TstKarte::vorlageDerUmgebung()
{
    QTemporaryDir cache;
    {
        qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/karte.png");
        frmKarte karte(nullptr, QStringLiteral("nicht geladen"), cache.path());
        QVERIFY2(karte.status().contains(QStringLiteral("QUADRIX_KACHELN")), qPrintable(karte.status()));
        QVERIFY(karte.quelle().quelle().name != QStringLiteral("umgebung"));
    }
    {
        QSettings e(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quadrix"), QStringLiteral("Karte"));
        e.setValue(QStringLiteral("quelle"), 2);
        e.setValue(QStringLiteral("vorlage"), QString());
    }
    {
        qunsetenv("QUADRIX_KACHELN");
        frmKarte karte(nullptr, QStringLiteral("nicht geladen"), cache.path());
        QVERIFY2(karte.status().contains(QStringLiteral("TopPlusOpen")), qPrintable(karte.status()));
        QCOMPARE(karte.quelle().quelle().name, QStringLiteral("TopPlusOpen"));
    }
    qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
    frmKarte karte(nullptr, QStringLiteral("nicht geladen"), cache.path());
    karte.show();
    auto* wahl = karte.findChild<QComboBox*>(QStringLiteral("quellenwahl"));
    auto* vorlage = karte.findChild<QLineEdit*>(QStringLiteral("eigeneVorlage"));
    QVERIFY(wahl && vorlage);
    QCOMPARE(wahl->currentText(), QStringLiteral("Vorgabe: QUADRIX_KACHELN"));
    QVERIFY(!wahl->isEnabled());
    QVERIFY(!vorlage->isEnabled());
    QTest::keyClick(vorlage, Qt::Key_Return);
    QCOMPARE(karte.quelle().quelle().name, QStringLiteral("umgebung"));
}

// The window widened itself to its status line (300 px to 850 px after a
// click): long texts wrap, the user's size stands.
void TstKarte::statuszeileWeitetNicht()
{
    QTemporaryDir cache;
    Karte k(QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"), cache.path());
    k.fenster->ansicht()->setMinimumSize(100, 100);
    k.fenster->ansicht()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    k.fenster->resize(k.fenster->minimumSizeHint().width(), 400);
    QTest::qWait(50);
    const int breite = k.fenster->width();
    k.fenster->melde(QString(400, u'x').replace(20, 1, u' '));
    QTest::qWait(50);
    emit k.fenster->ansicht()->zeigerBei(50.12345, 8.6789);
    QTest::qWait(50);
    QCOMPARE(k.fenster->width(), breite);
}

void TstKarte::adresse()
{
    QCOMPARE(Kachelquelle::adresse(Kachelquelle::topPlusOpen().vorlage, {13, 4293, 2774}),
             QStringLiteral("https://sgx.geodatenzentrum.de/wmts_topplus_open/tile/1.0.0/web/default/WEBMERCATOR/13/2774/4293.png"));
    QCOMPARE(Kachelquelle::adresse(Kachelquelle::openStreetMap().vorlage, {13, 4293, 2774}),
             QStringLiteral("https://tile.openstreetmap.org/13/4293/2774.png"));
}

// The search fits the map to a cell or centres it on a position. Without a
// transformation the cell is shown where it lies on the Potsdam datum.
void TstKarte::suche()
{
    QTemporaryDir cache;
    Karte k(QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"), cache.path());
    Kartenansicht* a = k.fenster->ansicht();
    QVERIFY(k.fenster->suche(QStringLiteral("5818/3/3")));
    // 5818/3/3: 50°06' to 50°07'30" N, 8°40' to 8°42'30" E, worked out by hand.
    const double sued = 50.1, nord = 50.125, west = 8 + 40.0 / 60, ost = 8 + 42.5 / 60;
    for (const auto& [b, l] : {std::pair{sued, west}, std::pair{nord, ost}}) {
        const QPointF p = a->pixelVon(b, l);
        QVERIFY2(a->rect().contains(p.toPoint()), qPrintable(QStringLiteral("%1 %2").arg(p.x()).arg(p.y())));
    }
    // As close as it fits: one step in and it would not.
    const double breiteIn = (a->pixelVon(sued, ost).x() - a->pixelVon(sued, west).x()) * 2;
    const double hoeheIn = (a->pixelVon(sued, west).y() - a->pixelVon(nord, west).y()) * 2;
    QVERIFY(breiteIn > a->width() - 40 || hoeheIn > a->height() - 40);
    QVERIFY(k.fenster->status().contains(QStringLiteral("5818/3/3")));
    // The same cell in its other notation, a position, and nonsense.
    QVERIFY(k.fenster->suche(QStringLiteral("5818.33")));
    QVERIFY(k.fenster->suche(QStringLiteral("50.12222 8.69167")));
    double b = 0, l = 0;
    a->mitte(b, l);
    QVERIFY(std::abs(b - 50.12222) < 1e-6 && std::abs(l - 8.69167) < 1e-6);
    QVERIFY(a->hatMarke());  // what is found is marked
    QVERIFY(!k.fenster->suche(QStringLiteral("Stadtwald")));
    QVERIFY(k.fenster->status().contains(QStringLiteral("weder ein Code noch eine Position")));
}

// What paste takes, the search takes: Gauss-Kruger, UTM, MGRS; a code with a
// wrong digit says so; swapped latitude and longitude are said to be swapped
// and not shown in East Africa.
void TstKarte::sucheWieEinfuegen()
{
    QTemporaryDir cache;
    Karte k(QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"), cache.path());
    Kartenansicht* a = k.fenster->ansicht();
    const struct { const char* text; bool gefunden; const char* status; double breite, laenge; } faelle[] = {
        // Without a transformation, Gauss-Kruger is shown where it lies on its datum:
        // R 3478544 H 5549792 is 50.08514325 N 8.70016883 E (cs2cs EPSG:31467 -> EPSG:4314).
        {"R 3478544 H 5549792", true, "Gauß-Krüger", 50.08514325, 8.70016883},
        // 32UMA 78544 49792's centre: 50.10000136 N 8.69999966 E (GeoConvert).
        {"32UMA 78544 49792", true, "Quadrats", 50.10000136, 8.69999966},
        {"32U 478544 5549792", true, "Quadrats", 50.10000136, 8.69999966},
        {"5818/5", false, "Quadrantenziffer außerhalb von 1 bis 4 (5)", 0, 0},
        {"5818/0", false, "Quadrantenziffer außerhalb von 1 bis 4 (0)", 0, 0},
        {"R 1500000 H 5500000", false, "kein Gauß-Krüger-Wert", 0, 0},
        {"32TMA 78544 49792", false, "keine MGRS-Angabe", 0, 0},
        {"8.69167, 50.12222", false, "Breite und Länge vertauscht", 0, 0},
        {"8 41 30 50 07 20", false, "Breite und Länge vertauscht", 0, 0},
    };
    auto* suche = k.fenster->findChild<QLineEdit*>(QStringLiteral("suche"));
    QVERIFY(suche);
    for (const auto& f : faelle) {
        a->markeLoeschen();
        a->zentriere(52, 10, 8);
        // Typed into the search box, as a user does, and Enter.
        suche->clear();
        QTest::keyClicks(suche, QString::fromUtf8(f.text));
        QTest::keyClick(suche, Qt::Key_Return);
        QVERIFY2(k.fenster->status().contains(QString::fromUtf8(f.status)), qPrintable(k.fenster->status()));
        QCOMPARE(a->hatMarke(), f.gefunden);
        double b = 0, l = 0;
        a->mitte(b, l);
        if (f.gefunden)
            QVERIFY2(std::abs(b - f.breite) < 1e-6 && std::abs(l - f.laenge) < 1e-6, f.text);
        else
            QVERIFY2(std::abs(b - 52) < 1e-6 && std::abs(l - 10) < 1e-6, f.text);  // the view stays
    }
}

// The tile source chosen and the last view are there again at the next
// opening; a template without {z}, {x} and {y} is refused.
void TstKarte::quelleUndAnsichtBleiben()
{
    QTemporaryDir cache;
    qunsetenv("QUADRIX_KACHELN");
    {
        frmKarte karte(nullptr, {}, cache.path());
        QCOMPARE(karte.quelle().quelle().name, QStringLiteral("TopPlusOpen"));
        karte.waehleQuelle(1);
        QCOMPARE(karte.quelle().quelle().vorlage, QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"));
        karte.waehleQuelle(2, QStringLiteral("http://example.invalid/kacheln.png"));
        QVERIFY(karte.status().contains(QStringLiteral("{z}, {x} und {y}")));
        QCOMPARE(karte.quelle().quelle().name, QStringLiteral("OpenStreetMap"));
        karte.ansicht()->zentriere(50.5, 9.25, 11);
        karte.close();
    }
    frmKarte wieder(nullptr, {}, cache.path());
    QCOMPARE(wieder.quelle().quelle().name, QStringLiteral("OpenStreetMap"));
    QCOMPARE(wieder.ansicht()->zoom(), 11);
    double b = 0, l = 0;
    wieder.ansicht()->mitte(b, l);
    QVERIFY(std::abs(b - 50.5) < 1e-6 && std::abs(l - 9.25) < 1e-6);
    wieder.waehleQuelle(0);
    // QUADRIX_KACHELN overrides what was chosen.
    qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
    frmKarte umgebung(nullptr, {}, cache.path());
    QCOMPARE(umgebung.quelle().quelle().vorlage, QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"));
}

// The sheet lines lie where the sheet corners fall on the map: corners on
// the Potsdam datum carried through BETA2007 (our reader agrees with PROJ to
// 1e-13 degrees, see the datum tests), then to Web Mercator pixels by the
// formulas written out here. The pixel there is a line's, within a pixel.
void TstKarte::gitterWoDieBlattlinienLiegen()
{
    quadrix::Gitterfehler fehler;
    const auto beta = quadrix::Transformation::erstelle(fehler, {QCoreApplication::applicationDirPath().toStdString()});
    if (!beta)
        QSKIP(qPrintable(QStringLiteral("BETA2007 fehlt: %1").arg(QString::fromStdString(quadrix::text(fehler)))));
    QTemporaryDir cache;
    qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
    frmKarte karte(beta.get(), {}, cache.path());
    Kartenansicht* a = karte.ansicht();
    a->setFixedSize(600, 400);
    karte.show();
    // Sheet 5818's south-west corner: 50°06' N, 8°40' E on the Potsdam datum.
    double b = 50.1, l = 8 + 40.0 / 60;
    QVERIFY(beta->vonPotsdam(b, l));
    a->zentriere(b + 0.002, l + 0.003, 14);
    QVERIFY(a->gitterEbene() >= 3);
    QVERIFY(!a->gitterLuecken());
    const double welt = 256.0 * 16384;
    auto px = [&](double breite, double laenge) {
        const double r = breite * M_PI / 180;
        return QPointF((laenge + 180) / 360 * welt, (1 - std::log(std::tan(r) + 1 / std::cos(r)) / M_PI) / 2 * welt);
    };
    double mb = 0, ml = 0;
    a->mitte(mb, ml);
    const QPointF ecke = px(b, l) - px(mb, ml) + QPointF(300, 200);
    const QImage bild = a->grab().toImage();
    auto rot = [&](int x, int y) {
        const QColor c = bild.pixelColor(x, y);
        return c.red() > 120 && c.green() < 120 && c.blue() < 120;
    };
    // Along the sheet's south line east of the corner, and its west line north of it.
    for (int d = 20; d <= 100; d += 20) {
        const QPoint sued = (ecke + QPointF(d, 0)).toPoint(), west = (ecke + QPointF(0, -d)).toPoint();
        QVERIFY2(rot(sued.x(), sued.y()) || rot(sued.x(), sued.y() - 1) || rot(sued.x(), sued.y() + 1),
                 qPrintable(QStringLiteral("south line at %1,%2").arg(sued.x()).arg(sued.y())));
        QVERIFY2(rot(west.x(), west.y()) || rot(west.x() - 1, west.y()) || rot(west.x() + 1, west.y()),
                 qPrintable(QStringLiteral("west line at %1,%2").arg(west.x()).arg(west.y())));
    }
}

// The grid is drawn into the tiles once: a tile that arrives after the grid
// was first drawn on the carried base map shows under it, and the lines
// stay over it.
void TstKarte::gitterUeberDenKacheln()
{
    quadrix::Gitterfehler fehler;
    const auto beta = quadrix::Transformation::erstelle(fehler, {QCoreApplication::applicationDirPath().toStdString()});
    if (!beta)
        QSKIP(qPrintable(QStringLiteral("BETA2007 fehlt: %1").arg(QString::fromStdString(quadrix::text(fehler)))));
    Kachelserver server(200);  // slow, so that the first picture has no tiles
    QTemporaryDir cache;
    qputenv("QUADRIX_KACHELN", server.vorlage().toUtf8());
    frmKarte karte(beta.get(), {}, cache.path());
    Kartenansicht* a = karte.ansicht();
    a->setFixedSize(600, 400);
    karte.show();
    a->zentriere(50.102, 8.67, 14);
    QVERIFY(a->gitterEbene() >= 3);
    double mb = 0, ml = 0;
    a->mitte(mb, ml);
    const webmerc::Pixel m = webmerc::pixel(mb, ml, 14);
    const webmerc::KachelNr k{14, int(m.x / 256), int(m.y / 256)};
    // Around the centre: how many pixels are of a colour, how many red (a grid line).
    auto zaehle = [&](const QColor& farbe, int& rot) {
        const QImage bild = a->grab().toImage();
        int n = 0;
        rot = 0;
        for (int y = 180; y < 220; ++y)
            for (int x = 280; x < 320; ++x) {
                const QColor c = bild.pixelColor(x, y);
                n += c.rgb() == farbe.rgb();
                rot += c.red() > 150 && c.green() < 120 && c.blue() < 120;
            }
        return n;
    };
    int rotVorher = 0, rotNachher = 0;
    QVERIFY(karte.quelle().kachel(k) == nullptr);
    // Before the tile: the map the program carries (Germany's area colour).
    const QColor land(250, 250, 244);
    QVERIFY(zaehle(land, rotVorher) > 1000);
    QTRY_VERIFY_WITH_TIMEOUT(karte.quelle().kachel(k) != nullptr, 10000);
    QVERIFY(zaehle(land, rotNachher) == 0);
    QVERIFY(zaehle(Kachelserver::farbe(14, k.x, k.y), rotNachher) > 1000);
    QVERIFY(rotVorher > 0);
    QCOMPARE(rotNachher, rotVorher);
}

// The attribution of a source that names its terms is a link: a click on it
// opens them and takes no position; a source without terms has none.
void TstKarte::namensnennungVerweist()
{
    QTemporaryDir cache;
    Karte k(QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"), cache.path());
    QList<QUrl> geoeffnet;
    k.fenster->oeffneVerweis = [&](const QUrl& u) {
        geoeffnet << u;
        return true;
    };
    QSignalSpy genommen(k.fenster.get(), &frmKarte::positionGewaehlt);
    Kartenansicht* a = k.fenster->ansicht();
    const QPoint ecke(a->width() - 8, a->height() - 6);
    QTest::mouseClick(a, Qt::LeftButton, {}, ecke);  // from the environment: no terms, a click takes the point
    QVERIFY(geoeffnet.isEmpty());
    QCOMPARE(genommen.size(), 1);
    Kachelquelle mitBedingungen({QStringLiteral("probe"), QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"),
                                 QStringLiteral("© Probe"), QStringLiteral("https://example.org/bedingungen"), 0},
                                cache.path() + QStringLiteral("/probe"));
    a->setzeQuelle(mitBedingungen);
    QTest::mouseClick(a, Qt::LeftButton, {}, ecke);
    QCOMPARE(geoeffnet, QList<QUrl>({QUrl(QStringLiteral("https://example.org/bedingungen"))}));
    QCOMPARE(genommen.size(), 1);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(20, 20));  // elsewhere: a position
    QCOMPARE(genommen.size(), 2);
    k.fenster->oeffneVerweis = [](const QUrl&) { return false; };
    QTest::mouseClick(a, Qt::LeftButton, {}, ecke);
    QVERIFY2(k.fenster->status().startsWith(QStringLiteral("Die Seite ließ sich nicht öffnen")),
             qPrintable(k.fenster->status()));
    a->setzeQuelle(k.fenster->quelle());  // before mitBedingungen goes
}

// The finds of a find-location file as dots, while "Funde zeigen" is on;
// the file is only read.
void TstKarte::fundeDerDatei()
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("funde.txt"));
    const QByteArray inhalt =
        "Gebietsname\tMTB\tGrad N\tMin N\tSek N\tN\tGrad O\tMin O\tSek O\tO\tBreite\tN\tL\xe4nge\tO\r\n"
        "Stadtwald\t5818/3/3/2/1/1\t50\t07\t20\tN\t8\t41\t30\tO\t50,1222\tN\t8,6917\tO\r\n"
        "kaputt\tx\r\n"
        "Gr\xfcnburg\t5818/1/1/1/1/1\t50\t11\t50\tN\t8\t40\t10\tO\t50,1972\tN\t8,6694\tO\r\n";
    {
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    QTemporaryDir cache;
    Karte k(QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"), cache.path());
    k.fenster->setzeFundortdatei(datei);
    QCOMPARE(k.fenster->ansicht()->funde(), std::size_t(0));  // not until asked for
    auto* zeigen = k.fenster->findChild<QCheckBox*>(QStringLiteral("fundeZeigen"));
    QTest::mouseClick(zeigen, Qt::LeftButton, {}, QPoint(5, zeigen->height() / 2));
    QVERIFY(zeigen->isChecked());
    QCOMPARE(k.fenster->ansicht()->funde(), std::size_t(2));
    // "5 Fund(e)" was the count; the line that is no record is counted as left out.
    QCOMPARE(k.fenster->status(),
             QStringLiteral("2 Funde aus funde.txt; 1 Zeile ohne lesbare Position in Deutschland ausgelassen"));
    // Drawn where they lie: the first find's dot in its colour at its pixel.
    k.fenster->ansicht()->zentriere(50 + 7 / 60.0 + 20 / 3600.0, 8 + 41 / 60.0 + 30 / 3600.0, 14);
    const QImage bild = k.fenster->ansicht()->grab().toImage();
    const QPoint mitte(k.fenster->ansicht()->width() / 2, k.fenster->ansicht()->height() / 2);
    QCOMPARE(bild.pixelColor(mitte), QColor(230, 120, 0));
    QTest::mouseClick(zeigen, Qt::LeftButton, {}, QPoint(5, zeigen->height() / 2));
    QCOMPARE(k.fenster->ansicht()->funde(), std::size_t(0));
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), inhalt);
}

QTEST_MAIN(TstKarte)
#include "tst_karte.moc"
