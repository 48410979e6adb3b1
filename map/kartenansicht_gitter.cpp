// The map's sheet grid: computed for a region once per zoom step, drawn
// into the tiles (see mitGitter), and where BETA2007 leaves gaps.
#include "cells/kasten.h"
#include "datum/datum.h"
#include "map/kartenansicht.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// A level is drawn once its cells are this wide on the screen; the sheets
// from a little less, their numbers from this on.
constexpr double LesbarAb = 36, BlaetterAb = 7;  // sheets from zoom 6 on: the grid over all Germany
// A sheet is 10' of longitude wide: that many pixels at zoom z.
double blattBreite(int zoom) { return 10.0 / 60 / 360 * webmerc::Kachel * std::exp2(zoom); }

}  // namespace

bool Kartenansicht::gitterLuecken() const
{
    const webmerc::Pixel lo = linksOben();
    const QRectF sicht(lo.x, lo.y, width(), height());
    return std::any_of(m_luecken.begin(), m_luecken.end(), [&](const QRectF& r) { return r.intersects(sicht); });
}

// The grid's lines and labels over a tile whose top-left corner lies at
// world pixel ursprung. Every tile draws the same lines at the same places,
// so that they meet across tile edges.
void Kartenansicht::zeichneGitter(QPainter& p, const QPointF& ursprung) const
{
    const QRectF flaeche(ursprung, QSizeF(webmerc::Kachel, webmerc::Kachel));
    const QRectF nah = flaeche.adjusted(-2, -2, 2, 2);
    p.save();
    p.translate(-ursprung);
    // Each level its own line: the sheets 2 px dark red, the quadrants lighter
    // level by level, so that five levels in view are told apart.
    static const QColor Farben[6] = {QColor(160, 0, 0),   QColor(185, 20, 20),  QColor(205, 45, 45),
                                     QColor(218, 75, 75), QColor(228, 95, 95), QColor(236, 112, 112)};
    for (std::size_t e = m_linien.size(); e-- > 0;) {
        const bool blatt = e == 0;
        // Opaque, cosmetic pens: the raster engine's fast line drawing.
        QPen stift(Farben[std::min<std::size_t>(e, 5)], blatt ? 2 : e == 1 ? 1.5 : 0);
        // Sheets too narrow for their numbers (all Germany in view): thin
        // lines, so that the map beneath still shows.
        if (blatt && blattBreite(m_gitterZoom) < LesbarAb)
            stift = QPen(QColor(160, 0, 0, 110), 0);
        stift.setCosmetic(true);
        p.setPen(stift);
        for (const Linienzug& l : m_linien[e])
            if (l.box.intersects(nah))
                p.drawPolyline(l.punkte);
    }
    p.restore();
    // Labels in the tile's own pixels: text far out in world pixels would
    // leave the range the font rasteriser takes.
    p.setPen(QColor(150, 0, 0));
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    for (const Beschriftung& b : m_beschriftungen) {
        const QRectF r(b.ort.x() - 60, b.ort.y() - 10, 120, 20);
        if (r.intersects(flaeche))
            p.drawText(r.translated(-ursprung), Qt::AlignCenter, b.text);
    }
}

void Kartenansicht::gitterRechnen()
{
    m_fertig.clear();
    m_linien.clear();
    m_beschriftungen.clear();
    m_luecken.clear();
    m_gitterZoom = m_zoom;
    // The view and as much again on each side, so that panning finds it done.
    const webmerc::Pixel lo = linksOben();
    m_gitterGebiet = QRectF(lo.x - width(), lo.y - height(), 3.0 * width(), 3.0 * height());
    const double blatt = blattBreite(m_zoom);
    m_ebene = blatt < BlaetterAb ? -1 : 0;
    while (m_ebene >= 0 && m_ebene < 5 && blatt / (2 << m_ebene) >= LesbarAb)
        ++m_ebene;
    if (!m_beta || m_ebene < 0) {
        m_grund.beschriften(m_zoom, {});
        emit gitterGeaendert();
        return;
    }
    // The region's box on the Potsdam datum: BETA2007 moves points by
    // seconds, so a minute more on each side holds every cell that shows.
    double s, w, n, o;
    webmerc::grad({m_gitterGebiet.left(), m_gitterGebiet.bottom()}, m_zoom, s, w);
    webmerc::grad({m_gitterGebiet.right(), m_gitterGebiet.top()}, m_zoom, n, o);
    const double box[4] = {s * 60 - 1, w * 60 - 1, n * 60 + 1, o * 60 + 1};
    m_linien.resize(static_cast<std::size_t>(m_ebene) + 1);
    int ziffernEbene = 0;
    while (ziffernEbene < m_ebene && blatt / (2 << ziffernEbene) >= 1.5 * LesbarAb)
        ++ziffernEbene;
    for (const quadrix::Blattteil& teil : quadrix::blaetterIm(box)) {
        for (int ebene = 0; ebene <= m_ebene; ++ebene) {
            std::vector<Linienzug>& linien = m_linien[static_cast<std::size_t>(ebene)];
            quadrix::zellenIn(quadrix::Gitter::Mtb, ebene, teil, box, [&](const quadrix::Umriss& u) {
                QPolygonF umriss;
                for (const quadrix::Grad2& g : quadrix::umrissPunkte(u)) {
                    double b = g.breite, l = g.laenge;
                    if (!m_beta->vonPotsdam(b, l)) {
                        // Where the cell lies, near enough: the datums differ by a few seconds.
                        const quadrix::Grad2 sw = quadrix::punktIn(u, 0, 0), no = quadrix::punktIn(u, 1, 1);
                        const webmerc::Pixel a = webmerc::pixel(sw.breite, sw.laenge, m_zoom);
                        const webmerc::Pixel z = webmerc::pixel(no.breite, no.laenge, m_zoom);
                        m_luecken.push_back(QRectF(QPointF(a.x, z.y), QPointF(z.x, a.y)).adjusted(-20, -20, 20, 20));
                        return true;
                    }
                    const webmerc::Pixel p = webmerc::pixel(b, l, m_zoom);
                    umriss << QPointF(p.x, p.y);
                }
                // The ring closes on its first point; from the north-east corner on,
                // its north and west edges.
                linien.push_back({umriss.boundingRect(), ebene == 0 ? umriss : umriss.mid(umriss.size() / 2)});
                // Sheet numbers once sheets are wide enough; the digits of the
                // deepest level whose cells hold them readably.
                const bool beschriften = ebene == 0 ? blatt >= LesbarAb : ebene == ziffernEbene;
                if (beschriften) {
                    const QRectF r = umriss.boundingRect();
                    QString text = QString::fromStdString(u.code);
                    if (ebene > 0)
                        text = text.section(u'/', -1);  // the cell's own digit
                    m_beschriftungen.push_back({r.center(), text});
                }
                return true;
            });
        }
    }
    // The carried map's names keep clear of the grid's labels.
    std::vector<QRectF> frei;
    const QFontMetricsF masse(font());
    for (const Beschriftung& b : m_beschriftungen) {
        const double breite = masse.horizontalAdvance(b.text) * 1.2 + 6;  // bold
        frei.emplace_back(b.ort.x() - breite / 2, b.ort.y() - masse.height() / 2 - 1, breite, masse.height() + 2);
    }
    m_grund.beschriften(m_zoom, frei);
    emit gitterGeaendert();
}
