// The map: web-map tiles in Web Mercator with the sheet grid over them.
// The grid's lines are the cells' outlines on the Potsdam datum carried
// through BETA2007 to ETRS89, computed once per zoom and region, never on
// the paint path; levels are drawn as the zoom makes them readable. Drag to
// pan, wheel to zoom about the pointer, + and - and the arrow keys.
#pragma once

#include "grid/webmercator.h"
#include "map/grundkarte.h"

#include <QHash>
#include <QPainterPath>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QUrl>
#include <QWidget>

#include <optional>
#include <vector>

class Kachelquelle;
namespace quadrix {
class Transformation;
}

class Kartenansicht : public QWidget {
    Q_OBJECT
public:
    // beta: Potsdam <-> ETRS89 (BETA2007); without it no grid is drawn.
    Kartenansicht(Kachelquelle& quelle, const quadrix::Transformation* beta, QWidget* eltern = nullptr);
    // Another tile source (the view stays where it is).
    void setzeQuelle(Kachelquelle& quelle);

    // Marks a point and outlines a cell (degrees WGS84/ETRS89); an empty
    // outline marks the point alone. markeLoeschen takes both away.
    void setzeMarke(const QPointF& punkt, const std::vector<QPointF>& zelle);
    void markeLoeschen();
    bool hatMarke() const { return m_marke.has_value(); }
    // Points read from GPS files and photos, marked as small squares
    // (degrees WGS84/ETRS89, longitude as x).
    void setzePunkte(std::vector<QPointF> punkte);
    std::size_t punkte() const { return m_punkte.size(); }
    // Finds to show as small dots (degrees WGS84/ETRS89, longitude as x).
    void setzeFunde(std::vector<QPointF> funde);
    std::size_t funde() const { return m_funde.size(); }
    // Centres the map on a point (degrees WGS84/ETRS89), at a zoom if given.
    void zentriere(double breite, double laenge, std::optional<int> zoom = {});
    int zoom() const { return m_zoom; }
    // Shows a box (degrees WGS84/ETRS89) whole, as close in as it fits.
    void passeEin(double sued, double west, double nord, double ost);
    // The point at the view's centre, and at a pixel of the view.
    void mitte(double& breite, double& laenge) const;
    void gradBei(const QPointF& p, double& breite, double& laenge) const;
    // The pixel of the view where a point lies.
    QPointF pixelVon(double breite, double laenge) const;
    // The tiles the view needs now, with a margin of one.
    std::vector<webmerc::KachelNr> kacheln() const;
    // The deepest quadrant level drawn (-1: not even the sheets), and
    // whether the grid has gaps where BETA2007 has no coverage.
    int gitterEbene() const { return m_ebene; }
    // Are there cells in view that BETA2007 does not reach (no lines drawn there)?
    bool gitterLuecken() const;
    static constexpr int MinZoom = 5, MaxZoom = 18;

signals:
    void zeigerBei(double breite, double laenge);
    // A click (not a drag) at a point, degrees WGS84/ETRS89.
    void geklickt(double breite, double laenge);
    void gitterGeaendert();
    // A click on the attribution of a source that names its terms.
    void verweisGeklickt(const QUrl& verweis);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    webmerc::Pixel linksOben() const;
    QRect namensnennungKasten() const;
    void ansichtGeaendert();
    void zoomeUm(int schritte, const QPointF& um);
    void gitterRechnen();
    // A tile with the grid drawn into it (bild: the tile, nullptr: none yet).
    const QPixmap& mitGitter(const webmerc::KachelNr& k, const QPixmap* bild);
    void zeichneGitter(QPainter& p, const QPointF& ursprung) const;

    Kachelquelle* m_quelle;
    const quadrix::Transformation* m_beta;
    int m_zoom = 8;
    webmerc::Pixel m_mitte;  // world pixels at m_zoom
    std::optional<QPointF> m_ziehenAb;
    QPointF m_gedruecktBei;
    bool m_gezogen = false;

    // The grid in world pixels at m_gitterZoom, for the region m_gitterGebiet.
    int m_gitterZoom = -1;
    QRectF m_gitterGebiet;
    // Per level (the sheets first) the lines it adds: a sheet's whole outline,
    // a quadrant's north and west edges (its others are its neighbours' or
    // its parent's), each with its bounding box, so that a repaint draws only
    // what is in view.
    struct Linienzug {
        QRectF box;
        QPolygonF punkte;
    };
    std::vector<std::vector<Linienzug>> m_linien;
    struct Beschriftung {
        QPointF ort;
        QString text;
    };
    std::vector<Beschriftung> m_beschriftungen;
    Grundkarte m_grund;
    // The tiles with the grid in them, made once for a tile and a grid, so
    // that a repaint only copies tiles; von: the tile's cache key (0: none).
    struct Fertig {
        qint64 von = 0;
        QPixmap bild;
    };
    QHash<quint64, Fertig> m_fertig;
    int m_ebene = -1;
    // Where cells were left out for want of BETA2007: their boxes in world pixels.
    std::vector<QRectF> m_luecken;
    std::optional<QPointF> m_marke;   // longitude, latitude
    std::vector<QPointF> m_markenZelle;
    std::vector<QPointF> m_funde;
    std::vector<QPointF> m_punkte;
    // The finds in world pixels at m_fundeZoom, by the tiles they touch, and
    // the dot each is drawn with: drawn into the tiles once, as the grid is.
    void fundeEinteilen();
    int m_fundeZoom = -1;
    QHash<quint64, std::vector<QPointF>> m_fundeJeKachel;
    QPixmap m_fundpunkt;
};
