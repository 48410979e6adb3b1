#include "map/kachelquelle.h"

#include <QDateTime>
#include <QDir>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

namespace {

// The disk cache, bounded; a tile is kept at least as long as the service asks.
class Kachelspeicher final : public QNetworkDiskCache {
public:
    Kachelspeicher(int mindestensTage, QObject* eltern) : QNetworkDiskCache(eltern), m_tage(mindestensTage) {}
    QIODevice* prepare(const QNetworkCacheMetaData& daten) override { return QNetworkDiskCache::prepare(mindestens(daten)); }
    void updateMetaData(const QNetworkCacheMetaData& daten) override
    {
        QNetworkDiskCache::updateMetaData(mindestens(daten));
    }

private:
    QNetworkCacheMetaData mindestens(QNetworkCacheMetaData daten) const
    {
        const QDateTime frist = QDateTime::currentDateTimeUtc().addDays(m_tage);
        if (m_tage > 0 && (!daten.expirationDate().isValid() || daten.expirationDate() < frist))
            daten.setExpirationDate(frist);
        return daten;
    }
    int m_tage;
};

constexpr qint64 CacheGroesse = 200LL * 1024 * 1024;
constexpr int BilderImSpeicher = 512;  // decoded tiles kept: two full screens and more

QByteArray benutzerkennung()
{
    return QByteArrayLiteral("Quadrix/" QUADRIX_VERSION " (MTB-Quadranten fuer Fundorte)");
}

}  // namespace

Kachelquelle::Quelle Kachelquelle::topPlusOpen()
{
    return {QStringLiteral("TopPlusOpen"),
            QStringLiteral("https://sgx.geodatenzentrum.de/wmts_topplus_open/tile/1.0.0/web/default/WEBMERCATOR/{z}/{y}/{x}.png"),
            QStringLiteral("© BKG (%1) dl-de/by-2-0").arg(QDate::currentDate().year()),
            QStringLiteral("https://sg.geodatenzentrum.de/web_public/Datenquellen_TopPlus_Open.pdf"), 0};
}

Kachelquelle::Quelle Kachelquelle::openStreetMap()
{
    return {QStringLiteral("OpenStreetMap"), QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"),
            QStringLiteral("© OpenStreetMap-Mitwirkende"), QStringLiteral("https://www.openstreetmap.org/copyright"), 7};
}

QString Kachelquelle::adresse(const QString& vorlage, const webmerc::KachelNr& k)
{
    QString a = vorlage;
    a.replace(QLatin1String("{z}"), QString::number(k.z));
    a.replace(QLatin1String("{x}"), QString::number(k.x));
    a.replace(QLatin1String("{y}"), QString::number(k.y));
    return a;
}

Kachelquelle::Kachelquelle(const Quelle& quelle, const QString& cacheOrdner, QObject* eltern)
    : QObject(eltern), m_quelle(quelle), m_bilder(BilderImSpeicher)
{
    auto* speicher = new Kachelspeicher(quelle.mindestensTage, this);
    QDir().mkpath(cacheOrdner);
    speicher->setCacheDirectory(cacheOrdner);
    speicher->setMaximumCacheSize(CacheGroesse);
    m_netz.setCache(speicher);
    m_uhr.start();
    m_wiederholen.setSingleShot(true);
    connect(&m_wiederholen, &QTimer::timeout, this, [this] { verlange(m_gewollt); });
}

quint64 Kachelquelle::schluessel(const webmerc::KachelNr& k)
{
    return (quint64(k.z) << 48) | (quint64(quint32(k.x)) << 24) | quint64(quint32(k.y));
}

const QPixmap* Kachelquelle::kachel(const webmerc::KachelNr& k) const { return m_bilder.object(schluessel(k)); }

void Kachelquelle::verlange(const std::vector<webmerc::KachelNr>& kacheln)
{
    QHash<quint64, bool> gewollt;
    m_gewollt = kacheln;
    m_warteschlange.clear();
    const qint64 jetzt = m_uhr.elapsed();
    qint64 naechster = -1;
    for (const auto& k : kacheln) {
        const quint64 s = schluessel(k);
        gewollt.insert(s, true);
        if (m_bilder.contains(s) || m_laufend.contains(s))
            continue;
        const auto f = m_fehlversuche.constFind(s);
        if (f == m_fehlversuche.constEnd() || f->wieder <= jetzt)
            m_warteschlange.push_back(k);
        else if (naechster < 0 || f->wieder < naechster)
            naechster = f->wieder;
    }
    // Tiles waiting after a failure are asked for again when their time comes.
    if (naechster >= 0)
        m_wiederholen.start(int(std::max<qint64>(naechster - jetzt, 0)));
    else
        m_wiederholen.stop();
    // Tiles that left the view are not fetched after all.
    std::vector<QNetworkReply*> abbrechen;
    for (auto it = m_laufend.begin(); it != m_laufend.end();) {
        if (gewollt.contains(it.key())) {
            ++it;
            continue;
        }
        abbrechen.push_back(it.value());
        it = m_laufend.erase(it);
    }
    for (QNetworkReply* antwort : abbrechen)
        antwort->abort();
    weiter();
}

void Kachelquelle::weiter()
{
    while (m_laufend.size() < Verbindungen && !m_warteschlange.empty()) {
        const webmerc::KachelNr k = m_warteschlange.front();
        m_warteschlange.pop_front();
        QNetworkRequest anfrage(QUrl(adresse(m_quelle.vorlage, k)));
        anfrage.setHeader(QNetworkRequest::UserAgentHeader, benutzerkennung());
        // From the disk cache while fresh; when the network fails, stale tiles do.
        anfrage.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             m_fehler.isEmpty() ? QNetworkRequest::PreferNetwork : QNetworkRequest::PreferCache);
        anfrage.setTransferTimeout(15000);
        QNetworkReply* antwort = m_netz.get(anfrage);
        m_laufend.insert(schluessel(k), antwort);
        connect(antwort, &QNetworkReply::finished, this, [this, antwort, k] { fertig(antwort, k); });
    }
}

void Kachelquelle::fertig(QNetworkReply* antwort, const webmerc::KachelNr& k)
{
    antwort->deleteLater();
    const quint64 s = schluessel(k);
    // A request cancelled because its tile left the view: nothing to do.
    if (m_laufend.value(s) != antwort)
        return;
    m_laufend.remove(s);
    if (!antwort->attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool())
        ++m_netzanfragen;
    if (antwort->error() != QNetworkReply::NoError) {
        // Offline, or the service refused: whatever the disk cache holds still serves.
        QNetworkCacheMetaData alt = m_netz.cache()->metaData(antwort->url());
        if (QIODevice* gespeichert = alt.isValid() ? m_netz.cache()->data(antwort->url()) : nullptr) {
            QPixmap bild;
            if (bild.loadFromData(gespeichert->readAll()))
                m_bilder.insert(s, new QPixmap(std::move(bild)));
            delete gespeichert;
        }
        fehlschlag(s);
        const int status = antwort->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // Requests cancelled by us never come here: a cancelled one timed out.
        const QString warum = antwort->error() == QNetworkReply::OperationCanceledError
                                  ? tr("keine Antwort in 15 Sekunden")
                                  : antwort->errorString();
        setzeFehler(status > 0 ? tr("Der Kartendienst gibt keine Kacheln (HTTP %1): das Gitter wird ohne Karte gezeigt.").arg(status)
                               : tr("Keine Verbindung zum Kartendienst (%1): das Gitter wird ohne Karte gezeigt.")
                                     .arg(warum));
        emit geladen();
        weiter();
        return;
    }
    QPixmap bild;
    if (bild.loadFromData(antwort->readAll())) {
        m_bilder.insert(s, new QPixmap(std::move(bild)));
        m_fehlversuche.remove(s);
        // The line stays while any tile in view is still missing.
        if (!fehltNoch())
            setzeFehler({});
    } else {
        fehlschlag(s);
        setzeFehler(tr("Der Kartendienst schickte eine Kachel, die kein Bild ist."));
    }
    emit geladen();
    weiter();
}

void Kachelquelle::fehlschlag(quint64 s)
{
    Fehlversuch& f = m_fehlversuche[s];
    const qint64 warten = std::min<qint64>(qint64(m_ersteWartezeit) << std::min(f.zahl, 16), LaengsteWartezeit);
    ++f.zahl;
    f.wieder = m_uhr.elapsed() + warten;
    if (!m_wiederholen.isActive() || m_wiederholen.remainingTime() > warten)
        m_wiederholen.start(int(warten));
}

bool Kachelquelle::fehltNoch() const
{
    return std::any_of(m_gewollt.begin(), m_gewollt.end(),
                       [this](const webmerc::KachelNr& k) { return m_fehlversuche.contains(schluessel(k)); });
}

void Kachelquelle::setzeFehler(const QString& f)
{
    if (f == m_fehler)
        return;
    m_fehler = f;
    emit fehlerGeaendert(f);
}
