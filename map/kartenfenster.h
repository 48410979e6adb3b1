// The map window as the main window sees it. The map and all it needs of
// the network live in a module of their own (quadrix_karte.so / .dll),
// loaded when the map is first opened: a start without the map loads
// nothing of Qt Network. The module's one export, kartenModulExport, makes
// the window.
#pragma once

#include <QMimeData>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <vector>

class Meldungen;
class QWidget;
namespace quadrix {
class Transformation;
}

// A record to be saved from the list of points: the area name and the
// position on the Potsdam datum in whole seconds, as the six boxes would
// hold it.
struct Fundortwunsch {
    QString gebiet;
    std::int64_t nord = 0, ost = 0;
};

// What the list of points hands to the main window.
struct Punktziel {
    // One point into the six boxes, as a pasted GPS position: its decimal
    // degrees (WGS84) as the file wrote them, "50.1222 8.6917".
    std::function<void(const QString& position)> inFelder;
    // Records appended to the find-location file in one write, all or none;
    // false when not saved (the main window has said why).
    std::function<bool(const std::vector<Fundortwunsch>&)> speichern;
    // The find-location file chosen (empty: none yet).
    std::function<QString()> datei;
};

// The local files and folders of a drop (on the main window or the map);
// nothing for anything else.
inline QStringList gezogeneDateien(const QMimeData* daten)
{
    QStringList pfade;
    if (daten && daten->hasUrls())
        for (const QUrl& u : daten->urls())
            if (u.isLocalFile())
                pfade << u.toLocalFile();
    return pfade;
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
    // Reads GPS files, photos and folders of them into the list of points
    // beside the map (as when they are dropped on it).
    virtual void punkteEinlesen(const QStringList& pfade) = 0;
    virtual void setzePunktziel(Punktziel ziel) = 0;
    // The window "Funde" for this find-location file beside the map, its
    // selected records marked on it; questions and refusals through meldungen.
    virtual void zeigeFunde(const QString& datei, Meldungen& meldungen) = 0;
};

// beta: BETA2007 (nullptr when missing: betaFehler says why). cacheOrdner:
// the tiles' disk cache.
using KartenFabrik = KartenFenster* (*)(const quadrix::Transformation* beta, const QString& betaFehler,
                                        const QString& cacheOrdner);
#define QUADRIX_KARTEN_FABRIK "quadrixKarteAnlegen"
