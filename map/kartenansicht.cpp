#include "map/kartenansicht.h"

#include "datum/datum.h"
#include "map/kachelquelle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// Where there is no tile.
const QColor Hintergrund(236, 236, 228);

}  // namespace

Kartenansicht::Kartenansicht(Kachelquelle& quelle, const quadrix::Transformation* beta, QWidget* eltern)
    : QWidget(eltern), m_quelle(nullptr), m_beta(beta)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(200, 150);
    setzeQuelle(quelle);
    zentriere(51.0, 10.0, 6);
}

void Kartenansicht::setzeQuelle(Kachelquelle& quelle)
{
    if (m_quelle)
        disconnect(m_quelle, nullptr, this, nullptr);
    m_quelle = &quelle;
    m_fertig.clear();
    connect(m_quelle, &Kachelquelle::geladen, this, qOverload<>(&QWidget::update));
    connect(m_quelle, &Kachelquelle::fehlerGeaendert, this, qOverload<>(&QWidget::update));
    ansichtGeaendert();
}

webmerc::Pixel Kartenansicht::linksOben() const { return {m_mitte.x - width() / 2.0, m_mitte.y - height() / 2.0}; }

void Kartenansicht::zentriere(double breite, double laenge, std::optional<int> zoom)
{
    if (zoom)
        m_zoom = std::clamp(*zoom, MinZoom, MaxZoom);
    m_mitte = webmerc::pixel(breite, laenge, m_zoom);
    ansichtGeaendert();
}

void Kartenansicht::setzeMarke(const QPointF& punkt, const std::vector<QPointF>& zelle)
{
    m_marke = punkt;
    m_markenZelle = zelle;
    update();
}

void Kartenansicht::setzePunkte(std::vector<QPointF> punkte)
{
    m_punkte = std::move(punkte);
    update();
}

void Kartenansicht::setzeFunde(std::vector<QPointF> funde)
{
    m_funde = std::move(funde);
    m_fundeZoom = -1;
    m_fertig.clear();
    update();
}

void Kartenansicht::fundeEinteilen()
{
    m_fundeZoom = m_zoom;
    m_fundeJeKachel.clear();
    // A dot reaches 5 px from its point: into the neighbouring tiles too.
    constexpr double Rand = 5;
    const long n = 1L << m_zoom;
    for (const QPointF& g : m_funde) {
        const webmerc::Pixel p = webmerc::pixel(g.y(), g.x(), m_zoom);
        const long x0 = long(std::floor((p.x - Rand) / webmerc::Kachel)), x1 = long(std::floor((p.x + Rand) / webmerc::Kachel));
        const long y0 = long(std::floor((p.y - Rand) / webmerc::Kachel)), y1 = long(std::floor((p.y + Rand) / webmerc::Kachel));
        for (long x = x0; x <= x1; ++x)
            for (long y = y0; y <= y1; ++y)
                if (y >= 0 && y < n)
                    m_fundeJeKachel[Kachelquelle::schluessel({m_zoom, int((x % n + n) % n), int(y)})].push_back(
                        QPointF(p.x, p.y));
    }
}

void Kartenansicht::markeLoeschen()
{
    m_marke.reset();
    m_markenZelle.clear();
    update();
}

void Kartenansicht::passeEin(double sued, double west, double nord, double ost)
{
    int z = MaxZoom;
    for (; z > MinZoom; --z) {
        const webmerc::Pixel a = webmerc::pixel(nord, west, z), b = webmerc::pixel(sued, ost, z);
        if (b.x - a.x <= width() - 40 && b.y - a.y <= height() - 40)
            break;
    }
    const webmerc::Pixel a = webmerc::pixel(nord, west, z), b = webmerc::pixel(sued, ost, z);
    m_zoom = z;
    m_mitte = {(a.x + b.x) / 2, (a.y + b.y) / 2};
    ansichtGeaendert();
}

void Kartenansicht::mitte(double& breite, double& laenge) const { webmerc::grad(m_mitte, m_zoom, breite, laenge); }

void Kartenansicht::gradBei(const QPointF& p, double& breite, double& laenge) const
{
    const webmerc::Pixel lo = linksOben();
    webmerc::grad({lo.x + p.x(), lo.y + p.y()}, m_zoom, breite, laenge);
}

QPointF Kartenansicht::pixelVon(double breite, double laenge) const
{
    const webmerc::Pixel p = webmerc::pixel(breite, laenge, m_zoom), lo = linksOben();
    return {p.x - lo.x, p.y - lo.y};
}

std::vector<webmerc::KachelNr> Kartenansicht::kacheln() const
{
    return webmerc::kacheln(linksOben(), width(), height(), m_zoom, 1);
}

void Kartenansicht::ansichtGeaendert()
{
    // Tiles only for a map that shows: nothing is fetched before it opens.
    if (!isVisible())
        return;
    m_quelle->verlange(kacheln());
    const webmerc::Pixel lo = linksOben();
    const QRectF sicht(lo.x, lo.y, width(), height());
    if (m_gitterZoom != m_zoom || !m_gitterGebiet.contains(sicht))
        gitterRechnen();
    update();
}

void Kartenansicht::resizeEvent(QResizeEvent*) { ansichtGeaendert(); }

void Kartenansicht::showEvent(QShowEvent*) { ansichtGeaendert(); }

const QPixmap& Kartenansicht::mitGitter(const webmerc::KachelNr& k, const QPixmap* bild)
{
    const quint64 s = Kachelquelle::schluessel(k);
    const qint64 von = bild ? bild->cacheKey() : 0;
    const qreal dpr = devicePixelRatioF();
    if (auto it = m_fertig.constFind(s); it != m_fertig.constEnd() && it->von == von &&
                                         it->bild.devicePixelRatio() == dpr)
        return it->bild;
    const QRectF kachel(0, 0, webmerc::Kachel, webmerc::Kachel);
    QPixmap fertig(QSize(webmerc::Kachel, webmerc::Kachel) * dpr);
    fertig.setDevicePixelRatio(dpr);
    QPainter p(&fertig);
    const QPointF ursprung(k.x * double(webmerc::Kachel), k.y * double(webmerc::Kachel));
    if (bild)
        p.drawPixmap(kachel, *bild, QRectF(bild->rect()));
    else
        m_grund.kachel(p, ursprung, m_zoom);  // no tile (yet): the map the program carries
    if (!m_linien.empty())
        zeichneGitter(p, ursprung);
    if (!bild)
        m_grund.namen(p, ursprung, m_zoom);
    // The finds: one dot per pixel however many share it, a picture each.
    if (const auto it = m_fundeJeKachel.constFind(s); it != m_fundeJeKachel.constEnd()) {
        if (m_fundpunkt.isNull() || m_fundpunkt.devicePixelRatio() != dpr) {
            m_fundpunkt = QPixmap(QSize(10, 10) * dpr);
            m_fundpunkt.setDevicePixelRatio(dpr);
            m_fundpunkt.fill(Qt::transparent);
            QPainter punkt(&m_fundpunkt);
            punkt.setRenderHint(QPainter::Antialiasing);
            punkt.setPen(QPen(Qt::white, 1));
            punkt.setBrush(QColor(230, 120, 0));
            punkt.drawEllipse(QPointF(5, 5), 3.5, 3.5);
        }
        QSet<int> belegt;
        for (const QPointF& w : *it) {
            const QPointF f = w - ursprung;
            // The dot's pixel, as a number (the tile and its margin of 5).
            const int x = int(std::lround(f.x())) + 5, y = int(std::lround(f.y())) + 5;
            if (!belegt.contains(x * 512 + y)) {
                belegt.insert(x * 512 + y);
                p.drawPixmap(QPointF(x - 10, y - 10), m_fundpunkt);
            }
        }
    }
    p.end();
    Fertig& f = m_fertig[s];
    f = {von, std::move(fertig)};
    return f.bild;
}

void Kartenansicht::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Hintergrund);
    const webmerc::Pixel lo = linksOben();
    const long n = 1L << m_zoom;
    const bool gitter = !m_linien.empty() || !m_funde.empty();
    if (!m_funde.empty() && m_fundeZoom != m_zoom)
        fundeEinteilen();
    QSet<quint64> gezeigt;
    QRegion ohneKachel;
    for (const webmerc::KachelNr& k : webmerc::kacheln(lo, width(), height(), m_zoom, 0)) {
        const QPixmap* bild = m_quelle->kachel(k);
        // The tile nearest the view among its east-west repeats.
        double x = k.x * double(webmerc::Kachel) - lo.x;
        const double welt = double(n) * webmerc::Kachel;
        while (x + webmerc::Kachel < 0)
            x += welt;
        while (x > width())
            x -= welt;
        const QRectF ziel(x, k.y * double(webmerc::Kachel) - lo.y, webmerc::Kachel, webmerc::Kachel);
        if (!bild)
            ohneKachel += ziel.toAlignedRect();
        if (!gitter && bild) {
            p.drawPixmap(ziel, *bild, QRectF(bild->rect()));
            continue;
        }
        gezeigt.insert(Kachelquelle::schluessel(k));
        p.drawPixmap(ziel.topLeft(), mitGitter(k, bild));
    }
    // Only what is near the view is kept.
    if (m_fertig.size() > 2 * gezeigt.size() + 16)
        for (auto it = m_fertig.begin(); it != m_fertig.end();)
            it = gezeigt.contains(it.key()) ? std::next(it) : m_fertig.erase(it);

    // The points of the list (a few hundred at most: drawn on every paint).
    if (!m_punkte.empty()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(90, 40, 0), 1));
        p.setBrush(QColor(255, 140, 0));
        const QRectF flaeche = QRectF(rect()).adjusted(-6, -6, 6, 6);
        for (const QPointF& g : m_punkte)
            if (const QPointF m = pixelVon(g.y(), g.x()); flaeche.contains(m))
                p.drawRect(QRectF(m.x() - 4, m.y() - 4, 8, 8));
        p.setBrush(Qt::NoBrush);
    }
    // The point of the six boxes and its level-5 cell.
    if (m_marke) {
        p.setRenderHint(QPainter::Antialiasing);
        if (!m_markenZelle.empty()) {
            QPolygonF zelle;
            for (const QPointF& g : m_markenZelle)
                zelle << pixelVon(g.y(), g.x());
            p.setPen(QPen(QColor(0, 90, 200), 2));
            p.setBrush(QColor(0, 90, 200, 50));
            p.drawPolygon(zelle);
        }
        const QPointF m = pixelVon(m_marke->y(), m_marke->x());
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(QColor(0, 90, 200));
        p.drawEllipse(m, 6, 6);
        p.setBrush(Qt::NoBrush);
    }

    // The attribution, always visible, bottom right; a link where the
    // source names one.
    const Kachelquelle::Quelle& q = m_quelle->quelle();
    const QRect kasten = namensnennungKasten();
    p.fillRect(kasten, QColor(255, 255, 255, 200));
    QFont verweis = font();
    verweis.setUnderline(!q.verweis.isEmpty());
    p.setFont(verweis);
    p.setPen(q.verweis.isEmpty() ? QColor(Qt::black) : QColor(0, 60, 170));
    p.drawText(kasten, Qt::AlignCenter, q.namensnennung);
    p.setFont(font());
    // The carried map's sources, bottom left, while it shows.
    if (!ohneKachel.isEmpty()) {
        const QString grund = Grundkarte::namensnennung();
        const QRect r = fontMetrics().boundingRect(grund).adjusted(-4, -2, 4, 2);
        const QRect links(2, height() - r.height() - 2, r.width(), r.height());
        p.fillRect(links, QColor(255, 255, 255, 200));
        p.setPen(Qt::black);
        p.drawText(links, Qt::AlignCenter, grund);
    }
    // Why tiles are missing, one line at the top.
    if (!m_quelle->fehler().isEmpty()) {
        const QRect zeile(0, 0, width(), p.fontMetrics().height() + 6);
        p.fillRect(zeile, QColor(255, 250, 205, 230));
        p.setPen(Qt::black);
        p.drawText(zeile.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, m_quelle->fehler());
    }
}

void Kartenansicht::zoomeUm(int schritte, const QPointF& um)
{
    const int neu = std::clamp(m_zoom + schritte, MinZoom, MaxZoom);
    if (neu == m_zoom)
        return;
    // The point under um stays where it is.
    const webmerc::Pixel lo = linksOben();
    const double faktor = std::exp2(neu - m_zoom);
    const double wx = (lo.x + um.x()) * faktor, wy = (lo.y + um.y()) * faktor;
    m_zoom = neu;
    m_mitte = {wx - um.x() + width() / 2.0, wy - um.y() + height() / 2.0};
    ansichtGeaendert();
}

void Kartenansicht::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_ziehenAb = e->position();
        m_gedruecktBei = e->position();
        m_gezogen = false;
    }
}

QRect Kartenansicht::namensnennungKasten() const
{
    const QRect r = fontMetrics().boundingRect(m_quelle->quelle().namensnennung).adjusted(-4, -2, 4, 2);
    return {width() - r.width() - 2, height() - r.height() - 2, r.width(), r.height()};
}

void Kartenansicht::mouseMoveEvent(QMouseEvent* e)
{
    const bool aufVerweis =
        !m_quelle->quelle().verweis.isEmpty() && namensnennungKasten().contains(e->position().toPoint());
    setCursor(aufVerweis ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (m_ziehenAb && (e->buttons() & Qt::LeftButton)) {
        const QPointF d = e->position() - *m_ziehenAb;
        m_ziehenAb = e->position();
        // A hand that shakes a little still clicks.
        m_gezogen = m_gezogen || (e->position() - m_gedruecktBei).manhattanLength() > 4;
        if (!m_gezogen)
            return;
        m_mitte = {m_mitte.x - d.x(), m_mitte.y - d.y()};
        ansichtGeaendert();
    }
    double b, l;
    gradBei(e->position(), b, l);
    emit zeigerBei(b, l);
}

void Kartenansicht::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !m_ziehenAb)
        return;
    m_ziehenAb.reset();
    const QString& verweis = m_quelle->quelle().verweis;
    if (!m_gezogen && !verweis.isEmpty() && namensnennungKasten().contains(m_gedruecktBei.toPoint())) {
        emit verweisGeklickt(QUrl(verweis));
        return;
    }
    if (!m_gezogen) {
        double b, l;
        gradBei(m_gedruecktBei, b, l);
        emit geklickt(b, l);
    }
}

void Kartenansicht::wheelEvent(QWheelEvent* e)
{
    const int schritte = e->angleDelta().y() / 120;
    if (schritte != 0)
        zoomeUm(schritte, e->position());
    e->accept();
}

void Kartenansicht::keyPressEvent(QKeyEvent* e)
{
    const QPointF mitte(width() / 2.0, height() / 2.0);
    const double schritt = std::min(width(), height()) / 4.0;
    switch (e->key()) {
    case Qt::Key_Plus:
        zoomeUm(1, mitte);
        break;
    case Qt::Key_Minus:
        zoomeUm(-1, mitte);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool quer = e->key() == Qt::Key_Left || e->key() == Qt::Key_Right;
        const double weg = e->key() == Qt::Key_Left || e->key() == Qt::Key_Up ? -schritt : schritt;
        (quer ? m_mitte.x : m_mitte.y) += weg;
        ansichtGeaendert();
        break;
    }
    default:
        QWidget::keyPressEvent(e);
    }
}
