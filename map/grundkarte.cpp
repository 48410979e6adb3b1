#include "map/grundkarte.h"

#include "grid/webmercator.h"
#include "orte/orte.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <cmath>

const QColor Grundkarte::Meer(214, 226, 234);

namespace {

const QColor Deutschland(250, 250, 244), Nachbarn(236, 235, 226), Grenze(120, 112, 100);

// The smallest place named at a zoom: the largest cities from afar, every place close in.
int mindestens(int zoom)
{
    static const int schwelle[] = {5000000, 5000000, 5000000, 5000000, 5000000, 400000, 150000, 50000,
                                   20000,   8000,    3000,    0};
    return schwelle[std::clamp(zoom, 0, 11)];
}

// Taken areas in cells of 64 world pixels, so that a name is checked only
// against its neighbours.
class Belegung {
public:
    bool frei(const QRectF& r) const
    {
        bool ok = true;
        jedeZelle(r, [&](quint64 z) {
            for (const QRectF& b : m_zellen.value(z))
                ok = ok && !b.intersects(r);
        });
        return ok;
    }
    void belegen(const QRectF& r)
    {
        jedeZelle(r, [&](quint64 z) { m_zellen[z].push_back(r); });
    }

private:
    template <class F>
    static void jedeZelle(const QRectF& r, F f)
    {
        for (qint64 x = qint64(std::floor(r.left() / 64)); x <= qint64(std::floor(r.right() / 64)); ++x)
            for (qint64 y = qint64(std::floor(r.top() / 64)); y <= qint64(std::floor(r.bottom() / 64)); ++y)
                f(quint64(x) << 32 ^ quint64(y & 0xffffffff));
    }
    QHash<quint64, std::vector<QRectF>> m_zellen;
};

}  // namespace

void Grundkarte::umrisse(int zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    m_staaten.clear();
    for (std::size_t r = 0; r < orte::daten::AnzahlRinge; ++r) {
        const orte::daten::Ring& ring = orte::daten::Ringe[r];
        QPolygonF punkte;
        const std::int32_t* p = orte::daten::Punkte + 2 * ring.erster;
        for (std::size_t i = 0; i < ring.anzahl; ++i) {
            const webmerc::Pixel px = webmerc::pixel(p[2 * i] * 1e-5, p[2 * i + 1] * 1e-5, zoom);
            punkte << QPointF(px.x, px.y);
        }
        if (!punkte.isEmpty() && punkte.first() != punkte.last())
            punkte << punkte.first();
        const QRectF box = punkte.boundingRect();
        m_staaten.push_back({ring.staat[0] == 'D' && ring.staat[1] == 'E', std::move(punkte), box});
    }
}

void Grundkarte::beschriften(int zoom, const std::vector<QRectF>& frei)
{
    m_namenZoom = zoom;
    m_namen.clear();
    Belegung belegt;
    for (const QRectF& r : frei)
        belegt.belegen(r);
    QFont* schrift = m_schrift;
    for (int i = 0; i < 3; ++i) {
        schrift[i].setPointSizeF(i == 0 ? 10.5 : i == 1 ? 9.5 : 8.5);
        schrift[i].setBold(i < 2);
    }
    const QFontMetricsF masse[3] = {QFontMetricsF(schrift[0]), QFontMetricsF(schrift[1]), QFontMetricsF(schrift[2])};
    const int grenze = mindestens(zoom);
    // The data lies by size, the largest first: they take their places first.
    for (std::size_t i = 0; i < orte::daten::AnzahlOrte; ++i) {
        const orte::daten::Ort& o = orte::daten::Orte[i];
        if (o.einwohner < grenze)
            break;
        if (o.stadtteil)
            continue;
        const webmerc::Pixel px = webmerc::pixel(orte::breite(o), orte::laenge(o), zoom);
        const int g = o.einwohner >= 500000 ? 0 : o.einwohner >= 100000 ? 1 : 2;
        const QString name = QString::fromUtf8(o.name);
        // Whole world pixels: every tile draws the name at the same place.
        const QPointF ort(std::round(px.x), std::round(px.y));
        const QRectF text(ort.x() + 4, ort.y() - masse[g].ascent() / 2 - 1, masse[g].horizontalAdvance(name) + 2,
                          masse[g].height());
        const QRectF flaeche = text.united(QRectF(ort.x() - 3, ort.y() - 3, 6, 6)).adjusted(-2, -1, 2, 1);
        if (!belegt.frei(flaeche))
            continue;
        belegt.belegen(flaeche);
        m_namen.push_back({ort, flaeche, QPointF(text.left() + 1, text.top() + masse[g].ascent()), g, o.name, {}});
    }
}

void Grundkarte::kachel(QPainter& p, const QPointF& ursprung, int zoom)
{
    umrisse(zoom);
    const QRectF kachel(0, 0, 256, 256);
    p.fillRect(kachel, Meer);
    p.save();
    p.setClipRect(kachel);
    p.translate(-ursprung);
    const QRectF hier(ursprung, QSizeF(256, 256));
    const QRectF nah = hier.adjusted(-2, -2, 2, 2);
    // The neighbours first, Germany over them with its border drawn stronger.
    // A tile the border does not cross is one colour: filled, not drawn.
    for (const bool de : {false, true})
        for (const Umriss& u : m_staaten) {
            if (u.deutschland != de || !u.box.intersects(nah))
                continue;
            const QColor farbe = de ? Deutschland : Nachbarn;
            std::vector<QPolygonF> grenzen(1);
            for (qsizetype i = 1; i < u.punkte.size(); ++i) {
                const QPointF a = u.punkte[i - 1], b = u.punkte[i];
                if (QRectF(a, b).normalized().adjusted(-1, -1, 1, 1).intersects(nah)) {
                    if (grenzen.back().isEmpty())
                        grenzen.back() << a;
                    grenzen.back() << b;
                } else if (!grenzen.back().isEmpty()) {
                    grenzen.emplace_back();
                }
            }
            if (grenzen.size() == 1 && grenzen.back().isEmpty()) {
                if (u.punkte.containsPoint(hier.center(), Qt::OddEvenFill))
                    p.fillRect(hier, farbe);
                continue;
            }
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(Qt::NoPen);
            p.setBrush(farbe);
            p.drawPolygon(u.punkte);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(Grenze, de ? 1.4 : 0.8));
            p.setBrush(Qt::NoBrush);
            for (const QPolygonF& g : grenzen)
                if (g.size() > 1)
                    p.drawPolyline(g);
        }
    p.restore();
}

void Grundkarte::namen(QPainter& p, const QPointF& ursprung, int zoom)
{
    if (m_namenZoom != zoom)
        beschriften(zoom, {});
    const QRectF hier(ursprung, QSizeF(256, 256));
    p.save();
    p.setClipRect(QRectF(0, 0, 256, 256));
    p.translate(-ursprung);
    p.setRenderHint(QPainter::Antialiasing);
    // A white halo keeps each name readable over the grid's lines.
    for (Name& n : m_namen) {
        if (!n.flaeche.intersects(hier))
            continue;
        if (n.schrift.isEmpty())
            n.schrift.addText(n.grundlinie, m_schrift[n.groesse], QString::fromUtf8(n.name));
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(70, 70, 70));
        p.drawEllipse(n.ort, 2.5, 2.5);
        p.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(n.schrift);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawPath(n.schrift);
    }
    p.restore();
}

QString Grundkarte::namensnennung()
{
    return QStringLiteral("Grundkarte: Natural Earth · Orte: GeoNames (CC BY 4.0)");
}
