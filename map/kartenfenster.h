// The map window as the main window sees it. The map and all it needs of
// the network live in a module of their own (quadrix_karte.so / .dll),
// loaded when the map is first opened: a start without the map loads
// nothing of Qt Network. The module's one export, kartenModulExport, makes
// the window.
#pragma once

#include <functional>

class QString;
class QWidget;
namespace quadrix {
class Transformation;
}

class KartenFenster {
public:
    virtual ~KartenFenster() = default;
    // The window itself (deleted when closed).
    virtual QWidget* fenster() = 0;
    // Centres the map on a point on the Potsdam datum (degrees), closer in.
    virtual void zeigePotsdam(double breite, double laenge) = 0;
    // The finds of a find-location file as dots (an empty name: none).
    virtual void setzeFundortdatei(const QString& datei) = 0;
    // One line of news in the status line.
    virtual void melde(const QString& text) = 0;
    // Called with the point clicked (degrees WGS84/ETRS89).
    virtual void beiKlick(std::function<void(double breite, double laenge)> nimm) = 0;
};

// beta: BETA2007 (nullptr when missing: betaFehler says why). cacheOrdner:
// the tiles' disk cache.
using KartenFabrik = KartenFenster* (*)(const quadrix::Transformation* beta, const QString& betaFehler,
                                        const QString& cacheOrdner);
#define QUADRIX_KARTEN_FABRIK "quadrixKarteAnlegen"
