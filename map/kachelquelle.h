// Web-map tiles for the map window: fetched as the tile services ask (a
// User-Agent naming Quadrix, at most two connections, only the tiles asked
// for, requests for tiles no longer wanted cancelled), kept in a bounded
// disk cache that honours the HTTP expiry (at least a week where a service
// asks for that), and decoded once, off the paint path.
#pragma once

#include "grid/webmercator.h"

#include <QCache>
#include <QElapsedTimer>
#include <QTimer>
#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <deque>
#include <vector>

class QNetworkReply;

class Kachelquelle : public QObject {
    Q_OBJECT
public:
    struct Quelle {
        QString name;
        QString vorlage;         // URL with {z}, {x}, {y}
        QString namensnennung;   // attribution, always shown
        QString verweis;         // where the attribution links to (may be empty)
        int mindestensTage = 0;  // a cached tile is kept at least this long
    };
    // The federal agency's topographic web map, and OpenStreetMap.
    static Quelle topPlusOpen();
    static Quelle openStreetMap();
    // The tile URL for a tile: "{z}/{x}/{y}" replaced.
    static QString adresse(const QString& vorlage, const webmerc::KachelNr& k);

    // cacheOrdner: the disk cache's folder (made when missing).
    Kachelquelle(const Quelle& quelle, const QString& cacheOrdner, QObject* eltern = nullptr);
    const Quelle& quelle() const { return m_quelle; }

    // The tile's picture when it is here, else nullptr.
    const QPixmap* kachel(const webmerc::KachelNr& k) const;
    // The tiles wanted now, the most important first: fetches those not here,
    // and drops or cancels every request for a tile not among them.
    void verlange(const std::vector<webmerc::KachelNr>& kacheln);
    // Why tiles are missing, one German line; empty once every tile wanted is here.
    QString fehler() const { return m_fehler; }
    // A tile that failed is asked for again after this long, twice as long
    // after each further failure, at most five minutes: the map recovers when
    // the network comes back, without hammering a service that refuses.
    void setzeErsteWartezeit(int ms) { m_ersteWartezeit = ms; }
    static constexpr int ErsteWartezeit = 5000, LaengsteWartezeit = 300000;
    // Requests that went out to the network (not answered from the disk cache).
    int netzanfragen() const { return m_netzanfragen; }
    static constexpr int Verbindungen = 2;
    // One number for a tile, for hash tables.
    static quint64 schluessel(const webmerc::KachelNr& k);

signals:
    void geladen();
    void fehlerGeaendert(const QString& fehler);

private:
    void weiter();
    void fertig(QNetworkReply* antwort, const webmerc::KachelNr& k);
    void setzeFehler(const QString& f);
    void fehlschlag(quint64 s);
    bool fehltNoch() const;

    Quelle m_quelle;
    QNetworkAccessManager m_netz;
    QCache<quint64, QPixmap> m_bilder;
    std::deque<webmerc::KachelNr> m_warteschlange;
    QHash<quint64, QNetworkReply*> m_laufend;
    struct Fehlversuch {
        int zahl = 0;
        qint64 wieder = 0;  // ms on m_uhr when it may be asked for again
    };
    QHash<quint64, Fehlversuch> m_fehlversuche;
    std::vector<webmerc::KachelNr> m_gewollt;
    QElapsedTimer m_uhr;
    QTimer m_wiederholen;
    int m_ersteWartezeit = ErsteWartezeit;
    QString m_fehler;
    int m_netzanfragen = 0;
};
