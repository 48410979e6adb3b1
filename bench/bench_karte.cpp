// A full repaint of a 1280 x 800 map at the zoom where the grid's deepest
// level shows, against a repaint of the same tiles alone (no grid), in the
// same run; tiles from a tile server of its own on 127.0.0.1, loaded first.
// Also the time to compute the grid once (a zoom step's work), and the
// first repaint after it, which draws the grid into the tiles in view.
//
//   bench_karte        (offscreen)
#include "datum/datum.h"
#include "map/frmKarte.h"
#include "map/kachelquelle.h"
#include "map/kartenansicht.h"
#include "tests/kachelserver.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds per repaint, median of rounds of 20.
double neuzeichnen(Kartenansicht* a)
{
    std::vector<double> runden;
    QImage bild(a->size(), QImage::Format_ARGB32_Premultiplied);
    for (int r = 0; r < 9; ++r) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 20; ++i)
            a->render(&bild);
        runden.push_back(t.nsecsElapsed() / 20 / 1e6);
    }
    return median(runden);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Kachelserver server(0);
    qputenv("QUADRIX_KACHELN", server.vorlage().toUtf8());
    quadrix::Gitterfehler fehler;
    const auto beta = quadrix::Transformation::erstelle(fehler);
    if (!beta) {
        std::fprintf(stderr, "bench_karte: BETA2007 fehlt: %s\n", quadrix::text(fehler).c_str());
        return 2;
    }
    QTemporaryDir cache;
    frmKarte mitGitter(beta.get(), {}, cache.path()), ohneGitter(nullptr, {}, cache.path());
    for (frmKarte* k : {&mitGitter, &ohneGitter}) {
        k->ansicht()->setFixedSize(1280, 800);
        k->ansicht()->zentriere(50.12, 8.69, 14);
        k->show();
    }
    auto geladen = [](frmKarte& k) {
        int n = 0;
        for (const auto& t : k.ansicht()->kacheln())
            n += k.quelle().kachel(t) != nullptr;
        return n;
    };
    // Every tile of view and margin in both (the second from the disk cache
    // the first filled, or from the server).
    const int alle = int(mitGitter.ansicht()->kacheln().size());
    QElapsedTimer warten;
    warten.start();
    while (warten.elapsed() < 30000 && (geladen(mitGitter) < alle || geladen(ohneGitter) < alle))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("tiles loaded: %d and %d of the %zu in view and margin\n", geladen(mitGitter), geladen(ohneGitter),
                mitGitter.ansicht()->kacheln().size());
    const double mit = neuzeichnen(mitGitter.ansicht()), ohne = neuzeichnen(ohneGitter.ansicht());
    std::vector<double> rechnen, erstesBild;
    QImage bild(mitGitter.ansicht()->size(), QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        mitGitter.ansicht()->zentriere(50.12 + 0.2 * (i % 2), 8.69, 14);  // a new region: the grid computed again
        rechnen.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        mitGitter.ansicht()->render(&bild);  // the tiles with the grid drawn into them, made anew
        erstesBild.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("map repaint, 1280 x 800, zoom 14 (grid down to level %d)\n", mitGitter.ansicht()->gitterEbene());
    std::printf("  tiles and grid    %7.2f ms\n", mit);
    std::printf("  tiles alone       %7.2f ms\n", ohne);
    std::printf("  ratio             %7.2f   (target <= 1.5)\n", mit / ohne);
    std::printf("  grid computed     %7.2f ms (once per zoom step or new region, never while painting)\n",
                median(rechnen));
    std::printf("  first repaint     %7.2f ms (after that: the grid drawn into the tiles in view, once)\n",
                median(erstesBild));

    // 100,000 finds over Germany ("Funde zeigen"), at zoom 7, where most
    // lie in view: drawn into the tiles once per zoom, then only copied.
    std::vector<QPointF> funde;
    std::mt19937_64 zufall(7);
    std::uniform_real_distribution<double> breite(47.3, 55.0), laenge(6.0, 15.0);
    for (int i = 0; i < 100000; ++i)
        funde.emplace_back(laenge(zufall), breite(zufall));
    for (frmKarte* k : {&mitGitter, &ohneGitter})
        k->ansicht()->zentriere(51.2, 10.4, 7);
    warten.restart();
    while (warten.elapsed() < 30000 && (geladen(mitGitter) < int(mitGitter.ansicht()->kacheln().size()) ||
                                        geladen(ohneGitter) < int(ohneGitter.ansicht()->kacheln().size())))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double ohneFunde = neuzeichnen(ohneGitter.ansicht());
    QElapsedTimer t;
    t.start();
    ohneGitter.ansicht()->setzeFunde(funde);
    ohneGitter.ansicht()->render(&bild);
    const double erstes = t.nsecsElapsed() / 1e6;
    const double mitFunden = neuzeichnen(ohneGitter.ansicht());
    std::printf("100,000 finds, 1280 x 800, zoom 7\n");
    std::printf("  tiles and finds   %7.2f ms\n", mitFunden);
    std::printf("  tiles alone       %7.2f ms\n", ohneFunde);
    std::printf("  ratio             %7.2f   (target <= 1.5)\n", mitFunden / ohneFunde);
    std::printf("  first repaint     %7.2f ms (the finds drawn into the tiles in view, once per zoom)\n", erstes);

    // No tile server reachable: the map the program carries (areas, borders,
    // place names) with the grid, against the tiles alone of the same view.
    qputenv("QUADRIX_KACHELN", "http://127.0.0.1:9/{z}/{x}/{y}.png");
    QTemporaryDir leer;
    frmKarte offline(beta.get(), {}, leer.path());
    offline.ansicht()->setFixedSize(1280, 800);
    offline.show();
    std::printf("no tile server: the carried base map and the grid, 1280 x 800\n");
    for (const int zoom : {7, 10}) {
        for (frmKarte* k : {&offline, &ohneGitter})
            k->ansicht()->zentriere(50.5, 9.5, zoom);
        warten.restart();
        while (warten.elapsed() < 30000 && geladen(ohneGitter) < int(ohneGitter.ansicht()->kacheln().size()))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QElapsedTimer erstes;
        erstes.start();
        offline.ansicht()->render(&bild);  // the tiles of the base map made once
        const double zuerst = erstes.nsecsElapsed() / 1e6;
        const double grund = neuzeichnen(offline.ansicht()), kacheln = neuzeichnen(ohneGitter.ansicht());
        std::printf("  zoom %2d: base map and grid %7.2f ms, tiles alone %7.2f ms, ratio %5.2f   (target <= 1.5); "
                    "first repaint %.1f ms\n", zoom, grund, kacheln, grund / kacheln, zuerst);
    }
    return 0;
}
